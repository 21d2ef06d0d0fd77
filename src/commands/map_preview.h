// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class MapDocument;

// The files the test preview writes, in the folder of the map's file or,
// before the map has one, of its picture, so that the page finds the picture
// by the same relative path as the saved map will.
inline constexpr char16_t PreviewPageName[] = u"Zonarim_temp.html";
inline constexpr char16_t PreviewMapName[] = u"Zonarim_temp.map"; // server-side maps only

struct PreviewFiles {
    QString page;        // the page to show in the browser
    QStringList written; // what was written, to be deleted when the editor closes
    QString failure;     // for the user, naming the file that could not be written; empty when all were
};

// Writes the current map for a browser to show: a client-side map as the
// page; a server-side map as its map file, then a page that links to that
// map file (the document's own map file is the same afterwards). A failure
// ends the writing; what was written before it is listed all the same.
PreviewFiles writePreviewFiles(MapDocument &doc);
