#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The undo and redo lists: whole map texts, newest last. A map of ten
// thousand areas has a text of about a megabyte, and a long session keeps
// hundreds of them, so each is kept compressed; consecutive texts differ
// in a line or two and compress to a small part of their size.
class UndoHistory {
public:
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }

    void pushUndo(const QString &text) { m_undo.push_back(pack(text)); }
    void pushRedo(const QString &text) { m_redo.push_back(pack(text)); }
    // Takes the newest entry off its list; the list must not be empty.
    QString takeUndo() { return takeNewest(m_undo); }
    QString takeRedo() { return takeNewest(m_redo); }

    void clear();

    // Bytes the kept snapshots take.
    qsizetype storedBytes() const;

private:
    static QByteArray pack(const QString &text);
    static QString takeNewest(std::vector<QByteArray> &list);

    std::vector<QByteArray> m_undo;
    std::vector<QByteArray> m_redo;
};
