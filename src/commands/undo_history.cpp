// SPDX-License-Identifier: GPL-3.0-or-later
#include "undo_history.h"

#include <algorithm>

void SnapshotStack::push(const QString &text)
{
    if (m_hasNewest) {
        // What turns the new text back into the one it covers.
        const qsizetype common = std::min(text.size(), m_newest.size());
        Difference difference;
        while (difference.head < common && text[difference.head] == m_newest[difference.head])
            ++difference.head;
        while (difference.tail < common - difference.head
               && text[text.size() - 1 - difference.tail] == m_newest[m_newest.size() - 1 - difference.tail])
            ++difference.tail;
        difference.middle = m_newest.mid(difference.head, m_newest.size() - difference.head - difference.tail);
        m_older.push_back(std::move(difference));
    }
    m_newest = text;
    m_hasNewest = true;
}

QString SnapshotStack::take()
{
    QString taken = std::move(m_newest);
    m_hasNewest = !m_older.empty();
    if (m_hasNewest) {
        const Difference &difference = m_older.back();
        m_newest.reserve(difference.head + difference.middle.size() + difference.tail);
        m_newest.append(QStringView(taken).first(difference.head));
        m_newest.append(difference.middle);
        m_newest.append(QStringView(taken).last(difference.tail));
        m_older.pop_back();
    } else {
        m_newest = QString();
    }
    return taken;
}

void SnapshotStack::clear()
{
    m_newest = QString();
    m_hasNewest = false;
    m_older.clear();
}

qsizetype SnapshotStack::storedBytes() const
{
    qsizetype bytes = m_newest.capacity() * qsizetype(sizeof(QChar));
    for (const Difference &difference : m_older)
        bytes += qsizetype(sizeof(Difference)) + difference.middle.capacity() * qsizetype(sizeof(QChar));
    return bytes;
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}
