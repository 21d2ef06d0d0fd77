// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// How an area looks: the colour of its hatch and outline and its hatch
// style, 0 horizontal, 1 vertical, 2 lines falling left to right, 3 lines
// rising left to right, 4 cross, 5 diagonal cross.
struct AreaLook {
    QColor colour;
    int hatchStyle = 0;
    friend bool operator==(const AreaLook &, const AreaLook &) = default;
};

// The three looks in force: a live area, the area under the pointer and
// the selected area.
struct AreaLooks {
    AreaLook normal;
    AreaLook selected;
    AreaLook highlighted;
    friend bool operator==(const AreaLooks &, const AreaLooks &) = default;
};
