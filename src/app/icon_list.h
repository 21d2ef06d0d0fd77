// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

// The window's pictures, by the keys the menu and toolbar tables name
// ("Ic_Zoomin", "sbcopy", ...). Drawn for this program as SVG files.
QIcon iconFor(const QString &key);
bool hasIcon(const QString &key);

// The program's own icon.
QIcon applicationIcon();

// The pointer of both zoom tools: a magnifier whose lens centre is the hot spot.
QCursor zoomCursor();
