#pragma once

#include <QPlainTextEdit>

class HtmlHighlighter;

// The code pane `htmltext`: the map text, read-only, in a monospaced font
// and coloured as HTML. It follows the map text by replacing only the
// stretch that differs from what it shows: an edit of one area changes a
// line or two of a map that may have ten thousand, and the pane then lays
// out and colours just those, keeping the reader's place and selection.
class CodePane : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodePane(QWidget *parent);

    // The map text, with CR LF or LF line breaks.
    void showMapText(const QString &mapText);
    // Whether every line has its colours; a change of many lines colours
    // the lines in view at once and the others while the program is idle.
    bool allColoured() const;

private:
    std::pair<int, int> linesInView() const;
    HtmlHighlighter *highlighter() const;
    void replaceAll(const QString &text);

    QString m_shown; // the pane's text, with LF line breaks
};

// The monospaced font the code pane lines the map text up with.
QFont codePaneFont();
