// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_prop.h"

#include "dialog_buttons.h"
#include "frm_newmap.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

frm_prop::frm_prop(int area_id, const clscoords &area, QWidget *parent)
    : QDialog(parent), m_areaId(area_id), m_properties(area)
{
    setObjectName(QStringLiteral("frm_prop"));
    setWindowTitle(QStringLiteral("Area Properties"));

    txtlink = named(new QLineEdit(this), "txtlink");
    auto *cmdbrowse_link = named(new QPushButton(QStringLiteral("Browse"), this), "cmdbrowse_link");
    cmdbrowse_link->setAutoDefault(false);
    txtalt = named(new QLineEdit(this), "txtalt");
    cmb_targetframe = targetFrameBox(this);
    txtmouseover = named(new QLineEdit(this), "txtmouseover");
    txtmouseout = named(new QLineEdit(this), "txtmouseout");

    auto *frmtext = named(new QGroupBox(QStringLiteral("Events"), this), "frmtext");
    lstevents = named(new QListWidget(frmtext), "lstevents");
    for (const char *name : EventNames)
        lstevents->addItem(QLatin1String(name));
    lstevents->setCurrentRow(-1);
    lstevents->setFixedWidth(130);
    txteventaction = named(new QPlainTextEdit(frmtext), "txteventaction");
    txteventaction->setTabChangesFocus(true);
    lbleventexpl = named(new QLabel(frmtext), "lbleventexpl");
    lbleventexpl->setWordWrap(true);
    auto *code = new QVBoxLayout;
    code->addWidget(txteventaction);
    code->addWidget(new QLabel(QStringLiteral("Event Explanation:"), frmtext));
    code->addWidget(lbleventexpl);
    auto *events = new QHBoxLayout(frmtext);
    events->addWidget(lstevents);
    events->addLayout(code);

    auto *link = new QHBoxLayout;
    link->addWidget(txtlink);
    link->addWidget(cmdbrowse_link);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Link:"), link);
    fields->addRow(QStringLiteral("Alternate Text:"), txtalt);
    fields->addRow(QStringLiteral("Target Frame:"), cmb_targetframe);
    fields->addRow(QStringLiteral("OnMouseOver status text:"), txtmouseover);
    fields->addRow(QStringLiteral("OnMouseOut status text:"), txtmouseout);

    const OkCancelButtons buttons = okCancelButtons(this);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(frmtext, 1);
    layout->addLayout(buttons.row);
    resize(520, 440);

    connect(txtmouseover, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_properties.statusTextChanged(OnMouseOverEvent, text); });
    connect(txtmouseout, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_properties.statusTextChanged(OnMouseOutEvent, text); });
    connect(lstevents, &QListWidget::itemSelectionChanged, this, &frm_prop::showSelectedEvent);
    // Leaving the code box keeps its code, before any button acts.
    txteventaction->installEventFilter(this);
    connect(cmdbrowse_link, &QPushButton::clicked, this, &frm_prop::browseLink);
    connect(buttons.cmdok, &QPushButton::clicked, this, [this] {
        showSelectedEvent(); // OK by the keyboard does not leave the code box
        emit areaAccepted();
    });
}

bool frm_prop::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txteventaction && event->type() == QEvent::FocusOut)
        showSelectedEvent();
    return QDialog::eventFilter(watched, event);
}

void frm_prop::showSelectedEvent()
{
    const int k = lstevents->currentRow();
    if (k < 0 || lstevents->selectedItems().isEmpty())
        return;
    lbleventexpl->setText(AreaProperties::explanation(k));
    const AreaProperties::StatusTexts status = m_properties.storeShownCode(txteventaction->toPlainText());
    if (status.mouseover)
        txtmouseover->setText(*status.mouseover);
    if (status.mouseout)
        txtmouseout->setText(*status.mouseout);
    txteventaction->setPlainText(m_properties.showEvent(k));
}

void frm_prop::fillTexts(const clscoords &area)
{
    txtlink->setText(area.link);
    txtalt->setText(area.alt);
    txtmouseover->setText(area.onmouseover);
    txtmouseout->setText(area.onmouseout);
    cmb_targetframe->setEditText(area.targetframe);
}

void frm_prop::applyTo(clscoords &area)
{
    area.link = txtlink->text();
    area.alt = txtalt->text();
    area.onmouseover = txtmouseover->text();
    area.onmouseout = txtmouseout->text();
    area.targetframe = cmb_targetframe->currentText();
    m_properties.applyEventsTo(area);
}
