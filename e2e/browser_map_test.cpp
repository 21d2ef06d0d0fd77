// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e_support.h"

#include "formats/client_map_reader.h"
#include "formats/document_json.h"
#include "formats/map_text_input.h"
#include "model/area_hits.h"
#include "support/file_folder.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QUrl>

#include <gtest/gtest.h>

#include <iostream>

// The client-side map as Chromium reads it, against the editor's canvas.
//
// Rules the comparison applies:
// - A picture pixel (x, y) is asked at its centre (x + 0.5, y + 0.5): the
//   editor's regions sample pixel centres, so both answer for one point.
// - The browser takes the first area in map order that holds the point and
//   falls back to the default area; the editor's hover prefers the later
//   area. The browser's answer is compared with the FIRST live area, in map
//   order, whose editor region holds the pixel, then the default area, then
//   the picture itself.
// - Edges are inside for the browser. The editor's regions agree for boxes
//   and ellipses (a pixel centre never lies on their outline), but a
//   polygon edge can pass exactly through a pixel centre, where the editor's
//   crossing test may leave the pixel out. Such points are printed as known
//   differences, and each case states how many it has, so that a change on
//   either side is noticed.
// - The browser reads the written text, so it is compared with the editor's
//   regions of the map read back from that text. A circle in a bounding
//   square of odd size is written with its centre and radius rounded, so
//   its written circle differs from the drawn one along the edge; those
//   pixels are printed too and counted per case.

namespace {

constexpr int PictureWidth = 240;
constexpr int PictureHeight = 180;
constexpr int GridStep = 6;

struct Area {
    const char *shape;
    QList<QPoint> points; // rect and circle: the two corners; poly: vertices
    const char *link;
    const char *alt;
};

struct BrowserCase {
    const char *name;
    QList<Area> areas;
    const char *defaultLink;
    int polygonEdgeTies; // pixels whose centre lies on a polygon edge where the two differ
    int circleRoundings; // sampled pixels where a drawn circle and its written text differ
};

// The map as its written text gives it back: what the browser reads.
MapDocument readBack(const QByteArray &mapText)
{
    ReaderServices services;
    MapDocument doc;
    const MapReadResult read = analyze_client_map(doc, MapTextSource::snapshot(QString::fromUtf8(mapText)), services);
    EXPECT_EQ(read.outcome, ReadOutcome::Done) << read.message.toStdString();
    return doc;
}

int firstHolding(const MapDocument &doc, QPoint p)
{
    const QList<int> holding = liveAreasHolding(doc, p);
    return holding.isEmpty() ? -1 : holding.first();
}

// Whether the centre of the pixel lies exactly on an edge of the polygon,
// in doubled coordinates so that the centre is whole.
bool centreOnPolygonEdge(const Area &area, QPoint pixel)
{
    if (QByteArray(area.shape) != "poly")
        return false;
    const qint64 px = 2 * qint64(pixel.x()) + 1, py = 2 * qint64(pixel.y()) + 1;
    for (qsizetype i = 0, j = area.points.size() - 1; i < area.points.size(); j = i++) {
        const qint64 ax = 2 * qint64(area.points[j].x()), ay = 2 * qint64(area.points[j].y());
        const qint64 bx = 2 * qint64(area.points[i].x()), by = 2 * qint64(area.points[i].y());
        const bool onLine = (bx - ax) * (py - ay) == (by - ay) * (px - ax);
        if (onLine && px >= qMin(ax, bx) && px <= qMax(ax, bx) && py >= qMin(ay, by) && py <= qMax(ay, by))
            return true;
    }
    return false;
}

QByteArray documentJson(const BrowserCase &c, const QString &page, const QString &picture)
{
    QJsonArray areas;
    for (const Area &area : c.areas) {
        QJsonArray points;
        for (const QPoint &p : area.points)
            points.append(QJsonArray{p.x(), p.y()});
        areas.append(QJsonObject{{"shape", area.shape}, {"points", points}, {"link", area.link}, {"alt", area.alt}});
    }
    return QJsonDocument(QJsonObject{{"map_name", "m"},
                                     {"image_file", picture},
                                     {"map_file", page},
                                     {"default_link", c.defaultLink},
                                     {"areas", areas}})
        .toJson();
}

// Every point the editor keeps for an area (a rectangle's four corners, a
// circle's bounding corners and axis ends, a polygon's vertices) and the
// pixels around each, one pixel outside included.
QList<QPoint> pointsAround(const MapDocument &doc)
{
    QList<QPoint> around;
    doc.forEachLiveArea([&](const clscoords &area) {
        for (int i = 0; i < area.nr_points; ++i)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    around.append(QPoint(area.getPointX(i) + dx, area.getPointY(i) + dy));
    });
    return around;
}

QList<QPoint> samplePoints(const MapDocument &doc)
{
    QList<QPoint> points;
    QSet<QPair<int, int>> seen;
    const auto add = [&](QPoint p) {
        if (p.x() >= 0 && p.y() >= 0 && p.x() < PictureWidth && p.y() < PictureHeight
            && !seen.contains({p.x(), p.y()})) {
            seen.insert({p.x(), p.y()});
            points.append(p);
        }
    };
    for (int y = 0; y < PictureHeight; y += GridStep)
        for (int x = 0; x < PictureWidth; x += GridStep)
            add({x, y});
    for (const QPoint &p : pointsAround(doc))
        add(p);
    return points;
}

// The page: the map text exactly as written, then a script that waits for
// the picture and writes one line "x,y answer" per point into the page.
// The answer is the area's index among the page's area elements (the
// default area last), or the tag name of whatever else is hit.
QByteArray pageText(const QByteArray &mapText, const QList<QPoint> &points)
{
    QByteArray list;
    for (const QPoint &p : points)
        list += '[' + QByteArray::number(p.x()) + ',' + QByteArray::number(p.y()) + "],";
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
           "<style>html,body{margin:0;padding:0} img{display:block}</style></head><body>\n"
           + mapText
           + "\n<pre id=\"answers\">waiting</pre><script>\n"
             "const points = ["
           + list
           + "];\n"
             "const img = document.querySelector('img');\n"
             "function sample() {\n"
             "  const areas = Array.from(document.querySelectorAll('area'));\n"
             "  const lines = points.map(([x, y]) => {\n"
             "    const e = document.elementFromPoint(x + 0.5, y + 0.5);\n"
             "    return x + ',' + y + ' ' + (!e ? 'nothing' : e.tagName === 'AREA' ? areas.indexOf(e) : e.tagName);\n"
             "  });\n"
             "  document.getElementById('answers').textContent = 'sampled\\n' + lines.join('\\n');\n"
             "}\n"
             "img.addEventListener('error', () => { document.getElementById('answers').textContent = 'no picture'; "
             "});\n"
             "if (img.complete && img.naturalWidth > 0) sample(); else img.addEventListener('load', sample);\n"
             "</script></body></html>\n";
}

// The browser's answers by point, from the dumped page.
QHash<QPair<int, int>, QString> answersIn(const QByteArray &dom, QString *status)
{
    QHash<QPair<int, int>, QString> answers;
    const qsizetype start = dom.indexOf("<pre id=\"answers\">");
    const qsizetype end = dom.indexOf("</pre>", start);
    if (start < 0 || end < 0) {
        *status = QStringLiteral("no answers in the page");
        return answers;
    }
    const QList<QByteArray> lines = dom.mid(start + 18, end - start - 18).split('\n');
    *status = QString::fromUtf8(lines.first());
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> parts = line.split(' ');
        const QList<QByteArray> xy = parts.value(0).split(',');
        answers.insert({xy.value(0).toInt(), xy.value(1).toInt()}, QString::fromUtf8(parts.value(1)));
    }
    return answers;
}

QString describe(const BrowserCase &c, const QString &answer)
{
    bool isIndex = false;
    const int index = answer.toInt(&isIndex);
    if (!isIndex)
        return answer == QLatin1String("IMG") ? QStringLiteral("the picture (no area)") : answer;
    if (index == c.areas.size())
        return QStringLiteral("the default area");
    const Area &area = c.areas.value(index);
    return QStringLiteral("area %1 (%2, %3)").arg(index).arg(area.shape, *area.link ? area.link : "no link");
}

const QList<BrowserCase> &browserCases()
{
    static const QList<BrowserCase> cases = {
        {"ThreeShapesOverlapWithDefault",
         {
             {"rect", {{20, 20}, {120, 90}}, "a.html", "plain"},
             // A link and an alt text with a blank, an ampersand and a
             // double quote, written unescaped.
             {"circle", {{90, 60}, {170, 140}}, "c d.html?x=1&y=\"2\"", "Tom's \"big\" circle"},
             // A self-intersecting star without a link: its centre is
             // covered twice and is outside (even-odd).
             {"poly", {{190, 10}, {160, 100}, {235, 45}, {145, 45}, {220, 100}}, "", ""},
             // Drawn from bottom-right to top-left; written in that order.
             {"rect", {{230, 170}, {180, 120}}, "rev.html", ""},
         },
         "home.html",
         1,
         0},
        {"AreasWithoutLinksAndNoDefault",
         {
             {"poly", {{10, 10}, {100, 30}, {60, 120}, {5, 90}}, "", ""},
             {"circle", {{40, 40}, {140, 140}}, "", "round"},
             // One pixel, in front of the whole-picture rectangle after it.
             {"rect", {{150, 10}, {151, 11}}, "tiny.html", ""},
             {"rect", {{0, 0}, {239, 179}}, "", ""},
         },
         "",
         0,
         0},
        {"CirclesOfOddAndEvenSize",
         {
             {"circle", {{10, 10}, {31, 31}}, "odd.html", ""},
             {"circle", {{60, 20}, {100, 60}}, "even.html", ""},
             {"circle", {{120, 30}, {187, 97}}, "big-odd.html", ""},
             {"circle", {{20, 120}, {23, 123}}, "small-odd.html", ""},
         },
         "",
         0,
         25},
    };
    return cases;
}

void PrintTo(const BrowserCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChromiumClientMap : public ::testing::TestWithParam<BrowserCase> {};

} // namespace

TEST_P(ChromiumClientMap, ActivatesTheFirstAreaTheEditorHolds)
{
    if (!QFileInfo(ChromiumProgram).isExecutable())
        GTEST_SKIP() << "Chromium is not installed (" << ChromiumProgram.toStdString()
                     << "); install-deps.sh installs it";
    const BrowserCase &c = GetParam();
    FileFolder folder;
    const QString picture = folder.path(QStringLiteral("p.png"));
    ASSERT_TRUE(writePicture(picture, PictureWidth, PictureHeight));
    const QString pagePath = folder.path(QStringLiteral("page.html"));
    const QByteArray json = documentJson(c, pagePath, picture);
    const QByteArray mapText = writtenMap(json, {QStringLiteral("--format"), QStringLiteral("html")});
    ASSERT_TRUE(mapText.contains("src=\"./p.png\"")) << mapText.toStdString();
    const DocumentFromJson doc = documentFromJson(json);
    ASSERT_TRUE(doc.document) << doc.error.toStdString();
    const QList<QPoint> points = samplePoints(*doc.document);
    folder.write(QStringLiteral("page.html"), pageText(mapText, points));

    QString error;
    const QByteArray dom = chromiumDom(QUrl::fromLocalFile(pagePath).toString(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    QString status;
    const auto answers = answersIn(dom, &status);
    ASSERT_EQ(status, QStringLiteral("sampled")) << dom.toStdString();
    ASSERT_EQ(answers.size(), points.size());

    const MapDocument written = readBack(mapText);
    int disagreements = 0;
    int edgeTies = 0;
    int roundings = 0;
    for (const QPoint &p : points) {
        if (firstHolding(*doc.document, p) != firstHolding(written, p)) {
            ++roundings;
            std::cout << "known difference at (" << p.x() << "," << p.y() << "): the drawn circle and its written text "
                      << "differ there\n";
        }
        const QList<int> holding = liveAreasHolding(written, p);
        const QString editor = !holding.isEmpty()                ? QString::number(holding.first())
                               : QByteArray(c.defaultLink) != "" ? QString::number(c.areas.size())
                                                                 : QStringLiteral("IMG");
        const QString browser = answers.value({p.x(), p.y()});
        if (browser == editor)
            continue;
        bool isArea = false;
        const int browserArea = browser.toInt(&isArea);
        if (isArea && browserArea < c.areas.size() && centreOnPolygonEdge(c.areas[browserArea], p)) {
            ++edgeTies;
            std::cout << "known difference at (" << p.x() << "," << p.y() << "): the pixel centre lies on an edge of "
                      << describe(c, browser).toStdString()
                      << "; Chromium takes it, the editor's first holding area is " << describe(c, editor).toStdString()
                      << "\n";
            continue;
        }
        QStringList all;
        for (int i : holding)
            all.append(QString::number(i));
        ADD_FAILURE() << "point (" << p.x() << "," << p.y() << "): Chromium activates "
                      << describe(c, browser).toStdString() << ", the editor's first holding area is "
                      << describe(c, editor).toStdString()
                      << " (editor regions holding it: " << (all.isEmpty() ? "none" : all.join(' ').toStdString())
                      << ")";
        if (++disagreements == 40) {
            ADD_FAILURE() << "more disagreements left out";
            break;
        }
    }
    // The map is on: every area, and the default area when there is one,
    // takes some sampled point in the browser.
    QSet<QString> answered;
    for (const QString &answer : answers)
        answered.insert(answer);
    const int activeAreas = int(c.areas.size()) + (QByteArray(c.defaultLink) != "" ? 1 : 0);
    for (int i = 0; i < activeAreas; ++i)
        EXPECT_TRUE(answered.contains(QString::number(i)))
            << describe(c, QString::number(i)).toStdString() << " takes no sampled point in Chromium";
    EXPECT_EQ(edgeTies, c.polygonEdgeTies) << "pixels on a polygon edge where Chromium and the editor differ";
    EXPECT_EQ(roundings, c.circleRoundings) << "pixels where drawn circles and their written text differ";
}

INSTANTIATE_TEST_SUITE_P(E2e, ChromiumClientMap, ::testing::ValuesIn(browserCases()),
                         [](const ::testing::TestParamInfo<BrowserCase> &info) { return info.param.name; });
