// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_regions.h"

void AreaRegions::ensureSize(std::size_t count)
{
    if (m_bounds.size() < count) {
        m_bounds.resize(count);
        m_regions.resize(count);
        m_generations.resize(count);
        m_builtFrom.resize(count);
    }
}

void AreaRegions::reshape(const clscoords &area, float zoom_factor)
{
    if (area.clsindex < 1)
        return;
    const auto index = std::size_t(area.clsindex - 1);
    ensureSize(index + 1);
    m_regions[index] = regionOf(area, zoom_factor);
    m_bounds[index] = m_regions[index].boundingRect();
    m_generations[index] = m_nextGeneration++;
    m_builtFrom[index] = area.revision();
}

void AreaRegions::reshapeChanged(const MapDocument &doc)
{
    const auto count = std::size_t(doc.shapecol.count());
    ensureSize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const clscoords &area = doc.shapecol.item(int(i + 1));
        if (area.revision() != m_builtFrom[i])
            reshape(area, doc.zoom_factor);
    }
}

void AreaRegions::reshapeAll(const MapDocument &doc)
{
    clear();
    ensureSize(std::size_t(doc.shapecol.count()));
    for (const clscoords &area : doc.shapecol)
        if (area.used)
            reshape(area, doc.zoom_factor);
}

void AreaRegions::clear()
{
    m_bounds.clear();
    m_regions.clear();
    m_generations.clear();
    m_builtFrom.clear();
    ++m_epoch;
}

quint64 AreaRegions::generation(int position) const
{
    if (position < 1 || std::size_t(position) > m_generations.size())
        return 0;
    return m_generations[std::size_t(position - 1)];
}

QRect AreaRegions::bounds(int position) const
{
    if (position < 1 || std::size_t(position) > m_bounds.size())
        return {};
    return m_bounds[std::size_t(position - 1)];
}

bool AreaRegions::contains(int position, QPoint canvasPixel) const
{
    if (position < 1 || std::size_t(position) > m_bounds.size())
        return false;
    const auto index = std::size_t(position - 1);
    return m_bounds[index].contains(canvasPixel) && m_regions[index].contains(canvasPixel);
}

QRect AreaRegions::outlineBounds(int position) const
{
    const AreaRegion *region = regionAt(position);
    return region ? region->outlineRect() : QRect();
}

const AreaRegion *AreaRegions::regionAt(int position) const
{
    if (position < 1 || std::size_t(position) > m_regions.size())
        return nullptr;
    const AreaRegion &region = m_regions[std::size_t(position - 1)];
    return region.kind == AreaRegion::None ? nullptr : &region;
}

void AreaRegions::candidatesAt(QPoint canvasPixel, std::vector<int> &positions) const
{
    positions.clear();
    for (std::size_t i = 0; i < m_bounds.size(); ++i)
        if (m_bounds[i].contains(canvasPixel))
            positions.push_back(int(i + 1));
}
