// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_geometry.h"

#include "rounding.h"

#include <limits>
#include <optional>

namespace {

std::optional<qint32> stored(double value)
{
    const qint64 rounded = roundHalfEven(value);
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

} // namespace

std::array<QPointF, 4> rectanglePoints(QPointF corner0, QPointF corner1)
{
    return {corner0, corner1, QPointF(corner0.x(), corner1.y()), QPointF(corner1.x(), corner0.y())};
}

std::array<QPointF, 6> circlePoints(QPointF corner0, QPointF corner1, QPointF half)
{
    const double x0 = corner0.x(), y0 = corner0.y();
    const double x1 = corner1.x(), y1 = corner1.y();
    return {corner0,
            corner1,
            QPointF(x0 + half.x(), y0),
            QPointF(x1, y0 + half.y()),
            QPointF(x0 + half.x(), y1),
            QPointF(x0, y0 + half.y())};
}

std::array<QPointF, 6> circlePoints(QPointF corner0, QPointF corner1)
{
    return circlePoints(corner0, corner1, (corner1 - corner0) / 2);
}

std::array<QPointF, 6> circlePointsAround(QPointF centre, double radius)
{
    const QPointF offset(radius, radius);
    return circlePoints(centre - offset, centre + offset, offset);
}

QPointF squareCorner(QPointF corner0, double x)
{
    return {x, corner0.y() + (x - corner0.x())};
}

bool storeShapePoints(clscoords &area, std::span<const QPointF> points)
{
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<qint32> x = stored(points[i].x());
        const std::optional<qint32> y = stored(points[i].y());
        if (!x || !y)
            return false;
        const int index = int(i);
        const bool ok = index < area.nr_points ? area.setpoint(index, *x, *y) : area.newpoint(*x, *y);
        if (!ok)
            return false;
    }
    return true;
}

void showShapeHandles(clscoords &area)
{
    switch (area.shapetype) {
    case Rectangle:
        for (int i = 0; i <= 3; ++i)
            area.setpic(i);
        break;
    case Circle:
        for (int i = 2; i <= 5; ++i)
            area.setpic(i);
        break;
    case Polygon:
        for (int i = 0; i < area.nr_points; ++i)
            area.setpic(i);
        break;
    default:
        break;
    }
}
