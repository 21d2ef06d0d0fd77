// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clscoords.h"

#include <deque>

// Positions are 16-bit (clsindex, the selected and active ids, handle tags),
// so the collection holds at most this many areas, deleted ones included.
inline constexpr int MaxAreaCount = 32767;

// The document's areas, addressed by 1-based position. Areas are only ever
// appended: a deleted area keeps its place (used == false) so that every
// position, clsindex and handle tag stays valid for the whole run.
// References to areas stay valid as the collection grows.
class AreaCollection {
public:
    int count() const { return int(m_areas.size()); }
    bool contains(int position) const { return position >= 1 && position <= count(); }

    // position must satisfy contains(position).
    clscoords &item(int position) { return m_areas[std::size_t(position - 1)]; }
    const clscoords &item(int position) const { return m_areas[std::size_t(position - 1)]; }

    // Appends a new, empty area of the given shape and gives it its
    // position as clsindex; points are added afterwards, so that their
    // handle tags carry that position.
    clscoords &add(ShapeType shape);

    // Appends a copy of a finished area (texts, points and all), renumbered
    // to its new position.
    clscoords &append(const clscoords &area);
    clscoords &append(clscoords &&area);

    // Starts the collection afresh, for a map that replaces every area (a
    // new map, a load, an undo or a redo): positions count from 1 again, so
    // rebuilding a map any number of times never runs out of them.
    void clear() { m_areas.clear(); }

    auto begin() const { return m_areas.begin(); }
    auto end() const { return m_areas.end(); }
    auto begin() { return m_areas.begin(); }
    auto end() { return m_areas.end(); }

private:
    std::deque<clscoords> m_areas;
};
