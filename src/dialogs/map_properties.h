// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/map_document.h"

#include <QString>

// What the new-map and map-properties dialog asks for: the picture, the
// map's name, its default link and target, the map type and the server
// format.
struct MapProperties {
    QString image_file;
    QString map_name;
    QString default_link;
    QString default_target;
    bool servermap = false;
    bool cern = false; // decides the server format, also for a client-side map

    // The message that refuses the properties, or an empty text.
    QString refusal() const;

    // Takes the properties into the document: a map without a file yet,
    // nothing selected, active or under the pointer.
    void applyTo(MapDocument &doc) const;
};
