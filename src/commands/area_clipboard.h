// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/clscoords.h"

#include <QPointF>

#include <optional>

class EditingSession;

// The editor's own clipboard for whole areas (not the system clipboard) and
// the commands that use it. The clipboard keeps a shape and its points only:
// a pasted area starts with no link and no texts. Copy, cut and delete act
// on the area at a given position, the selected one or the one under the
// pointer, whichever the caller's command is about.
class AreaClipboard {
public:
    explicit AreaClipboard(EditingSession &session) : m_session(session) {}

    bool isEmpty() const { return !m_area; }
    const std::optional<clscoords> &area() const { return m_area; }

    // False, and nothing done, when there is no live area at the position.
    bool copy(int position);
    bool cut(int position);
    bool remove(int position);

    // Appends a copy of the clipboard's area whose point 0 lies at the
    // picture position `at`, rounded half to even. The clipboard's area
    // moves there too, so the next paste at another place moves it again.
    // The new area is neither selected nor active. False when the clipboard
    // is empty or the map holds as many areas as it can number.
    bool paste(QPointF at);

private:
    bool isLiveArea(int position) const;

    EditingSession &m_session;
    std::optional<clscoords> m_area;
};
