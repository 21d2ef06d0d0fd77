// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/reader_services.h"
#include "model/map_document.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// Loading a map from files, without the window: the load reads into a
// document of its own, which the window adopts as a whole once the read is
// over (or throws away when the user cancels it). Nothing here shows
// anything; the messages come back in the order they arose.

// Decodes the map's picture file at its own size; a null image when the file
// cannot be read as a picture.
using PictureDecoder = std::function<QImage(const QString &path)>;

// What a load needs from the editor around it. Without a decoder no picture
// is read, which never fails.
struct LoadServices {
    MapChooser chooseMap;
    PictureDecoder decodePicture;
    HtmlParseOptions htmlParsing;
};

// A map as a load left it. Whatever was read before a failure stays: the
// window shows it all the same.
struct LoadedMap {
    MapDocument document;
    QImage picture;       // null: the map shows no picture
    QStringList messages; // for the user, under the application's title
    // False when a server-side load ended early: its dialog stays open and
    // the map type stays as it was.
    bool complete = true;
};

// The document a load starts from: the fields of the map it replaces (the
// default link and target, the drawing tool and the others a load leaves
// alone) and none of its areas, which the load replaces anyway. The current
// document is left as it was.
MapDocument fieldsForLoad(MapDocument &current);

// "Load Client-Side Map": the areas and the picture go, map_file becomes the
// page, nothing is selected, the map is client-side at zoom 1, and the page's
// map is read with its picture. A read that fails or is cancelled keeps what
// it built, with the reader's message.
LoadedMap loadClientMap(MapDocument doc, const QString &page, const LoadServices &services);

// The server-side load: the areas and the picture go, map_file becomes the
// map file, the page names the picture (a page that cannot be read says so,
// and the picture named before is loaded instead) and becomes
// server_html_file, then the map file is read in the format given. A picture
// or map file that cannot be read ends the load early with "Could not load
// server-side imagemap !", keeping what was read.
LoadedMap loadServerMap(MapDocument doc, const QString &page, const QString &mapFile, ServerSideType format,
                        const LoadServices &services);
