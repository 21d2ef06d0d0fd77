#include "app/desktop.h"
#include "dialogs/frm_selectmap.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
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
