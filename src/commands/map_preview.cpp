// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_preview.h"

#include "formats/map_writer.h"
#include "formats/url_path.h"
#include "model/map_document.h"
#include "text_file.h"

#include <utility>

namespace {

// Writes one file of the preview and lists it; false, with the failure
// given, when it could not be written.
bool writePreviewFile(PreviewFiles &files, const QString &path, const QString &text)
{
    const WriteOutcome outcome = writeTextFile(path, text);
    if (!outcome.ok()) {
        files.failure = QStringLiteral("Could not write %1 !\n%2").arg(path, outcome.failure);
        return false;
    }
    files.written << path;
    return true;
}

} // namespace

PreviewFiles writePreviewFiles(MapDocument &doc)
{
    const QString folder = getDir(doc.map_file.isEmpty() ? doc.image_file : doc.map_file);
    PreviewFiles files;
    files.page = folder + QString::fromUtf16(PreviewPageName);
    // Without a folder (no picture yet) the page would land wherever the
    // editor happened to start.
    if (folder.isEmpty()) {
        files.failure = QStringLiteral("Could not write %1 !\nThe map has no picture yet.").arg(files.page);
        return files;
    }
    if (!doc.is_servermap) {
        writePreviewFile(files, files.page, calculate_html(doc));
        return files;
    }
    // The page and an NCSA map name the map file: the preview's own, for
    // the time it takes to write them.
    const QString mapPath = folder + QString::fromUtf16(PreviewMapName);
    const QString savedMapFile = std::exchange(doc.map_file, mapPath);
    if (writePreviewFile(files, mapPath, calculate_html(doc)))
        writePreviewFile(files, files.page, calculate_server_html(doc));
    doc.map_file = savedMapFile;
    return files;
}
