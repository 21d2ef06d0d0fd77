// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QtGlobal>

// The arithmetic of zooming and scrolling the displayed picture, apart from
// any widget: the window applies what these functions decide.

inline constexpr double ZoomStep = 1.2;
// Zooming in stops once the zoomed picture, stored as an uncompressed 24-bit
// BMP, would be larger than this.
inline constexpr qint64 ZoomedPictureByteLimit = 5'000'000;

// Picture coordinates of a canvas position: divided by the zoom factor and
// not yet rounded. Stored points round these half to even; the pointer
// read-out cuts them toward zero.
QPointF picturePosition(QPointF canvasPos, float zoom_factor);

// One zoom step: the factor multiplied or divided by 1.2, kept in single
// precision like every stored zoom factor.
float nextZoomFactor(float zoom_factor, bool zoom_in);

// Pixel size of the picture at a zoom factor, rounded half to even and never
// below one pixel for a picture that has any.
QSize zoomedPictureSize(QSize ownSize, float zoom_factor);

// Bytes of a picture of this size stored as an uncompressed 24-bit BMP file:
// the two headers plus rows padded to four bytes.
qint64 bmp24FileSize(QSize size);

bool exceedsZoomLimit(QSize zoomedSize);

// Where a zoomed picture goes. The viewport shrinks to a picture smaller than
// the largest view; the clicked point comes to the middle of the viewport,
// without leaving a gap at the right or bottom, and never past the top left.
struct ZoomPlacement {
    QSize viewport;
    QPoint picturePos; // left and top of the picture inside the viewport (<= 0)
};

// anchor is the clicked point in pixels of the picture before the step.
ZoomPlacement placeZoomedPicture(QSize zoomedSize, QSize largestView, QPoint anchor, bool zoom_in);

// One scroll bar for a picture of `pictureExtent` pixels shown in a viewport
// of `viewportExtent` pixels, the picture's edge standing at `pictureOffset`
// (zero or negative). A picture that does not reach past the viewport leaves
// the scroll bar as it was (hasRange false).
struct ScrollBarSetup {
    bool hasRange = false;
    int maximum = 0;
    int largeChange = 1;
    int smallChange = 1;
    int value = 0;
};

ScrollBarSetup scrollBarSetup(int pictureExtent, int viewportExtent, int pictureOffset);

// The scroll value at which a viewport of viewportExtent shows the canvas
// pixels first..last: value itself when they are shown already, else the
// nearest value that shows them, their start when they do not fit; always
// within 0..maximum.
int scrollValueShowing(int value, int viewportExtent, int maximum, int first, int last);
