// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/area_region.h"
#include "model/rounding.h"
#include "support/printers.h"

#include <QSet>

#include <gtest/gtest.h>

#include <random>

TEST(Rounding, HalvesGoToTheEvenNeighbourAlsoOnTheCanvas)
{
    const std::pair<double, qint64> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},   {-0.5, 0}, {-1.5, -2},
                                               {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7.0, 7}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
    EXPECT_EQ(roundHalfEven32(1e12), std::numeric_limits<qint32>::max());

    EXPECT_EQ(zoomedCoordinate(5, 1.5f), 8);  // 7.5 -> 8
    EXPECT_EQ(zoomedCoordinate(7, 1.5f), 10); // 10.5 -> 10
    EXPECT_EQ(zoomedCoordinate(100, 1.44f), 144);
}

// A pixel belongs to a box from its low edge up to its high one, to an
// ellipse when its centre is inside, and to a polygon filled even-odd.
TEST(AreaRegion, PixelsBelongToShapesByTheirCentres)
{
    struct Case {
        const char *what;
        ShapeType shape;
        std::vector<QPoint> points;
        float zoom;
        QRect bounds;
        std::vector<QPoint> inside, outside;
    };
    const Case cases[] = {
        // Point 1 above and left of point 0: the high edges are outside all the same.
        {"box",
         Rectangle,
         {{110, 60}, {10, 20}},
         1,
         {10, 20, 100, 40},
         {{10, 20}, {109, 59}},
         {{110, 30}, {50, 60}, {9, 30}}},
        {"box at 2", Rectangle, {{10, 20}, {110, 60}}, 2, {20, 40, 200, 80}, {{20, 40}}, {{220, 100}}},
        {"flat box", Rectangle, {{10, 20}, {10, 60}}, 1, {}, {}, {{10, 30}}},
        // Centre (5,5), radius 5: the corners of the box are outside.
        {"circle", Circle, {{10, 10}, {0, 0}}, 1, {0, 0, 10, 10}, {{5, 5}, {0, 4}, {9, 5}}, {{0, 0}, {9, 1}, {10, 5}}},
        {"wide ellipse", Circle, {{0, 0}, {200, 20}}, 1, {0, 0, 200, 20}, {{1, 9}}, {{1, 5}}},
        // Drawn in one stroke, the star covers its middle twice.
        {"star",
         Polygon,
         {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}},
         1,
         {2, 0, 96, 90},
         {{50, 10}, {10, 37}},
         {{50, 50}, {95, 80}}},
        {"triangle at 2",
         Polygon,
         {{0, 0}, {100, 0}, {0, 100}},
         2,
         {0, 0, 200, 200},
         {{10, 10}, {98, 98}},
         {{101, 101}}},
        {"two-point polygon", Polygon, {{3, 3}, {9, 9}}, 1, {}, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        clscoords area;
        area.shapetype = c.shape;
        for (QPoint p : c.points)
            area.newpoint(p.x(), p.y());
        const AreaRegion region = regionOf(area, c.zoom);
        EXPECT_EQ(region.boundingRect(), c.bounds);
        EXPECT_EQ(region.isEmpty(), c.bounds.isEmpty());
        for (QPoint p : c.inside)
            EXPECT_TRUE(region.contains(p)) << p.x() << ',' << p.y();
        for (QPoint p : c.outside)
            EXPECT_FALSE(region.contains(p)) << p.x() << ',' << p.y();
    }
}

TEST(AreaRegion, DeadAreasHaveNoRegion)
{
    clscoords area;
    area.shapetype = Rectangle;
    area.newpoint(0, 0);
    area.newpoint(10, 10);
    ASSERT_EQ(regionOf(area, 1.0f).kind, AreaRegion::Box);
    area.shapetype = 7;
    EXPECT_EQ(regionOf(area, 1.0f).kind, AreaRegion::None);
    area.shapetype = Rectangle;
    area.Delete();
    EXPECT_EQ(regionOf(area, 1.0f).kind, AreaRegion::None);
}

// The runs the canvas fills are the pixels the hit test holds, for every
// kind of region, also clipped and with polygons that cross themselves.
TEST(AreaRegion, RunsHoldExactlyThePixelsTheHitTestHolds)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-5, 40);
    const QRect clip(3, -2, 30, 35);
    for (int round = 0; round < 300; ++round) {
        AreaRegion region;
        region.kind = AreaRegion::Kind(1 + round % 3);
        region.left = coordinate(random);
        region.top = coordinate(random);
        region.right = coordinate(random);
        region.bottom = coordinate(random);
        for (int k = 0; k < 3 + round % 5; ++k)
            region.polygon.append(QPoint(coordinate(random), coordinate(random)));
        std::vector<PixelRun> runs;
        region.appendRuns(clip, runs);
        QSet<std::pair<int, int>> inRuns;
        for (const PixelRun &run : runs)
            for (int x = run.first; x <= run.last; ++x)
                inRuns.insert({x, run.y});
        for (int y = clip.top() - 1; y <= clip.bottom() + 1; ++y)
            for (int x = clip.left() - 1; x <= clip.right() + 1; ++x)
                ASSERT_EQ(inRuns.contains({x, y}), clip.contains(x, y) && region.contains(QPoint(x, y)))
                    << "round " << round << " pixel " << x << "," << y;
    }
}
