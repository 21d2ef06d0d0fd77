#include "document_json.h"

#include "model/area_geometry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace {

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

// Reads JSON into a document, remembering the first problem it meets.
class Reader {
public:
    QString error;

    bool text(const QJsonObject &object, const char *key, const QString &where, QString &out)
    {
        const QJsonValue value = object.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull())
            return true;
        if (!value.isString())
            return fail(where + QLatin1String(key) + QStringLiteral(": not a text"));
        out = value.toString();
        return true;
    }

    bool coordinate(const QJsonValue &value, const QString &where, qint32 &out)
    {
        if (!value.isDouble())
            return fail(where + QStringLiteral(": coordinate is not a number"));
        const double number = value.toDouble();
        if (number != std::floor(number))
            return fail(where + QStringLiteral(": coordinate %1 is not an integer").arg(number));
        if (number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
            return fail(where + QStringLiteral(": coordinate %1 is out of range").arg(number, 0, 'f', 0));
        out = qint32(number);
        return true;
    }

    bool area(const QJsonValue &value, const QString &where, MapDocument &doc)
    {
        if (!value.isObject())
            return fail(where + QStringLiteral(": not an object"));
        const QJsonObject object = value.toObject();
        const QString shapeText = object.value(QLatin1String("shape")).toString();
        const std::optional<ShapeType> shape = shapeFromName(shapeText);
        if (!shape)
            return fail(where + QStringLiteral(".shape: unknown shape \"%1\" (rect, circle or poly)").arg(shapeText));

        const QJsonValue pointsValue = object.value(QLatin1String("points"));
        if (!pointsValue.isArray())
            return fail(where + QStringLiteral(".points: not a list of [x,y] pairs"));
        const QJsonArray points = pointsValue.toArray();
        if (points.size() > MaxAreaPoints)
            return fail(
                where + QStringLiteral(".points: %1 points, at most %2 allowed").arg(points.size()).arg(MaxAreaPoints));
        const qsizetype n = points.size();
        if (*shape == Rectangle && n != 2 && n != 4)
            return fail(where + QStringLiteral(".points: a rectangle needs 2 or 4 points, not %1").arg(n));
        if (*shape == Circle && n != 2 && n != 6)
            return fail(where + QStringLiteral(".points: a circle needs 2 or 6 points, not %1").arg(n));
        if (*shape == Polygon && n == 0)
            return fail(where + QStringLiteral(".points: a polygon needs at least 1 point"));

        clscoords area;
        area.shapetype = *shape;
        for (qsizetype i = 0; i < n; ++i) {
            const QString pointWhere = where + QStringLiteral(".points[%1]").arg(i);
            const QJsonArray pair = points[i].toArray();
            if (!points[i].isArray() || pair.size() != 2)
                return fail(pointWhere + QStringLiteral(": not an [x,y] pair"));
            qint32 x = 0;
            qint32 y = 0;
            if (!coordinate(pair[0], pointWhere, x) || !coordinate(pair[1], pointWhere, y))
                return false;
            area.newpoint(x, y);
        }
        if (n == 2)
            addDerivedPoints(area);

        if (!text(object, "link", where + QLatin1Char('.'), area.link)
            || !text(object, "alt", where + QLatin1Char('.'), area.alt)
            || !text(object, "targetframe", where + QLatin1Char('.'), area.targetframe)
            || !text(object, "onmouseover", where + QLatin1Char('.'), area.onmouseover)
            || !text(object, "onmouseout", where + QLatin1Char('.'), area.onmouseout))
            return false;

        const QJsonValue eventsValue = object.value(QLatin1String("events"));
        if (!eventsValue.isUndefined() && !eventsValue.isNull()) {
            const QJsonArray events = eventsValue.toArray();
            if (!eventsValue.isArray() || events.size() > EventCount)
                return fail(where + QStringLiteral(".events: not a list of at most %1 texts").arg(EventCount));
            for (qsizetype k = 0; k < events.size(); ++k) {
                if (!events[k].isString() && !events[k].isNull())
                    return fail(where + QStringLiteral(".events[%1]: not a text").arg(k));
                area.setEvents(int(k), events[k].toString());
            }
        }
        doc.shapecol.append(area);
        return true;
    }

private:
    bool fail(const QString &message)
    {
        error = message;
        return false;
    }

    // The corners and edge middles that the drawing tools keep as handles.
    static void addDerivedPoints(clscoords &area)
    {
        const QPointF corner0(area.getPointX(0), area.getPointY(0));
        const QPointF corner1(area.getPointX(1), area.getPointY(1));
        if (area.shapetype == Rectangle)
            storeShapePoints(area, rectanglePoints(corner0, corner1));
        else
            storeShapePoints(area, circlePoints(corner0, corner1));
    }
};

} // namespace

DocumentFromJson documentFromJson(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {std::nullopt,
                QStringLiteral("invalid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString())};
    if (!parsed.isObject())
        return {std::nullopt, QStringLiteral("invalid document: the JSON is not an object")};

    const QJsonObject root = parsed.object();
    MapDocument doc;
    Reader reader;
    const QString top;
    if (!reader.text(root, "map_name", top, doc.map_name) || !reader.text(root, "image_file", top, doc.image_file)
        || !reader.text(root, "map_file", top, doc.map_file)
        || !reader.text(root, "server_html_file", top, doc.server_html_file)
        || !reader.text(root, "default_link", top, doc.default_link)
        || !reader.text(root, "default_target", top, doc.default_target))
        return {std::nullopt, reader.error};

    const QJsonValue areas = root.value(QLatin1String("areas"));
    if (!areas.isUndefined() && !areas.isNull()) {
        if (!areas.isArray())
            return {std::nullopt, QStringLiteral("areas: not a list")};
        const QJsonArray list = areas.toArray();
        for (qsizetype i = 0; i < list.size(); ++i)
            if (!reader.area(list[i], QStringLiteral("areas[%1]").arg(i), doc))
                return {std::nullopt, reader.error};
    }
    return {std::move(doc), QString()};
}

QByteArray documentToJson(const MapDocument &doc)
{
    QJsonArray areas;
    doc.forEachLiveArea([&](const clscoords &area) {
        QJsonArray points;
        for (int i = 0; i < area.nr_points; ++i)
            points.append(QJsonArray{area.getPointX(i), area.getPointY(i)});
        QJsonArray events;
        for (int k = 0; k < EventCount; ++k)
            events.append(area.getEvents(k));
        areas.append(QJsonObject{
            {QStringLiteral("shape"), QLatin1String(shapeName(area.shapetype))},
            {QStringLiteral("points"), points},
            {QStringLiteral("link"), area.link},
            {QStringLiteral("alt"), area.alt},
            {QStringLiteral("targetframe"), area.targetframe},
            {QStringLiteral("onmouseover"), area.onmouseover},
            {QStringLiteral("onmouseout"), area.onmouseout},
            {QStringLiteral("events"), events},
        });
    });
    const QJsonObject root{
        {QStringLiteral("map_name"), doc.map_name},
        {QStringLiteral("image_file"), doc.image_file},
        {QStringLiteral("map_file"), doc.map_file},
        {QStringLiteral("server_html_file"), doc.server_html_file},
        {QStringLiteral("default_link"), doc.default_link},
        {QStringLiteral("default_target"), doc.default_target},
        {QStringLiteral("areas"), areas},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}
