#pragma once

#include "model/clscoords.h"

#include <QPoint>

#include <vector>

// The stored points of an area, in order.
inline std::vector<QPoint> pointsOf(const clscoords &area)
{
    std::vector<QPoint> points;
    for (int i = 0; i < area.nr_points; ++i)
        points.emplace_back(area.getPointX(i), area.getPointY(i));
    return points;
}
