// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_properties.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// The area properties dialog: edits the link, alternative text, target
// frame, status-bar texts and event handlers of one area. The rules that
// tie the status texts to the onmouseover and onmouseout handlers live in
// AreaProperties; this widget only shows them. OK hands the edited area to
// whoever opened the dialog (accepted with the texts), Cancel drops it.
class frm_prop : public QDialog {
    Q_OBJECT
public:
    // area_id: the position of the edited area; its event handlers are loaded.
    frm_prop(int area_id, const clscoords &area, QWidget *parent = nullptr);

    // Fills the link, alternative text, status texts and target frame.
    void fillTexts(const clscoords &area);
    // Writes everything the dialog holds into the area.
    void applyTo(clscoords &area);

    int area_id() const { return m_areaId; }

    QLineEdit *txtlink = nullptr;
    QLineEdit *txtalt = nullptr;
    QComboBox *cmb_targetframe = nullptr;
    QLineEdit *txtmouseover = nullptr;
    QLineEdit *txtmouseout = nullptr;
    QListWidget *lstevents = nullptr;
    QPlainTextEdit *txteventaction = nullptr;
    QLabel *lbleventexpl = nullptr;

signals:
    void browseLink();
    void areaAccepted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The selected event is shown, after the code shown so far was kept.
    void showSelectedEvent();

    int m_areaId;
    AreaProperties m_properties;
};
