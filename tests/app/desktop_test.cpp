#include "app/desktop.h"
#include "dialogs/frm_selectmap.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

void clickLine(QListWidget *list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

TEST(Desktop, TheMapChooserGivesTheIndexOfTheChosenName)
{
    const struct {
        const char *user;
        std::function<void(frm_selectmap &)> act;
        int chosen;
    } cases[] = {
        {"clicks the second, OK",
         [](frm_selectmap &d) {
             clickLine(d.lstmap(), 1);
             QTest::mouseClick(d.cmdok(), Qt::LeftButton);
         },
         1},
        {"clicks the second, Cancel",
         [](frm_selectmap &d) {
             clickLine(d.lstmap(), 1);
             QTest::mouseClick(d.cmdcancel(), Qt::LeftButton);
         },
         -1},
        {"OK without a click", [](frm_selectmap &d) { QTest::mouseClick(d.cmdok(), Qt::LeftButton); }, -1},
        {"Return without a click", [](frm_selectmap &d) { QTest::keyClick(d.lstmap(), Qt::Key_Return); }, -1},
        {"double-clicks the third", [](frm_selectmap &d) { clickLine(d.lstmap(), 2, true); }, 2},
        {"clicks the first, Return",
         [](frm_selectmap &d) {
             clickLine(d.lstmap(), 0);
             QTest::keyClick(d.lstmap(), Qt::Key_Return);
         },
         0},
        {"clicks the first, Escape",
         [](frm_selectmap &d) {
             clickLine(d.lstmap(), 0);
             QTest::keyClick(d.lstmap(), Qt::Key_Escape);
         },
         -1},
        {"closes the window", [](frm_selectmap &d) { d.close(); }, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user);
        Desktop desktop;
        const MapChooser choose = mapChooserFor(desktop, nullptr);
        whenDialogShows<frm_selectmap>([&c](frm_selectmap &d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Map"));
            EXPECT_FALSE(d.windowIcon().isNull());
            c.act(d);
        });
        EXPECT_EQ(choose({QStringLiteral("Top"), QStringLiteral("Nav"), QStringLiteral("Foot")}), c.chosen);
    }
}

} // namespace
