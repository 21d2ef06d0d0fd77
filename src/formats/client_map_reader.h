// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reader_services.h"

#include <QString>
#include <QStringView>

#include <optional>

class MapDocument;

// Reads a client-side map from HTML into the document: chooses one map
// (asking through chooseMap when the page holds several), sets map_name,
// and appends one area per area element of a known shape, with its link,
// target, alternative text and event handlers exactly as written. Reading
// from a file also sets image_file from the img that uses the map and has
// the picture loaded; a snapshot leaves the picture alone. The caller clears
// the areas beforehand; the reader only appends and never touches the
// default link and target, the map type or the server format.
//
// Nothing is shown; a failure comes back as Failed with its message:
// - the picture cannot be loaded: "Error while opening image <path> !"; the
//   map name and image_file stay set, no area is read;
// - an area cannot be built when reading a file: "Error while opening map !";
//   the areas built before stay, the one being built too, with the points and
//   texts it got; past the last position the collection can number, a second
//   line says so ("The map has more than 32,767 areas.");
// - anything else (no map element, no img for the map, a file that cannot be
//   read, an area that cannot be built in a snapshot): "Error while opening
//   map !", and the document is as it was before.
// Cancelling the choice of map changes nothing and comes back as Cancelled.
MapReadResult analyze_client_map(MapDocument &doc, const MapTextSource &source, const ReaderServices &services);

// The file path of a picture reference written in a page: a relative
// reference is joined to the folder of map_file, a file: URL becomes a local
// path, anything else stays; "+" and %-escapes are decoded first. No
// reference (an img without src, or with an empty one) gives no path.
QString get_ImagePath_from_html(const MapDocument &doc, const QString &src);

// A coordinate as the ordinary numeric conversion of text reads it:
// surrounding white space ignored, sign, fraction and exponent allowed, the
// value rounded half to even; nothing when it is not a number or does not
// fit in 32 bits.
std::optional<qint32> coordinateFromText(QStringView piece);
