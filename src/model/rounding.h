// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// The one rounding rule of the map model: to the nearest integer, halves to
// the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Stored points, zoomed
// coordinates and circle geometry all go through here.
inline qint64 roundHalfEven(double value)
{
    constexpr double lo = double(std::numeric_limits<qint64>::min());
    constexpr double hi = double(std::numeric_limits<qint64>::max());
    if (!(value > lo)) // also catches NaN
        return std::isnan(value) ? 0 : std::numeric_limits<qint64>::min();
    if (value >= hi)
        return std::numeric_limits<qint64>::max();
    const double floor = std::floor(value);
    const double diff = value - floor; // exact
    const auto whole = qint64(floor);
    return (diff > 0.5 || (diff == 0.5 && (whole & 1) != 0)) ? whole + 1 : whole;
}

// The same rounding, saturated to the 32-bit range that points are stored in.
inline qint32 roundHalfEven32(double value)
{
    const qint64 r = roundHalfEven(value);
    if (r > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (r < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(r);
}
