#include "app/desktop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(Desktop, TheMapChooserGivesTheIndexOfTheChosenName)
{
    const struct {
        QDialogButtonBox::StandardButton button;
        int chosen;
    } cases[] = {{QDialogButtonBox::Ok, 1}, {QDialogButtonBox::Cancel, -1}};
    for (const auto &c : cases) {
        Desktop desktop;
        const MapChooser choose = mapChooserFor(desktop, nullptr);
        QTimer::singleShot(0, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            auto *names = dialog ? dialog->findChild<QListWidget *>() : nullptr;
            auto *buttons = dialog ? dialog->findChild<QDialogButtonBox *>() : nullptr;
            if (!names || !buttons) {
                ADD_FAILURE() << "no map chooser with a list and buttons";
                if (dialog)
                    dialog->close();
                return;
            }
            QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, names->visualItemRect(names->item(1)).center());
            QTest::mouseClick(buttons->button(c.button), Qt::LeftButton);
        });
        EXPECT_EQ(choose({QStringLiteral("Top"), QStringLiteral("Nav"), QStringLiteral("Foot")}), c.chosen);
    }
}
