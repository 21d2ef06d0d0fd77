// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_file.h"

class EditingSession;

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
