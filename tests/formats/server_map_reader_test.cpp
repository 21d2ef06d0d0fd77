// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/map_text_input.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"
#include "support/printers.h"
#include "support/reader_fixtures.h"

#include <gtest/gtest.h>

namespace {

using Points = std::vector<QPoint>;

struct Read {
    MapDocument doc;
    ServerMapResult result;
};

Read readMap(const QString &text, qint32 format)
{
    Read read;
    read.doc.default_link = QStringLiteral("unchanged.html");
    read.result = analyze_server_map(read.doc, MapTextSource::snapshot(text), format);
    return read;
}

struct AreaCase {
    const char *line;
    qint32 format;
    ShapeType shape;
    const char *link;
    Points points;
};

} // namespace

TEST(ServerReader, LinesOfBothSyntaxesBecomeAreas)
{
    const Points circle = {{40, 40}, {60, 60}, {50, 40}, {60, 50}, {50, 60}, {40, 50}};
    const Points rect = {{10, 20}, {110, 60}, {10, 60}, {110, 20}};
    const AreaCase cases[] = {
        {"circle (50,50) 10 a.html", Cern, Circle, "a.html", circle},
        {"circ (50,50) 10 a b.html", Cern, Circle, "a b.html", circle},
        {"rect (10,20) (110,60) a b.html", Cern, Rectangle, "a b.html", rect},
        {"RECTANGLE (10,20) (110,60) x", Cern, Rectangle, "x", rect},
        {"poly (1,2) (3,4) (5,6) b.html", Cern, Polygon, "b.html", {{1, 2}, {3, 4}, {5, 6}}},
        {"polygon (1,2) b.html", Cern, Polygon, "b.html", {{1, 2}}},
        {"poly (1,2) (3,4) (5,6) ", Cern, Polygon, "(5,6) ", {{1, 2}, {3, 4}, {5, 6}}},
        {"circ a.html 40,40 60,60", Ncsa, Circle, "a.html", circle},
        {"Circle a b.html 40,40 60,60", Ncsa, Circle, " a b.html", circle},
        {"circ a 40,40 61,60", Ncsa, Circle, "a", {{40, 40}, {61, 60}, {50, 40}, {61, 50}, {50, 60}, {40, 50}}},
        {"circ a 40,40 63,60", Ncsa, Circle, "a", {{40, 40}, {63, 60}, {52, 40}, {63, 52}, {52, 60}, {40, 52}}},
        {"circ a 60,60 40,40", Ncsa, Circle, "a", {{60, 60}, {40, 40}, {50, 60}, {40, 50}, {50, 40}, {60, 50}}},
        {"rect a b.html 10,20 110,60", Ncsa, Rectangle, "b.html", rect},
        {"Rect a.html 10,20 110,60 trailing", Ncsa, Rectangle, "a.html", rect},
        {"poly p.html 1,2 3,4 5,6", Ncsa, Polygon, "p.html", {{1, 2}, {3, 4}, {5, 6}}},
        {"polygon p.html 1,2", Ncsa, Polygon, "p.html", {{1, 2}}},
        {"poly p.html x1,2 3,4", Ncsa, Polygon, "p.html", {{3, 4}}},
        {"poly p.html ", Ncsa, Polygon, "p.html", {}},
    };
    for (const AreaCase &c : cases) {
        const Read read = readMap(QString::fromUtf8(c.line), c.format);
        EXPECT_TRUE(read.result.ok) << c.line;
        const auto areas = liveAreas(read.doc);
        ASSERT_EQ(areas.size(), 1u) << c.line;
        EXPECT_EQ(areas[0]->shapetype, c.shape) << c.line;
        EXPECT_EQ(areas[0]->link, QString::fromUtf8(c.link)) << c.line;
        EXPECT_EQ(pointsOf(*areas[0]), c.points) << c.line;
        EXPECT_EQ(areas[0]->alt, QString());
        // The last point of every shape is one that shows a handle.
        if (!c.points.empty()) {
            EXPECT_TRUE(areas[0]->handleShown(int(c.points.size()) - 1)) << c.line;
        }
    }
}

TEST(ServerReader, CircleLinesAreCentreAndEdgePointOnlyInAMapThatSaysSo)
{
    const QString comment = ApacheCirclesComment + QStringLiteral("\r\n");
    const QString lines = QStringLiteral("circle a.html 50,50 60,50\r\n"
                                         "CIRCLE  50,50 53,54\r\n" // the distance is the radius: 5
                                         "circ c.html 40,40 60,60\r\n");
    const Points around50 = {{40, 40}, {60, 60}, {50, 40}, {60, 50}, {50, 60}, {40, 50}};
    const Points around50By5 = {{45, 45}, {55, 55}, {50, 45}, {55, 50}, {50, 55}, {45, 50}};
    // The comment counts wherever it stands.
    for (const QString &text : {comment + lines, lines + comment}) {
        const Read read = readMap(text, Ncsa);
        ASSERT_TRUE(read.result.ok);
        const auto areas = liveAreas(read.doc);
        ASSERT_EQ(areas.size(), 3u);
        EXPECT_EQ(areas[0]->link, QStringLiteral("a.html"));
        EXPECT_EQ(pointsOf(*areas[0]), around50);
        EXPECT_EQ(areas[1]->link, QString());
        EXPECT_EQ(pointsOf(*areas[1]), around50By5);
        EXPECT_EQ(areas[2]->link, QStringLiteral("c.html")); // circ lines stay corners
        EXPECT_EQ(pointsOf(*areas[2]), around50);
    }
    // Without the comment, or in a CERN map, circle lines read as before.
    const Read plain = readMap(lines, Ncsa);
    const auto withoutComment = liveAreas(plain.doc);
    ASSERT_EQ(withoutComment.size(), 3u);
    EXPECT_EQ(withoutComment[0]->link, QStringLiteral(" a.html"));
    EXPECT_EQ(pointsOf(*withoutComment[0]).front(), QPoint(50, 50));
    EXPECT_FALSE(readMap(comment + QStringLiteral("circle a.html 50,50 60,50"), Cern).result.ok);
}

TEST(ServerReader, LinesThatAreNotShapesMakeNoArea)
{
    const char *const lines[] = {
        "# Imagemap file=C:\\maps\\a.map",
        "",
        " rect (1,2) (3,4) x",
        "point a.html 1,2",
        "rect",
        "circ ",
        "circle",
        "rectangle",
        "polygon",
        "recta (1,2) (3,4) x",
    };
    for (const char *line : lines)
        for (const qint32 format : {Ncsa, Cern}) {
            const Read read = readMap(QString::fromUtf8(line), format);
            EXPECT_TRUE(read.result.ok) << line;
            EXPECT_EQ(read.doc.shapecol.count(), 0) << line;
        }
}

TEST(ServerReader, TheDefaultLineKeepsItsBlank)
{
    Read read = readMap(QStringLiteral("# header\r\nDEFAULT index.html\r\nrect (1,2) (3,4) x"), 2);
    EXPECT_TRUE(read.result.ok);
    EXPECT_EQ(read.doc.default_link, QStringLiteral(" index.html"));
    EXPECT_EQ(read.doc.shapecol.count(), 0); // an unknown format reads the default line only

    EXPECT_EQ(readMap(QStringLiteral("rect a 1,2 3,4\n"), Ncsa).doc.default_link, QStringLiteral("unchanged.html"));
    EXPECT_EQ(readMap(QStringLiteral("default"), Ncsa).doc.default_link, QString());
    // The last line counts without a line break, and CR, LF and CR LF all end lines.
    read = readMap(QStringLiteral("rect a 1,2 3,4\rrect b 5,6 7,8\nrect c 9,9 9,9"), Ncsa);
    ASSERT_EQ(liveAreas(read.doc).size(), 3u);
    EXPECT_EQ(liveAreas(read.doc)[2]->link, QStringLiteral("c"));
}

TEST(ServerReader, ALineThatDoesNotReadEndsTheMap)
{
    struct Case {
        const char *line;
        qint32 format;
        const char *link;
        Points partial;
    };
    const Case cases[] = {
        {"poly (1,2) b.html", Cern, "", {}},
        {"rect (1,2) (3,4)", Cern, "", {}},
        {"rect (2147483648,2) (3,4) x", Cern, "x", {}},
        {"circ (2147483647,5) 1 x", Cern, "x", {{2147483646, 4}}},
        {"rect 1,2 3,4", Ncsa, "", {}},
        {"circ a.html -1,2 3,4", Ncsa, "", {}},
        {"circ a 0,2147483647 2,2", Ncsa, "a", {{0, 2147483647}, {2, 2}, {1, 2147483647}}},
        {"poly a.html 99999999999,1", Ncsa, "a.html", {}},
    };
    for (const Case &c : cases) {
        const QString first =
            c.format == Cern ? QStringLiteral("rect (1,1) (2,2) ok") : QStringLiteral("rect ok 1,1 2,2");
        const Read read = readMap(first + QStringLiteral("\r\n") + QString::fromUtf8(c.line)
                                      + QStringLiteral("\r\nrect (5,5) (6,6) after"),
                                  c.format);
        EXPECT_FALSE(read.result.ok) << c.line;
        EXPECT_EQ(read.result.line, 2) << c.line;
        EXPECT_EQ(read.result.message(), QStringLiteral("Could not load server-side imagemap !"));
        // The area before stays, and the area of the failing line with what
        // it received.
        const auto areas = liveAreas(read.doc);
        ASSERT_EQ(areas.size(), 2u) << c.line;
        EXPECT_EQ(areas[0]->link, QStringLiteral("ok"));
        EXPECT_EQ(areas[1]->link, QString::fromUtf8(c.link)) << c.line;
        EXPECT_EQ(pointsOf(*areas[1]), c.partial) << c.line;
    }

    // The 32768th area has no position.
    Read full;
    for (int i = 1; i < MaxAreaCount; ++i)
        full.doc.shapecol.add(Rectangle).Delete();
    full.result =
        analyze_server_map(full.doc, MapTextSource::snapshot(QStringLiteral("rect a 1,2 3,4\nrect b 1,2 3,4")), Ncsa);
    EXPECT_EQ(full.result.line, 2);
    EXPECT_EQ(full.result.message(),
              QStringLiteral("Could not load server-side imagemap !\nThe map has more than 32,767 areas."));
    EXPECT_EQ(full.doc.shapecol.count(), MaxAreaCount);

    // The 102nd point is refused.
    QString line = QStringLiteral("poly many.html");
    for (int i = 0; i < 102; ++i)
        line += QStringLiteral(" %1,%1").arg(i);
    const Read many = readMap(line, Ncsa);
    EXPECT_FALSE(many.result.ok);
    ASSERT_EQ(liveAreas(many.doc).size(), 1u);
    EXPECT_EQ(liveAreas(many.doc)[0]->nr_points, 101);
}

TEST(ServerReader, LongLinesAreReadUpToALimit)
{
    // 10,000 pairs in one line: the link is found, the points stop at 101.
    QString cern = QStringLiteral("poly");
    for (int i = 0; i < 10000; ++i)
        cern += QStringLiteral(" (%1,2)").arg(i % 10);
    cern += QStringLiteral(" far.html");
    ASSERT_LT(cern.size(), MaxServerMapLineLength);
    const Read polygon = readMap(cern, Cern);
    EXPECT_FALSE(polygon.result.ok);
    EXPECT_EQ(liveAreas(polygon.doc)[0]->link, QStringLiteral("far.html"));
    EXPECT_EQ(liveAreas(polygon.doc)[0]->nr_points, 101);

    const QString longLink = QString(MaxServerMapLineLength - 30, u'x');
    const Read rect = readMap(QStringLiteral("rect (1,2) (3,4) ") + longLink, Cern);
    EXPECT_TRUE(rect.result.ok);
    EXPECT_EQ(liveAreas(rect.doc)[0]->link, longLink);

    // A 1 MB shape line is refused; a 1 MB comment or default line is read.
    const QString megabyte(1 << 20, u'7');
    const Read refused =
        readMap(QStringLiteral("default ") + megabyte + QStringLiteral("\n# ") + megabyte + QStringLiteral("\nrect a ")
                    + megabyte + QStringLiteral(" 1,2 3,4\nrect b 1,2 3,4"),
                Ncsa);
    EXPECT_FALSE(refused.result.ok);
    EXPECT_EQ(refused.result.line, 3);
    EXPECT_EQ(refused.result.message(),
              QStringLiteral("Could not load server-side imagemap !\nA line is longer than 65536 characters."));
    EXPECT_EQ(refused.doc.default_link.size(), megabyte.size() + 1);
    EXPECT_EQ(refused.doc.shapecol.count(), 0);
}

TEST(ServerReader, FilesThatCannotBeReadAreRefusedWhole)
{
    FileFolder folder;
    MapDocument doc;
    for (const QString &unreadable : {folder.path(QStringLiteral("no.map")), folder.path()}) {
        const ServerMapResult result = analyze_server_map(doc, MapTextSource::file(unreadable), Ncsa);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.line, 0);
        EXPECT_EQ(result.message(), QStringLiteral("Could not load server-side imagemap !"));
    }
    const QString huge = folder.writeSparse(QStringLiteral("huge.map"), MaxMapFileBytes + 1);
    EXPECT_EQ(analyze_server_map(doc, MapTextSource::file(huge), Ncsa).message(),
              QStringLiteral("Could not load server-side imagemap !\nThe file is larger than 64 MB."));
    EXPECT_EQ(doc.shapecol.count(), 0);
}

TEST(ServerReader, ThePageGivesThePictureOfItsLastIsmapImage)
{
    FileFolder folder;
    MapDocument written;
    written.map_file = folder.path(QStringLiteral("m.map"));
    written.image_file = folder.path(QStringLiteral("my pic.gif"));
    const QString page = folder.write(QStringLiteral("page.html"), calculate_server_html(written).toUtf8());
    const QString twoPictures =
        folder.write(QStringLiteral("two.html"), "<a href=m.map><img src=first.gif ismap></a><img src=plain.gif>"
                                                 "<a href=m.map><IMG SRC='img/second%20one.gif' ISMAP></a>");
    const QString noPicture = folder.write(QStringLiteral("none.html"), "<img src=plain.gif>");

    MapDocument doc;
    doc.map_file = written.map_file;
    EXPECT_EQ(analyze_server_html(doc, page, ReaderServices()), MapReadResult());
    EXPECT_EQ(doc.image_file, written.image_file);
    EXPECT_EQ(analyze_server_html(doc, twoPictures, ReaderServices()), MapReadResult());
    EXPECT_EQ(doc.image_file, folder.path(QStringLiteral("img/second one.gif")));
    EXPECT_EQ(analyze_server_html(doc, noPicture, ReaderServices()), MapReadResult());
    EXPECT_EQ(doc.image_file, folder.path(QStringLiteral("img/second one.gif")));

    EXPECT_EQ(analyze_server_html(doc, folder.path(QStringLiteral("missing.html")), ReaderServices()),
              MapReadResult::failed(QStringLiteral("Could not open server-side imagemap !")));
    EXPECT_EQ(doc.image_file, folder.path(QStringLiteral("img/second one.gif")));
}
