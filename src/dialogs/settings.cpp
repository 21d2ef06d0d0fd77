#include "settings.h"

#include <QSettings>

#include <limits>

namespace {

constexpr char Section[] = "Options";

QString text(QSettings &store, const char *key)
{
    return store.value(QLatin1String(key)).toString().trimmed();
}

bool has(QSettings &store, const char *key)
{
    return store.contains(QLatin1String(key));
}

quint32 readColor(QSettings &store, const char *key, quint32 fallback)
{
    if (!has(store, key))
        return fallback;
    bool ok = false;
    const qint64 value = text(store, key).toLongLong(&ok);
    // A colour is a 32-bit number; anything else is a damaged store.
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
        return fallback;
    return quint32(value);
}

qint16 readStyle(QSettings &store, const char *key, qint16 fallback)
{
    if (!has(store, key))
        return fallback;
    bool ok = false;
    const int value = text(store, key).toInt(&ok);
    return ok && value >= 0 && value < HatchStyleCount ? qint16(value) : fallback;
}

// True and False in any letter case, or a number where non-zero is true.
bool readBool(QSettings &store, const char *key, bool fallback)
{
    if (!has(store, key))
        return fallback;
    const QString value = text(store, key);
    if (value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? number != 0.0 : fallback;
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
    const Settings defaults;
    Settings s;
    store.beginGroup(QLatin1String(Section));
    s.defaultColor = readColor(store, "Areas_Default_Color", defaults.defaultColor);
    s.highlightedColor = readColor(store, "Areas_Highlighted_Color", defaults.highlightedColor);
    s.selectedColor = readColor(store, "Areas_Selected_Color", defaults.selectedColor);
    s.defaultStyle = readStyle(store, "Areas_Default_Style", defaults.defaultStyle);
    s.highlightedStyle = readStyle(store, "Areas_Highlighted_Style", defaults.highlightedStyle);
    s.selectedStyle = readStyle(store, "Areas_Selected_Style", defaults.selectedStyle);
    s.previewDefaultBrowser = readBool(store, "Preview_Default_Browser", defaults.previewDefaultBrowser);
    s.previewOtherBrowser = readBool(store, "Preview_Other_Browser", defaults.previewOtherBrowser);
    s.previewOtherBrowserPath = store.value(QLatin1String("Preview_Other_Browser_Path")).toString();
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
