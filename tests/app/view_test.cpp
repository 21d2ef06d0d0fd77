// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/area_points.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A zoom click with the chosen tool at a point of the displayed picture.
void zoomClick(const ShownForm &shown, bool in, QPoint at)
{
    shown.choose(in ? "mnuview_zoomin" : "mnuview_zoomout");
    shown.click(at);
}

} // namespace

TEST(Zoom, ASmallPictureShrinksTheViewportAndSitsTopLeft)
{
    ShownForm shown({200, 100});
    zoomClick(shown, true, {150, 80});
    EXPECT_EQ(shown->document().zoom_factor, 1.2f);
    EXPECT_EQ(shown->mainpic()->size(), QSize(240, 120));
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(0, 0));
    EXPECT_EQ(shown->Picture1()->size(), QSize(240, 120));
    EXPECT_EQ(shown->HScroll1()->geometry(), QRect(24, 32 + 120, 240, 17));
    EXPECT_EQ(shown->VScroll1()->geometry(), QRect(24 + 240, 32, 17, 120));
    EXPECT_FALSE(shown->HScroll1()->isEnabled());
    EXPECT_FALSE(shown->VScroll1()->isEnabled());
}

TEST(Zoom, TheClickedPointComesToTheMiddleAndTheRightEdgeStaysInPlace)
{
    ShownForm shown({2000, 1500});
    zoomClick(shown, true, {500, 300});
    EXPECT_EQ(shown->Picture1()->size(), QSize(747, 372));
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(-226, -174)); // 373.5 - 500 x 1.2, 186 - 300 x 1.2
    // The scroll bars stand where the picture was put.
    EXPECT_EQ(shown->HScroll1()->value(), 226);
    EXPECT_EQ(shown->VScroll1()->value(), 174);
    EXPECT_EQ(shown->HScroll1()->maximum(), 2400 - 747);
    shown->HScroll1()->setValue(236); // and move it from there
    EXPECT_EQ(shown->mainpic()->x(), -236);

    shown->mnuview_normalsize();
    shown->HScroll1()->setValue(shown->HScroll1()->maximum());
    ASSERT_EQ(shown->mainpic()->x(), 747 - 2000);
    zoomClick(shown, true, {1990, 100});
    EXPECT_EQ(shown->mainpic()->x() + shown->mainpic()->width(), shown->Picture1()->width());
    EXPECT_EQ(shown->HScroll1()->value(), shown->HScroll1()->maximum());
}

TEST(Zoom, ZoomingInStopsAtTheSizeLimitUntilAZoomOut)
{
    ShownForm shown({1000, 1000});
    zoomClick(shown, true, {10, 10}); // 1200 x 1200: 4,320,054 bytes
    EXPECT_TRUE(shown->canvasState().allow_zoomin);
    shown.click({10, 10}); // 1440 x 1440: over
    EXPECT_FALSE(shown->canvasState().allow_zoomin);
    EXPECT_EQ(shown->mainpic()->size(), QSize(1440, 1440));
    shown.click({10, 10});
    EXPECT_EQ(shown->mainpic()->size(), QSize(1440, 1440));
    EXPECT_EQ(shown->document().zoom_factor, float(double(1.2f) * 1.2));

    zoomClick(shown, false, {10, 10});
    EXPECT_TRUE(shown->canvasState().allow_zoomin);
    EXPECT_EQ(shown->mainpic()->size(), QSize(1200, 1200));
    zoomClick(shown, true, {10, 10});
    EXPECT_EQ(shown->mainpic()->size(), QSize(1440, 1440));
}

TEST(Zoom, NormalSizeIsExactlyOneAndNoZoomMovesTheAreas)
{
    ShownForm shown({900, 700});
    addArea(shown->document(), Rectangle, {{10, 20}, {110, 60}});
    shown->fill_html_textbox();
    const QString text = shown.code();
    for (bool in : {true, true, true, false})
        zoomClick(shown, in, {300, 200});
    ASSERT_NE(shown->document().zoom_factor, 1.0f);
    EXPECT_EQ(shown.code(), text);
    EXPECT_EQ(shown.points(1), (std::vector<QPoint>{{10, 20}, {110, 60}, {10, 60}, {110, 20}}));
    const QSize viewport = shown->Picture1()->size();

    shown->menuAction(QStringLiteral("mnuview_normalsize"))->trigger();
    EXPECT_EQ(shown->document().zoom_factor, 1.0f);
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(0, 0));
    EXPECT_EQ(shown->mainpic()->picture(), markedPicture({900, 700}));
    EXPECT_EQ(shown->Picture1()->size(), viewport); // the viewport keeps its size
    EXPECT_EQ(shown->HScroll1()->value(), 0);
}

TEST(Zoom, TheZoomedPictureIsAPlainPixelCopy)
{
    ShownForm shown({10, 10});
    zoomClick(shown, true, {0, 0});
    const QImage shown12 = shown->mainpic()->grab().toImage();
    ASSERT_EQ(shown12.size(), QSize(12, 12));
    // Every displayed pixel is one of the picture's own: no blending.
    for (int x = 0; x < 12; ++x) {
        const QRgb pixel = shown12.pixel(x, 0);
        EXPECT_EQ(qBlue(pixel), qRed(pixel) < 5 ? 0 : 255) << x;
        EXPECT_EQ(qGreen(pixel), 0) << x;
    }
    EXPECT_EQ(qRed(shown12.pixel(11, 11)), 9);
}

TEST(Scrolling, BarsAndWheelMoveThePictureByTheDifference)
{
    ShownForm shown({2000, 1500});
    QScrollBar *v = shown->VScroll1();
    QScrollBar *h = shown->HScroll1();
    EXPECT_TRUE(h->isEnabled());
    EXPECT_EQ(v->maximum(), 1500 - 372);
    v->setValue(100);
    EXPECT_EQ(shown->mainpic()->y(), -100);
    v->setValue(40);
    EXPECT_EQ(shown->mainpic()->y(), -40);
    h->setValue(300);
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(-300, -40));

    // Setting the bars up again keeps the picture where it is.
    shown->initialize_scrollbars();
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(-300, -40));
    EXPECT_EQ(h->value(), 300);

    // The wheel over the picture scrolls it, sideways for a sideways wheel.
    for (QPoint delta : {QPoint(0, -120), QPoint(-120, 0)}) {
        const QPointF at(100, 100);
        QWheelEvent wheel(at, shown->mainpic()->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(shown->mainpic(), &wheel);
    }
    EXPECT_GT(v->value(), 40);
    EXPECT_GT(h->value(), 300);
    EXPECT_EQ(shown->mainpic()->pos(), QPoint(-h->value(), -v->value()));
}
