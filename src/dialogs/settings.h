// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/area_look.h"

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <memory>

class QSettings;

// The persisted options: how areas are drawn, which browser previews the
// map, and whether NCSA maps write their circles the way Apache reads them.
// Stored per user under the application name "Zonarix", section
// "Options", every value as text. A missing key reads as its default; a value
// that does not convert ends the reading, so the options before it are read
// and the ones after it keep their defaults.
struct Settings {
    // Colours are 0x00BBGGRR: red in the lowest byte.
    quint32 defaultColor = 255;       // red
    quint32 highlightedColor = 65535; // yellow
    quint32 selectedColor = 0xFF0000; // blue
    qint16 defaultStyle = 5;          // hatch styles 0..5; 5 is the diagonal cross
    qint16 highlightedStyle = 5;
    qint16 selectedStyle = 5;
    bool previewDefaultBrowser = true;
    bool previewOtherBrowser = false;
    QString previewOtherBrowserPath;
    bool ncsaApacheCircles = false; // NCSA circles as centre and a point on the circle

    // The per-user store of the options.
    static std::unique_ptr<QSettings> openStore();

    static Settings read(QSettings &store);
    // Writes every key: colours first, then styles, the browser, and last the
    // NCSA circle form.
    void write(QSettings &store) const;
};

inline constexpr char SettingsApplication[] = "Zonarix";
inline constexpr int HatchStyleCount = 6;

// The looks areas are drawn with while the program runs. One hatch style
// applies to all three: the one the options offer.
AreaLooks areaLooksFrom(const Settings &settings);

// A stored 0x00BBGGRR colour as a Qt colour, and back.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor &color);
