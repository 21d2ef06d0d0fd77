#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours the map text in the code pane: tags, attribute names, attribute
// values and comments. Text outside tags keeps the default look. A comment,
// a tag or a quoted value may run on over several lines.
class HtmlHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    enum class Role { Tag, AttributeName, AttributeValue, Comment };

    explicit HtmlHighlighter(QTextDocument *document);

    static QTextCharFormat formatFor(Role role);

protected:
    void highlightBlock(const QString &text) override;
};
