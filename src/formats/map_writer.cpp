// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_writer.h"

#include "model/map_document.h"
#include "text_buffer.h"
#include "url_path.h"

#include <array>

namespace {

constexpr QLatin1StringView CrLf("\r\n");

void appendPair(TextBuffer &out, qint32 x, char separator, qint32 y) { out << x << separator << y; }

void appendAttribute(TextBuffer &out, QLatin1StringView name, const QString &value)
{
    out << ' ' << name << QLatin1StringView("=\"") << value << '"';
}

void appendClientArea(TextBuffer &out, const clscoords &area)
{
    out << QLatin1StringView("<area coords=\"");
    switch (area.shapetype) {
    case Rectangle:
        appendPair(out, area.getPointX(0), ',', area.getPointY(0));
        out << ',';
        appendPair(out, area.getPointX(1), ',', area.getPointY(1));
        out << QLatin1StringView("\"  shape=\"rect\"");
        break;
    case Circle:
        appendPair(out, area.getCircleX(), ',', area.getCircleY());
        out << ',' << area.getCircleR() << QLatin1StringView("\" shape=\"circ\"");
        break;
    case Polygon:
        for (int i = 0; i < area.nr_points; ++i) {
            if (i > 0)
                out << ',';
            appendPair(out, area.getPointX(i), ',', area.getPointY(i));
        }
        out << QLatin1StringView("\" shape=\"poly\"");
        break;
    default:
        // An unknown shape has no coordinates of its own.
        out << '"';
        break;
    }
    if (!area.link.isEmpty())
        appendAttribute(out, QLatin1StringView("href"), area.link);
    if (!area.alt.isEmpty())
        appendAttribute(out, QLatin1StringView("alt"), area.alt);
    if (!area.targetframe.isEmpty())
        appendAttribute(out, QLatin1StringView("target"), getTargetFrame(area.targetframe));
    for (int k = 0; k < EventCount; ++k) {
        const QString &event = area.eventText(k);
        if (!event.isEmpty())
            appendAttribute(out, QLatin1StringView(EventNames[std::size_t(k)]), event);
    }
    out << '>' << CrLf;
}

QString clientMapText(const MapDocument &doc)
{
    TextBuffer out(512 + 128 * qsizetype(doc.shapecol.count()));
    out << clientMapComment() << QLatin1StringView("<img border=\"0\" src=\"") << image_src_for_map(doc)
        << QLatin1StringView("\" usemap=\"#") << doc.map_name << QLatin1StringView("\"><map name=\"") << doc.map_name
        << QLatin1StringView("\">") << CrLf;
    doc.forEachLiveArea([&](const clscoords &area) { appendClientArea(out, area); });
    if (!doc.default_link.isEmpty()) {
        out << QLatin1StringView("<area shape=\"default\" href=\"") << doc.default_link << '"';
        if (!doc.default_target.isEmpty())
            appendAttribute(out, QLatin1StringView("target"), getTargetFrame(doc.default_target));
        out << QLatin1StringView(" >");
    }
    out << QLatin1StringView("</map>");
    return out.take();
}

void appendDefaultLine(TextBuffer &out, const MapDocument &doc)
{
    out << QLatin1StringView("default ") << doc.default_link << CrLf;
}

// The form Apache's mod_imagemap reads: the centre, then the point on the
// circle straight right of it, with the centre and radius the client-side
// map gives the circle.
void appendApacheCircle(TextBuffer &out, const clscoords &area)
{
    const qint32 x = area.getCircleX();
    const qint32 y = area.getCircleY();
    out << QLatin1StringView("circle ") << area.link << ' ';
    appendPair(out, x, ',', y);
    // Widened: a circle reaching the end of the 32-bit range has its edge
    // point one beyond it.
    out << ' ' << QString::number(qint64(x) + area.getCircleR()) << ',' << y << CrLf;
}

void appendNcsaArea(TextBuffer &out, const clscoords &area, bool apacheCircles)
{
    if (apacheCircles && area.shapetype == Circle)
        return appendApacheCircle(out, area);
    switch (area.shapetype) {
    case Rectangle:
    case Circle:
        // A circle travels as the corners of its bounding square.
        out << (area.shapetype == Rectangle ? QLatin1StringView("rect ") : QLatin1StringView("circ ")) << area.link
            << ' ';
        appendPair(out, area.getPointX(0), ',', area.getPointY(0));
        out << ' ';
        appendPair(out, area.getPointX(1), ',', area.getPointY(1));
        break;
    case Polygon:
        out << QLatin1StringView("poly ") << area.link;
        for (int i = 0; i < area.nr_points; ++i) {
            out << ' ';
            appendPair(out, area.getPointX(i), ',', area.getPointY(i));
        }
        break;
    default:
        return;
    }
    out << CrLf;
}

void appendCernArea(TextBuffer &out, const clscoords &area)
{
    switch (area.shapetype) {
    case Rectangle:
        out << QLatin1StringView("rect (");
        appendPair(out, area.getPointX(0), ',', area.getPointY(0));
        out << QLatin1StringView(") (");
        appendPair(out, area.getPointX(1), ',', area.getPointY(1));
        out << QLatin1StringView(") ");
        break;
    case Circle:
        out << QLatin1StringView("circ (");
        appendPair(out, area.getCircleX(), ',', area.getCircleY());
        out << QLatin1StringView(") ") << area.getCircleR() << ' ';
        break;
    case Polygon:
        out << QLatin1StringView("poly");
        for (int i = 0; i < area.nr_points; ++i) {
            out << QLatin1StringView(" (");
            appendPair(out, area.getPointX(i), ',', area.getPointY(i));
            out << ')';
        }
        out << ' ';
        break;
    default:
        return;
    }
    out << area.link << CrLf;
}

QString serverMapText(const MapDocument &doc)
{
    TextBuffer out(256 + 96 * qsizetype(doc.shapecol.count()));
    if (doc.serverside_type == Ncsa) {
        out << QLatin1StringView("# Imagemap file=") << doc.map_file << CrLf;
        if (doc.ncsaApacheCircles)
            out << ApacheCirclesComment << CrLf;
        appendDefaultLine(out, doc);
        doc.forEachLiveArea([&](const clscoords &area) { appendNcsaArea(out, area, doc.ncsaApacheCircles); });
    } else if (doc.serverside_type == Cern) {
        appendDefaultLine(out, doc);
        doc.forEachLiveArea([&](const clscoords &area) { appendCernArea(out, area); });
    }
    return out.take();
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
