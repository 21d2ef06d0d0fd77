// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/svg_writer.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>

TEST(SvgMap, WritesEveryShapeFirstAreaOnTopDefaultBelowAndTextsAsTheBrowserReadsThem)
{
    MapDocument doc;
    doc.image_file = QStringLiteral("/web/img/p q.png");
    doc.default_link = QStringLiteral("home.html?a=1&b=2");
    doc.default_target = QStringLiteral("Whole Page ( _top )");
    // Overlapping: the first one drawn, backwards from its lower right
    // corner, must take the click where they meet.
    clscoords &first = addArea(doc, Rectangle, {{110, 60}, {10, 20}}, QStringLiteral("a.html"));
    // Texts are HTML source: the drawing holds what a browser reads.
    first.alt = QStringLiteral("Tom &amp; Jerry <3 &eacute;\x01");
    first.targetframe = QStringLiteral("New Browser Window ( _blank )");
    addArea(doc, Rectangle, {{50, 40}, {150, 90}}, QStringLiteral("b.html"));
    addArea(doc, Circle, {{30, 30}, {71, 71}}).alt = QStringLiteral("no link\" title=\"x");
    addArea(doc, Polygon, {{1, 2}, {30, 4}, {5, 60}}, QStringLiteral("p.html?x=1&amp;y=<2>")).targetframe =
        QStringLiteral("pane");
    addArea(doc, Rectangle, {{0, 0}, {5, 5}}, QStringLiteral("deleted.html")).used = false;

    const QString svg = calculate_svg(doc, {200, 100}, QStringLiteral("/web/pages/map.svg"));
    EXPECT_EQ(svg,
              QStringLiteral(
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 200 100\" width=\"200\" height=\"100\">\n"
                  "<image href=\"../img/p%20q.png\" x=\"0\" y=\"0\" width=\"200\" height=\"100\"/>\n"
                  "<g fill=\"#fff\" fill-opacity=\"0\">\n"
                  "<a href=\"home.html?a=1&amp;b=2\" target=\"_top\">"
                  "<rect x=\"0\" y=\"0\" width=\"200\" height=\"100\"/></a>\n"
                  "<a href=\"p.html?x=1&amp;y=&lt;2&gt;\" target=\"pane\">"
                  "<polygon fill-rule=\"evenodd\" points=\"1,2 30,4 5,60\"/></a>\n"
                  "<a><title>no link</title><circle cx=\"50\" cy=\"50\" r=\"20\"/></a>\n"
                  "<a href=\"b.html\"><rect x=\"50\" y=\"40\" width=\"100\" height=\"50\"/></a>\n"
                  "<a href=\"a.html\" target=\"_blank\"><title>Tom &amp; Jerry &lt;3 \u00E9\uFFFD</title>"
                  "<rect x=\"10\" y=\"20\" width=\"100\" height=\"40\"/></a>\n"
                  "</g>\n</svg>\n"));

    QXmlStreamReader xml(svg);
    QStringList titles;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
            titles << xml.readElementText();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("no link"), QStringLiteral("Tom & Jerry <3 \u00E9\uFFFD")}));
}
