// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_painter.h"

#include "canvas_tools.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <span>

namespace {

// The box whose outline, drawn with a one-pixel pen, runs along the first
// and last pixel of the region (a drawn rectangle spans its size plus the pen).
QRect outlineBox(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 2, std::max(top, bottom) - 2));
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
    QImage tile(HatchPeriod, HatchPeriod, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter(&tile).fillRect(tile.rect(), QBrush(look.colour, hatchBrushStyle(look.hatchStyle)));
    return tile;
}

} // namespace

PixelWriter::PixelWriter(uchar *bits, qsizetype bytesPerLine, const QRect &clip)
    : m_bits(bits), m_stride(bytesPerLine), m_clip(clip)
{}

quint32 *PixelWriter::row(int y) const
{
    return reinterpret_cast<quint32 *>(m_bits + qsizetype(y) * m_stride);
}

bool PixelWriter::clip(int y, int &first, int &last) const
{
    first = std::max(first, m_clip.left());
    last = std::min(last, m_clip.right());
    return y >= m_clip.top() && y <= m_clip.bottom() && first <= last;
}

void PixelWriter::fill(int y, int first, int last, quint32 argb)
{
    if (clip(y, first, last))
        std::fill(row(y) + first, row(y) + last + 1, argb);
}

void PixelWriter::copy(int y, int first, int last, const quint32 *source)
{
    if (clip(y, first, last))
        std::copy(source + first, source + last + 1, row(y) + first);
}

void PixelWriter::copyOpaque(int y, int first, int last, const quint32 *source)
{
    if (!clip(y, first, last))
        return;
    quint32 *target = row(y);
    for (int x = first; x <= last; ++x)
        if (qAlpha(source[x]) != 0)
            target[x] = source[x];
}

void PixelWriter::line(QPoint from, QPoint to, quint32 argb)
{
    if (!QRect(from, to).normalized().intersects(m_clip))
        return;
    // Bresenham: both ends and one pixel per step along the longer axis.
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    for (;;) {
        fill(p.y(), p.x(), p.x(), argb);
        if (p == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

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
    // one by one so that little outside them is drawn for nothing.
    const std::size_t boxTiles = std::size_t(dirty.width() / TileSize) * std::size_t(dirty.height() / TileSize);
    std::vector<QRect> pieces;
    if (tiles.size() * 2 >= boxTiles)
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

    const QRect canvas(QPoint(0, 0), m_canvasSize);
    for (std::size_t p = 0; p < pieces.size(); ++p)
        renderPiece(pieces[p] & canvas, &groups[p * 3]);
    // A piece covers its tiles whole, also those that were still right.
    for (const QRect &piece : pieces)
        for (int ty = piece.top() / TileSize; ty <= piece.bottom() / TileSize; ++ty)
            for (int tx = piece.left() / TileSize; tx <= piece.right() / TileSize; ++tx)
                m_tileValid[std::size_t(ty) * std::size_t(m_tilesX) + std::size_t(tx)] = true;
}

void AreaPainter::renderPiece(const QRect &piece, const std::vector<const AreaRegion *> *groups)
{
    // The hatch of each look across the piece's width, one row for each row
    // of its period, so that each run is hatched with one copy. The lines
    // line up with the canvas origin, so overlapping areas of one look hatch
    // exactly as if each were hatched alone.
    for (int g = 0; g < Hidden; ++g) {
        QImage &rows = m_hatchRows[g];
        if (rows.width() != piece.width())
            rows = QImage(piece.width(), HatchPeriod, QImage::Format_ARGB32_Premultiplied);
        for (int r = 0; r < HatchPeriod; ++r) {
            const auto *tileRow = reinterpret_cast<const quint32 *>(m_hatches[g].tile.constScanLine(r));
            auto *row = reinterpret_cast<quint32 *>(rows.scanLine(r));
            for (int c = 0; c < piece.width(); ++c)
                row[c] = tileRow[(piece.left() + c) % HatchPeriod];
        }
    }

    // Bands of rows are drawn at the same time, each straight into its own
    // rows of the layer and from its own runs; a band's runs reach one pixel
    // beyond it, where its outline needs to know what lies next to its edge.
    const int bandCount = std::clamp(piece.height() / MinBandRows, 1, std::max(1, QThread::idealThreadCount()));
    m_bands.resize(std::size_t(bandCount));
    for (int b = 0; b < bandCount; ++b) {
        const int top = piece.top() + piece.height() * b / bandCount;
        const int bottom = piece.top() + piece.height() * (b + 1) / bandCount - 1;
        m_bands[std::size_t(b)].rows = QRect(QPoint(piece.left(), top), QPoint(piece.right(), bottom));
    }
    uchar *const bits = m_layer.bits(); // detached here, before the bands write
    QtConcurrent::blockingMap(m_bands, [&](Band &band) {
        PixelWriter layer(bits, m_layer.bytesPerLine(), band.rows);
        for (int y = band.rows.top(); y <= band.rows.bottom(); ++y)
            layer.fill(y, band.rows.left(), band.rows.right(), 0);
        // The hovered and the selected area go over the others, their
        // hatch's gaps letting what is below show through.
        for (int g = 0; g < Hidden; ++g) {
            const std::vector<const AreaRegion *> &group = groups[g];
            band.runs.clear();
            band.runsEnd.clear();
            for (const AreaRegion *region : group) {
                region->appendRuns(band.rows.adjusted(-1, -1, 1, 1), band.runs);
                band.runsEnd.push_back(band.runs.size());
            }
            const QImage &hatchRows = m_hatchRows[g];
            for (const PixelRun &run : band.runs) {
                const quint32 *hatch =
                    reinterpret_cast<const quint32 *>(hatchRows.constScanLine(run.y % HatchPeriod)) - piece.left();
                if (g == Normal)
                    layer.copy(run.y, run.first, run.last, hatch);
                else
                    layer.copyOpaque(run.y, run.first, run.last, hatch);
            }
            const quint32 ink = qPremultiply(m_hatches[g].colour.rgba());
            for (std::size_t i = 0; i < group.size(); ++i) {
                const std::size_t begin = i == 0 ? 0 : band.runsEnd[i - 1];
                paintOutline(layer, *group[i], {band.runs.data() + begin, band.runsEnd[i] - begin}, ink);
            }
        }
    });
}

void AreaPainter::paintOutline(PixelWriter &layer, const AreaRegion &region, std::span<const PixelRun> runs,
                               quint32 ink)
{
    if (region.kind == AreaRegion::Poly) {
        // Every edge, also of a polygon with no inside at all.
        const QPolygon &vertices = region.polygon;
        for (qsizetype i = 0; i < vertices.size(); ++i)
            layer.line(vertices[i], vertices[(i + 1) % vertices.size()], ink);
        return;
    }
    if (region.isEmpty()) {
        // A flat box or ellipse has no pixels to outline: a line shows it.
        const QRect corners = region.outlineRect();
        layer.line(corners.topLeft(), corners.bottomRight(), ink);
        return;
    }
    // The outline is the region's pixels that have a neighbour outside it:
    // the ends of each row's run and what the rows above and below do not
    // cover. Boxes and ellipses have one run a row.
    const auto uncovered = [&](const PixelRun &run, const PixelRun *other) {
        if (!other) {
            layer.fill(run.y, run.first, run.last, ink);
            return;
        }
        layer.fill(run.y, run.first, std::min(run.last, other->first - 1), ink);
        layer.fill(run.y, std::max(run.first, other->last + 1), run.last, ink);
    };
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const PixelRun &run = runs[i];
        const PixelRun *above = i > 0 && runs[i - 1].y == run.y - 1 ? &runs[i - 1] : nullptr;
        const PixelRun *below = i + 1 < runs.size() && runs[i + 1].y == run.y + 1 ? &runs[i + 1] : nullptr;
        layer.fill(run.y, run.first, run.first, ink);
        layer.fill(run.y, run.last, run.last, ink);
        uncovered(run, above);
        uncovered(run, below);
    }
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
