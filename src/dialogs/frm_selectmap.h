// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

// frm_selectmap: asks which of the maps of a page to edit. `lstmap` lists
// the map names in the page's order, none of them selected at first. The
// selected map index is the zero-based line selected when the user presses
// OK (or double-clicks a line); it is -1 when OK comes with no line
// selected, on Cancel, on Escape and when the window is closed.
class frm_selectmap : public QDialog {
    Q_OBJECT
public:
    explicit frm_selectmap(const QStringList &mapNames, QWidget *parent = nullptr);

    int selectedMapIndex() const;

    QListWidget *lstmap() const { return m_lstmap; }
    QPushButton *cmdok() const { return m_cmdok; }
    QPushButton *cmdcancel() const { return m_cmdcancel; }

private:
    QListWidget *m_lstmap;
    QPushButton *m_cmdok;
    QPushButton *m_cmdcancel;
};
