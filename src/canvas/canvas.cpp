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
    // Handles lie over the picture: a press on one never reaches the tools'
    // picture rules.
    if (!m_tools.document().image_file.isEmpty() && !m_tools.draggingHandle()) {
        if (const std::optional<HandleRef> handle = m_tools.handleAt(event->position())) {
            m_tools.handlePressed(*handle, event->button());
            return;
        }
    }
    m_tools.mouseDown(event->button(), event->position());
}

void Canvas::mouseMoveEvent(QMouseEvent *event)
{
    if (m_tools.draggingHandle())
        m_tools.handleDragOver(event->position());
    else
        m_tools.mouseMove(event->buttons(), event->position());
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    // A handle drag commits wherever it is released: the shape the user
    // sees is the shape that is stored.
    if (m_tools.draggingHandle() && event->button() == Qt::LeftButton)
        m_tools.handleDropped();
    else
        m_tools.mouseUp(event->button(), event->position());
}
