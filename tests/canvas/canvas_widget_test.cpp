// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "support/gui_helpers.h"
#include "support/pixels.h"
#include "support/printers.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

using Points = std::vector<QPoint>;

TEST(CanvasDrawing, RectanglesAreClickMoveClickInEitherDirection)
{
    ShownForm user({400, 300});
    user.click({10, 20});
    user.moveTo({110, 70});
    EXPECT_EQ(user->lbl_shape_coords()->text(), QStringLiteral("(10,20) - (110,70) W:100 H:50"));
    user.click({110, 70});
    EXPECT_EQ(user.points(1), (Points{{10, 20}, {110, 70}, {10, 70}, {110, 20}}));

    user.click({200, 150});
    user.moveTo({150, 100});
    EXPECT_EQ(user->lbl_shape_coords()->text(), QStringLiteral("(200,150) - (150,100) W:50 H:50"));
    user.click({150, 100});
    EXPECT_EQ(user.points(2)[1], QPoint(150, 100));

    // Selecting the area refreshes the code pane with both areas.
    user.choose("mnushapes_select");
    user.moveTo({300, 250});
    user.click({50, 40});
    EXPECT_TRUE(user.code().contains(QStringLiteral("<area coords=\"10,20,110,70\"  shape=\"rect\">")));
    EXPECT_TRUE(user.code().contains(QStringLiteral("<area coords=\"200,150,150,100\"  shape=\"rect\">")));
    EXPECT_EQ(user->document().selected_shapeid, 1);
}

TEST(CanvasDrawing, CirclesAndPolygonsWithEscapeAndRightClick)
{
    ShownForm user({400, 300});
    QLabel *hint = user->lbl_escape();
    user.choose("mnushapes_circle");
    user.click({100, 100});
    user.click({140, 260});
    EXPECT_EQ(user.points(1), (Points{{100, 100}, {140, 140}, {120, 100}, {140, 120}, {120, 140}, {100, 120}}));

    user.choose("mnushapes_poly");
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral("Press Escape to finish editing the shape"));
    // Right of whichever read-out ends further right: here the shape's.
    const QRect coords = user->lbl_coords()->geometry();
    const QRect shape = user->lbl_shape_coords()->geometry();
    ASSERT_GT(shape.right(), coords.right());
    EXPECT_EQ(hint->pos(), QPoint(shape.right() + 1, coords.y()));
    for (QPoint p : {QPoint(200, 10), QPoint(300, 10), QPoint(250, 90)})
        user.click(p);
    QTest::keyClick(user->htmltext(), Qt::Key_Escape); // from anywhere in the window
    EXPECT_EQ(user.points(2), (Points{{200, 10}, {300, 10}, {250, 90}}));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_TRUE(user->toolButton(QStringLiteral("sbarrow"))->isChecked());

    user.choose("mnushapes_poly");
    user.choose("mnushapes_rect"); // only the select tool hides the hint
    EXPECT_TRUE(hint->isVisible());
    user.choose("mnushapes_poly");
    user.click({10, 200});
    user.click({60, 200});
    user.click({30, 250}, Qt::RightButton); // ends the polygon, adds nothing
    EXPECT_EQ(user.points(3), (Points{{10, 200}, {60, 200}}));
    EXPECT_TRUE(user->toolButton(QStringLiteral("sbarrow"))->isChecked());
    EXPECT_FALSE(user->cP()->isVisible());
}

TEST(CanvasDrawing, AtZoom144ClicksRoundAndTheReadoutCuts)
{
    ShownForm user({400, 300});
    for (int step = 0; step < 2; ++step) {
        user.choose("mnuview_zoomin");
        user.click({10, 10});
    }
    ASSERT_FLOAT_EQ(user->document().zoom_factor, 1.44f);
    user.choose("mnushapes_poly");
    user.moveTo({145, 73});
    EXPECT_EQ(user->lbl_coords()->text(), QStringLiteral("X:100 Y:50"));
    user.click({145, 73});
    EXPECT_EQ(user.points(1), (Points{{101, 51}}));
}

TEST(CanvasSelecting, HoverOverlapsMovingAndTheContextMenu)
{
    ShownForm user({400, 300});
    user.click({1, 1});
    user.click({100, 100});
    user.click({50, 50});
    user.click({150, 150});
    user.choose("mnushapes_select");

    user.moveTo({300, 250});
    user.moveTo({75, 75}); // into the overlap from outside both: the later area wins
    EXPECT_EQ(user->document().test_shapeid, 2);
    EXPECT_EQ(user->lbl_shape_coords()->text(), QStringLiteral("(50,50) - (150,150) W:100 H:100"));
    EXPECT_EQ(user->mainpic()->cursor().shape(), Qt::SizeAllCursor);

    user.drag({75, 75}, {95, 85}); // selects area 2 and moves it by (20, 10)
    EXPECT_EQ(user.points(2), (Points{{70, 60}, {170, 160}, {70, 160}, {170, 60}}));
    EXPECT_TRUE(user.code().contains(QStringLiteral("<area coords=\"70,60,170,160\"")));

    // Right-clicks: on empty canvas the area items are off, on an area on.
    user.moveTo({300, 250});
    user.click({300, 250}, Qt::RightButton);
    QMenu *menu = user->cP();
    const auto item = [menu](const char *key) { return menu->findChild<QAction *>(QLatin1String(key)); };
    QStringList captions;
    for (QAction *action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Cu&t", "&Copy", "&Paste", "&Delete", "-", "Area Properties"}));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(item("Area Properties")->isVisible());
    EXPECT_FALSE(item("Separator")->isVisible());
    menu->close();
    user.moveTo({20, 20});
    user.click({20, 20}, Qt::RightButton);
    EXPECT_TRUE(item("Area Properties")->isVisible());
    menu->close();
}

TEST(CanvasHandles, DraggingCornersAndEdgesReshapesAndCommitsOnRelease)
{
    ShownForm user({400, 300});
    user.click({10, 20});
    user.click({110, 70});
    user.choose("mnushapes_circle");
    user.click({200, 100});
    user.click({240, 240});
    user.choose("mnushapes_select");

    // One drag after the other, each from where the handle was left. A
    // corner moves its two sides; an edge handle of a circle moves its side
    // and the opposite one stays.
    const struct {
        const char *handle;
        QPoint from, to;
        int area;
        Points expected;
    } drags[] = {
        {"corner 0", {10, 20}, {2, 3}, 1, {{2, 3}, {110, 70}, {2, 70}, {110, 3}}},
        {"corner 2", {2, 70}, {30, 90}, 1, {{30, 3}, {110, 90}, {30, 90}, {110, 3}}},
        {"corner 1", {110, 90}, {120, 80}, 1, {{30, 3}, {120, 80}, {30, 80}, {120, 3}}},
        {"corner 3", {120, 3}, {100, 10}, 1, {{30, 10}, {100, 80}, {30, 80}, {100, 10}}},
        {"top", {220, 100}, {220, 80}, 2, {{190, 80}, {250, 140}, {220, 80}, {250, 110}, {220, 140}, {190, 110}}},
        {"bottom", {220, 140}, {220, 160}, 2, {{180, 80}, {260, 160}, {220, 80}, {260, 120}, {220, 160}, {180, 120}}},
        {"left", {180, 120}, {200, 120}, 2, {{200, 90}, {260, 150}, {230, 90}, {260, 120}, {230, 150}, {200, 120}}},
    };
    for (const auto &d : drags) {
        const std::size_t undoable = user->session().history().undoCount();
        user.drag(d.from, d.to);
        EXPECT_EQ(user.points(d.area), d.expected) << d.handle;
        EXPECT_EQ(user->session().history().undoCount(), undoable + 1) << "one snapshot per drag";
    }
    EXPECT_TRUE(user.code().contains(QStringLiteral("<area coords=\"30,10,100,80\"")));
    EXPECT_FALSE(user->session().history_paused);

    // Past the picture the drag changes nothing; the release, wherever it
    // is, commits the shape as it last stood over the picture.
    user.moveTo({260, 120});
    QTest::mousePress(user->mainpic(), Qt::LeftButton, {}, {260, 120});
    user.moveTo({390, 120}, Qt::LeftButton);
    EXPECT_TRUE(user->session().history_paused); // no history while the handle moves
    user.moveTo({500, 120}, Qt::LeftButton);
    user.moveTo({390, -40}, Qt::LeftButton);
    QTest::mouseRelease(user->mainpic(), Qt::LeftButton, {}, {500, 120});
    EXPECT_EQ(user.points(2), (Points{{200, 25}, {390, 215}, {295, 25}, {390, 120}, {295, 215}, {200, 120}}));
    EXPECT_TRUE(user.code().contains(QStringLiteral("coords=\"295,120,95\" shape=\"circ\"")));
    EXPECT_FALSE(user->session().history_paused);
}

TEST(CanvasDrawing, AnAreaLeftHalfDrawnShowsAndCanBeChosen)
{
    ShownForm user({400, 300});
    const QColor normal = user->areaLooks().normal.colour;
    user.click({100, 100});
    user.moveTo({200, 180});
    QTest::keyClick(user.form.get(), Qt::Key_Escape);
    const QImage shot = user->mainpic()->grab().toImage();
    EXPECT_GT(pixelsOf(shot, {120, 120, 60, 40}, normal), 200); // hatched like any area
    EXPECT_EQ(user->canvasState().outline_area, -1) << "the rubber band is gone";
    user.moveTo({150, 150});
    EXPECT_EQ(user->document().test_shapeid, 1);

    // Choosing another drawing tool leaves it the same way.
    user.choose("mnushapes_rect");
    user.click({250, 20});
    user.moveTo({300, 60});
    user.choose("mnushapes_circle");
    EXPECT_GT(pixelsOf(user->mainpic()->grab().toImage(), {260, 30, 30, 20}, normal), 50);
}

TEST(CanvasDrawing, ChoosingTheToolAtWorkChangesNothing)
{
    ShownForm user({400, 300});
    user.choose("mnushapes_poly");
    user.click({10, 200});
    user.click({60, 200});
    user.choose("mnushapes_poly");
    QTest::mouseClick(user->toolButton(QStringLiteral("sbpoly")), Qt::LeftButton);
    EXPECT_TRUE(user->toolButton(QStringLiteral("sbpoly"))->isChecked());
    user.click({30, 250});
    EXPECT_EQ(user.points(1), (Points{{10, 200}, {60, 200}, {30, 250}}));

    user.choose("mnushapes_rect");
    user.click({100, 20});
    user.moveTo({150, 60});
    QTest::mouseClick(user->toolButton(QStringLiteral("sbrect")), Qt::LeftButton);
    user.click({150, 60}); // still finishes the rectangle
    EXPECT_EQ(user.points(2), (Points{{100, 20}, {150, 60}, {100, 60}, {150, 20}}));
    EXPECT_EQ(user->document().shapecol.count(), 2);
}

TEST(CanvasPainting, ThinPolygonsShowTheirOutline)
{
    ShownForm user({400, 300});
    const QColor normal = user->areaLooks().normal.colour;
    user.choose("mnushapes_poly");
    user.click({50, 200});
    user.click({150, 200}); // two vertices: a line
    user.choose("mnushapes_select");
    user.choose("mnushapes_poly");
    for (QPoint p : {QPoint(50, 100), QPoint(100, 100), QPoint(150, 100)}) // three on a line
        user.click(p);
    user.choose("mnushapes_select");
    const QImage shot = user->mainpic()->grab().toImage();
    EXPECT_GT(pixelsOf(shot, {60, 200, 80, 1}, normal), 60); // less the handle in the middle
    EXPECT_GT(pixelsOf(shot, {60, 100, 80, 1}, normal), 60);
}
