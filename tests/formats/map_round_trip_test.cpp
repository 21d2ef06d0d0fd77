// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/client_map_reader.h"
#include "formats/html_document.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"
#include "model/area_geometry.h"
#include "support/printers.h"
#include "support/reader_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>

namespace {

// Apache is NCSA with circles written as centre and edge point.
enum class Format { Client, Ncsa, Apache, Cern };

const char *formatName(Format format)
{
    const char *const names[] = {"client", "NCSA", "Apache", "CERN"};
    return names[int(format)];
}

// Characters the map text carries unchanged in every text of its format.
// The writer escapes nothing, so a double quote, "<", ">" and "=" in a
// client-side text, and a blank or parentheses in a server-side link, cannot
// survive; what happens to them is pinned down below.
const QString ClientText = QStringLiteral("abcxyzABCXYZ0189 &';#/.-_():?%+!,éüßЖ中") + QString::fromUtf8("😀");
const QString MapName = QStringLiteral("abcXYZ09 -_éЖ中");
const QString NcsaLink = QStringLiteral("abcXYZ09&';#/.-_:?%+!,é中");
const QString CernLink = NcsaLink + u' ';

class RandomMaps {
public:
    explicit RandomMaps(unsigned seed) : m_random(seed) {}

    MapDocument document(Format format)
    {
        MapDocument doc;
        doc.is_servermap = format != Format::Client;
        doc.serverside_type = format == Format::Cern ? Cern : Ncsa;
        doc.ncsaApacheCircles = format == Format::Apache;
        doc.map_name = text(MapName, 0, 12);
        doc.map_file = QStringLiteral("/srv/www/maps/index.html");
        doc.image_file = QStringLiteral("/srv/www/img/plan.png");
        doc.default_link = format == Format::Client ? text(ClientText, 0, 10) : link(format);
        doc.default_target = chance(2) ? QString() : targetFrame();
        const int areas = number(0, 12);
        for (int i = 0; i < areas; ++i)
            addArea(doc, format);
        if (doc.shapecol.count() > 0 && chance(4))
            doc.shapecol.item(number(1, doc.shapecol.count())).Delete();
        return doc;
    }

private:
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(int oneIn) { return number(1, oneIn) == 1; }

    QString text(const QString &alphabet, int minLength, int maxLength)
    {
        QString out;
        const int length = number(minLength, maxLength);
        for (int i = 0; i < length; ++i) {
            // Count the emoji's two code units as one character.
            qsizetype at = number(0, int(alphabet.size()) - 1);
            if (alphabet[at].isLowSurrogate())
                --at;
            out += alphabet.mid(at, alphabet[at].isHighSurrogate() ? 2 : 1);
        }
        return out;
    }

    QString link(Format format)
    {
        switch (format) {
        case Format::Client:
            return text(ClientText, 0, 12);
        case Format::Ncsa:
        case Format::Apache:
            return text(NcsaLink, 1, 12);
        case Format::Cern:
            return text(NcsaLink, 1, 1) + text(CernLink, 0, 12);
        }
        return {};
    }

    QString targetFrame()
    {
        static const QString choices[] = {QStringLiteral("Same Frame ( _self )"), QStringLiteral("Whole Page ( _top )"),
                                          QStringLiteral("New Browser Window ( _blank )"),
                                          QStringLiteral("Parent Frame ( _parent )")};
        return chance(2) ? choices[number(0, 3)] : text(ClientText, 1, 8);
    }

    void addArea(MapDocument &doc, Format format)
    {
        const auto shape = ShapeType(number(0, 2));
        clscoords &area = doc.shapecol.add(shape);
        const int low = format == Format::Client ? -5000 : 0;
        const auto coordinate = [&] { return number(low, 5000); };
        if (shape == Polygon) {
            const int points = number(format == Format::Cern ? 2 : 1, MaxAreaPoints);
            for (int i = 0; i < points; ++i)
                area.newpoint(coordinate(), coordinate());
        } else {
            // Circles are squares whose side may be odd or run right to left,
            // as the drawing tool leaves them.
            const int x0 = coordinate() + 200, y0 = coordinate() + 200;
            const int side = number(-200, 200);
            const int x1 = shape == Circle ? x0 + side : coordinate();
            const int y1 = shape == Circle ? y0 + side : coordinate();
            if (shape == Rectangle)
                storeShapePoints(area, rectanglePoints(QPointF(x0, y0), QPointF(x1, y1)));
            else
                storeShapePoints(area, circlePoints(QPointF(x0, y0), QPointF(x1, y1)));
        }
        area.link = link(format);
        if (format != Format::Client)
            return;
        area.alt = text(ClientText, 0, 10);
        area.targetframe = chance(2) ? QString() : targetFrame();
        for (int k = 0; k < EventCount; ++k)
            if (chance(4))
                area.setEvents(k, text(ClientText, 1, 16));
    }

    std::mt19937 m_random;
};

// Reads a map text back the way undo does: every area deleted, then the
// snapshot read into the same document.
MapDocument readBack(const MapDocument &original, const QString &text, Format format)
{
    MapDocument doc = original;
    doc.delete_all_shapes();
    if (format == Format::Client) {
        ScriptedServices script;
        EXPECT_EQ(analyze_client_map(doc, MapTextSource::snapshot(text), script.services()), MapReadResult());
        // A snapshot leaves the picture alone.
        EXPECT_TRUE(script.loadedPictures.isEmpty());
        EXPECT_EQ(doc.image_file, original.image_file);
    } else {
        const ServerMapResult result = analyze_server_map(doc, MapTextSource::snapshot(text), doc.serverside_type);
        EXPECT_TRUE(result.ok) << "line " << result.line;
    }
    return doc;
}

// The areas read back carry what the format carries of the originals.
void expectSameAreas(const MapDocument &original, const MapDocument &read, Format format, const std::string &where)
{
    const auto before = liveAreas(original);
    const auto after = liveAreas(read);
    ASSERT_EQ(after.size(), before.size()) << where;
    for (std::size_t i = 0; i < before.size(); ++i) {
        const clscoords &a = *before[i];
        const clscoords &b = *after[i];
        const std::string area = where + ", area " + std::to_string(i);
        EXPECT_EQ(b.shapetype, a.shapetype) << area;
        EXPECT_EQ(b.link, a.link) << area;
        if (a.shapetype == Circle) {
            // Centre and radius travel in every format, the corners in NCSA
            // (not in Apache circles); an even side drawn left to right
            // survives point for point.
            EXPECT_EQ(b.getCircleX(), a.getCircleX()) << area;
            EXPECT_EQ(b.getCircleY(), a.getCircleY()) << area;
            EXPECT_EQ(b.getCircleR(), a.getCircleR()) << area;
            const int side = a.getPointX(1) - a.getPointX(0);
            const std::vector<QPoint> pointsA = pointsOf(a);
            const std::vector<QPoint> pointsB = pointsOf(b);
            if (side >= 0 && side % 2 == 0) {
                EXPECT_EQ(pointsB, pointsA) << area;
            } else if (format == Format::Ncsa) {
                EXPECT_TRUE(std::equal(pointsA.begin(), pointsA.begin() + 2, pointsB.begin())) << area;
            }
        } else {
            EXPECT_EQ(pointsOf(b), pointsOf(a)) << area;
        }
        if (format == Format::Client) {
            EXPECT_EQ(b.alt, a.alt) << area;
            EXPECT_EQ(b.targetframe, getTargetFrame(a.targetframe)) << area;
            for (int k = 0; k < EventCount; ++k)
                EXPECT_EQ(b.getEvents(k), a.getEvents(k)) << area << ", event " << k;
        } else {
            EXPECT_TRUE(b.alt.isEmpty() && b.targetframe.isEmpty() && b.getEvents(2).isEmpty()) << area;
        }
    }
}

} // namespace

TEST(RoundTrip, RandomMapsReadBackToTheSameText)
{
    RandomMaps maps(20240611);
    for (int n = 0; n < 300; ++n) {
        for (const Format format : {Format::Client, Format::Ncsa, Format::Apache, Format::Cern}) {
            const MapDocument original = maps.document(format);
            const std::string where = std::string(formatName(format)) + " map " + std::to_string(n);
            const QString text = calculate_html(original);
            const MapDocument read = readBack(original, text, format);
            QString expected = text;
            if (format != Format::Client) {
                // The default link keeps the blank after the keyword, so it
                // gains one blank per reading.
                expected.insert(expected.indexOf(QStringLiteral("default ")) + 7, u' ');
                EXPECT_EQ(read.default_link, u' ' + original.default_link) << where;
            } else {
                EXPECT_EQ(read.map_name, original.map_name) << where;
                // The reader recognises its own text; the general parser agrees.
                const QByteArray utf8 = text.toUtf8();
                HtmlParseOptions inProcess;
                inProcess.isolated = false;
                ASSERT_TRUE(HtmlDocument::parseWrittenMap(utf8).has_value()) << where;
                EXPECT_EQ(HtmlDocument::parseWrittenMap(utf8), HtmlDocument::parseWithGumbo(utf8, inProcess)) << where;
            }
            EXPECT_EQ(calculate_html(read), expected) << where;
            expectSameAreas(original, read, format, where);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

TEST(RoundTrip, WhatTheTextCannotCarry)
{
    MapDocument doc;
    doc.map_name = QStringLiteral("R&amp;D");
    clscoords &area = addArea(doc, Rectangle, {{1, 2}, {3, 4}});
    area.alt = QStringLiteral("say \"hi\" now");
    area.setEvents(2, QStringLiteral("if(a>b)go()"));
    area.setEvents(3, QStringLiteral("x <y"));
    addArea(doc, Rectangle, {{1, 2}, {3, 4}}).alt = QStringLiteral("x target=_top");
    MapDocument client = readBack(doc, calculate_html(doc), Format::Client);
    EXPECT_EQ(client.map_name, QStringLiteral("R&D")); // the page decodes its references
    const auto areas = liveAreas(client);
    ASSERT_EQ(areas.size(), 2u);
    EXPECT_EQ(areas[0]->alt, QStringLiteral("say "));           // a double quote ends the value
    EXPECT_EQ(areas[0]->getEvents(2), QStringLiteral("if(a>")); // ">" ends the start tag
    EXPECT_EQ(areas[0]->getEvents(3), QString());               // and so does "<"
    EXPECT_EQ(areas[1]->targetframe, QStringLiteral("_top\"")); // "=" makes a pair of its own

    doc.is_servermap = true;
    doc.shapecol = AreaCollection();
    addArea(doc, Rectangle, {{10, 20}, {110, 60}}, QStringLiteral("a b.html"));
    EXPECT_EQ(liveAreas(readBack(doc, calculate_html(doc), Format::Ncsa))[0]->link, QStringLiteral("b.html"));
    doc.serverside_type = Cern;
    EXPECT_EQ(liveAreas(readBack(doc, calculate_html(doc), Format::Cern))[0]->link, QStringLiteral("a b.html"));
}
