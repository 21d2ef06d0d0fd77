// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_properties.h"

namespace {

constexpr QLatin1StringView StatusPrefix("window.status='");
constexpr QLatin1StringView StatusSuffix("';return true;");

} // namespace

AreaProperties::AreaProperties(const clscoords &area)
{
    for (int k = 0; k < EventCount; ++k)
        m_events[std::size_t(k)] = area.getEvents(k);
}

QString AreaProperties::explanation(int k)
{
    static const std::array<const char *, EventCount> texts = {
        "The onsubmit event occurs when a form is submitted.",
        "The onreset event occurs when a form is reset.",
        "The onclick event occurs when the mouse button  is clicked over an element.",
        "The ondblclick event occurs when the mouse button  is double clicked over an element.",
        "The onmousedown event occurs when the mouse button is pressed over an element.",
        "The onmouseup event occurs when the mouse button is released over an element. ",
        "The onmouseover event occurs when the mouse is moved onto an element.",
        "The onmousemove event occurs when the mouse is moved while it is over an element.",
        "The onmouseout event occurs when the mouse is moved away from an element.",
        "The onkeypress event occurs when a key is pressed and released over an element.",
        "The onkeydown event occurs when a key is pressed down over an element.",
        "The onkeyup event occurs when a key is released over an element.",
        "The onfocus event occurs when the element got the focus.",
        "The onblur event occurs when the element lost the focus.",
    };
    return k >= 0 && k < EventCount ? QLatin1String(texts[std::size_t(k)]) : QString();
}

QString AreaProperties::statusCode(const QString &text)
{
    return StatusPrefix + text + StatusSuffix;
}

AreaProperties::StatusTexts AreaProperties::storeShownCode(const QString &code)
{
    m_events[std::size_t(m_current)] = code;
    StatusTexts status;
    if (m_current == OnMouseOverEvent)
        status.mouseover = followStatus(OnMouseOverEvent, "Changed. See onmouseover event.");
    else if (m_current == OnMouseOutEvent)
        status.mouseout = followStatus(OnMouseOutEvent, "Changed. See onmouseout event.");
    return status;
}

std::optional<QString> AreaProperties::followStatus(int event, const char *notice)
{
    const QString &code = m_events[std::size_t(event)];
    if (code.isEmpty())
        return std::nullopt;
    if (code.startsWith(StatusPrefix)) {
        const qsizetype quote = code.indexOf(u'\'', StatusPrefix.size());
        if (quote >= 0)
            return code.sliced(StatusPrefix.size(), quote - StatusPrefix.size());
    }
    // Code of the user's own: the status box no longer speaks for it.
    m_statusDetached = true;
    return QLatin1String(notice);
}

const QString &AreaProperties::showEvent(int k)
{
    m_current = k;
    return m_events[std::size_t(k)];
}

void AreaProperties::statusTextChanged(int event, const QString &text)
{
    if (!m_statusDetached)
        m_events[std::size_t(event)] = statusCode(text);
}

void AreaProperties::applyEventsTo(clscoords &area) const
{
    for (int k = 0; k < EventCount; ++k)
        area.setEvents(k, m_events[std::size_t(k)]);
}
