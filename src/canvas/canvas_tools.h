#pragma once

#include "canvas_state.h"

#include <QPoint>
#include <QPointF>
#include <QString>

class MapDocument;

// What the canvas tools need from the window around the canvas. The window
// implements it; tests give a recording fake.
class CanvasHost {
public:
    virtual ~CanvasHost() = default;
    // Left and top of the displayed picture inside the viewport (zero or
    // negative once scrolled).
    virtual QPoint mainpicPosition() const = 0;
    // One zoom step around the click recorded in the canvas state.
    virtual void show_zoomed_picture(bool zoom_in) = 0;
    virtual void setCoordsCaption(const QString &text) = 0;
};

// The tools of the canvas and what a mouse event on the picture does. Mouse
// positions arrive in pixels of the displayed (zoomed) picture; picture
// coordinates are those divided by the document's zoom factor. The tools
// decide; the widgets only pass events in and show the results.
class CanvasTools {
public:
    enum class Tool { Rectangle, Circle, Polygon, Select, ZoomIn, ZoomOut };

    CanvasTools(MapDocument &document, CanvasState &state, CanvasHost &host);

    // Sets the flags that make `tool` the one at work. The drawing tools
    // also choose the shape that new areas get.
    void chooseTool(Tool tool);
    Tool activeTool() const;

    void mouseDown(Qt::MouseButton button, QPointF pos);
    void mouseMove(Qt::MouseButtons buttons, QPointF pos);

    // The pointer read-out: picture coordinates cut toward zero, "X:120 Y:45".
    static QString coordsCaption(QPointF pos, float zoom_factor);

private:
    void zoomAt(QPointF pos, bool zoom_in);

    MapDocument &m_document;
    CanvasState &m_state;
    CanvasHost &m_host;
};
