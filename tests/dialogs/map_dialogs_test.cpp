// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "dialogs/frm_newmap.h"
#include "dialogs/frm_prop.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString PictureData = QStringLiteral(ZONARI_PICTURE_DATA "/");

} // namespace

TEST(NewMap, FromEachKindOfPictureThenAnAreaWithItsProperties)
{
    for (const char *file : {"sample.png", "sample.wmf", "sample.emf"}) {
        SCOPED_TRACE(file);
        ShownForm shown;
        const QString picture = PictureData + QLatin1String(file);
        shown.desktop->openFiles << picture;
        QTest::mouseClick(shown->toolButton(QStringLiteral("sbnewmap")), Qt::LeftButton);
        QPointer<frm_newmap> dialog = openDialog<frm_newmap>(*shown.form);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Create new Imagemap"));
        press(dialog, "cmdbrowse_img");
        EXPECT_EQ(dialog->txt_name->text(), QLatin1String(file)); // an empty name takes the file's
        press(dialog, "cmdok");
        EXPECT_TRUE(!dialog || !dialog->isVisible());
        EXPECT_EQ(shown->document().image_file, picture);
        EXPECT_FALSE(shown->mainpic()->picture().isNull());
        EXPECT_EQ(shown->mainpic()->size(), shown->pictemp().size());

        shown.click({5, 6});
        shown.click({25, 16});
        frm_prop *properties = openDialog<frm_prop>(*shown.form);
        ASSERT_NE(properties, nullptr);
        QTest::keyClicks(properties->txtlink, QStringLiteral("a.html"));
        QTest::keyClicks(properties->txtalt, QStringLiteral("A"));
        press(properties, "cmdok");
        EXPECT_TRUE(shown.code().contains(QStringLiteral("coords=\"5,6,25,16\"")));
        EXPECT_TRUE(shown.code().contains(QStringLiteral("href=\"a.html\"")));
        EXPECT_TRUE(shown.code().contains(QStringLiteral("alt=\"A\"")));
    }
}

TEST(NewMap, RefusesAMissingPictureOrNameAndKeepsTheDialogOpen)
{
    ShownForm shown;
    shown.choose("mnufile_newmap");
    frm_newmap *dialog = openDialog<frm_newmap>(*shown.form);
    ASSERT_NE(dialog, nullptr);
    dialog->txt_name->setText(QStringLiteral("m"));
    press(dialog, "cmdok");
    dialog->txt_name->clear();
    dialog->txt_image->setText(PictureData + QStringLiteral("sample.gif"));
    press(dialog, "cmdok");
    dialog->txt_name->setText(QStringLiteral("m"));
    dialog->txt_image->setText(PictureData + QStringLiteral("README.md"));
    press(dialog, "cmdok");
    ASSERT_EQ(shown.desktop->messages.size(), 3);
    EXPECT_EQ(shown.desktop->messages[0],
              (DesktopScript::Message{QStringLiteral("Error. Please specify an image file to use for the imagemap"),
                                      QString(), MessageIcon::Exclamation}));
    EXPECT_EQ(shown.desktop->messages[1].text, QStringLiteral("Error. Please specify a unique name for the imagemap"));
    EXPECT_TRUE(shown.desktop->messages[2].text.startsWith(QStringLiteral("Error. ")));
    EXPECT_TRUE(shown.desktop->messages[2].text.contains(QStringLiteral("README.md")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(shown->document().image_file.isEmpty());
}

TEST(MapProperties, OkUntouchedOnACernMapMakesItClientSide)
{
    ShownForm shown;
    MapDocument &doc = shown->document();
    doc.image_file = PictureData + QStringLiteral("sample.gif");
    doc.map_name = QStringLiteral("nav");
    doc.default_link = QStringLiteral("home.html");
    doc.default_target = QStringLiteral("Whole Page ( _top )");
    doc.serverside_type = Cern;
    shown.choose("mnutype_server");
    shown.choose("mnuedit_improp");
    frm_newmap *dialog = openDialog<frm_newmap>(*shown.form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Imagemap Properties"));
    EXPECT_EQ(dialog->cmb_targetframe->currentText(), doc.default_target);
    EXPECT_TRUE(dialog->opt_client->isChecked());
    EXPECT_FALSE(dialog->chk_ncsa->isVisible());
    QTest::mouseClick(dialog->opt_server, Qt::LeftButton);
    EXPECT_TRUE(dialog->chk_ncsa->isVisible() && dialog->chk_ncsa->isChecked());
    QTest::mouseClick(dialog->opt_client, Qt::LeftButton);
    EXPECT_FALSE(dialog->chk_ncsa->isVisible());
    press(dialog, "cmdok");
    EXPECT_FALSE(doc.is_servermap);
    EXPECT_EQ(doc.serverside_type, Ncsa);
    EXPECT_EQ(doc.map_name, QStringLiteral("nav"));
    EXPECT_TRUE(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked());
    EXPECT_TRUE(shown.code().contains(QStringLiteral("<map name=\"nav\">")));
}

TEST(AreaProperties, StatusTextsWriteTheHandlersUntilCustomCodeTakesOver)
{
    ShownForm shown({200, 150});
    shown->document().map_name = QStringLiteral("m");
    shown.click({10, 10});
    shown.click({50, 50});
    frm_prop *dialog = openDialog<frm_prop>(*shown.form);
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->txtmouseover, QStringLiteral("Hello"));
    dialog->lstevents->setCurrentRow(OnMouseOverEvent);
    EXPECT_EQ(dialog->txteventaction->toPlainText(), QStringLiteral("window.status='Hello';return true;"));
    EXPECT_EQ(dialog->lbleventexpl->text(),
              QStringLiteral("The onmouseover event occurs when the mouse is moved onto an element."));
    // Back the other way: the handler's text shows in the status box.
    dialog->txteventaction->setPlainText(QStringLiteral("window.status='Hi';return true;"));
    dialog->lstevents->setCurrentRow(2);
    EXPECT_EQ(dialog->txtmouseover->text(), QStringLiteral("Hi"));
    dialog->lstevents->setCurrentRow(OnMouseOutEvent);
    dialog->txteventaction->setPlainText(QStringLiteral("alert(1)"));
    dialog->lstevents->setCurrentRow(OnMouseOverEvent);
    EXPECT_EQ(dialog->txtmouseout->text(), QStringLiteral("Changed. See onmouseout event."));
    QTest::keyClicks(dialog->txtmouseout, QStringLiteral("!")); // detached: rewrites nothing
    dialog->cmb_targetframe->setCurrentIndex(1);

    const QString before = shown.code();
    press(dialog, "cmdok");
    const clscoords &area = shown->document().shapecol.item(1);
    EXPECT_EQ(area.getEvents(OnMouseOverEvent), QStringLiteral("window.status='Hi';return true;"));
    EXPECT_EQ(area.getEvents(OnMouseOutEvent), QStringLiteral("alert(1)"));
    EXPECT_EQ(area.targetframe, QStringLiteral("Whole Page ( _top )"));
    EXPECT_NE(shown.code(), before);
    EXPECT_TRUE(shown.code().contains(QStringLiteral("onmouseout=\"alert(1)\"")));
    EXPECT_TRUE(shown.code().contains(QStringLiteral("target=\"_top\"")));

    // From the context menu the fields come filled; Cancel changes nothing.
    shown->document().active_id = 1;
    shown->cp_areaproperties();
    dialog = openDialog<frm_prop>(*shown.form);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->txtmouseout->text(), QStringLiteral("Changed. See onmouseout event.!"));
    dialog->txtlink->setText(QStringLiteral("changed.html"));
    const QString after = shown.code();
    press(dialog, "cmdcancel");
    EXPECT_EQ(shown.code(), after);
    EXPECT_TRUE(shown->document().shapecol.item(1).link.isEmpty());
}
