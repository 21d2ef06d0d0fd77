// SPDX-License-Identifier: GPL-3.0-or-later
#include "save_file_dialog.h"

#include "app/desktop.h"

QString SaveFileDialog::show(QWidget *parent, const QString &title, const QString &filter)
{
    const QString chosen = m_desktop.chooseSaveFile(parent, title, filter, fileName);
    if (!chosen.isEmpty())
        fileName = chosen;
    return chosen;
}
