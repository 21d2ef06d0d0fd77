// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clscoords.h"

#include <QPointF>

#include <array>
#include <span>

// The point layouts of the shapes, made in one place for the drawing tools,
// the readers, the document's JSON form and the tests.
//
// A rectangle keeps four points: the two opposite corners that define it,
// in the order given, then (x0, y1) and (x1, y0), so that every corner has
// a handle. A circle keeps six: two opposite corners of its bounding box,
// then the middles of the top, right, bottom and left edges. Only points 0
// and 1 define either shape; the others are handle positions.
//
// Positions are exact (picture pixels, possibly fractional); they are
// rounded half to even when an area stores them.

std::array<QPointF, 4> rectanglePoints(QPointF corner0, QPointF corner1);

// The edge middles lie `half` from corner 0 along each axis.
std::array<QPointF, 6> circlePoints(QPointF corner0, QPointF corner1, QPointF half);
// The edge middles halfway between the corners.
std::array<QPointF, 6> circlePoints(QPointF corner0, QPointF corner1);
// The bounding box of a circle given by its centre and radius.
std::array<QPointF, 6> circlePointsAround(QPointF centre, double radius);

// The corner opposite corner0 of the square whose side is the horizontal
// distance to x: how the circle tool turns the pointer into a circle.
QPointF squareCorner(QPointF corner0, double x);

// Stores the points in order from index 0, each rounded half to even:
// an index the area already holds is overwritten, the next one appended.
// Stops at the first point the area refuses or that lies outside the 32-bit
// range; the points before it stay. Returns whether all were stored.
bool storeShapePoints(clscoords &area, std::span<const QPointF> points);

// Shows the handles that the area's shape shows: a rectangle's four
// corners, a circle's four edge middles (never the box corners), every
// vertex of a polygon.
void showShapeHandles(clscoords &area);
