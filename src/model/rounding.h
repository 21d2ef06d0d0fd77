#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// The one rounding rule of the map model: to the nearest integer, halves to
// the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Stored points, zoomed
// coordinates and circle geometry all go through here.
inline qint64 roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    constexpr double lo = double(std::numeric_limits<qint64>::min());
    constexpr double hi = double(std::numeric_limits<qint64>::max());
    if (!(result > lo)) // also catches NaN
        return std::isnan(result) ? 0 : std::numeric_limits<qint64>::min();
    if (result >= hi)
        return std::numeric_limits<qint64>::max();
    return qint64(result);
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
