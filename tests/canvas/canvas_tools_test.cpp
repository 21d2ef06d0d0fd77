#include "canvas/canvas_tools.h"
#include "model/map_document.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FakeHost : CanvasHost {
    QPoint picturePos;
    std::vector<bool> zoomSteps;
    QString caption;

    QPoint mainpicPosition() const override { return picturePos; }
    void show_zoomed_picture(bool zoom_in) override { zoomSteps.push_back(zoom_in); }
    void setCoordsCaption(const QString &text) override { caption = text; }
};

struct Rig {
    MapDocument document;
    CanvasState state;
    FakeHost host;
    CanvasTools tools{document, state, host};

    Rig() { document.image_file = QStringLiteral("/p/picture.png"); }
};

using Tool = CanvasTools::Tool;

} // namespace

TEST(CanvasTools, EachToolSetsItsFlags)
{
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
    for (const Case &c : cases) {
        Rig rig;
        rig.document.create_shapetype = Polygon;
        rig.state.defining_shape = true;
        rig.state.defining_complete = false;
        rig.state.moving_shape = true;
        rig.state.zoom_in = rig.state.zoom_out = true;
        rig.tools.chooseTool(c.tool);
        const int tool = int(c.tool);
        EXPECT_EQ(rig.state.moving_shape, c.moving) << tool;
        EXPECT_EQ(rig.state.zoom_in, c.zoomIn) << tool;
        EXPECT_EQ(rig.state.zoom_out, c.zoomOut) << tool;
        EXPECT_EQ(rig.state.defining_shape, c.defining) << tool;
        EXPECT_EQ(rig.state.defining_complete, c.complete) << tool;
        EXPECT_EQ(rig.document.create_shapetype, c.shape) << tool;
        EXPECT_EQ(rig.tools.activeTool(), c.tool) << tool;
    }
}

TEST(CanvasTools, ZoomClicksRecordTheAnchorAndStep)
{
    Rig rig;
    rig.host.picturePos = QPoint(-100, -40);
    rig.tools.chooseTool(Tool::ZoomIn);
    rig.tools.mouseDown(Qt::LeftButton, QPointF(250.5, 80.4));
    ASSERT_EQ(rig.host.zoomSteps, std::vector<bool>{true});
    EXPECT_EQ(rig.state.first_actx, 250); // 250.5 rounds to the even 250
    EXPECT_EQ(rig.state.first_acty, 80);
    EXPECT_EQ(rig.state.first_left, 350); // the click minus the picture's (negative) left
    EXPECT_EQ(rig.state.first_top, 120);

    // At the size limit zoom-in clicks do nothing until a zoom-out click.
    rig.state.allow_zoomin = false;
    rig.tools.mouseDown(Qt::LeftButton, QPointF(10, 10));
    EXPECT_EQ(rig.host.zoomSteps.size(), 1u);
    rig.tools.chooseTool(Tool::ZoomOut);
    rig.tools.mouseDown(Qt::LeftButton, QPointF(10, 10));
    EXPECT_TRUE(rig.state.allow_zoomin);
    EXPECT_EQ(rig.host.zoomSteps, (std::vector<bool>{true, false}));
}

TEST(CanvasTools, NoPictureOrRightButtonMeansNoZoom)
{
    Rig rig;
    rig.tools.chooseTool(Tool::ZoomIn);
    rig.tools.mouseDown(Qt::RightButton, QPointF(10, 10));
    rig.document.image_file.clear();
    rig.tools.mouseDown(Qt::LeftButton, QPointF(10, 10));
    rig.tools.mouseMove(Qt::NoButton, QPointF(10, 10));
    EXPECT_TRUE(rig.host.zoomSteps.empty());
    EXPECT_TRUE(rig.host.caption.isEmpty());

    // A drawing tool does not zoom.
    Rig drawing;
    drawing.tools.chooseTool(Tool::Rectangle);
    drawing.tools.mouseDown(Qt::LeftButton, QPointF(10, 10));
    EXPECT_TRUE(drawing.host.zoomSteps.empty());
}

TEST(CanvasTools, PointerReadOutCutsPictureCoordinatesTowardZero)
{
    EXPECT_EQ(CanvasTools::coordsCaption(QPointF(120.7, 45.2), 1.0f), QStringLiteral("X:120 Y:45"));
    EXPECT_EQ(CanvasTools::coordsCaption(QPointF(145, 73), 1.44f), QStringLiteral("X:100 Y:50"));
    EXPECT_EQ(CanvasTools::coordsCaption(QPointF(0, 5), float(1 / 1.2)), QStringLiteral("X:0 Y:6"));

    Rig rig;
    rig.document.zoom_factor = 2.0f;
    rig.tools.mouseMove(Qt::NoButton, QPointF(21, 9));
    EXPECT_EQ(rig.host.caption, QStringLiteral("X:10 Y:4"));
}
