// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon_list.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources of a static library are registered by hand, once, before the
// first picture is asked for.
static void registerResources()
{
    Q_INIT_RESOURCE(zonari);
}

namespace {

void ensureResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

QString iconPath(const QString &key)
{
    return QStringLiteral(":/icons/%1.svg").arg(key);
}

} // namespace

QIcon iconFor(const QString &key)
{
    return hasIcon(key) ? QIcon(iconPath(key)) : QIcon();
}

bool hasIcon(const QString &key)
{
    ensureResources();
    return !key.isEmpty() && QFile::exists(iconPath(key));
}

QIcon applicationIcon()
{
    ensureResources();
    return QIcon(QStringLiteral(":/icons/zonari.svg"));
}

QCursor zoomCursor()
{
    constexpr int Size = 32;
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    ensureResources();
    QSvgRenderer svg(QStringLiteral(":/icons/cursor_zoom.svg"));
    QPainter painter(&pixmap);
    svg.render(&painter);
    painter.end();
    // The lens is centred at (12, 12) of the 32-pixel drawing.
    return QCursor(pixmap, 12, 12);
}
