#include "frm_selectmap.h"

#include "app/icon_list.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frm_selectmap::frm_selectmap(const QStringList &mapNames, QWidget *parent)
    : QDialog(parent), m_lstmap(new QListWidget(this)), m_cmdok(new QPushButton(QStringLiteral("OK"), this)),
      m_cmdcancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Select Map"));
    setWindowIcon(applicationIcon()); // the main window's, whoever owns the dialog

    m_lstmap->setObjectName(QStringLiteral("lstmap"));
    m_lstmap->addItems(mapNames);
    m_cmdok->setObjectName(QStringLiteral("cmdok"));
    m_cmdok->setDefault(true);
    m_cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    connect(m_cmdok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdcancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_lstmap, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdok);
    buttons->addWidget(m_cmdcancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please select which map you would like to edit :"), this));
    layout->addWidget(m_lstmap);
    layout->addLayout(buttons);
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
