#include "desktop.h"

#include "pictures/open_file_dialog.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QVBoxLayout>

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
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Select Map"));
    auto *names = new QListWidget(&dialog);
    names->addItems(mapNames);
    names->setCurrentRow(0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(names, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Please select which map you would like to edit :"), &dialog));
    layout->addWidget(names);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted ? names->currentRow() : -1;
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

MapChooser mapChooserFor(Desktop &desktop, QWidget *parent)
{
    return [&desktop, parent = QPointer<QWidget>(parent)](const QStringList &mapNames) {
        return desktop.chooseMap(parent, mapNames);
    };
}
