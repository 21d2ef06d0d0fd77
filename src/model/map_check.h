// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map_document.h"

#include <QSize>
#include <QString>

#include <vector>

// What Check Map can find wrong with an area, in the order an area's
// findings are listed.
enum class MapProblem {
    Degenerate,           // no pixel to click: zero size, radius 0, a flat polygon
    OutsidePicture,       // wholly outside the picture
    PartlyOutsidePicture, // partly outside the picture
    Covered,              // earlier areas take every click it could get
    NoLink,
    NoAlt,     // client-side maps only: server maps carry no alternative text
    Duplicate, // same shape, points and link as an earlier area
    NcsaCircle,
    NcsaLongPolygon,
};

// One problem of one area: its 1-based collection position (as the canvas
// numbers it) and the line shown to the user, which names the area.
struct MapFinding {
    MapProblem kind;
    int position;
    QString text;
};

// Everything in the map that will not work as the user expects, area by
// area in map order. A browser gives a click to the first area holding the
// pixel, so an area is covered when every pixel it has inside the picture
// already belongs to earlier areas. pictureSize is the picture's own size;
// when it is unknown (empty) nothing is said about areas outside it and the
// picture is taken to reach as far right and down as the areas do.
std::vector<MapFinding> checkMap(const MapDocument &doc, QSize pictureSize);

// How a finding names an area: "Area 12 (pages/a.html)", "Area 3 (no link)".
QString checkedAreaName(const clscoords &area);
