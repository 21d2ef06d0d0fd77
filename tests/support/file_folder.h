// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The bytes of a file; "(unreadable)" when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// A scratch folder for the files one test writes and reads; gone with it.
class FileFolder {
public:
    QString write(const QString &name, const QByteArray &bytes = {})
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            ADD_FAILURE() << "cannot write " << path.toStdString();
        return path;
    }
    // A file that large on paper, with no time or disk spent making it.
    QString writeSparse(const QString &name, qint64 size)
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
            ADD_FAILURE() << "cannot make " << name.toStdString();
        return file.fileName();
    }
    QString path(const QString &name = {}) const { return name.isEmpty() ? m_dir.path() : m_dir.filePath(name); }
    // Makes a folder inside (and the folders on the way); its path.
    QString makeFolder(const QString &name)
    {
        if (!QDir(m_dir.path()).mkpath(name))
            ADD_FAILURE() << "cannot make " << name.toStdString();
        return path(name);
    }

private:
    QTemporaryDir m_dir;
};
