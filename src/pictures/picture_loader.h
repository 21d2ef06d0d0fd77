// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class QScreen;

// Dots per inch of the screen the picture is shown on; metafiles, which
// carry a physical size, are rendered at this resolution.
struct ScreenResolution {
    double dpiX = 96.0;
    double dpiY = 96.0;
};

// The resolution of a screen; the default when there is none.
ScreenResolution resolutionOf(const QScreen *screen);

// A picture read from a file, at its own size in pixels (the editor keeps
// this copy as the source of every zoom step), or why it could not be read.
struct LoadedPicture {
    QImage image;  // null when loading failed
    QString error; // one line for the user when image is null
    bool ok() const { return !image.isNull(); }
};

// Loads the map's picture. The loader is chosen by the last three
// characters of the path: "png" in any case takes the PNG path (own pixel
// size, transparent pixels black); every other name takes the standard
// path, which recognises BMP, DIB, GIF, JPEG, WMF and EMF by content.
LoadedPicture loadPicture(const QString &path, ScreenResolution screen);

// The filter of the picture file dialogs, in QFileDialog's form (see
// fileDialogFilter).
QString pictureFileFilter();
