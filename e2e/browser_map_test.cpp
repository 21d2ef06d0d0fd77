// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e_support.h"

#include "formats/client_map_reader.h"
#include "formats/document_json.h"
#include "formats/map_text_input.h"
#include "model/area_hits.h"
#include "support/file_folder.h"
#include "support/printers.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineF>
#include <QSet>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
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
    // Sampled points, over all sizes, where the SVG drawing and the map
    // differ less than a CSS pixel from an outline.
    int svgNearOutline;
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
         0,
         1},
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
         25,
         0},
    };
    return cases;
}

void PrintTo(const BrowserCase &c, std::ostream *os)
{
    *os << c.name;
}

// Each case's map written by zonari-map into a page's folder beside its
// picture, and the points to ask Chromium about.
class ChromiumClientMap : public ::testing::TestWithParam<BrowserCase> {
protected:
    void SetUp() override
    {
        if (!QFileInfo(ChromiumProgram).isExecutable())
            GTEST_SKIP() << "Chromium is not installed (" << ChromiumProgram.toStdString()
                         << "); install-deps.sh installs it";
        const QString picture = folder.path(QStringLiteral("p.png"));
        ASSERT_TRUE(writePicture(picture, PictureWidth, PictureHeight));
        json = documentJson(GetParam(), pagePath, picture);
        mapText = writtenMap(json, {QStringLiteral("--format"), QStringLiteral("html")});
        ASSERT_TRUE(mapText.contains("src=\"./p.png\"")) << mapText.toStdString();
        doc = documentFromJson(json);
        ASSERT_TRUE(doc.document) << doc.error.toStdString();
        points = samplePoints(*doc.document);
    }

    // The page as Chromium's scripts leave it.
    QByteArray domOf(const QByteArray &page)
    {
        folder.write(QStringLiteral("page.html"), page);
        QString error;
        const QByteArray dom = chromiumDom(QUrl::fromLocalFile(pagePath).toString(), &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return dom;
    }

    FileFolder folder;
    const QString pagePath = folder.path(QStringLiteral("page.html"));
    QByteArray json;
    QByteArray mapText;
    DocumentFromJson doc;
    QList<QPoint> points;
};

} // namespace

TEST_P(ChromiumClientMap, ActivatesTheFirstAreaTheEditorHolds)
{
    const BrowserCase &c = GetParam();
    const QByteArray dom = domOf(pageText(mapText, points));
    QString status;
    const auto answers = answersIn(dom, "answers", &status);
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

// The same map written as an SVG drawing, inline in a page at 50 %, 100 % and
// 173 % of the picture's size, against the client-side map at its natural
// size in the same page.
//
// Rules the comparison applies:
// - A picture pixel (x, y) is asked at its centre scaled by the factor,
//   ((x + 0.5) * f, (y + 0.5) * f); the client-side map at (x + 0.5, y + 0.5).
// - The drawing's answer is the area of the <a> that holds the element hit
//   (the drawing writes the areas last to first, the default area before
//   them), or the picture.
// - Where the scaled point lies less than one CSS pixel from the outline of
//   a live area, scaling and rounding may tip it either way: such points are
//   compared too, and their differences printed and counted per factor and
//   case. Every other point must agree.

namespace {

struct Scale {
    const char *id;
    double factor;
};
constexpr Scale Scales[] = {{"half", 0.5}, {"natural", 1.0}, {"larger", 1.73}};

// The distance from the pixel's centre to the nearest outline of a live
// area, in picture pixels, with the numbers the maps are written with.
double distanceToOutline(const MapDocument &doc, QPoint pixel)
{
    const QPointF p(pixel.x() + 0.5, pixel.y() + 0.5);
    const auto toSegment = [&](QPointF a, QPointF b) {
        const QPointF d = b - a;
        const double length2 = QPointF::dotProduct(d, d);
        const double t = length2 == 0 ? 0 : qBound(0.0, QPointF::dotProduct(p - a, d) / length2, 1.0);
        return QLineF(p, a + t * d).length();
    };
    double nearest = INFINITY;
    doc.forEachLiveArea([&](const clscoords &area) {
        QList<QPointF> outline;
        if (area.shapetype == Circle) {
            const double r = area.getCircleR();
            nearest = qMin(nearest, std::abs(QLineF(p, QPointF(area.getCircleX(), area.getCircleY())).length() - r));
            return;
        }
        if (area.shapetype == Rectangle) {
            const double x0 = area.getPointX(0), y0 = area.getPointY(0), x1 = area.getPointX(1), y1 = area.getPointY(1);
            outline = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        } else {
            for (int i = 0; i < area.nr_points; ++i)
                outline.append(QPointF(area.getPointX(i), area.getPointY(i)));
        }
        for (qsizetype i = 0, j = outline.size() - 1; i < outline.size(); j = i++)
            nearest = qMin(nearest, toSegment(outline[j], outline[i]));
    });
    return nearest;
}

// The page: the client-side map and the drawing at each factor, each at the
// top left, shown one at a time while the script asks for every point. Each
// answers into <pre id="answers-ID">: a status line ("sampled", or the
// drawing's size when the page did not give it the size wanted), then one
// line "x,y answer" per point. The answer is the index of an area element,
// "a" and the index of an <a> in the drawing, or the tag name of whatever
// else is hit.
QByteArray svgPageText(const QByteArray &mapText, const QByteArray &svgText, const QList<QPoint> &points)
{
    const QByteArray svg = svgText.mid(svgText.indexOf("<svg"));
    QByteArray list, boxes, styles, answers;
    for (const QPoint &p : points)
        list += '[' + QByteArray::number(p.x()) + ',' + QByteArray::number(p.y()) + "],";
    for (const Scale &scale : Scales) {
        const QByteArray id(scale.id);
        boxes += "<div class=\"box\" id=\"" + id + "\" data-scale=\"" + QByteArray::number(scale.factor) + "\">" + svg
                 + "</div>\n";
        styles += '#' + id + " svg{width:" + QByteArray::number(PictureWidth * scale.factor) + "px;height:auto}";
        answers += "<pre id=\"answers-" + id + "\">waiting</pre>";
    }
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><style>html,body{margin:0;padding:0} "
           ".box{position:absolute;left:0;top:0;display:none} img,svg{display:block} #out{margin-top:1000px}"
           + styles + "</style></head><body>\n<div class=\"box\" id=\"client\" data-scale=\"1\">" + mapText + "</div>\n"
           + boxes + "<div id=\"out\"><pre id=\"answers-client\">waiting</pre>" + answers
           + "</div><script>\n"
             "const points = ["
           + list + "];\nconst width = " + QByteArray::number(PictureWidth)
           + ", height = " + QByteArray::number(PictureHeight)
           + ";\n"
             "window.addEventListener('load', () => {\n"
             "  const areas = Array.from(document.querySelectorAll('area'));\n"
             "  const boxes = Array.from(document.querySelectorAll('.box'));\n"
             "  for (const box of boxes) {\n"
             "    for (const other of boxes) other.style.display = other === box ? 'block' : 'none';\n"
             "    const scale = Number(box.dataset.scale);\n"
             "    const svg = box.querySelector('svg');\n"
             "    const links = svg ? Array.from(svg.querySelectorAll('a')) : [];\n"
             "    let status = 'sampled';\n"
             "    if (svg) {\n"
             "      const r = svg.getBoundingClientRect();\n"
             // Layout keeps sizes in 64ths of a pixel.
             "      if (Math.abs(r.width - width * scale) > 1 / 32 || Math.abs(r.height - height * scale) > 1 / 32)\n"
             "        status = 'drawn at ' + r.width + 'x' + r.height;\n"
             "    }\n"
             "    const lines = points.map(([x, y]) => {\n"
             "      const e = document.elementFromPoint((x + 0.5) * scale, (y + 0.5) * scale);\n"
             "      const a = e && svg && e.closest('a');\n"
             "      return x + ',' + y + ' ' + (!e ? 'nothing' : e.tagName === 'AREA' ? areas.indexOf(e)\n"
             "                                  : a ? 'a' + links.indexOf(a) : e.tagName);\n"
             "    });\n"
             "    document.getElementById('answers-' + box.id).textContent = status + '\\n' + lines.join('\\n');\n"
             "  }\n"
             "});\n"
             "</script></body></html>\n";
}

// A drawing's answer in the client-side map's terms: the area's index among
// the page's area elements (the default area last), or IMG for the picture.
QString asClientAnswer(const BrowserCase &c, const QString &answer)
{
    if (answer == QLatin1String("image"))
        return QStringLiteral("IMG");
    if (!answer.startsWith(u'a'))
        return answer;
    const bool hasDefault = QByteArray(c.defaultLink) != "";
    const int link = answer.mid(1).toInt();
    if (hasDefault && link == 0)
        return QString::number(c.areas.size());
    return QString::number(c.areas.size() - 1 - (link - (hasDefault ? 1 : 0)));
}

} // namespace

TEST_P(ChromiumClientMap, TheSvgDrawingAtAnySizeActivatesWhatTheClientMapDoes)
{
    const BrowserCase &c = GetParam();
    const QByteArray svgText = writtenMap(json, {QStringLiteral("--format"), QStringLiteral("svg")});
    ASSERT_TRUE(svgText.contains("<image href=\"./p.png\"")) << svgText.toStdString();
    const MapDocument written = readBack(mapText);
    const QByteArray dom = domOf(svgPageText(mapText, svgText, points));
    QString status;
    const auto client = answersIn(dom, "answers-client", &status);
    ASSERT_EQ(status, QStringLiteral("sampled")) << dom.toStdString();
    int differingNearOutline = 0;
    for (const Scale &scale : Scales) {
        SCOPED_TRACE(scale.id);
        const auto drawn = answersIn(dom, QByteArray("answers-") + scale.id, &status);
        ASSERT_EQ(status, QStringLiteral("sampled")) << dom.toStdString();
        ASSERT_EQ(drawn.size(), points.size());
        int nearOutline = 0, nearDiffering = 0, disagreements = 0;
        QSet<QString> answered;
        for (const QPoint &p : points) {
            const QString expected = client.value({p.x(), p.y()});
            const QString got = asClientAnswer(c, drawn.value({p.x(), p.y()}));
            answered.insert(got);
            const bool near = distanceToOutline(written, p) * scale.factor < 1.0;
            nearOutline += near;
            if (got == expected)
                continue;
            if (near) {
                ++nearDiffering;
                std::cout << "at " << scale.factor * 100 << " %, (" << p.x() << "," << p.y()
                          << ") within a CSS pixel of an outline: the drawing activates "
                          << describe(c, got).toStdString() << ", the client-side map "
                          << describe(c, expected).toStdString() << "\n";
            } else if (++disagreements <= 40) {
                ADD_FAILURE() << "point (" << p.x() << "," << p.y() << "): the drawing activates "
                              << describe(c, got).toStdString() << ", the client-side map "
                              << describe(c, expected).toStdString();
            }
        }
        std::cout << c.name << " at " << scale.factor * 100 << " %: " << points.size() << " points, " << nearOutline
                  << " within a CSS pixel of an outline, " << nearDiffering << " of them differ; " << disagreements
                  << " others differ\n";
        EXPECT_EQ(disagreements, 0);
        differingNearOutline += nearDiffering;
        const int activeAreas = int(c.areas.size()) + (QByteArray(c.defaultLink) != "" ? 1 : 0);
        for (int i = 0; i < activeAreas; ++i)
            EXPECT_TRUE(answered.contains(QString::number(i)))
                << describe(c, QString::number(i)).toStdString() << " takes no sampled point in the drawing";
    }
    EXPECT_EQ(differingNearOutline, c.svgNearOutline) << "points near an outline where the drawing and the map differ";
}
