// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop.h"

#include "dialogs/frm_selectmap.h"
#include "pictures/open_file_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include <memory>

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
    QMessageBox box(boxIcon(icon), title.isEmpty() ? QApplication::applicationDisplayName() : title, text,
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

bool Desktop::waitWithProgress(QWidget *parent, const QString &label, const std::function<bool()> &finished)
{
    bool cancelled = false;
    std::unique_ptr<QProgressDialog> progress;
    // The box never covers a question asked during the wait (the choice of a
    // map): it waits until that is answered.
    QWidget *const modalAtStart = QApplication::activeModalWidget();
    QTimer showTimer;
    showTimer.setSingleShot(true);
    QObject::connect(&showTimer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != modalAtStart) {
            showTimer.start(ProgressDelayMs);
            return;
        }
        progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, 0, parent);
        progress->setWindowModality(Qt::ApplicationModal);
        QObject::connect(progress.get(), &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
        progress->show();
    });
    showTimer.start(ProgressDelayMs);
    while (!cancelled && !finished()) {
        // Until the box shows, what the user types or clicks waits for the
        // end: nothing may change the map in the meantime. The box then
        // blocks every other window.
        const QEventLoop::ProcessEventsFlags flags =
            progress ? QEventLoop::WaitForMoreEvents
                     : QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(flags);
    }
    return !cancelled;
}

void Desktop::openDocument(const QUrl &url, std::function<void()> failed)
{
    // xdg-open finds the viewer on every Linux desktop and says by its exit
    // status whether it could; it may wait for the viewer to close, so the
    // answer comes whenever it ends.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        failed();
        return;
    }
    auto *process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process, [process, failed](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            failed();
            process->deleteLater();
        }
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed = std::move(failed)](int exitCode, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || exitCode != 0)
                             failed();
                         process->deleteLater();
                     });
    // An opener still waiting for its viewer when the program ends is left
    // to run on: the viewer stays, and nothing complains about it.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, process, [process] {
        process->disconnect();
        process->setParent(nullptr);
    });
    process->start(opener, {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
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
