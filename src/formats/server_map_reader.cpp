// SPDX-License-Identifier: GPL-3.0-or-later
#include "server_map_reader.h"

#include "client_map_reader.h"
#include "html_document.h"
#include "map_text_input.h"
#include "map_writer.h"
#include "model/area_geometry.h"
#include "model/map_document.h"
#include "model/rounding.h"

#include <QRegularExpression>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// The patterns of both syntaxes. Each is applied to the text after a line's
// keyword; the points of a polygon are every match, everything else the
// first match.
struct ServerPatterns {
    QRegularExpression cernCircle{QStringLiteral(R"(\((\d+),(\d+)\) (\d+) (.+)$)"), Options};
    QRegularExpression cernRectangle{QStringLiteral(R"(\((\d+),(\d+)\) \((\d+),(\d+)\) (.+)$)"), Options};
    QRegularExpression cernPoint{QStringLiteral(R"(\((\d+),(\d+)\) )"), Options};
    QRegularExpression cernPolygonUrl{QStringLiteral(R"((?: \(\d+,\d+\))+ (.+)$)"), Options};
    QRegularExpression ncsaCircle{QStringLiteral(R"((.+) (\d+),(\d+) (\d+),(\d+)$)"), Options};
    QRegularExpression ncsaRectangle{QStringLiteral(R"(([^ ]+) (\d+),(\d+) (\d+),(\d+))"), Options};
    QRegularExpression ncsaPoint{QStringLiteral(R"( (\d+),(\d+))"), Options};
    QRegularExpression ncsaPolygonUrl{QStringLiteral(R"(([^ ]+) )"), Options};

    static constexpr QRegularExpression::PatternOptions Options = QRegularExpression::MultilineOption;

    static const ServerPatterns &get()
    {
        static const ServerPatterns patterns;
        return patterns;
    }
};

// A decimal digit string as a 32-bit number; nothing when it does not fit.
std::optional<qint32> number(QStringView digits)
{
    qint64 value = 0;
    for (const QChar digit : digits) {
        value = value * 10 + (digit.unicode() - u'0');
        if (value > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    return qint32(value);
}

// Reads the numbers of the given groups; nothing when one does not fit.
template <std::size_t N>
std::optional<std::array<qint32, N>> numbers(const QRegularExpressionMatch &match, const int (&groups)[N])
{
    std::array<qint32, N> values{};
    for (std::size_t i = 0; i < N; ++i) {
        const std::optional<qint32> value = number(match.capturedView(groups[i]));
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return values;
}

bool addMatchedPoints(clscoords &area, const QRegularExpression &pattern, QStringView text)
{
    QRegularExpressionMatchIterator matches = pattern.globalMatch(text);
    while (matches.hasNext()) {
        const std::optional<std::array<qint32, 2>> point = numbers(matches.next(), {1, 2});
        if (!point || !area.newpoint((*point)[0], (*point)[1]))
            return false;
    }
    return true;
}

// A rectangle line: its link and two opposite corners, from the given
// groups; the other two corners follow from them.
bool readRectangle(clscoords &area, const QRegularExpressionMatch &match, int linkGroup, const int (&corners)[4])
{
    if (!match.hasMatch())
        return false;
    area.link = match.captured(linkGroup);
    const auto c = numbers(match, corners);
    if (!c)
        return false;
    return storeShapePoints(area, rectanglePoints(QPointF((*c)[0], (*c)[1]), QPointF((*c)[2], (*c)[3])));
}

// A polygon line: its link, then every point the point pattern finds.
bool readPolygon(clscoords &area, const QRegularExpression &urlPattern, const QRegularExpression &pointPattern,
                 QStringView text)
{
    const QRegularExpressionMatch url = urlPattern.match(text);
    if (!url.hasMatch())
        return false;
    area.link = url.captured(1);
    return addMatchedPoints(area, pointPattern, text);
}

bool readCern(clscoords &area, QStringView text)
{
    const ServerPatterns &patterns = ServerPatterns::get();
    const auto shape = ShapeType(area.shapetype);
    switch (shape) {
    case Circle: {
        const QRegularExpressionMatch match = patterns.cernCircle.match(text);
        if (!match.hasMatch())
            return false;
        area.link = match.captured(4);
        const auto v = numbers(match, {1, 2, 3});
        if (!v)
            return false;
        return storeShapePoints(area, circlePointsAround(QPointF((*v)[0], (*v)[1]), (*v)[2]));
    }
    case Rectangle:
        return readRectangle(area, patterns.cernRectangle.match(text), 5, {1, 2, 3, 4});
    case Polygon:
        return readPolygon(area, patterns.cernPolygonUrl, patterns.cernPoint, text);
    }
    return false;
}

// An Apache circle line: its link after the keyword's blank, the centre and
// a point on the circle. The distance between them, rounded, is the radius,
// and centre and radius make the corners as a client-side circle's do.
bool readApacheCircle(clscoords &area, const QRegularExpressionMatch &match)
{
    const QString link = match.captured(1);
    area.link = link.startsWith(u' ') ? link.sliced(1) : link;
    const auto c = numbers(match, {2, 3, 4, 5});
    if (!c)
        return false;
    const QPointF centre((*c)[0], (*c)[1]);
    const double radius = std::hypot(double((*c)[2]) - (*c)[0], double((*c)[3]) - (*c)[1]);
    return storeShapePoints(area, circlePointsAround(centre, double(roundHalfEven(radius))));
}

// centreAndEdge: the line is an Apache circle line of a map that says its
// circles are written that way.
bool readNcsa(clscoords &area, QStringView text, bool centreAndEdge)
{
    const ServerPatterns &patterns = ServerPatterns::get();
    const auto shape = ShapeType(area.shapetype);
    switch (shape) {
    case Circle: {
        const QRegularExpressionMatch match = patterns.ncsaCircle.match(text);
        if (!match.hasMatch())
            return false;
        if (centreAndEdge)
            return readApacheCircle(area, match);
        area.link = match.captured(1);
        const auto c = numbers(match, {2, 3, 4, 5});
        if (!c)
            return false;
        // The two pairs are the corners of the bounding square; its width,
        // halved and rounded, places the edge middles on both axes.
        const QPointF corner0((*c)[0], (*c)[1]);
        const QPointF corner1((*c)[2], (*c)[3]);
        const auto half = double(roundHalfEven((corner1.x() - corner0.x()) / 2.0));
        return storeShapePoints(area, circlePoints(corner0, corner1, QPointF(half, half)));
    }
    case Rectangle:
        return readRectangle(area, patterns.ncsaRectangle.match(text), 1, {2, 3, 4, 5});
    case Polygon:
        return readPolygon(area, patterns.ncsaPolygonUrl, patterns.ncsaPoint, text);
    }
    return false;
}

// The keyword Apache knows for circles; "circ" lines are always corners.
constexpr QLatin1StringView ApacheCircleKeyword("circle");

bool startsWithKeyword(QStringView line, QLatin1StringView keyword)
{
    // Keywords are ASCII; comparing ASCII letters without case is what
    // lower-casing the line's start amounts to for them.
    return line.size() >= keyword.size() && line.first(keyword.size()).compare(keyword, Qt::CaseInsensitive) == 0;
}

struct LineResult {
    bool ok = true;
    QString reason;
};

// apacheCircles: the map says its circle lines hold centre and edge point.
LineResult readLine(MapDocument &doc, QStringView line, qint32 format, bool apacheCircles)
{
    if (startsWithKeyword(line, QLatin1StringView("default")))
        doc.default_link = line.sliced(7).toString();

    struct Keyword {
        QLatin1StringView word;
        ShapeType shape;
    };
    static constexpr Keyword keywords[] = {
        {QLatin1StringView("circ "), Circle},    {ApacheCircleKeyword, Circle},
        {QLatin1StringView("rect "), Rectangle}, {QLatin1StringView("rectangle"), Rectangle},
        {QLatin1StringView("poly "), Polygon},   {QLatin1StringView("polygon"), Polygon},
    };
    // The long keywords leave the blank that follows them in the text.
    std::array<QStringView, 3> texts; // by shape: rectangle, circle, polygon
    for (const Keyword &keyword : keywords)
        if (startsWithKeyword(line, keyword.word))
            texts[std::size_t(keyword.shape)] = line.sliced(keyword.word.size());

    for (const ShapeType shape : {Circle, Rectangle, Polygon}) {
        const QStringView text = texts[std::size_t(shape)];
        if (text.isEmpty() || (format != Cern && format != Ncsa))
            continue;
        if (line.size() > MaxServerMapLineLength)
            return {false, QStringLiteral("A line is longer than %1 characters.").arg(MaxServerMapLineLength)};
        // The area is appended before its pattern is applied, as the reading
        // has always done, so a line that fails leaves its area with what it
        // received.
        if (doc.shapecol.count() >= MaxAreaCount)
            return {false, TooManyAreasReason.toString()};
        clscoords &area = doc.shapecol.add(shape);
        const bool centreAndEdge = apacheCircles && shape == Circle && startsWithKeyword(line, ApacheCircleKeyword);
        if (!(format == Cern ? readCern(area, text) : readNcsa(area, text, centreAndEdge)))
            return {false, QString()};
        showShapeHandles(area);
    }
    return {};
}

} // namespace

ServerMapResult analyze_server_map(MapDocument &doc, const MapTextSource &source, qint32 format)
{
    QString fileText;
    if (source.kind == MapTextSource::File) {
        FileText file = readMapInputFile(source.fileOrText, FileKind::MapFile);
        if (file.problem == FileText::TooLarge)
            return {false, 0, FileTooLargeReason.toString()};
        if (file.problem != FileText::None)
            return {false, 0, QString()};
        fileText = std::move(file.text);
    }
    const QStringView text =
        source.kind == MapTextSource::File ? QStringView(fileText) : QStringView(source.fileOrText);

    // The comment may stand anywhere; the writer puts it after the header.
    bool apacheCircles = false;
    if (format == Ncsa)
        forEachLine(text, [&](QStringView line) {
            apacheCircles = line == ApacheCirclesComment;
            return !apacheCircles;
        });

    ServerMapResult result;
    int lineNumber = 0;
    forEachLine(text, [&](QStringView line) {
        ++lineNumber;
        const LineResult read = readLine(doc, line, format, apacheCircles);
        if (!read.ok)
            result = {false, lineNumber, read.reason};
        return read.ok;
    });
    return result;
}

MapReadResult analyze_server_html(MapDocument &doc, const QString &html_file, const ReaderServices &services)
{
    const auto fail = [](QStringView reason = {}) {
        return MapReadResult::failed(withReason(ServerPageOpenError, reason));
    };
    FileText file = readMapInputFile(html_file, FileKind::Html);
    if (file.problem == FileText::TooLarge)
        return fail(FileTooLargeReason);
    if (file.problem != FileText::None)
        return fail();
    const std::optional<HtmlDocument> page = HtmlDocument::parse(std::move(file.text), services.htmlParsing);
    if (!page)
        return fail(PageTooComplexReason);
    for (const HtmlImg &img : page->imgs())
        if (img.isMap)
            doc.image_file = get_ImagePath_from_html(doc, img.src);
    return {};
}
