// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_load.h"

#include "formats/client_map_reader.h"
#include "formats/server_map_reader.h"

#include <future>

namespace {

// The start every load shares: no areas, no picture, nothing selected, the
// map at its own size.
LoadedMap startLoad(MapDocument doc, const QString &mapFile)
{
    doc.delete_all_shapes();
    doc.map_file = mapFile;
    doc.zoom_factor = 1.0f;
    return LoadedMap{std::move(doc), QImage(), QStringList(), true};
}

// What the readers need of the services: the picture is the load's business.
ReaderServices readerServices(const LoadServices &services)
{
    ReaderServices reader;
    reader.chooseMap = services.chooseMap;
    reader.htmlParsing = services.htmlParsing;
    return reader;
}

} // namespace

MapDocument fieldsForLoad(MapDocument &current)
{
    // The areas step aside while the fields are copied, so that a map of
    // any size costs nothing to start from.
    AreaCollection areas = std::move(current.shapecol);
    current.shapecol.clear();
    MapDocument fields = current;
    current.shapecol = std::move(areas);
    return fields;
}

LoadedMap loadClientMap(MapDocument doc, const QString &page, const LoadServices &services)
{
    LoadedMap loaded = startLoad(std::move(doc), page);
    loaded.document.is_servermap = false;
    // The picture is decoded on a thread of its own while the areas are
    // read. The reader goes on as if the picture could be shown; when it
    // cannot, the areas go again, as if the reader had stopped at it.
    std::future<QImage> picture;
    ReaderServices reader = readerServices(services);
    if (services.decodePicture)
        reader.loadPicture = [&picture, decode = services.decodePicture](const QString &path) {
            picture = std::async(std::launch::async, decode, path);
            return true;
        };
    const MapReadResult read = analyze_client_map(loaded.document, MapTextSource::file(page), reader);
    if (read.outcome == ReadOutcome::Failed)
        loaded.messages.append(read.message);
    if (picture.valid()) {
        loaded.picture = picture.get();
        if (loaded.picture.isNull()) {
            loaded.document.shapecol.clear();
            loaded.messages = QStringList{pictureOpenError(loaded.document.image_file)};
        }
    }
    return loaded;
}

LoadedMap loadServerMap(MapDocument doc, const QString &page, const QString &mapFile, ServerSideType format,
                        const LoadServices &services)
{
    LoadedMap loaded = startLoad(std::move(doc), mapFile);
    MapDocument &map = loaded.document;
    const MapReadResult pageRead = analyze_server_html(map, page, readerServices(services));
    if (pageRead.outcome == ReadOutcome::Failed)
        loaded.messages.append(pageRead.message);
    map.server_html_file = page;

    const auto endEarly = [&](QString message) {
        loaded.messages.append(std::move(message));
        loaded.complete = false;
        return std::move(loaded);
    };
    if (services.decodePicture) {
        loaded.picture = services.decodePicture(map.image_file);
        if (loaded.picture.isNull())
            return endEarly(ServerMapLoadError.toString());
    }
    const ServerMapResult mapRead = analyze_server_map(map, MapTextSource::file(mapFile), format);
    if (!mapRead.ok)
        return endEarly(mapRead.message());
    map.is_servermap = true;
    map.serverside_type = format;
    return loaded;
}
