// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/area_region.h"
#include "model/map_document.h"

#include <vector>

// The hit region of every area at the current zoom, kept between changes so
// that a mouse move tests areas without rebuilding anything. A region is
// (re)built only when its area is reshaped or the zoom changes; an area
// that has never been reshaped has no region and is never hit.
class AreaRegions {
public:
    // Rebuilds the region of one area (its position is its clsindex).
    void reshape(const clscoords &area, float zoom_factor);

    // Rebuilds the region of every area whose shape changed since its
    // region was built, and drops those of deleted areas: what a repaint of
    // the whole canvas does, so an area that was left half drawn shows too.
    void reshapeChanged(const MapDocument &doc);

    // Rebuilds every region, after a zoom step, a load or an undo.
    void reshapeAll(const MapDocument &doc);

    // Forgets every region (a new document).
    void clear();

    bool contains(int position, QPoint canvasPixel) const;
    // The area's region to draw, or null when it has none; an empty region
    // still has an outline to draw.
    const AreaRegion *regionAt(int position) const;

    // Positions, ascending, of the areas whose region may hold the pixel.
    void candidatesAt(QPoint canvasPixel, std::vector<int> &positions) const;

    // Change counters for whoever caches drawings of the regions: the
    // epoch moves when all regions are rebuilt or forgotten, an area's
    // generation whenever its own region is rebuilt.
    quint64 epoch() const { return m_epoch; }
    quint64 generation(int position) const;
    QRect bounds(int position) const;        // the pixels that hit the area
    QRect outlineBounds(int position) const; // where its outline may draw
    int size() const { return int(m_bounds.size()); }

private:
    void ensureSize(std::size_t count);

    // Bounds apart from the regions, so that a hover scan reads one small
    // array instead of touching every area. Empty bounds: no region.
    std::vector<QRect> m_bounds; // index = position - 1
    std::vector<AreaRegion> m_regions;
    std::vector<quint64> m_generations;
    std::vector<quint64> m_builtFrom; // the area's revision its region was built from
    quint64 m_epoch = 0;
    quint64 m_nextGeneration = 1;
};
