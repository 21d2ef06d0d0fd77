// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_loader.h"

#include "file_filter.h"
#include "metafile.h"

#include <QFile>
#include <QImageReader>
#include <QList>
#include <QMutex>
#include <QPainter>
#include <QScreen>

#include <cmath>
#include <cstdlib>

namespace {

// Transparent and uncovered pixels: black on the PNG path, white (the paper
// a metafile is drawn on) on the standard path.
constexpr QColor PngBackground(0, 0, 0);
constexpr QColor StandardBackground(255, 255, 255);
constexpr double DefaultDpi = 96.0;

// The raster kinds each path decodes, told by content, not by name: the
// standard path reads no PNG. Both paths draw WMF and EMF metafiles.
const QList<QByteArray> PngPathFormats = {"png", "bmp", "gif", "jpeg", "ico"};
const QList<QByteArray> StandardPathFormats = {"bmp", "gif", "jpeg", "ico"};

// What the header of a bitmap file promises. Qt's bitmap reader makes up
// the rows of a file cut short, and gives no size at all for a huge one, so
// the loader reads these few fields itself.
struct BitmapPromise {
    QSize size;         // clamped just past the picture limits
    bool whole = false; // the file holds every row it promises
};

BitmapPromise bitmapPromise(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 34)
        return {};
    const auto u16 = [&](qsizetype at) { return fieldAt<quint16>(head, at); };
    const auto u32 = [&](qsizetype at) { return fieldAt<quint32>(head, at); };
    const quint32 pixelOffset = u32(10);
    const quint32 infoSize = u32(14);
    qint64 width = 0;
    qint64 height = 0;
    quint16 bitsPerPixel = 0;
    quint32 compression = 0;
    if (infoSize == 12) { // the old core header: 16-bit sizes, never compressed
        width = u16(18);
        height = u16(20);
        bitsPerPixel = u16(24);
    } else {
        width = std::abs(qint64(fieldAt<qint32>(head, 18)));
        height = std::abs(qint64(fieldAt<qint32>(head, 22)));
        bitsPerPixel = u16(28);
        compression = u32(30);
    }
    const auto clamped = [](qint64 length) { return int(std::min<qint64>(length, MaxPictureSide + 1)); };
    BitmapPromise promise{QSize(clamped(width), clamped(height)), true};
    constexpr quint32 Uncompressed = 0, BitFields = 3, AlphaBitFields = 6;
    if (compression == Uncompressed || compression == BitFields || compression == AlphaBitFields) {
        const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        promise.whole = fileSize >= qint64(pixelOffset) + rowBytes * height;
    } // run-length and embedded data: the reader checks those itself
    return promise;
}

QImage flattenOnto(const QImage &image, QColor background)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(background);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

DecodedPicture decodeFile(const QString &path, const QList<QByteArray> &rasterFormats, QColor background,
                          ScreenResolution screen)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DecodedPicture::failed(DecodeFailure::Unreadable);

    const QByteArray head = file.peek(128);
    const MetafileKind kind = metafileKind(head);
    if (kind != MetafileKind::None) {
        if (file.size() > MaxMetafileBytes)
            return DecodedPicture::failed(DecodeFailure::TooLarge);
        const QByteArray data = file.readAll();
        if (kind == MetafileKind::Emf)
            return renderEmf(data, screen, background); // converted in a process of its own
        // libwmf (with the gd it bundles) keeps state in globals; the open
        // dialog draws its previews in a worker thread.
        static QMutex wmfLock;
        const QMutexLocker lock(&wmfLock);
        return renderWmf(data, screen, background);
    }

    // Told by content even where the name suggests otherwise: a .dib file is
    // an ordinary bitmap file, which Qt's "dib" reader would refuse.
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (!rasterFormats.contains(format))
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    if (format == "bmp") {
        const BitmapPromise promise = bitmapPromise(head, file.size());
        if (!promise.size.isEmpty() && !fitsPictureLimits(promise.size))
            return DecodedPicture::failed(DecodeFailure::TooLarge);
        if (promise.size.isEmpty() || !promise.whole)
            return DecodedPicture::failed(DecodeFailure::NotAPicture);
    }
    const QSize declared = reader.size();
    if (declared.isValid() && !fitsPictureLimits(declared))
        return DecodedPicture::failed(DecodeFailure::TooLarge);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    return {flattenOnto(image, background), DecodeFailure::None};
}

ScreenResolution sane(ScreenResolution screen)
{
    auto usable = [](double dpi) { return std::isfinite(dpi) && dpi > 0 ? dpi : DefaultDpi; };
    return {usable(screen.dpiX), usable(screen.dpiY)};
}

// Not a fault of the picture: the program that draws EMF pictures is not
// installed. Both paths say so, naming what to install.
QString converterMissingMessage(const QString &path)
{
    return QStringLiteral("Cannot draw EMF picture without emf2svg-conv (package emf2svg) ") + path;
}

LoadedPicture loadThroughPngPath(const QString &path, ScreenResolution screen)
{
    const DecodedPicture decoded = decodeFile(path, PngPathFormats, PngBackground, screen);
    if (decoded.failure == DecodeFailure::ConverterMissing)
        return {QImage(), converterMissingMessage(path)};
    if (decoded.failure != DecodeFailure::None)
        return {QImage(), QStringLiteral("Error loading picture ") + path};
    return {decoded.image, QString()};
}

LoadedPicture loadThroughStandardPath(const QString &path, ScreenResolution screen)
{
    const DecodedPicture decoded = decodeFile(path, StandardPathFormats, StandardBackground, screen);
    switch (decoded.failure) {
    case DecodeFailure::None:
        return {decoded.image, QString()};
    case DecodeFailure::Unreadable:
        return {QImage(), QStringLiteral("Cannot open picture file ") + path};
    case DecodeFailure::TooLarge:
        return {QImage(), QStringLiteral("Picture too large ") + path};
    case DecodeFailure::ConverterMissing:
        return {QImage(), converterMissingMessage(path)};
    case DecodeFailure::NotAPicture:
        break;
    }
    return {QImage(), QStringLiteral("Invalid picture ") + path};
}

} // namespace

ScreenResolution resolutionOf(const QScreen *screen)
{
    if (!screen)
        return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

LoadedPicture loadPicture(const QString &path, ScreenResolution screen)
{
    if (path.right(3).toUpper() == QLatin1String("PNG"))
        return loadThroughPngPath(path, sane(screen));
    return loadThroughStandardPath(path, sane(screen));
}

QString pictureFileFilter()
{
    return fileDialogFilter({
        {QStringLiteral("All Image files "), QStringLiteral("*.bmp;*.gif;*.jpg;*.png;*.dib;*.wmf;*.emf")},
        {QStringLiteral("GIF Images"), QStringLiteral("*.gif")},
        {QStringLiteral("JPEG Images (*.jpg)"), QStringLiteral("*.jpg")},
        {QStringLiteral("PNG Files (*.png)"), QStringLiteral("*.png")},
        {QStringLiteral("Bitmaps (*.bmp,*.dib)"), QStringLiteral("*.bmp;*.dib")},
        {QStringLiteral("Meta Files (*.wmf,*.emf)"), QStringLiteral("*.wmf;*.emf")},
    });
}
