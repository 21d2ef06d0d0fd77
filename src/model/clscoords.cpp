// SPDX-License-Identifier: GPL-3.0-or-later
#include "clscoords.h"

#include "rounding.h"

#include <cstdlib>

void clscoords::touch()
{
    // One counter for all areas, so a revision names one change of one area.
    static quint64 lastRevision = 0;
    m_revision = ++lastRevision;
}

bool clscoords::newpoint(qint32 x, qint32 y)
{
    const int index = first_time ? 0 : nr_points;
    if (!validPoint(index))
        return false;
    first_time = false;
    m_points[std::size_t(index)] = QPoint(x, y);
    nr_points = qint16(index + 1);
    touch();
    m_hasHandle.set(index);
    // Rectangle and circle handles are placed when the shape is finished;
    // a polygon shows each vertex as it is added, a rectangle its first corner.
    if (shapetype == Polygon || (index == 0 && shapetype == Rectangle))
        setpic(index);
    return true;
}

bool clscoords::setpoint(int index, qint32 x, qint32 y)
{
    if (!validPoint(index))
        return false;
    m_points[std::size_t(index)] = QPoint(x, y);
    touch();
    return true;
}

qint32 clscoords::getCircleX() const
{
    return roundHalfEven32((double(m_points[1].x()) - m_points[0].x()) / 2.0 + m_points[0].x());
}

qint32 clscoords::getCircleY() const
{
    return roundHalfEven32((double(m_points[1].y()) - m_points[0].y()) / 2.0 + m_points[0].y());
}

qint32 clscoords::getCircleR() const
{
    // The horizontal distance alone sets the radius; the vertical one is ignored.
    return roundHalfEven32(std::abs(double(m_points[1].x()) - m_points[0].x()) / 2.0);
}

QString clscoords::getEvents(int index) const
{
    return eventText(index);
}

bool clscoords::setEvents(int index, const QString &text)
{
    if (!validEvent(index))
        return false;
    if (!m_events.texts) {
        if (text.isEmpty())
            return true;
        m_events.texts = std::make_unique<std::array<QString, EventCount>>();
    }
    (*m_events.texts)[std::size_t(index)] = text;
    return true;
}

bool clscoords::hasHandle(int index) const
{
    return validPoint(index) && m_hasHandle.test(index);
}

bool clscoords::handleShown(int index) const
{
    return validPoint(index) && m_hasHandle.test(index) && m_handleShown.test(index);
}

void clscoords::setpic(int index)
{
    showpic(index);
}

void clscoords::showpic(int index)
{
    if (hasHandle(index))
        m_handleShown.set(index);
}

void clscoords::HidePics()
{
    m_handleShown.reset();
}

QString clscoords::handleTag(int index) const
{
    return QString::number(clsindex) + QLatin1Char('|') + QString::number(index);
}

std::optional<HandleRef> clscoords::parseHandleTag(const QString &tag)
{
    const qsizetype bar = tag.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return std::nullopt;
    bool okPosition = false;
    bool okPoint = false;
    const int position = tag.left(bar).toInt(&okPosition);
    const int point = tag.mid(bar + 1).toInt(&okPoint);
    if (!okPosition || !okPoint || !validPoint(point))
        return std::nullopt;
    return HandleRef{position, point};
}

void clscoords::Delete()
{
    used = false;
    alt.clear();
    link.clear();
    targetframe.clear();
    onmouseover.clear();
    onmouseout.clear();
    m_hasHandle.reset();
    m_handleShown.reset();
    m_points.fill(QPoint());
    m_events.texts.reset();
    touch();
}
