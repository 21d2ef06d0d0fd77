// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clscoords.h"

#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <vector>

// A run of pixels along one row, first and last included.
struct PixelRun {
    int y, first, last;
};

// Canvas pixels of a stored coordinate: multiplied by the zoom factor and
// rounded half to even. The only place where picture coordinates become
// canvas coordinates.
qint32 zoomedCoordinate(qint32 value, float zoom_factor);
QPoint zoomedPoint(const clscoords &area, int index, float zoom_factor);

// The hit region and outline of one area in canvas pixels, as plain data.
// Rectangles and ellipses keep their box exactly as the area's points 0 and
// 1 give it (left/top from point 0, right/bottom from point 1, unsorted);
// a polygon keeps its zoomed vertices and is filled in alternate (even-odd)
// mode, so parts covered twice are outside.
//
// contains() samples the centre of the pixel: a pixel belongs to a box
// from its low edge up to, not including, its high edge, and to an ellipse
// when its centre lies inside or on the ellipse inscribed in that box.
// All tests use exact integer arithmetic.
struct AreaRegion {
    enum Kind { None, Box, Ellipse, Poly };
    Kind kind = None;
    int left = 0, top = 0, right = 0, bottom = 0; // Box and Ellipse, as given
    QPolygon polygon;                             // Poly

    bool isEmpty() const;
    // Smallest rectangle holding every pixel of the region (empty if none).
    QRect boundingRect() const;
    // Every pixel that drawing the region's outline may touch: its corners
    // or vertices included, so a flat box or a polygon whose vertices lie
    // on a line still has somewhere to draw its outline.
    QRect outlineRect() const;
    bool contains(QPoint pixel) const;
    // Appends the region's pixels within clip as runs along rows, top to
    // bottom and left to right in each row: exactly the pixels contains()
    // holds, found a row at a time, so what is drawn is what is hit.
    void appendRuns(const QRect &clip, std::vector<PixelRun> &runs) const;
};

// Builds the region of a live area at the given zoom. A dead area or an
// unknown shape code gives a region of kind None.
AreaRegion regionOf(const clscoords &area, float zoom_factor);
