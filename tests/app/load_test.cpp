// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "dialogs/frm_loadserverm.h"
#include "formats/map_writer.h"
#include "support/area_points.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString ApplicationTitle; // an empty title: the application's own

// A map of three areas over a 120 x 90 picture saved beside it.
MapDocument mapInFolder(FileFolder &folder, const QString &mapFileName)
{
    MapDocument doc;
    doc.map_name = QStringLiteral("nav");
    doc.map_file = folder.path(mapFileName);
    doc.image_file = folder.path(QStringLiteral("picture.png"));
    doc.server_html_file = folder.path(QStringLiteral("page.html"));
    if (!markedPicture({120, 90}).save(doc.image_file))
        ADD_FAILURE() << "cannot save the picture";
    addArea(doc, Rectangle, {{10, 20}, {60, 50}}, QStringLiteral("r.html"));
    addArea(doc, Circle, {{70, 30}, {90, 50}}, QStringLiteral("c.html"));
    addArea(doc, Polygon, {{1, 2}, {30, 4}, {5, 60}}, QStringLiteral("p.html"));
    return doc;
}

QStringList liveLinks(const MapDocument &doc)
{
    QStringList links;
    doc.forEachLiveArea([&](const clscoords &area) { links << area.link; });
    return links;
}

// A window with a map of its own: one area drawn on a picture, so that its
// history has entries, and a default link and target a load keeps.
void drawPreviousMap(ShownForm &shown)
{
    shown->document().default_link = QStringLiteral("home.html");
    shown->document().default_target = QStringLiteral("Whole Page ( _top )");
    shown.choose("mnushapes_rect");
    shown.click({5, 5});
    shown.click({40, 30});
    shown->document().shapecol.item(1).link = QStringLiteral("old.html");
    shown->fill_html_textbox();
    shown.choose("mnushapes_circle"); // a tool the load replaces
}

void expectLoaded(const ShownForm &shown, const MapDocument &written, bool servermap)
{
    const MapDocument &doc = shown->document();
    EXPECT_EQ(liveLinks(doc), liveLinks(written));
    EXPECT_EQ(shown.points(2), pointsOf(written.shapecol.item(2)));
    EXPECT_EQ(QDir::cleanPath(doc.image_file), written.image_file);
    EXPECT_EQ(shown->pictemp().size(), QSize(120, 90));
    EXPECT_EQ(shown->mainpic()->size(), QSize(120, 90));
    EXPECT_EQ(doc.zoom_factor, 1.0f);
    EXPECT_EQ(doc.is_servermap, servermap);
    EXPECT_EQ(shown->menuAction(QStringLiteral("mnutype_server"))->isChecked(), servermap);
    EXPECT_EQ(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked(), !servermap);
    EXPECT_EQ(shown->tools().activeTool(), CanvasTool::Select);
    EXPECT_EQ(shown.mapText(), calculate_html(doc));
    // The history starts afresh.
    shown.choose("mnuedit_undo");
    EXPECT_EQ(shown.mapText(), calculate_html(doc));
    EXPECT_EQ(liveLinks(doc), liveLinks(written));
}

// The server-side load dialog, its page and map file chosen through Browse.
void chooseServerFiles(frm_loadserverm &dialog, ShownForm &shown, const QString &page, const QString &map)
{
    shown.desktop->openFiles << page << map;
    press(&dialog, "cmdbrowse_html");
    press(&dialog, "cmdbrowse_map");
}

// A page the editor wrote for a map of three areas, and a window that shows
// a map of its own.
struct PageAndWindow {
    FileFolder folder;
    MapDocument written = mapInFolder(folder, QStringLiteral("page.html"));
    QString page = folder.write(QStringLiteral("page.html"), calculate_html(written).toUtf8());
    ShownForm shown{QSize(200, 100)};
    QString before;

    PageAndWindow()
    {
        drawPreviousMap(shown);
        before = shown.code();
    }
};

} // namespace

TEST(LoadMap, AClientPageReplacesTheMapAndItsHistory)
{
    PageAndWindow setUp;
    auto &[folder, written, page, shown, before] = setUp;
    shown.choose("mnufile_loadmapclient"); // the file choice cancelled
    EXPECT_EQ(shown.code(), before);
    EXPECT_EQ(shown->tools().activeTool(), CanvasTool::Circle);

    shown.desktop->openFiles << page;
    shown.choose("mnufile_loadmapclient");
    expectLoaded(shown, written, false);
    EXPECT_EQ(shown->document().map_file, page);
    EXPECT_EQ(shown->document().default_link, QStringLiteral("home.html"));
    EXPECT_EQ(shown->document().default_target, QStringLiteral("Whole Page ( _top )"));
    EXPECT_TRUE(shown.desktop->messages.isEmpty());
}

TEST(LoadMap, ServerMapsInBothFormatsThroughTheDialog)
{
    for (const ServerSideType format : {Ncsa, Cern}) {
        SCOPED_TRACE(format);
        FileFolder folder;
        MapDocument written = mapInFolder(folder, QStringLiteral("m.map"));
        written.is_servermap = true;
        written.serverside_type = format;
        const QString map = folder.write(QStringLiteral("m.map"), calculate_html(written).toUtf8());
        const QString page = folder.write(QStringLiteral("page.html"), calculate_server_html(written).toUtf8());

        ShownForm shown({200, 100});
        drawPreviousMap(shown);
        whenDialogShows<frm_loadserverm>([&](frm_loadserverm &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load Server-side imagemap"));
            chooseServerFiles(dialog, shown, page, map);
            EXPECT_EQ(dialog.txt_mapfile->text(), map);
            // NCSA clicked off leaves neither box checked, which reads NCSA.
            press(&dialog, format == Cern ? "chk_cern" : "chk_ncsa");
            EXPECT_EQ(dialog.chk_cern->isChecked(), format == Cern);
            EXPECT_FALSE(dialog.chk_ncsa->isChecked());
            press(&dialog, "cmdok");
        });
        shown.choose("mnufile_loadmapserver");
        expectLoaded(shown, written, true);
        EXPECT_EQ(shown->document().serverside_type, format);
        EXPECT_EQ(shown->document().map_file, map);
        EXPECT_EQ(shown->document().server_html_file, page);
    }
}

TEST(LoadMap, TheServerDialogsBoxesAndOKWithAFileMissing)
{
    FileFolder folder;
    const QString page = folder.write(QStringLiteral("page.html"));
    ShownForm shown({200, 100});
    drawPreviousMap(shown);
    const QString before = shown.code();
    whenDialogShows<frm_loadserverm>([&](frm_loadserverm &dialog) {
        EXPECT_TRUE(dialog.txt_htmlfile->isReadOnly());
        press(&dialog, "chk_cern");
        press(&dialog, "chk_ncsa");
        EXPECT_FALSE(dialog.chk_cern->isChecked());

        // A cancelled browse forgets the file chosen before.
        chooseServerFiles(dialog, shown, page, page);
        press(&dialog, "cmdbrowse_map");
        EXPECT_EQ(dialog.txt_htmlfile->text(), page);
        EXPECT_EQ(dialog.txt_mapfile->text(), QString());
        press(&dialog, "cmdok");
        EXPECT_FALSE(dialog.isVisible());
    });
    shown.choose("mnufile_loadmapserver");
    EXPECT_EQ(shown.code(), before);
    EXPECT_EQ(liveLinks(shown->document()).size(), 1);
}

TEST(LoadMap, FilesThatDoNotReadSayWhyAndKeepWhatWasRead)
{
    FileFolder folder;
    const MapDocument written = mapInFolder(folder, QStringLiteral("m.map"));
    const QString noMap = folder.write(QStringLiteral("nomap.html"), "<p>no map here</p>");
    // The first line reads, the second does not.
    const QString map = folder.write(QStringLiteral("m.map"), "rect a.html 1,2 3,4\r\nrect b.html 1,2\r\n");
    ShownForm shown({200, 100});
    drawPreviousMap(shown);

    // A picture that does not load leaves the map without areas.
    MapDocument withoutPicture = written;
    withoutPicture.map_file = folder.path(QStringLiteral("nopicture.html"));
    withoutPicture.image_file = folder.path(QStringLiteral("missing.png"));
    shown.desktop->openFiles << folder.write(QStringLiteral("nopicture.html"), calculate_html(withoutPicture).toUtf8());
    shown.choose("mnufile_loadmapclient");
    EXPECT_EQ(shown.desktop->messages,
              (QList<DesktopScript::Message>{
                  {QStringLiteral("Error while opening image ") + shown->document().image_file + QStringLiteral(" !"),
                   ApplicationTitle}}));
    EXPECT_EQ(QDir::cleanPath(shown->document().image_file), withoutPicture.image_file);
    EXPECT_TRUE(liveLinks(shown->document()).isEmpty());
    EXPECT_EQ(shown->document().map_name, QStringLiteral("nav"));

    shown.desktop->messages.clear();
    shown->document().image_file = written.image_file; // what an unreadable page leaves in force
    shown.desktop->openFiles << noMap;
    shown.choose("mnufile_loadmapclient");
    EXPECT_EQ(shown.desktop->messages,
              (QList<DesktopScript::Message>{{QStringLiteral("Error while opening map !"), ApplicationTitle}}));
    EXPECT_TRUE(liveLinks(shown->document()).isEmpty());
    EXPECT_EQ(shown->document().map_file, noMap);
    EXPECT_TRUE(shown->pictemp().isNull());

    shown.desktop->messages.clear();
    bool stayedOpen = false;
    whenDialogShows<frm_loadserverm>([&](frm_loadserverm &dialog) {
        chooseServerFiles(dialog, shown, folder.path(QStringLiteral("missing.html")), map);
        press(&dialog, "cmdok");
        stayedOpen = dialog.isVisible();
        dialog.reject();
    });
    shown.choose("mnufile_loadmapserver");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(
        shown.desktop->messages,
        (QList<DesktopScript::Message>{{QStringLiteral("Could not open server-side imagemap !"), ApplicationTitle},
                                       {QStringLiteral("Could not load server-side imagemap !"), ApplicationTitle}}));
    EXPECT_EQ(liveLinks(shown->document()), (QStringList{QStringLiteral("a.html"), QString()}));
    EXPECT_EQ(shown->pictemp().size(), QSize(120, 90));
    EXPECT_EQ(shown->document().map_file, map);
    EXPECT_FALSE(shown->document().is_servermap); // the load ended before the map type
    EXPECT_EQ(shown.mapText(), calculate_html(shown->document()));
}

TEST(LoadMap, CancellingASlowReadLeavesTheMapAsItWas)
{
    PageAndWindow setUp;
    auto &[folder, written, page, shown, before] = setUp;
    const MapDocument &doc = shown->document();
    const QString imageBefore = doc.image_file;

    shown.desktop->openFiles << page;
    shown.desktop->cancelledWaits = 1;
    shown.choose("mnufile_loadmapclient");
    EXPECT_EQ(shown.code(), before);
    EXPECT_EQ(liveLinks(doc).size(), 1);
    EXPECT_EQ(doc.image_file, imageBefore);
    EXPECT_EQ(doc.map_file, QString());
    EXPECT_EQ(shown->pictemp().size(), QSize(200, 100));
    EXPECT_EQ(shown->tools().activeTool(), CanvasTool::Circle);
    shown.choose("mnuedit_undo"); // the history is still there
    EXPECT_NE(shown.code(), before);
}
