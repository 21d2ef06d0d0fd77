// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_filter.h"

#include <QStringList>

QString fileDialogFilter(const QList<FileFilter> &filters)
{
    // Qt's form: "Description (patterns)", patterns apart by blanks, entries
    // apart by ";;". Qt takes the last parentheses as the patterns, so a
    // description may keep its own.
    QStringList entries;
    for (const FileFilter &filter : filters) {
        QStringList patterns = filter.patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        entries << filter.description + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QLatin1String(";;"));
}

FileFilter allFiles()
{
    return {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")};
}

FileFilter htmlFiles()
{
    return {QStringLiteral("HTML Files (*.html,*.htm)"), QStringLiteral("*.html;*.htm")};
}
