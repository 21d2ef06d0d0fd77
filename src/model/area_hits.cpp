// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_hits.h"

#include "area_region.h"

QList<int> liveAreasHolding(const MapDocument &doc, QPoint pixel)
{
    QList<int> holding;
    int position = 0;
    doc.forEachLiveArea([&](const clscoords &area) {
        if (regionOf(area, 1.0f).contains(pixel))
            holding.append(position);
        ++position;
    });
    return holding;
}
