// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One entry of a file dialog's type list: the text the user reads and the
// name patterns it stands for, apart by ";" ("*.html;*.htm").
struct FileFilter {
    QString description;
    QString patterns;
};

// The entries, in their order, as the one filter string QFileDialog takes.
// Each description is kept whole, parentheses and trailing blanks included;
// the open dialog shows only the descriptions. "*.*" means every file, as
// it does on the systems these filters come from, also names without a dot.
QString fileDialogFilter(const QList<FileFilter> &filters);

// The entry every chooser of an HTML page offers.
FileFilter htmlFiles();
// The entry that shows every file.
FileFilter allFiles();
