// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class MapDocument;

// The map as an SVG drawing that scales with the page: the picture, and over
// it every live area as a link around an invisible but clickable shape. The
// view box is the picture in its own pixels, so the areas keep the
// coordinates the client-side map writes, whatever size a page gives the
// drawing. Where areas overlap, the first in map order takes the click, as
// in the client-side map; the default area lies under all of them.
//
// picture: the picture's size in pixels. svgFile: where the drawing will be
// saved; the picture reference is made relative to it as the client-side map
// makes it relative to the map file. Texts are HTML source, as the map text
// writes them; the drawing holds each as a browser reads it, escaped for XML,
// so it is well-formed whatever the areas hold. Lines end in LF.
QString calculate_svg(const MapDocument &doc, QSize picture, const QString &svgFile);
