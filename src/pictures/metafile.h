// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decoded_picture.h"
#include "picture_loader.h"

#include <QByteArray>
#include <QColor>
#include <QRectF>
#include <QSize>

// Metafiles larger than this are not read into memory at all.
inline constexpr qint64 MaxMetafileBytes = 64LL * 1024 * 1024;
// Nor is an SVG that a metafile converts to.
inline constexpr qint64 MaxSvgBytes = 256LL * 1024 * 1024;

// A physical size in HIMETRIC units (0.01 mm) shown at a screen resolution,
// rounded to whole pixels the way the system's own conversion rounds (to
// the nearest, halves away from zero).
int himetricToPixels(qint64 himetric, double dpi);

enum class MetafileKind { None, PlaceableWmf, Emf };

// Recognises the two metafile formats by their first bytes. A WMF counts
// only with its placeable header: a bare WMF carries no physical size.
MetafileKind metafileKind(const QByteArray &data);

// Render a metafile at the size its header gives, converted at the screen's
// resolution, over the background colour.
DecodedPicture renderWmf(const QByteArray &data, ScreenResolution screen, QColor background);
DecodedPicture renderEmf(const QByteArray &data, ScreenResolution screen, QColor background);

// The frame with nothing drawn in it.
DecodedPicture blankPicture(QSize size, QColor background);

// Paints the part of an SVG document given by viewBox onto an image of the
// given size filled with the background colour.
DecodedPicture renderSvg(const QByteArray &svg, const QRectF &viewBox, QSize size, QColor background);
