// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_points.h"
#include "file_folder.h"
#include "formats/reader_services.h"
#include "model/map_document.h"
#include "printers.h"

#include <QPoint>
#include <QStringList>

#include <ostream>
#include <vector>

inline void PrintTo(const MapReadResult &result, std::ostream *os)
{
    static const char *const outcomes[] = {"Done", "Cancelled", "Failed"};
    *os << outcomes[int(result.outcome)];
    if (!result.message.isEmpty()) {
        *os << ' ';
        PrintTo(result.message, os);
    }
}

// Reader services for tests: the map choice scripted, picture loads
// recorded and answered with `pictureLoads`.
struct ScriptedServices {
    QStringList offeredMaps;
    int choice = -1;
    QStringList loadedPictures;
    bool pictureLoads = true;

    ReaderServices services()
    {
        ReaderServices services;
        services.chooseMap = [this](const QStringList &names) {
            offeredMaps = names;
            return choice;
        };
        services.loadPicture = [this](const QString &path) {
            loadedPictures.append(path);
            return pictureLoads;
        };
        return services;
    }
};

inline std::vector<const clscoords *> liveAreas(const MapDocument &doc)
{
    std::vector<const clscoords *> areas;
    doc.forEachLiveArea([&](const clscoords &area) { areas.push_back(&area); });
    return areas;
}
