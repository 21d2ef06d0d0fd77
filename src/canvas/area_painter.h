// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_look.h"
#include "area_regions.h"
#include "canvas_state.h"

#include <QImage>
#include <QPainter>

#include <span>
#include <vector>

Qt::BrushStyle hatchBrushStyle(int hatchStyle);

// The hatch patterns repeat every 8 pixels across and down.
inline constexpr int HatchPeriod = 8;

// Writes premultiplied ARGB pixels straight into a canvas-sized picture's
// bits, within the rectangle clip: for thousands of small shapes much
// faster than the painter's general rasteriser, and free of shared state,
// so that several writers may fill separate rows of one picture at once.
class PixelWriter {
public:
    PixelWriter(uchar *bits, qsizetype bytesPerLine, const QRect &clip);
    // Pixels first..last of row y.
    void fill(int y, int first, int last, quint32 argb);
    // Pixels first..last of row y from source, a row indexed by column;
    // copyOpaque leaves the pixels where the source is clear.
    void copy(int y, int first, int last, const quint32 *source);
    void copyOpaque(int y, int first, int last, const quint32 *source);
    // The one-pixel line a cosmetic pen draws, both ends included.
    void line(QPoint from, QPoint to, quint32 argb);

private:
    bool clip(int y, int &first, int &last) const;
    quint32 *row(int y) const;

    uchar *m_bits;
    qsizetype m_stride;
    QRect m_clip;
};

// Paints the areas over the picture: every live area's region hatched in
// its look with its outline, the live outline of an area being drawn,
// moved or reshaped, and the shown point handles on top.
//
// The hatched areas are kept in a layer of the canvas's size, drawn tile by
// tile when first shown and redrawn only where an area's region or look has
// changed since, so a repaint is mostly one copy. Within a tile the areas
// of one look are hatched into a mask, pixel for pixel what the hit test
// holds, and outlined. The hovered and the selected area are drawn above
// the others.
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
    static constexpr int MinBandRows = 64; // fewer are not worth a thread
    // The rows of the piece one thread draws, with its runs, region after
    // region, and where each region's runs end.
    struct Band {
        QRect rows;
        std::vector<PixelRun> runs;
        std::vector<std::size_t> runsEnd;
    };

    void reset(const AreaRegions &regions, const AreaLooks &looks, QSize canvasSize, float zoom);
    void invalidate(const QRect &canvasRect);
    void findChanges(const MapDocument &doc, const AreaRegions &regions);
    void renderTiles(const MapDocument &doc, const AreaRegions &regions, const QRect &exposed);
    // Draws the piece of the layer from the areas of each look that reach
    // it (groups[Normal], groups[Highlighted], groups[Selected]).
    void renderPiece(const QRect &piece, const std::vector<const AreaRegion *> *groups);
    static void paintOutline(PixelWriter &layer, const AreaRegion &region, std::span<const PixelRun> runs, quint32 ink);
    void paintHandles(QPainter &painter, const MapDocument &doc, const AreaRegions &regions, const CanvasState &state,
                      const QRect &exposed, QPointF draggedHandleCentre);

    QImage m_layer;
    QImage m_hatchRows[Hidden]; // each look's hatch across the piece, a row for each row of its period
    std::vector<Band> m_bands;  // kept for their runs' storage
    Hatch m_hatches[3];         // index = Group
    QSize m_canvasSize;
    AreaLooks m_looks;
    float m_zoom = 0;
    quint64 m_epoch = ~quint64(0);
    int m_tilesX = 0;
    int m_tilesY = 0;
    std::vector<bool> m_tileValid;
    std::vector<Drawn> m_drawn; // index = position - 1
};
