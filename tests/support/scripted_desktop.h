// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop.h"
#include "printers.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <ostream>

// What the program told the user and asked of the desktop during a test,
// and the user's answers to its questions: queued, first in first out; with
// no answer left the user cancels. Documents open and programs start (on
// paper only, unless runPrograms says otherwise) as long as desktopLaunches
// holds. A wait runs until what it waits for is done; a cancelling user
// presses Cancel just then, so that whatever was done is there to be thrown
// away.
struct DesktopScript {
    struct Message {
        QString text;
        QString title;
        MessageIcon icon = MessageIcon::Exclamation;
        friend bool operator==(const Message &, const Message &) = default;
    };

    // What happened, in order.
    QList<Message> messages;
    QStringList about;           // title, a line break, then the text
    QList<QColor> colorsOffered; // the colour each colour chooser started from
    QList<QUrl> opened;
    QList<QStringList> started;   // each program, then its arguments
    QList<QStringList> saveAsked; // each save dialog's caption, filter and suggested name
    QString clipboard;

    // The answers.
    QStringList openFiles;
    QStringList saveFiles;
    QList<QColor> colors;
    bool desktopLaunches = true;
    bool runPrograms = false; // start them for real, through the real desktop
    QList<int> mapChoices;
    int cancelledWaits = 0; // how many of the next waits the user cancels
};

// The desktop of the editor's tests: plays a script instead of showing
// dialogs. The script outlives the window that owns the desktop.
class ScriptedDesktop : public Desktop {
public:
    explicit ScriptedDesktop(std::shared_ptr<DesktopScript> script) : m_script(std::move(script)) {}

    void message(QWidget *, const QString &text, const QString &title, MessageIcon icon) override
    {
        m_script->messages.append({text, title, icon});
    }
    void about(QWidget *, const QString &title, const QString &text) override
    {
        m_script->about.append(title + QLatin1Char('\n') + text);
    }
    int chooseMap(QWidget *, const QStringList &) override
    {
        return m_script->mapChoices.isEmpty() ? -1 : m_script->mapChoices.takeFirst();
    }
    QString chooseOpenFile(QWidget *, const QString &, const QString &) override
    {
        return m_script->openFiles.isEmpty() ? QString() : m_script->openFiles.takeFirst();
    }
    QString chooseSaveFile(QWidget *, const QString &caption, const QString &filter, const QString &suggested) override
    {
        m_script->saveAsked.append({caption, filter, suggested});
        return m_script->saveFiles.isEmpty() ? QString() : m_script->saveFiles.takeFirst();
    }
    QColor chooseColor(QWidget *, QColor initial) override
    {
        m_script->colorsOffered.append(initial);
        return m_script->colors.isEmpty() ? QColor() : m_script->colors.takeFirst();
    }
    bool waitWithProgress(QWidget *, const QString &, const std::function<bool()> &finished) override
    {
        while (!finished())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (m_script->cancelledWaits == 0)
            return true;
        --m_script->cancelledWaits;
        return false;
    }
    void openDocument(const QUrl &url, std::function<void()> failed) override
    {
        m_script->opened.append(url);
        if (!m_script->desktopLaunches)
            failed();
    }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        m_script->started.append(QStringList{program} + arguments);
        if (m_script->runPrograms)
            return Desktop::startProgram(program, arguments);
        return m_script->desktopLaunches;
    }
    void setClipboardText(const QString &text) override { m_script->clipboard = text; }

private:
    std::shared_ptr<DesktopScript> m_script;
};

inline void PrintTo(const DesktopScript::Message &message, std::ostream *os)
{
    static const char *const icons[] = {"Information", "Exclamation", "Critical"};
    *os << icons[int(message.icon)] << ' ';
    PrintTo(message.title, os);
    *os << ' ';
    PrintTo(message.text, os);
}
