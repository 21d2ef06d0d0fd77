// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile.h"

#include "emf_converter.h"

namespace {

// Fields of the header record, by offset.
constexpr qsizetype RecordSizeOffset = 4;
constexpr qsizetype BoundsOffset = 8;       // device pixels of the reference device
constexpr qsizetype FrameOffset = 24;       // HIMETRIC
constexpr qsizetype DeviceOffset = 72;      // reference device size in pixels
constexpr qsizetype MillimetresOffset = 80; // and in millimetres
constexpr qsizetype HeaderBytes = 88;
constexpr qsizetype RecordHeaderBytes = 8;
constexpr quint32 EndOfFileRecord = 14;

struct Rect32 {
    qint32 left, top, right, bottom;
};

Rect32 rectAt(const QByteArray &data, qsizetype offset)
{
    return {fieldAt<qint32>(data, offset), fieldAt<qint32>(data, offset + 4), fieldAt<qint32>(data, offset + 8),
            fieldAt<qint32>(data, offset + 12)};
}

// Every record lies inside the file, has a sane size, and the last one is
// the end-of-file record: the converter is only handed files it can walk.
bool recordsAreWhole(const QByteArray &data)
{
    qsizetype offset = 0;
    while (offset + RecordHeaderBytes <= data.size()) {
        const quint32 type = fieldAt<quint32>(data, offset);
        const quint32 size = fieldAt<quint32>(data, offset + RecordSizeOffset);
        if (size < RecordHeaderBytes || size % 4 != 0 || size > quint64(data.size() - offset))
            return false;
        if (offset == 0 && size < HeaderBytes)
            return false;
        if (type == EndOfFileRecord)
            return true;
        offset += size;
    }
    return false;
}

} // namespace

DecodedPicture renderEmf(const QByteArray &data, ScreenResolution screen, QColor background)
{
    if (metafileKind(data) != MetafileKind::Emf || !recordsAreWhole(data))
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    const Rect32 bounds = rectAt(data, BoundsOffset);
    const Rect32 frame = rectAt(data, FrameOffset);
    const qint32 deviceWidth = fieldAt<qint32>(data, DeviceOffset);
    const qint32 deviceHeight = fieldAt<qint32>(data, DeviceOffset + 4);
    const qint32 widthMm = fieldAt<qint32>(data, MillimetresOffset);
    const qint32 heightMm = fieldAt<qint32>(data, MillimetresOffset + 4);
    const qint64 frameWidth = qint64(frame.right) - frame.left;
    const qint64 frameHeight = qint64(frame.bottom) - frame.top;
    if (frameWidth <= 0 || frameHeight <= 0 || deviceWidth <= 0 || deviceHeight <= 0 || widthMm <= 0 || heightMm <= 0)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);

    // The picture's size is its frame, whatever the drawing covers.
    const QSize size(std::max(1, himetricToPixels(frameWidth, screen.dpiX)),
                     std::max(1, himetricToPixels(frameHeight, screen.dpiY)));
    if (!fitsPictureLimits(size))
        return DecodedPicture::failed(DecodeFailure::TooLarge);

    const qint64 boundsWidth = qint64(bounds.right) - bounds.left;
    const qint64 boundsHeight = qint64(bounds.bottom) - bounds.top;
    if (boundsWidth <= 0 || boundsHeight <= 0)
        return blankPicture(size, background); // no ink at all

    // The converter writes the ink bounds, in reference-device pixels, as
    // the document; asking for exactly that size keeps its scale at one. It
    // draws the GDI records only, like the system's own player.
    const ConvertedEmf converted = convertEmfToSvg(data, boundsWidth, boundsHeight);
    if (converted.outcome == ConvertedEmf::Outcome::ConverterMissing)
        return DecodedPicture::failed(DecodeFailure::ConverterMissing);
    if (converted.outcome != ConvertedEmf::Outcome::Converted)
        return DecodedPicture::failed(DecodeFailure::NotAPicture);

    // The frame in the document's coordinates: 0.01 mm to reference-device
    // pixels, measured from the ink bounds' corner.
    const double pixelsPerHimetricX = double(deviceWidth) / widthMm / 100.0;
    const double pixelsPerHimetricY = double(deviceHeight) / heightMm / 100.0;
    const QRectF viewBox(frame.left * pixelsPerHimetricX - bounds.left, frame.top * pixelsPerHimetricY - bounds.top,
                         frameWidth * pixelsPerHimetricX, frameHeight * pixelsPerHimetricY);
    return renderSvg(converted.svg, viewBox, size, background);
}
