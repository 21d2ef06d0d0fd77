// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/map_document.h"

#include <QImage>

// A reproducible document with `count` live areas of all three shapes
// spread over a 2000 x 1500 picture, each with a link and alt text and
// every fifth with an event handler.
MapDocument sampleMap(int count);

// A 2000 x 1500 picture with detail in every pixel, like a photograph.
QImage photoSizedPicture();
