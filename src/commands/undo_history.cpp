#include "undo_history.h"

namespace {

// The fastest zlib level: a snapshot is taken on every edit, and the
// map texts repeat themselves so much that more effort gains little.
constexpr int CompressionLevel = 1;

} // namespace

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

qsizetype UndoHistory::storedBytes() const
{
    qsizetype bytes = 0;
    for (const auto *list : {&m_undo, &m_redo})
        for (const QByteArray &entry : *list)
            bytes += entry.capacity();
    return bytes;
}

QByteArray UndoHistory::pack(const QString &text)
{
    QByteArray packed = qCompress(text.toUtf8(), CompressionLevel);
    packed.squeeze();
    return packed;
}

QString UndoHistory::takeNewest(std::vector<QByteArray> &list)
{
    const QByteArray packed = std::move(list.back());
    list.pop_back();
    return QString::fromUtf8(qUncompress(packed));
}
