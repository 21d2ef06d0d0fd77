#include "code_pane.h"

#include "html_highlighter.h"

#include <QFontDatabase>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>

namespace {

// A change of more lines than this is coloured in view first, the rest later.
constexpr qsizetype ManyLines = 200;

} // namespace

QFont codePaneFont()
{
    // The system's fixed font comes first; where it is missing or not
    // monospaced after all, the families behind it and the style hints
    // choose one that is. Some monospaced fonts do not say they are
    // fixed-pitch, so what counts is the glyphs' advances.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({font.family(), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                      QStringLiteral("Noto Sans Mono"), QStringLiteral("monospace")});
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) != metrics.horizontalAdvance(QLatin1Char('W')))
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

CodePane::CodePane(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(codePaneFont());
    new HtmlHighlighter(document()); // owned by the document
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (!allColoured()) {
            const auto [first, last] = linesInView();
            highlighter()->colourLines(first, last);
        }
    });
}

HtmlHighlighter *CodePane::highlighter() const
{
    return document()->findChild<HtmlHighlighter *>(QString(), Qt::FindDirectChildrenOnly);
}

bool CodePane::allColoured() const
{
    return highlighter()->allColoured();
}

std::pair<int, int> CodePane::linesInView() const
{
    const QRect view = viewport()->rect();
    return {cursorForPosition(view.topLeft()).blockNumber(), cursorForPosition(view.bottomLeft()).blockNumber()};
}

void CodePane::showMapText(const QString &mapText)
{
    QString text = mapText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")); // one position per character, as the pane counts
    const qsizetype common = std::min(m_shown.size(), text.size());
    qsizetype head = 0;
    while (head < common && m_shown[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && m_shown[m_shown.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    if (head == m_shown.size() && head == text.size())
        return;
    const QStringView removed = QStringView(m_shown).sliced(head, m_shown.size() - head - tail);
    const QStringView added = QStringView(text).sliced(head, text.size() - head - tail);
    if (removed.count(u'\n') > ManyLines) {
        // Taking thousands of coloured lines out one by one costs more
        // than laying out a new document: a new map (a load) gets one.
        replaceAll(text);
    } else {
        const auto replace = [&] {
            QTextCursor cursor(document());
            cursor.setPosition(int(head));
            cursor.setPosition(int(head + removed.size()), QTextCursor::KeepAnchor);
            cursor.insertText(added.toString());
        };
        if (added.count(u'\n') > ManyLines)
            highlighter()->changeMany(replace, [this] { return linesInView(); });
        else
            replace();
    }
    m_shown = std::move(text);
}

void CodePane::replaceAll(const QString &text)
{
    // The pane would delete a document it owns at once; the old lines and
    // their colours go once the new ones are shown.
    QTextDocument *old = document();
    old->setParent(nullptr);
    auto *fresh = new QTextDocument(this);
    fresh->setDocumentLayout(new QPlainTextDocumentLayout(fresh));
    fresh->setDefaultFont(old->defaultFont());
    auto *colours = new HtmlHighlighter(fresh); // owned by the document
    colours->changeMany(
        [&] {
            QTextCursor(fresh).insertText(text);
            setDocument(fresh);
        },
        [this] { return linesInView(); });
    old->deleteLater();
}
