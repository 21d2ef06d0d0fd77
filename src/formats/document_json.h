// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/map_document.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

class QIODevice;

// The document as JSON, the exchange form of the command-line tool:
//   {"map_name", "image_file", "map_file", "server_html_file",
//    "default_link", "default_target",
//    "areas": [{"shape": "rect"|"circle"|"poly", "points": [[x,y],...],
//               "link", "alt", "targetframe", "onmouseover", "onmouseout",
//               "events": [14 texts in event-index order]}]}
// Missing keys mean empty texts. A rectangle takes its two defining corners
// (or all four corners), a circle the two corners of its bounding square (or
// all six points); the other points are derived as the drawing tools place
// them.

struct DocumentFromJson {
    std::optional<MapDocument> document;
    QString error; // one line naming what is wrong, when there is no document
};

// Builds the document straight from the JSON text, with no tree of JSON
// values in between, so that a large map needs little more memory than its
// text and its areas.
DocumentFromJson documentFromJson(QByteArrayView json);

// The live areas in order, with all their points, written piece by piece
// as Qt's JSON writer lays them out (indented, keys sorted).
void writeDocumentJson(const MapDocument &doc, QIODevice &out);
