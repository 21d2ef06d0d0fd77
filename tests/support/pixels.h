// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// How many pixels of the box show the colour.
inline int pixelsOf(const QImage &image, QRect box, const QColor &colour)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}
