// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class Desktop;
class EditingSession;
class QLineEdit;
class QPushButton;
class SaveFileDialog;

// frm_saveserverm: saves a server-side map as its HTML page and its map
// file. Both paths start empty. Each Browse button asks through the shared
// save dialog with a cleared name; a cancelled choice keeps the path already
// in the box. OK saves (saveServerMap) and closes the dialog, or tells the
// user why not and stays open; Cancel writes nothing.
class frm_saveserverm : public QDialog {
    Q_OBJECT
public:
    frm_saveserverm(Desktop &desktop, SaveFileDialog &dlgsave, EditingSession &session, QWidget *parent = nullptr);

    QLineEdit *txt_htmlfile = nullptr;
    QLineEdit *txt_mapfile = nullptr;
    QPushButton *cmdbrowse_html = nullptr;
    QPushButton *cmdbrowse_map = nullptr;
    QPushButton *cmdok = nullptr;
    QPushButton *cmdcancel = nullptr;

private:
    void browse(QLineEdit *box, const QString &title, const QString &filter);
    void save();

    Desktop &m_desktop;
    SaveFileDialog &m_dlgsave;
    EditingSession &m_session;
};
