// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../support/file_folder.h"
#include "../support/printers.h"
#include "pictures/picture_loader.h"

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

inline QString dataFile(const QString &name)
{
    return QStringLiteral(ZONARI_PICTURE_DATA "/") + name;
}

inline QByteArray dataBytes(const QString &name)
{
    QFile file(dataFile(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test picture " << name.toStdString();
    return file.readAll();
}

inline ScreenResolution dpi(double both)
{
    return {both, both};
}

// The pixel at p is within tolerance of the expected colour in each channel.
inline testing::AssertionResult colourNear(const QImage &image, QPoint p, QColor expected, int tolerance)
{
    if (!image.valid(p))
        return testing::AssertionFailure() << "(" << p.x() << "," << p.y() << ") is outside the picture";
    const QColor actual = image.pixelColor(p);
    const int worst = std::max({std::abs(actual.red() - expected.red()), std::abs(actual.green() - expected.green()),
                                std::abs(actual.blue() - expected.blue())});
    if (worst <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "pixel (" << p.x() << "," << p.y() << ") is " << actual.name().toStdString()
                                       << ", expected " << expected.name().toStdString() << " within " << tolerance;
}
