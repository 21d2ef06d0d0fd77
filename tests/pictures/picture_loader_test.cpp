// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_test_support.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <optional>

namespace {

const QColor Black(0, 0, 0);
const QColor White(255, 255, 255);

struct Probe {
    QPoint at;
    QColor colour;
};

// Raster pictures keep their own pixel size on any screen, and
// transparency shows white on the standard path and black on the PNG path.
TEST(RasterFormats, LoadAtTheirOwnSizeWithTheirColours)
{
    const struct {
        const char *file;
        QSize size;
        std::vector<Probe> probes;
        int tolerance;
    } cases[] = {
        {"sample.bmp", {12, 8}, {{{2, 3}, QColor(255, 0, 0)}, {{9, 3}, QColor(0, 0, 255)}}, 0},
        // an ordinary bitmap file under the .dib name
        {"sample.dib", {10, 12}, {{{5, 2}, QColor(0, 160, 0)}, {{5, 9}, QColor(255, 255, 0)}}, 0},
        {"sample.gif", {14, 7}, {{{4, 3}, QColor(0, 128, 0)}, {{11, 3}, White}}, 0},
        {"sample.jpg",
         {16, 16},
         {{{3, 3}, QColor(255, 0, 0)}, {{12, 3}, QColor(0, 255, 0)}, {{3, 12}, QColor(0, 0, 255)}, {{12, 12}, White}},
         8},
        {"sample.ico", {16, 16}, {{{8, 8}, QColor(255, 128, 0)}}, 0},
        // opaque red, transparent white, half-transparent green, opaque blue; second row clear
        {"sample.png",
         {4, 2},
         {{{0, 0}, QColor(255, 0, 0)},
          {{1, 0}, Black},
          {{2, 0}, QColor(0, 128, 0)},
          {{3, 0}, QColor(0, 0, 255)},
          {{0, 1}, Black},
          {{3, 1}, Black}},
         1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const LoadedPicture picture = loadPicture(dataFile(QLatin1String(c.file)), dpi(144));
        ASSERT_TRUE(picture.ok()) << picture.error.toStdString();
        EXPECT_TRUE(picture.error.isEmpty());
        EXPECT_EQ(picture.image.size(), c.size);
        EXPECT_FALSE(picture.image.hasAlphaChannel());
        for (const Probe &probe : c.probes)
            EXPECT_TRUE(colourNear(picture.image, probe.at, probe.colour, c.tolerance));
    }
}

// The loader follows the last three characters of the name, in any case;
// what the file holds decides only within the chosen path.
TEST(LoaderByName, ChoosesThePathFromTheLastThreeCharacters)
{
    const struct {
        const char *dataFile;
        const char *savedAs;
        bool loads;
        QPoint probe;
        QColor colour; // where it loads
    } cases[] = {
        {"sample.png", "mixed.pNg", true, {1, 0}, Black},
        {"sample.png", "nodotpng", true, {1, 0}, Black},
        // a PNG under any other name meets the standard path, which has no PNG reader
        {"sample.png", "disguised.PNG.bmp", false, {}, {}},
        // a GIF on the PNG path: its transparent white turns black
        {"sample.gif", "renamed.png", true, {11, 3}, Black},
        {"sample.emf", "drawing.bmp", true, {10, 10}, QColor(255, 255, 240)},
        // a metafile on the PNG path is drawn over black, its empty margins too
        {"wmf_content_inset.wmf", "inset.png", true, {8, 8}, Black},
    };
    FileFolder files;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.savedAs);
        const QString path = files.write(QLatin1String(c.savedAs), dataBytes(QLatin1String(c.dataFile)));
        const LoadedPicture picture = loadPicture(path, dpi(96));
        ASSERT_EQ(picture.ok(), c.loads) << picture.error.toStdString();
        if (c.loads)
            EXPECT_TRUE(colourNear(picture.image, c.probe, c.colour, 1));
        else
            EXPECT_EQ(picture.error, QStringLiteral("Invalid picture ") + path);
    }
}

// A bitmap header that promises more pixels than the loader will allocate.
QByteArray hugeBitmapHeader()
{
    QByteArray bmp = dataBytes(QStringLiteral("sample.bmp"));
    qToLittleEndian<qint32>(100000, bmp.data() + 18);
    qToLittleEndian<qint32>(100000, bmp.data() + 22);
    return bmp;
}

QByteArray garbage(qsizetype size)
{
    QRandomGenerator random(4711);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

QByteArray firstHalf(const QString &dataName)
{
    const QByteArray whole = dataBytes(dataName);
    return whole.left(whole.size() / 2);
}

// Files that hold no picture, and files that are not there, fail with a
// message naming the file, on both paths, and never leave a half-made
// picture behind. Cut metafiles have a test of their own.
TEST(BrokenFiles, FailWithAMessageNamingTheirPath)
{
    const QString invalid = QStringLiteral("Invalid picture ");
    const struct {
        const char *label;
        std::optional<QByteArray> bytes; // none: no such file
        QString message;                 // on the standard path
    } cases[] = {
        {"empty", QByteArray(), invalid},
        {"garbage", garbage(3000), invalid},
        {"a bitmap one byte short", dataBytes(QStringLiteral("sample.bmp")).chopped(1), invalid},
        {"half a GIF", firstHalf(QStringLiteral("sample.gif")), invalid},
        {"half a JPEG", firstHalf(QStringLiteral("sample.jpg")), invalid},
        {"half a PNG", firstHalf(QStringLiteral("sample.png")), invalid},
        {"half an icon", firstHalf(QStringLiteral("sample.ico")), invalid},
        {"a bare WMF", dataBytes(QStringLiteral("wmf_no_placeable.wmf")), invalid},
        {"an SVG", dataBytes(QStringLiteral("drawing.svg")), invalid},
        {"a huge declared bitmap", hugeBitmapHeader(), QStringLiteral("Picture too large ")},
        {"no file", std::nullopt, QStringLiteral("Cannot open picture file ")},
    };
    FileFolder files;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const auto file = [&](const QString &name) { return c.bytes ? files.write(name, *c.bytes) : files.path(name); };
        const QString standard = file(QStringLiteral("picture.gif"));
        const LoadedPicture picture = loadPicture(standard, dpi(96));
        EXPECT_TRUE(picture.image.isNull());
        EXPECT_EQ(picture.error, c.message + standard);
        const QString png = file(QStringLiteral("picture.png"));
        EXPECT_EQ(loadPicture(png, dpi(96)).error, QStringLiteral("Error loading picture ") + png);
        QFile::remove(standard);
        QFile::remove(png);
    }
    EXPECT_EQ(loadPicture(files.path(), dpi(96)).error, QStringLiteral("Cannot open picture file ") + files.path());
}

TEST(PictureFileFilter, OffersTheSixChoicesInQtForm)
{
    EXPECT_EQ(pictureFileFilter(), QStringLiteral("All Image files  (*.bmp *.gif *.jpg *.png *.dib *.wmf *.emf);;"
                                                  "GIF Images (*.gif);;"
                                                  "JPEG Images (*.jpg) (*.jpg);;"
                                                  "PNG Files (*.png) (*.png);;"
                                                  "Bitmaps (*.bmp,*.dib) (*.bmp *.dib);;"
                                                  "Meta Files (*.wmf,*.emf) (*.wmf *.emf)"));
}

} // namespace
