// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map_document.h"

#include <QList>
#include <QPoint>

// Which live areas hold a picture pixel, by the canvas's own geometry at
// zoom 1: positions among the live areas (from 0, in map order, the order
// of the written map), so the first entry is the area a browser or a
// server that takes the first match would pick.
QList<int> liveAreasHolding(const MapDocument &doc, QPoint pixel);
