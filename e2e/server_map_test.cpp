// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e_support.h"

#include "formats/document_json.h"
#include "model/area_hits.h"
#include "support/file_folder.h"

#include <QFileInfo>

#include <span>

#include <gtest/gtest.h>

// NCSA map files as Apache httpd's mod_imagemap reads them, against the
// editor's canvas. The server takes the first line that holds the click and
// falls back to the default line; links resolve against the map file's
// folder.

namespace {

// The last area is a polygon of 101 points, of which mod_imagemap keeps the
// first 100: 98 points along its top edge from (160,100) to (257,100), then
// (257,140), (200,140) and, as the 101st, (160,175). Without that last point
// its lower left edge runs from (200,140) straight back to (160,100).
QByteArray serverDoc()
{
    QByteArray longPolygon;
    for (int x = 160; x <= 257; ++x)
        longPolygon += "[" + QByteArray::number(x) + ",100],";
    longPolygon += "[257,140],[200,140],[160,175]";
    return R"json({
  "map_name": "m", "default_link": "home.html",
  "areas": [
    {"shape": "rect", "points": [[10,10],[100,80]], "link": "a.html"},
    {"shape": "rect", "points": [[50,40],[150,120]], "link": "b.html"},
    {"shape": "poly", "points": [[120,10],[220,10],[170,90]], "link": "sub/p.html"},
    {"shape": "circle", "points": [[20,100],[80,160]], "link": "circ.html"},
    {"shape": "poly", "points": [)json"
           + longPolygon + R"json(], "link": "long.html"}
  ]
})json";
}

constexpr int NoArea = -1;

struct Click {
    QPoint point;
    const char *serverLink; // where the server redirects
    int editorArea;         // the first live area whose editor region holds it
    const char *why;
};

// Where the two disagree, the row says so; a change on either side fails it.
const Click Clicks[] = {
    {{30, 30}, "/a.html", 0, "rectangle"},
    {{70, 60}, "/a.html", 0, "two rectangles overlap: the first line wins"},
    {{120, 100}, "/b.html", 1, "the second rectangle alone"},
    {{170, 30}, "/sub/p.html", 2, "polygon; its relative link resolves against the map's folder"},
    {{230, 170}, "/home.html", NoArea, "outside every area: the default"},
    {{10, 10}, "/a.html", 0, "a rectangle's first corner is inside for both"},
    {{100, 30},
     "/a.html",
     NoArea,
     "known difference: the server counts a rectangle's right edge in, the editor's region ends before it"},
    {{50, 130},
     "/home.html",
     3,
     "known difference: the editor writes circles as 'circ' with their bounding square; mod_imagemap knows only "
     "'circle' (centre and a point on it) and skips the line"},
    {{220, 120}, "/long.html", 4, "inside the polygon of 101 points with or without its last point"},
    {{170, 150},
     "/home.html",
     4,
     "known difference: mod_imagemap keeps the first 100 points of a polygon, so the corner the 101st point adds "
     "is outside for the server"},
};

// The circle (centre 50,130, radius 30) written for Apache. Rectangle b
// reaches down to y 120 from x 50, so the clicks near the circle's top stay
// left of it.
const char *const EdgeRule =
    "known difference: mod_imagemap counts a click at exactly the radius from the centre as inside; the editor's "
    "region holds a pixel when the pixel's centre, half a pixel further right and down, is inside, so the "
    "rightmost and lowest pixels at the radius are outside for the editor";
const Click ApacheCircleClicks[] = {
    {{50, 130}, "/circ.html", 3, "the centre"},
    {{20, 130}, "/circ.html", 3, "the leftmost pixel, at the radius, is inside for both"},
    {{19, 130}, "/home.html", NoArea, "just outside on the left"},
    {{50, 159}, "/circ.html", 3, "just inside at the bottom"},
    {{50, 161}, "/home.html", NoArea, "just outside at the bottom"},
    {{70, 150}, "/circ.html", 3, "inside on the diagonal"},
    {{72, 152}, "/home.html", NoArea, "just outside on the diagonal"},
    {{80, 130}, "/circ.html", NoArea, EdgeRule},
    {{50, 160}, "/circ.html", NoArea, EdgeRule},
};

bool apacheMissing()
{
    return !QFileInfo(ApacheProgram).isExecutable() || !QFileInfo(ApacheModules + "/mod_imagemap.so").exists();
}

// Serves the map zonari-map writes for serverDoc() with the given options and
// clicks each point, asking the server and the editor's canvas alike.
void expectClicks(const QStringList &writeOptions, const QList<QByteArray> &expectedLines,
                  std::span<const Click> clicks)
{
    FileFolder docs;
    const QByteArray map =
        writtenMap(serverDoc(), QStringList{QStringLiteral("--format"), QStringLiteral("ncsa"),
                                            QStringLiteral("--map-file"), docs.path(QStringLiteral("m.map"))}
                                    + writeOptions);
    for (const QByteArray &lines : expectedLines)
        ASSERT_TRUE(map.contains(lines)) << map.toStdString();
    docs.write(QStringLiteral("m.map"), map);

    const DocumentFromJson doc = documentFromJson(serverDoc());
    ASSERT_TRUE(doc.document) << doc.error.toStdString();
    const PrivateApache server(docs.path());
    ASSERT_TRUE(server.startError().isEmpty()) << server.startError().toStdString();

    for (const Click &click : clicks) {
        const QPoint p = click.point;
        const QString query = QStringLiteral("/m.map?%1,%2").arg(p.x()).arg(p.y());
        const PrivateApache::Reply reply = server.get(query);
        const QList<int> holding = liveAreasHolding(*doc.document, p);
        const int editor = holding.isEmpty() ? NoArea : holding.first();
        EXPECT_EQ(reply.status, 302) << query.toStdString() << ": " << click.why;
        EXPECT_EQ(reply.location.toStdString(), server.url(click.serverLink).toStdString())
            << "point (" << p.x() << "," << p.y() << ") " << click.why;
        EXPECT_EQ(editor, click.editorArea) << "point (" << p.x() << "," << p.y() << ") " << click.why;
    }

    // A click at 0,0 asks for the map's menu page, not for an area.
    const PrivateApache::Reply menu = server.get(QStringLiteral("/m.map?0,0"));
    EXPECT_EQ(menu.status, 200);
    EXPECT_TRUE(menu.location.isEmpty()) << menu.location.toStdString();
    EXPECT_TRUE(menu.body.contains("a.html")) << menu.body.toStdString();
}

} // namespace

TEST(ApacheServerMap, RedirectsEachClickAsTheMapFileSays)
{
    if (apacheMissing())
        GTEST_SKIP() << "Apache httpd is not installed (" << ApacheProgram.toStdString() << " and "
                     << ApacheModules.toStdString() << "/mod_imagemap.so); install-deps.sh installs apache2-bin";
    expectClicks({}, {"\r\ncirc circ.html 20,100 80,160\r\n"}, Clicks);
}

TEST(ApacheServerMap, CirclesWrittenForApacheAgreeWithTheCanvasUpToTheirEdge)
{
    if (apacheMissing())
        GTEST_SKIP() << "Apache httpd is not installed; install-deps.sh installs apache2-bin";
    expectClicks({QStringLiteral("--apache-circles")},
                 {"\r\n# circles: centre, then a point on the circle\r\ndefault home.html\r\n",
                  "\r\ncircle circ.html 50,130 80,130\r\n"},
                 ApacheCircleClicks);
}

// The whole chain: the server-side page as the editor writes it, opened in
// Chromium and clicked on its picture, sends the click to the server as
// "?x,y", and the browser lands on the page the map file names.
TEST(ApacheServerMap, PageClickedInChromiumLandsWhereTheMapSays)
{
    if (!QFileInfo(ApacheProgram).isExecutable() || !QFileInfo(ChromiumProgram).isExecutable())
        GTEST_SKIP() << "needs both Apache httpd and Chromium; install-deps.sh installs them";
    FileFolder docs;
    QByteArray json = serverDoc();
    json.replace(R"("map_name": "m",)", R"("map_name": "m", "map_file": "m.map", "image_file": "p.png",)");
    docs.write(QStringLiteral("m.map"), writtenMap(json, {QStringLiteral("--format"), QStringLiteral("ncsa")}));
    const QByteArray page = writtenMap(json, {QStringLiteral("--format"), QStringLiteral("page")});
    ASSERT_TRUE(page.contains("<a href=\"m.map\">\r\n<img src=\"p.png\" ismap>")) << page.toStdString();
    ASSERT_TRUE(writePicture(docs.path(QStringLiteral("p.png")), 260, 200));
    docs.makeFolder(QStringLiteral("sub"));
    for (const char *target : {"a.html", "sub/p.html", "home.html"})
        docs.write(QString::fromLatin1(target), QByteArray("<p>landed on ") + target + "</p>");
    const PrivateApache server(docs.path());
    ASSERT_TRUE(server.startError().isEmpty()) << server.startError().toStdString();

    const struct {
        QPoint point;
        const char *landing;
    } clicks[] = {{{30, 30}, "a.html"}, {{170, 30}, "sub/p.html"}, {{230, 170}, "home.html"}};
    for (const auto &click : clicks) {
        // The page gains only a script that clicks its picture once the
        // picture has loaded, at the point given relative to the picture.
        const QString name = QStringLiteral("click%1_%2.html").arg(click.point.x()).arg(click.point.y());
        QByteArray clicked = page;
        clicked.replace("</body>", QStringLiteral("<script>window.addEventListener('load', () => {"
                                                  " const img = document.querySelector('img');"
                                                  " const r = img.getBoundingClientRect();"
                                                  " img.dispatchEvent(new MouseEvent('click', {bubbles: true,"
                                                  " cancelable: true, view: window, clientX: r.left + %1,"
                                                  " clientY: r.top + %2})); });</script>\r\n</body>")
                                       .arg(click.point.x())
                                       .arg(click.point.y())
                                       .toUtf8());
        docs.write(name, clicked);
        QString error;
        const QByteArray dom = chromiumDom(server.url(u'/' + name), &error);
        const QString log = server.accessLog();
        const QString query = QStringLiteral("GET /m.map?%1,%2 ").arg(click.point.x()).arg(click.point.y());
        EXPECT_TRUE(dom.contains(QByteArray("landed on ") + click.landing))
            << name.toStdString() << " ended on: " << dom.toStdString() << error.toStdString();
        EXPECT_TRUE(log.contains(query + QStringLiteral("HTTP/1.1 302"))) << log.toStdString();
    }
}
