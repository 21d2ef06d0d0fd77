// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/form1.h"
#include "scripted_desktop.h"

#include <QImage>
#include <QPoint>

#include <memory>
#include <vector>

// A main window shown offscreen at its designed size, talking to a scripted
// desktop, and what a user does there: menu commands by key and the mouse on
// the canvas, in canvas pixels.
struct ShownForm {
    std::shared_ptr<DesktopScript> desktop = std::make_shared<DesktopScript>();
    std::unique_ptr<Form1> form;

    // With a size, a marked picture of that size is on the canvas.
    explicit ShownForm(QSize picture = QSize());
    Form1 *operator->() const { return form.get(); }

    void choose(const char *key) const;
    void moveTo(QPoint p, Qt::MouseButtons held = Qt::NoButton) const;
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) const;
    void drag(QPoint from, QPoint to) const;

    std::vector<QPoint> points(int position) const; // of the area at that position
    QString code() const;                           // the code pane's text
    QString mapText() const;                        // the same with the map text's CR LF breaks
};

// The last shown modeless dialog of type D that the window owns, or null.
template <typename D> D *openDialog(Form1 &form)
{
    D *dialog = nullptr;
    for (D *candidate : form.findChildren<D *>())
        if (candidate->isVisible())
            dialog = candidate;
    return dialog;
}

// A menu caption's words as the user reads them: without the "&" that marks
// the access key ("&&" stands for one "&").
QString captionWords(QString text);

// Clicks the button or check box of that object name in a dialog.
void press(QWidget *dialog, const char *button);

// A picture whose every pixel tells where it came from: red is x, green is
// y (both modulo 256), blue is 255 on the right half and 0 on the left.
QImage markedPicture(QSize size);

// Puts a picture on the canvas as a newly loaded map picture is put there.
void showPicture(Form1 &form, const QImage &picture);
