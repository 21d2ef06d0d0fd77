// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_writer.h"

#include "html_document.h"
#include "map_writer.h"
#include "model/map_document.h"
#include "text_buffer.h"
#include "url_path.h"

#include <utility>
#include <vector>

namespace {

// Whether XML 1.0 allows the code unit in a document at all. Surrogates are
// judged in pairs by the caller.
bool allowedInXml(char16_t c)
{
    return c >= 0x20 ? c != 0xFFFE && c != 0xFFFF : c == u'\t' || c == u'\n' || c == u'\r';
}

// How XML writes the characters that cannot stand for themselves in an
// attribute value; empty for every other character.
QLatin1StringView xmlReference(char16_t c)
{
    static const std::pair<char16_t, QLatin1StringView> references[] = {
        {u'&', QLatin1StringView("&amp;")},  {u'<', QLatin1StringView("&lt;")},  {u'>', QLatin1StringView("&gt;")},
        {u'"', QLatin1StringView("&quot;")}, {u'\t', QLatin1StringView("&#9;")}, {u'\n', QLatin1StringView("&#10;")},
        {u'\r', QLatin1StringView("&#13;")}};
    for (const auto &[character, reference] : references)
        if (character == c)
            return reference;
    return {};
}

// A text of the map as XML character data or an attribute value. Texts are
// kept as HTML source, so the drawing holds what a browser reads from the
// client-side map: "&amp;" there is "&" here, escaped again for XML. Line
// breaks and tabs are written as references so that an attribute keeps
// them; characters XML cannot hold (control characters, lone surrogates)
// become U+FFFD.
void appendEscaped(TextBuffer &out, const QString &htmlText)
{
    const QString text = attributeValueAsRead(htmlText);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            out << QStringView(text).mid(i, 2);
            ++i;
            continue;
        }
        if (const QLatin1StringView reference = xmlReference(c); !reference.isEmpty())
            out << reference;
        else if (QChar::isSurrogate(c) || !allowedInXml(c))
            out << QStringView(u"\uFFFD");
        else
            out << QStringView(&c, 1);
    }
}

void appendAttribute(TextBuffer &out, QLatin1StringView name, const QString &value)
{
    out << ' ' << name << QLatin1StringView("=\"");
    appendEscaped(out, value);
    out << '"';
}

void appendNumber(TextBuffer &out, QLatin1StringView name, qint64 value)
{
    out << ' ' << name << QLatin1StringView("=\"") << QString::number(value) << '"';
}

// Widened: a size spanning the whole 32-bit range does not fit in it.
void appendRect(TextBuffer &out, qint64 x, qint64 y, qint64 width, qint64 height)
{
    out << QLatin1StringView("<rect");
    appendNumber(out, QLatin1StringView("x"), x);
    appendNumber(out, QLatin1StringView("y"), y);
    appendNumber(out, QLatin1StringView("width"), width);
    appendNumber(out, QLatin1StringView("height"), height);
    out << QLatin1StringView("/>");
}

// The shape of an area, with the numbers the client-side map writes for it.
// A rectangle stored from any corner becomes its top-left corner and size.
void appendShape(TextBuffer &out, const clscoords &area)
{
    switch (area.shapetype) {
    case Rectangle: {
        const qint64 x0 = area.getPointX(0), y0 = area.getPointY(0);
        const qint64 x1 = area.getPointX(1), y1 = area.getPointY(1);
        return appendRect(out, qMin(x0, x1), qMin(y0, y1), qAbs(x1 - x0), qAbs(y1 - y0));
    }
    case Circle:
        out << QLatin1StringView("<circle cx=\"") << area.getCircleX() << QLatin1StringView("\" cy=\"")
            << area.getCircleY() << QLatin1StringView("\" r=\"") << area.getCircleR() << '"';
        break;
    case Polygon:
        // Browsers fill an image map's polygon even-odd: where it crosses
        // itself, a part covered twice is outside.
        out << QLatin1StringView("<polygon fill-rule=\"evenodd\" points=\"");
        for (int i = 0; i < area.nr_points; ++i) {
            if (i > 0)
                out << ' ';
            out << area.getPointX(i) << ',' << area.getPointY(i);
        }
        out << '"';
        break;
    default:
        // An unknown shape covers nothing; its link stays in the drawing.
        out << QLatin1StringView("<g");
        break;
    }
    out << QLatin1StringView("/>");
}

// The start of an area: a link holding its tooltip, then its shape. An area
// without a link is still an <a>, only without href: it catches the click
// over it, as it does in the client-side map, and each area stays one
// element.
void openArea(TextBuffer &out, const QString &link, const QString &target, const QString &alt)
{
    out << QLatin1StringView("<a");
    if (!link.isEmpty())
        appendAttribute(out, QLatin1StringView("href"), link);
    if (!target.isEmpty())
        appendAttribute(out, QLatin1StringView("target"), getTargetFrame(target));
    out << '>';
    if (!alt.isEmpty()) {
        out << QLatin1StringView("<title>");
        appendEscaped(out, alt);
        out << QLatin1StringView("</title>");
    }
}

constexpr QLatin1StringView CloseArea("</a>\n");

} // namespace

QString calculate_svg(const MapDocument &doc, QSize picture, const QString &svgFile)
{
    TextBuffer out(512 + 160 * qsizetype(doc.shapecol.count()));
    const qint32 width = picture.width(), height = picture.height();
    out << QLatin1StringView("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 ")
        << width << ' ' << height << QLatin1StringView("\" width=\"") << width << QLatin1StringView("\" height=\"")
        << height << QLatin1StringView("\">\n<image");
    appendAttribute(out, QLatin1StringView("href"), image_src_from(svgFile, doc.image_file));
    out << QLatin1StringView(" x=\"0\" y=\"0\" width=\"") << width << QLatin1StringView("\" height=\"") << height
        << QLatin1StringView("\"/>\n");
    // A zero opacity fill, not fill="none": browsers only hit-test a shape
    // whose fill is painted, even invisibly.
    out << QLatin1StringView("<g fill=\"#fff\" fill-opacity=\"0\">\n");
    if (!doc.default_link.isEmpty()) {
        openArea(out, doc.default_link, doc.default_target, QString());
        appendRect(out, 0, 0, width, height);
        out << CloseArea;
    }
    // A later element lies on top and takes the click, and the first area in
    // map order must win: the areas are written last to first. (Keyboard
    // focus then also runs from the last area to the first.)
    std::vector<const clscoords *> live;
    doc.forEachLiveArea([&](const clscoords &area) { live.push_back(&area); });
    for (auto area = live.rbegin(); area != live.rend(); ++area) {
        openArea(out, (*area)->link, (*area)->targetframe, (*area)->alt);
        appendShape(out, **area);
        out << CloseArea;
    }
    out << QLatin1StringView("</g>\n</svg>\n");
    return out.take();
}
