#include "gui_helpers.h"

#include <QTest>

ShownForm::ShownForm() : form(std::make_unique<Form1>(std::make_unique<ScriptedDesktop>(desktop)))
{
    form->show();
    form->activateWindow();
    // Window shortcuts need the window to be the active one.
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("the main window did not become active");
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
