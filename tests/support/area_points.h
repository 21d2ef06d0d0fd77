// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/area_geometry.h"
#include "model/map_document.h"

#include <QPoint>

#include <initializer_list>
#include <vector>

// The stored points of an area, in order.
inline std::vector<QPoint> pointsOf(const clscoords &area)
{
    std::vector<QPoint> points;
    for (int i = 0; i < area.nr_points; ++i)
        points.emplace_back(area.getPointX(i), area.getPointY(i));
    return points;
}

// An area as the editor keeps it, added to the map: a rectangle or a circle
// from two opposite corners, a polygon from its vertices.
inline clscoords &addArea(MapDocument &doc, ShapeType type, std::initializer_list<QPoint> points,
                          const QString &link = {})
{
    clscoords &area = doc.shapecol.add(type);
    const std::vector<QPointF> given(points.begin(), points.end());
    if (type == Rectangle)
        storeShapePoints(area, rectanglePoints(given.at(0), given.at(1)));
    else if (type == Circle)
        storeShapePoints(area, circlePoints(given.at(0), given.at(1)));
    else
        storeShapePoints(area, given);
    area.link = link;
    return area;
}
