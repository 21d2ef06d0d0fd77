// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop.h"
#include "pictures/file_filter.h"
#include "pictures/open_file_dialog.h"
#include "pictures/picture_loader.h"
#include "support/file_folder.h"
#include "support/modal_dialog.h"
#include "support/printers.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Clicks the entry of the dialog's file list, once the list has read its folder.
bool clickEntry(OpenFileDialog &dialog, const QString &name)
{
    auto *list = dialog.findChild<QListView *>(QStringLiteral("listView"));
    if (!list)
        return false;
    QModelIndex entry;
    const bool listed = QTest::qWaitFor([&] {
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0, list->rootIndex()),
                                                           Qt::DisplayRole, name, 1, Qt::MatchExactly);
        entry = found.value(0);
        return entry.isValid();
    });
    if (!listed)
        return false;
    list->scrollTo(entry);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
    return true;
}

TEST(OpenFileDialog, PreviewsPicturesOnlyAndDropsAThumbnailThatIsNoLongerSelected)
{
    FileFolder dir;
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(dir.path(QStringLiteral("wide.png"))));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(ZONARI_PICTURE_DATA "/sample.wmf"), dir.path(QStringLiteral("drawing.wmf"))));
    for (const char *text : {"page.html", "notes"})
        dir.write(QLatin1String(text), "<html><body>not a picture</body></html>");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    OpenFileDialog dialog(nullptr, QStringLiteral("Open"),
                          fileDialogFilter({{QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")}}));
    dialog.setDirectory(dir.path());
    dialog.show();

    // In this order, so that each entry without a thumbnail follows a picture.
    const struct {
        const char *name;
        QSize thumbnail;         // empty: "no preview"
        bool passedOver = false; // the next entry is clicked at once
    } cases[] = {
        {"wide.png", {190, 95}}, {"page.html", {}},       {"drawing.wmf", {190, 142}},
        {"folder", {}},          {"wide.png", {190, 95}}, {"drawing.wmf", {}, true},
        {"notes", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(clickEntry(dialog, QLatin1String(c.name)));
        const QLabel *preview = dialog.preview();
        if (c.passedOver)
            continue;
        if (c.thumbnail.isEmpty()) {
            QTest::qWait(200); // time for a late thumbnail of the last picture to turn up
            EXPECT_TRUE(preview->pixmap().isNull());
            EXPECT_EQ(preview->text(), QStringLiteral("no preview"));
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return !preview->pixmap().isNull(); }, 5000));
            EXPECT_EQ(preview->pixmap().deviceIndependentSize().toSize(), c.thumbnail);
        }
    }
}

TEST(OpenFileDialog, GivesTheFullPathOfTheChosenFileAndNothingWhenCancelled)
{
    FileFolder dir;
    const QString picture = dir.path(QStringLiteral("chosen.png"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZONARI_PICTURE_DATA "/sample.png"), picture));

    for (const bool open : {true, false}) {
        SCOPED_TRACE(open ? "picks the picture, Open" : "picks it, types a name that is not there, Cancel");
        whenDialogShows<OpenFileDialog>([&](OpenFileDialog &d) {
            d.setDirectory(dir.path());
            auto *buttons = d.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
            EXPECT_TRUE(clickEntry(d, QStringLiteral("chosen.png")));
            if (!open) {
                d.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("missing.png"));
                EXPECT_FALSE(buttons->button(QDialogButtonBox::Open)->isEnabled());
            }
            QTest::mouseClick(buttons->button(open ? QDialogButtonBox::Open : QDialogButtonBox::Cancel),
                              Qt::LeftButton);
        });
        Desktop desktop;
        EXPECT_EQ(desktop.chooseOpenFile(nullptr, QStringLiteral("Open"), pictureFileFilter()),
                  open ? picture : QString());
    }
}

} // namespace
