// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/area_painter.h"
#include "support/area_points.h"
#include "support/pixels.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

const QColor Ground(255, 255, 255);
const AreaLooks Looks{{QColor(255, 0, 0), 4}, {QColor(0, 0, 255), 4}, {QColor(0, 128, 0), 4}};

// A 200 x 150 canvas on a white picture.
struct Scene {
    MapDocument doc;
    AreaRegions regions;
    CanvasState state;
    AreaPainter painter;
    QImage image{200, 150, QImage::Format_RGB32};

    clscoords &addRectangle(QPoint a, QPoint b)
    {
        clscoords &area = addArea(doc, Rectangle, {a, b});
        showShapeHandles(area);
        regions.reshape(area, doc.zoom_factor);
        return area;
    }
    void paint(QRect exposed = QRect(0, 0, 200, 150))
    {
        QPainter p(&image);
        p.fillRect(exposed, Ground);
        painter.paint(p, doc, regions, state, Looks, image.size(), exposed, QPointF());
    }
    int count(QRect r, QColor colour) const { return pixelsOf(image, r, colour); }
};

} // namespace

TEST(AreaPainter, RegionsAreHatchedAndOutlinedInTheirLook)
{
    Scene s;
    s.addRectangle({20, 20}, {80, 60});
    s.paint();
    const QRect inside(30, 30, 40, 20);
    EXPECT_GT(s.count(inside, Looks.normal.colour), 100); // cross hatch lines
    EXPECT_GT(s.count(inside, Ground), 400);              // and the picture between them
    EXPECT_EQ(s.count(QRect(26, 59, 48, 1), Ground), 0);  // the outline along the last row
    EXPECT_EQ(s.count(QRect(90, 20, 100, 120), Looks.normal.colour), 0);
    // Handles: white squares with a black rim centred on each corner.
    for (QPoint corner : {QPoint(20, 20), QPoint(80, 60), QPoint(20, 60), QPoint(80, 20)}) {
        EXPECT_EQ(s.image.pixelColor(corner), QColor(Qt::white));
        EXPECT_EQ(s.image.pixelColor(corner - QPoint(5, 5)), QColor(Qt::black));
        EXPECT_EQ(s.image.pixelColor(corner + QPoint(4, 4)), QColor(Qt::black));
    }
}

TEST(AreaPainter, ChangedAreasAreRedrawnWhereTheyWereAndWhereTheyAre)
{
    Scene s;
    clscoords &area = s.addRectangle({20, 20}, {60, 60});
    s.paint();
    for (int i = 0; i < 4; ++i)
        area.setpoint(i, area.getPointX(i) + 100, area.getPointY(i) + 50);
    s.regions.reshape(area, 1.0f);
    s.paint();
    EXPECT_EQ(s.count(QRect(15, 15, 50, 50), Looks.normal.colour), 0);
    EXPECT_GT(s.count(QRect(125, 75, 30, 30), Looks.normal.colour), 100);

    area.mouseover = true;
    s.paint(QRect(0, 0, 200, 150));
    EXPECT_EQ(s.count(QRect(125, 75, 30, 30), Looks.normal.colour), 0);
    EXPECT_GT(s.count(QRect(125, 75, 30, 30), Looks.highlighted.colour), 100);

    area.Delete();
    s.paint();
    EXPECT_EQ(s.count(QRect(100, 50, 100, 100), Looks.highlighted.colour), 0);
}

TEST(AreaPainter, SelectedAreaIsDrawnAboveOverlappingOnes)
{
    Scene s;
    clscoords &first = s.addRectangle({20, 20}, {100, 100});
    s.addRectangle({60, 60}, {140, 140});
    first.selected = true;
    s.doc.selected_shapeid = 1;
    s.paint();
    EXPECT_EQ(s.image.pixelColor(99, 80), Looks.selected.colour); // first's outline over the second's hatch
    EXPECT_GT(s.count(QRect(105, 105, 30, 30), Looks.normal.colour), 100);
    // A repaint of part of the canvas gives the same pixels.
    const QImage whole = s.image;
    s.paint(QRect(50, 50, 70, 70));
    EXPECT_EQ(s.image, whole);
}
