#include "map_tool.h"
#include "support/printers.h"

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
    EXPECT_EQ(QString::fromUtf8(html.out),
              QStringLiteral("<!-- Created with Free Quadrel Software Zonari https://zonari.example.org/ !-->"
                             "<img border=\"0\" src=\"./img/p.png\" usemap=\"#m\"><map name=\"m\">\r\n"
                             "<area coords=\"10,20,110,60\"  shape=\"rect\" href=\"a.html\" alt=\"Café & co\" onclick=\"go()\">\r\n"
                             "<area coords=\"50,50,10\" shape=\"circ\" href=\"c.html\" target=\"_blank\">\r\n"
                             "<area coords=\"1,2,3,4,5,6\" shape=\"poly\">\r\n"
                             "<area shape=\"default\" href=\"home.html\" ></map>"));

    const ToolRun ncsa = run({"write", "--format", "ncsa", "--map-file", "/srv/m.map"}, Doc);
    EXPECT_EQ(ncsa.out, QByteArray("# Imagemap file=/srv/m.map\r\ndefault home.html\r\n"
                                   "rect a.html 10,20 110,60\r\ncirc c.html 40,40 60,60\r\npoly  1,2 3,4 5,6\r\n"));
    const ToolRun cern = run({"write", "--format", "cern"}, Doc);
    EXPECT_EQ(cern.out, QByteArray("default home.html\r\nrect (10,20) (110,60) a.html\r\n"
                                   "circ (50,50) 10 c.html\r\npoly (1,2) (3,4) (5,6) \r\n"));
    const ToolRun page = run({"write", "--map-file", "/srv/m.map", "--format", "page"}, Doc);
    EXPECT_TRUE(page.out.startsWith("<html>\r\n"));
    EXPECT_TRUE(page.out.contains("<a href=\"/srv/m.map\">\r\n<img src=\"/srv/www/img/p.png\" ismap>\r\n"));
    EXPECT_TRUE(page.out.endsWith("</html>"));

    EXPECT_EQ(run({"write", "--format", "html"}, "{}").out,
              QByteArray("<!-- Created with Free Quadrel Software Zonari https://zonari.example.org/ !-->"
                         "<img border=\"0\" src=\"\" usemap=\"#\"><map name=\"\">\r\n</map>"));
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
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],[2,2.5]]}]})", "areas[0].points[1]: coordinate 2.5 is not an integer"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],[2,3000000000]]}]})", "areas[0].points[1]: coordinate 3000000000 is out of range"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1],["2",2]]}]})", "areas[0].points[1]: coordinate is not a number"},
        {html, R"({"areas":[{"shape":"rect","points":[[1,1]]}]})", "a rectangle needs 2 or 4 points, not 1"},
        {html, R"({"areas":[{"shape":"circle","points":[[1,1],[2,2],[3,3]]}]})", "a circle needs 2 or 6 points"},
        {html, R"({"areas":[{"shape":"poly","points":[[1,1]],"link":7}]})", "areas[0].link: not a text"},
        {html, R"({"map_name":["x"]})", "map_name: not a text"},
        {html, R"({"areas":[{"shape":"poly","points":[[1,1]],"events":[1]}]})", "areas[0].events[0]: not a text"},
        {{"write"}, "{}", "write needs --format"},
        {{"write", "--format", "svg"}, "{}", "unknown format svg"},
        {{"write", "--format"}, "{}", "option --format needs a value"},
        {{"write", "--format", "html", "--colour", "red"}, "{}", "unknown option --colour"},
        {{"draw"}, "{}", "unknown command draw"},
    };
    for (const Case &c : cases) {
        const ToolRun result = run(c.args, c.input);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_TRUE(result.out.isEmpty()) << c.message;
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    }
}
