// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "dialogs/frm_options.h"
#include "support/area_points.h"
#include "support/gui_helpers.h"
#include "support/pixels.h"
#include "support/printers.h"
#include "support/stored_options.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// A user of a shown window over a store, opening the options from the Edit menu.
struct OptionsUser {
    StoreFor store;
    ShownForm shown;

    explicit OptionsUser(const StoredOptions &options = {}) : store(options) {}

    frm_options *open()
    {
        // A cancelled dialog is gone before the next one comes.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shown->menuAction(QStringLiteral("mnuedit_options"))->trigger();
        auto *dialog = shown->findChild<frm_options *>();
        // Keys go where the user types: to the options, not to the window.
        if (!QTest::qWaitFor([dialog] { return dialog && QApplication::activeWindow() == dialog; }))
            qWarning("the options did not become the active window");
        return dialog;
    }
    template <typename Control> Control *control(const char *name)
    {
        return shown->findChild<frm_options *>()->findChild<Control *>(QLatin1String(name));
    }
    // How many of the swatch's pixels show the colour, and how many are white.
    std::pair<int, int> swatchPixels(const char *name, const QColor &colour)
    {
        const QImage shot = control<HatchSwatch>(name)->grab().toImage();
        return {pixelsOf(shot, shot.rect(), colour), pixelsOf(shot, shot.rect(), Qt::white)};
    }
};

// Rows inside the box drawn as one unbroken line of the colour.
int solidRows(const QImage &image, QRect box, const QColor &colour)
{
    int rows = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        rows += pixelsOf(image, {box.left(), y, box.width(), 1}, colour) == box.width();
    return rows;
}

} // namespace

TEST(Options, OpenBesideTheWindowWithTheStoredOptionsAndDefaultsForTheRest)
{
    // Reading ends at the damaged colour: the one before it counts, the
    // rest keep their defaults.
    OptionsUser user(
        {{"Areas_Default_Color", "65280"}, {"Areas_Highlighted_Color", "oops"}, {"Areas_Default_Style", "0"}});
    frm_options *dialog = user.open();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto *style = user.control<QComboBox>("cmb_defstyle");
    QStringList captions;
    for (int i = 0; i < style->count(); ++i)
        captions << style->itemText(i);
    EXPECT_EQ(captions, (QStringList{"Horizontal", "Vertical", "Downward Left-to-Right", "Upward Left-to-Right",
                                     "Cross", "Diagonal Cross"}));
    EXPECT_EQ(style->currentText(), QStringLiteral("Diagonal Cross"));
    // Each swatch hatched in its colour over white.
    const std::pair<const char *, QColor> swatches[] = {
        {"pic_defcol", Qt::green}, {"pic_highlcol", Qt::yellow}, {"pic_selcolor", Qt::blue}};
    for (const auto &[swatch, colour] : swatches) {
        const auto [coloured, white] = user.swatchPixels(swatch, colour);
        EXPECT_GT(coloured, 100) << swatch;
        EXPECT_GT(white, 100) << swatch;
    }
    EXPECT_TRUE(user.control<QRadioButton>("optextb_def")->isChecked());
    EXPECT_FALSE(user.control<QRadioButton>("optextb_other")->isChecked());
    EXPECT_TRUE(user.control<QLineEdit>("txtextb_path")->text().isEmpty());
    EXPECT_EQ(user.shown->areaLooks().normal.colour, QColor(Qt::green));
    // The damaged store is kept as it is.
    EXPECT_EQ(StoreFor::value("Areas_Highlighted_Color"), QStringLiteral("oops"));
}

TEST(Options, CrossAndReturnStoreStyle4ForAllStatesAndRedrawTheAreas)
{
    OptionsUser user;
    QImage white(200, 150, QImage::Format_RGB32);
    white.fill(Qt::white);
    showPicture(*user.shown.form, white);
    addArea(user.shown->document(), Rectangle, {{40, 40}, {160, 120}});
    user.shown->tools().reshapeAll();
    const QRect inside(60, 60, 80, 40);
    const auto canvasRows = [&] { return solidRows(user.shown->mainpic()->grab().toImage(), inside, Qt::red); };
    EXPECT_EQ(canvasRows(), 0); // diagonal lines only

    user.open();
    auto *style = user.control<QComboBox>("cmb_defstyle");
    style->setFocus();
    QTest::keyClick(style, Qt::Key_Up);
    EXPECT_EQ(style->currentText(), QStringLiteral("Cross"));
    const QImage swatch = user.control<HatchSwatch>("pic_defcol")->grab().toImage();
    EXPECT_GT(solidRows(swatch, swatch.rect().adjusted(2, 2, -2, -2), Qt::red), 0);
    QTest::keyClick(style, Qt::Key_Return);

    EXPECT_FALSE(user.shown->findChild<frm_options *>()->isVisible());
    EXPECT_TRUE(QFile::exists(Settings::openStore()->fileName()));
    for (const char *key : {"Areas_Default_Style", "Areas_Highlighted_Style", "Areas_Selected_Style"})
        EXPECT_EQ(StoreFor::value(key), QStringLiteral("4")) << key;
    EXPECT_EQ(StoreFor::value("Areas_Default_Color"), QStringLiteral("255"));
    EXPECT_EQ(user.shown->areaLooks().highlighted.hatchStyle, 4);
    EXPECT_GT(canvasRows(), 3); // the horizontal lines of the cross
}

TEST(Options, CancelForgetsAChangedColour)
{
    OptionsUser user;
    user.shown.desktop->colors = {QColor(Qt::green)};
    user.open();
    QTest::mouseClick(user.control<QPushButton>("cmd_defcolor"), Qt::LeftButton);
    EXPECT_EQ(user.shown.desktop->colorsOffered, QList<QColor>{QColor(Qt::red)});
    EXPECT_GT(user.swatchPixels("pic_defcol", Qt::green).first, 100);
    QTest::mouseClick(user.control<QPushButton>("cmdcancel"), Qt::LeftButton);

    EXPECT_EQ(user.shown->areaLooks().normal.colour, QColor(Qt::red));
    EXPECT_TRUE(Settings::openStore()->allKeys().isEmpty());
    user.open();
    EXPECT_GT(user.swatchPixels("pic_defcol", Qt::red).first, 100);
    EXPECT_EQ(user.swatchPixels("pic_defcol", Qt::green).first, 0);
}

TEST(Options, OtherWithAChosenPathIsStoredAsFalseTrueAndThePath)
{
    // The file chooser's answers in turn (empty: cancelled), what the user
    // types into the box before, and what the box then shows.
    const struct {
        const char *answer;
        const char *typed;
        const char *shown;
    } steps[] = {
        {"", "/usr/bin/typed", ""}, // nothing chosen yet
        {"/opt/browser/run", "", "/opt/browser/run"},
        {"", "/usr/bin/typed", "/opt/browser/run"},
    };
    OptionsUser user;
    user.open();
    auto *path = user.control<QLineEdit>("txtextb_path");
    for (const auto &step : steps) {
        SCOPED_TRACE(step.shown);
        user.control<QRadioButton>("optextb_def")->setChecked(true);
        path->setText(QLatin1String(step.typed));
        user.shown.desktop->openFiles = {QLatin1String(step.answer)};
        QTest::mouseClick(user.control<QPushButton>("cmdextb_choose"), Qt::LeftButton);
        EXPECT_EQ(path->text(), QLatin1String(step.shown));
        EXPECT_TRUE(user.control<QRadioButton>("optextb_other")->isChecked());
    }
    QTest::mouseClick(user.control<QPushButton>("cmdok"), Qt::LeftButton);
    EXPECT_EQ(StoreFor::value("Preview_Default_Browser"), QStringLiteral("False"));
    EXPECT_EQ(StoreFor::value("Preview_Other_Browser"), QStringLiteral("True"));
    EXPECT_EQ(StoreFor::value("Preview_Other_Browser_Path"), QStringLiteral("/opt/browser/run"));
    EXPECT_TRUE(user.shown->settings().previewOtherBrowser);
}

TEST(Options, ApacheCirclesAreStoredAndRewriteTheNcsaMap)
{
    OptionsUser user(StoredOptions{{"NCSA_Apache_Circles", "True"}});
    MapDocument &doc = user.shown->document();
    doc.is_servermap = true;
    addArea(doc, Circle, {{40, 40}, {60, 60}}, "c.html");
    user.shown->fill_html_textbox();
    EXPECT_TRUE(user.shown.mapText().endsWith("\r\ncircle c.html 50,50 60,50\r\n"));

    user.open();
    auto *check = user.control<QCheckBox>("chk_apachecircles");
    EXPECT_EQ(check->text(), QStringLiteral("Write NCSA circles for Apache"));
    EXPECT_TRUE(check->isChecked());
    press(user.shown->findChild<frm_options *>(), "chk_apachecircles");
    press(user.shown->findChild<frm_options *>(), "cmdok");
    EXPECT_EQ(StoreFor::value("NCSA_Apache_Circles"), QStringLiteral("False"));
    EXPECT_TRUE(user.shown.mapText().endsWith("\r\ndefault \r\ncirc c.html 40,40 60,60\r\n"));
}
