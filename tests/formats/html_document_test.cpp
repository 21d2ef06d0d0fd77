// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/html_document.h"
#include "formats/map_writer.h"
#include "support/area_points.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <atomic>
#include <csignal>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

HtmlParseOptions inProcess()
{
    HtmlParseOptions options;
    options.isolated = false;
    return options;
}

HtmlDocument parsed(const QString &html, const HtmlParseOptions &options = inProcess())
{
    const std::optional<HtmlDocument> doc = HtmlDocument::parseWithGumbo(html.toUtf8(), options);
    EXPECT_TRUE(doc.has_value());
    return doc.value_or(HtmlDocument());
}

QStringList startTags(const HtmlDocument &doc, const HtmlMap &map)
{
    QStringList tags;
    for (const HtmlArea &area : doc.areasOf(map))
        tags.append(area.startTag);
    return tags;
}

MapDocument writtenSample()
{
    MapDocument doc;
    doc.map_name = QStringLiteral("Plan ünd Größe");
    doc.image_file = QStringLiteral("/srv/www/img/plan 1.png");
    doc.map_file = QStringLiteral("/srv/www/index.html");
    doc.default_link = QStringLiteral("home.html");
    doc.default_target = QStringLiteral("Whole Page ( _top )");
    clscoords &rect = addArea(doc, Rectangle, {{10, 20}, {110, 60}}, QStringLiteral("a.html?x=1&y=2"));
    rect.alt = QStringLiteral("Tom & Jerry's <b>");
    rect.setEvents(2, QStringLiteral("go('x > y')"));
    addArea(doc, Circle, {{40, 40}, {60, 60}}).targetframe = QStringLiteral("New Browser Window ( _blank )");
    addArea(doc, Polygon, {{0, 0}, {1, -1}, {2, -2}, {3, -3}, {4, -4}});
    return doc;
}

} // namespace

TEST(HtmlDocument, MapsImgsAndAreasInDocumentOrder)
{
    const HtmlDocument doc = parsed(
        QStringLiteral("<img src='a&amp;b.gif' usemap=\"#One\"><map name=\"One &amp; only\">"
                       "<area shape=RECT coords=\"1&#44;2,3,4\" href=a.html><div><area shape=circle coords=5,5,5></div>"
                       "<map name=inner><area shape=poly coords=1,1,2,2></map></map>"
                       "<template><map name=hidden><area shape=rect></map><img src=no.gif></template>"
                       "<svg><area shape=rect coords=9,9,9,9></area></svg>"
                       "<table><img src=fostered.gif ismap><tr><td>x</td></tr></table>"));

    ASSERT_EQ(doc.maps().size(), 2u);
    EXPECT_EQ(doc.maps()[0].name, QStringLiteral("One & only"));
    EXPECT_EQ(doc.maps()[1].name, QStringLiteral("inner"));
    const auto outer = doc.areasOf(doc.maps()[0]);
    ASSERT_EQ(outer.size(), 3u); // a map's areas are all its descendants
    EXPECT_EQ(outer[0].shape, QStringLiteral("RECT"));
    EXPECT_EQ(outer[0].coords, QStringLiteral("1,2,3,4"));
    EXPECT_EQ(outer[1].shape, QStringLiteral("circle"));
    EXPECT_EQ(outer[2].coords, QStringLiteral("1,1,2,2"));
    EXPECT_EQ(doc.areasOf(doc.maps()[1]).size(), 1u);

    // Template content is not part of the page; the table's img is moved
    // in front of the table, which keeps it after the first img.
    ASSERT_EQ(doc.imgs().size(), 2u);
    EXPECT_EQ(doc.imgs()[0].src, QStringLiteral("a&b.gif"));
    EXPECT_EQ(doc.imgs()[0].useMap, QStringLiteral("#One"));
    EXPECT_FALSE(doc.imgs()[0].isMap);
    EXPECT_EQ(doc.imgs()[1].src, QStringLiteral("fostered.gif"));
    EXPECT_TRUE(doc.imgs()[1].isMap);
}

TEST(HtmlDocument, StartTagsKeepNamesAndValuesAsWritten)
{
    const HtmlDocument doc = parsed(QStringLiteral("<map name=m>"
                                                   "<AREA Shape=\"rect\"\r\n   HREF='a &amp; b.html'\tnohref\n"
                                                   "  alt = \"x > y\" target=_top onclick=\"a=1\" shape=poly />"
                                                   "<area alt=>"
                                                   "</map>"));
    ASSERT_EQ(doc.maps().size(), 1u);
    // Blanks between attributes collapse; a repeated attribute is dropped;
    // an attribute written without a value has no "=".
    EXPECT_EQ(startTags(doc, doc.maps()[0]),
              QStringList({QStringLiteral("<AREA Shape=\"rect\" HREF='a &amp; b.html' nohref alt=\"x > y\" target=_top "
                                          "onclick=\"a=1\">"),
                           QStringLiteral("<area alt>")}));
    EXPECT_EQ(doc.areasOf(doc.maps()[0])[0].shape, QStringLiteral("rect"));
}

TEST(HtmlDocument, EditorTextIsReadWithoutTheGeneralParserAndAlike)
{
    // As saved, with a last line break; the round trips compare the two
    // parsers on many more maps.
    const QString text = calculate_html(writtenSample()) + QStringLiteral("\r\n");
    const std::optional<HtmlDocument> written = HtmlDocument::parseWrittenMap(text.toUtf8());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, parsed(text));
    ASSERT_EQ(written->maps().size(), 1u);
    EXPECT_EQ(written->areasOf(written->maps()[0]).size(), 4u); // the default area too
    EXPECT_EQ(written->areasOf(written->maps()[0])[0].startTag,
              QStringLiteral("<area coords=\"10,20,110,60\" shape=\"rect\" href=\"a.html?x=1&y=2\" "
                             "alt=\"Tom & Jerry's <b>\" onclick=\"go('x > y')\">"));
}

TEST(HtmlDocument, OtherTextGoesToTheGeneralParser)
{
    const QString head = clientMapComment() + QStringLiteral("<img border=\"0\" src=\"a.gif\" usemap=\"#m\">");
    const char *const tails[] = {
        "<map name=\"m\">\r\n<area coords=\"1&#44;2\" shape=\"poly\">\r\n</map>", // a reference to decode
        "<map name=\"a&amp;b\">\r\n</map>",
        "<map name=\"a\x17\xc2\x85\xef\xbf\xbe\">\r\n</map>", // control characters become U+FFFD
        "<map name=\"m\">\r\n<area coords=\"1,2\" shape=\"poly\" href=\"a\"b\">\r\n</map>", // a quote in a value
        "<map name=\"m\">\r\n<area coords=\"1,2\" coords=\"3,4\">\r\n</map>",               // repeated attribute
        "<map name=\"m\">\r\n<area coords=\"1,2\" alt=\"two\r\nlines\">\r\n</map>",
        "<map name=\"m\">\r\n<area COORDS=\"1,2\">\r\n</map>",
        "<map name=\"m\">\r\n<area coords='1,2'>\r\n</map>",
        "<map name=\"m\">\r\n<area coords=\"1,2\"shape=\"poly\">\r\n</map>",
        "<map name=\"m\">\r\n<b>x</b></map>",
        "<map name=\"m\">\r\n</map><p>after",
        "<map name=\"m\">\r\n<area coords=\"1,2\">",
    };
    for (const char *tail : tails) {
        const QString text = head + QString::fromUtf8(tail);
        EXPECT_FALSE(HtmlDocument::parseWrittenMap(text.toUtf8()).has_value()) << tail;
        // Whichever way it goes, the result is the general parser's.
        EXPECT_EQ(HtmlDocument::parse(text, inProcess()), parsed(text)) << tail;
    }
}

TEST(HtmlDocument, ATagWithManyAttributesIsReadAlikeAndARepeatedNameFound)
{
    QString tag = clientMapComment() + QStringLiteral("<img src=\"a.gif\" usemap=\"#m\"><map name=\"m\">\r\n<area");
    for (int i = 0; i < 40; ++i)
        tag += QStringLiteral(" x%1%2=\"%3\"").arg(QChar(u'a' + i / 26), QChar(u'a' + i % 26)).arg(i);
    const QString distinct = tag + QStringLiteral(">\r\n</map>");
    const std::optional<HtmlDocument> written = HtmlDocument::parseWrittenMap(distinct.toUtf8());
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, parsed(distinct));

    const QString repeated = tag + QStringLiteral(" xbc=\"again\">\r\n</map>");
    EXPECT_FALSE(HtmlDocument::parseWrittenMap(repeated.toUtf8()).has_value());
}

TEST(HtmlDocument, IsolatedParseGivesTheSameResult)
{
    // What the child sends comes in pieces; a long value spans many.
    const QString page = QStringLiteral("<img src=p.gif usemap=#m><map name=m>")
                         + QStringLiteral("<area shape=rect coords=1,2,3,4 href=\"a.html\">").repeated(5000)
                         + QStringLiteral("<area alt='%1'></map>").arg(QString(600000, u'x'));
    const std::optional<HtmlDocument> isolated = HtmlDocument::parseWithGumbo(page.toUtf8());
    ASSERT_TRUE(isolated.has_value());
    EXPECT_EQ(*isolated, parsed(page));
}

TEST(HtmlDocument, PagesThatCostTooMuchAreRefused)
{
    // Thousands of open elements make the parser's work grow with the
    // square of the page: stopped by the CPU time allowed.
    QString nested = QString(QStringLiteral("<div>")).repeated(30000) + QStringLiteral("<b>") + QString(200000, u'x');
    HtmlParseOptions quick;
    quick.cpuTime = std::chrono::seconds(1);
    EXPECT_FALSE(HtmlDocument::parse(nested, quick).has_value());

    // A page whose tree needs more memory than allowed.
    const QString areas = QStringLiteral("<map name=m>")
                          + QString(QStringLiteral("<area shape=rect coords=1,2,3,4 href=a.html>")).repeated(20000);
    HtmlParseOptions small;
    small.memoryBytes = 1 << 20;
    EXPECT_FALSE(HtmlDocument::parse(areas, small).has_value());
    const std::optional<HtmlDocument> enough = HtmlDocument::parse(areas);
    ASSERT_TRUE(enough.has_value());
    EXPECT_EQ(enough->areasOf(enough->maps()[0]).size(), 20000u);
}

namespace {

// Stops the first child process of this one as soon as it appears, as a
// machine too busy to run it would, and lets it go on after the pause
// (never, for a zero pause).
class ChildPauser {
public:
    explicit ChildPauser(std::chrono::milliseconds pause) : m_thread([this, pause] { run(pause); }) {}
    ~ChildPauser() { m_thread.join(); }
    bool pausedAChild() const { return m_paused; }

private:
    static pid_t findChild()
    {
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString &entry : entries) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (!entry.front().isDigit() || !stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray fields = stat.readAll();
            // pid (name) state ppid ...: the name may hold anything but ends at the last ")".
            const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
            if (after.size() > 1 && after[1].toInt() == ::getpid())
                return pid_t(entry.toInt());
        }
        return 0;
    }

    void run(std::chrono::milliseconds pause)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        pid_t child = 0;
        while (!child && std::chrono::steady_clock::now() < giveUp)
            child = findChild();
        if (!child || ::kill(child, SIGSTOP) != 0)
            return;
        m_paused = true;
        if (pause.count() == 0)
            return;
        std::this_thread::sleep_for(pause);
        ::kill(child, SIGCONT);
    }

    std::atomic<bool> m_paused = false;
    std::thread m_thread;
};

} // namespace

TEST(HtmlDocument, TheWallClockDecidesOnlyForAChildThatDoesNotRun)
{
    // Deep enough that the child is still at work when it is found.
    const QString deep = QStringLiteral("<div>").repeated(10000) + QStringLiteral("<map name=m></map>");
    {
        ChildPauser pauser(std::chrono::milliseconds(2500));
        EXPECT_TRUE(HtmlDocument::parse(deep).has_value());
        EXPECT_TRUE(pauser.pausedAChild());
    }
    HtmlParseOptions impatient;
    impatient.wallClockLimit = std::chrono::milliseconds(300);
    ChildPauser stopped(std::chrono::milliseconds(0));
    EXPECT_FALSE(HtmlDocument::parse(deep, impatient).has_value());
    EXPECT_TRUE(stopped.pausedAChild());
}
