// SPDX-License-Identifier: GPL-3.0-or-later
// What the canvas tools ask of the main window: read-outs, cursors, the
// Escape hint, repaints and the area context menu.
#include "form1.h"

#include "canvas/canvas.h"
#include "icon_list.h"

#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace {

// The area context menu: caption and key of each item, in order, and the
// window's command that the item runs. The area commands of this menu act
// on the area under the pointer, not on the selected one as the Edit
// menu's do, so they are commands of their own.
struct ContextItem {
    const char *caption;
    const char *key;
    const char *command;
};
constexpr ContextItem ContextItems[] = {
    {"Cu&t", "Cut", "cp_cut"},       {"&Copy", "Copy", "cp_copy"},
    {"&Paste", "Paste", "cp_paste"}, {"&Delete", "Delete", "cp_delete"},
    {"-", "Separator", ""},          {"Area Properties", "Area Properties", "cp_areaproperties"},
};

// Items that act on the area under the pointer; off on empty canvas.
bool isAreaItem(const QString &key)
{
    return key == QLatin1String("Separator") || key == QLatin1String("Area Properties");
}

} // namespace

QPoint Form1::mainpicPosition() const
{
    return m_mainpic->pos();
}

QRect Form1::visibleCanvasRect() const
{
    // The viewport clips the canvas, which stands at or left of and above
    // its top left corner.
    return QRect(-m_mainpic->pos(), m_picture1->size()) & m_mainpic->rect();
}

void Form1::setShapeCoordsText(const QString &text)
{
    if (m_lblShapeCoords->text() == text)
        return;
    m_lblShapeCoords->setText(text);
    m_lblShapeCoords->adjustSize();
}

QString Form1::shapeCoordsText() const
{
    return m_lblShapeCoords->text();
}

void Form1::setCanvasCursor(CanvasCursor cursor)
{
    switch (cursor) {
    case CanvasCursor::Arrow:
        m_mainpic->setCursor(Qt::ArrowCursor);
        break;
    case CanvasCursor::Zoom:
        m_mainpic->setCursor(zoomCursor());
        break;
    case CanvasCursor::Move:
        m_mainpic->setCursor(Qt::SizeAllCursor);
        break;
    }
}

void Form1::showEscapeHint(bool shown)
{
    if (!shown) {
        m_lblEscape->hide();
        return;
    }
    // The hint stands right of whichever read-out ends further right.
    const QRect coords = m_lblCoords->geometry();
    const QRect shape = m_lblShapeCoords->geometry();
    const int right = std::max(coords.x() + coords.width(), shape.x() + shape.width());
    m_lblEscape->move(right, coords.y());
    m_lblEscape->show();
}

void Form1::repaintCanvas()
{
    m_mainpic->update();
}

void Form1::buildContextMenu()
{
    m_cP = new QMenu(m_mainpic);
    m_cP->setObjectName(QStringLiteral("cP"));
    for (const ContextItem &item : ContextItems) {
        const QString key = QLatin1String(item.key);
        const QString command = QLatin1String(item.command);
        if (command.isEmpty()) {
            m_cP->addSeparator()->setObjectName(key);
            continue;
        }
        QAction *action = m_cP->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(key);
        action->setEnabled(!isPendingCommand(command));
        connect(action, &QAction::triggered, this, [this, key] { cp_click(key); });
    }
}

void Form1::cp_click(const QString &key)
{
    for (const ContextItem &item : ContextItems)
        if (key == QLatin1String(item.key) && *item.command)
            dispatchMenuKey(QLatin1String(item.command));
}

void Form1::openContextMenu(QPointF canvasPos, bool areaItemsOn)
{
    for (QAction *action : m_cP->actions())
        if (isAreaItem(action->objectName()))
            action->setVisible(areaItemsOn);
    m_cP->popup(m_mainpic->mapToGlobal(canvasPos.toPoint()));
}
