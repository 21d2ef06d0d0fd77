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

    // Rebuilds every region, after a zoom step, a load or an undo.
    void reshapeAll(const MapDocument &doc);

    // Forgets every region (a new document).
    void clear() { m_entries.clear(); }

    bool contains(int position, QPoint canvasPixel) const;
    const AreaRegion *regionAt(int position) const;

private:
    struct Entry {
        AreaRegion region;
        QRect bounds;
        bool built = false;
    };
    std::vector<Entry> m_entries; // index = position - 1
};
