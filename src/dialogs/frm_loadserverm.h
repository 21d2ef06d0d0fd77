// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/map_document.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

// frm_loadserverm: the page and the map file of a server-side map to load,
// and the map's format. Only the Browse buttons choose the files (the boxes
// show them and take no typing); a cancelled browse forgets the file chosen
// before. The buttons ask whoever opened the dialog (browseHtml, browseMap),
// which answers with htmlFileChosen and mapFileChosen. OK with both files
// chosen asks for the load (loadRequested) and leaves closing to the loader;
// OK with a file missing just closes the dialog.
class frm_loadserverm : public QDialog {
    Q_OBJECT
public:
    explicit frm_loadserverm(QWidget *parent = nullptr);

    const QString &htmlFile() const { return m_htmlFile; }
    const QString &mapFile() const { return m_mapFile; }
    void htmlFileChosen(const QString &path);
    void mapFileChosen(const QString &path);
    // CERN when its box is checked; NCSA otherwise, neither box checked included.
    ServerSideType format() const;

    QLineEdit *txt_htmlfile = nullptr;
    QLineEdit *txt_mapfile = nullptr;
    QPushButton *cmdbrowse_html = nullptr;
    QPushButton *cmdbrowse_map = nullptr;
    QCheckBox *chk_cern = nullptr;
    QCheckBox *chk_ncsa = nullptr;
    QPushButton *cmdok = nullptr;
    QPushButton *cmdcancel = nullptr;

signals:
    void browseHtml();
    void browseMap();
    void loadRequested();

private:
    QString m_htmlFile;
    QString m_mapFile;
};
