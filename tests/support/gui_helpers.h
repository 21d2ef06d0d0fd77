#pragma once

#include "app/form1.h"
#include "scripted_desktop.h"

#include <QImage>

#include <memory>

// A main window shown offscreen at its designed size, talking to a scripted desktop.
struct ShownForm {
    std::shared_ptr<DesktopScript> desktop = std::make_shared<DesktopScript>();
    std::unique_ptr<Form1> form;

    ShownForm();
    Form1 *operator->() const { return form.get(); }
};

// A picture whose every pixel tells where it came from: red is x, green is
// y (both modulo 256), blue is 255 on the right half and 0 on the left.
QImage markedPicture(QSize size);

// Puts a picture on the canvas as a newly loaded map picture is put there.
void showPicture(Form1 &form, const QImage &picture);
