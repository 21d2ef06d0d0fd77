#include "area_painter.h"

#include "canvas_tools.h"

#include <algorithm>

namespace {

// The box whose outline, drawn with a one-pixel pen, runs along the first
// and last pixel of the region (a drawn rectangle spans its size plus the pen).
QRect outlineBox(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 2, std::max(top, bottom) - 2));
}

QRect outlineBoxOf(const AreaRegion &region)
{
    return outlineBox(region.left, region.top, region.right, region.bottom);
}

void paintRegion(QPainter &painter, const AreaRegion &region)
{
    switch (region.kind) {
    case AreaRegion::Box:
        painter.drawRect(outlineBoxOf(region));
        break;
    case AreaRegion::Ellipse:
        painter.drawEllipse(outlineBoxOf(region));
        break;
    case AreaRegion::Poly:
        painter.drawPolygon(region.polygon, Qt::OddEvenFill);
        break;
    case AreaRegion::None:
        break;
    }
}

// The outline of the area as its points stand now, before its region is
// rebuilt: the rubber band while drawing, the shape while moving.
void paintLiveOutline(QPainter &painter, const clscoords &area, float zoom)
{
    painter.setBrush(Qt::NoBrush);
    if (area.shapetype == Polygon) {
        QPolygon polygon;
        for (int i = 0; i < area.nr_points; ++i)
            polygon.append(zoomedPoint(area, i, zoom));
        painter.drawPolygon(polygon);
        return;
    }
    const QPoint p0 = zoomedPoint(area, 0, zoom);
    const QPoint p1 = zoomedPoint(area, 1, zoom);
    const QRect box = outlineBox(p0.x(), p0.y(), p1.x(), p1.y());
    if (area.shapetype == Rectangle)
        painter.drawRect(box);
    else if (area.shapetype == Circle)
        painter.drawEllipse(box);
}

// One period of the hatch: its lines in the look's colour on a clear ground.
QImage hatchTile(const AreaLook &look)
{
    QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter(&tile).fillRect(tile.rect(), QBrush(look.colour, hatchBrushStyle(look.hatchStyle)));
    return tile;
}

} // namespace

Qt::BrushStyle hatchBrushStyle(int hatchStyle)
{
    switch (hatchStyle) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    case 5:
        return Qt::DiagCrossPattern;
    default:
        return Qt::HorPattern;
    }
}

void AreaPainter::paint(QPainter &painter, const MapDocument &doc, const AreaRegions &regions, const CanvasState &state,
                        const AreaLooks &looks, QSize canvasSize, const QRect &exposed, QPointF draggedHandleCentre)
{
    if (canvasSize != m_canvasSize || !(looks == m_looks) || doc.zoom_factor != m_zoom || regions.epoch() != m_epoch)
        reset(regions, looks, canvasSize, doc.zoom_factor);
    const QRect shown = exposed & QRect(QPoint(0, 0), canvasSize);
    if (!shown.isEmpty()) {
        findChanges(doc, regions);
        renderTiles(doc, regions, shown);
        painter.drawImage(shown.topLeft(), m_layer, shown);
    }

    if (doc.shapecol.contains(state.outline_area)) {
        painter.setPen(QPen(looks.normal.colour, 0, Qt::DashLine));
        paintLiveOutline(painter, doc.shapecol.item(state.outline_area), doc.zoom_factor);
    }
    paintHandles(painter, doc, regions, state, exposed, draggedHandleCentre);
}

void AreaPainter::reset(const AreaRegions &regions, const AreaLooks &looks, QSize canvasSize, float zoom)
{
    m_canvasSize = canvasSize;
    m_looks = looks;
    m_zoom = zoom;
    m_epoch = regions.epoch();
    m_layer = QImage(canvasSize.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    m_tilesX = (canvasSize.width() + TileSize - 1) / TileSize;
    m_tilesY = (canvasSize.height() + TileSize - 1) / TileSize;
    m_tileValid.assign(std::size_t(m_tilesX) * std::size_t(m_tilesY), false);
    m_drawn.clear();
    m_hatches[Normal] = {looks.normal.colour, hatchTile(looks.normal)};
    m_hatches[Highlighted] = {looks.highlighted.colour, hatchTile(looks.highlighted)};
    m_hatches[Selected] = {looks.selected.colour, hatchTile(looks.selected)};
}

void AreaPainter::invalidate(const QRect &canvasRect)
{
    const QRect r = canvasRect & QRect(QPoint(0, 0), m_canvasSize);
    if (r.isEmpty())
        return;
    for (int ty = r.top() / TileSize; ty <= r.bottom() / TileSize; ++ty)
        for (int tx = r.left() / TileSize; tx <= r.right() / TileSize; ++tx)
            m_tileValid[std::size_t(ty) * std::size_t(m_tilesX) + std::size_t(tx)] = false;
}

void AreaPainter::findChanges(const MapDocument &doc, const AreaRegions &regions)
{
    // An area's drawing changes when its region is rebuilt or its look
    // changes; the tiles under its old and new place are drawn again.
    const int count = doc.shapecol.count();
    if (m_drawn.size() < std::size_t(count))
        m_drawn.resize(std::size_t(count));
    for (int position = 1; position <= count; ++position) {
        const clscoords &area = doc.shapecol.item(position);
        Drawn now;
        if (area.used && regions.regionAt(position)) {
            now.generation = regions.generation(position);
            now.group = (area.selected || position == doc.selected_shapeid) ? Selected
                        : area.mouseover                                    ? Highlighted
                                                                            : Normal;
            // A pixel of margin for the outline's pen.
            now.bounds = regions.outlineBounds(position).adjusted(-1, -1, 1, 1);
        }
        Drawn &before = m_drawn[std::size_t(position - 1)];
        if (now.generation == before.generation && now.group == before.group)
            continue;
        invalidate(before.bounds);
        invalidate(now.bounds);
        before = now;
    }
}

void AreaPainter::renderTiles(const MapDocument &doc, const AreaRegions &regions, const QRect &exposed)
{
    const int tx0 = exposed.left() / TileSize, tx1 = exposed.right() / TileSize;
    const int ty0 = exposed.top() / TileSize, ty1 = exposed.bottom() / TileSize;
    std::vector<QRect> tiles;
    QRect dirty;
    for (int ty = ty0; ty <= ty1; ++ty)
        for (int tx = tx0; tx <= tx1; ++tx)
            if (!m_tileValid[std::size_t(ty) * std::size_t(m_tilesX) + std::size_t(tx)]) {
                tiles.emplace_back(tx * TileSize, ty * TileSize, TileSize, TileSize);
                dirty |= tiles.back();
            }
    if (tiles.empty())
        return;

    // An area that crosses tile borders would be drawn once in every tile
    // it reaches; when the tiles to draw fill most of their bounding box, as
    // after a load or a zoom step, the box is drawn as one piece instead, so
    // each area is drawn once. Scattered tiles, as after a hover, are drawn
    // one by one so that little outside them is drawn for nothing, and so
    // is a box too big to hold one more picture of its size.
    const std::size_t boxTiles = std::size_t(dirty.width() / TileSize) * std::size_t(dirty.height() / TileSize);
    std::vector<QRect> pieces;
    if (tiles.size() * 2 >= boxTiles && boxTiles <= MaxPieceTiles)
        pieces.push_back(dirty);
    else
        pieces = tiles;

    // Areas of each look that reach a piece to draw, in position order.
    std::vector<std::vector<const AreaRegion *>> groups(pieces.size() * 3);
    const int count = std::min(doc.shapecol.count(), int(m_drawn.size()));
    for (int position = 1; position <= count; ++position) {
        const Group group = m_drawn[std::size_t(position - 1)].group;
        if (group == Hidden)
            continue;
        const QRect &bounds = m_drawn[std::size_t(position - 1)].bounds;
        if (!bounds.intersects(dirty))
            continue;
        for (std::size_t p = 0; p < pieces.size(); ++p)
            if (bounds.intersects(pieces[p]))
                groups[p * 3 + group].push_back(regions.regionAt(position));
    }

    QPainter layer(&m_layer);
    layer.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &tile : tiles)
        layer.fillRect(tile, Qt::transparent);
    layer.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const bool whole = pieces.size() > 1 || tiles.size() == boxTiles;
        const std::vector<QRect> &targets = whole ? std::vector<QRect>{pieces[p]} : tiles;
        renderGroup(layer, groups[p * 3 + Normal], pieces[p], targets, m_hatches[Normal]);
        renderGroup(layer, groups[p * 3 + Highlighted], pieces[p], targets, m_hatches[Highlighted]);
        renderGroup(layer, groups[p * 3 + Selected], pieces[p], targets, m_hatches[Selected]);
    }
    for (const QRect &tile : tiles)
        m_tileValid[std::size_t(tile.y() / TileSize) * std::size_t(m_tilesX) + std::size_t(tile.x() / TileSize)] = true;
}

void AreaPainter::renderGroup(QPainter &layer, const std::vector<const AreaRegion *> &group, const QRect &piece,
                              const std::vector<QRect> &targets, const Hatch &hatch)
{
    if (group.empty())
        return;
    if (m_mask.size() != piece.size())
        m_mask = QImage(piece.size(), QImage::Format_ARGB32_Premultiplied);
    m_mask.fill(Qt::transparent);
    {
        QPainter mask(&m_mask);
        mask.translate(-piece.topLeft());
        mask.setPen(Qt::NoPen);
        mask.setBrush(Qt::black);
        for (const AreaRegion *region : group)
            paintRegion(mask, *region);
        // Keep the hatch lines where the mask is set; the gaps go clear.
        mask.setCompositionMode(QPainter::CompositionMode_SourceIn);
        mask.fillRect(piece, QBrush(hatch.tile));
        mask.setCompositionMode(QPainter::CompositionMode_SourceOver);
        mask.setPen(QPen(hatch.colour, 0));
        mask.setBrush(Qt::NoBrush);
        for (const AreaRegion *region : group)
            paintRegion(mask, *region);
    }
    // Only the tiles asked for take the drawing; the rest of the layer is
    // already right.
    for (const QRect &target : targets)
        layer.drawImage(target.topLeft(), m_mask, target.translated(-piece.topLeft()));
}

void AreaPainter::paintHandles(QPainter &painter, const MapDocument &doc, const AreaRegions &regions,
                               const CanvasState &state, const QRect &exposed, QPointF draggedHandleCentre)
{
    // One small picture per handle is much faster than stroking squares.
    static const QImage sprite = [] {
        QImage image(HandleSize, HandleSize, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter(&image).fillRect(1, 1, HandleSize - 2, HandleSize - 2, Qt::white);
        return image;
    }();
    const QRect reach = exposed.adjusted(-HandleSize, -HandleSize, HandleSize, HandleSize);
    const float zoom = doc.zoom_factor;
    for (const clscoords &area : doc.shapecol) {
        if (!area.used)
            continue;
        // Handles sit on the area's points, which its region's bounds hold
        // unless the area is being changed right now.
        const bool changing = area.clsindex == state.outline_area || area.clsindex == state.dragged_handle_area;
        const QRect bounds = regions.outlineBounds(area.clsindex);
        if (!changing && !bounds.isEmpty() && !bounds.intersects(reach))
            continue;
        for (int i = 0; i < area.nr_points; ++i) {
            if (!area.handleShown(i))
                continue;
            const bool dragged = area.shapetype == Polygon && area.clsindex == state.dragged_handle_area
                                 && i == state.dragged_handle_point;
            const QPointF centre = dragged ? draggedHandleCentre : QPointF(zoomedPoint(area, i, zoom));
            const QPoint corner(int(std::floor(centre.x())) - HandleSize / 2,
                                int(std::floor(centre.y())) - HandleSize / 2);
            if (reach.contains(corner))
                painter.drawImage(corner, sprite);
        }
    }
}
