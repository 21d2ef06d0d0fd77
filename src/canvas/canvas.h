// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_painter.h"

#include <QImage>
#include <QWidget>

class CanvasTools;

// The picture surface `mainpic`: shows the displayed (zoomed) picture at its
// own size with the areas over it, and hands every mouse event on it to the
// canvas tools as plain values, in its own pixels. It decides nothing itself.
class Canvas : public QWidget {
    Q_OBJECT
public:
    Canvas(CanvasTools &tools, const AreaLooks &looks, QWidget *parent = nullptr);

    // The picture shown; the canvas takes its size. A null image empties it.
    void setPicture(const QImage &picture);
    // The picture in the pixel format the canvas paints fastest: opaque
    // 32-bit, or premultiplied when it has transparent pixels.
    static QImage inDisplayFormat(const QImage &picture);
    const QImage &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    CanvasTools &m_tools;
    const AreaLooks &m_looks;
    AreaPainter m_areaPainter;
    QImage m_picture;
};
