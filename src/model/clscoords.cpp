#include "clscoords.h"

#include "rounding.h"

#include <cstdlib>

bool clscoords::newpoint(qint32 x, qint32 y)
{
    const int index = first_time ? 0 : nr_points;
    if (!validPoint(index))
        return false;
    first_time = false;
    m_pointx[index] = x;
    m_pointy[index] = y;
    nr_points = qint16(index + 1);
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
    m_pointx[index] = x;
    m_pointy[index] = y;
    return true;
}

qint32 clscoords::getPointX(int index) const { return validPoint(index) ? m_pointx[index] : 0; }
qint32 clscoords::getPointY(int index) const { return validPoint(index) ? m_pointy[index] : 0; }

qint32 clscoords::getCircleX() const
{
    return roundHalfEven32((double(m_pointx[1]) - m_pointx[0]) / 2.0 + m_pointx[0]);
}

qint32 clscoords::getCircleY() const
{
    return roundHalfEven32((double(m_pointy[1]) - m_pointy[0]) / 2.0 + m_pointy[0]);
}

qint32 clscoords::getCircleR() const
{
    // The horizontal distance alone sets the radius; the vertical one is ignored.
    return roundHalfEven32(std::abs(double(m_pointx[1]) - m_pointx[0]) / 2.0);
}

QString clscoords::getEvents(int index) const { return eventText(index); }

const QString &clscoords::eventText(int index) const
{
    static const QString none;
    return validEvent(index) ? m_events[index] : none;
}

bool clscoords::setEvents(int index, const QString &text)
{
    if (!validEvent(index))
        return false;
    m_events[index] = text;
    return true;
}

bool clscoords::hasHandle(int index) const { return validPoint(index) && m_hasHandle.test(index); }

bool clscoords::handleShown(int index) const
{
    return validPoint(index) && m_hasHandle.test(index) && m_handleShown.test(index);
}

void clscoords::setpic(int index) { showpic(index); }

void clscoords::showpic(int index)
{
    if (hasHandle(index))
        m_handleShown.set(index);
}

void clscoords::HidePics() { m_handleShown.reset(); }

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
    m_pointx.fill(0);
    m_pointy.fill(0);
    for (QString &event : m_events)
        event.clear();
}
