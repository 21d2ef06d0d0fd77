// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas_tools.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Points = std::vector<QPoint>;

// Records what the tools ask of the window; the canvas shows the part of
// the picture from (0,0) to (399,299).
struct ScriptedHost : CanvasHost {
    QString coords, shapeCoords;
    std::vector<int> propertiesOpened;
    int contextMenus = 0;

    void setCoordsCaption(const QString &text) override { coords = text; }
    void setShapeCoordsText(const QString &text) override { shapeCoords = text; }
    QString shapeCoordsText() const override { return shapeCoords; }
    void setCanvasCursor(CanvasCursor) override {}
    void showActiveTool(CanvasTool) override {}
    void showEscapeHint(bool) override {}
    void repaintCanvas() override {}
    void openAreaProperties(int position) override { propertiesOpened.push_back(position); }
    void openContextMenu(QPointF, bool) override { ++contextMenus; }
    QPoint mainpicPosition() const override { return {}; }
    QRect visibleCanvasRect() const override { return {0, 0, 400, 300}; }
    void show_zoomed_picture(bool) override {}
};

// Counts the map texts the session hands on.
struct TextCounter : EditingSession::Observer {
    int texts = 0;
    void mapTextChanged(const QString &) override { ++texts; }
    void areasReplaced() override {}
};

struct Canvas {
    EditingSession session;
    MapDocument &doc = session.document();
    CanvasState state;
    ScriptedHost host;
    TextCounter observer;
    CanvasTools tools{session, state, host};

    Canvas(float zoom = 1.0f)
    {
        doc.image_file = QStringLiteral("/pictures/p.png");
        doc.zoom_factor = zoom;
        session.setObserver(&observer);
    }
    void click(QPointF p, Qt::MouseButton b = Qt::LeftButton)
    {
        tools.pointerMoved(Qt::NoButton, p);
        tools.pointerPressed(b, p);
        tools.pointerReleased(b, p);
    }
    void drag(QPointF from, QPointF to)
    {
        tools.pointerMoved(Qt::NoButton, from);
        tools.pointerPressed(Qt::LeftButton, from);
        tools.pointerMoved(Qt::LeftButton, (from + to) / 2);
        tools.pointerMoved(Qt::LeftButton, to);
        tools.pointerReleased(Qt::LeftButton, to);
    }
    Points points(int position) { return pointsOf(doc.shapecol.item(position)); }
};

} // namespace

TEST(CanvasTools, PolygonStopsAt101PointsAndIsFinishedOnce)
{
    Canvas c;
    c.tools.chooseTool(CanvasTools::Tool::Polygon);
    for (int i = 0; i < 102; ++i)
        c.click({11.0 * i, 200}); // apart, so no click lands on a handle
    EXPECT_EQ(c.doc.shapecol.item(1).nr_points, 101);
    c.tools.sbarrow_Click(); // Escape
    EXPECT_EQ(c.host.propertiesOpened, std::vector<int>{1});
    c.tools.sbarrow_Click(); // nothing left to finish
    EXPECT_EQ(c.host.propertiesOpened.size(), 1u);
    c.click({5, 5}, Qt::RightButton);
    EXPECT_EQ(c.host.contextMenus, 1);
}

TEST(CanvasTools, HoverFollowsEnterAndLeaveAndAMoveCanStartAnywhere)
{
    Canvas c;
    c.tools.chooseTool(CanvasTools::Tool::Rectangle);
    c.click({0, 0});
    c.click({100, 100});
    c.click({50, 50});
    c.click({150, 150});
    c.tools.sbarrow_Click();
    c.tools.mouseMove(Qt::NoButton, {300, 300});
    c.tools.mouseMove(Qt::NoButton, {75, 75}); // into the overlap from outside both
    EXPECT_EQ(c.doc.test_shapeid, 2);
    c.tools.mouseMove(Qt::NoButton, {120, 120}); // leaves area 1 while still in 2
    EXPECT_EQ(c.doc.test_shapeid, -1);
    c.tools.mouseMove(Qt::NoButton, {75, 75}); // back into area 1 only: it is the hovered one now
    EXPECT_EQ(c.doc.test_shapeid, 1);
    c.tools.mouseDown(Qt::LeftButton, {75, 75}); // selects it

    c.tools.mouseMove(Qt::NoButton, {300, 300});
    c.tools.mouseMove(Qt::NoButton, {75, 75});
    c.tools.mouseDown(Qt::LeftButton, {75, 75});
    EXPECT_TRUE(c.doc.shapecol.item(2).selected);
    EXPECT_FALSE(c.doc.shapecol.item(1).selected);
    c.tools.mouseMove(Qt::LeftButton, {85, 80});
    EXPECT_EQ(c.points(2)[0], QPoint(60, 55)); // moves live
    c.tools.mouseUp(Qt::LeftButton, {95, 95});
    EXPECT_EQ(c.points(2), (Points{{70, 70}, {170, 170}, {70, 170}, {170, 70}}));
    EXPECT_EQ(c.observer.texts, 2); // the first selection's text, then the moved area's

    // A drag that starts outside every area moves the active one.
    c.tools.mouseMove(Qt::NoButton, {400, 400});
    c.drag({400, 400}, {390, 400});
    EXPECT_EQ(c.points(2)[0], QPoint(60, 70));
    // Releasing the right button never ends a move.
    c.tools.mouseDown(Qt::LeftButton, {0, 0});
    c.tools.mouseUp(Qt::RightButton, {10, 10});
    EXPECT_EQ(c.points(2)[0], QPoint(60, 70));
}

TEST(CanvasTools, PolygonHandleFollowsThePointerAtAnyZoom)
{
    Canvas c(1.44f);
    c.tools.chooseTool(CanvasTools::Tool::Polygon);
    c.click({0, 0});
    c.click({144, 0});
    c.click({0, 144});
    c.tools.sbarrow_Click();
    // A press near vertex 1 picks its handle, not the picture under it.
    c.tools.pointerPressed(Qt::LeftButton, {146, 3});
    ASSERT_TRUE(c.tools.draggingHandle());
    c.tools.pointerMoved(Qt::LeftButton, {144.5, 72.25});
    EXPECT_EQ(c.tools.draggedHandleCentre(), QPointF(144.5, 72.25));
    c.tools.pointerMoved(Qt::LeftButton, {144, 72});
    c.tools.pointerMoved(Qt::LeftButton, {450, 72}); // past the shown canvas: nothing
    c.tools.pointerReleased(Qt::LeftButton, {450, 72});
    EXPECT_FALSE(c.tools.draggingHandle());
    EXPECT_EQ(c.points(1), (Points{{0, 0}, {100, 50}, {0, 100}}));
    EXPECT_FALSE(c.tools.handleAt({300, 300}).has_value());
}

TEST(CanvasTools, NoPictureNoMouse)
{
    Canvas c;
    c.doc.image_file.clear();
    c.tools.chooseTool(CanvasTools::Tool::Rectangle);
    c.click({10, 10});
    c.click({20, 20});
    EXPECT_EQ(c.doc.shapecol.count(), 0);
    EXPECT_TRUE(c.host.coords.isEmpty());
}

TEST(CanvasTools, ZoomClicksAreRoundedAndPressingAHandleEndsDrawing)
{
    Canvas c;
    c.tools.chooseTool(CanvasTools::Tool::ZoomIn);
    c.click({10.4, 10.6});
    EXPECT_EQ((QPoint(c.state.first_actx, c.state.first_acty)), QPoint(10, 11));

    // A pressed handle counts as finishing: the next click starts a new area.
    c.tools.chooseTool(CanvasTools::Tool::Rectangle);
    c.click({10, 10});
    c.click({50, 50});
    c.click({60, 60});
    c.tools.handlePressed({1, 0}, Qt::RightButton);
    c.click({70, 70});
    EXPECT_EQ(c.doc.shapecol.count(), 2);
    EXPECT_EQ(c.doc.shapecol.item(2).nr_points, 1); // not finished by that click
}
