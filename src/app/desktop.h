// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/reader_services.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// The sign a message box carries; Exclamation is the warning sign of a
// command that could not be done.
enum class MessageIcon { Information, Exclamation, Critical };

// Everything the editor asks of the user and of the desktop around it:
// message boxes, the choice of a map, the file and colour choosers, opening
// a document in the viewer the desktop chooses, starting another program
// and the clipboard. The window, the dialogs and the commands all go through
// one Desktop; tests put a scripted one in its place. The calls that show a
// dialog return once the user has closed it.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A message box with an OK button. An empty title stands for the
    // application's own title.
    virtual void message(QWidget *parent, const QString &text, const QString &title, MessageIcon icon);
    virtual void about(QWidget *parent, const QString &title, const QString &text);
    // The index of the map the user chose from the names, or -1 for none.
    virtual int chooseMap(QWidget *parent, const QStringList &mapNames);
    // The full path of the existing file the user chose in the open dialog
    // with preview; empty when the choice was cancelled. filter: the file
    // types in QFileDialog's form, as fileDialogFilter() writes it from
    // description and pattern pairs (pictureFileFilter() for pictures).
    virtual QString chooseOpenFile(QWidget *parent, const QString &caption, const QString &filter);
    virtual QString chooseSaveFile(QWidget *parent, const QString &caption, const QString &filter,
                                   const QString &suggested);
    // The colour the user chose, starting from initial; an invalid colour
    // when the choice was cancelled.
    virtual QColor chooseColor(QWidget *parent, QColor initial);
    // Waits until finished() says so, keeping the windows painting; finished
    // is asked again whenever the event loop wakes, so whatever it waits for
    // must wake it. A wait that lasts longer than ProgressDelayMs shows label
    // in a progress box with a Cancel button. False when the user cancelled.
    virtual bool waitWithProgress(QWidget *parent, const QString &label, const std::function<bool()> &finished);
    static constexpr int ProgressDelayMs = 500;
    // Hands the document to the viewer the desktop chooses, without waiting
    // for it. When there is no viewer, or the desktop gives up on the
    // document, failed runs: at once, or later, once the desktop's opener
    // has ended. What the opener prints goes nowhere.
    virtual void openDocument(const QUrl &url, std::function<void()> failed);
    // Starts the program with exactly these arguments, no shell in between,
    // and does not wait for it; false when it cannot be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments);
    // Puts the text on the system clipboard as plain text, in place of
    // whatever it held.
    virtual void setClipboardText(const QString &text);
};

// The map chooser the readers ask when a page holds several maps: the
// desktop's, with its dialog over parent.
MapChooser mapChooserFor(Desktop &desktop, QWidget *parent);
