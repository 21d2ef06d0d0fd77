// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_collection.h"

clscoords &AreaCollection::add(ShapeType shape)
{
    clscoords &area = m_areas.emplace_back();
    area.clsindex = qint16(count());
    area.shapetype = shape;
    return area;
}

clscoords &AreaCollection::append(const clscoords &area)
{
    clscoords &copy = m_areas.emplace_back(area);
    copy.clsindex = qint16(count());
    return copy;
}

clscoords &AreaCollection::append(clscoords &&area)
{
    clscoords &moved = m_areas.emplace_back(std::move(area));
    moved.clsindex = qint16(count());
    return moved;
}
