#include "dialogs/settings.h"
#include "support/printers.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A store in a scratch file, written with the given [Options] lines.
struct ScratchStore {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Zonarix.conf"));

    explicit ScratchStore(const char *options = "")
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray("[Options]\n") + options);
    }
    Settings read()
    {
        QSettings store(path, QSettings::IniFormat);
        return Settings::read(store);
    }
    QByteArray text()
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

} // namespace

TEST(Settings, AnEmptyStoreGivesTheDefaults)
{
    ScratchStore scratch;
    const Settings s = scratch.read();
    EXPECT_EQ(s.defaultColor, 255u);
    EXPECT_EQ(s.highlightedColor, 65535u);
    EXPECT_EQ(s.selectedColor, 16711680u);
    EXPECT_EQ(s.defaultStyle, 5);
    EXPECT_EQ(s.highlightedStyle, 5);
    EXPECT_EQ(s.selectedStyle, 5);
    EXPECT_TRUE(s.previewDefaultBrowser);
    EXPECT_FALSE(s.previewOtherBrowser);
    EXPECT_EQ(s.previewOtherBrowserPath, QString());
}

TEST(Settings, StoredTextsAreReadBack)
{
    ScratchStore scratch("Areas_Default_Color=123\nAreas_Highlighted_Color=4567\nAreas_Selected_Color=0\n"
                         "Areas_Default_Style=4\nAreas_Highlighted_Style=1\nAreas_Selected_Style=0\n"
                         "Preview_Default_Browser=False\nPreview_Other_Browser=True\n"
                         "Preview_Other_Browser_Path=/usr/bin/firefox\n");
    const Settings s = scratch.read();
    EXPECT_EQ(s.defaultColor, 123u);
    EXPECT_EQ(s.highlightedColor, 4567u);
    EXPECT_EQ(s.selectedColor, 0u);
    EXPECT_EQ(s.defaultStyle, 4);
    EXPECT_EQ(s.highlightedStyle, 1);
    EXPECT_EQ(s.selectedStyle, 0);
    EXPECT_FALSE(s.previewDefaultBrowser);
    EXPECT_TRUE(s.previewOtherBrowser);
    EXPECT_EQ(s.previewOtherBrowserPath, QStringLiteral("/usr/bin/firefox"));
}

TEST(Settings, BooleansAreWordsOrNumbers)
{
    const std::pair<const char *, bool> cases[] = {{"True", true}, {"false", false}, {"TRUE", true},
                                                   {"0", false},   {"-1", true},     {"1", true},
                                                   {"2.5", true},  {"yes", false},   {"", false}};
    for (const auto &[text, expected] : cases) {
        // Unreadable words fall back to the default, which is False here.
        ScratchStore scratch((QByteArray("Preview_Other_Browser=") + text + "\n").constData());
        EXPECT_EQ(scratch.read().previewOtherBrowser, expected) << text;
    }
}

TEST(Settings, DamagedValuesFallBackToTheirDefaults)
{
    ScratchStore scratch("Areas_Default_Color=red\nAreas_Highlighted_Color=99999999999\n"
                         "Areas_Default_Style=6\nAreas_Selected_Style=-1\nAreas_Highlighted_Style=two\n");
    const Settings s = scratch.read();
    EXPECT_EQ(s.defaultColor, 255u);
    EXPECT_EQ(s.highlightedColor, 65535u);
    EXPECT_EQ(s.defaultStyle, 5);
    EXPECT_EQ(s.selectedStyle, 5);
    EXPECT_EQ(s.highlightedStyle, 5);
}

TEST(Settings, WritesEveryKeyAsText)
{
    ScratchStore scratch;
    Settings s;
    s.defaultStyle = s.highlightedStyle = s.selectedStyle = 4;
    s.previewDefaultBrowser = false;
    s.previewOtherBrowser = true;
    s.previewOtherBrowserPath = QStringLiteral("/opt/browser");
    {
        QSettings store(scratch.path, QSettings::IniFormat);
        s.write(store);
    }
    const QByteArray text = scratch.text();
    for (const char *line :
         {"Areas_Default_Color=255\n", "Areas_Highlighted_Color=65535\n", "Areas_Selected_Color=16711680\n",
          "Areas_Default_Style=4\n", "Areas_Highlighted_Style=4\n", "Areas_Selected_Style=4\n",
          "Preview_Default_Browser=False\n", "Preview_Other_Browser=True\n",
          "Preview_Other_Browser_Path=/opt/browser\n"})
        EXPECT_TRUE(text.contains(line)) << line << " in " << text.constData();
    EXPECT_TRUE(text.startsWith("[Options]\n"));
    EXPECT_EQ(scratch.read().previewOtherBrowserPath, QStringLiteral("/opt/browser"));
}

TEST(Settings, TheStoreIsNamedZonarixAndOneStyleDrawsAllStates)
{
    EXPECT_TRUE(Settings::openStore()->fileName().endsWith(QStringLiteral("/Zonarix.conf")));

    ScratchStore scratch("Areas_Default_Style=2\nAreas_Highlighted_Style=0\nAreas_Selected_Style=1\n"
                         "Areas_Selected_Color=65280\n");
    const AreaLooks looks = areaLooksFrom(scratch.read());
    EXPECT_EQ(looks.normal.hatchStyle, 2);
    EXPECT_EQ(looks.highlighted.hatchStyle, 2);
    EXPECT_EQ(looks.selected.hatchStyle, 2);
    EXPECT_EQ(looks.selected.colour, QColor(0, 255, 0));
    EXPECT_EQ(colorFromBgr(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromBgr(65535), QColor(255, 255, 0));
}
