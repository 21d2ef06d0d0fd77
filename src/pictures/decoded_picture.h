// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QtEndian>

// Why a file gave no picture; the loader turns this into the user's message.
// ConverterMissing: the separate program that draws EMF pictures is not installed.
enum class DecodeFailure { None, Unreadable, NotAPicture, TooLarge, ConverterMissing };

// A decoded picture, opaque, at its own size in pixels, or why there is none.
struct DecodedPicture {
    QImage image;
    DecodeFailure failure = DecodeFailure::None;

    static DecodedPicture failed(DecodeFailure why) { return {QImage(), why}; }
};

// The largest picture the loader builds: 16384 pixels a side and 32 Mi
// pixels in all (128 MiB at four bytes a pixel, the budget Qt's own image
// readers keep by default). A metafile can declare any physical size, so its
// declared size is checked before anything is allocated.
inline constexpr int MaxPictureSide = 16384;
inline constexpr qint64 MaxPicturePixels = 32LL * 1024 * 1024;
inline bool fitsPictureLimits(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide && size.height() <= MaxPictureSide
           && qint64(size.width()) * size.height() <= MaxPicturePixels;
}

// A little-endian field of a file header; the caller has checked that the
// bytes are there.
template <typename T> T fieldAt(const QByteArray &data, qsizetype offset)
{
    return qFromLittleEndian<T>(data.constData() + offset);
}
