#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(MapPicture, ALoadedPictureIsShownAtItsOwnSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    ASSERT_TRUE(markedPicture({321, 123}).save(path, "BMP"));

    ShownForm shown;
    EXPECT_EQ(shown->load_map_picture(path), QString());
    EXPECT_EQ(shown->pictemp().size(), QSize(321, 123));
    EXPECT_EQ(shown->pictemp().pixel(200, 7), markedPicture({321, 123}).pixel(200, 7));
    EXPECT_EQ(shown->mainpic()->size(), QSize(321, 123));
}

TEST(MapPicture, AnUnreadableFileLeavesThePictureAsItWas)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("broken.gif"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a and then nothing a decoder wants");
    file.close();

    ShownForm shown({50, 40});
    EXPECT_FALSE(shown->load_map_picture(garbage).isEmpty());
    EXPECT_FALSE(shown->load_map_picture(dir.filePath(QStringLiteral("missing.png"))).isEmpty());
    EXPECT_EQ(shown->pictemp().size(), QSize(50, 40));
    EXPECT_EQ(shown->mainpic()->size(), QSize(50, 40));
}
