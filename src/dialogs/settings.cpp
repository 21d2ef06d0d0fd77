// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings.h"

#include <QSettings>

#include <limits>

namespace {

constexpr char Section[] = "Options";
// Added after the first nine keys, so read and written after them.
constexpr char ApacheCirclesKey[] = "NCSA_Apache_Circles";

QString text(QSettings &store, const char *key)
{
    return store.value(QLatin1String(key)).toString().trimmed();
}

// Each reader leaves the value as it is when the key is missing and says
// false when the stored text does not convert.

bool readColor(QSettings &store, const char *key, quint32 &value)
{
    if (!store.contains(QLatin1String(key)))
        return true;
    bool ok = false;
    const qint64 number = text(store, key).toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<quint32>::max())
        return false;
    value = quint32(number);
    return true;
}

// Only the styles the options offer: another number draws nothing sensible.
bool readStyle(QSettings &store, const char *key, qint16 &value)
{
    if (!store.contains(QLatin1String(key)))
        return true;
    bool ok = false;
    const int number = text(store, key).toInt(&ok);
    if (!ok || number < 0 || number >= HatchStyleCount)
        return false;
    value = qint16(number);
    return true;
}

// True and False in any letter case, or a number where non-zero is true.
bool readBool(QSettings &store, const char *key, bool &value)
{
    if (!store.contains(QLatin1String(key)))
        return true;
    const QString word = text(store, key);
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    bool ok = false;
    const double number = word.toDouble(&ok);
    if (ok)
        value = number != 0.0;
    return ok;
}

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

std::unique_ptr<QSettings> Settings::openStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(SettingsApplication));
}

Settings Settings::read(QSettings &store)
{
    Settings s;
    store.beginGroup(QLatin1String(Section));
    // A value that does not convert means the store was damaged from there
    // on: the reading stops, and the options after it keep their defaults.
    const bool whole = readColor(store, "Areas_Default_Color", s.defaultColor)
                       && readColor(store, "Areas_Highlighted_Color", s.highlightedColor)
                       && readColor(store, "Areas_Selected_Color", s.selectedColor)
                       && readStyle(store, "Areas_Default_Style", s.defaultStyle)
                       && readStyle(store, "Areas_Highlighted_Style", s.highlightedStyle)
                       && readStyle(store, "Areas_Selected_Style", s.selectedStyle)
                       && readBool(store, "Preview_Default_Browser", s.previewDefaultBrowser)
                       && readBool(store, "Preview_Other_Browser", s.previewOtherBrowser);
    // Any text is a path; the preview finds out whether a program is there.
    if (whole) {
        s.previewOtherBrowserPath = store.value(QLatin1String("Preview_Other_Browser_Path")).toString();
        readBool(store, ApacheCirclesKey, s.ncsaApacheCircles);
    }
    store.endGroup();
    return s;
}

void Settings::write(QSettings &store) const
{
    store.beginGroup(QLatin1String(Section));
    store.setValue(QLatin1String("Areas_Default_Color"), QString::number(defaultColor));
    store.setValue(QLatin1String("Areas_Highlighted_Color"), QString::number(highlightedColor));
    store.setValue(QLatin1String("Areas_Selected_Color"), QString::number(selectedColor));
    store.setValue(QLatin1String("Areas_Default_Style"), QString::number(defaultStyle));
    store.setValue(QLatin1String("Areas_Highlighted_Style"), QString::number(highlightedStyle));
    store.setValue(QLatin1String("Areas_Selected_Style"), QString::number(selectedStyle));
    store.setValue(QLatin1String("Preview_Default_Browser"), boolText(previewDefaultBrowser));
    store.setValue(QLatin1String("Preview_Other_Browser"), boolText(previewOtherBrowser));
    store.setValue(QLatin1String("Preview_Other_Browser_Path"), previewOtherBrowserPath);
    store.setValue(QLatin1String(ApacheCirclesKey), boolText(ncsaApacheCircles));
    store.endGroup();
}

AreaLooks areaLooksFrom(const Settings &settings)
{
    const int style = settings.defaultStyle;
    return AreaLooks{{colorFromBgr(settings.defaultColor), style},
                     {colorFromBgr(settings.selectedColor), style},
                     {colorFromBgr(settings.highlightedColor), style}};
}

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}
