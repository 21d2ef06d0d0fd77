// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The canvas's mode flags and the pointer positions it remembers between
// mouse events. Positions marked "picture" are canvas pixels divided by the
// zoom factor, not yet rounded.
struct CanvasState {
    bool moving_shape = false;     // the select tool is active
    bool defining_shape = false;   // an area has been started and is being drawn
    bool defining_complete = true; // no drawn area is waiting to be finished
    bool zoom_in = false;          // a zoom tool is active
    bool zoom_out = false;
    bool allow_zoomin = true;       // cleared at the zoomed-picture size limit
    bool move_cursor_shown = false; // the hover test already showed the move cursor
    float move_anchor_x = 0;        // picture position at the last step of a move
    float move_anchor_y = 0;
    float context_x = 0; // picture position of the last context menu
    float context_y = 0;
    qint32 first_actx = 0; // the last zoom click, in displayed pixels
    qint32 first_acty = 0;
    qint32 first_left = 0; // the same minus the picture's left and top
    qint32 first_top = 0;
    int outline_area = -1;        // area whose live outline is shown, until the next full repaint
    int dragged_handle_area = -1; // handle being dragged: area position and point
    int dragged_handle_point = -1;
};
