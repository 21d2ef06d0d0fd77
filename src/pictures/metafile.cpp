// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafile.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <limits>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr qsizetype PlaceableHeaderBytes = 22;
constexpr quint32 EmfHeaderType = 1;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"
constexpr qsizetype EmfSignatureOffset = 40;
constexpr qsizetype EmfHeaderBytes = 88;
constexpr double HimetricPerInch = 2540.0;

} // namespace

int himetricToPixels(qint64 himetric, double dpi)
{
    const double pixels = std::round(double(himetric) * dpi / HimetricPerInch);
    if (!(std::fabs(pixels) < double(std::numeric_limits<int>::max())))
        return std::signbit(pixels) ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return int(pixels);
}

MetafileKind metafileKind(const QByteArray &data)
{
    if (data.size() >= PlaceableHeaderBytes && fieldAt<quint32>(data, 0) == PlaceableKey)
        return MetafileKind::PlaceableWmf;
    if (data.size() >= EmfHeaderBytes && fieldAt<quint32>(data, 0) == EmfHeaderType
        && fieldAt<quint32>(data, EmfSignatureOffset) == EmfSignature)
        return MetafileKind::Emf;
    return MetafileKind::None;
}

DecodedPicture blankPicture(QSize size, QColor background)
{
    QImage blank(size, QImage::Format_RGB32);
    if (blank.isNull())
        return DecodedPicture::failed(DecodeFailure::TooLarge);
    blank.fill(background);
    return {blank, DecodeFailure::None};
}

DecodedPicture renderSvg(const QByteArray &svg, const QRectF &viewBox, QSize size, QColor background)
{
    QSvgRenderer renderer;
    if (!renderer.load(svg) || !renderer.isValid())
        return DecodedPicture::failed(DecodeFailure::NotAPicture);
    renderer.setViewBox(viewBox);

    DecodedPicture picture = blankPicture(size, background);
    if (picture.failure != DecodeFailure::None)
        return picture;
    QPainter painter(&picture.image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return picture;
}
