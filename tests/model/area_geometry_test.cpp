// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/area_geometry.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

template <std::size_t N> std::vector<QPointF> listed(const std::array<QPointF, N> &points)
{
    return {points.begin(), points.end()};
}

} // namespace

// A complete rectangle shows a handle on each corner, a complete circle on
// the middle of each side; an incomplete shape shows none.
TEST(AreaGeometry, ShapesStoreTheirPointsAndShowTheirHandles)
{
    struct Case {
        const char *name;
        ShapeType shape;
        std::vector<QPointF> points;
        std::vector<QPoint> stored;
        bool complete = true;
    };
    const Case cases[] = {
        {"rectangle from two corners",
         Rectangle,
         listed(rectanglePoints({10, 20}, {110, 70})),
         {{10, 20}, {110, 70}, {10, 70}, {110, 20}}},
        {"circle tool, pointer at x 140",
         Circle,
         listed(circlePoints({100, 100}, squareCorner({100, 100}, 140))),
         {{100, 100}, {140, 140}, {120, 100}, {140, 120}, {120, 140}, {100, 120}}},
        {"centre (50,50), radius 10",
         Circle,
         listed(circlePointsAround({50, 50}, 10)),
         {{40, 40}, {60, 60}, {50, 40}, {60, 50}, {50, 60}, {40, 50}}},
        {"corners 40,40 61,60, half-width 10",
         Circle,
         listed(circlePoints({40, 40}, {61, 60}, {10, 10})),
         {{40, 40}, {61, 60}, {50, 40}, {61, 50}, {50, 60}, {40, 50}}},
        {"odd side: middles round half to even",
         Circle,
         listed(circlePoints({0, 0}, {5, 5})),
         {{0, 0}, {5, 5}, {2, 0}, {5, 2}, {2, 5}, {0, 2}}},
        {"a point past 32 bits stops the rest",
         Circle,
         listed(circlePointsAround({2147483647, 5}, 1)),
         {{2147483646, 4}},
         false},
    };
    for (const Case &c : cases) {
        clscoords area;
        area.shapetype = c.shape;
        EXPECT_EQ(storeShapePoints(area, c.points), c.complete) << c.name;
        EXPECT_EQ(pointsOf(area), c.stored) << c.name;
        showShapeHandles(area);
        std::vector<int> shown;
        for (int i = 0; i < MaxAreaPoints; ++i)
            if (area.handleShown(i))
                shown.push_back(i);
        const std::vector<int> expected = !c.complete            ? std::vector<int>{}
                                          : c.shape == Rectangle ? std::vector<int>{0, 1, 2, 3}
                                                                 : std::vector<int>{2, 3, 4, 5};
        EXPECT_EQ(shown, expected) << c.name;
    }
}
