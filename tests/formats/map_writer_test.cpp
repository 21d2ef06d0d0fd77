// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/map_writer.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

const QString Head = QStringLiteral("<!-- Created with Free Quadrel Software Zonari https://zonari.example.org/ !-->");

// A linked rectangle with an alternative text and a circle with a click
// handler, the picture in the page's folder.
MapDocument planets()
{
    MapDocument doc;
    doc.map_name = QStringLiteral("planets");
    doc.map_file = QStringLiteral(R"(C:\web\index.html)");
    doc.image_file = QStringLiteral(R"(C:\web\planets.gif)");
    clscoords &rect = addArea(doc, Rectangle, {{10, 20}, {110, 60}}, "a.html");
    rect.alt = QStringLiteral("A");
    clscoords &circle = addArea(doc, Circle, {{30, 30}, {70, 70}});
    circle.setEvents(2, QStringLiteral("alert('hi')"));
    return doc;
}

MapDocument serverExample(qint32 format)
{
    MapDocument doc;
    doc.is_servermap = true;
    doc.serverside_type = format;
    doc.map_file = QStringLiteral(R"(C:\maps\a.map)");
    doc.default_link = QStringLiteral("index.html");
    addArea(doc, Rectangle, {{10, 20}, {110, 60}}, "a.html");
    addArea(doc, Polygon, {{1, 2}, {3, 4}, {5, 6}}, "b.html");
    return doc;
}

} // namespace

TEST(ClientMap, RectangleAndCircleMapIsWrittenExactly)
{
    EXPECT_EQ(
        calculate_html(planets()),
        Head
            + QStringLiteral("<img border=\"0\" src=\"./planets.gif\" usemap=\"#planets\"><map name=\"planets\">\r\n"
                             "<area coords=\"10,20,110,60\"  shape=\"rect\" href=\"a.html\" alt=\"A\">\r\n"
                             "<area coords=\"50,50,20\" shape=\"circ\" onclick=\"alert('hi')\">\r\n"
                             "</map>"));
}

TEST(ClientMap, AreaLinesByShapeAndText)
{
    struct Case {
        const char *name;
        ShapeType type;
        std::initializer_list<QPoint> points;
        const char *line;
    };
    const Case cases[] = {
        {"bare rectangle", Rectangle, {{10, 20}, {110, 60}}, "<area coords=\"10,20,110,60\"  shape=\"rect\">"},
        {"right to left", Rectangle, {{110, 60}, {10, 20}}, "<area coords=\"110,60,10,20\"  shape=\"rect\">"},
        {"negative", Rectangle, {{-5, -20}, {0, 7}}, "<area coords=\"-5,-20,0,7\"  shape=\"rect\">"},
        {"polygon", Polygon, {{1, 2}, {3, 4}, {5, 6}}, "<area coords=\"1,2,3,4,5,6\" shape=\"poly\">"},
        {"one-point polygon", Polygon, {{7, 8}}, "<area coords=\"7,8\" shape=\"poly\">"},
        {"rounded circle", Circle, {{0, 0}, {5, 40}}, "<area coords=\"2,20,2\" shape=\"circ\">"},
    };
    for (const Case &c : cases) {
        MapDocument doc;
        addArea(doc, c.type, c.points);
        EXPECT_EQ(calculate_html(doc).section(QStringLiteral("\r\n"), 1, 1), QString::fromUtf8(c.line)) << c.name;
    }
}

TEST(ClientMap, TextsAreWrittenUnescapedInTheirFixedOrder)
{
    MapDocument doc;
    clscoords &area = addArea(doc, Rectangle, {{0, 0}, {1, 1}}, "a.html?x=\"1\"&y=2");
    area.alt = QStringLiteral("Tom & Jerry's");
    area.targetframe = QStringLiteral("rightframe");
    area.onmouseover = QStringLiteral("status text is not part of the map");
    for (int k = EventCount - 1; k >= 0; --k)
        area.setEvents(k, QStringLiteral("f%1()").arg(k));
    QString expected = QStringLiteral("<area coords=\"0,0,1,1\"  shape=\"rect\" href=\"a.html?x=\"1\"&y=2\""
                                      " alt=\"Tom & Jerry's\" target=\"rightframe\"");
    for (int k = 0; k < EventCount; ++k)
        expected += QStringLiteral(" %1=\"f%2()\"").arg(QLatin1String(EventNames[std::size_t(k)])).arg(k);
    expected += QLatin1Char('>');
    EXPECT_EQ(calculate_html(doc).section(QStringLiteral("\r\n"), 1, 1), expected);
}

TEST(ClientMap, TargetChoicesBecomeTargetNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Same Frame ( _self )", "_self"},
        {"Whole Page ( _top )", "_top"},
        {"New Browser Window ( _blank )", "_blank"},
        {"Parent Frame ( _parent )", "_parent"},
        {"content", "content"},
        {"same frame ( _self )", "same frame ( _self )"},
    };
    for (const auto &[choice, target] : cases)
        EXPECT_EQ(getTargetFrame(QString::fromUtf8(choice)), QString::fromUtf8(target));
}

TEST(ClientMap, DefaultAreaSharesTheLastLineWithTheMapEnd)
{
    MapDocument doc = planets();
    doc.default_link = QStringLiteral("home.html");
    doc.default_target = QStringLiteral("Whole Page ( _top )");
    EXPECT_TRUE(calculate_html(doc).endsWith(
        QStringLiteral(">\r\n<area shape=\"default\" href=\"home.html\" target=\"_top\" ></map>")));
    doc.default_target.clear();
    EXPECT_TRUE(
        calculate_html(doc).endsWith(QStringLiteral(">\r\n<area shape=\"default\" href=\"home.html\" ></map>")));
}

TEST(ClientMap, EmptyDocumentAndDeletedAreas)
{
    MapDocument doc;
    EXPECT_EQ(calculate_html(doc),
              Head + QStringLiteral("<img border=\"0\" src=\"\" usemap=\"#\"><map name=\"\">\r\n</map>"));

    MapDocument map = planets();
    map.shapecol.item(1).Delete();
    const QString text = calculate_html(map);
    EXPECT_EQ(text.count(QStringLiteral("<area")), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("shape=\"circ\"")));
    map.zoom_factor = 3.5f;
    EXPECT_EQ(calculate_html(map), text);
}

TEST(ServerMap, NcsaExampleAndEdgeLines)
{
    EXPECT_EQ(calculate_html(serverExample(Ncsa)), QStringLiteral("# Imagemap file=C:\\maps\\a.map\r\n"
                                                                  "default index.html\r\n"
                                                                  "rect a.html 10,20 110,60\r\n"
                                                                  "poly b.html 1,2 3,4 5,6\r\n"));
    MapDocument doc;
    doc.is_servermap = true;
    EXPECT_EQ(calculate_html(doc), QStringLiteral("# Imagemap file=\r\ndefault \r\n"));
    addArea(doc, Circle, {{40, 40}, {60, 60}});
    addArea(doc, Polygon, {{9, 8}});
    EXPECT_EQ(calculate_html(doc), QStringLiteral("# Imagemap file=\r\ndefault \r\n"
                                                  "circ  40,40 60,60\r\n"
                                                  "poly  9,8\r\n"));
}

TEST(ServerMap, CernExampleAndEdgeLines)
{
    EXPECT_EQ(calculate_html(serverExample(Cern)), QStringLiteral("default index.html\r\n"
                                                                  "rect (10,20) (110,60) a.html\r\n"
                                                                  "poly (1,2) (3,4) (5,6) b.html\r\n"));
    MapDocument doc;
    doc.is_servermap = true;
    doc.serverside_type = Cern;
    addArea(doc, Circle, {{40, 40}, {60, 60}}, "c.html");
    addArea(doc, Polygon, {{9, 8}});
    addArea(doc, Rectangle, {{1, 2}, {3, 4}}).Delete();
    EXPECT_EQ(calculate_html(doc), QStringLiteral("default \r\n"
                                                  "circ (50,50) 10 c.html\r\n"
                                                  "poly (9,8) \r\n"));
    EXPECT_EQ(calculate_html(serverExample(2)), QString()); // a server format of no name writes nothing
}

TEST(ServerMap, ApacheCirclesAreCentreAndEdgePointAfterTheirComment)
{
    MapDocument doc = serverExample(Ncsa);
    // An odd side rounds centre and radius half to even; a circle drawn
    // right to left has the same centre and radius.
    addArea(doc, Circle, {{40, 40}, {61, 61}}, "c.html");
    addArea(doc, Circle, {{60, 60}, {40, 40}});
    doc.ncsaApacheCircles = true;
    EXPECT_EQ(calculate_html(doc), QStringLiteral("# Imagemap file=C:\\maps\\a.map\r\n"
                                                  "# circles: centre, then a point on the circle\r\n"
                                                  "default index.html\r\n"
                                                  "rect a.html 10,20 110,60\r\n"
                                                  "poly b.html 1,2 3,4 5,6\r\n"
                                                  "circle c.html 50,50 60,50\r\n"
                                                  "circle  50,50 60,50\r\n"));
    // Other forms are not touched by the option.
    for (const bool servermap : {true, false}) {
        doc.is_servermap = servermap;
        doc.serverside_type = Cern;
        const QString withOption = calculate_html(doc);
        doc.ncsaApacheCircles = false;
        EXPECT_EQ(calculate_html(doc), withOption);
        doc.ncsaApacheCircles = true;
    }
}

TEST(ServerMap, PageLinksThePictureToTheMapFile)
{
    MapDocument doc = serverExample(Ncsa);
    doc.image_file = QStringLiteral(R"(C:\maps\my pic.gif)");
    EXPECT_EQ(calculate_server_html(doc),
              QStringLiteral("<html>\r\n"
                             "<title>Tarnel Software Zonari Server-Side Imagemap</title>\r\n"
                             "<body>\r\n"
                             "<a href=\"C:\\maps\\a.map\">\r\n"
                             "<img src=\"C:\\maps\\my pic.gif\" ismap>\r\n"
                             "</a>\r\n"
                             "</body>\r\n"
                             "</html>"));
}
