// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "dialogs/frm_saveserverm.h"
#include "formats/map_writer.h"
#include "formats/svg_writer.h"
#include "support/area_points.h"
#include "support/file_folder.h"
#include "support/full_disk.h"
#include "support/gui_helpers.h"
#include "support/modal_dialog.h"
#include "support/printers.h"
#include "support/stored_options.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

const QString HtmlFilter = QStringLiteral("HTML Files (*.html,*.htm) (*.html *.htm)");

// A map of one rectangle linked to a.html, on the picture at picture.
void drawMap(const ShownForm &shown, const QString &picture)
{
    MapDocument &doc = shown->document();
    doc.image_file = picture;
    doc.map_name = QStringLiteral("planets");
    addArea(doc, Rectangle, {{10, 20}, {110, 60}}, QStringLiteral("a.html"));
    shown->fill_html_textbox();
}

// A file holding the text as saved.
QByteArray saved(const QString &text)
{
    return (text + QLatin1String("\r\n")).toUtf8();
}

DesktopScript::Message warning(const QString &text)
{
    return {text, QString(), MessageIcon::Exclamation};
}

} // namespace

TEST(SaveMap, AClientMapIsWrittenAsShownWithThePictureRelativeToTheNewFolder)
{
    FileFolder folder;
    const QString pictures = folder.makeFolder(QStringLiteral("pics"));
    const QString beside = pictures + QStringLiteral("/map.html");
    const QString elsewhere = folder.makeFolder(QStringLiteral("pages")) + QStringLiteral("/map.html");
    ShownForm shown;
    drawMap(shown, pictures + QStringLiteral("/planets.png"));
    shown.desktop->saveFiles << beside << elsewhere;
    for (const auto &[path, src] : {std::pair(beside, "./planets.png"), std::pair(elsewhere, "../pics/planets.png")}) {
        SCOPED_TRACE(src);
        QTest::mouseClick(shown->toolButton(QStringLiteral("sbsave")), Qt::LeftButton);
        EXPECT_EQ(shown->document().map_file, path);
        EXPECT_TRUE(shown.code().contains(QStringLiteral("src=\"%1\"").arg(QLatin1String(src))))
            << shown.code().toStdString();
        EXPECT_EQ(readFile(path), saved(shown.mapText()));
        EXPECT_TRUE(readFile(path).endsWith("</map>\r\n"));
    }
    const QString title = QStringLiteral("Enter Client-side Imagemap filename");
    // The dialog suggests the file saved last.
    EXPECT_EQ(shown.desktop->saveAsked,
              (QList<QStringList>{{title, HtmlFilter, QString()}, {title, HtmlFilter, beside}}));
    EXPECT_TRUE(shown.desktop->messages.isEmpty());
}

TEST(SaveMap, CancellingWritesNothingAndAFailedSaveLeavesTheFileThere)
{
    FileFolder folder;
    ShownForm shown;
    drawMap(shown, folder.path(QStringLiteral("planets.png")));
    shown.choose("mnufile_savemapas"); // the user cancels
    EXPECT_TRUE(shown->document().map_file.isEmpty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(shown.desktop->messages.isEmpty());

    const QByteArray old = "<p>a page of its own</p>\r\n";
    const QString path = folder.write(QStringLiteral("map.html"), old);
    shown.desktop->saveFiles << path;
    {
        const FullDisk disk(8);
        shown.choose("mnufile_savemapas");
    }
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(shown.desktop->messages, QList{warning(QStringLiteral("Could not save Imagemap ") + path)});
}

TEST(SaveMap, TheServerMapDialogWantsBothPathsAndWritesThePageBeforeTheMapFile)
{
    FileFolder folder;
    ShownForm shown;
    drawMap(shown, folder.path(QStringLiteral("planets.png")));
    shown->setServerMap(true);
    shown->fill_html_textbox();
    const QString page = folder.path(QStringLiteral("planets.html"));
    const QString map = folder.path(QStringLiteral("planets.map"));

    whenDialogShows<frm_saveserverm>([&](frm_saveserverm &d) {
        d.txt_htmlfile->setText(page);
        d.txt_mapfile->setText(map);
        press(&d, "cmdcancel");
    });
    shown.choose("mnufile_savemapas");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());

    shown.desktop->saveFiles << page << QString() << map; // the second choice is cancelled
    whenDialogShows<frm_saveserverm>([&](frm_saveserverm &d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Save server-side imagemap"));
        EXPECT_FALSE(d.windowIcon().isNull());
        EXPECT_TRUE(d.txt_htmlfile->text().isEmpty());
        press(&d, "cmdok");
        press(&d, "cmdbrowse_html");
        press(&d, "cmdok");
        // A folder for the map file: the page is written, the map file cannot be.
        d.txt_mapfile->setText(folder.path());
        press(&d, "cmdok");
        EXPECT_TRUE(QFile::exists(page));
        press(&d, "cmdbrowse_map");
        EXPECT_EQ(d.txt_mapfile->text(), folder.path());
        press(&d, "cmdbrowse_map");
        press(&d, "cmdok");
    });
    shown.choose("mnufile_savemapas");
    EXPECT_EQ(shown.desktop->messages,
              (QList{warning(QStringLiteral("Please specify a valid html file for the imagemap!")),
                     warning(QStringLiteral("Please specify a valid map file for the imagemap!")),
                     warning(QStringLiteral("Could not save imagemap !"))}));
    const QStringList askedHtml{QStringLiteral("Specify Server-side Imagemap html filename"), HtmlFilter, QString()};
    const QStringList askedMap{QStringLiteral("Specify Server-side Imagemap map filename"),
                               QStringLiteral("Server-side Imagemaps (*.map) (*.map)"), QString()};
    EXPECT_EQ(shown.desktop->saveAsked, (QList{askedHtml, askedMap, askedMap}));

    const MapDocument &doc = shown->document();
    EXPECT_EQ(doc.map_file, map);
    EXPECT_EQ(doc.server_html_file, page);
    EXPECT_EQ(readFile(page), saved(calculate_server_html(doc)));
    EXPECT_TRUE(readFile(page).contains(QStringLiteral("<a href=\"%1\">").arg(map).toUtf8()));
    EXPECT_EQ(readFile(map), saved(shown.mapText()));
    EXPECT_TRUE(readFile(map).startsWith((QStringLiteral("# Imagemap file=") + map + QStringLiteral("\r\n")).toUtf8()));
}

TEST(CopyToClipboard, PutsTheMapTextTheCodePaneShows)
{
    ShownForm shown;
    drawMap(shown, QStringLiteral("/pictures/planets.png"));
    QTest::mouseClick(shown->toolButton(QStringLiteral("sbcopyclip")), Qt::LeftButton);
    EXPECT_EQ(shown.desktop->clipboard, shown.mapText());
    EXPECT_TRUE(shown.desktop->clipboard.endsWith(QStringLiteral("</map>")));

    // A server-side map copies its map file, not its page.
    shown->setServerMap(true);
    shown->fill_html_textbox();
    shown.choose("mnuedit_clipboard");
    EXPECT_EQ(shown.desktop->clipboard, shown.mapText());
    EXPECT_TRUE(shown.desktop->clipboard.startsWith(QStringLiteral("# Imagemap file=")));
}

TEST(TestMap, WritesBesideThePictureOrTheMapFileAndTheFilesGoWithTheWindow)
{
    FileFolder folder;
    const QString pictures = folder.makeFolder(QStringLiteral("pictures"));
    const QString maps = folder.makeFolder(QStringLiteral("maps"));
    ShownForm shown;
    drawMap(shown, pictures + QStringLiteral("/planets.png"));
    QTest::mouseClick(shown->toolButton(QStringLiteral("sbtest")), Qt::LeftButton);
    const QString clientPage = pictures + QStringLiteral("/Zonarim_temp.html");
    EXPECT_EQ(readFile(clientPage), saved(shown.mapText()));
    EXPECT_EQ(shown.desktop->opened, QList{QUrl::fromLocalFile(clientPage)});

    // A server-side map that has a file of its own: its page links to the
    // preview's map file, and the map being edited does not change.
    const QString mapFile = maps + QStringLiteral("/planets.map");
    shown->document().map_file = mapFile;
    shown->setServerMap(true);
    shown->fill_html_textbox();
    const QString code = shown.code();
    shown.choose("mnufile_testmap");
    const QString page = maps + QStringLiteral("/Zonarim_temp.html");
    const QString map = maps + QStringLiteral("/Zonarim_temp.map");
    EXPECT_TRUE(readFile(page).contains(QStringLiteral("<a href=\"%1\">").arg(map).toUtf8()));
    EXPECT_TRUE(readFile(map).startsWith((QStringLiteral("# Imagemap file=") + map + QStringLiteral("\r\n")).toUtf8()));
    EXPECT_EQ(shown->document().map_file, mapFile);
    EXPECT_EQ(shown.code(), code);
    EXPECT_EQ(shown.desktop->opened.last(), QUrl::fromLocalFile(page));
    EXPECT_TRUE(shown.desktop->messages.isEmpty());

    shown->close();
    for (const QString &file : {clientPage, page, map})
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
}

TEST(TestMap, AnOtherBrowserReceivesExactlyThePagePath)
{
    FileFolder folder;
    const QString pictures = folder.makeFolder(QStringLiteral("my pictures"));
    // A stand-in browser that writes down its arguments, one a line.
    const QString browser = folder.write(QStringLiteral("browser"), "#!/bin/sh\n"
                                                                    "printf '%s\\n' \"$#\" \"$@\" > \"$0.tmp\"\n"
                                                                    "mv \"$0.tmp\" \"$0.args\"\n");
    QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray browserPath = browser.toUtf8();
    const StoreFor store({{"Preview_Default_Browser", "False"},
                          {"Preview_Other_Browser", "True"},
                          {"Preview_Other_Browser_Path", browserPath.constData()}});
    ShownForm shown;
    shown.desktop->runPrograms = true;
    drawMap(shown, pictures + QStringLiteral("/planets.png"));
    shown.choose("mnufile_testmap");

    const QString page = pictures + QStringLiteral("/Zonarim_temp.html");
    EXPECT_EQ(shown.desktop->started, (QList<QStringList>{{browser, page}}));
    EXPECT_TRUE(shown.desktop->opened.isEmpty());
    EXPECT_TRUE(shown.desktop->messages.isEmpty());
    const QString arguments = browser + QStringLiteral(".args");
    ASSERT_TRUE(QTest::qWaitFor([&arguments] { return QFile::exists(arguments); }, 20000));
    EXPECT_EQ(readFile(arguments), "1\n" + page.toUtf8() + "\n");
}

TEST(TestMap, TellsTheUserWhenThePageCannotBeWrittenOrNoBrowserStarts)
{
    FileFolder folder;
    const StoredOptions other{{"Preview_Default_Browser", "False"}, {"Preview_Other_Browser", "True"}};
    StoredOptions otherWithPath = other;
    otherWithPath.emplace_back("Preview_Other_Browser_Path", "/no/such/browser");
    const QString page = folder.path(QStringLiteral("Zonarim_temp.html"));
    const QString noBrowser = QStringLiteral("Could not start a browser to show %1 !").arg(page);
    const struct {
        const char *what;
        StoredOptions options;
        QString picture;
        bool launches;
        QString message; // its start
        bool pageWritten;
        qsizetype launchesTried;
    } cases[] = {
        {"a folder that is not there",
         {},
         folder.path(QStringLiteral("gone/planets.png")),
         true,
         QStringLiteral("Could not write %1 !\n").arg(folder.path(QStringLiteral("gone/Zonarim_temp.html"))),
         false,
         0},
        {"no picture yet", {}, QString(), true, QStringLiteral("Could not write Zonarim_temp.html !\n"), false, 0},
        {"the default browser does not open",
         {},
         folder.path(QStringLiteral("planets.png")),
         false,
         noBrowser,
         true,
         1},
        {"no other browser chosen", other, folder.path(QStringLiteral("planets.png")), true, noBrowser, true, 0},
        {"the other browser does not start", otherWithPath, folder.path(QStringLiteral("planets.png")), false,
         noBrowser, true, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const StoreFor store(c.options);
        ShownForm shown;
        shown.desktop->desktopLaunches = c.launches;
        drawMap(shown, c.picture);
        shown.choose("mnufile_testmap");
        ASSERT_EQ(shown.desktop->messages.size(), 1);
        const DesktopScript::Message &message = shown.desktop->messages.first();
        EXPECT_TRUE(message.text.startsWith(c.message)) << message.text.toStdString();
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
        EXPECT_TRUE(message.title.isEmpty());
        EXPECT_EQ(shown.desktop->opened.size() + shown.desktop->started.size(), c.launchesTried);
        // Only a page actually written is left to delete.
        EXPECT_EQ(shown->temp_filenames, c.pageWritten ? QStringList{page} : QStringList());
    }
}

TEST(ExportSvg, WritesTheDrawingOfTheMapAndReportsWhatCannotBeDone)
{
    FileFolder folder;
    ShownForm noPicture;
    noPicture.choose("mnufile_exportsvg");
    EXPECT_EQ(noPicture.desktop->messages,
              QList{warning(QStringLiteral("Open a picture before exporting the map as SVG."))});
    EXPECT_TRUE(noPicture.desktop->saveAsked.isEmpty());

    ShownForm shown({200, 100});
    drawMap(shown, folder.path(QStringLiteral("planets.png")));
    const QString path = folder.makeFolder(QStringLiteral("out")) + QStringLiteral("/m.svg");
    shown.desktop->saveFiles << path << folder.path();
    shown.choose("mnufile_exportsvg");
    EXPECT_EQ(readFile(path), calculate_svg(shown->document(), {200, 100}, path).toUtf8());
    EXPECT_TRUE(readFile(path).contains("<image href=\"../planets.png\""));
    EXPECT_TRUE(shown->document().map_file.isEmpty());

    shown.choose("mnufile_exportsvg"); // a folder of that name
    ASSERT_EQ(shown.desktop->messages.size(), 1);
    EXPECT_TRUE(shown.desktop->messages[0].text.startsWith(
        QStringLiteral("Could not export the map as SVG to %1:\n").arg(folder.path())));
    const QStringList asked{QStringLiteral("Export Imagemap as SVG"), QStringLiteral("SVG Files (*.svg)"),
                            folder.path(QStringLiteral("planets.svg"))};
    EXPECT_EQ(shown.desktop->saveAsked, (QList{asked, asked}));
}
