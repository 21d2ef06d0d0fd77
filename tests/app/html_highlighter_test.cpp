#include "app/html_highlighter.h"
#include "support/printers.h"

#include <QPlainTextEdit>
#include <QTest>
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

// A text coloured by the highlighter, as the code pane shows it.
struct Highlighted {
    QString text;
    QTextDocument doc;
    HtmlHighlighter highlighter{&doc};

    explicit Highlighted(const QString &t) : text(t)
    {
        doc.setPlainText(text);
        highlighter.rehighlight();
    }
    // The role of the character `offset` places into the first `part`.
    int role(const char *part, int offset = 0) const
    {
        return roleAt(doc, int(text.indexOf(QLatin1String(part))) + offset);
    }
};

} // namespace

TEST(HtmlHighlighter, ColoursTagsAttributesValuesAndComments)
{
    const Highlighted h(QStringLiteral("<!-- made with <b> !--><img border=\"0\" src=\"a b.png\">\n"
                                       "<area coords=\"1,2\"  shape=rect href='x.html'> plain words < lone\n"
                                       "</map>"));
    EXPECT_EQ(h.role("made"), int(Role::Comment));
    EXPECT_EQ(h.role("<b>"), int(Role::Comment)); // tags inside a comment are comment
    EXPECT_EQ(h.role("!-->", 3), int(Role::Comment));
    EXPECT_EQ(h.role("<img"), int(Role::Tag));
    EXPECT_EQ(h.role("border"), int(Role::AttributeName));
    EXPECT_EQ(h.role("\"0\""), int(Role::AttributeValue));
    EXPECT_EQ(h.role("b.png"), int(Role::AttributeValue)); // past a blank inside quotes
    EXPECT_EQ(h.role("=\"a"), -1);
    EXPECT_EQ(h.role("rect"), int(Role::AttributeValue)); // unquoted
    EXPECT_EQ(h.role("x.html"), int(Role::AttributeValue));
    EXPECT_EQ(h.role("'>", 1), int(Role::Tag));
    EXPECT_EQ(h.role("plain"), -1);
    EXPECT_EQ(h.role("< lone"), -1); // a lone "<" is plain text
    EXPECT_EQ(h.role("</map>"), int(Role::Tag));
    EXPECT_EQ(h.role("</map>", 5), int(Role::Tag));
}

TEST(HtmlHighlighter, CommentsTagsAndValuesRunOnOverLines)
{
    const Highlighted h(QStringLiteral("<!-- one\ntwo --> after\n<area alt=\"first\nsecond\" href=a>\ntail"));
    EXPECT_EQ(h.role("two"), int(Role::Comment));
    EXPECT_EQ(h.role("after"), -1);
    EXPECT_EQ(h.role("second"), int(Role::AttributeValue));
    EXPECT_EQ(h.role("href"), int(Role::AttributeName));
    EXPECT_EQ(h.role("tail"), -1);
}

// A change of many lines: the lines in view have their colours at once, the
// others once the program has been idle, and states still carry over lines.
TEST(HtmlHighlighter, ManyLinesAreColouredInViewFirstAndTheRestWhenIdle)
{
    QString text = QStringLiteral("<!-- a comment\nover two lines -->\n");
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("<area href=\"p%1.html\">\n").arg(i);
    text += QStringLiteral("<map alt=\"open\nclosed\">");
    QPlainTextEdit pane; // lays its text out as the code pane does
    QTextDocument &doc = *pane.document();
    HtmlHighlighter highlighter(&doc);
    highlighter.changeMany([&] { QTextCursor(&doc).insertText(text); }, [] { return std::pair(0, 10); });
    EXPECT_EQ(roleAt(doc, int(text.indexOf(QLatin1String("over")))), int(Role::Comment));
    EXPECT_EQ(roleAt(doc, int(text.indexOf(QLatin1String("p5.html")))), int(Role::AttributeValue));
    const int far = int(text.indexOf(QLatin1String("p1999.html")));
    EXPECT_EQ(roleAt(doc, far), -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return highlighter.allColoured(); }));
    EXPECT_EQ(roleAt(doc, far), int(Role::AttributeValue));
    EXPECT_EQ(roleAt(doc, int(text.indexOf(QLatin1String("closed")))), int(Role::AttributeValue));
}
