#include "map_writer.h"

#include "model/map_document.h"
#include "url_path.h"

#include <array>
#include <cstdlib>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// Appends plain decimal numbers without a temporary string per number;
// the writer runs on every edit, for maps with thousands of areas.
void appendNumber(QString &out, qint32 value)
{
    std::array<char16_t, 12> digits;
    std::size_t n = 0;
    qint64 v = value;
    const bool negative = v < 0;
    if (negative)
        v = -v;
    do {
        digits[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative)
        out += QLatin1Char('-');
    while (n > 0)
        out += QChar(digits[--n]);
}

void appendPair(QString &out, qint32 x, QLatin1Char separator, qint32 y)
{
    appendNumber(out, x);
    out += separator;
    appendNumber(out, y);
}

void appendAttribute(QString &out, QLatin1StringView name, const QString &value)
{
    out += QLatin1Char(' ');
    out += name;
    out += QLatin1String("=\"");
    out += value;
    out += QLatin1Char('"');
}

void appendClientArea(QString &out, const clscoords &area)
{
    out += QLatin1String("<area coords=\"");
    switch (area.shapetype) {
    case Rectangle:
        appendPair(out, area.getPointX(0), QLatin1Char(','), area.getPointY(0));
        out += QLatin1Char(',');
        appendPair(out, area.getPointX(1), QLatin1Char(','), area.getPointY(1));
        out += QLatin1String("\"  shape=\"rect\"");
        break;
    case Circle:
        appendPair(out, area.getCircleX(), QLatin1Char(','), area.getCircleY());
        out += QLatin1Char(',');
        appendNumber(out, area.getCircleR());
        out += QLatin1String("\" shape=\"circ\"");
        break;
    case Polygon:
        for (int i = 0; i < area.nr_points; ++i) {
            if (i > 0)
                out += QLatin1Char(',');
            appendPair(out, area.getPointX(i), QLatin1Char(','), area.getPointY(i));
        }
        out += QLatin1String("\" shape=\"poly\"");
        break;
    default:
        // An unknown shape has no coordinates of its own.
        out += QLatin1Char('"');
        break;
    }
    if (!area.link.isEmpty())
        appendAttribute(out, QLatin1StringView("href"), area.link);
    if (!area.alt.isEmpty())
        appendAttribute(out, QLatin1StringView("alt"), area.alt);
    if (!area.targetframe.isEmpty())
        appendAttribute(out, QLatin1StringView("target"), getTargetFrame(area.targetframe));
    for (int k = 0; k < EventCount; ++k) {
        const QString event = area.getEvents(k);
        if (!event.isEmpty())
            appendAttribute(out, QLatin1StringView(EventNames[std::size_t(k)]), event);
    }
    out += QLatin1Char('>');
    out += CrLf;
}

QString clientMapText(const MapDocument &doc)
{
    QString out;
    out.reserve(256 + 64 * doc.shapecol.count());
    out += clientMapComment();
    out += QLatin1String("<img border=\"0\" src=\"");
    out += image_src_for_map(doc);
    out += QLatin1String("\" usemap=\"#");
    out += doc.map_name;
    out += QLatin1String("\"><map name=\"");
    out += doc.map_name;
    out += QLatin1String("\">");
    out += CrLf;
    doc.forEachLiveArea([&](const clscoords &area) { appendClientArea(out, area); });
    if (!doc.default_link.isEmpty()) {
        out += QLatin1String("<area shape=\"default\" href=\"");
        out += doc.default_link;
        out += QLatin1Char('"');
        if (!doc.default_target.isEmpty())
            appendAttribute(out, QLatin1StringView("target"), getTargetFrame(doc.default_target));
        out += QLatin1String(" >");
    }
    out += QLatin1String("</map>");
    return out;
}

void appendDefaultLine(QString &out, const MapDocument &doc)
{
    out += QLatin1String("default ");
    out += doc.default_link;
    out += CrLf;
}

void appendNcsaArea(QString &out, const clscoords &area)
{
    switch (area.shapetype) {
    case Rectangle:
    case Circle:
        // A circle travels as the corners of its bounding square.
        out += area.shapetype == Rectangle ? QLatin1String("rect ") : QLatin1String("circ ");
        out += area.link;
        out += QLatin1Char(' ');
        appendPair(out, area.getPointX(0), QLatin1Char(','), area.getPointY(0));
        out += QLatin1Char(' ');
        appendPair(out, area.getPointX(1), QLatin1Char(','), area.getPointY(1));
        break;
    case Polygon:
        out += QLatin1String("poly ");
        out += area.link;
        for (int i = 0; i < area.nr_points; ++i) {
            out += QLatin1Char(' ');
            appendPair(out, area.getPointX(i), QLatin1Char(','), area.getPointY(i));
        }
        break;
    default:
        return;
    }
    out += CrLf;
}

void appendCernArea(QString &out, const clscoords &area)
{
    switch (area.shapetype) {
    case Rectangle:
        out += QLatin1String("rect (");
        appendPair(out, area.getPointX(0), QLatin1Char(','), area.getPointY(0));
        out += QLatin1String(") (");
        appendPair(out, area.getPointX(1), QLatin1Char(','), area.getPointY(1));
        out += QLatin1String(") ");
        break;
    case Circle:
        out += QLatin1String("circ (");
        appendPair(out, area.getCircleX(), QLatin1Char(','), area.getCircleY());
        out += QLatin1String(") ");
        appendNumber(out, area.getCircleR());
        out += QLatin1Char(' ');
        break;
    case Polygon:
        out += QLatin1String("poly");
        for (int i = 0; i < area.nr_points; ++i) {
            out += QLatin1String(" (");
            appendPair(out, area.getPointX(i), QLatin1Char(','), area.getPointY(i));
            out += QLatin1Char(')');
        }
        out += QLatin1Char(' ');
        break;
    default:
        return;
    }
    out += area.link;
    out += CrLf;
}

QString serverMapText(const MapDocument &doc)
{
    QString out;
    out.reserve(128 + 48 * doc.shapecol.count());
    if (doc.serverside_type == Ncsa) {
        out += QLatin1String("# Imagemap file=");
        out += doc.map_file;
        out += CrLf;
        appendDefaultLine(out, doc);
        doc.forEachLiveArea([&](const clscoords &area) { appendNcsaArea(out, area); });
    } else if (doc.serverside_type == Cern) {
        appendDefaultLine(out, doc);
        doc.forEachLiveArea([&](const clscoords &area) { appendCernArea(out, area); });
    }
    return out;
}

} // namespace

QString clientMapComment()
{
    return QLatin1String("<!-- Created with Free Quadrel Software Zonari ") + QString::fromUtf16(MakerAddress)
           + QLatin1String(" !-->");
}

QString calculate_html(const MapDocument &doc)
{
    return doc.is_servermap ? serverMapText(doc) : clientMapText(doc);
}

QString calculate_server_html(const MapDocument &doc)
{
    return QStringLiteral("<html>\r\n"
                          "<title>Tarnel Software Zonari Server-Side Imagemap</title>\r\n"
                          "<body>\r\n"
                          "<a href=\"")
           + doc.map_file + QStringLiteral("\">\r\n<img src=\"") + doc.image_file
           + QStringLiteral("\" ismap>\r\n"
                            "</a>\r\n"
                            "</body>\r\n"
                            "</html>");
}

QString getTargetFrame(const QString &tastring)
{
    static const std::array<std::pair<QString, QString>, 4> choices = {{
        {QStringLiteral("Same Frame ( _self )"), QStringLiteral("_self")},
        {QStringLiteral("Whole Page ( _top )"), QStringLiteral("_top")},
        {QStringLiteral("New Browser Window ( _blank )"), QStringLiteral("_blank")},
        {QStringLiteral("Parent Frame ( _parent )"), QStringLiteral("_parent")},
    }};
    for (const auto &[choice, target] : choices)
        if (tastring == choice)
            return target;
    return tastring;
}
