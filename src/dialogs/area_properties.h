// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/clscoords.h"

#include <QString>

#include <array>
#include <optional>

// The working copy that the area properties dialog edits: the area's 14
// event texts, the event whose code the dialog shows, and whether the two
// status-bar texts still write the onmouseover and onmouseout handlers.
//
// A status text T is kept as the handler code "window.status='T';return
// true;". When the code of either handler no longer has that form, its
// status box shows a notice instead, and from then on the status boxes no
// longer rewrite the handlers.
class AreaProperties {
public:
    AreaProperties() = default;
    explicit AreaProperties(const clscoords &area);

    // What the status boxes show after the shown code was stored; no value
    // leaves a box as it is.
    struct StatusTexts {
        std::optional<QString> mouseover;
        std::optional<QString> mouseout;
    };

    // The user leaves the code of the event shown so far, with this text:
    // it is kept, and the status box of that event follows it.
    StatusTexts storeShownCode(const QString &code);
    // Shows event k from now on; returns its code.
    const QString &showEvent(int k);
    int shownEvent() const { return m_current; }

    // A status box's text changed (event 6 for onmouseover, 8 for onmouseout).
    void statusTextChanged(int event, const QString &text);

    const QString &eventText(int k) const { return m_events[std::size_t(k)]; }
    bool statusDetached() const { return m_statusDetached; }

    // Writes the event texts into the area.
    void applyEventsTo(clscoords &area) const;

    // The explanation of each event, by event index.
    static QString explanation(int k);
    // The handler code of a status-bar text.
    static QString statusCode(const QString &text);

private:
    std::optional<QString> followStatus(int event, const char *notice);

    std::array<QString, EventCount> m_events;
    int m_current = 0;
    bool m_statusDetached = false;
};

// Event indexes of the two status-bar handlers.
inline constexpr int OnMouseOverEvent = 6;
inline constexpr int OnMouseOutEvent = 8;
