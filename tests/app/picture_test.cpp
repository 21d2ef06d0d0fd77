// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <gtest/gtest.h>

TEST(MapPicture, ALoadedPictureShowsAtItsOwnSizeUntilAGoodOneReplacesIt)
{
    FileFolder folder;
    const QImage picture = markedPicture({321, 123});
    const QString path = folder.path(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(picture.save(path, "BMP"));
    const QString garbage = folder.write(QStringLiteral("broken.gif"), "GIF89a and then nothing a decoder wants");

    ShownForm shown;
    EXPECT_EQ(shown->load_map_picture(path), QString());
    EXPECT_FALSE(shown->load_map_picture(garbage).isEmpty());
    EXPECT_FALSE(shown->load_map_picture(folder.path(QStringLiteral("missing.png"))).isEmpty());
    EXPECT_EQ(shown->pictemp().size(), picture.size());
    EXPECT_EQ(shown->pictemp().pixel(200, 7), picture.pixel(200, 7));
    EXPECT_EQ(shown->mainpic()->size(), picture.size());
}
