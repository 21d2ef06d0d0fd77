// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_loadserverm.h"

#include "app/icon_list.h"
#include "dialog_buttons.h"
#include "frm_newmap.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *pathBox(const char *name, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setMinimumWidth(300);
    return box;
}

QPushButton *browseButton(const char *name, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("Browse"), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

frm_loadserverm::frm_loadserverm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_loadserverm"));
    setWindowTitle(QStringLiteral("Load Server-side imagemap"));
    setWindowIcon(applicationIcon()); // the main window's

    txt_htmlfile = pathBox("txt_htmlfile", this);
    txt_mapfile = pathBox("txt_mapfile", this);
    cmdbrowse_html = browseButton("cmdbrowse_html", this);
    cmdbrowse_map = browseButton("cmdbrowse_map", this);
    const ServerFormatBoxes formats = serverFormatBoxes(this);
    chk_cern = formats.chk_cern;
    chk_ncsa = formats.chk_ncsa;
    const OkCancelButtons buttons = okCancelButtons(this);
    cmdok = buttons.cmdok;
    cmdcancel = buttons.cmdcancel;

    auto *grid = new QGridLayout(this);
    grid->addWidget(namedLabel("Label2", "Imagemap HTML File:", this), 0, 0);
    grid->addWidget(txt_htmlfile, 0, 1);
    grid->addWidget(cmdbrowse_html, 0, 2);
    grid->addWidget(namedLabel("Label1", "Imagemap MAP File:", this), 1, 0);
    grid->addWidget(txt_mapfile, 1, 1);
    grid->addWidget(cmdbrowse_map, 1, 2);
    grid->addWidget(namedLabel("Label5", "Server-side MAP Type:", this), 2, 0);
    grid->addLayout(formats.row, 2, 1, 1, 2);
    grid->addLayout(buttons.row, 3, 0, 1, 3);

    connect(cmdbrowse_html, &QPushButton::clicked, this, &frm_loadserverm::browseHtml);
    connect(cmdbrowse_map, &QPushButton::clicked, this, &frm_loadserverm::browseMap);
    connect(cmdok, &QPushButton::clicked, this, [this] {
        if (m_htmlFile.isEmpty() || m_mapFile.isEmpty())
            reject();
        else
            emit loadRequested();
    });
}

void frm_loadserverm::htmlFileChosen(const QString &path)
{
    m_htmlFile = path;
    txt_htmlfile->setText(path);
}

void frm_loadserverm::mapFileChosen(const QString &path)
{
    m_mapFile = path;
    txt_mapfile->setText(path);
}

ServerSideType frm_loadserverm::format() const
{
    return chk_cern->isChecked() ? Cern : Ncsa;
}
