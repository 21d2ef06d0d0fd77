// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/client_map_reader.h"
#include "formats/map_text_input.h"
#include "formats/map_writer.h"
#include "support/printers.h"
#include "support/reader_fixtures.h"

#include <gtest/gtest.h>

namespace {

using Points = std::vector<QPoint>;

const MapReadResult MapError = MapReadResult::failed(QStringLiteral("Error while opening map !"));

const char *const Page = R"html(<html><body>
<img src="pics/site.gif" usemap="#site">
<map name="site">
<area shape="RECT" coords="10,20,110,60" href="a.html?x=1&amp;y=2" alt='Tom &amp; Jerry' target="_top">
<area shape="circle" coords=" 50, 50 ,10" href="c.html"
      onclick="go('c')" onblur="x()">
<area shape="polygon" coords="1,2,3,4,5,6" href="p.html" TARGET=content onMouseOver="hi()">
<area shape="default" href="home.html">
<area coords="1,1,2,2" href="noshape.html">
<area shape="rectangle" coords="0,0,1,1"><area shape="circ" coords="5,5,1"><area shape="Poly" coords="7,8">
</map>
</body></html>
)html";

MapDocument documentWithHistory()
{
    MapDocument doc;
    doc.map_name = QStringLiteral("before");
    doc.image_file = QStringLiteral("/old/picture.png");
    doc.default_link = QStringLiteral("keep.html");
    doc.default_target = QStringLiteral("Whole Page ( _top )");
    clscoords &old = doc.shapecol.add(Rectangle);
    old.newpoint(1, 1);
    old.newpoint(2, 2);
    old.Delete();
    return doc;
}

// The fields a failed read must not change.
void expectUnchanged(const MapDocument &doc)
{
    EXPECT_EQ(doc.map_name, QStringLiteral("before"));
    EXPECT_EQ(doc.image_file, QStringLiteral("/old/picture.png"));
    EXPECT_EQ(doc.shapecol.count(), 1);
}

} // namespace

TEST(ClientReader, ReadsEveryKnownAreaOfAPage)
{
    FileFolder folder;
    ScriptedServices script;
    MapDocument doc = documentWithHistory();
    doc.map_file = folder.write(QStringLiteral("page.html"), Page);

    EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(doc.map_file), script.services()), MapReadResult());
    EXPECT_TRUE(script.offeredMaps.isEmpty()); // one map: nobody is asked
    EXPECT_EQ(doc.map_name, QStringLiteral("site"));
    EXPECT_EQ(doc.image_file, folder.path(QStringLiteral("pics/site.gif")));
    EXPECT_EQ(script.loadedPictures, QStringList{doc.image_file});
    EXPECT_EQ(doc.default_link, QStringLiteral("keep.html"));
    EXPECT_EQ(doc.default_target, QStringLiteral("Whole Page ( _top )"));

    const auto areas = liveAreas(doc);
    ASSERT_EQ(areas.size(), 6u);
    const clscoords &rect = *areas[0];
    EXPECT_EQ(rect.clsindex, 2); // after the deleted area
    EXPECT_EQ(rect.shapetype, Rectangle);
    EXPECT_EQ(pointsOf(rect), (Points{{10, 20}, {110, 60}, {10, 60}, {110, 20}}));
    EXPECT_EQ(rect.link, QStringLiteral("a.html?x=1&amp;y=2")); // verbatim, not decoded
    EXPECT_EQ(rect.alt, QStringLiteral("Tom &amp; Jerry"));
    EXPECT_EQ(rect.targetframe, QStringLiteral("_top"));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(rect.handleShown(i)) << i;

    const clscoords &circle = *areas[1];
    EXPECT_EQ(circle.shapetype, Circle);
    EXPECT_EQ(pointsOf(circle), (Points{{40, 40}, {60, 60}, {50, 40}, {60, 50}, {50, 60}, {40, 50}}));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(circle.handleShown(i), i >= 2) << i;
    EXPECT_EQ(circle.getEvents(2), QStringLiteral("go('c')"));
    EXPECT_EQ(circle.getEvents(13), QStringLiteral("x()"));

    const clscoords &poly = *areas[2];
    EXPECT_EQ(poly.shapetype, Polygon);
    EXPECT_EQ(pointsOf(poly), (Points{{1, 2}, {3, 4}, {5, 6}}));
    EXPECT_EQ(poly.targetframe, QStringLiteral("content"));
    EXPECT_EQ(poly.getEvents(6), QStringLiteral("hi()"));

    // The long and short keywords in any case; default and shapeless
    // areas make none.
    EXPECT_EQ(areas[3]->shapetype, Rectangle);
    EXPECT_EQ(areas[4]->shapetype, Circle);
    EXPECT_EQ(pointsOf(*areas[5]), (Points{{7, 8}}));
}

TEST(ClientReader, SeveralMapsAskWhichOneAndFindItsPicture)
{
    FileFolder folder;
    const QString page = folder.write(QStringLiteral("two.html"), R"html(
<img src="first.gif" usemap="#Top"><img src="file:///srv/My%20Pics/nav+bar.gif" USEMAP="#NAV">
<img src="other.gif" usemap="#nav">
<map name="Top"><area shape=rect coords=1,1,2,2></map>
<map name="Nav"><area shape=rect coords=3,3,4,4 href=n.html></map>)html");

    ScriptedServices script;
    script.choice = 1;
    MapDocument doc = documentWithHistory();
    doc.map_file = page;
    EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(page), script.services()), MapReadResult());
    EXPECT_EQ(script.offeredMaps, QStringList({QStringLiteral("Top"), QStringLiteral("Nav")}));
    EXPECT_EQ(doc.map_name, QStringLiteral("Nav"));
    EXPECT_EQ(doc.image_file, QStringLiteral("/srv/My Pics/nav bar.gif")); // the first img for the map
    ASSERT_EQ(liveAreas(doc).size(), 1u);
    EXPECT_EQ(liveAreas(doc)[0]->link, QStringLiteral("n.html"));

    // Cancelling changes nothing and says nothing; an index the chooser
    // should not give is an error.
    for (const int choice : {-1, 2, -7}) {
        ScriptedServices other;
        other.choice = choice;
        MapDocument untouched = documentWithHistory();
        untouched.map_file = page;
        EXPECT_EQ(analyze_client_map(untouched, MapTextSource::file(page), other.services()),
                  (choice == -1 ? MapReadResult{ReadOutcome::Cancelled, QString()} : MapError));
        EXPECT_TRUE(other.loadedPictures.isEmpty());
        expectUnchanged(untouched);
    }
}

TEST(ClientReader, PagesWithoutAMapAndFilesThatDoNotReadChangeNothing)
{
    FileFolder folder;
    const char *const pages[] = {
        "<p>no map here</p>", "<img src=a.gif usemap=#other><map name=m><area shape=rect coords=1,2,3,4></map>",
        "<img src=a.gif usemap=m><map name=m><area shape=rect coords=1,2,3,4></map>", // the # is required
    };
    for (const char *page : pages) {
        ScriptedServices script;
        MapDocument doc = documentWithHistory();
        doc.map_file = folder.write(QStringLiteral("p.html"), page);
        EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(doc.map_file), script.services()), MapError) << page;
        expectUnchanged(doc);
    }
    // A missing file, and one too large to read at all.
    const std::pair<QString, MapReadResult> files[] = {
        {folder.path(QStringLiteral("missing.html")), MapError},
        {folder.writeSparse(QStringLiteral("huge.html"), MaxMapFileBytes + 1),
         MapReadResult::failed(QStringLiteral("Error while opening map !\nThe file is larger than 64 MB."))},
    };
    for (const auto &[file, expected] : files) {
        ScriptedServices script;
        MapDocument doc = documentWithHistory();
        EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(file), script.services()), expected);
        expectUnchanged(doc);
    }
}

TEST(ClientReader, APictureThatDoesNotLoadStopsBeforeTheAreas)
{
    FileFolder folder;
    const QString map = QStringLiteral("<map name=site><area shape=rect coords=1,2,3,4></map>");
    // A page that names no picture names no folder either.
    const std::pair<QString, QString> cases[] = {
        {QString::fromUtf8(Page), folder.path(QStringLiteral("pics/site.gif"))},
        {QStringLiteral("<img usemap=#site>") + map, QString()},
        {QStringLiteral("<img src='' usemap=#site>") + map, QString()},
    };
    for (const auto &[page, picture] : cases) {
        ScriptedServices script;
        script.pictureLoads = false;
        MapDocument doc = documentWithHistory();
        doc.map_file = folder.write(QStringLiteral("page.html"), page.toUtf8());
        EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(doc.map_file), script.services()),
                  MapReadResult::failed(QStringLiteral("Error while opening image ") + picture + QStringLiteral(" !")));
        EXPECT_EQ(script.loadedPictures, QStringList{picture});
        EXPECT_EQ(doc.map_name, QStringLiteral("site"));
        EXPECT_EQ(doc.image_file, picture);
        EXPECT_EQ(doc.shapecol.count(), 1);
    }
}

TEST(ClientReader, AnAreaThatCannotBeBuiltEndsTheMap)
{
    struct Case {
        const char *area;
        Points partial; // the points of the area being built
    };
    const Case cases[] = {
        {"<area shape=poly coords=1,2,3,4,5 href=p.html>", {{1, 2}, {3, 4}}},
        {"<area shape=poly>", {}},
        {"<area shape=rect coords=1,2,x,4>", {{1, 2}}},
        {"<area shape=rect coords=1,2,3>", {{1, 2}}},
        {"<area shape=circ coords=2147483647,0,1>", {{2147483646, -1}}},
        {"<area shape=circ coords=1,2>", {}},
        {"<area shape=rect coords=1,,3,4>", {}},
    };
    FileFolder folder;
    for (const Case &c : cases) {
        const QByteArray page = QByteArray("<img src=a.gif usemap=#m><map name=m>"
                                           "<area shape=rect coords=1,2,3,4 href=ok.html>")
                                + c.area + "<area shape=rect coords=5,6,7,8></map>";
        ScriptedServices script;
        MapDocument doc = documentWithHistory();
        doc.map_file = folder.write(QStringLiteral("bad.html"), page);
        EXPECT_EQ(analyze_client_map(doc, MapTextSource::file(doc.map_file), script.services()), MapError) << c.area;
        // The area before stays, so does the one that failed, with what it
        // got; nothing after it is read.
        const auto areas = liveAreas(doc);
        ASSERT_EQ(areas.size(), 2u) << c.area;
        EXPECT_EQ(areas[0]->link, QStringLiteral("ok.html"));
        EXPECT_EQ(pointsOf(*areas[1]), c.partial) << c.area;

        // The same map as an undo snapshot leaves the document untouched.
        ScriptedServices undo;
        MapDocument restored = documentWithHistory();
        EXPECT_EQ(analyze_client_map(restored, MapTextSource::snapshot(QString::fromUtf8(page)), undo.services()),
                  MapError);
        expectUnchanged(restored);
    }
}

TEST(ClientReader, CoordinatesAreNumbersRoundedHalfToEven)
{
    const std::pair<const char *, std::optional<qint32>> cases[] = {
        {"12.5", 12},
        {"13.5", 14},
        {" -2.5 ", -2},
        {"+7", 7},
        {"1e2", 100},
        {"\t3\r\n", 3},
        {"5.", 5},
        {".5", 0},
        {"007", 7},
        {"-0", 0},
        {"2147483647.4", 2147483647},
        {"-2147483648.5", -2147483648},
        {"", {}},
        {" ", {}},
        {"a", {}},
        {"1 2", {}},
        {"0x10", {}},
        {"inf", {}},
        {"nan", {}},
        {"1e", {}},
        {"e5", {}},
        {".", {}},
        {"--1", {}},
        {"2147483647.5", {}},
        {"1e400", {}},
        {"3,5", {}},
        {"١٢", {}},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(coordinateFromText(QString::fromUtf8(text)), expected) << text;
}

TEST(ClientReader, PictureReferencesBecomePaths)
{
    struct Case {
        const char *mapFile;
        const char *src;
        const char *path;
    };
    const Case cases[] = {
        {R"(C:\maps\page.html)", "pics/a.gif", R"(C:\maps\pics/a.gif)"},
        {R"(C:\maps\page.html)", "file:///C:/My%20Pics/a.gif", R"(C:\My Pics\a.gif)"},
        {R"(C:\maps\page.html)", "a+b%25.gif", R"(C:\maps\a b%.gif)"},
        {R"(C:\maps\page.html)", "C:/pics/a.gif", R"(C:\pics\a.gif)"},
        {R"(C:\maps\page.html)", "FILE://localhost/D:/a.gif", R"(D:\a.gif)"},
        {R"(C:\maps\page.html)", "file://server/share/a.gif", R"(\\server\share\a.gif)"},
        {R"(C:\maps\page.html)", R"(\\server\share\a.gif)", R"(\\server\share\a.gif)"},
        {"/srv/www/page.html", " img/a%C3%A9.gif ", "/srv/www/img/aé.gif"},
        {"/srv/www/page.html", "file:///srv/pics/x%20y.gif", "/srv/pics/x y.gif"},
        {"/srv/www/page.html", "/srv/pics/a.gif", "/srv/pics/a.gif"},
        {"/srv/www/page.html", "http://example.org/a.gif", "http://example.org/a.gif"},
        {"/srv/www/page.html", "data:image/gif;base64,R0lG", "data:image/gif;base64,R0lG"},
        {"/srv/www/page.html", "", ""},
        {R"(C:\maps\page.html)", " ", ""},
        {"", "a.gif", "a.gif"},
    };
    for (const Case &c : cases) {
        MapDocument doc;
        doc.map_file = QString::fromUtf8(c.mapFile);
        EXPECT_EQ(get_ImagePath_from_html(doc, QString::fromUtf8(c.src)), QString::fromUtf8(c.path)) << c.src;
    }
}

TEST(ClientReader, PositionsEndAt32767)
{
    MapDocument full;
    for (int i = 1; i < MaxAreaCount; ++i)
        full.shapecol.add(Rectangle).Delete();
    const QString page = QStringLiteral("<img src=a.gif usemap=#m><map name=m><area shape=rect coords=1,2,3,4 "
                                        "href=last.html><area shape=rect coords=5,6,7,8></map>");
    const MapReadResult tooMany =
        MapReadResult::failed(QStringLiteral("Error while opening map !\nThe map has more than 32,767 areas."));
    ScriptedServices undo;
    MapDocument restored = full;
    EXPECT_EQ(analyze_client_map(restored, MapTextSource::snapshot(page), undo.services()), tooMany);
    EXPECT_EQ(restored.shapecol.count(), MaxAreaCount - 1);

    FileFolder folder;
    ScriptedServices load;
    full.map_file = folder.write(QStringLiteral("page.html"), page.toUtf8());
    EXPECT_EQ(analyze_client_map(full, MapTextSource::file(full.map_file), load.services()), tooMany);
    ASSERT_EQ(full.shapecol.count(), MaxAreaCount);
    EXPECT_EQ(full.shapecol.item(MaxAreaCount).clsindex, MaxAreaCount);
    EXPECT_EQ(full.shapecol.item(MaxAreaCount).link, QStringLiteral("last.html"));
}
