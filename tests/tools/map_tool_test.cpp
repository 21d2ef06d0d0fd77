// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_tool.h"
#include "support/printers.h"
#include "support/reader_fixtures.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

ToolRun run(const QStringList &args, const char *input = "")
{
    return runMapTool(args, QByteArray(input));
}

const char *const Doc = R"json({
  "map_name": "m", "image_file": "/srv/www/img/p.png", "map_file": "/srv/www/index.html",
  "default_link": "home.html",
  "areas": [
    {"shape": "rect", "points": [[10,20],[110,60]], "link": "a.html", "alt": "Café & co",
     "events": ["", "", "go()"]},
    {"shape": "circle", "points": [[40,40],[60,60]], "link": "c.html", "targetframe": "New Browser Window ( _blank )"},
    {"shape": "poly", "points": [[1,2],[3,4],[5,6]]}
  ]
})json";

} // namespace

TEST(MapTool, WritesEveryFormatByteForByte)
{
    const ToolRun html = run({"write", "--format", "html"}, Doc);
    EXPECT_EQ(html.status, 0);
    EXPECT_TRUE(html.err.isEmpty());
    EXPECT_EQ(
        QString::fromUtf8(html.out),
        QStringLiteral(
            "<!-- Created with Free Quadrel Software Zonari https://zonari.example.org/ !-->"
            "<img border=\"0\" src=\"./img/p.png\" usemap=\"#m\"><map name=\"m\">\r\n"
            "<area coords=\"10,20,110,60\"  shape=\"rect\" href=\"a.html\" alt=\"Café & co\" onclick=\"go()\">\r\n"
            "<area coords=\"50,50,10\" shape=\"circ\" href=\"c.html\" target=\"_blank\">\r\n"
            "<area coords=\"1,2,3,4,5,6\" shape=\"poly\">\r\n"
            "<area shape=\"default\" href=\"home.html\" ></map>"));

    const ToolRun ncsa = run({"write", "--format", "ncsa", "--map-file", "/srv/m.map"}, Doc);
    EXPECT_EQ(ncsa.out, QByteArray("# Imagemap file=/srv/m.map\r\ndefault home.html\r\n"
                                   "rect a.html 10,20 110,60\r\ncirc c.html 40,40 60,60\r\npoly  1,2 3,4 5,6\r\n"));
    const ToolRun apache = run({"write", "--apache-circles", "--format", "ncsa", "--map-file", "/srv/m.map"}, Doc);
    EXPECT_EQ(apache.out, QByteArray("# Imagemap file=/srv/m.map\r\n# circles: centre, then a point on the circle\r\n"
                                     "default home.html\r\nrect a.html 10,20 110,60\r\ncircle c.html 50,50 60,50\r\n"
                                     "poly  1,2 3,4 5,6\r\n"));
    const ToolRun cern = run({"write", "--format", "cern"}, Doc);
    EXPECT_EQ(cern.out, QByteArray("default home.html\r\nrect (10,20) (110,60) a.html\r\n"
                                   "circ (50,50) 10 c.html\r\npoly (1,2) (3,4) (5,6) \r\n"));
    const ToolRun page = run({"write", "--map-file", "/srv/m.map", "--format", "page"}, Doc);
    EXPECT_TRUE(page.out.startsWith("<html>\r\n"));
    EXPECT_TRUE(page.out.contains("<a href=\"/srv/m.map\">\r\n<img src=\"/srv/www/img/p.png\" ismap>\r\n"));
    EXPECT_TRUE(page.out.endsWith("</html>"));
}

TEST(MapTool, BadInputGetsOneLineAndStatusTwo)
{
    struct Case {
        QStringList args;
        const char *input;
        const char *message;
    };
    const QStringList html = {"write", "--format", "html"};
    const QString many = [] {
        QStringList points;
        for (int i = 0; i < 102; ++i)
            points.append(QStringLiteral("[%1,1]").arg(i));
        return QStringLiteral(R"({"areas":[{"shape":"poly","points":[%1]}]})").arg(points.join(','));
    }();
    const QByteArray manyUtf8 = many.toUtf8();
    const Case cases[] = {
        {html, "{\"areas\": [", "invalid JSON at offset"},
        {html, "[1,2]", "not an object"},
        {html, R"({"areas":[{"shape":"star","points":[[1,1]]}]})", "areas[0].shape: unknown shape \"star\""},
        {html, manyUtf8.constData(), "areas[0].points: 102 points, at most 101 allowed"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],[2,2.5]]}]})",
         "areas[0].points[1]: coordinate 2.5 is not an integer"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],[2,3000000000]]}]})",
         "areas[0].points[1]: coordinate 3000000000 is out of range"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],["2",2]]}]})",
         "areas[0].points[1]: coordinate is not a number"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1]]}]})", "a rectangle needs 2 or 4 points, not 1"},
        {html, R"({"areas":[{"shape":"circle","points":[[1,1],[2,2],[3,3]]}]})", "a circle needs 2 or 6 points"},
        {html, R"({"areas":[{"shape":"poly","points":[[1,1]],"link":7}]})", "areas[0].link: not a text"},
        {html, R"({"map_name":["x"]})", "map_name: not a text"},
        {html, R"({"areas":[{"shape":"poly","points":[[1,1]],"events":[1]}]})", "areas[0].events[0]: not a text"},
        {{"write"}, "{}", "write needs --format"},
        {{"write", "--format", "png"}, "{}", "unknown format png (html, ncsa, cern, page or svg)"},
        {{"write", "--format", "svg"}, "{}", "cannot read the size of the picture \"\""},
        {{"write", "--format"}, "{}", "option --format needs a value"},
        {{"write", "--format", "html", "--colour", "red"}, "{}", "unknown option --colour"},
        {{"draw"}, "{}", "unknown command draw"},
        {{"write", "--format", "cern", "--apache-circles"}, "{}", "--apache-circles is for the ncsa format"},
    };
    for (const Case &c : cases) {
        const ToolRun result = run(c.args, c.input);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_TRUE(result.out.isEmpty()) << c.message;
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    }
}

namespace {

const char *const TwoMaps = R"html(<img src="pics/a%20b.gif" usemap="#Nav">
<map name="Top"><area shape=rect coords=1,2,3,4 href=t.html></map>
<map name="Nav"><area shape=circle coords=50,50,10 href="n.html" alt='Nav &amp; more'></map>)html";

QJsonObject json(const ToolRun &run)
{
    return QJsonDocument::fromJson(run.out).object();
}

} // namespace

TEST(MapTool, ReadPrintsTheDocumentAsTheEditorLoadsIt)
{
    FileFolder folder;
    const QString page = folder.write(QStringLiteral("two.html"), TwoMaps);
    for (const QStringList &choice : {QStringList{"--map", "Nav"}, QStringList{"--map-index", "1"}}) {
        const ToolRun read = runMapTool(QStringList{"read", page} + choice, {});
        EXPECT_EQ(read.status, 0) << read.err.toStdString();
        const QJsonObject doc = json(read);
        EXPECT_EQ(doc["map_name"].toString(), QStringLiteral("Nav"));
        EXPECT_EQ(doc["map_file"].toString(), page);
        EXPECT_EQ(doc["image_file"].toString(), folder.path(QStringLiteral("pics/a b.gif"))); // never loaded
        const QJsonArray areas = doc["areas"].toArray();
        ASSERT_EQ(areas.size(), 1);
        EXPECT_EQ(areas[0].toObject()["alt"].toString(), QStringLiteral("Nav &amp; more"));
        EXPECT_EQ(areas[0].toObject()["points"].toArray().size(), 6);
    }

    // Without a choice, or with one that names no map, the maps are listed.
    struct Case {
        QStringList choice;
        const char *first;
    };
    const Case cases[] = {
        {{}, "the page holds several maps"},
        {{"--map", "nav"}, "no map named nav"},
        {{"--map-index", "2"}, "no map with index 2"},
    };
    for (const Case &c : cases) {
        const ToolRun read = runMapTool(QStringList{"read", page} + c.choice, {});
        EXPECT_EQ(read.status, 2);
        EXPECT_TRUE(read.out.isEmpty());
        EXPECT_TRUE(read.err.startsWith(QByteArray("zonari-map: ") + c.first)) << read.err.toStdString();
        EXPECT_TRUE(read.err.endsWith("zonari-map:   0  Top\nzonari-map:   1  Nav\n")) << read.err.toStdString();
    }
    const QString one =
        folder.write(QStringLiteral("one.html"),
                     "<img src=a.gif usemap=#only><map name=only><area shape=rect coords=1,2,3,4></map>");
    EXPECT_EQ(runMapTool({"read", one, "--map", "other"}, {}).err,
              QByteArray("zonari-map: no map named other; the maps are:\nzonari-map:   0  only\n"));
    EXPECT_EQ(runMapTool({"read", one, "--map-index", "0"}, {}).status, 0);

    // A name relative to the working folder reads as the full path does.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path(QStringLiteral("."))));
    const ToolRun relative = runMapTool({"read", "one.html"}, {});
    const ToolRun absolute = runMapTool({"read", QDir::currentPath() + QStringLiteral("/one.html")}, {});
    QDir::setCurrent(before);
    EXPECT_EQ(QString::fromUtf8(relative.out), QString::fromUtf8(absolute.out));
}

TEST(MapTool, TheJsonFormCarriesEveryTextBothWays)
{
    FileFolder folder;
    // Quotes, a backslash, control characters and a character outside the BMP.
    const QString page =
        folder.write(QStringLiteral("t.html"), "<img src=a.gif usemap=#m><map name=m>"
                                               "<area shape=rect coords=1,2,3,4 href='a\\b.html' "
                                               "alt='say \"hi\"\t\x01 \xf0\x9f\x98\x80 caf\xc3\xa9'></map>");
    const ToolRun read = runMapTool({"read", page}, {});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    const QJsonObject area = json(read)["areas"].toArray()[0].toObject();
    EXPECT_EQ(area["alt"].toString(), QStringLiteral("say \"hi\"\t\x01 \U0001F600 caf\u00e9"));
    EXPECT_EQ(area["link"].toString(), QStringLiteral("a\\b.html"));
    const ToolRun written = runMapTool({"write", "--format", "html"}, read.out);
    EXPECT_EQ(written.out, runMapTool({"convert", page, "--to", "html"}, {}).out);

    // Escapes in the input, and a key given twice counts with its last value.
    const ToolRun escaped =
        run({"write", "--format", "html"}, R"({"map_name": "x", "map_name": "\u00e9\ud83d\ude00\/\"\\"})");
    EXPECT_TRUE(QString::fromUtf8(escaped.out).contains(QStringLiteral("<map name=\"\u00e9\U0001F600/\"\\\">")))
        << escaped.out.toStdString();
}

TEST(MapTool, ReadTakesMapFilesAsNcsaUnlessToldOtherwise)
{
    FileFolder folder;
    const QString ncsa =
        folder.write(QStringLiteral("m.MAP"), "# comment\r\ndefault home.html\r\nrect a.html 10,20 110,60\r\n");
    const QString cern = folder.write(QStringLiteral("c.txt"), "circle (50,50) 10 c d.html\n");
    const QString page = folder.write(QStringLiteral("page.html"), "<a href=m.map><img src=\"img/p.gif\" ismap></a>");

    const ToolRun read = runMapTool({"read", ncsa, "--page", page}, {});
    EXPECT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_EQ(json(read)["default_link"].toString(), QStringLiteral(" home.html"));
    EXPECT_EQ(json(read)["image_file"].toString(), folder.path(QStringLiteral("img/p.gif")));
    EXPECT_EQ(json(read)["areas"].toArray()[0].toObject()["link"].toString(), QStringLiteral("a.html"));

    const ToolRun converted =
        runMapTool({"convert", cern, "--format", "cern", "--to", "ncsa", "--map-file", "/srv/c.map"}, {});
    EXPECT_EQ(converted.out, QByteArray("# Imagemap file=/srv/c.map\r\ndefault \r\ncirc c d.html 40,40 60,60\r\n"));
    const ToolRun apache =
        runMapTool({"convert", cern, "--format", "cern", "--to", "ncsa", "--apache-circles", "--map-file", "/m"}, {});
    EXPECT_TRUE(apache.out.endsWith("\r\ndefault \r\ncircle c d.html 50,50 60,50\r\n")) << apache.out.toStdString();
    const ToolRun html = runMapTool({"convert", ncsa, "--to", "html"}, {});
    EXPECT_TRUE(html.out.contains("<area coords=\"10,20,110,60\"  shape=\"rect\" href=\"a.html\">\r\n"
                                  "<area shape=\"default\" href=\" home.html\" ></map>"));
}

TEST(MapTool, ReaderMessagesGoToStandardErrorWithStatusOne)
{
    FileFolder folder;
    const QString bad = folder.write(QStringLiteral("bad.map"), "rect a.html 1,2 3,4\nrect b.html 1,2\n");
    const QString noMap = folder.write(QStringLiteral("none.html"), "<p>nothing</p>");
    const QString tooMany =
        folder.write(QStringLiteral("many.map"), QByteArray("rect a.html 1,2 3,4\n").repeated(32768));
    struct Case {
        QStringList args;
        int status;
        QByteArray err;
    };
    const Case cases[] = {
        {{"read", bad}, 1, "zonari-map: " + bad.toUtf8() + ", line 2: Could not load server-side imagemap !\n"},
        {{"read", noMap}, 1, "zonari-map: Error while opening map !\n"},
        {{"read", tooMany},
         1,
         "zonari-map: " + tooMany.toUtf8()
             + ", line 32768: Could not load server-side imagemap !\nzonari-map: The map has more than 32,767 "
               "areas.\n"},
        {{"read", folder.path(QStringLiteral("missing.map"))},
         1,
         "zonari-map: Could not load server-side imagemap !\n"},
        {{"read", bad, "--page", noMap + "x"}, 1, "zonari-map: Could not open server-side imagemap !\n"},
        {{"read"}, 2, "zonari-map: name the file to read\n"},
        {{"read", noMap, "--format", "svg"}, 2, "zonari-map: unknown format svg (html, ncsa or cern)\n"},
        {{"read", noMap, "--page", bad}, 2, "zonari-map: --page is for server-side map files\n"},
        {{"read", bad, "--map", "x"}, 2, "zonari-map: --map and --map-index are for HTML pages\n"},
        {{"read", noMap, "--map", "x", "--map-index", "0"}, 2, "zonari-map: give --map or --map-index, not both\n"},
        {{"convert", bad}, 2, "zonari-map: convert needs --to html|ncsa|cern|page|svg\n"},
    };
    for (const Case &c : cases) {
        const ToolRun run = runMapTool(c.args, {});
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err, c.err) << c.args.join(' ').toStdString();
    }
}

TEST(MapTool, HitListsTheAreasHoldingEachPointInMapOrder)
{
    // Box edges: the low edge is inside, the high edge outside. The circle
    // spans 40..60 and overlaps the rectangle; the polygon is 1,2 3,4 5,6,
    // a line, which holds no pixel.
    const ToolRun hit = run({"hit", "10,20", "109,59", "110,60", "45,45", "50,30", "0,0"}, Doc);
    EXPECT_EQ(hit.status, 0);
    EXPECT_EQ(hit.out, QByteArray("10,20 0\n109,59 0\n110,60 -\n45,45 0 1\n50,30 0\n0,0 -\n"));

    EXPECT_EQ(run({"hit"}, Doc).status, ExitStatus::BadInput);
    EXPECT_EQ(run({"hit", "1;2"}, Doc).err, QByteArray("zonari-map: 1;2 is not a point X,Y\n"));
}

TEST(MapTool, CheckPrintsOneFindingPerLineAndFailsWhenAnyIsFound)
{
    FileFolder folder;
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(folder.path(QStringLiteral("p.png"))));
    const QString page = folder.write(QStringLiteral("page.html"),
                                      "<img src=\"p.png\" usemap=\"#m\"><map name=\"m\">"
                                      "<area shape=\"rect\" coords=\"0,0,50,50\" href=\"a.html\" alt=\"A\">"
                                      "<area shape=\"rect\" coords=\"90,90,120,120\" href=\"b.html\" alt=\"B\">"
                                      "<area shape=\"rect\" coords=\"10,10,20,20\" alt=\"C\"></map>");
    const ToolRun found = run({"check", page});
    EXPECT_EQ(found.status, ExitStatus::ProblemsFound);
    EXPECT_EQ(found.out, QByteArray("Area 2 (b.html): lies partly outside the picture\n"
                                    "Area 3 (no link): cannot be clicked: area 1 covers it\n"
                                    "Area 3 (no link): has no link\n"));

    const QString clean = folder.write(QStringLiteral("clean.map"), "rect a.html 0,0 10,10\n");
    const ToolRun none = run({"check", clean});
    EXPECT_EQ(none.status, ExitStatus::Ok);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(run({"check", folder.path(QStringLiteral("missing.map"))}).status, ExitStatus::ReadFailed);
}

TEST(MapTool, ConvertToSvgTakesThePictureSizeFromItsFileAndPathsFromTheMapFile)
{
    FileFolder folder;
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString picturePath = folder.makeFolder(QStringLiteral("img")) + QStringLiteral("/p.png");
    ASSERT_TRUE(picture.save(picturePath));
    const QString page = folder.write(QStringLiteral("page.html"),
                                      "<img src=\"img/p.png\" usemap=\"#m\"><map name=\"m\">"
                                      "<area shape=\"circle\" coords=\"50,40,10\" href=\"c.html\" alt=\"C\"></map>");
    const ToolRun svg = run({"convert", page, "--to", "svg", "--map-file", folder.path(QStringLiteral("svg/m.svg"))});
    EXPECT_EQ(svg.status, 0) << svg.err.toStdString();
    EXPECT_TRUE(svg.out.contains("viewBox=\"0 0 120 80\" width=\"120\" height=\"80\">\n"
                                 "<image href=\"../img/p.png\" x=\"0\" y=\"0\" width=\"120\" height=\"80\"/>"))
        << svg.out.toStdString();
    EXPECT_TRUE(svg.out.contains("<a href=\"c.html\"><title>C</title><circle cx=\"50\" cy=\"40\" r=\"10\"/></a>"));

    QFile::remove(picturePath);
    const ToolRun noPicture = run({"convert", page, "--to", "svg"});
    EXPECT_EQ(noPicture.status, ExitStatus::BadInput);
    EXPECT_EQ(noPicture.err, "zonari-map: cannot read the size of the picture \"" + picturePath.toUtf8() + "\"\n");
}
