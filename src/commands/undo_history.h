// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

// A list of map texts, newest last, kept small: a map of ten thousand
// areas has a text of a megabyte or more, yet two texts next to each other
// in the history differ in a line or two. So only the newest text is kept
// whole; each older one is kept as the stretch in which it differs from the
// next newer one.
class SnapshotStack {
public:
    bool empty() const { return !m_hasNewest; }
    std::size_t size() const { return m_hasNewest ? m_older.size() + 1 : 0; }
    void push(const QString &text);
    // Takes the newest text off; the stack must not be empty.
    QString take();
    void clear();
    qsizetype storedBytes() const;

private:
    // An older text as a newer one with the part between `head` leading and
    // `tail` trailing characters replaced by `middle`.
    struct Difference {
        qsizetype head = 0;
        qsizetype tail = 0;
        QString middle;
    };

    QString m_newest;
    bool m_hasNewest = false;
    std::vector<Difference> m_older; // the last one leads from m_newest
};

// The undo and redo lists of whole map texts.
class UndoHistory {
public:
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

    void pushUndo(const QString &text) { m_undo.push(text); }
    void pushRedo(const QString &text) { m_redo.push(text); }
    // Takes the newest entry off its list; the list must not be empty.
    QString takeUndo() { return m_undo.take(); }
    QString takeRedo() { return m_redo.take(); }

    void clear();

    // Bytes the kept texts take.
    qsizetype storedBytes() const { return m_undo.storedBytes() + m_redo.storedBytes(); }

private:
    SnapshotStack m_undo;
    SnapshotStack m_redo;
};
