// SPDX-License-Identifier: GPL-3.0-or-later
#include "document_json.h"

#include "json_cursor.h"
#include "model/area_geometry.h"

#include <QIODevice>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

void appendJsonText(QByteArray &out, const QString &text);

const char *shapeName(qint32 shape)
{
    switch (shape) {
    case Rectangle:
        return "rect";
    case Circle:
        return "circle";
    case Polygon:
        return "poly";
    default:
        return "";
    }
}

std::optional<ShapeType> shapeFromName(const QString &name)
{
    for (ShapeType shape : {Rectangle, Circle, Polygon})
        if (name == QLatin1String(shapeName(shape)))
            return shape;
    return std::nullopt;
}

// One area object as it is read: its members are kept until the object
// ends, since a member that decides what the others mean (the shape) may
// come last, and they are checked in a fixed order.
struct AreaMembers {
    QString shape;
    bool pointsList = false;
    qsizetype pointCount = 0;
    std::vector<QPoint> points;
    QString pointError; // the first point that is not one, with what is wrong
    std::array<QString, 5> texts;
    std::array<QString, 5> textErrors;
    bool eventsGiven = false;
    bool eventsList = false;
    qsizetype eventCount = 0;
    std::array<QString, EventCount> events;
    QString eventError;
};

constexpr std::array<const char *, 5> AreaTextKeys = {"link", "alt", "targetframe", "onmouseover", "onmouseout"};
struct DocumentText {
    const char *key;
    QString MapDocument::*field;
};
const std::array<DocumentText, 6> DocumentTexts = {{
    {"map_name", &MapDocument::map_name},
    {"image_file", &MapDocument::image_file},
    {"map_file", &MapDocument::map_file},
    {"server_html_file", &MapDocument::server_html_file},
    {"default_link", &MapDocument::default_link},
    {"default_target", &MapDocument::default_target},
}};

// Reads the JSON into a document. A problem with a value is remembered, and
// the reading goes on to the end, so that a syntax error anywhere is
// reported first; of the other problems, the first in a fixed order of keys
// and in the order of the areas.
class DocumentReader {
public:
    explicit DocumentReader(QByteArrayView json) : m_json(json) {}

    DocumentFromJson read();

private:
    // A text member: the text, or empty for null, or a problem.
    bool text(const QString &where, QString &out, QString &problem)
    {
        JsonScalar value;
        if (!m_json.readScalar(value))
            return false;
        out = value.kind == JsonScalar::Text ? value.text : QString();
        problem = value.kind == JsonScalar::Text || value.kind == JsonScalar::Null
                      ? QString()
                      : where + QStringLiteral(": not a text");
        return true;
    }

    bool area(qsizetype index);
    bool areaMember(const QString &key, const QString &where, AreaMembers &members);
    bool points(const QString &where, AreaMembers &members);
    bool events(const QString &where, AreaMembers &members);
    // The problem with an area, in the order the members are checked.
    QString check(const AreaMembers &members, const QString &where, clscoords &area) const;
    // What is wrong with a coordinate, after the point it belongs to.
    static QString coordinateProblem(const JsonScalar &value, qint32 &out);

    JsonCursor m_json;
    MapDocument m_doc;
    std::array<QString, DocumentTexts.size()> m_textErrors;
    QString m_areasError; // the list itself, or its first area that is not one
};

bool DocumentReader::area(qsizetype index)
{
    const QString where = QStringLiteral("areas[%1]").arg(index);
    if (m_json.peek() != '{') {
        if (m_areasError.isEmpty())
            m_areasError = where + QStringLiteral(": not an object");
        return m_json.skipValue();
    }
    AreaMembers members;
    if (!m_json.readObject([&](const QString &key) { return areaMember(key, where, members); }))
        return false;
    if (!m_areasError.isEmpty())
        return true;
    clscoords built;
    m_areasError = check(members, where, built);
    if (m_areasError.isEmpty())
        m_doc.shapecol.append(std::move(built));
    return true;
}

bool DocumentReader::areaMember(const QString &key, const QString &where, AreaMembers &members)
{
    if (key == u"shape") {
        JsonScalar value;
        if (!m_json.readScalar(value))
            return false;
        members.shape = value.kind == JsonScalar::Text ? value.text : QString();
        return true;
    }
    if (key == u"points")
        return points(where, members);
    if (key == u"events")
        return events(where, members);
    for (std::size_t i = 0; i < AreaTextKeys.size(); ++i)
        if (key == QLatin1String(AreaTextKeys[i]))
            return text(where + u'.' + QLatin1String(AreaTextKeys[i]), members.texts[i], members.textErrors[i]);
    return m_json.skipValue();
}

bool DocumentReader::points(const QString &where, AreaMembers &members)
{
    members.pointsList = false;
    members.pointCount = 0;
    members.points.clear();
    members.pointError.clear();
    if (m_json.peek() != '[')
        return m_json.skipValue();
    members.pointsList = true;
    return m_json.readArray([&](qsizetype index) {
        members.pointCount = index + 1;
        // Past the most points an area takes, only the count matters.
        if (index >= MaxAreaPoints || !members.pointError.isEmpty())
            return m_json.skipValue();
        // Messages are made only for a point that is wrong: most are not.
        const auto pointWhere = [&] { return where + QStringLiteral(".points[%1]").arg(index); };
        if (m_json.peek() != '[') {
            members.pointError = pointWhere() + QStringLiteral(": not an [x,y] pair");
            return m_json.skipValue();
        }
        std::array<JsonScalar, 2> pair;
        qsizetype size = 0;
        const bool read = m_json.readArray([&](qsizetype k) {
            size = k + 1;
            return k < 2 ? m_json.readScalar(pair[std::size_t(k)]) : m_json.skipValue();
        });
        if (!read)
            return false;
        qint32 x = 0;
        qint32 y = 0;
        QString problem = size != 2 ? QStringLiteral(": not an [x,y] pair") : coordinateProblem(pair[0], x);
        if (problem.isEmpty())
            problem = coordinateProblem(pair[1], y);
        if (problem.isEmpty())
            members.points.emplace_back(x, y);
        else
            members.pointError = pointWhere() + problem;
        return true;
    });
}

bool DocumentReader::events(const QString &where, AreaMembers &members)
{
    members.eventsGiven = true;
    members.eventsList = false;
    members.eventCount = 0;
    members.events = {};
    members.eventError.clear();
    const char c = m_json.peek();
    if (c != '[') {
        JsonScalar value;
        if (!m_json.readScalar(value))
            return false;
        // null means no events, like a missing key.
        members.eventsGiven = value.kind != JsonScalar::Null;
        return true;
    }
    members.eventsList = true;
    return m_json.readArray([&](qsizetype k) {
        members.eventCount = k + 1;
        if (k >= EventCount)
            return m_json.skipValue();
        JsonScalar value;
        if (!m_json.readScalar(value))
            return false;
        if (value.kind == JsonScalar::Text)
            members.events[std::size_t(k)] = value.text;
        else if (value.kind != JsonScalar::Null && members.eventError.isEmpty())
            members.eventError = where + QStringLiteral(".events[%1]: not a text").arg(k);
        return true;
    });
}

QString DocumentReader::coordinateProblem(const JsonScalar &value, qint32 &out)
{
    if (value.kind != JsonScalar::Number)
        return QStringLiteral(": coordinate is not a number");
    const double number = value.number;
    if (number != std::floor(number))
        return QStringLiteral(": coordinate %1 is not an integer").arg(number);
    if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        return QStringLiteral(": coordinate %1 is out of range").arg(number, 0, 'f', 0);
    out = qint32(number);
    return {};
}

QString DocumentReader::check(const AreaMembers &members, const QString &where, clscoords &area) const
{
    const std::optional<ShapeType> shape = shapeFromName(members.shape);
    if (!shape) {
        // Quoted as JSON, so that the message stays on one line.
        QByteArray quoted;
        appendJsonText(quoted, members.shape);
        return where + QStringLiteral(".shape: unknown shape %1 (rect, circle or poly)").arg(QString::fromUtf8(quoted));
    }
    if (!members.pointsList)
        return where + QStringLiteral(".points: not a list of [x,y] pairs");
    const qsizetype n = members.pointCount;
    if (n > MaxAreaPoints)
        return where + QStringLiteral(".points: %1 points, at most %2 allowed").arg(n).arg(MaxAreaPoints);
    if (*shape == Rectangle && n != 2 && n != 4)
        return where + QStringLiteral(".points: a rectangle needs 2 or 4 points, not %1").arg(n);
    if (*shape == Circle && n != 2 && n != 6)
        return where + QStringLiteral(".points: a circle needs 2 or 6 points, not %1").arg(n);
    if (*shape == Polygon && n == 0)
        return where + QStringLiteral(".points: a polygon needs at least 1 point");
    if (!members.pointError.isEmpty())
        return members.pointError;

    area.shapetype = *shape;
    for (const QPoint &point : members.points)
        area.newpoint(point.x(), point.y());
    if (n == 2) {
        // The corners and edge middles that the drawing tools keep as handles.
        const QPointF corner0(area.getPointX(0), area.getPointY(0));
        const QPointF corner1(area.getPointX(1), area.getPointY(1));
        if (area.shapetype == Rectangle)
            storeShapePoints(area, rectanglePoints(corner0, corner1));
        else
            storeShapePoints(area, circlePoints(corner0, corner1));
    }

    for (const QString &problem : members.textErrors)
        if (!problem.isEmpty())
            return problem;
    area.link = members.texts[0];
    area.alt = members.texts[1];
    area.targetframe = members.texts[2];
    area.onmouseover = members.texts[3];
    area.onmouseout = members.texts[4];

    if (members.eventsGiven && (!members.eventsList || members.eventCount > EventCount))
        return where + QStringLiteral(".events: not a list of at most %1 texts").arg(EventCount);
    if (!members.eventError.isEmpty())
        return members.eventError;
    for (int k = 0; k < members.eventCount; ++k)
        area.setEvents(k, members.events[std::size_t(k)]);
    return {};
}

DocumentFromJson DocumentReader::read()
{
    const auto syntaxError = [&] {
        const QJsonParseError error = m_json.error();
        return DocumentFromJson{
            std::nullopt, QStringLiteral("invalid JSON at offset %1: %2").arg(error.offset).arg(error.errorString())};
    };
    if (m_json.peek() == '[') {
        if (m_json.skipValue() && !m_json.atEnd())
            m_json.fail(QJsonParseError::GarbageAtEnd);
        if (m_json.failed())
            return syntaxError();
        return {std::nullopt, QStringLiteral("invalid document: the JSON is not an object")};
    }
    const bool read = m_json.readObject([&](const QString &key) {
        for (std::size_t i = 0; i < DocumentTexts.size(); ++i) {
            const QLatin1String name(DocumentTexts[i].key);
            if (key == name)
                return text(name, m_doc.*DocumentTexts[i].field, m_textErrors[i]);
        }
        if (key != u"areas")
            return m_json.skipValue();
        // A key given twice counts with its last value, as in any JSON object.
        m_doc.shapecol = AreaCollection();
        m_areasError.clear();
        if (m_json.peek() == '[')
            return m_json.readArray([&](qsizetype index) { return area(index); });
        JsonScalar value;
        if (!m_json.readScalar(value))
            return false;
        if (value.kind != JsonScalar::Null)
            m_areasError = QStringLiteral("areas: not a list");
        return true;
    });
    if (read && !m_json.atEnd())
        m_json.fail(QJsonParseError::GarbageAtEnd);
    if (m_json.failed())
        return syntaxError();
    for (const QString &error : m_textErrors)
        if (!error.isEmpty())
            return {std::nullopt, error};
    if (!m_areasError.isEmpty())
        return {std::nullopt, m_areasError};
    return {std::move(m_doc), QString()};
}

// The JSON form of a text, as Qt writes it: UTF-8, with quotes, backslashes
// and control characters escaped, and a lone surrogate as its \u escape.
void appendJsonText(QByteArray &out, const QString &text)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    const char16_t *c = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *const end = c + text.size();
    while (c != end) {
        const char16_t u = *c++;
        if (u >= 0x20 && u < 0x80 && u != u'"' && u != u'\\') {
            out += char(u);
            continue;
        }
        const char *named = nullptr;
        switch (u) {
        case u'"':
            named = "\\\"";
            break;
        case u'\\':
            named = "\\\\";
            break;
        case u'\b':
            named = "\\b";
            break;
        case u'\f':
            named = "\\f";
            break;
        case u'\n':
            named = "\\n";
            break;
        case u'\r':
            named = "\\r";
            break;
        case u'\t':
            named = "\\t";
            break;
        }
        if (named) {
            out += named;
        } else if (u < 0x20
                   || (QChar::isSurrogate(u)
                       && !(QChar::isHighSurrogate(u) && c != end && QChar::isLowSurrogate(*c)))) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += Hex[(u >> shift) & 0xf];
        } else if (u < 0x800) {
            out += char(0xc0 | (u >> 6));
            out += char(0x80 | (u & 0x3f));
        } else if (!QChar::isSurrogate(u)) {
            out += char(0xe0 | (u >> 12));
            out += char(0x80 | ((u >> 6) & 0x3f));
            out += char(0x80 | (u & 0x3f));
        } else {
            const char32_t code = QChar::surrogateToUcs4(u, *c++);
            out += char(0xf0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3f));
            out += char(0x80 | ((code >> 6) & 0x3f));
            out += char(0x80 | (code & 0x3f));
        }
    }
    out += '"';
}

// A member of an object, four blanks per level in, as Qt indents.
void appendKey(QByteArray &out, int level, const char *key)
{
    out.append(4 * level, ' ');
    out += '"';
    out += key;
    out += "\": ";
}

void appendText(QByteArray &out, int level, const char *key, const QString &text, bool last = false)
{
    appendKey(out, level, key);
    appendJsonText(out, text);
    out += last ? "\n" : ",\n";
}

void appendArea(QByteArray &out, const clscoords &area)
{
    out += "        {\n";
    appendText(out, 3, "alt", area.alt);
    appendKey(out, 3, "events");
    out += "[\n";
    for (int k = 0; k < EventCount; ++k) {
        out.append(16, ' ');
        appendJsonText(out, area.eventText(k));
        out += k + 1 < EventCount ? ",\n" : "\n";
    }
    out += "            ],\n";
    appendText(out, 3, "link", area.link);
    appendText(out, 3, "onmouseout", area.onmouseout);
    appendText(out, 3, "onmouseover", area.onmouseover);
    appendKey(out, 3, "points");
    out += "[\n";
    for (int i = 0; i < area.nr_points; ++i) {
        out += "                [\n                    ";
        out += QByteArray::number(area.getPointX(i));
        out += ",\n                    ";
        out += QByteArray::number(area.getPointY(i));
        out += i + 1 < area.nr_points ? "\n                ],\n" : "\n                ]\n";
    }
    out += "            ],\n";
    appendKey(out, 3, "shape");
    appendJsonText(out, QLatin1String(shapeName(area.shapetype)));
    out += ",\n";
    appendText(out, 3, "targetframe", area.targetframe, true);
    out += "        }";
}

} // namespace

DocumentFromJson documentFromJson(QByteArrayView json)
{
    return DocumentReader(json).read();
}

void writeDocumentJson(const MapDocument &doc, QIODevice &out)
{
    // Keys in Qt's order (sorted), so that the text is what Qt's JSON writer
    // makes of the same document. Written area by area: the memory needed
    // does not grow with the map.
    QByteArray piece = "{\n";
    appendKey(piece, 1, "areas");
    piece += "[\n";
    bool first = true;
    doc.forEachLiveArea([&](const clscoords &area) {
        if (!first)
            piece += ",\n";
        first = false;
        appendArea(piece, area);
        if (piece.size() >= (1 << 16)) {
            out.write(piece);
            piece.resize(0);
        }
    });
    piece += first ? "    ],\n" : "\n    ],\n";
    appendText(piece, 1, "default_link", doc.default_link);
    appendText(piece, 1, "default_target", doc.default_target);
    appendText(piece, 1, "image_file", doc.image_file);
    appendText(piece, 1, "map_file", doc.map_file);
    appendText(piece, 1, "map_name", doc.map_name);
    appendText(piece, 1, "server_html_file", doc.server_html_file, true);
    piece += "}\n";
    out.write(piece);
}
