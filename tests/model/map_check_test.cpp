// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/area_geometry.h"
#include "model/map_check.h"
#include "support/printers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

clscoords &addArea(MapDocument &doc, ShapeType shape, std::initializer_list<QPoint> points, const char *link,
                   const char *alt = "alt")
{
    clscoords &area = doc.shapecol.add(shape);
    for (const QPoint &p : points)
        area.newpoint(p.x(), p.y());
    area.link = QString::fromUtf8(link);
    area.alt = QString::fromUtf8(alt);
    return area;
}

QStringList lines(const MapDocument &doc, QSize picture)
{
    QStringList result;
    for (const MapFinding &finding : checkMap(doc, picture))
        result.append(finding.text);
    return result;
}

} // namespace

TEST(MapCheck, FindsEachProblemOnceAndNamesAreasByTheirPositions)
{
    MapDocument doc;
    addArea(doc, Rectangle, {{0, 0}, {1, 1}}, "gone.html").Delete(); // a deleted area keeps position 1
    addArea(doc, Rectangle, {{0, 0}, {50, 50}}, "a.html");
    addArea(doc, Rectangle, {{10, 10}, {20, 20}}, "b.html");
    addArea(doc, Rectangle, {{90, 90}, {120, 120}}, "c.html");
    addArea(doc, Rectangle, {{200, 200}, {210, 210}}, "d.html");
    addArea(doc, Rectangle, {{60, 0}, {60, 10}}, "e.html");
    addArea(doc, Circle, {{70, 70}, {71, 71}}, "f.html");
    addArea(doc, Polygon, {{60, 60}, {60, 60}, {70, 70}}, "g.html");
    addArea(doc, Polygon, {{60, 60}, {65, 65}, {70, 70}}, "h.html");
    addArea(doc, Rectangle, {{60, 20}, {80, 40}}, "");
    addArea(doc, Rectangle, {{0, 50}, {20, 80}}, "i.html", "");
    addArea(doc, Rectangle, {{0, 50}, {20, 80}}, "i.html");
    addArea(doc, Rectangle, {{5, 40}, {15, 70}}, "j.html");
    // Pixels outside the picture cannot be clicked: what is left inside is covered.
    addArea(doc, Rectangle, {{-10, 0}, {5, 5}}, "k.html");

    const QStringList expected = {
        "Area 3 (b.html): cannot be clicked: area 2 covers it",
        "Area 4 (c.html): lies partly outside the picture",
        "Area 5 (d.html): lies outside the picture",
        "Area 6 (e.html): is a rectangle of zero width or height",
        "Area 7 (f.html): is a circle of radius 0",
        "Area 8 (g.html): is a polygon with fewer than three distinct points",
        "Area 9 (h.html): is a polygon with no inner surface",
        "Area 10 (no link): has no link",
        "Area 11 (i.html): has no alternative text",
        "Area 12 (i.html): cannot be clicked: area 11 covers it",
        "Area 12 (i.html): has the same shape, points and link as area 11",
        "Area 13 (j.html): cannot be clicked: areas 2 and 11 cover it",
        "Area 14 (k.html): lies partly outside the picture",
        "Area 14 (k.html): cannot be clicked: area 2 covers it",
    };
    EXPECT_EQ(lines(doc, QSize(100, 100)), expected);

    // Without the picture's size nothing is said about its edges.
    EXPECT_EQ(lines(doc, QSize()).filter(QStringLiteral("outside")), QStringList());

    // Server maps carry no alternative text; NCSA ones lose circles and long polygons in Apache.
    MapDocument ncsa;
    ncsa.is_servermap = true;
    ncsa.serverside_type = Ncsa;
    addArea(ncsa, Circle, {{10, 10}, {30, 30}}, "c.html", "");
    clscoords &poly = addArea(ncsa, Polygon, {{50, 80}}, "p.html", "");
    for (int x = 0; x < 100; ++x)
        poly.newpoint(x, 0);
    EXPECT_EQ(lines(ncsa, QSize(100, 100)),
              QStringList({"Area 1 (c.html): is a circle, written as circ, which Apache's mod_imagemap skips",
                           "Area 2 (p.html): has 101 points; Apache's mod_imagemap reads only the first 100"}));
    ncsa.ncsaApacheCircles = true; // circles written as Apache reads them
    EXPECT_EQ(lines(ncsa, QSize(100, 100)).size(), 1);
    ncsa.serverside_type = Cern;
    EXPECT_EQ(lines(ncsa, QSize(100, 100)), QStringList());

    MapDocument clean;
    addArea(clean, Rectangle, {{0, 0}, {99, 99}}, "a.html");
    EXPECT_TRUE(checkMap(clean, QSize(100, 100)).empty());
}
