// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

void resizeClient(Form1 &form, QSize delta)
{
    form.resize(form.size() + delta);
    QTest::qWait(0);
    QCoreApplication::processEvents();
}

} // namespace

TEST(Window, TheFirstResizeSizesThePictureAreaAndLaterOnesOnlyMoveTheCodePane)
{
    ShownForm shown;
    EXPECT_FALSE(shown->lbl_escape()->isVisible());
    EXPECT_TRUE(shown.code().isEmpty());
    EXPECT_EQ(shown->mainpic()->size(), QSize(0, 0));
    EXPECT_EQ(shown->centralWidget()->size(), QSize(788, 526));
    EXPECT_EQ(shown->VScroll1()->geometry(), QRect(771, 32, 17, 372));
    EXPECT_EQ(shown->HScroll1()->geometry(), QRect(24, 404, 747, 17));
    for (QSize grow : {QSize(0, 0), QSize(200, 150)}) {
        resizeClient(*shown.form, grow);
        EXPECT_EQ(shown->view_width(), 788 - 24 - 17);
        EXPECT_EQ(shown->view_height(), 526 - 32 - 105 - 17);
        EXPECT_EQ(shown->Picture1()->geometry(), QRect(24, 32, 747, 372));
        EXPECT_EQ(shown->htmltext()->geometry(), QRect(24, 421, 747, 105));
    }

    // After a zoom step narrowed the viewport, the next resize brings the
    // code pane up under the scroll bar and gives it the viewport's width.
    showPicture(*shown.form, markedPicture({300, 200}));
    shown.choose("mnuview_zoomin");
    shown.click({5, 5});
    EXPECT_EQ(shown->htmltext()->geometry(), QRect(24, 421, 747, 105));
    resizeClient(*shown.form, {-50, -20});
    EXPECT_EQ(shown->htmltext()->geometry(), QRect(24, 32 + 240 + 17, 360, 105));
}

TEST(Window, ClosingDeletesTheTemporaryFilesAndClosesTheOtherWindows)
{
    FileFolder folder;
    const QString page = folder.write(QStringLiteral("Zonarim_temp.html"));
    const QString map = folder.write(QStringLiteral("Zonarim_temp.map"));
    const QString kept = folder.write(QStringLiteral("map.html"));
    QWidget other;
    other.show();

    ShownForm shown;
    // The page twice (the preview ran twice) and a file already gone.
    shown->temp_filenames = {page, map, page, folder.path(QStringLiteral("gone.html"))};
    shown->menuAction(QStringLiteral("mnufile_exit"))->trigger();
    EXPECT_FALSE(shown->isVisible());
    EXPECT_FALSE(QFile::exists(page));
    EXPECT_FALSE(QFile::exists(map));
    EXPECT_TRUE(QFile::exists(kept));
    EXPECT_TRUE(shown->temp_filenames.isEmpty());
    EXPECT_FALSE(other.isVisible());
}

// What the code pane shows is checked wherever a command changes the map.
TEST(Window, FocusStartsOnThePictureTabReachesTheCodePaneAndNoSizeCutsTheBarsShort)
{
    ShownForm shown;
    ASSERT_EQ(QApplication::focusWidget(), shown->mainpic());
    for (int tab = 0; tab < 10 && QApplication::focusWidget() != shown->htmltext(); ++tab)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown->htmltext());
    // Monospaced, whether or not the font says it is fixed-pitch.
    const QFontMetrics metrics = shown->htmltext()->fontMetrics();
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W')));

    resizeClient(*shown.form, QSize() - shown->size());
    EXPECT_EQ(shown->size(), shown->minimumSize());
    const QRect client = shown->centralWidget()->rect();
    for (const QToolButton *button : shown->centralWidget()->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(client.contains(button->geometry())) << button->objectName().toStdString();
    const QMenuBar *bar = shown->menuBar();
    for (QAction *menu : bar->actions())
        EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << menu->objectName().toStdString();
}
