// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the map's picture through the picture library.
#include "form1.h"

#include "canvas/canvas.h"
#include "pictures/picture_loader.h"

QString Form1::load_map_picture(const QString &path)
{
    // Pictures with a physical size (metafiles) are drawn at the resolution
    // of the screen the window is on.
    const LoadedPicture loaded = loadPicture(path, resolutionOf(screen()));
    if (!loaded.ok())
        return loaded.error;
    setPicture(loaded.image);
    return QString();
}

PictureDecoder Form1::pictureDecoder() const
{
    // Converted for the canvas here, so the window only has to show it.
    return [resolution = resolutionOf(screen())](const QString &path) {
        return Canvas::inDisplayFormat(loadPicture(path, resolution).image);
    };
}
