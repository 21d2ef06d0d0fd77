#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <gtest/gtest.h>

TEST(MapPicture, ALoadedPictureIsShownAtItsOwnSize)
{
    FileFolder folder;
    const QString path = folder.path(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(markedPicture({321, 123}).save(path, "BMP"));

    ShownForm shown;
    EXPECT_EQ(shown->load_map_picture(path), QString());
    EXPECT_EQ(shown->pictemp().size(), QSize(321, 123));
    EXPECT_EQ(shown->pictemp().pixel(200, 7), markedPicture({321, 123}).pixel(200, 7));
    EXPECT_EQ(shown->mainpic()->size(), QSize(321, 123));
}

TEST(MapPicture, AnUnreadableFileLeavesThePictureAsItWas)
{
    FileFolder folder;
    const QString garbage = folder.write(QStringLiteral("broken.gif"), "GIF89a and then nothing a decoder wants");

    ShownForm shown({50, 40});
    EXPECT_FALSE(shown->load_map_picture(garbage).isEmpty());
    EXPECT_FALSE(shown->load_map_picture(folder.path(QStringLiteral("missing.png"))).isEmpty());
    EXPECT_EQ(shown->pictemp().size(), QSize(50, 40));
    EXPECT_EQ(shown->mainpic()->size(), QSize(50, 40));
}
