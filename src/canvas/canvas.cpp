// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"

#include "canvas_tools.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

Canvas::Canvas(CanvasTools &tools, const AreaLooks &looks, QWidget *parent)
    : QWidget(parent), m_tools(tools), m_looks(looks)
{
    setObjectName(QStringLiteral("mainpic"));
    setMouseTracking(true); // the pointer read-out follows the mouse without a button down
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(0, 0);
}

QImage Canvas::inDisplayFormat(const QImage &picture)
{
    const QImage::Format format =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    return picture.isNull() || picture.format() == format ? picture : picture.convertToFormat(format);
}

void Canvas::setPicture(const QImage &picture)
{
    m_picture = inDisplayFormat(picture);
    resize(m_picture.size());
    update();
}

void Canvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (m_picture.hasAlphaChannel())
        painter.fillRect(exposed, palette().window());
    painter.drawImage(exposed.topLeft(), m_picture, exposed);
    m_areaPainter.paint(painter, m_tools.document(), m_tools.regions(), m_tools.state(), m_looks, size(), exposed,
                        m_tools.draggedHandleCentre());
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    m_tools.pointerPressed(event->button(), event->position());
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    m_tools.pointerMoved(event->buttons(), event->position());
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    m_tools.pointerReleased(event->button(), event->position());
}
