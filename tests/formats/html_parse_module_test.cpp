// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/html_parse_module.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<QString, QString>>;

Pairs parse(const QString &text, qint32 position = 1)
{
    html_parse_module scanner;
    scanner.parse_tag_attributes(position, text);
    Pairs pairs;
    for (qsizetype i = 0; i < scanner.count(); ++i)
        pairs.emplace_back(scanner.nameAt(i), scanner.valueAt(i));
    return pairs;
}

struct Case {
    const char *name;
    const char16_t *text;
    qint32 position;
    Pairs pairs;
};

} // namespace

TEST(TagScanner, SplitsTagsIntoPairsAsWritten)
{
    const Case cases[] = {
        {"example",
         u"<AREA shape=RECT coords=10,20,30,40 href='a b.html' alt=Top target=_top>",
         1,
         {{"shape", "RECT"}, {"coords", "10,20,30,40"}, {"href", "a b.html"}, {"alt", "Top"}, {"target", "_top"}}},
        {"blanks around =", u"<a href = x.html>", 1, {{"href", "x.html"}}},
        {"bare value stops at >", u"<a target=_top>", 1, {{"target", "_top"}}},
        {"bare value stops at a blank", u"<a b=1 c=2>", 1, {{"b", "1"}, {"c", "2"}}},
        {"empty quoted value", u"<a alt='' x=\"\">", 1, {{"alt", ""}, {"x", ""}}},
        {"attributes without =", u"<area nohref ismap alt=x>", 1, {{"alt", "x"}}},
        {"unclosed quote runs to the end", u"<a alt='x y>", 1, {{"alt", "x y>"}}},
        {"> inside quotes ends the tag", u"<a onclick='if(a>b)go()' alt=x>", 1, {{"onclick", "if(a>"}}},
        {"= inside quotes makes a pair",
         u"<a onclick='x alt=1' alt='real'>",
         1,
         {{"onclick", "x alt=1"}, {"alt", "1'"}, {"alt", "real"}}},
        {"references stay", u"<a href=\"a.html?x&amp;y\">", 1, {{"href", "a.html?x&amp;y"}}},
        {"name runs to the tag start", u"<a=1 b=2>", 1, {}},
        {"tab is not a blank", u"<a\thref=x>", 1, {}},
        {"quotes belong to names", u"<a x\"y=1>", 1, {{"x\"y", "1"}}},
        {"new tag before >", u"<a b=1 <c d=2>", 1, {{"b", "1"}}},
        {"new tag without any >", u"<a b=\"x <c d=2", 1, {{"b", "x <"}}},
        {"neither > nor <", u"<a b=1", 1, {{"b", "1"}}},
        {"= at the very end", u"<a b=", 1, {{"b", ""}}},
        {"only blanks after =", u"<a b=   ", 1, {{"b", " "}}},
        {"bare value takes its first character", u"<a b=>", 1, {{"b", ">"}}},
        {"position inside a later tag", u"<x y=1> <c d=2>", 10, {{"d", "2"}}},
        {"position on a >", u"<x y=1> <c d=2>", 7, {{"y", "1"}}},
        {"position before any <", u"ab=1 <c d=2>", 2, {}},
        {"position past the end", u"<x y=1> <c d=2", 99, {{"d", "2"}}},
        {"position 0", u"<a b=1>", 0, {}},
        {"negative position", u"<a b=1>", -5, {}},
        {"empty text", u"", 1, {}},
        {"non-ASCII", u"<a alt=\"Café ünd Größe\" titel=日本>", 1, {{"alt", "Café ünd Größe"}, {"titel", "日本"}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parse(QString::fromUtf16(c.text), c.position), c.pairs) << c.name;
}

TEST(TagScanner, LookUpTakesTheFirstPairWhateverTheCase)
{
    html_parse_module scanner;
    scanner.parse_tag_attributes(1, QStringLiteral("<a HREF=One.html alt='x alt=1' ALT=Big Ärger=ja \u212Aey=k>"));
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("href")), QStringLiteral("One.html"));
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("Alt")), QStringLiteral("x alt=1"));
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("ärger")), QStringLiteral("ja"));
    // Names are lower-cased, not folded: the Kelvin sign lower-cases to k.
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("KEY")), QStringLiteral("k"));
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("target")), QString());
    EXPECT_EQ(scanner.get_attribute_value(QString()), QString());

    // The next parse replaces the pairs; one without pairs empties them.
    scanner.parse_tag_attributes(1, QStringLiteral("<b target=t>"));
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("href")), QString());
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("target")), QStringLiteral("t"));
    scanner.parse_tag_attributes(0, QStringLiteral("<b target=t>"));
    EXPECT_EQ(scanner.count(), 0);
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("target")), QString());
}

TEST(TagScanner, StaysLinearOnTagsMadeOfEqualsAndQuotes)
{
    // Each "=" is a pair whose name and value reach far: copies of every
    // name and value would be quadratic in size.
    constexpr int Count = 200000;
    const QString equals = QStringLiteral("<a b") + QString(Count, u'=') + u'>';
    html_parse_module scanner;
    scanner.parse_tag_attributes(1, equals);
    ASSERT_EQ(scanner.count(), Count);
    EXPECT_EQ(scanner.valueAt(0), QString(Count - 1, u'='));
    EXPECT_EQ(scanner.nameAt(Count - 1).size(), Count);
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("b=")), QString(Count - 2, u'='));

    const QString quotes = QStringLiteral("<a x='") + QString(QStringLiteral(" y=\"")).repeated(Count) + u'>';
    scanner.parse_tag_attributes(1, quotes);
    ASSERT_EQ(scanner.count(), Count + 1);
    EXPECT_EQ(scanner.get_attribute_value(QStringLiteral("y")), QStringLiteral(" y="));
    EXPECT_EQ(scanner.valueAt(Count), QStringLiteral(">"));
}
