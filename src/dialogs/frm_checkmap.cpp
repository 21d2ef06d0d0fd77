// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_checkmap.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frm_checkmap::frm_checkmap(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Check Map"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose a line to select its area."), this));
    lstfindings = new QListWidget(this);
    lstfindings->setMinimumWidth(480);
    layout->addWidget(lstfindings);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *again = buttons->addButton(QStringLiteral("Check Again"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    connect(again, &QPushButton::clicked, this, &frm_checkmap::checkAgain);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Arrow keys move to a line; a click chooses even the line already
    // current, after the user selected another area on the picture.
    const auto choose = [this](QListWidgetItem *item) {
        if (item)
            emit areaChosen(item->data(Qt::UserRole).toInt());
    };
    connect(lstfindings, &QListWidget::currentItemChanged, this, choose);
    connect(lstfindings, &QListWidget::itemClicked, this, choose);
}

void frm_checkmap::showFindings(const std::vector<MapFinding> &findings)
{
    const QSignalBlocker quiet(lstfindings); // refilling chooses nothing
    lstfindings->clear();
    for (const MapFinding &finding : findings) {
        auto *item = new QListWidgetItem(finding.text, lstfindings);
        item->setData(Qt::UserRole, finding.position);
    }
}
