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
