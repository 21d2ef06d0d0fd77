// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/zoom_math.h"
#include "support/printers.h"

#include <gtest/gtest.h>

TEST(ZoomMath, ZoomedSizeRoundsHalfToEvenAndKeepsAPixel)
{
    struct Case {
        QSize own;
        float zoom;
        QSize expected;
    };
    const Case cases[] = {
        {{5, 7}, 1.5f, {8, 10}}, // 7.5 -> 8, 10.5 -> 10
        {{100, 100}, 1.44f, {144, 144}},
        {{1, 3}, 0.4f, {1, 1}},                  // 0.4 and 1.2 -> never below one pixel
        {{0, 0}, 1.2f, {0, 0}},                  // no picture, no size
        {{333, 10}, float(1.0 / 1.2), {277, 8}}, // the single-precision factor gives 277.4999
    };
    for (const Case &c : cases)
        EXPECT_EQ(zoomedPictureSize(c.own, c.zoom), c.expected) << c.own.width() << " at " << c.zoom;
}

TEST(ZoomMath, LimitIsTheSizeOfAnUncompressed24BitBmp)
{
    EXPECT_EQ(bmp24FileSize({3, 2}), 54 + 24); // rows of 9 bytes padded to 12
    // Rows of 3000 bytes: 1666 rows stay below 5,000,000 bytes, 1667 do not.
    EXPECT_EQ(bmp24FileSize({1000, 1666}), 4'998'054);
    EXPECT_FALSE(exceedsZoomLimit({1000, 1666}));
    EXPECT_TRUE(exceedsZoomLimit({1000, 1667}));
}

TEST(ZoomMath, PlacementCentresTheClickWithoutGapsOrOverhang)
{
    struct Case {
        const char *what;
        QSize zoomed;
        QPoint anchor;
        bool in;
        QSize viewport;
        QPoint pos;
    };
    const QSize view(747, 372);
    const Case cases[] = {
        {"near the right and bottom edges", {2400, 1800}, {1990, 1490}, true, view, {-1653, -1428}},
        {"near the top left", {2400, 1800}, {10, 10}, true, view, {0, 0}},
        {"zooming out", {2000, 1500}, {1200, 900}, false, view, {-626, -564}}, // -626.5 -> -626
        {"one side fits", {500, 1000}, {100, 400}, true, {500, 372}, {0, -294}},
        {"exactly the view", {747, 372}, {700, 300}, true, view, {0, 0}},
    };
    for (const Case &c : cases) {
        const ZoomPlacement p = placeZoomedPicture(c.zoomed, view, c.anchor, c.in);
        EXPECT_EQ(p.viewport, c.viewport) << c.what;
        EXPECT_EQ(p.picturePos, c.pos) << c.what;
    }
}

TEST(ZoomMath, ScrollBarStepsAreTenthsAndTwentyFifthsOfTheRange)
{
    struct Case {
        int picture, viewport, offset;
        ScrollBarSetup expected;
    };
    const Case cases[] = {
        {612, 372, -100, {true, 240, 24, 9, 100}},
        {612, 372, -300, {true, 240, 24, 9, 0}}, // beyond the range: back to the start
        {373, 372, 0, {true, 1, 1, 1, 0}},       // steps never below one
        {397, 372, 0, {true, 25, 2, 1, 0}},
        {372, 372, 0, {false, 0, 1, 1, 0}}, // fits: nothing to scroll
        {100, 372, 0, {false, -272, 1, 1, 0}},
    };
    for (const Case &c : cases) {
        const ScrollBarSetup s = scrollBarSetup(c.picture, c.viewport, c.offset);
        EXPECT_EQ(s.hasRange, c.expected.hasRange) << c.picture;
        EXPECT_EQ(s.maximum, c.expected.maximum) << c.picture;
        if (c.expected.hasRange) {
            EXPECT_EQ(s.largeChange, c.expected.largeChange) << c.picture;
            EXPECT_EQ(s.smallChange, c.expected.smallChange) << c.picture;
            EXPECT_EQ(s.value, c.expected.value) << c.picture;
        }
    }
}
