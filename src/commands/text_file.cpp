// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_file.h"

#include <QSaveFile>

namespace {

WriteOutcome failed(const QSaveFile &file)
{
    const QString reason = file.errorString();
    return {reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason};
}

} // namespace

WriteOutcome writeTextFile(const QString &path, const QString &text)
{
    return writeWholeFile(path, (text + QLatin1String("\r\n")).toUtf8());
}

WriteOutcome writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return {QStringLiteral("No file name was given.")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file);
    // The bytes go out before commit(): a disk that fills up while the
    // buffer is flushed fails the flush, but commit() would not notice and
    // would put the cut-off file in place. Leaving without commit() drops
    // the scratch file.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return failed(file);
    return {};
}
