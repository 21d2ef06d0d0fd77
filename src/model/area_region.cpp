#include "area_region.h"

#include "rounding.h"

#include <algorithm>

namespace {

__extension__ typedef __int128 Wide; // products of four 34-bit values

struct Span {
    qint64 lo, hi; // half-open [lo, hi)
};

Span sorted(int a, int b)
{
    return a <= b ? Span{a, b} : Span{b, a};
}

} // namespace

qint32 zoomedCoordinate(qint32 value, float zoom_factor)
{
    return roundHalfEven32(double(value) * double(zoom_factor));
}

QPoint zoomedPoint(const clscoords &area, int index, float zoom_factor)
{
    return QPoint(zoomedCoordinate(area.getPointX(index), zoom_factor),
                  zoomedCoordinate(area.getPointY(index), zoom_factor));
}

bool AreaRegion::isEmpty() const
{
    return boundingRect().isEmpty();
}

QRect AreaRegion::boundingRect() const
{
    switch (kind) {
    case Box:
    case Ellipse: {
        const Span h = sorted(left, right);
        const Span v = sorted(top, bottom);
        if (h.lo == h.hi || v.lo == v.hi)
            return {};
        return QRect(QPoint(int(h.lo), int(v.lo)), QPoint(int(h.hi - 1), int(v.hi - 1)));
    }
    case Poly: {
        if (polygon.size() < 3)
            return {};
        const QRect r = polygon.boundingRect(); // inclusive of the max vertex
        // A pixel is covered only when its centre is inside, so the pixels
        // at the maximum coordinates can never be.
        if (r.width() <= 1 || r.height() <= 1)
            return {};
        return r.adjusted(0, 0, -1, -1);
    }
    case None:
        break;
    }
    return {};
}

QRect AreaRegion::outlineRect() const
{
    switch (kind) {
    case Box:
    case Ellipse:
        return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                     QPoint(std::max(left, right), std::max(top, bottom)));
    case Poly:
        return polygon.boundingRect();
    case None:
        break;
    }
    return {};
}

bool AreaRegion::contains(QPoint pixel) const
{
    // Work in doubled coordinates so that pixel centres are whole numbers.
    const qint64 px = 2 * qint64(pixel.x()) + 1;
    const qint64 py = 2 * qint64(pixel.y()) + 1;
    switch (kind) {
    case Box: {
        const Span h = sorted(left, right);
        const Span v = sorted(top, bottom);
        return pixel.x() >= h.lo && pixel.x() < h.hi && pixel.y() >= v.lo && pixel.y() < v.hi;
    }
    case Ellipse: {
        const Span h = sorted(left, right);
        const Span v = sorted(top, bottom);
        if (h.lo == h.hi || v.lo == v.hi)
            return false;
        // ((px - cx) / a)^2 + ((py - cy) / b)^2 <= 1 with a, b the doubled
        // half-axes, multiplied out.
        const Wide dx = px - (h.lo + h.hi);
        const Wide dy = py - (v.lo + v.hi);
        const Wide a = h.hi - h.lo;
        const Wide b = v.hi - v.lo;
        return dx * dx * b * b + dy * dy * a * a <= a * a * b * b;
    }
    case Poly: {
        bool inside = false;
        const qsizetype n = polygon.size();
        if (n < 3)
            return false;
        for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
            const qint64 xi = 2 * qint64(polygon[i].x()), yi = 2 * qint64(polygon[i].y());
            const qint64 xj = 2 * qint64(polygon[j].x()), yj = 2 * qint64(polygon[j].y());
            // Vertices are even and py is odd, so no vertex lies on the ray.
            if ((yi > py) == (yj > py))
                continue;
            // Does the edge cross the horizontal ray to the right of px?
            // px < xi + (xj - xi) * (py - yi) / (yj - yi), sign-corrected.
            const Wide lhs = Wide(px - xi) * (yj - yi);
            const Wide rhs = Wide(xj - xi) * (py - yi);
            if (yj > yi ? lhs < rhs : lhs > rhs)
                inside = !inside;
        }
        return inside;
    }
    case None:
        break;
    }
    return false;
}

AreaRegion regionOf(const clscoords &area, float zoom_factor)
{
    AreaRegion region;
    if (!area.used)
        return region;
    switch (area.shapetype) {
    case Polygon:
        region.kind = AreaRegion::Poly;
        region.polygon.reserve(area.nr_points);
        for (int i = 0; i < area.nr_points; ++i)
            region.polygon.append(zoomedPoint(area, i, zoom_factor));
        break;
    case Rectangle:
    case Circle: {
        region.kind = area.shapetype == Rectangle ? AreaRegion::Box : AreaRegion::Ellipse;
        const QPoint p0 = zoomedPoint(area, 0, zoom_factor);
        const QPoint p1 = zoomedPoint(area, 1, zoom_factor);
        region.left = p0.x();
        region.top = p0.y();
        region.right = p1.x();
        region.bottom = p1.y();
        break;
    }
    default:
        break;
    }
    return region;
}
