// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/html_colours.h"

#include <gtest/gtest.h>

namespace {

// A text coloured line by line, each line starting in the state the line
// before it ended in, as the code pane colours it.
struct Coloured {
    QString text;
    std::vector<std::pair<qsizetype, HtmlSpan>> spans; // with the start of their line

    explicit Coloured(const QString &t) : text(t)
    {
        HtmlLineState state = HtmlLineState::InText;
        std::vector<HtmlSpan> line;
        qsizetype start = 0;
        for (QStringView part : QStringView(text).split(u'\n')) {
            state = colourHtmlLine(part, state, &line);
            for (const HtmlSpan &span : line)
                spans.emplace_back(start, span);
            start += part.size() + 1;
        }
    }
    // The role of the character `offset` places into the first `part`; -1 for plain text.
    int role(const char *part, int offset = 0) const
    {
        const qsizetype at = text.indexOf(QLatin1String(part)) + offset;
        for (const auto &[lineStart, span] : spans)
            if (at >= lineStart + span.start && at < lineStart + span.start + span.length)
                return int(span.role);
        return -1;
    }
};

constexpr int Tag = int(HtmlRole::Tag);
constexpr int Name = int(HtmlRole::AttributeName);
constexpr int Value = int(HtmlRole::AttributeValue);
constexpr int Comment = int(HtmlRole::Comment);

} // namespace

TEST(HtmlColours, ColoursTagsAttributesValuesAndComments)
{
    const Coloured c(QStringLiteral("<!-- made with <b> !--><img border=\"0\" src=\"a b.png\">\n"
                                    "<area coords=\"1,2\"  shape=rect href='x.html'> plain words < lone\n"
                                    "</map>"));
    EXPECT_EQ(c.role("made"), Comment);
    EXPECT_EQ(c.role("<b>"), Comment); // tags inside a comment are comment
    EXPECT_EQ(c.role("!-->", 3), Comment);
    EXPECT_EQ(c.role("<img"), Tag);
    EXPECT_EQ(c.role("border"), Name);
    EXPECT_EQ(c.role("\"0\""), Value);
    EXPECT_EQ(c.role("b.png"), Value); // past a blank inside quotes
    EXPECT_EQ(c.role("=\"a"), -1);
    EXPECT_EQ(c.role("rect"), Value); // unquoted
    EXPECT_EQ(c.role("x.html"), Value);
    EXPECT_EQ(c.role("'>", 1), Tag);
    EXPECT_EQ(c.role("plain"), -1);
    EXPECT_EQ(c.role("< lone"), -1); // a lone "<" is plain text
    EXPECT_EQ(c.role("</map>"), Tag);
    EXPECT_EQ(c.role("</map>", 5), Tag);
}

TEST(HtmlColours, CommentsTagsAndValuesRunOnOverLines)
{
    const Coloured c(
        QStringLiteral("<!-- one\ntwo --> after\n<area alt=\"first\nsecond\" href=a\nshape='x\ny'>\ntail"));
    EXPECT_EQ(c.role("two"), Comment);
    EXPECT_EQ(c.role("after"), -1);
    EXPECT_EQ(c.role("second"), Value);
    EXPECT_EQ(c.role("href"), Name);
    EXPECT_EQ(c.role("shape"), Name); // a tag runs on over lines too
    EXPECT_EQ(c.role("y'"), Value);
    EXPECT_EQ(c.role("tail"), -1);
}
