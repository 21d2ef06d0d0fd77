// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Space between the frame and the text, as text edits leave it.
constexpr int TextMargin = 4;
// Tab stops, in characters.
constexpr int TabColumns = 8;
// How often a selection held outside the view scrolls it, in milliseconds.
constexpr int AutoScrollInterval = 50;

// Comparing a block at a time finds where two map texts of a megabyte part
// in a fraction of a millisecond.
constexpr qsizetype CompareBlock = 512;

// How many characters two texts have in common at their start.
qsizetype commonHead(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i + CompareBlock <= n && std::memcmp(a.data() + i, b.data() + i, CompareBlock * sizeof(QChar)) == 0)
        i += CompareBlock;
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// How many of their last `limit` characters two texts have in common at their end.
qsizetype commonTail(QStringView a, QStringView b, qsizetype limit)
{
    const QChar *endA = a.data() + a.size();
    const QChar *endB = b.data() + b.size();
    qsizetype i = 0;
    while (i + CompareBlock <= limit
           && std::memcmp(endA - i - CompareBlock, endB - i - CompareBlock, CompareBlock * sizeof(QChar)) == 0)
        i += CompareBlock;
    while (i < limit && endA[-i - 1] == endB[-i - 1])
        ++i;
    return i;
}

// The text with an LF for each CR LF, in one pass.
QString withLfBreaks(const QString &text)
{
    qsizetype cr = text.indexOf(u'\r');
    if (cr < 0)
        return text;
    QString lf(text.size(), Qt::Uninitialized);
    QChar *out = lf.data();
    qsizetype from = 0;
    for (; cr >= 0; cr = text.indexOf(u'\r', cr + 1)) {
        if (cr + 1 < text.size() && text[cr + 1] == u'\n') {
            out = std::copy(text.constData() + from, text.constData() + cr, out);
            from = cr + 1;
        }
    }
    out = std::copy(text.constData() + from, text.constData() + text.size(), out);
    lf.truncate(out - lf.constData());
    return lf;
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

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

CodePane::CodePane(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFont(codePaneFont());
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    updateScrollBars();
}

CodePane::~CodePane() = default;

int CodePane::lineAt(qsizetype offset) const
{
    return int(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset) - m_lineStarts.begin()) - 1;
}

qsizetype CodePane::lineEnd(int line) const
{
    if (line + 1 == lineCount())
        return m_text.size();
    const qsizetype lf = m_lineStarts[line + 1] - 1;
    return lf > m_lineStarts[line] && m_text[lf - 1] == u'\r' ? lf - 1 : lf;
}

QStringView CodePane::lineText(int line) const
{
    return QStringView(m_text).sliced(m_lineStarts[line], lineEnd(line) - m_lineStarts[line]);
}

int CodePane::lineHeight() const
{
    return std::max(fontMetrics().lineSpacing(), 1);
}

qreal CodePane::charAdvance() const
{
    return QFontMetricsF(font()).horizontalAdvance(u'M');
}

QPointF CodePane::lineOrigin(int line) const
{
    return {qreal(TextMargin - horizontalScrollBar()->value()),
            qreal(TextMargin + (line - verticalScrollBar()->value()) * lineHeight())};
}

void CodePane::layOutLine(QTextLayout &layout, int line) const
{
    layout.setText(lineText(line).toString());
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabColumns * charAdvance());
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

qsizetype CodePane::offsetAt(QPoint viewportPos) const
{
    const int below = int(std::floor(double(viewportPos.y() - TextMargin) / lineHeight()));
    const int line = std::clamp(verticalScrollBar()->value() + below, 0, lineCount() - 1);
    QTextLayout layout;
    layOutLine(layout, line);
    return m_lineStarts[line] + layout.lineAt(0).xToCursor(viewportPos.x() - lineOrigin(line).x());
}

void CodePane::workOutStatesUpTo(int line)
{
    if (m_lineStates.empty())
        m_lineStates.push_back(HtmlLineState::InText);
    while (int(m_lineStates.size()) <= line) {
        const int before = int(m_lineStates.size()) - 1;
        m_lineStates.push_back(colourHtmlLine(lineText(before), m_lineStates.back()));
    }
}

void CodePane::showMapText(const QString &text)
{
    // The text is kept as given, sharing the caller's copy: converting a
    // megabyte's line breaks on every edit would cost more than the rest.
    // Only the stretch that differs changes: the old text's [head, oldEnd)
    // becomes the new text's [head, newEnd).
    const qsizetype head = commonHead(m_text, text);
    const qsizetype tail = commonTail(m_text, text, std::min(m_text.size(), text.size()) - head);
    if (head == m_text.size() && head == text.size())
        return;
    const qsizetype oldEnd = m_text.size() - tail;
    const qsizetype newEnd = text.size() - tail;
    const qsizetype shift = newEnd - oldEnd;
    const int firstChanged = lineAt(head);
    const bool aboveView = lineAt(oldEnd) < verticalScrollBar()->value();

    // A line starts after each line break: the breaks in the changed stretch
    // are replaced, those after it move with the text.
    const auto removedFrom = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), head);
    const auto removedTo = std::upper_bound(removedFrom, m_lineStarts.end(), oldEnd);
    std::vector<qsizetype> added;
    for (qsizetype at = text.indexOf(u'\n', head); at >= 0 && at < newEnd; at = text.indexOf(u'\n', at + 1))
        added.push_back(at + 1);
    const int addedLines = int(added.size()) - int(removedTo - removedFrom);
    std::for_each(removedTo, m_lineStarts.end(), [shift](qsizetype &start) { start += shift; });
    m_lineStarts.insert(m_lineStarts.erase(removedFrom, removedTo), added.begin(), added.end());
    m_text = text;

    // The lines before the change keep their colouring states and layouts.
    m_lineStates.resize(std::min(m_lineStates.size(), size_t(firstChanged) + 1));
    std::erase_if(m_layouts, [firstChanged](const auto &kept) { return kept.first >= firstChanged; });
    const auto follow = [&](qsizetype offset) { return offset <= head ? offset : std::max(offset + shift, head); };
    m_anchor = follow(m_anchor);
    m_position = follow(m_position);
    m_longestLine = 0;
    for (int line = 0; line < lineCount(); ++line)
        m_longestLine = std::max(m_longestLine, lineEnd(line) - m_lineStarts[line]);

    // A change wholly above the view moves the view with the text.
    const int topLine = verticalScrollBar()->value() + (aboveView ? addedLines : 0);
    updateScrollBars();
    verticalScrollBar()->setValue(topLine);
    viewport()->update();
}

void CodePane::updateScrollBars()
{
    const QSize view = viewport()->size();
    const int wholeLines = std::max((view.height() - TextMargin) / lineHeight(), 1);
    QScrollBar *vertical = verticalScrollBar();
    vertical->setRange(0, std::max(lineCount() - wholeLines, 0));
    vertical->setPageStep(wholeLines);
    vertical->setSingleStep(1);
    // Monospaced, the longest line is the widest but for tabs and wide glyphs.
    const int width = int(std::ceil(qreal(m_longestLine) * charAdvance())) + 2 * TextMargin;
    QScrollBar *horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(width - view.width(), 0));
    horizontal->setPageStep(view.width());
    horizontal->setSingleStep(std::max(int(charAdvance()), 1));
}

QString CodePane::toPlainText() const
{
    return withLfBreaks(m_text);
}

QString CodePane::selectedText() const
{
    const qsizetype from = std::min(m_anchor, m_position);
    return withLfBreaks(m_text.sliced(from, std::max(m_anchor, m_position) - from));
}

void CodePane::select(qsizetype anchor, qsizetype position)
{
    if (anchor == m_anchor && position == m_position)
        return;
    m_anchor = anchor;
    m_position = position;
    viewport()->update();
}

void CodePane::selectAll()
{
    select(0, m_text.size());
}

void CodePane::copy() const
{
    if (m_anchor != m_position)
        QApplication::clipboard()->setText(selectedText());
}

void CodePane::selectWordAt(qsizetype offset)
{
    qsizetype from = offset;
    qsizetype to = offset;
    while (from > 0 && isWordChar(m_text[from - 1]))
        --from;
    while (to < m_text.size() && isWordChar(m_text[to]))
        ++to;
    if (from == to && to < lineEnd(lineAt(to)))
        ++to; // between words: the character itself
    select(from, to);
}

const QTextLayout &CodePane::colouredLayout(int line)
{
    std::unique_ptr<QTextLayout> &layout = m_layouts[line];
    if (!layout) {
        std::vector<HtmlSpan> spans;
        colourHtmlLine(lineText(line), m_lineStates[line], &spans);
        QList<QTextLayout::FormatRange> colours;
        colours.reserve(qsizetype(spans.size()));
        for (const HtmlSpan &span : spans)
            colours.append({span.start, span.length, htmlRoleFormat(span.role)});
        layout = std::make_unique<QTextLayout>();
        layout->setCacheEnabled(true);
        layout->setFormats(colours);
        layOutLine(*layout, line);
    }
    return *layout;
}

void CodePane::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int first = verticalScrollBar()->value();
    const int last = std::min(first + viewport()->height() / lineHeight() + 1, lineCount() - 1);
    workOutStatesUpTo(last);

    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    const qsizetype selectedFrom = std::min(m_anchor, m_position);
    const qsizetype selectedTo = std::max(m_anchor, m_position);

    std::erase_if(m_layouts, [&](const auto &kept) { return kept.first < first || kept.first > last; });
    for (int line = first; line <= last; ++line) {
        const QTextLayout &layout = colouredLayout(line);
        const QPointF origin = lineOrigin(line);
        const qsizetype start = m_lineStarts[line];
        const qsizetype end = lineEnd(line);
        QList<QTextLayout::FormatRange> selection;
        if (selectedFrom < selectedTo && selectedFrom <= end && selectedTo > start) {
            const qsizetype from = std::max(selectedFrom, start) - start;
            const qsizetype to = std::min(selectedTo, end) - start;
            if (to > from)
                selection.append({int(from), int(to - from), selected});
            if (selectedTo > end && end < m_text.size()) // the line break too
                painter.fillRect(
                    QRectF(origin.x() + layout.lineAt(0).naturalTextWidth(), origin.y(), charAdvance(), lineHeight()),
                    selected.background());
        }
        layout.draw(&painter, origin, selection);
    }
}

void CodePane::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CodePane::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_layouts.clear();
        updateScrollBars();
    }
}

void CodePane::scrollContentsBy(int, int)
{
    viewport()->update(); // the vertical bar counts lines, not pixels
}

// The frame and the selection's colours show where the focus is.
void CodePane::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    update();
    viewport()->update();
}

void CodePane::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    update();
    viewport()->update();
}

bool CodePane::event(QEvent *event)
{
    // The pane's own keys are not the window's shortcuts while it has the
    // focus: the copy key copies its text, not the selected area.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key == QKeySequence::Copy || key == QKeySequence::SelectAll) {
            event->accept();
            return true;
        }
    }
    const bool handled = QAbstractScrollArea::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        // Text edits show the focus in their frame; the style's plain frame does not.
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    return handled;
}

void CodePane::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy)
        copy();
    else if (event == QKeySequence::SelectAll)
        selectAll();
    else if (event->key() == Qt::Key_Home) {
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->key() == Qt::Key_End)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    else
        QAbstractScrollArea::keyPressEvent(event); // arrows and pages scroll
}

void CodePane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const qsizetype offset = offsetAt(at);
    if (!m_tripleClick.hasExpired()
        && (at - m_doubleClickPoint).manhattanLength() < QApplication::startDragDistance()) {
        const int line = lineAt(offset);
        select(m_lineStarts[line], line + 1 < lineCount() ? m_lineStarts[line + 1] : m_text.size());
        m_tripleClick = QDeadlineTimer();
        return;
    }
    select(event->modifiers() & Qt::ShiftModifier ? m_anchor : offset, offset);
    m_dragging = true;
}

void CodePane::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        dragTo(event->position().toPoint());
}

void CodePane::dragTo(QPoint viewportPos)
{
    m_dragPoint = viewportPos;
    select(m_anchor, offsetAt(viewportPos));
    if (viewport()->rect().contains(viewportPos))
        m_autoScroll.stop();
    else if (!m_autoScroll.isActive())
        m_autoScroll.start(AutoScrollInterval, this);
}

void CodePane::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_autoScroll.timerId())
        return QAbstractScrollArea::timerEvent(event);
    const QRect view = viewport()->rect();
    const auto towards = [](int at, int low, int high) { return at < low ? -1 : at > high ? 1 : 0; };
    QScrollBar *vertical = verticalScrollBar();
    QScrollBar *horizontal = horizontalScrollBar();
    vertical->setValue(vertical->value() + towards(m_dragPoint.y(), view.top(), view.bottom()));
    horizontal->setValue(horizontal->value()
                         + towards(m_dragPoint.x(), view.left(), view.right()) * horizontal->singleStep());
    dragTo(m_dragPoint);
}

void CodePane::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    m_autoScroll.stop();
    // As in other X11 programs, what is selected can be pasted with the middle button.
    QClipboard *clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && m_anchor != m_position)
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void CodePane::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    selectWordAt(offsetAt(event->position().toPoint()));
    m_doubleClickPoint = event->position().toPoint();
    m_tripleClick = QDeadlineTimer(QApplication::doubleClickInterval());
}

void CodePane::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copyAction = menu.addAction(tr("&Copy"), this, &CodePane::copy);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setEnabled(m_anchor != m_position);
    menu.addAction(tr("Select All"), this, &CodePane::selectAll)->setShortcut(QKeySequence::SelectAll);
    menu.exec(event->globalPos());
}
