#include "html_highlighter.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

// Where a line starts, carried from the end of the line before.
enum State : int { InText = 0, InComment = 1, InTag = 2, InDoubleQuoted = 3, InSingleQuoted = 4 };

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_') || c == QLatin1Char(':')
           || c == QLatin1Char('.');
}

// Marks a line that has its state but not yet its colours.
struct Uncoloured : QTextBlockUserData {};

// Lines coloured in one turn of the idle pass: a few milliseconds' work.
constexpr int IdleSliceLines = 256;

} // namespace

HtmlHighlighter::HtmlHighlighter(QTextDocument *document) : QSyntaxHighlighter(document)
{
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &HtmlHighlighter::colourWhileIdle);
}

void HtmlHighlighter::colourLines(int first, int last)
{
    QTextDocument *doc = document();
    for (QTextBlock block = doc->findBlockByNumber(std::max(first, 0)); block.isValid() && block.blockNumber() <= last;
         block = block.next())
        if (dynamic_cast<Uncoloured *>(block.userData()))
            rehighlightBlock(block);
}

void HtmlHighlighter::colourWhileIdle()
{
    const int last = m_idleLine + IdleSliceLines - 1;
    colourLines(m_idleLine, last);
    m_idleLine = last + 1;
    if (m_idleLine >= document()->blockCount())
        m_idle.stop();
}

QTextCharFormat HtmlHighlighter::formatFor(Role role)
{
    QTextCharFormat format;
    switch (role) {
    case Role::Tag:
        format.setForeground(QColor(0x1f, 0x3f, 0x9f));
        format.setFontWeight(QFont::Bold);
        break;
    case Role::AttributeName:
        format.setForeground(QColor(0x9a, 0x4a, 0x00));
        break;
    case Role::AttributeValue:
        format.setForeground(QColor(0x0a, 0x7a, 0x2a));
        break;
    case Role::Comment:
        format.setForeground(QColor(0x70, 0x70, 0x70));
        format.setFontItalic(true);
        break;
    }
    return format;
}

void HtmlHighlighter::highlightBlock(const QString &text)
{
    static const QTextCharFormat tag = formatFor(Role::Tag);
    static const QTextCharFormat name = formatFor(Role::AttributeName);
    static const QTextCharFormat value = formatFor(Role::AttributeValue);
    static const QTextCharFormat comment = formatFor(Role::Comment);

    // Colouring a line never changes its state, so a line coloured later
    // leaves the lines after it alone.
    const auto setFormat = [this](int start, int count, const QTextCharFormat &format) {
        if (!m_statesOnly)
            QSyntaxHighlighter::setFormat(start, count, format);
    };
    setCurrentBlockUserData(m_statesOnly ? new Uncoloured : nullptr);

    int state = std::max(previousBlockState(), 0);
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        switch (state) {
        case InComment: {
            const int end = int(text.indexOf(QLatin1String("-->"), i));
            const int stop = end < 0 ? n : end + 3;
            setFormat(i, stop - i, comment);
            i = stop;
            if (end >= 0)
                state = InText;
            break;
        }
        case InDoubleQuoted:
        case InSingleQuoted: {
            const QChar quote = state == InDoubleQuoted ? QLatin1Char('"') : QLatin1Char('\'');
            const int end = int(text.indexOf(quote, i));
            const int stop = end < 0 ? n : end + 1;
            setFormat(i, stop - i, value);
            i = stop;
            if (end >= 0)
                state = InTag;
            break;
        }
        case InTag: {
            const QChar c = text.at(i);
            if (c == QLatin1Char('>')) {
                setFormat(i, 1, tag);
                state = InText;
                ++i;
            } else if (c == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('>')) {
                setFormat(i, 2, tag);
                state = InText;
                i += 2;
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                setFormat(i, 1, value);
                state = c == QLatin1Char('"') ? InDoubleQuoted : InSingleQuoted;
                ++i;
            } else if (isNameChar(c)) {
                int end = i;
                while (end < n && isNameChar(text.at(end)))
                    ++end;
                // A bare word after "=" is an unquoted value.
                int before = i - 1;
                while (before >= 0 && text.at(before).isSpace())
                    --before;
                const bool isValue = before >= 0 && text.at(before) == QLatin1Char('=');
                setFormat(i, end - i, isValue ? value : name);
                i = end;
            } else {
                ++i;
            }
            break;
        }
        default: { // InText
            const int open = int(text.indexOf(QLatin1Char('<'), i));
            if (open < 0) {
                i = n;
                break;
            }
            if (text.mid(open, 4) == QLatin1String("<!--")) {
                state = InComment;
                setFormat(open, 4, comment);
                i = open + 4;
                break;
            }
            int end = open + 1;
            if (end < n && (text.at(end) == QLatin1Char('/') || text.at(end) == QLatin1Char('!')))
                ++end;
            const int nameStart = end;
            while (end < n && isNameChar(text.at(end)))
                ++end;
            if (end == nameStart) { // a lone "<" is text
                i = open + 1;
                break;
            }
            setFormat(open, end - open, tag);
            state = InTag;
            i = end;
            break;
        }
        }
    }
    setCurrentBlockState(state);
}
