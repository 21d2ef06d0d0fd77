// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_clipboard.h"

#include "editing_session.h"
#include "model/area_geometry.h"
#include "model/rounding.h"

bool AreaClipboard::isLiveArea(int position) const
{
    const AreaCollection &areas = m_session.document().shapecol;
    return areas.contains(position) && areas.item(position).used;
}

bool AreaClipboard::copy(int position)
{
    if (!isLiveArea(position))
        return false;
    const clscoords &source = m_session.document().shapecol.item(position);
    clscoords copied;
    copied.shapetype = source.shapetype;
    copied.used = false;
    for (int i = 0; i < source.nr_points; ++i)
        copied.newpoint(source.getPointX(i), source.getPointY(i));
    copied.HidePics();
    m_area = std::move(copied);
    return true;
}

bool AreaClipboard::cut(int position)
{
    return copy(position) && remove(position);
}

bool AreaClipboard::remove(int position)
{
    if (!isLiveArea(position))
        return false;
    MapDocument &doc = m_session.document();
    clscoords &area = doc.shapecol.item(position);
    if (area.selected || doc.selected_shapeid == position)
        doc.selected_shapeid = -1;
    area.Delete();
    m_session.fill_html_textbox();
    return true;
}

bool AreaClipboard::paste(QPointF at)
{
    MapDocument &doc = m_session.document();
    if (!m_area || doc.shapecol.count() >= MaxAreaCount)
        return false;
    clscoords &source = *m_area;
    source.used = true;
    const double dx = at.x() - source.getPointX(0);
    const double dy = at.y() - source.getPointY(0);
    for (int i = 0; i < source.nr_points; ++i)
        source.setpoint(i, roundHalfEven32(source.getPointX(i) + dx), roundHalfEven32(source.getPointY(i) + dy));
    clscoords &pasted = doc.shapecol.add(ShapeType(source.shapetype));
    for (int i = 0; i < source.nr_points; ++i)
        pasted.newpoint(source.getPointX(i), source.getPointY(i));
    showShapeHandles(pasted);
    m_session.fill_html_textbox();
    return true;
}
