// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_region.h"

#include "rounding.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

__extension__ typedef __int128 Wide; // products of four 34-bit values

struct Span {
    qint64 lo, hi; // half-open [lo, hi)
};

Span sorted(int a, int b)
{
    return a <= b ? Span{a, b} : Span{b, a};
}

// The smallest whole number not below num / den, for den > 0.
template <typename Int> Int ceilDiv(Int num, Int den)
{
    return num / den + (num % den > 0 ? 1 : 0);
}

// Pixel centres are the odd doubled coordinates: the pixels whose centre
// lies in [lo, hi], as a column range (empty when first > last).
template <typename Int> std::pair<qint64, qint64> pixelsBetweenCentres(Int lo, Int hi)
{
    if ((lo & 1) == 0)
        ++lo;
    if ((hi & 1) == 0)
        --hi;
    return {qint64((lo - 1) >> 1), qint64((hi - 1) >> 1)}; // exact: both are even
}

// The rows' runs of an even-odd polygon: where each edge crosses a row's
// centre line, as num / den in doubled coordinates; a centre is inside when
// an odd number of crossings lie right of it, so the inside runs from one
// crossing (included) to the next (excluded). Int holds the numerators.
template <typename Int, typename Add> void appendPolygonRuns(const QPolygon &polygon, const QRect &rows, Add &&add)
{
    struct Crossing {
        Int num, den;
    };
    std::vector<Crossing> crossings;
    const qsizetype n = polygon.size();
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const qint64 py = 2 * qint64(y) + 1;
        crossings.clear();
        for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
            const qint64 xi = 2 * qint64(polygon[i].x()), yi = 2 * qint64(polygon[i].y());
            const qint64 xj = 2 * qint64(polygon[j].x()), yj = 2 * qint64(polygon[j].y());
            if ((yi > py) == (yj > py))
                continue;
            const Int den = yj - yi;
            const Int num = Int(xi) * den + Int(xj - xi) * (py - yi);
            crossings.push_back(den > 0 ? Crossing{num, den} : Crossing{-num, -den});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing &p, const Crossing &q) { return Wide(p.num) * q.den < Wide(q.num) * p.den; });
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
            const Crossing &from = crossings[k];
            const Crossing &to = crossings[k + 1];
            add(y, pixelsBetweenCentres<Int>(ceilDiv<Int>(from.num, from.den), ceilDiv<Int>(to.num, to.den) - 1));
        }
    }
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

void AreaRegion::appendRuns(const QRect &clip, std::vector<PixelRun> &runs) const
{
    const QRect rows = boundingRect() & clip;
    if (rows.isEmpty())
        return;
    const auto add = [&](int y, std::pair<qint64, qint64> columns) {
        const qint64 first = std::max<qint64>(columns.first, rows.left());
        const qint64 last = std::min<qint64>(columns.second, rows.right());
        if (first <= last)
            runs.push_back({y, int(first), int(last)});
    };
    switch (kind) {
    case Box:
        for (int y = rows.top(); y <= rows.bottom(); ++y)
            add(y, {rows.left(), rows.right()});
        break;
    case Ellipse: {
        // The row's centres px with (px - cx)^2 b^2 <= a^2 (b^2 - dy^2), in
        // the doubled coordinates contains() uses.
        const Span h = sorted(left, right);
        const Span v = sorted(top, bottom);
        const qint64 cx = h.lo + h.hi;
        const Wide a = h.hi - h.lo;
        const Wide b = v.hi - v.lo;
        for (int y = rows.top(); y <= rows.bottom(); ++y) {
            const Wide dy = 2 * qint64(y) + 1 - (v.lo + v.hi);
            const Wide room = a * a * (b * b - dy * dy);
            if (room < 0)
                continue;
            Wide m = Wide(std::sqrt(double(room) / double(b * b)));
            while ((m + 1) * (m + 1) * b * b <= room)
                ++m;
            while (m > 0 && m * m * b * b > room)
                --m;
            add(y, pixelsBetweenCentres<Wide>(cx - m, cx + m));
        }
        break;
    }
    case Poly: {
        // Doubled canvas coordinates below 2^29 keep every crossing's
        // numerator within 64 bits, where division is cheap.
        const QRect reach = polygon.boundingRect();
        constexpr int Small = 1 << 28;
        if (std::max({std::abs(reach.left()), std::abs(reach.right()), std::abs(reach.top()), std::abs(reach.bottom())})
            < Small)
            appendPolygonRuns<qint64>(polygon, rows, add);
        else
            appendPolygonRuns<Wide>(polygon, rows, add);
        break;
    }
    case None:
        break;
    }
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
