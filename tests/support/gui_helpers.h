#pragma once

#include "app/desktop.h"
#include "app/form1.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <memory>

// What the window asked of the desktop during a test.
struct DesktopLog {
    QStringList about; // title, a line break, then the text
    QList<QUrl> opened;
};

class RecordingDesktop : public Desktop {
public:
    explicit RecordingDesktop(std::shared_ptr<DesktopLog> log) : m_log(std::move(log)) {}
    void about(QWidget *, const QString &title, const QString &text) override
    {
        m_log->about << title + QLatin1Char('\n') + text;
    }
    void openDocument(const QUrl &url) override { m_log->opened << url; }

private:
    std::shared_ptr<DesktopLog> m_log;
};

// A main window shown offscreen at its designed size, talking to a recorder.
struct ShownForm {
    std::shared_ptr<DesktopLog> desktop = std::make_shared<DesktopLog>();
    std::unique_ptr<Form1> form;

    ShownForm();
    Form1 *operator->() const { return form.get(); }
};

// A picture whose every pixel tells where it came from: red is x, green is
// y (both modulo 256), blue is 255 on the right half and 0 on the left.
QImage markedPicture(QSize size);

// Puts a picture on the canvas as a newly loaded map picture is put there.
void showPicture(Form1 &form, const QImage &picture);
