// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reader_services.h"

#include <QString>

class MapDocument;

// Lines longer than this are refused when they describe a shape: the
// patterns that read them are not safe on arbitrarily long text.
inline constexpr qsizetype MaxServerMapLineLength = 65536;

// How reading a map file ended. Failures are not shown by the reader; the
// caller shows message() ("Could not load server-side imagemap !", with a
// second line when the program itself refused the file).
struct ServerMapResult {
    bool ok = true;
    int line = 0;   // the line that failed, from 1; 0 when the file as a whole was refused
    QString reason; // empty for a line that does not read as its shape
    QString message() const { return withReason(ServerMapLoadError, reason); }
};

// Reads a map file in NCSA (format 0) or CERN (format 1) syntax, line by
// line: a line starting with "default" sets default_link to the rest of the
// line, its leading blank kept; each circle, rectangle and polygon line
// appends an area with its link and points. With any other format only the
// default line is read. The caller clears the areas beforehand. A line that
// does not read as its shape ends the reading: the areas appended before
// stay, and so does the area of that line with what it received.
ServerMapResult analyze_server_map(MapDocument &doc, const MapTextSource &source, qint32 format);

// Reads the HTML page of a server-side map: image_file becomes the picture
// of the last img with ismap, resolved against the folder of map_file. When
// the page cannot be read, image_file stays as it was and the result is
// Failed with "Could not open server-side imagemap !".
MapReadResult analyze_server_html(MapDocument &doc, const QString &html_file, const ReaderServices &services);
