// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "html_colours.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QDeadlineTimer>

#include <map>
#include <memory>
#include <vector>

class QTextLayout;

// The code pane `htmltext`: the map text, read-only, in a monospaced font,
// unwrapped and coloured as HTML. It holds the text as one string with the
// start of each line and lays out and colours only the lines in view, so a
// map of ten thousand areas shows at once and an edit of one area costs a
// line or two. A new map text keeps the reader's place: the first line in
// view and the selection stay with their text when the change is elsewhere.
class CodePane : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CodePane(QWidget *parent);
    ~CodePane() override;

    // The map text, with CR LF or LF line breaks.
    void showMapText(const QString &text);
    // The text shown, with LF line breaks.
    QString toPlainText() const;
    QString selectedText() const;
    bool isReadOnly() const { return true; }

    void selectAll();
    // Puts the selection on the clipboard.
    void copy() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    int lineCount() const { return int(m_lineStarts.size()); }
    int lineAt(qsizetype offset) const;
    // Where the line's text ends: at its line break (CR LF or LF) or the end of the text.
    qsizetype lineEnd(int line) const;
    QStringView lineText(int line) const;
    int lineHeight() const;
    qreal charAdvance() const;
    QPointF lineOrigin(int line) const;
    void layOutLine(QTextLayout &layout, int line) const;
    const QTextLayout &colouredLayout(int line);
    qsizetype offsetAt(QPoint viewportPos) const;
    void workOutStatesUpTo(int line);
    void updateScrollBars();
    void select(qsizetype anchor, qsizetype position);
    void selectWordAt(qsizetype offset);
    void dragTo(QPoint viewportPos);

    QString m_text;                                        // as given, with CR LF or LF line breaks
    std::vector<qsizetype> m_lineStarts{0};                // where each line starts in the text
    std::vector<HtmlLineState> m_lineStates;               // the colouring state at line starts, as far as worked out
    std::map<int, std::unique_ptr<QTextLayout>> m_layouts; // the lines in view, coloured and laid out
    qsizetype m_longestLine = 0;                           // in characters
    qsizetype m_anchor = 0;                                // the selection runs from the anchor to the position
    qsizetype m_position = 0;
    bool m_dragging = false;
    QPoint m_dragPoint;
    QBasicTimer m_autoScroll;     // scrolls while a drag is held outside the view
    QDeadlineTimer m_tripleClick; // a press before it runs out selects the line
    QPoint m_doubleClickPoint;
};

// The monospaced font the code pane lines the map text up with.
QFont codePaneFont();
