// SPDX-License-Identifier: GPL-3.0-or-later
#include "client_map_reader.h"

#include "html_document.h"
#include "html_parse_module.h"
#include "map_text_input.h"
#include "model/area_geometry.h"
#include "model/map_document.h"
#include "model/rounding.h"
#include "url_path.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

bool isAsciiSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

QStringView trimmedAscii(QStringView text)
{
    while (!text.isEmpty() && isAsciiSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isAsciiSpace(text.back()))
        text.chop(1);
    return text;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

std::optional<ShapeType> shapeFromKeyword(const QString &shape)
{
    const QString keyword = shape.toUpper();
    if (keyword == u"POLY" || keyword == u"POLYGON")
        return Polygon;
    if (keyword == u"RECT" || keyword == u"RECTANGLE")
        return Rectangle;
    if (keyword == u"CIRCLE" || keyword == u"CIRC")
        return Circle;
    return std::nullopt; // default, the empty keyword and anything else make no area
}

std::optional<qint32> fitIn32(qint64 value)
{
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

// The texts of an area, taken verbatim from its start tag.
void readTexts(clscoords &area, const QString &startTag, html_parse_module &tags)
{
    tags.parse_tag_attributes(1, startTag);
    area.link = tags.get_attribute_value(QStringLiteral("href"));
    area.targetframe = tags.get_attribute_value(QStringLiteral("target"));
    area.alt = tags.get_attribute_value(QStringLiteral("alt"));
    static const std::array<QString, EventCount> eventNames = [] {
        std::array<QString, EventCount> names;
        for (int k = 0; k < EventCount; ++k)
            names[std::size_t(k)] = QLatin1String(EventNames[std::size_t(k)]);
        return names;
    }();
    for (int k = 0; k < EventCount; ++k)
        area.setEvents(k, tags.get_attribute_value(eventNames[std::size_t(k)]));
}

// Builds one area from its element; false when the coordinates do not make
// the shape. The area keeps whatever it received up to that point.
bool buildArea(clscoords &area, const HtmlArea &element, html_parse_module &tags)
{
    // Pieces are not trimmed, and empty pieces count.
    const QList<QStringView> pieces = QStringView(element.coords).split(u',');
    const auto number = [&](qsizetype index) -> std::optional<qint32> {
        if (index >= pieces.size())
            return std::nullopt;
        return coordinateFromText(pieces[index]);
    };

    switch (area.shapetype) {
    case Polygon: {
        readTexts(area, element.startTag, tags);
        const qsizetype lastPair = (pieces.size() - 1) / 2;
        for (qsizetype j = 0; j <= lastPair; ++j) {
            const std::optional<qint32> x = number(2 * j);
            const std::optional<qint32> y = number(2 * j + 1);
            if (!x || !y || !area.newpoint(*x, *y))
                return false;
        }
        return true;
    }
    case Rectangle: {
        const std::optional<qint32> c0 = number(0);
        const std::optional<qint32> c1 = number(1);
        if (!c0 || !c1)
            return false;
        // The first corner is kept even when the second does not read.
        const QPointF corner0(*c0, *c1);
        storeShapePoints(area, std::array{corner0});
        const std::optional<qint32> c2 = number(2);
        const std::optional<qint32> c3 = number(3);
        if (!c2 || !c3)
            return false;
        storeShapePoints(area, rectanglePoints(corner0, QPointF(*c2, *c3)));
        readTexts(area, element.startTag, tags);
        return true;
    }
    case Circle: {
        const std::optional<qint32> x = number(0);
        const std::optional<qint32> y = number(1);
        const std::optional<qint32> r = number(2);
        if (!x || !y || !r)
            return false;
        // A point outside 32 bits ends the map with the points before it.
        if (!storeShapePoints(area, circlePointsAround(QPointF(*x, *y), *r)))
            return false;
        readTexts(area, element.startTag, tags);
        return true;
    }
    default:
        return false;
    }
}

QString localPathOfFileUrl(QStringView rest)
{
    QString host;
    QStringView path = rest;
    if (rest.startsWith(u"//")) {
        const qsizetype slash = rest.indexOf(u'/', 2);
        host = rest.sliced(2, (slash < 0 ? rest.size() : slash) - 2).toString();
        path = slash < 0 ? QStringView() : rest.sliced(slash);
    }
    QString local = path.toString();
    // "/C:/dir" names the drive path C:\dir.
    if (local.size() >= 3 && local[0] == u'/' && local[1].isLetter() && local[2] == u':')
        local.remove(0, 1);
    if (!host.isEmpty() && host.compare(u"localhost", Qt::CaseInsensitive) != 0)
        local = QStringLiteral("//") + host + local;
    // A drive path or a share is a Windows path; anything else stays POSIX.
    if (local.startsWith(u"//") || hasDriveLetter(local))
        local.replace(u'/', u'\\');
    return local;
}

// "http:", "data:" and the like; a single letter before ":" is a drive.
bool hasUrlScheme(QStringView reference)
{
    const qsizetype colon = reference.indexOf(u':');
    if (colon < 2 || !reference[0].isLetter() || reference[0].unicode() >= 0x80)
        return false;
    for (const QChar c : reference.first(colon))
        if (c.unicode() >= 0x80 || !(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.'))
            return false;
    return true;
}

} // namespace

std::optional<qint32> coordinateFromText(QStringView piece)
{
    const QStringView text = trimmedAscii(piece);
    // Plain whole numbers, by far the most common, need no floating point.
    if (!text.isEmpty() && text.size() <= 10) {
        const bool minus = text.front() == u'-';
        const bool sign = minus || text.front() == u'+';
        qint64 whole = 0;
        qsizetype i = sign ? 1 : 0;
        for (; i < text.size() && isAsciiDigit(text[i]); ++i)
            whole = whole * 10 + (text[i].unicode() - u'0');
        if (i == text.size() && i > (sign ? 1 : 0))
            return fitIn32(minus ? -whole : whole);
    }
    // Sign, digits, an optional fraction and an optional exponent; nothing else.
    std::string number;
    number.reserve(std::size_t(text.size()));
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    qsizetype digits = 0;
    for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++digits)
        number += char(text[i].unicode());
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i, ++digits)
            number += char(text[i].unicode());
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        number += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            number += char(text[i++].unicode());
        qsizetype exponentDigits = 0;
        for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++exponentDigits)
            number += char(text[i].unicode());
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return fitIn32(roundHalfEven(negative ? -value : value));
}

QString get_ImagePath_from_html(const MapDocument &doc, const QString &src)
{
    const QString reference = URLDecode(trimmedAscii(src).toString());
    // No reference names no picture, not the map's folder.
    if (reference.isEmpty())
        return reference;
    if (reference.startsWith(u"file:", Qt::CaseInsensitive))
        return localPathOfFileUrl(QStringView(reference).sliced(5));
    if (hasDriveLetter(reference))
        return QString(reference).replace(u'/', u'\\');
    if (reference.startsWith(u'/') || reference.startsWith(u"\\\\") || hasUrlScheme(reference))
        return reference;
    return getDir(doc.map_file) + reference;
}

MapReadResult analyze_client_map(MapDocument &doc, const MapTextSource &source, const ReaderServices &services)
{
    const bool fromFile = source.kind == MapTextSource::File;
    const auto fail = [](QStringView reason = {}) { return MapReadResult::failed(withReason(MapOpenError, reason)); };

    std::optional<HtmlDocument> page;
    if (fromFile) {
        FileText file = readMapInputFile(source.fileOrText, FileKind::Html);
        if (file.problem == FileText::TooLarge)
            return fail(FileTooLargeReason);
        if (file.problem != FileText::None)
            return fail();
        page = HtmlDocument::parse(std::move(file.text), services.htmlParsing);
    } else {
        page = HtmlDocument::parse(source.fileOrText, services.htmlParsing);
    }
    if (!page)
        return fail(PageTooComplexReason);

    const std::vector<HtmlMap> &maps = page->maps();
    int index = 0;
    if (maps.size() > 1) {
        QStringList names;
        for (const HtmlMap &map : maps)
            names.append(map.name);
        index = services.chooseMap ? services.chooseMap(names) : -1;
        if (index == -1)
            return {ReadOutcome::Cancelled, QString()};
    }
    if (index < 0 || std::size_t(index) >= maps.size())
        return fail();
    const HtmlMap &map = maps[std::size_t(index)];

    if (fromFile) {
        const QString wanted = u'#' + map.name.toUpper();
        const std::vector<HtmlImg> &imgs = page->imgs();
        const auto img = std::find_if(imgs.begin(), imgs.end(),
                                      [&](const HtmlImg &candidate) { return candidate.useMap.toUpper() == wanted; });
        if (img == imgs.end())
            return fail();
        doc.map_name = map.name;
        doc.image_file = get_ImagePath_from_html(doc, img->src);
        if (services.loadPicture && !services.loadPicture(doc.image_file))
            return MapReadResult::failed(pictureOpenError(doc.image_file));
    }

    // Built aside and added at the end, so that a snapshot that cannot be
    // read leaves the document as it was. An area past the last position
    // the collection can number is a failure like any other.
    const std::span<const HtmlArea> elements = page->areasOf(map);
    std::vector<clscoords> built;
    built.reserve(std::min<std::size_t>(elements.size(), std::size_t(MaxAreaCount - doc.shapecol.count())));
    html_parse_module tags;
    bool complete = true;
    QStringView reason;
    for (const HtmlArea &element : elements) {
        const std::optional<ShapeType> shape = shapeFromKeyword(element.shape);
        if (!shape)
            continue;
        if (doc.shapecol.count() + qsizetype(built.size()) >= MaxAreaCount) {
            complete = false;
            reason = TooManyAreasReason;
            break;
        }
        clscoords &area = built.emplace_back();
        area.shapetype = *shape;
        if (!buildArea(area, element, tags)) {
            complete = false;
            break;
        }
        showShapeHandles(area);
    }
    if (!complete && !fromFile)
        return fail(reason);
    if (!fromFile)
        doc.map_name = map.name;
    for (clscoords &area : built)
        doc.shapecol.append(std::move(area));
    return complete ? MapReadResult() : fail(reason);
}
