#include "area_regions.h"

void AreaRegions::reshape(const clscoords &area, float zoom_factor)
{
    if (area.clsindex < 1)
        return;
    const auto index = std::size_t(area.clsindex - 1);
    if (m_entries.size() <= index)
        m_entries.resize(index + 1);
    Entry &entry = m_entries[index];
    entry.region = regionOf(area, zoom_factor);
    entry.bounds = entry.region.boundingRect();
    entry.built = entry.region.kind != AreaRegion::None;
}

void AreaRegions::reshapeAll(const MapDocument &doc)
{
    m_entries.clear();
    m_entries.resize(std::size_t(doc.shapecol.count()));
    for (const clscoords &area : doc.shapecol)
        if (area.used)
            reshape(area, doc.zoom_factor);
}

bool AreaRegions::contains(int position, QPoint canvasPixel) const
{
    const AreaRegion *region = regionAt(position);
    if (!region)
        return false;
    const Entry &entry = m_entries[std::size_t(position - 1)];
    return entry.bounds.contains(canvasPixel) && region->contains(canvasPixel);
}

const AreaRegion *AreaRegions::regionAt(int position) const
{
    if (position < 1 || std::size_t(position) > m_entries.size())
        return nullptr;
    const Entry &entry = m_entries[std::size_t(position - 1)];
    return entry.built ? &entry.region : nullptr;
}
