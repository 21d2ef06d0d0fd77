// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "dialogs/frm_loadserverm.h"
#include "dialogs/frm_newmap.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>

#include <gtest/gtest.h>

TEST(OpenFile, EachKindOfFileOpensInItsCommand)
{
    FileFolder folder;
    ASSERT_TRUE(markedPicture({120, 90}).save(folder.path(QStringLiteral("picture.png"))));
    const QString twoMaps = folder.write(
        QStringLiteral("two.HTM"),
        "<img src='picture.png' usemap='#a'><map name='a'><area shape=rect coords='1,2,3,4' href='a.html'></map>\n"
        "<img src='picture.png' usemap='#b'><map name='b'><area shape=circle coords='50,50,10' href='b.html'></map>");
    const QString map = folder.write(QStringLiteral("nav.map"), "rect a.html 1,2 3,4\r\n");

    // A picture named from the current folder, as on a command line.
    ShownForm shown;
    const QString current = QDir::currentPath();
    QDir::setCurrent(folder.path());
    shown->openFile(QStringLiteral("picture.png"));
    QDir::setCurrent(current);
    const frm_newmap *newMap = openDialog<frm_newmap>(*shown.form);
    ASSERT_NE(newMap, nullptr);
    EXPECT_EQ(newMap->txt_image->text(), folder.path(QStringLiteral("picture.png")));
    EXPECT_EQ(newMap->txt_name->text(), QStringLiteral("picture.png"));

    ShownForm pageShown;
    pageShown.desktop->mapChoices << 1;
    pageShown->openFile(twoMaps);
    EXPECT_TRUE(pageShown.desktop->mapChoices.isEmpty()); // the user was asked
    EXPECT_EQ(pageShown->document().map_name, QStringLiteral("b"));
    EXPECT_EQ(pageShown->document().map_file, twoMaps);
    EXPECT_EQ(pageShown->pictemp().size(), QSize(120, 90));
    // The code pane shows the map as the editor writes it, not the page's own text.
    EXPECT_TRUE(pageShown.code().contains(QStringLiteral("<map name=\"b\">")));
    EXPECT_TRUE(pageShown.desktop->messages.isEmpty());

    ShownForm mapShown;
    whenDialogShows<frm_loadserverm>([&map](frm_loadserverm &dialog) {
        EXPECT_EQ(dialog.txt_mapfile->text(), map);
        EXPECT_EQ(dialog.mapFile(), map);
        EXPECT_TRUE(dialog.htmlFile().isEmpty());
        dialog.reject();
    });
    mapShown->openFile(map);
}

TEST(OpenFile, AFileThatCannotBeOpenedOnlyGetsAMessage)
{
    FileFolder folder;
    const QString notes = folder.write(QStringLiteral("notes.txt"), "not a map");
    const struct {
        QString file;
        QString message;
    } cases[] = {
        {folder.path(QStringLiteral("gone.gif")),
         QStringLiteral("Error. Cannot open picture file ") + folder.path(QStringLiteral("gone.gif"))},
        {folder.path(QStringLiteral("gone.html")), QStringLiteral("Error while opening map !")},
        {folder.path(QStringLiteral("gone.map")), QStringLiteral("Could not load server-side imagemap !")},
        {notes, QStringLiteral("Could not open %1 !\nZonari opens pictures (BMP, DIB, GIF, JPEG, PNG, WMF, EMF), HTML "
                               "pages and server-side map files.")
                    .arg(notes)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        ShownForm shown;
        shown->openFile(c.file);
        const DesktopScript::Message message{c.message, QString()};
        EXPECT_EQ(shown.desktop->messages, QList{message});
        EXPECT_EQ(openDialog<frm_newmap>(*shown.form), nullptr);
        EXPECT_TRUE(shown->document().map_file.isEmpty());
        EXPECT_TRUE(shown->pictemp().isNull());
    }
}

TEST(OpenFile, APictureDroppedOnTheWindowOpensAsFromTheCommandLine)
{
    FileFolder folder;
    const QString picture = folder.path(QStringLiteral("drop.PNG"));
    ASSERT_TRUE(markedPicture({40, 30}).save(picture, "PNG"));
    const QString notes = folder.write(QStringLiteral("notes.txt"));
    ShownForm shown;
    const auto dragOver = [&shown](QMimeData &mime) {
        QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(shown.form.get(), &enter);
        return enter.isAccepted();
    };
    QMimeData refused;
    refused.setUrls({QUrl::fromLocalFile(notes)});
    EXPECT_FALSE(dragOver(refused));
    refused.setUrls({QUrl::fromLocalFile(picture), QUrl::fromLocalFile(picture)});
    EXPECT_FALSE(dragOver(refused));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(picture)});
    ASSERT_TRUE(dragOver(mime));
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(shown.form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QCoreApplication::processEvents(); // the file opens once the drop is over
    const frm_newmap *dialog = openDialog<frm_newmap>(*shown.form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->txt_image->text(), picture);
}

TEST(CommandLine, VersionIsPrintedWithoutADisplay)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZONARI_PROGRAM), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardError(), QByteArray());
    EXPECT_EQ(program.readAllStandardOutput(), "zonari 0.1.0\n");
}
