// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class MapDocument;

// The address named in the comment that heads every client-side map.
inline constexpr char16_t MakerAddress[] = u"https://zonari.example.org/";

// The comment line after the header of an NCSA map whose circles are written
// as centre and a point on the circle; the reader reads circle lines that way
// only when the map holds it.
inline constexpr QLatin1StringView ApacheCirclesComment("# circles: centre, then a point on the circle");

// The comment that opens every client-side map text.
QString clientMapComment();

// The map text of the document: the client-side HTML fragment, or for a
// server-side map the NCSA or CERN map file (empty for an unknown server
// format; NCSA circles in the form ncsaApacheCircles chooses). Lines end in
// CR LF; texts are inserted exactly as stored, with no escaping; coordinates
// are picture coordinates, never zoomed.
QString calculate_html(const MapDocument &doc);

// The small HTML page whose ismap picture links to a server-side map file.
QString calculate_server_html(const MapDocument &doc);

// The target name written for a target-frame choice: the four offered
// choices map to _self, _top, _blank and _parent; a frame name typed by the
// user is written unchanged.
QString getTargetFrame(const QString &tastring);
