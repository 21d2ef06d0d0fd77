// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/area_geometry.h"
#include "model/map_document.h"
#include "support/printers.h"

#include <gtest/gtest.h>

TEST(Clscoords, PointsStopAt101AndOutOfRangeIndexesStoreNothing)
{
    clscoords area;
    area.newpoint(1, 2);
    EXPECT_TRUE(area.setpoint(100, 5, 6)); // any index may be set; the count stays
    EXPECT_EQ(area.nr_points, 1);
    EXPECT_FALSE(area.setpoint(101, 5, 5));
    EXPECT_FALSE(area.setpoint(-1, 5, 5));
    for (int i = 1; i < MaxAreaPoints; ++i)
        ASSERT_TRUE(area.newpoint(i, 1000 + i)) << "point " << i;
    EXPECT_FALSE(area.newpoint(7, 7));
    EXPECT_EQ(area.nr_points, 101);
    EXPECT_EQ(area.getPointY(100), 1100);

    EXPECT_FALSE(area.setEvents(14, QStringLiteral("x")));
    EXPECT_FALSE(area.setEvents(-1, QStringLiteral("x")));
    EXPECT_EQ(area.getEvents(14), QString());
    EXPECT_TRUE(area.setEvents(13, QStringLiteral("blur()")));
    EXPECT_EQ(area.getEvents(13), QStringLiteral("blur()"));
}

TEST(Clscoords, CircleCentreAndRadiusRoundHalfToEven)
{
    struct Case {
        int x0, y0, x1, y1, cx, cy, r;
    };
    const Case cases[] = {
        {0, 0, 5, 40, 2, 20, 2},   // 2.5 -> 2, radius 2.5 -> 2
        {1, 0, 6, 0, 4, 0, 2},     // 3.5 -> 4
        {5, 40, 0, 0, 2, 20, 2},   // point 1 left of point 0: same circle
        {6, 0, 1, 0, 4, 0, 2},     // and the second one swapped
        {0, 0, 7, 100, 4, 50, 4},  // 3.5 -> 4, radius 3.5 -> 4
        {-3, -3, 0, 0, -2, -2, 2}, // -1.5 -> -2
        {0, 0, 0, 50, 0, 25, 0},   // only the horizontal distance counts
    };
    for (const Case &c : cases) {
        clscoords area;
        area.shapetype = Circle;
        storeShapePoints(area, circlePoints(QPointF(c.x0, c.y0), QPointF(c.x1, c.y1)));
        EXPECT_EQ((QList<int>{area.getCircleX(), area.getCircleY(), area.getCircleR()}), (QList<int>{c.cx, c.cy, c.r}))
            << c.x0 << ',' << c.y0 << ' ' << c.x1 << ',' << c.y1;
    }
}

TEST(Clscoords, HandlesFollowTheShapeAndCarryPositionTags)
{
    AreaCollection areas;
    for (int i = 0; i < 11; ++i)
        areas.add(Rectangle);
    clscoords &polygon = areas.add(Polygon);
    ASSERT_EQ(polygon.clsindex, 12);
    for (int i = 0; i < 5; ++i)
        polygon.newpoint(i, i);
    EXPECT_EQ(polygon.handleTag(4), QStringLiteral("12|4"));
    EXPECT_EQ(clscoords::parseHandleTag(QStringLiteral("12|4")), (HandleRef{12, 4}));
    EXPECT_EQ(clscoords::parseHandleTag(QStringLiteral("12")), std::nullopt);
    EXPECT_EQ(clscoords::parseHandleTag(QStringLiteral("3|101")), std::nullopt);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(polygon.handleShown(i));

    clscoords &rectangle = areas.item(1);
    rectangle.newpoint(1, 1);
    rectangle.newpoint(9, 9);
    EXPECT_TRUE(rectangle.handleShown(0));
    EXPECT_FALSE(rectangle.handleShown(1)); // placed when the shape is finished
    EXPECT_TRUE(rectangle.hasHandle(1));

    clscoords &circle = areas.add(Circle);
    circle.newpoint(0, 0);
    circle.newpoint(10, 10);
    EXPECT_FALSE(circle.handleShown(0));
    circle.setpic(0);
    EXPECT_TRUE(circle.handleShown(0));
    circle.HidePics();
    EXPECT_FALSE(circle.handleShown(0));
    EXPECT_FALSE(circle.handleShown(2)); // no point, no handle
    circle.setpic(2);
    EXPECT_FALSE(circle.handleShown(2));
}

TEST(AreaCollection, DeletedAreasKeepTheirPlacesUntilTheMapIsRebuilt)
{
    MapDocument doc;
    doc.shapecol.add(Rectangle);
    clscoords &deleted = doc.shapecol.add(Polygon);
    deleted.newpoint(3, 4);
    deleted.newpoint(5, 6);
    deleted.link = deleted.alt = deleted.targetframe = deleted.onmouseover = deleted.onmouseout = QStringLiteral("x");
    deleted.setEvents(2, QStringLiteral("go()"));
    deleted.Delete();
    // The place and its point count stay; everything else goes.
    ASSERT_EQ(doc.shapecol.count(), 2);
    EXPECT_FALSE(doc.shapecol.item(2).used);
    EXPECT_EQ(deleted.clsindex, 2);
    EXPECT_EQ(deleted.nr_points, 2);
    EXPECT_EQ(deleted.getPointX(1), 0);
    EXPECT_EQ(deleted.getEvents(2), QString());
    EXPECT_TRUE(deleted.link.isEmpty() && deleted.alt.isEmpty() && deleted.targetframe.isEmpty()
                && deleted.onmouseover.isEmpty() && deleted.onmouseout.isEmpty());
    EXPECT_FALSE(deleted.hasHandle(0) || deleted.handleShown(0));

    clscoords &next = doc.shapecol.add(Polygon);
    next.newpoint(1, 1);
    EXPECT_EQ(next.clsindex, 3);
    EXPECT_EQ(next.handleTag(0), QStringLiteral("3|0"));

    clscoords copy = next;
    const clscoords &pasted = doc.shapecol.append(copy);
    EXPECT_EQ(pasted.clsindex, 4);
    EXPECT_EQ(pasted.handleTag(0), QStringLiteral("4|0"));
    EXPECT_EQ(&doc.shapecol.item(3), &next); // references survive growth

    // Rebuilding the whole map starts the positions afresh.
    doc.selected_shapeid = doc.active_id = doc.test_shapeid = 3;
    doc.delete_all_shapes();
    EXPECT_EQ(doc.shapecol.count(), 0);
    EXPECT_EQ(doc.shapecol.add(Rectangle).clsindex, 1);
    EXPECT_EQ(doc.selected_shapeid, -1);
    EXPECT_EQ(doc.active_id, -1);
    EXPECT_EQ(doc.test_shapeid, -1);
}
