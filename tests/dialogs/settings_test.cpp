// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/settings.h"
#include "support/file_folder.h"
#include "support/printers.h"

#include <QSettings>

#include <iterator>

#include <gtest/gtest.h>

namespace {

// The options in the order they are read, none at its default; what they
// read as; and the defaults.
const char *const Stored[] = {
    "Areas_Default_Color=123",       "Areas_Highlighted_Color=4567", "Areas_Selected_Color=0",
    "Areas_Default_Style=4",         "Areas_Highlighted_Style=1",    "Areas_Selected_Style=0",
    "Preview_Default_Browser=False", "Preview_Other_Browser=True",   "Preview_Other_Browser_Path=/usr/bin/firefox",
    "NCSA_Apache_Circles=True"};
const QStringList StoredValues = {"123", "4567", "0", "4", "1", "0", "0", "1", "/usr/bin/firefox", "1"};
const QStringList Defaults = {"255", "65535", "16711680", "5", "5", "5", "1", "0", "", "0"};

QStringList optionsOf(const Settings &s)
{
    return {QString::number(s.defaultColor),
            QString::number(s.highlightedColor),
            QString::number(s.selectedColor),
            QString::number(s.defaultStyle),
            QString::number(s.highlightedStyle),
            QString::number(s.selectedStyle),
            QString::number(s.previewDefaultBrowser),
            QString::number(s.previewOtherBrowser),
            s.previewOtherBrowserPath,
            QString::number(s.ncsaApacheCircles)};
}

// A store in a scratch file, written with the given [Options] lines.
struct ScratchStore {
    FileFolder folder;
    QString path;

    explicit ScratchStore(const QByteArray &options = {})
        : path(folder.write(QStringLiteral("Zonarix.conf"), "[Options]\n" + options))
    {}
    Settings read() const
    {
        QSettings store(path, QSettings::IniFormat);
        return Settings::read(store);
    }
};

} // namespace

TEST(Settings, StoredTextsAreReadBackAndWrittenAlike)
{
    QByteArray options;
    for (const char *line : Stored)
        options += QByteArray(line) + '\n';
    const Settings s = ScratchStore(options).read();
    EXPECT_EQ(optionsOf(s), StoredValues);

    const ScratchStore rewritten;
    {
        QSettings store(rewritten.path, QSettings::IniFormat);
        s.write(store);
    }
    const QByteArray written = readFile(rewritten.path);
    EXPECT_TRUE(written.startsWith("[Options]\n"));
    for (const char *line : Stored)
        EXPECT_TRUE(written.contains(QByteArray(line) + '\n')) << line << " in " << written.constData();
}

TEST(Settings, BooleansAreWordsOrNumbers)
{
    const std::pair<const char *, bool> cases[] = {
        {"false", false}, {"TRUE", true}, {"0", false}, {"-1", true}, {"2.5", true}};
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(ScratchStore(QByteArray("Preview_Other_Browser=") + text + "\n").read().previewOtherBrowser, expected)
            << text;
}

TEST(Settings, AValueThatDoesNotConvertEndsTheReadingThere)
{
    const std::pair<int, const char *> damaged[] = {
        {0, "Areas_Default_Color=red"},     {1, "Areas_Highlighted_Color=99999999999"},
        {2, "Areas_Selected_Color="},       {3, "Areas_Default_Style=6"},
        {4, "Areas_Highlighted_Style=two"}, {5, "Areas_Selected_Style=-1"},
        {6, "Preview_Default_Browser=yes"}, {7, "Preview_Other_Browser="},
    };
    for (const auto &[at, line] : damaged) {
        QByteArray options;
        for (int i = 0; i < int(std::size(Stored)); ++i)
            options += QByteArray(i == at ? line : Stored[i]) + '\n';
        const ScratchStore scratch(options);
        EXPECT_EQ(optionsOf(scratch.read()), StoredValues.mid(0, at) + Defaults.mid(at)) << line;
        // The damaged store is left as it was.
        EXPECT_EQ(readFile(scratch.path), "[Options]\n" + options);
    }
}

TEST(Settings, TheStoreIsNamedZonarixAndOneStyleDrawsAllStates)
{
    EXPECT_TRUE(Settings::openStore()->fileName().endsWith(QStringLiteral("/Zonarix.conf")));
    const ScratchStore scratch("Areas_Default_Style=2\nAreas_Highlighted_Style=0\nAreas_Selected_Style=1\n"
                               "Areas_Selected_Color=65280\n");
    EXPECT_EQ(areaLooksFrom(scratch.read()), (AreaLooks{{Qt::red, 2}, {Qt::green, 2}, {Qt::yellow, 2}}));
}
