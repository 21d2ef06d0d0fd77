// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/code_pane.h"
#include "support/printers.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A map of 500 areas, one a line after the map's opening tag.
QStringList mapLines(const char *name)
{
    QStringList lines{QStringLiteral("<map name=\"%1\">").arg(QLatin1String(name))};
    for (int i = 0; i < 500; ++i)
        lines << QStringLiteral("<area href=\"%1%2.html\">").arg(QLatin1String(name)).arg(i);
    return lines << QStringLiteral("</map>");
}

QString crlf(const QStringList &lines)
{
    return lines.join(QLatin1String("\r\n"));
}

// Inside the character at `column` of `line`, in the pane's view.
QPoint at(const CodePane &pane, int line, int column)
{
    const qreal advance = QFontMetricsF(pane.font()).horizontalAdvance(u'M');
    const int height = pane.fontMetrics().lineSpacing();
    return {int(4 + (column + 0.25) * advance) - pane.horizontalScrollBar()->value(),
            4 + (line - pane.verticalScrollBar()->value()) * height + height / 2};
}

void dragTo(const CodePane &pane, QPoint p)
{
    QWidget *view = pane.viewport();
    QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
}

// The darkest pixel of a line as painted.
QColor darkestIn(const CodePane &pane, int line)
{
    const QImage image = pane.viewport()->grab().toImage();
    const int height = pane.fontMetrics().lineSpacing();
    QColor darkest = Qt::white;
    for (int y = 4 + line * height; y < 4 + (line + 1) * height; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < qGray(darkest.rgb()))
                darkest = image.pixelColor(x, y);
    return darkest;
}

} // namespace

// The pane shows each map text as given, with LF breaks, whether a line
// changed or the whole map did; a change below the first line in view
// leaves the view and the selection alone, one above moves them with their
// text.
TEST(CodePane, FollowsTheMapTextAndKeepsTheReadersPlace)
{
    CodePane pane(nullptr);
    pane.resize(400, 120);
    QStringList changed = mapLines("b");
    changed[250] = QStringLiteral("<area href=\"changed.html\">");
    for (const QString &text : {crlf(mapLines("a")), crlf(mapLines("b")), crlf(changed), crlf(mapLines("a")), QString(),
                                crlf(mapLines("b"))}) {
        pane.showMapText(text);
        EXPECT_EQ(pane.toPlainText(), QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }

    QStringList lines = mapLines("a");
    pane.showMapText(crlf(lines));
    pane.show();
    pane.verticalScrollBar()->setValue(300);
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, at(pane, 301, 13));
    EXPECT_EQ(pane.selectedText(), QStringLiteral("a300"));
    lines[400] = QStringLiteral("<area href=\"below.html\">");
    pane.showMapText(crlf(lines));
    EXPECT_EQ(pane.verticalScrollBar()->value(), 300);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("a300"));
    lines.insert(100, QStringLiteral("<area href=\"above.html\">"));
    pane.showMapText(crlf(lines));
    EXPECT_EQ(pane.verticalScrollBar()->value(), 301);
    EXPECT_EQ(pane.selectedText(), QStringLiteral("a300"));
}

TEST(CodePane, SelectsWithTheMouseAndCopiesTheSelection)
{
    CodePane pane(nullptr);
    pane.resize(400, 120);
    pane.show();
    pane.showMapText(QStringLiteral("<map name=\"m\">\r\n<area href=\"one.html\">\r\n</map>"));
    QTest::mousePress(pane.viewport(), Qt::LeftButton, {}, at(pane, 0, 1));
    dragTo(pane, at(pane, 1, 5));
    QTest::mouseRelease(pane.viewport(), Qt::LeftButton, {}, at(pane, 1, 5));
    EXPECT_EQ(pane.selectedText(), QStringLiteral("map name=\"m\">\n<area"));
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, Qt::ShiftModifier, at(pane, 2, 2));
    EXPECT_EQ(pane.selectedText(), QStringLiteral("map name=\"m\">\n<area href=\"one.html\">\n</"));

    QApplication::clipboard()->clear();
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), pane.selectedText());
    QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(pane.selectedText(), pane.toPlainText());
}

// A line's colours follow a change of the lines above it: opening a comment
// there greys the lines after it.
TEST(CodePane, ColoursFollowAConstructOpenedOnAnEarlierLine)
{
    CodePane pane(nullptr);
    pane.resize(400, 120);
    pane.show();
    pane.showMapText(QStringLiteral("<map>\r\nplain words\r\n</map>"));
    const QColor plain = darkestIn(pane, 1);
    pane.showMapText(QStringLiteral("<!-- map\r\nplain words\r\n</map>"));
    const QColor comment = darkestIn(pane, 1);
    EXPECT_LT(qGray(plain.rgb()), 0x40);
    EXPECT_NEAR(qGray(comment.rgb()), qGray(htmlRoleFormat(HtmlRole::Comment).foreground().color().rgb()), 0x20);
}
