#include "model/area_region.h"
#include "model/rounding.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

clscoords shape(ShapeType type, std::initializer_list<QPoint> points)
{
    clscoords area;
    area.shapetype = type;
    for (QPoint p : points)
        area.newpoint(p.x(), p.y());
    return area;
}

} // namespace

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, qint64> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2},
                                              {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7.0, 7}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    EXPECT_EQ(roundHalfEven32(1e12), std::numeric_limits<qint32>::max());
}

TEST(AreaRegion, ZoomScalesAndRoundsButLeavesThePointsAlone)
{
    const clscoords rect = shape(Rectangle, {{10, 20}, {110, 60}});
    const AreaRegion at2 = regionOf(rect, 2.0f);
    EXPECT_EQ(at2.kind, AreaRegion::Box);
    EXPECT_EQ(QRect(QPoint(at2.left, at2.top), QPoint(at2.right, at2.bottom)), QRect(QPoint(20, 40), QPoint(220, 120)));
    EXPECT_EQ(rect.getPointX(1), 110);

    EXPECT_EQ(zoomedCoordinate(5, 1.5f), 8);   // 7.5 -> 8
    EXPECT_EQ(zoomedCoordinate(7, 1.5f), 10);  // 10.5 -> 10
    EXPECT_EQ(zoomedCoordinate(100, 1.44f), 144);
}

TEST(AreaRegion, BoxesKeepTheirCornersAsGivenAndHitTestEitherWay)
{
    const AreaRegion reversed = regionOf(shape(Rectangle, {{110, 60}, {10, 20}}), 1.0f);
    EXPECT_EQ(reversed.left, 110);
    EXPECT_EQ(reversed.bottom, 20);
    EXPECT_EQ(reversed.boundingRect(), QRect(10, 20, 100, 40));
    EXPECT_TRUE(reversed.contains({10, 20}));
    EXPECT_TRUE(reversed.contains({109, 59}));
    EXPECT_FALSE(reversed.contains({110, 30})); // the high edge is outside
    EXPECT_FALSE(reversed.contains({50, 60}));
    EXPECT_FALSE(reversed.contains({9, 30}));

    const AreaRegion empty = regionOf(shape(Rectangle, {{10, 20}, {10, 60}}), 1.0f);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.contains({10, 30}));
}

TEST(AreaRegion, EllipsesAreTestedExactly)
{
    // Circle in the box (0,0)-(10,10): centre (5,5), radius 5.
    const AreaRegion circle = regionOf(shape(Circle, {{10, 10}, {0, 0}}), 1.0f);
    EXPECT_EQ(circle.kind, AreaRegion::Ellipse);
    EXPECT_TRUE(circle.contains({5, 5}));
    EXPECT_TRUE(circle.contains({0, 4}));  // centre (0.5,4.5): inside
    EXPECT_FALSE(circle.contains({0, 0})); // the box corner is not
    EXPECT_FALSE(circle.contains({9, 1}));
    EXPECT_TRUE(circle.contains({9, 5}));
    EXPECT_FALSE(circle.contains({10, 5}));

    // A wide ellipse: (0,0)-(200,20); a pixel near the tip.
    const AreaRegion wide = regionOf(shape(Circle, {{0, 0}, {200, 20}}), 1.0f);
    EXPECT_TRUE(wide.contains({1, 9}));
    EXPECT_FALSE(wide.contains({1, 5}));
    EXPECT_EQ(wide.boundingRect(), QRect(0, 0, 200, 20));
}

TEST(AreaRegion, SelfIntersectingPolygonsLeaveTheirOverlapOut)
{
    // A five-pointed star drawn in one stroke: its centre is covered twice.
    const AreaRegion star = regionOf(
        shape(Polygon, {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}}), 1.0f);
    EXPECT_FALSE(star.contains({50, 50})); // the pentagon in the middle
    EXPECT_TRUE(star.contains({50, 10}));  // a tip
    EXPECT_TRUE(star.contains({10, 37}));
    EXPECT_FALSE(star.contains({95, 80}));

    const AreaRegion triangle = regionOf(shape(Polygon, {{0, 0}, {100, 0}, {0, 100}}), 2.0f);
    EXPECT_TRUE(triangle.contains({10, 10}));
    EXPECT_TRUE(triangle.contains({98, 98}));
    EXPECT_FALSE(triangle.contains({101, 101}));
    EXPECT_EQ(triangle.boundingRect(), QRect(0, 0, 200, 200));

    EXPECT_TRUE(regionOf(shape(Polygon, {{3, 3}, {9, 9}}), 1.0f).isEmpty());
}

TEST(AreaRegion, DeadAreasHaveNoRegion)
{
    clscoords rect = shape(Rectangle, {{0, 0}, {10, 10}});
    rect.Delete();
    EXPECT_EQ(regionOf(rect, 1.0f).kind, AreaRegion::None);
    clscoords odd = shape(Rectangle, {{0, 0}, {10, 10}});
    odd.shapetype = 7;
    EXPECT_EQ(regionOf(odd, 1.0f).kind, AreaRegion::None);
}
