#pragma once

#include <QtGlobal>

// The canvas flags of the editor window: which tool is at work, what the
// mouse is in the middle of, and where the last zoom click landed. The
// document (map_document.h) keeps zoom_factor, create_shapetype and the area
// positions; everything here is about the canvas alone.
struct CanvasState {
    // Tools
    bool moving_shape = false; // the select tool is active
    bool zoom_in = false;      // the zoom-in tool is active
    bool zoom_out = false;     // the zoom-out tool is active
    bool allow_zoomin = true;  // cleared once a zoomed picture grows past the size limit

    // Drawing a new area
    bool defining_shape = false;    // a new area has been started and is being drawn
    bool defining_complete = false; // no drawn area is waiting to be finished

    // The last zoom click: in displayed pixels, and minus the picture's offset
    qint32 first_actx = 0;
    qint32 first_acty = 0;
    qint32 first_left = 0;
    qint32 first_top = 0;

    // Picture coordinates of the pointer at the last step of a move, and of
    // the last right click that opened the context menu
    float move_anchor_x = 0.0f;
    float move_anchor_y = 0.0f;
    float context_x = 0.0f;
    float context_y = 0.0f;

    // The hover test already switched to the move cursor in this mouse move
    bool move_cursor_shown = false;
};
