#include "canvas/canvas_tools.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Points = std::vector<QPoint>;

// Records what the tools ask of the window.
struct ScriptedHost : CanvasHost {
    QString coords, shapeCoords;
    bool historyPaused = false;
    int refreshes = 0;
    std::vector<int> propertiesOpened;
    int contextMenus = 0;

    void setCoordsCaption(const QString &text) override { coords = text; }
    void setShapeCoordsText(const QString &text) override { shapeCoords = text; }
    QString shapeCoordsText() const override { return shapeCoords; }
    void setCanvasCursor(CanvasCursor) override {}
    void showActiveTool(CanvasTool) override {}
    void showEscapeHint(bool) override {}
    void repaintCanvas() override {}
    void fill_html_textbox() override { ++refreshes; }
    void openAreaProperties(int position) override { propertiesOpened.push_back(position); }
    void openContextMenu(QPointF, bool) override { ++contextMenus; }
    QPoint mainpicPosition() const override { return {}; }
    void show_zoomed_picture(bool) override {}
    void setHistoryPaused(bool paused) override { historyPaused = paused; }
};

struct Canvas {
    MapDocument doc;
    CanvasState state;
    ScriptedHost host;
    CanvasTools tools{doc, state, host};

    Canvas(float zoom = 1.0f)
    {
        doc.image_file = QStringLiteral("/pictures/p.png");
        doc.zoom_factor = zoom;
    }
    void click(QPointF p, Qt::MouseButton b = Qt::LeftButton)
    {
        tools.mouseMove(Qt::NoButton, p);
        tools.mouseDown(b, p);
        tools.mouseUp(b, p);
    }
    void drag(QPointF from, QPointF to)
    {
        tools.mouseMove(Qt::NoButton, from);
        tools.mouseDown(Qt::LeftButton, from);
        tools.mouseMove(Qt::LeftButton, (from + to) / 2);
        tools.mouseMove(Qt::LeftButton, to);
        tools.mouseUp(Qt::LeftButton, to);
    }
    Points points(int position) { return pointsOf(doc.shapecol.item(position)); }
};

} // namespace

TEST(CanvasTools, EachToolSetsItsFlags)
{
    using Tool = CanvasTools::Tool;
    struct Case {
        Tool tool;
        bool moving, zoomIn, zoomOut, defining, complete;
        qint32 shape;
    };
    // From a state in the middle of drawing a polygon with the select flag
    // wrongly up, so that every flag a tool touches is seen to change.
    const Case cases[] = {
        {Tool::Rectangle, false, false, false, false, false, Rectangle},
        {Tool::Circle, false, false, false, false, false, Circle},
        {Tool::Polygon, false, false, false, false, false, Polygon},
        {Tool::Select, true, false, false, false, true, Polygon},
        {Tool::ZoomIn, false, true, false, true, false, Polygon}, // drawing flags untouched
        {Tool::ZoomOut, false, false, true, true, false, Polygon},
    };
    for (const Case &k : cases) {
        Canvas c;
        c.doc.create_shapetype = Polygon;
        c.state.defining_shape = true;
        c.state.defining_complete = false;
        c.state.moving_shape = true;
        c.state.zoom_in = c.state.zoom_out = true;
        c.tools.chooseTool(k.tool);
        const int tool = int(k.tool);
        EXPECT_EQ(c.state.moving_shape, k.moving) << tool;
        EXPECT_EQ(c.state.zoom_in, k.zoomIn) << tool;
        EXPECT_EQ(c.state.zoom_out, k.zoomOut) << tool;
        EXPECT_EQ(c.state.defining_shape, k.defining) << tool;
        EXPECT_EQ(c.state.defining_complete, k.complete) << tool;
        EXPECT_EQ(c.doc.create_shapetype, k.shape) << tool;
        EXPECT_EQ(c.tools.activeTool(), k.tool) << tool;
    }
}

TEST(CanvasTools, PolygonStopsAt101PointsAndIsFinishedOnce)
{
    Canvas c;
    c.tools.chooseTool(CanvasTools::Tool::Polygon);
    for (int i = 0; i < 102; ++i)
        c.click({double(i), double(200 + i % 2)});
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
    EXPECT_EQ(c.host.refreshes, 3); // after each selection and after the move

    // A drag that starts outside every area moves the active one.
    c.tools.mouseMove(Qt::NoButton, {400, 400});
    c.drag({400, 400}, {390, 400});
    EXPECT_EQ(c.points(2)[0], QPoint(60, 70));
    // Releasing the right button never ends a move.
    c.tools.mouseDown(Qt::LeftButton, {0, 0});
    c.tools.mouseUp(Qt::RightButton, {10, 10});
    EXPECT_EQ(c.points(2)[0], QPoint(60, 70));
}

TEST(CanvasTools, HandleDragsReshapeRectanglesAndCircles)
{
    struct Case {
        ShapeType shape;
        int point;
        QPointF to;
        Points expected;
    };
    const Case cases[] = {
        {Rectangle, 0, {0, 0}, {{0, 0}, {110, 70}, {0, 70}, {110, 0}}},
        {Rectangle, 2, {30, 90}, {{30, 20}, {110, 90}, {30, 90}, {110, 20}}},
        {Rectangle, 1, {120, 80}, {{10, 20}, {120, 80}, {10, 80}, {120, 20}}},
        {Rectangle, 3, {100, 10}, {{10, 10}, {100, 70}, {10, 70}, {100, 10}}},
        {Circle, 2, {120, 80}, {{90, 80}, {150, 140}, {120, 80}, {150, 110}, {120, 140}, {90, 110}}},
        {Circle, 4, {120, 160}, {{90, 100}, {150, 160}, {120, 100}, {150, 130}, {120, 160}, {90, 130}}},
        {Circle, 3, {160, 120}, {{100, 90}, {160, 150}, {130, 90}, {160, 120}, {130, 150}, {100, 120}}},
        {Circle, 5, {80, 120}, {{80, 90}, {140, 150}, {110, 90}, {140, 120}, {110, 150}, {80, 120}}},
    };
    for (const Case &k : cases) {
        Canvas c;
        c.tools.chooseTool(k.shape == Rectangle ? CanvasTools::Tool::Rectangle : CanvasTools::Tool::Circle);
        if (k.shape == Rectangle) {
            c.click({10, 20});
            c.click({110, 70});
        } else {
            c.click({100, 100});
            c.click({140, 140});
        }
        const int refreshes = c.host.refreshes;
        c.tools.handlePressed({1, k.point}, Qt::LeftButton);
        c.tools.handleDragOver((k.to + c.tools.draggedHandleCentre()) / 2);
        c.tools.handleDragOver(k.to);
        EXPECT_TRUE(c.host.historyPaused);
        c.tools.handleDropped();
        EXPECT_FALSE(c.host.historyPaused);
        EXPECT_EQ(c.points(1), k.expected) << k.shape << " point " << k.point;
        EXPECT_EQ(c.host.refreshes, refreshes + 3); // twice live, once at the drop
    }
}

TEST(CanvasTools, PolygonHandleFollowsThePointerAtAnyZoom)
{
    Canvas c(1.44f);
    c.tools.chooseTool(CanvasTools::Tool::Polygon);
    c.click({0, 0});
    c.click({144, 0});
    c.click({0, 144});
    c.tools.sbarrow_Click();
    const auto handle = c.tools.handleAt({146, 3});
    ASSERT_TRUE(handle.has_value());
    EXPECT_EQ(*handle, (HandleRef{1, 1}));
    c.tools.handlePressed(*handle, Qt::LeftButton);
    c.tools.handleDragOver({144.5, 72.25});
    EXPECT_EQ(c.tools.draggedHandleCentre(), QPointF(144.5, 72.25));
    c.tools.handleDragOver({144, 72});
    c.tools.handleDropped();
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
