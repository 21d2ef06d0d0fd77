// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_file.h"

#include <QSize>

class EditingSession;
class MapDocument;

// Saving the map. Each save gives the document its new file names before
// the text is made, so that the picture reference (and a server map's own
// name) fit the new place, and ends with the code pane showing the text as
// saved. Each file holds its text and one CR LF. A failure comes back as the
// message for the user; the names given stay the document's.

// A client-side map as the HTML page at path.
WriteOutcome saveClientMap(EditingSession &session, const QString &path);

// A server-side map as its page at htmlPath and its map file at mapPath:
// the page first, then the map file. Nothing changes and nothing is written
// while either path is missing. A page written before the map file failed
// stays written.
WriteOutcome saveServerMap(EditingSession &session, const QString &htmlPath, const QString &mapPath);

// The name an SVG export suggests: the map file's, or before the first save
// the picture's, ending in .svg instead.
QString suggestedSvgFile(const MapDocument &doc);

// The map as an SVG drawing (calculate_svg) of the picture of that size, in
// the file at path. The document is left as it was: exporting saves no map.
WriteOutcome exportSvg(const MapDocument &doc, QSize picture, const QString &path);
