// SPDX-License-Identifier: GPL-3.0-or-later
// The picture area of the main window: the picture at its own size and
// zoomed, the viewport, the scroll bars, and the layout on resize.
#include "form1.h"

#include "canvas/canvas.h"
#include "canvas/zoom_math.h"
#include "form1_layout.h"

#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

using Form1Layout::ScrollBarThickness;

void Form1::setPicture(const QImage &picture)
{
    // Kept in the canvas's pixel format, so zoomed copies are shown as made.
    m_pictemp = Canvas::inDisplayFormat(picture);
    m_mainpic->setPicture(m_pictemp);
}

void Form1::show_zoomed_picture(bool zoom_in)
{
    if (m_pictemp.isNull())
        return;
    MapDocument &doc = document();
    const float before = doc.zoom_factor;
    doc.zoom_factor = nextZoomFactor(before, zoom_in);
    const QSize size = zoomedPictureSize(m_pictemp.size(), doc.zoom_factor);
    // A plain pixel copy, as a stretched bitmap shows.
    const QImage zoomed = m_pictemp.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (zoomed.isNull()) {
        // No memory for a picture that large: this step does not happen, and
        // zooming in stops as it does at the size limit.
        doc.zoom_factor = before;
        if (zoom_in)
            m_state.allow_zoomin = false;
        return;
    }
    m_mainpic->setPicture(zoomed);
    if (zoom_in && exceedsZoomLimit(size))
        m_state.allow_zoomin = false;

    const ZoomPlacement placement = placeZoomedPicture(size, QSize(m_viewWidth, m_viewHeight),
                                                       QPoint(m_state.first_actx, m_state.first_acty), zoom_in);
    m_picture1->resize(placement.viewport);
    m_mainpic->move(placement.picturePos);
    initialize_scrollbars();
    zoomChanged();
}

void Form1::mnuview_normalsize()
{
    document().zoom_factor = 1.0f;
    m_mainpic->setPicture(m_pictemp);
    m_mainpic->move(0, 0);
    initialize_scrollbars();
    zoomChanged();
}

void Form1::zoomChanged()
{
    m_tools.reshapeAll();
    fill_html_textbox();
}

void Form1::applyScrollBar(QScrollBar *bar, const ScrollBarSetup &setup)
{
    // A picture that fits leaves nothing to scroll: the bar stands still.
    bar->setEnabled(setup.hasRange);
    if (!setup.hasRange) {
        bar->setRange(0, 0);
        return;
    }
    bar->setRange(0, setup.maximum);
    bar->setPageStep(setup.largeChange);
    bar->setSingleStep(setup.smallChange);
    bar->setValue(setup.value);
}

void Form1::initialize_scrollbars()
{
    m_scrollEventsSuppressed = true;
    const QRect view = m_picture1->geometry();
    m_vscroll->setGeometry(view.x() + view.width(), view.y(), ScrollBarThickness, view.height());
    m_hscroll->setGeometry(view.x(), view.y() + view.height(), view.width(), ScrollBarThickness);
    applyScrollBar(m_vscroll, scrollBarSetup(m_mainpic->height(), view.height(), m_mainpic->y()));
    applyScrollBar(m_hscroll, scrollBarSetup(m_mainpic->width(), view.width(), m_mainpic->x()));
    m_lastVertical = m_vscroll->value();
    m_lastHorizontal = m_hscroll->value();
    m_scrollEventsSuppressed = false;
}

void Form1::scrollBy(QScrollBar *bar, int &lastValue, int value)
{
    if (m_scrollEventsSuppressed)
        return;
    // The picture moves by the difference, so a picture that a zoom step
    // placed stays where it is when the bars are set up again.
    const int step = lastValue - value;
    if (bar == m_vscroll)
        m_mainpic->move(m_mainpic->x(), m_mainpic->y() + step);
    else
        m_mainpic->move(m_mainpic->x() + step, m_mainpic->y());
    lastValue = value;
}

void Form1::layOutAfterResize()
{
    if (!m_firstResizeDone) {
        const QSize client = m_client->size();
        const int width = client.width() - m_picture1->x() - m_vscroll->width();
        const int height = client.height() - m_picture1->y() - m_htmltext->height() - m_hscroll->height();
        m_picture1->resize(std::max(0, width), std::max(0, height));
        m_viewWidth = m_picture1->width();
        m_viewHeight = m_picture1->height();
        m_firstResizeDone = true;
    }
    initialize_scrollbars();
    m_htmltext->setGeometry(m_htmltext->x(), m_hscroll->y() + m_hscroll->height(), m_picture1->width(),
                            m_htmltext->height());
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layOutAfterResize();
    if ((watched == m_picture1 || watched == m_mainpic) && event->type() == QEvent::Wheel) {
        // The wheel over the picture scrolls it: sideways with Shift or a
        // sideways wheel.
        auto *wheel = static_cast<QWheelEvent *>(event);
        const bool sideways = (wheel->modifiers() & Qt::ShiftModifier)
                              || std::abs(wheel->angleDelta().x()) > std::abs(wheel->angleDelta().y());
        QApplication::sendEvent(sideways ? m_hscroll : m_vscroll, wheel);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
