// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/text_file.h"
#include "support/file_folder.h"
#include "support/full_disk.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

TEST(TextFile, WritesTheTextInUtf8AndOneCrLfInPlaceOfTheOldContent)
{
    FileFolder folder;
    const QString path = folder.write(QStringLiteral("page.html"), "an older and much longer page\r\n\r\n");
    ASSERT_TRUE(writeTextFile(path, QStringLiteral("<map name=\"caf\u00e9\">\r\n</map>")).ok());
    EXPECT_EQ(readFile(path), QByteArray("<map name=\"caf\xc3\xa9\">\r\n</map>\r\n"));
}

TEST(TextFile, AFailedWriteLeavesTheFileThereAsItWas)
{
    FileFolder folder;
    const QByteArray old = "<map name=\"old\">\r\n</map>\r\n";
    const QString page = folder.write(QStringLiteral("page.html"), old);
    folder.makeFolder(QStringLiteral("folder.html"));
    const QString locked = folder.makeFolder(QStringLiteral("readonly"));
    const QString lockedPage = folder.write(QStringLiteral("readonly/page.html"), old);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    const QString text = QStringLiteral("<map name=\"new\">") + QString(4000, QLatin1Char('x'));

    const struct {
        const char *what;
        std::function<WriteOutcome()> write;
    } cases[] = {
        {"a full disk",
         [&] {
             const FullDisk disk(8);
             return writeTextFile(page, text);
         }},
        {"a folder as the name", [&] { return writeTextFile(folder.path(QStringLiteral("folder.html")), text); }},
        {"no such folder", [&] { return writeTextFile(folder.path(QStringLiteral("none/page.html")), text); }},
        {"an empty name", [&] { return writeTextFile(QString(), text); }},
        {"a read-only folder", [&] { return writeTextFile(lockedPage, text); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // Folder permissions do not stop root.
        if (QLatin1String(c.what) == QLatin1String("a read-only folder") && geteuid() == 0)
            continue;
        const WriteOutcome outcome = c.write();
        EXPECT_FALSE(outcome.ok());
        EXPECT_FALSE(outcome.failure.isEmpty());
        EXPECT_EQ(readFile(page), old);
        EXPECT_EQ(readFile(lockedPage), old);
        // No scratch file is left behind either.
        EXPECT_EQ(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList({QStringLiteral("folder.html"), QStringLiteral("page.html"), QStringLiteral("readonly")}));
    }
    // The scratch folder goes only once it may be emptied.
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
