// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop.h"
#include "dialogs/frm_selectmap.h"
#include "support/file_folder.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

TEST(Desktop, TheMapChooserGivesTheIndexOfTheChosenName)
{
    enum Ending { Ok, Cancel, Return, DoubleClick };
    const struct {
        const char *user;
        int line; // the line clicked first, -1 for none
        Ending ending;
        int chosen;
    } cases[] = {
        {"clicks the second, OK", 1, Ok, 1},        {"clicks the second, Cancel", 1, Cancel, -1},
        {"Return without a click", -1, Return, -1}, {"double-clicks the third", 2, DoubleClick, 2},
        {"clicks the first, Return", 0, Return, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user);
        Desktop desktop;
        const MapChooser choose = mapChooserFor(desktop, nullptr);
        whenDialogShows<frm_selectmap>([&c](frm_selectmap &d) {
            EXPECT_FALSE(d.windowIcon().isNull()); // also without a window to take it from
            QWidget *list = d.lstmap()->viewport();
            const QPoint line = c.line < 0 ? QPoint() : d.lstmap()->visualItemRect(d.lstmap()->item(c.line)).center();
            if (c.line >= 0)
                QTest::mouseClick(list, Qt::LeftButton, {}, line);
            if (c.ending == DoubleClick)
                QTest::mouseDClick(list, Qt::LeftButton, {}, line);
            else if (c.ending == Return)
                QTest::keyClick(d.lstmap(), Qt::Key_Return);
            else
                QTest::mouseClick(c.ending == Ok ? d.cmdok() : d.cmdcancel(), Qt::LeftButton);
        });
        EXPECT_EQ(choose({QStringLiteral("Top"), QStringLiteral("Nav"), QStringLiteral("Foot")}), c.chosen);
    }
}

TEST(Desktop, PutsTextOnTheSystemClipboard)
{
    Desktop().setClipboardText(QStringLiteral("<map name=\"m\">\r\n</map>"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("<map name=\"m\">\r\n</map>"));
}

TEST(Desktop, OpeningADocumentFailsWithoutAnOpenerOrWhenTheOpenerGivesUp)
{
    FileFolder folder;
    const QByteArray path = qgetenv("PATH");
    const struct {
        const char *what;
        const char *opener; // the end of its script; none when there is no opener
        int failures;
    } cases[] = {{"no opener", nullptr, 1}, {"the opener gives up", "exit 4", 1}, {"the opener shows it", "exit 0", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString bin = folder.makeFolder(QLatin1String(c.what));
        if (c.opener) {
            QFile script(folder.write(QLatin1String(c.what) + QStringLiteral("/xdg-open"),
                                      QByteArray("#!/bin/sh\necho \"$1\" > \"${0%/*}/asked\"\n") + c.opener));
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(bin));
        int failures = 0;
        Desktop().openDocument(QUrl::fromLocalFile(QStringLiteral("/maps/a page.html")), [&failures] { ++failures; });
        qputenv("PATH", path);
        // The answer is in once the opener has ended and is gone.
        EXPECT_TRUE(QTest::qWaitFor([] { return qApp->findChildren<QProcess *>().isEmpty(); }));
        EXPECT_EQ(failures, c.failures);
        if (c.opener) {
            EXPECT_EQ(readFile(bin + QStringLiteral("/asked")), "/maps/a page.html\n");
        }
    }
}
