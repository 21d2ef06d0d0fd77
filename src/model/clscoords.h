// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <array>
#include <bitset>
#include <memory>
#include <optional>

// Shape codes are part of the map model's vocabulary and are stored in
// undo snapshots through the map text, so their numbers never change.
enum ShapeType : int { Rectangle = 0, Circle = 1, Polygon = 2 };

inline constexpr int MaxAreaPoints = 101; // point indexes 0..100
inline constexpr int EventCount = 14;     // event indexes 0..13

// Attribute names of the script events, in event-index order. The writer,
// the reader and the properties dialog all walk this one list.
inline constexpr std::array<const char *, EventCount> EventNames = {
    "onsubmit",    "onreset",    "onclick",    "ondblclick", "onmousedown", "onmouseup", "onmouseover",
    "onmousemove", "onmouseout", "onkeypress", "onkeydown",  "onkeyup",     "onfocus",   "onblur"};

// Which point of which area a handle stands for: the area's 1-based
// collection position and the point index.
struct HandleRef {
    int position = -1;
    int point = -1;
    friend bool operator==(const HandleRef &, const HandleRef &) = default;
};

// One clickable area of the map: its points in picture pixels (never
// zoomed), its shape, flags and property texts, and which of its points
// have a handle on the canvas and whether that handle is shown.
//
// Refusals: a point index outside 0..100, an event index outside 0..13 and
// a 102nd point are caller errors; the operation returns false and stores
// nothing.
class clscoords {
public:
    qint16 nr_points = 0;
    bool selected = false;
    qint16 clsindex = -1;
    bool first_time = true;
    bool mouseover = false;
    QString link;
    QString alt;
    QString onmouseover;
    QString onmouseout;
    QString targetframe;
    qint32 shapetype = Rectangle;
    bool used = true;

    bool newpoint(qint32 x, qint32 y);
    bool setpoint(int index, qint32 x, qint32 y);
    qint32 getPointX(int index) const { return validPoint(index) ? m_points[std::size_t(index)].x() : 0; }
    qint32 getPointY(int index) const { return validPoint(index) ? m_points[std::size_t(index)].y() : 0; }

    // Circles: centre is the midpoint of points 0 and 1, radius half their
    // horizontal distance; all three rounded half to even.
    qint32 getCircleX() const;
    qint32 getCircleY() const;
    qint32 getCircleR() const;

    QString getEvents(int index) const;
    const QString &eventText(int index) const // getEvents without the copy
    {
        static const QString none;
        return validEvent(index) && m_events.texts ? (*m_events.texts)[std::size_t(index)] : none;
    }
    bool setEvents(int index, const QString &text);

    // Handles. Every point added with newpoint gets a handle; whether it
    // is shown follows the shape's rules (setpic shows it, HidePics hides
    // them all). The canvas draws the shown ones.
    bool hasHandle(int index) const;
    bool handleShown(int index) const;
    void setpic(int index);
    void showpic(int index);
    void HidePics();
    QString handleTag(int index) const;
    static std::optional<HandleRef> parseHandleTag(const QString &tag);

    // Marks the area deleted: it keeps its place in the collection but
    // loses its texts, points, events and handles; nr_points is kept.
    void Delete();

    // Changes whenever the area's points change or it is deleted, and is
    // never the same for two different changes of any two areas: whoever
    // keeps something built from the area's shape can tell it is stale.
    quint64 revision() const { return m_revision; }

private:
    static bool validPoint(int index) { return index >= 0 && index < MaxAreaPoints; }
    static bool validEvent(int index) { return index >= 0 && index < EventCount; }

    // Most areas have no event handlers: their texts are only allocated
    // once one is set, which keeps an area small for the map writer's pass.
    struct EventTexts {
        std::unique_ptr<std::array<QString, EventCount>> texts;
        EventTexts() = default;
        EventTexts(const EventTexts &other)
            : texts(other.texts ? std::make_unique<std::array<QString, EventCount>>(*other.texts) : nullptr)
        {}
        EventTexts(EventTexts &&) noexcept = default;
        EventTexts &operator=(const EventTexts &other)
        {
            if (this != &other)
                *this = EventTexts(other);
            return *this;
        }
        EventTexts &operator=(EventTexts &&) noexcept = default;
    };

    void touch();

    EventTexts m_events;
    quint64 m_revision = 0;
    std::bitset<MaxAreaPoints> m_hasHandle;
    std::bitset<MaxAreaPoints> m_handleShown;
    std::array<QPoint, MaxAreaPoints> m_points{}; // last: the first points share a cache line with the rest
};
