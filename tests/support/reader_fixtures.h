#pragma once

#include "area_points.h"
#include "formats/reader_services.h"
#include "model/map_document.h"
#include "printers.h"

#include <QFile>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

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

// A folder for the files a test reads.
class FileFolder {
public:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

inline std::vector<const clscoords *> liveAreas(const MapDocument &doc)
{
    std::vector<const clscoords *> areas;
    doc.forEachLiveArea([&](const clscoords &area) { areas.push_back(&area); });
    return areas;
}
