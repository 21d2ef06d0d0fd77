// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_test_support.h"

#include <QtEndian>

#include <cmath>

namespace {

// The hand-made metafiles all describe one 5 x 3.75 inch picture (480 x 360
// at 96 dpi): a blue rectangle from (20,20) to (200,140), a red ellipse
// around (360,100), a green triangle with its tip at (140,180). Some paint an
// ivory background over the whole frame; the others leave the frame's
// margins empty, so their ink box is smaller than their frame.
const QColor Ivory(255, 255, 240);
const QColor White(255, 255, 255);
const QColor Blue(40, 80, 220);
const QColor Red(200, 0, 0);
const QColor Green(0, 160, 60);

// The size comes from the header's frame (the placeable header of a WMF,
// the frame of an EMF) shown at the screen's resolution, never from the ink:
// the drawing test below finds the margins of files whose ink is smaller.
TEST(MetafileSize, FollowsTheHeaderAndTheScreen)
{
    const struct {
        const char *file;
        ScreenResolution screen;
        QSize size;
    } cases[] = {
        {"sample.wmf", {96, 120}, {480, 450}},
        // 3999 x 2999 units at 1200 an inch: 8465 x 6348 HIMETRIC, rounded once more to pixels
        {"inkscape_drawing.wmf", {120, 120}, {400, 300}},
        {"sample.emf", {120, 96}, {600, 360}},
        {"inkscape_drawing.emf", {120, 120}, {402, 302}}, // frame 8499 x 6399 HIMETRIC
        {"sample.emf", {0, -1}, {480, 360}},              // a resolution the screen cannot have counts as 96 dpi
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.file << " at " << c.screen.dpiX << "x" << c.screen.dpiY);
        const LoadedPicture picture = loadPicture(dataFile(QLatin1String(c.file)), c.screen);
        ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
        EXPECT_EQ(picture.image.size(), c.size);
    }
}

// Probes in 96-dpi pixels, scaled to 120 dpi: if the drawing were fitted to
// its ink box, the margins would be covered and every shape moved.
TEST(MetafileDrawing, SitsInItsFrameAtTheScreensResolution)
{
    const struct {
        const char *file;
        QColor background; // what shows in the frame's margins
        int tolerance;     // the WMF path rounds colours to named SVG colours
    } cases[] = {
        {"sample.wmf", Ivory, 40},
        {"wmf_content_inset.wmf", White, 40},
        {"wmf_moved_origin.wmf", White, 40},
        {"wmf_header_units.wmf", White, 40},
        {"sample.emf", Ivory, 2},
        {"emf_ink_bounds.emf", White, 2},
    };
    struct Probe {
        QPoint at;
        QColor colour;
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const Probe probes[] = {
            {{8, 8}, c.background},     {{25, 25}, Blue},          {{195, 135}, Blue}, {{210, 150}, c.background},
            {{360, 100}, Red},          {{140, 300}, Green},       {{60, 320}, Green}, {{470, 200}, c.background},
            {{240, 350}, c.background}, {{300, 30}, c.background},
        };
        const LoadedPicture picture = loadPicture(dataFile(QLatin1String(c.file)), dpi(120));
        ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
        for (const Probe &probe : probes) {
            const QPoint at(int(std::lround(probe.at.x() * 1.25)), int(std::lround(probe.at.y() * 1.25)));
            EXPECT_TRUE(colourNear(picture.image, at, probe.colour, c.tolerance));
        }
    }
}

// The Inkscape pair sets a transparent background mode before filling; the
// fills still cover what lies beneath them.
TEST(MetafileDrawing, FillsStayOpaqueUnderATransparentBackgroundMode)
{
    for (const char *file : {"inkscape_drawing.wmf", "inkscape_drawing.emf"}) {
        const LoadedPicture picture = loadPicture(dataFile(QLatin1String(file)), dpi(96));
        ASSERT_TRUE(picture.ok()) << file;
        EXPECT_TRUE(colourNear(picture.image, {80, 60}, QColor(0x22, 0xaa, 0x66), 40)) << file;
        EXPECT_TRUE(colourNear(picture.image, {5, 5}, QColor(0xf0, 0xf4, 0xff), 16)) << file;
    }
}

// Metafile text is 8-bit and may hold markup characters; it still shows.
TEST(MetafileDrawing, TextWithMarkupCharactersIsDrawn)
{
    QByteArray bytes = dataBytes(QStringLiteral("sample.wmf"));
    const QByteArray text("WMF 480x360");
    ASSERT_TRUE(bytes.contains(text));
    bytes.replace(text, QByteArray("<&>\"' \xe9t\xe9 ]"));
    FileFolder files;
    const QString path = files.write(QStringLiteral("text.wmf"), bytes);
    const LoadedPicture picture = loadPicture(path, dpi(96));
    ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
    int ink = 0;
    for (int y = 330; y < 375; ++y)
        for (int x = 340; x < 480; ++x)
            ink += qGray(picture.image.pixel(x, y)) < 64;
    EXPECT_GT(ink, 200);
}

// Header fields the loader must not trust blindly: sizes beyond the
// allocation cap are refused before anything is drawn, and a frame without
// extent or scale is no picture.
TEST(MetafileHeader, DecidesWhatIsLoaded)
{
    // WMF placeable header: frame left, top, right, bottom at 6, units per inch at 14.
    // EMF header: frame at 24, reference device size at 72, its millimetres at 80.
    const struct {
        const char *label;
        const char *file;
        qsizetype offset;
        std::vector<qint32> values; // 16-bit fields for WMF, 32-bit for EMF
        int fieldBytes;
        const char *message;
    } cases[] = {
        {"WMF 200 inches wide", "sample.wmf", 10, {20000, 5400, 100}, 2, "Picture too large "},
        {"WMF with no units", "sample.wmf", 14, {0}, 2, "Invalid picture "},
        {"WMF with no width", "sample.wmf", 6, {100, 0, 100, 5400}, 2, "Invalid picture "},
        {"EMF of a kilometre", "sample.emf", 24, {0, 0, 100000000, 100000000}, 4, "Picture too large "},
        {"EMF frame upside down", "sample.emf", 24, {0, 9525, 12700, 0}, 4, "Invalid picture "},
        {"EMF with no device", "sample.emf", 72, {0, 0}, 4, "Invalid picture "},
        {"EMF with no millimetres", "sample.emf", 80, {0, 240}, 4, "Invalid picture "},
        {"EMF record past the end", "sample.emf", 4, {100000}, 4, "Invalid picture "},
    };
    FileFolder files;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        QByteArray bytes = dataBytes(QLatin1String(c.file));
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            char *field = bytes.data() + c.offset + qsizetype(i) * c.fieldBytes;
            if (c.fieldBytes == 2)
                qToLittleEndian<qint16>(qint16(c.values[i]), field);
            else
                qToLittleEndian<qint32>(c.values[i], field);
        }
        const QString path = files.write(QLatin1String(c.file), bytes);
        const LoadedPicture picture = loadPicture(path, dpi(96));
        EXPECT_FALSE(picture.ok());
        EXPECT_EQ(picture.error, QLatin1String(c.message) + path);
    }
}

// Every cut of a metafile fails cleanly, wherever it falls.
TEST(MetafileHeader, EveryTruncationFails)
{
    FileFolder files;
    for (const char *file : {"sample.wmf", "sample.emf"}) {
        const QByteArray whole = dataBytes(QLatin1String(file));
        for (qsizetype length = 0; length < whole.size(); length += 7) {
            const QString path = files.write(QLatin1String(file), whole.left(length));
            const LoadedPicture picture = loadPicture(path, dpi(96));
            EXPECT_FALSE(picture.ok()) << file << " cut at " << length;
            EXPECT_EQ(picture.error, QStringLiteral("Invalid picture ") + path) << file << " cut at " << length;
        }
    }
}

} // namespace
