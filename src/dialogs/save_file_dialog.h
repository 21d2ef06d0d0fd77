// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Desktop;
class QWidget;

// `dlgsave`: the save dialog the save commands share. It keeps the name of
// the last file chosen, which the next use suggests unless it is cleared.
class SaveFileDialog {
public:
    explicit SaveFileDialog(Desktop &desktop) : m_desktop(desktop) {}

    // The file the user chose to save, empty when the choice was cancelled
    // (the name kept stays as it was then). filter: description and patterns
    // in QFileDialog's form.
    QString show(QWidget *parent, const QString &title, const QString &filter);

    QString fileName;

private:
    Desktop &m_desktop;
};
