#include "e2e_support.h"

#include "formats/document_json.h"
#include "model/area_hits.h"
#include "support/file_folder.h"

#include <QFileInfo>

#include <gtest/gtest.h>

// NCSA map files as Apache httpd's mod_imagemap reads them, against the
// editor's canvas. The server takes the first line that holds the click and
// falls back to the default line; links resolve against the map file's
// folder.

namespace {

const char *const ServerDoc = R"json({
  "map_name": "m", "default_link": "home.html",
  "areas": [
    {"shape": "rect", "points": [[10,10],[100,80]], "link": "a.html"},
    {"shape": "rect", "points": [[50,40],[150,120]], "link": "b.html"},
    {"shape": "poly", "points": [[120,10],[220,10],[170,90]], "link": "sub/p.html"},
    {"shape": "circle", "points": [[20,100],[80,160]], "link": "circ.html"}
  ]
})json";

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
};

} // namespace

TEST(ApacheServerMap, RedirectsEachClickAsTheMapFileSays)
{
    if (!QFileInfo(ApacheProgram).isExecutable() || !QFileInfo(ApacheModules + "/mod_imagemap.so").exists())
        GTEST_SKIP() << "Apache httpd is not installed (" << ApacheProgram.toStdString() << " and "
                     << ApacheModules.toStdString() << "/mod_imagemap.so); install-deps.sh installs apache2-bin";
    FileFolder docs;
    const QByteArray map = writtenMap(ServerDoc, {QStringLiteral("--format"), QStringLiteral("ncsa"),
                                                  QStringLiteral("--map-file"), docs.path(QStringLiteral("m.map"))});
    ASSERT_TRUE(map.contains("\r\ncirc circ.html 20,100 80,160\r\n")) << map.toStdString();
    docs.write(QStringLiteral("m.map"), map);

    const DocumentFromJson doc = documentFromJson(ServerDoc);
    ASSERT_TRUE(doc.document) << doc.error.toStdString();
    const PrivateApache server(docs.path());
    ASSERT_TRUE(server.startError().isEmpty()) << server.startError().toStdString();

    for (const Click &click : Clicks) {
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

// The whole chain: the server-side page as the editor writes it, opened in
// Chromium and clicked on its picture, sends the click to the server as
// "?x,y", and the browser lands on the page the map file names.
TEST(ApacheServerMap, PageClickedInChromiumLandsWhereTheMapSays)
{
    if (!QFileInfo(ApacheProgram).isExecutable() || !QFileInfo(ChromiumProgram).isExecutable())
        GTEST_SKIP() << "needs both Apache httpd and Chromium; install-deps.sh installs them";
    FileFolder docs;
    QByteArray json = ServerDoc;
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
