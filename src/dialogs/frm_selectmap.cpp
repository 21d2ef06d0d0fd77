// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_selectmap.h"

#include "app/icon_list.h"
#include "dialog_buttons.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frm_selectmap::frm_selectmap(const QStringList &mapNames, QWidget *parent)
    : QDialog(parent), m_lstmap(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Select Map"));
    setWindowIcon(applicationIcon()); // the main window's, whoever owns the dialog

    m_lstmap->setObjectName(QStringLiteral("lstmap"));
    m_lstmap->addItems(mapNames);
    const OkCancelButtons buttons = okCancelButtons(this);
    m_cmdok = buttons.cmdok;
    m_cmdcancel = buttons.cmdcancel;
    connect(m_cmdok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_lstmap, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please select which map you would like to edit :"), this));
    layout->addWidget(m_lstmap);
    layout->addLayout(buttons.row);
    // Focus in the list would frame its first line as if it were chosen.
    m_cmdok->setFocus();
}

int frm_selectmap::selectedMapIndex() const
{
    // The list may have a current line without a selected one (the focus
    // frame on its first line): that is no choice.
    const QList<QListWidgetItem *> selected = m_lstmap->selectedItems();
    if (result() != Accepted || selected.isEmpty())
        return -1;
    return m_lstmap->row(selected.first());
}
