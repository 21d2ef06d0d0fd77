#pragma once

#include "area_points.h"
#include "formats/reader_services.h"
#include "model/map_document.h"

#include <QFile>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

// Collects the readers' messages instead of showing them.
class RecordingMessages : public UserMessages {
public:
    QStringList texts;
    QStringList titles;
    void showMessage(const QString &text, const QString &title) override
    {
        texts.append(text);
        titles.append(title);
    }
};

// Reader services for tests: messages recorded, the map choice scripted,
// picture loads recorded and answered with `pictureLoads`.
struct ScriptedServices {
    RecordingMessages messages;
    QStringList offeredMaps;
    int choice = -1;
    QStringList loadedPictures;
    bool pictureLoads = true;

    ReaderServices services()
    {
        ReaderServices services;
        services.messages = &messages;
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
