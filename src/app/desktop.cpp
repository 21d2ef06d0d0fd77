#include "desktop.h"

#include "dialogs/frm_selectmap.h"
#include "pictures/open_file_dialog.h"

#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Desktop::message(QWidget *parent, const QString &text, const QString &title, MessageIcon icon)
{
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QGuiApplication::applicationDisplayName() : title, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void Desktop::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

int Desktop::chooseMap(QWidget *parent, const QStringList &mapNames)
{
    frm_selectmap dialog(mapNames, parent);
    dialog.exec();
    return dialog.selectedMapIndex();
}

QString Desktop::chooseOpenFile(QWidget *parent, const QString &caption, const QString &filter)
{
    OpenFileDialog dialog(parent, caption, filter);
    return dialog.chooseFile();
}

QString Desktop::chooseSaveFile(QWidget *parent, const QString &caption, const QString &filter,
                                const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

QColor Desktop::chooseColor(QWidget *parent, QColor initial)
{
    return QColorDialog::getColor(initial, parent);
}

bool Desktop::openDocument(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool Desktop::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

void Desktop::setClipboardText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

MapChooser mapChooserFor(Desktop &desktop, QWidget *parent)
{
    return [&desktop, parent = QPointer<QWidget>(parent)](const QStringList &mapNames) {
        return desktop.chooseMap(parent, mapNames);
    };
}
