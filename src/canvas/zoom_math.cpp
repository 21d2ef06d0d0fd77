// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoom_math.h"

#include "model/rounding.h"

#include <algorithm>
#include <cstdlib>

QPointF picturePosition(QPointF canvasPos, float zoom_factor)
{
    return canvasPos / double(zoom_factor);
}

float nextZoomFactor(float zoom_factor, bool zoom_in)
{
    const double next = zoom_in ? double(zoom_factor) * ZoomStep : double(zoom_factor) / ZoomStep;
    return float(next);
}

QSize zoomedPictureSize(QSize ownSize, float zoom_factor)
{
    if (ownSize.isEmpty())
        return QSize(0, 0);
    const auto scaled = [zoom_factor](int extent) {
        return std::max<qint32>(1, roundHalfEven32(double(extent) * double(zoom_factor)));
    };
    return QSize(scaled(ownSize.width()), scaled(ownSize.height()));
}

qint64 bmp24FileSize(QSize size)
{
    constexpr qint64 Headers = 14 + 40;
    if (size.isEmpty())
        return Headers;
    const qint64 row = (qint64(size.width()) * 3 + 3) / 4 * 4;
    return Headers + row * size.height();
}

bool exceedsZoomLimit(QSize zoomedSize)
{
    return bmp24FileSize(zoomedSize) > ZoomedPictureByteLimit;
}

namespace {

// One axis of the placement; the arithmetic is done in double and rounded
// once, at the end, to the pixel the picture is drawn at.
int placeOnAxis(int viewport, int picture, int anchor, bool zoom_in)
{
    if (picture <= viewport)
        return 0;
    const double moved = zoom_in ? anchor * ZoomStep : anchor / ZoomStep;
    double offset = viewport / 2.0 - moved;
    if (offset < 0 && offset < viewport - picture)
        offset = viewport - picture;
    if (offset > 0)
        offset = 0;
    return roundHalfEven32(offset);
}

} // namespace

ZoomPlacement placeZoomedPicture(QSize zoomedSize, QSize largestView, QPoint anchor, bool zoom_in)
{
    ZoomPlacement placement;
    placement.viewport =
        QSize(std::min(zoomedSize.width(), largestView.width()), std::min(zoomedSize.height(), largestView.height()));
    placement.picturePos = QPoint(placeOnAxis(placement.viewport.width(), zoomedSize.width(), anchor.x(), zoom_in),
                                  placeOnAxis(placement.viewport.height(), zoomedSize.height(), anchor.y(), zoom_in));
    return placement;
}

ScrollBarSetup scrollBarSetup(int pictureExtent, int viewportExtent, int pictureOffset)
{
    ScrollBarSetup setup;
    setup.maximum = pictureExtent - viewportExtent;
    if (setup.maximum < 1)
        return setup;
    setup.hasRange = true;
    setup.largeChange = std::max(1, setup.maximum / 10);
    setup.smallChange = std::max(1, setup.maximum / 25);
    const int distance = std::abs(pictureOffset);
    setup.value = distance <= setup.maximum ? distance : 0;
    return setup;
}

int scrollValueShowing(int value, int viewportExtent, int maximum, int first, int last)
{
    int target = value;
    if (first < value || last - first + 1 > viewportExtent)
        target = first;
    else if (last >= value + viewportExtent)
        target = last - viewportExtent + 1;
    return std::clamp(target, 0, std::max(0, maximum));
}
