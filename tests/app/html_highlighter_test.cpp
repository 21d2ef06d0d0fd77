#include "app/html_highlighter.h"
#include "support/printers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

using Role = HtmlHighlighter::Role;

// The role whose colour the character at `pos` carries; -1 for plain text.
int roleAt(const QTextDocument &doc, int pos)
{
    const QTextBlock block = doc.findBlock(pos);
    const int inBlock = pos - block.position();
    for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
        if (inBlock < range.start || inBlock >= range.start + range.length)
            continue;
        for (Role role : {Role::Tag, Role::AttributeName, Role::AttributeValue, Role::Comment})
            if (range.format.foreground() == HtmlHighlighter::formatFor(role).foreground())
                return int(role);
    }
    return -1;
}

int roleOf(const QTextDocument &doc, const QString &text, const char *part, int offset = 0)
{
    return roleAt(doc, int(text.indexOf(QLatin1String(part))) + offset);
}

} // namespace

TEST(HtmlHighlighter, ColoursTagsAttributesValuesAndComments)
{
    const QString text = QStringLiteral("<!-- made with <b> !--><img border=\"0\" src=\"a b.png\">\n"
                                        "<area coords=\"1,2\"  shape=rect href='x.html'> plain words\n"
                                        "</map>");
    QTextDocument doc;
    HtmlHighlighter highlighter(&doc);
    doc.setPlainText(text);
    highlighter.rehighlight();

    EXPECT_EQ(roleOf(doc, text, "made"), int(Role::Comment));
    EXPECT_EQ(roleOf(doc, text, "<b>"), int(Role::Comment)); // tags inside a comment are comment
    EXPECT_EQ(roleOf(doc, text, "!-->", 3), int(Role::Comment));
    EXPECT_EQ(roleOf(doc, text, "<img"), int(Role::Tag));
    EXPECT_EQ(roleOf(doc, text, "img"), int(Role::Tag));
    EXPECT_EQ(roleOf(doc, text, "border"), int(Role::AttributeName));
    EXPECT_EQ(roleOf(doc, text, "\"0\""), int(Role::AttributeValue));
    EXPECT_EQ(roleOf(doc, text, "b.png"), int(Role::AttributeValue)); // past a blank inside quotes
    EXPECT_EQ(roleOf(doc, text, "=\"a"), -1);
    EXPECT_EQ(roleOf(doc, text, "rect"), int(Role::AttributeValue)); // unquoted
    EXPECT_EQ(roleOf(doc, text, "x.html"), int(Role::AttributeValue));
    EXPECT_EQ(roleOf(doc, text, "'>", 1), int(Role::Tag));
    EXPECT_EQ(roleOf(doc, text, "plain"), -1);
    EXPECT_EQ(roleOf(doc, text, "</map>"), int(Role::Tag));
    EXPECT_EQ(roleOf(doc, text, "</map>", 5), int(Role::Tag));
}

TEST(HtmlHighlighter, CommentsTagsAndValuesRunOnOverLines)
{
    const QString text = QStringLiteral("<!-- one\ntwo --> after\n<area alt=\"first\nsecond\" href=a>\ntail");
    QTextDocument doc;
    HtmlHighlighter highlighter(&doc);
    doc.setPlainText(text);
    highlighter.rehighlight();
    EXPECT_EQ(roleOf(doc, text, "two"), int(Role::Comment));
    EXPECT_EQ(roleOf(doc, text, "after"), -1);
    EXPECT_EQ(roleOf(doc, text, "second"), int(Role::AttributeValue));
    EXPECT_EQ(roleOf(doc, text, "href"), int(Role::AttributeName));
    EXPECT_EQ(roleOf(doc, text, "tail"), -1);
    // A lone "<" is plain text.
    QTextDocument lone;
    HtmlHighlighter loneHighlighter(&lone);
    lone.setPlainText(QStringLiteral("a < b"));
    loneHighlighter.rehighlight();
    EXPECT_EQ(roleAt(lone, 2), -1);
    EXPECT_EQ(roleAt(lone, 4), -1);
}
