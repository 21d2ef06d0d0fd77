#pragma once

#include "area_look.h"
#include "area_regions.h"
#include "canvas_state.h"

#include <QImage>
#include <QPainter>

#include <vector>

Qt::BrushStyle hatchBrushStyle(int hatchStyle);

// Paints the areas over the picture: every live area's region hatched in
// its look with its outline, the live outline of an area being drawn,
// moved or reshaped, and the shown point handles on top.
//
// The hatched areas are kept in a layer of the canvas's size, drawn tile by
// tile when first shown and redrawn only where an area's region or look has
// changed since, so a repaint is mostly one copy. Within a tile the areas
// of one look are filled solid into a mask that is then hatched in one
// pass; hatch lines line up with the canvas origin, so overlapping areas of
// one look hatch exactly as if each were hatched alone. The hovered and the
// selected area are drawn above the others.
class AreaPainter {
public:
    void paint(QPainter &painter, const MapDocument &doc, const AreaRegions &regions, const CanvasState &state,
               const AreaLooks &looks, QSize canvasSize, const QRect &exposed, QPointF draggedHandleCentre);

private:
    enum Group : quint8 { Normal, Highlighted, Selected, Hidden };
    struct Drawn {
        quint64 generation = 0;
        Group group = Hidden;
        QRect bounds;
    };
    // One look's outline colour and one period of its hatch.
    struct Hatch {
        QColor colour;
        QImage tile;
    };
    static constexpr int TileSize = 128;
    static constexpr std::size_t MaxPieceTiles = 256; // 16 MB of drawing at most

    void reset(const AreaRegions &regions, const AreaLooks &looks, QSize canvasSize, float zoom);
    void invalidate(const QRect &canvasRect);
    void findChanges(const MapDocument &doc, const AreaRegions &regions);
    void renderTiles(const MapDocument &doc, const AreaRegions &regions, const QRect &exposed);
    void renderGroup(QPainter &layer, const std::vector<const AreaRegion *> &group, const QRect &piece,
                     const std::vector<QRect> &targets, const Hatch &hatch);
    void paintHandles(QPainter &painter, const MapDocument &doc, const AreaRegions &regions, const CanvasState &state,
                      const QRect &exposed, QPointF draggedHandleCentre);

    QImage m_layer;
    QImage m_mask;
    Hatch m_hatches[3]; // index = Group
    QSize m_canvasSize;
    AreaLooks m_looks;
    float m_zoom = 0;
    quint64 m_epoch = ~quint64(0);
    int m_tilesX = 0;
    int m_tilesY = 0;
    std::vector<bool> m_tileValid;
    std::vector<Drawn> m_drawn; // index = position - 1
};
