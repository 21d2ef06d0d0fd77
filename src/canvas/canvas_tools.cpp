#include "canvas_tools.h"

#include "model/map_document.h"
#include "model/rounding.h"

#include <cmath>

CanvasTools::CanvasTools(MapDocument &document, CanvasState &state, CanvasHost &host)
    : m_document(document), m_state(state), m_host(host)
{}

void CanvasTools::chooseTool(Tool tool)
{
    CanvasState &s = m_state;
    switch (tool) {
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::Polygon:
        m_document.create_shapetype = tool == Tool::Rectangle ? ShapeType::Rectangle
                                      : tool == Tool::Circle  ? ShapeType::Circle
                                                              : ShapeType::Polygon;
        s.defining_complete = s.defining_shape = s.moving_shape = s.zoom_in = s.zoom_out = false;
        break;
    case Tool::Select:
        s.moving_shape = true;
        s.defining_shape = false;
        s.defining_complete = true;
        s.zoom_in = s.zoom_out = false;
        break;
    case Tool::ZoomIn:
    case Tool::ZoomOut:
        // A zoom tool leaves an area being drawn as it is.
        s.moving_shape = false;
        s.zoom_in = tool == Tool::ZoomIn;
        s.zoom_out = tool == Tool::ZoomOut;
        break;
    }
}

CanvasTools::Tool CanvasTools::activeTool() const
{
    if (m_state.zoom_in)
        return Tool::ZoomIn;
    if (m_state.zoom_out)
        return Tool::ZoomOut;
    if (m_state.moving_shape)
        return Tool::Select;
    switch (m_document.create_shapetype) {
    case ShapeType::Circle:
        return Tool::Circle;
    case ShapeType::Polygon:
        return Tool::Polygon;
    default:
        return Tool::Rectangle;
    }
}

void CanvasTools::mouseDown(Qt::MouseButton button, QPointF pos)
{
    if (m_document.image_file.isEmpty())
        return;
    // The right button belongs to the area context menu, never to a tool.
    if (button == Qt::RightButton)
        return;
    if (m_state.zoom_in) {
        if (m_state.allow_zoomin)
            zoomAt(pos, true);
        return;
    }
    if (m_state.zoom_out) {
        m_state.allow_zoomin = true;
        zoomAt(pos, false);
        return;
    }
}

void CanvasTools::mouseMove(Qt::MouseButtons, QPointF pos)
{
    if (m_document.image_file.isEmpty())
        return;
    m_host.setCoordsCaption(coordsCaption(pos, m_document.zoom_factor));
}

QString CanvasTools::coordsCaption(QPointF pos, float zoom_factor)
{
    const auto cut = [zoom_factor](double v) { return qint64(std::trunc(v / double(zoom_factor))); };
    return QStringLiteral("X:%1 Y:%2").arg(cut(pos.x())).arg(cut(pos.y()));
}

void CanvasTools::zoomAt(QPointF pos, bool zoom_in)
{
    const QPoint picture = m_host.mainpicPosition();
    m_state.first_left = roundHalfEven32(pos.x() - picture.x());
    m_state.first_top = roundHalfEven32(pos.y() - picture.y());
    m_state.first_actx = roundHalfEven32(pos.x());
    m_state.first_acty = roundHalfEven32(pos.y());
    m_host.show_zoomed_picture(zoom_in);
}
