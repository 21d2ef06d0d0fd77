#include "dialogs/settings.h"
#include "support/printers.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <iterator>

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
    // Writes the settings over the store and checks that each line is in it.
    void expectWritten(const Settings &settings, std::initializer_list<const char *> lines)
    {
        {
            QSettings store(path, QSettings::IniFormat);
            settings.write(store);
        }
        const QByteArray written = text();
        EXPECT_TRUE(written.startsWith("[Options]\n"));
        for (const char *line : lines)
            EXPECT_TRUE(written.contains(line)) << line << " in " << written.constData();
    }
};

} // namespace

TEST(Settings, AnEmptyStoreGivesTheDefaultsAndWritesThemAsText)
{
    ScratchStore scratch;
    const Settings s = scratch.read();
    EXPECT_EQ(areaLooksFrom(s), (AreaLooks{{Qt::red, 5}, {Qt::blue, 5}, {Qt::yellow, 5}}));
    scratch.expectWritten(
        s, {"Areas_Default_Color=255\n", "Areas_Highlighted_Color=65535\n", "Areas_Selected_Color=16711680\n",
            "Areas_Default_Style=5\n", "Areas_Highlighted_Style=5\n", "Areas_Selected_Style=5\n",
            "Preview_Default_Browser=True\n", "Preview_Other_Browser=False\n", "Preview_Other_Browser_Path=\n"});
}

TEST(Settings, StoredTextsAreReadBackAndWrittenAlike)
{
    const auto lines = {"Areas_Default_Color=123\n",
                        "Areas_Highlighted_Color=4567\n",
                        "Areas_Selected_Color=0\n",
                        "Areas_Default_Style=4\n",
                        "Areas_Highlighted_Style=1\n",
                        "Areas_Selected_Style=0\n",
                        "Preview_Default_Browser=False\n",
                        "Preview_Other_Browser=True\n",
                        "Preview_Other_Browser_Path=/usr/bin/firefox\n"};
    QByteArray options;
    for (const char *line : lines)
        options += line;
    ScratchStore scratch(options.constData());
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
    ScratchStore().expectWritten(s, lines);
}

TEST(Settings, BooleansAreWordsOrNumbers)
{
    const std::pair<const char *, bool> cases[] = {{"True", true}, {"false", false}, {"TRUE", true}, {"0", false},
                                                   {"-1", true},   {"1", true},      {"2.5", true}};
    for (const auto &[text, expected] : cases) {
        ScratchStore scratch((QByteArray("Preview_Other_Browser=") + text + "\n").constData());
        EXPECT_EQ(scratch.read().previewOtherBrowser, expected) << text;
    }
}

TEST(Settings, AValueThatDoesNotConvertEndsTheReadingThere)
{
    // The nine options in the order they are read, none at its default.
    const char *stored[] = {
        "Areas_Default_Color=1",         "Areas_Highlighted_Color=2",  "Areas_Selected_Color=3",
        "Areas_Default_Style=0",         "Areas_Highlighted_Style=1",  "Areas_Selected_Style=2",
        "Preview_Default_Browser=False", "Preview_Other_Browser=True", "Preview_Other_Browser_Path=/b"};
    const auto optionsOf = [](const Settings &s) {
        return QStringList{QString::number(s.defaultColor),
                           QString::number(s.highlightedColor),
                           QString::number(s.selectedColor),
                           QString::number(s.defaultStyle),
                           QString::number(s.highlightedStyle),
                           QString::number(s.selectedStyle),
                           QString::number(s.previewDefaultBrowser),
                           QString::number(s.previewOtherBrowser),
                           s.previewOtherBrowserPath};
    };
    const std::pair<int, const char *> damaged[] = {
        {0, "Areas_Default_Color=red"},     {1, "Areas_Highlighted_Color=99999999999"},
        {2, "Areas_Selected_Color="},       {3, "Areas_Default_Style=6"},
        {4, "Areas_Highlighted_Style=two"}, {5, "Areas_Selected_Style=-1"},
        {6, "Preview_Default_Browser=yes"}, {7, "Preview_Other_Browser="},
    };
    const QStringList written = {"1", "2", "3", "0", "1", "2", "0", "1", "/b"};
    const QStringList defaults = {"255", "65535", "16711680", "5", "5", "5", "1", "0", ""};
    for (const auto &[at, line] : damaged) {
        QByteArray options;
        for (int i = 0; i < int(std::size(stored)); ++i)
            options += QByteArray(i == at ? line : stored[i]) + '\n';
        ScratchStore scratch(options.constData());
        EXPECT_EQ(optionsOf(scratch.read()), written.mid(0, at) + defaults.mid(at)) << line;
        // The damaged store is left as it was.
        EXPECT_EQ(scratch.text(), "[Options]\n" + options);
    }
}

TEST(Settings, TheStoreIsNamedZonarixAndOneStyleDrawsAllStates)
{
    EXPECT_TRUE(Settings::openStore()->fileName().endsWith(QStringLiteral("/Zonarix.conf")));
    ScratchStore scratch("Areas_Default_Style=2\nAreas_Highlighted_Style=0\nAreas_Selected_Style=1\n"
                         "Areas_Selected_Color=65280\n");
    EXPECT_EQ(areaLooksFrom(scratch.read()), (AreaLooks{{Qt::red, 2}, {Qt::green, 2}, {Qt::yellow, 2}}));
}
