// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_helpers.h"
#include "area_points.h"
#include "canvas/canvas.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

ShownForm::ShownForm(QSize picture) : form(std::make_unique<Form1>(std::make_unique<ScriptedDesktop>(desktop)))
{
    form->show();
    form->activateWindow();
    // Window shortcuts need the window to be the active one.
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the main window did not become active");
    if (picture.isValid())
        showPicture(*form, markedPicture(picture));
}

void ShownForm::choose(const char *key) const
{
    form->dispatchMenuKey(QLatin1String(key));
}

void ShownForm::moveTo(QPoint p, Qt::MouseButtons held) const
{
    Canvas *canvas = form->mainpic();
    QMouseEvent move(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

void ShownForm::click(QPoint p, Qt::MouseButton button) const
{
    moveTo(p);
    QTest::mouseClick(form->mainpic(), button, {}, p);
}

void ShownForm::drag(QPoint from, QPoint to) const
{
    moveTo(from);
    QTest::mousePress(form->mainpic(), Qt::LeftButton, {}, from);
    moveTo((from + to) / 2, Qt::LeftButton);
    moveTo(to, Qt::LeftButton);
    QTest::mouseRelease(form->mainpic(), Qt::LeftButton, {}, to);
}

std::vector<QPoint> ShownForm::points(int position) const
{
    return pointsOf(form->document().shapecol.item(position));
}

QString ShownForm::code() const
{
    return form->htmltext()->toPlainText();
}

QString ShownForm::mapText() const
{
    return code().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

QString captionWords(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char('&'))
            text.remove(i, 1); // the next character stays, even a second "&"
    return text;
}

void press(QWidget *dialog, const char *button)
{
    QTest::mouseClick(dialog->findChild<QAbstractButton *>(QLatin1String(button)), Qt::LeftButton);
}

QImage markedPicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, x < size.width() / 2 ? 0 : 255));
    return image;
}

void showPicture(Form1 &form, const QImage &picture)
{
    form.document().image_file = QStringLiteral("/pictures/test.png");
    form.setPicture(picture);
    form.mnuview_normalsize();
}
