// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas_tools.h"

#include "model/area_geometry.h"
#include "model/rounding.h"
#include "zoom_math.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A stored point: a picture position rounded half to even.
bool storePoint(clscoords &area, int index, double x, double y)
{
    return area.setpoint(index, roundHalfEven32(x), roundHalfEven32(y));
}

QPointF pointOf(const clscoords &area, int index)
{
    return QPointF(area.getPointX(index), area.getPointY(index));
}

} // namespace

CanvasTools::CanvasTools(EditingSession &session, CanvasState &state, CanvasHost &host)
    : m_session(session), m_doc(session.document()), m_state(state), m_host(host)
{}

QPointF CanvasTools::picturePoint(QPointF pos) const
{
    return picturePosition(pos, m_doc.zoom_factor);
}

clscoords *CanvasTools::activeArea()
{
    return m_doc.shapecol.contains(m_doc.active_id) ? &m_doc.shapecol.item(m_doc.active_id) : nullptr;
}

void CanvasTools::Reshape()
{
    m_regions.reshapeChanged(m_doc);
    m_state.outline_area = -1;
    m_host.repaintCanvas();
}

void CanvasTools::reshapeAll()
{
    m_regions.reshapeAll(m_doc);
    m_state.outline_area = -1;
    m_hovered.clear();
    m_hoverScanCount = -1;
    m_host.repaintCanvas();
}

void CanvasTools::areasReplaced()
{
    m_state.defining_shape = false;
    m_state.dragged_handle_area = -1;
    m_state.dragged_handle_point = -1;
    reshapeAll();
}

void CanvasTools::dropRubberBand()
{
    // An outline drawn past the areas lasts until the canvas is refreshed;
    // an area left half drawn shows as it stands.
    if (m_state.outline_area != -1)
        Reshape();
}

void CanvasTools::show_outline(const clscoords &area)
{
    m_state.outline_area = area.clsindex;
    m_host.repaintCanvas();
}

QString CanvasTools::shapeReadout(const clscoords &area)
{
    const qint64 x0 = area.getPointX(0), y0 = area.getPointY(0);
    const qint64 x1 = area.getPointX(1), y1 = area.getPointY(1);
    return QStringLiteral("(%1,%2) - (%3,%4) W:%5 H:%6")
        .arg(x0)
        .arg(y0)
        .arg(x1)
        .arg(y1)
        .arg(std::llabs(x1 - x0))
        .arg(std::llabs(y1 - y0));
}

void CanvasTools::chooseTool(Tool tool)
{
    // The pressed tool button cannot be pressed again.
    if (tool == activeTool())
        return;
    switch (tool) {
    case Tool::Rectangle:
    case Tool::Circle:
    case Tool::Polygon:
        m_doc.create_shapetype = tool == Tool::Rectangle ? Rectangle : tool == Tool::Circle ? Circle : Polygon;
        m_state.defining_complete = false;
        m_state.defining_shape = false;
        m_state.moving_shape = false;
        m_state.zoom_in = false;
        m_state.zoom_out = false;
        m_host.setCanvasCursor(CanvasCursor::Arrow);
        if (tool == Tool::Polygon)
            m_host.showEscapeHint(true);
        dropRubberBand();
        break;
    case Tool::Select:
        sbarrow_Click();
        return;
    case Tool::ZoomIn:
    case Tool::ZoomOut:
        m_state.moving_shape = false;
        m_state.zoom_in = tool == Tool::ZoomIn;
        m_state.zoom_out = tool == Tool::ZoomOut;
        m_host.setCanvasCursor(CanvasCursor::Zoom);
        break;
    }
    m_host.showActiveTool(tool);
}

CanvasTools::Tool CanvasTools::activeTool() const
{
    if (m_state.zoom_in)
        return Tool::ZoomIn;
    if (m_state.zoom_out)
        return Tool::ZoomOut;
    if (m_state.moving_shape)
        return Tool::Select;
    switch (m_doc.create_shapetype) {
    case Circle:
        return Tool::Circle;
    case Polygon:
        return Tool::Polygon;
    default:
        return Tool::Rectangle;
    }
}

QString CanvasTools::coordsCaption(QPointF pos, float zoom_factor)
{
    const QPointF picture = picturePosition(pos, zoom_factor);
    const auto cut = [](double v) { return qint64(std::trunc(v)); };
    return QStringLiteral("X:%1 Y:%2").arg(cut(picture.x())).arg(cut(picture.y()));
}

void CanvasTools::recordZoomClick(QPointF pos)
{
    const QPoint picture = m_host.mainpicPosition();
    m_state.first_left = roundHalfEven32(pos.x() - picture.x());
    m_state.first_top = roundHalfEven32(pos.y() - picture.y());
    m_state.first_actx = roundHalfEven32(pos.x());
    m_state.first_acty = roundHalfEven32(pos.y());
}

void CanvasTools::sbarrow_Click()
{
    m_host.showEscapeHint(false);
    // A polygon being built (or the polygon tool with nothing finished
    // since) is finished here and gets its properties.
    if (m_doc.create_shapetype == Polygon && !m_state.defining_complete && m_doc.active_id != -1)
        m_host.openAreaProperties(m_doc.active_id);
    m_host.setShapeCoordsText(QString());
    m_state.moving_shape = true;
    m_state.defining_shape = false;
    m_state.defining_complete = true;
    m_state.zoom_in = false;
    m_state.zoom_out = false;
    m_host.setCanvasCursor(CanvasCursor::Arrow);
    m_host.showActiveTool(Tool::Select);
    dropRubberBand();
}

void CanvasTools::pointerPressed(Qt::MouseButton button, QPointF pos)
{
    // Handles lie over the picture: a press on one never reaches the
    // picture's rules.
    if (!m_doc.image_file.isEmpty() && !draggingHandle()) {
        if (const std::optional<HandleRef> handle = handleAt(pos)) {
            handlePressed(*handle, button);
            return;
        }
    }
    mouseDown(button, pos);
}

void CanvasTools::pointerMoved(Qt::MouseButtons buttons, QPointF pos)
{
    if (draggingHandle())
        handleDragOver(pos);
    else
        mouseMove(buttons, pos);
}

void CanvasTools::pointerReleased(Qt::MouseButton button, QPointF pos)
{
    // A handle drag commits wherever it is released: the shape the user
    // sees is the shape that is stored.
    if (draggingHandle() && button == Qt::LeftButton)
        handleDropped();
    else
        mouseUp(button, pos);
}

bool CanvasTools::selectArea(int position)
{
    if (!m_doc.shapecol.contains(position) || !m_doc.shapecol.item(position).used)
        return false;
    m_doc.selected_shapeid = qint16(position);
    for (clscoords &area : m_doc.shapecol)
        area.selected = false;
    m_doc.shapecol.item(position).selected = true;
    Reshape();
    m_session.fill_html_textbox();
    return true;
}

void CanvasTools::mouseDown(Qt::MouseButton button, QPointF pos)
{
    if (m_doc.image_file.isEmpty())
        return;
    const QPointF p = picturePoint(pos);

    // Selecting: the area under the pointer becomes the selected one.
    if (button == Qt::LeftButton && m_state.moving_shape)
        selectArea(m_doc.test_shapeid);

    if (button == Qt::RightButton) {
        if (m_doc.create_shapetype != Polygon || m_state.defining_complete) {
            m_state.context_x = float(p.x());
            m_state.context_y = float(p.y());
            m_host.openContextMenu(pos, m_doc.test_shapeid != -1);
        } else {
            sbarrow_Click(); // a right-click ends a polygon like Escape
        }
        return;
    }

    if (m_state.moving_shape) {
        m_state.move_anchor_x = float(p.x());
        m_state.move_anchor_y = float(p.y());
        return;
    }

    if (m_state.zoom_in) {
        if (m_state.allow_zoomin) {
            recordZoomClick(pos);
            m_host.show_zoomed_picture(true);
        }
        return;
    }
    if (m_state.zoom_out) {
        m_state.allow_zoomin = true;
        recordZoomClick(pos);
        m_host.show_zoomed_picture(false);
        return;
    }

    if (button != Qt::LeftButton)
        return;

    if (m_state.defining_shape) {
        clscoords *area = activeArea();
        if (!area)
            return;
        if (m_doc.create_shapetype == Polygon) {
            area->shapetype = Polygon;
            // Past 101 vertices the click adds nothing; the polygon stays open.
            if (area->newpoint(roundHalfEven32(p.x()), roundHalfEven32(p.y())))
                Reshape();
        } else if ((m_doc.create_shapetype == Rectangle || m_doc.create_shapetype == Circle)
                   && !m_state.defining_complete) {
            finishArea(*area, p);
            m_host.openAreaProperties(m_doc.active_id);
        }
        return;
    }

    m_state.defining_shape = true;
    if (m_doc.create_shapetype != Polygon)
        m_state.defining_complete = false;
    clscoords &area = m_doc.shapecol.add(ShapeType(m_doc.create_shapetype));
    area.newpoint(roundHalfEven32(p.x()), roundHalfEven32(p.y()));
    m_doc.active_id = qint16(area.clsindex);
    if (area.shapetype == Polygon)
        Reshape();
}

void CanvasTools::finishArea(clscoords &area, QPointF p)
{
    m_state.defining_complete = true;
    m_state.defining_shape = false;
    if (m_doc.create_shapetype == Rectangle)
        placeRectanglePoints(area, p);
    else
        placeCirclePoints(area, p);
    showShapeHandles(area);
    // The region is built from the final corners, so what the user sees
    // after the second click is exactly the area that was stored.
    Reshape();
}

void CanvasTools::placeRectanglePoints(clscoords &area, QPointF p)
{
    storeShapePoints(area, rectanglePoints(pointOf(area, 0), p));
}

void CanvasTools::placeCirclePoints(clscoords &area, QPointF p)
{
    // The horizontal distance alone sets the size; the box stays square.
    const QPointF corner0 = pointOf(area, 0);
    storeShapePoints(area, circlePoints(corner0, squareCorner(corner0, p.x())));
}

void CanvasTools::mouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    if (m_doc.image_file.isEmpty())
        return;
    const QPointF p = picturePoint(pos);
    m_host.setCoordsCaption(coordsCaption(pos, m_doc.zoom_factor));

    if ((buttons & Qt::LeftButton) && m_doc.active_id != -1) {
        if (m_state.moving_shape)
            moveActiveArea(pos, false);
        return;
    }

    if (m_state.defining_shape && m_doc.active_id != -1) {
        clscoords *area = activeArea();
        if (!area || m_state.defining_complete)
            return;
        if (m_doc.create_shapetype == Rectangle)
            placeRectanglePoints(*area, p);
        else if (m_doc.create_shapetype == Circle)
            placeCirclePoints(*area, p);
        else
            return; // a polygon has no rubber band
        show_outline(*area);
        m_host.setShapeCoordsText(shapeReadout(*area));
        return;
    }

    if (!m_state.defining_shape) {
        m_host.setShapeCoordsText(QString());
        m_state.move_cursor_shown = false;
        hoverPass(pos);
    }
}

void CanvasTools::hoverPass(QPointF pos)
{
    // Visiting every area in position order is what decides which of
    // overlapping areas wins; an area that is neither under the pointer's
    // bounds nor hovered cannot change, so only those are visited, still in
    // position order.
    const int count = m_doc.shapecol.count();
    if (count != m_hoverScanCount) {
        m_candidates.resize(std::size_t(count));
        for (int i = 0; i < count; ++i)
            m_candidates[std::size_t(i)] = i + 1;
        m_hoverScanCount = count;
    } else {
        m_regions.candidatesAt(QPoint(roundHalfEven32(pos.x()), roundHalfEven32(pos.y())), m_candidates);
        const auto middle = m_candidates.insert(m_candidates.end(), m_hovered.begin(), m_hovered.end());
        std::inplace_merge(m_candidates.begin(), middle, m_candidates.end());
        m_candidates.erase(std::unique(m_candidates.begin(), m_candidates.end()), m_candidates.end());
    }
    m_hovered.clear();
    for (int position : m_candidates) {
        check_shape_hover(position, pos);
        if (m_doc.shapecol.item(position).mouseover)
            m_hovered.push_back(position);
    }
}

void CanvasTools::moveActiveArea(QPointF pos, bool commit)
{
    clscoords *area = activeArea();
    if (!area)
        return;
    const QPointF p = picturePoint(pos);
    const double dx = p.x() - double(m_state.move_anchor_x);
    const double dy = p.y() - double(m_state.move_anchor_y);
    m_state.move_anchor_x = float(p.x());
    m_state.move_anchor_y = float(p.y());
    for (int i = 0; i < area->nr_points; ++i)
        storePoint(*area, i, area->getPointX(i) + dx, area->getPointY(i) + dy);
    if (!commit) {
        show_outline(*area);
        return;
    }
    showShapeHandles(*area);
    Reshape();
    m_session.fill_html_textbox();
    m_host.setShapeCoordsText(area->shapetype == Polygon ? QString() : shapeReadout(*area));
}

void CanvasTools::check_shape_hover(int position, QPointF pos)
{
    clscoords &area = m_doc.shapecol.item(position);
    if (!area.used)
        return;
    const QPoint pixel(roundHalfEven32(pos.x()), roundHalfEven32(pos.y()));
    const bool inside = m_regions.contains(position, pixel);
    if (!inside && area.mouseover) {
        area.mouseover = false;
        m_host.repaintCanvas();
        m_doc.test_shapeid = -1;
        if (!m_state.move_cursor_shown)
            m_host.setCanvasCursor(m_state.zoom_in || m_state.zoom_out ? CanvasCursor::Zoom : CanvasCursor::Arrow);
    }
    if (inside && !area.mouseover) {
        area.mouseover = true;
        m_doc.active_id = qint16(position);
        m_doc.test_shapeid = qint16(position);
        m_host.repaintCanvas();
        if (m_state.moving_shape) {
            m_host.setCanvasCursor(CanvasCursor::Move);
            m_state.move_cursor_shown = true;
        }
    }
    if (inside) {
        if (const clscoords *active = activeArea()) {
            const QString readout = shapeReadout(*active);
            if (readout != m_host.shapeCoordsText())
                m_host.setShapeCoordsText(readout);
        }
    }
}

void CanvasTools::mouseUp(Qt::MouseButton button, QPointF pos)
{
    if (m_doc.image_file.isEmpty() || m_doc.active_id == -1 || button == Qt::RightButton || !m_state.moving_shape)
        return;
    moveActiveArea(pos, true);
}

std::optional<HandleRef> CanvasTools::handleAt(QPointF pos) const
{
    const float zoom = m_doc.zoom_factor;
    const double half = HandleSize / 2.0;
    for (int position = m_doc.shapecol.count(); position >= 1; --position) {
        const clscoords &area = m_doc.shapecol.item(position);
        if (!area.used)
            continue;
        for (int i = area.nr_points - 1; i >= 0; --i) {
            if (!area.handleShown(i))
                continue;
            const QPoint centre = zoomedPoint(area, i, zoom);
            if (pos.x() >= centre.x() - half && pos.x() < centre.x() + half && pos.y() >= centre.y() - half
                && pos.y() < centre.y() + half)
                return HandleRef{position, i};
        }
    }
    return std::nullopt;
}

void CanvasTools::handlePressed(HandleRef handle, Qt::MouseButton button)
{
    m_state.defining_complete = true;
    dropRubberBand();
    if (button != Qt::LeftButton || !m_doc.shapecol.contains(handle.position))
        return;
    m_state.dragged_handle_area = handle.position;
    m_state.dragged_handle_point = handle.point;
    m_dragPos = QPointF(zoomedPoint(m_doc.shapecol.item(handle.position), handle.point, m_doc.zoom_factor));
}

void CanvasTools::handleDragOver(QPointF pos)
{
    // Past the shown part of the canvas the drag changes nothing; the drop
    // commits the shape as it last stood there.
    if (!m_host.visibleCanvasRect().contains(QPoint(int(std::floor(pos.x())), int(std::floor(pos.y())))))
        return;
    m_session.history_paused = true;
    const QPointF p = picturePoint(pos);
    m_host.setCoordsCaption(coordsCaption(pos, m_doc.zoom_factor));
    if (!draggingHandle() || !m_doc.shapecol.contains(m_state.dragged_handle_area))
        return;
    clscoords &area = m_doc.shapecol.item(m_state.dragged_handle_area);
    const int point = m_state.dragged_handle_point;
    switch (area.shapetype) {
    case Polygon:
        storePoint(area, point, p.x(), p.y());
        m_dragPos = pos; // the handle's centre follows the pointer exactly
        m_host.setShapeCoordsText(QString());
        break;
    case Rectangle:
        dragRectangleCorner(area, point, p);
        break;
    case Circle:
        dragCircleEdge(area, point, p);
        break;
    default:
        return;
    }
    show_outline(area);
    if (area.shapetype != Polygon)
        Reshape();
    m_session.fill_html_textbox();
}

void CanvasTools::dragRectangleCorner(clscoords &area, int point, QPointF p)
{
    // The two corners that share a side with the dragged one follow it.
    switch (point) {
    case 0:
        storePoint(area, 0, p.x(), p.y());
        storePoint(area, 3, area.getPointX(3), p.y());
        storePoint(area, 2, p.x(), area.getPointY(2));
        break;
    case 3:
        storePoint(area, 3, p.x(), p.y());
        storePoint(area, 1, p.x(), area.getPointY(1));
        storePoint(area, 0, area.getPointX(0), p.y());
        break;
    case 1:
        storePoint(area, 1, p.x(), p.y());
        storePoint(area, 3, p.x(), area.getPointY(3));
        storePoint(area, 2, area.getPointX(2), p.y());
        break;
    case 2:
        storePoint(area, 2, p.x(), p.y());
        storePoint(area, 1, area.getPointX(1), p.y());
        storePoint(area, 0, p.x(), area.getPointY(0));
        break;
    default:
        return;
    }
    showShapeHandles(area);
    m_host.setShapeCoordsText(shapeReadout(area));
}

void CanvasTools::dragCircleEdge(clscoords &area, int point, QPointF p)
{
    // The opposite edge handle stays; the square is rebuilt between the two.
    const double x2 = area.getPointX(2), y2 = area.getPointY(2);
    const double x3 = area.getPointX(3), y3 = area.getPointY(3);
    const double y4 = area.getPointY(4);
    const double x5 = area.getPointX(5), y5 = area.getPointY(5);
    switch (point) {
    case 2: {
        const double d = y4 - p.y();
        storePoint(area, 2, x2, p.y());
        storePoint(area, 0, x2 - d / 2, p.y());
        storePoint(area, 5, x2 - d / 2, p.y() + d / 2);
        storePoint(area, 1, x2 + d / 2, y4);
        storePoint(area, 3, x2 + d / 2, p.y() + d / 2);
        break;
    }
    case 4: {
        const double d = p.y() - y2;
        storePoint(area, 4, x2, p.y());
        storePoint(area, 0, x2 - d / 2, y2);
        storePoint(area, 5, x2 - d / 2, y2 + d / 2);
        storePoint(area, 1, x2 + d / 2, p.y());
        storePoint(area, 3, x2 + d / 2, y2 + d / 2);
        break;
    }
    case 3: {
        const double d = p.x() - x5;
        storePoint(area, 3, p.x(), y3);
        storePoint(area, 1, p.x(), y3 + d / 2);
        storePoint(area, 0, x5, y5 - d / 2);
        storePoint(area, 2, x5 + d / 2, y5 - d / 2);
        storePoint(area, 4, x5 + d / 2, y3 + d / 2);
        break;
    }
    case 5: {
        const double d = x3 - p.x();
        storePoint(area, 5, p.x(), y5);
        storePoint(area, 1, x3, y5 + d / 2);
        storePoint(area, 0, p.x(), y3 - d / 2);
        storePoint(area, 2, p.x() + d / 2, y3 - d / 2);
        storePoint(area, 4, p.x() + d / 2, y5 + d / 2);
        break;
    }
    default:
        return; // the corners of the bounding square have no visible handle
    }
    showShapeHandles(area);
    m_host.setShapeCoordsText(shapeReadout(area));
}

void CanvasTools::handleDropped()
{
    if (!draggingHandle())
        return;
    const int position = m_state.dragged_handle_area;
    m_state.dragged_handle_area = -1;
    m_state.dragged_handle_point = -1;
    m_session.history_paused = false;
    if (!m_doc.shapecol.contains(position))
        return;
    Reshape();
    m_session.fill_html_textbox();
}
