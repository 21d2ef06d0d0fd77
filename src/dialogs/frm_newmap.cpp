// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_newmap.h"

#include "dialog_buttons.h"
#include "formats/url_path.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename W> W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QLabel *namedLabel(const char *name, const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QStringList targetFrameChoices()
{
    return {QStringLiteral("Same Frame ( _self )"), QStringLiteral("Whole Page ( _top )"),
            QStringLiteral("New Browser Window ( _blank )"), QStringLiteral("Parent Frame ( _parent )")};
}

QComboBox *targetFrameBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cmb_targetframe"));
    box->setEditable(true);
    box->addItems(targetFrameChoices());
    box->setCurrentIndex(-1);
    box->setEditText(QString());
    return box;
}

ServerFormatBoxes serverFormatBoxes(QWidget *parent)
{
    auto *cern = named(new QCheckBox(QStringLiteral("CERN"), parent), "chk_cern");
    auto *ncsa = named(new QCheckBox(QStringLiteral("NCSA"), parent), "chk_ncsa");
    ncsa->setChecked(true);
    QObject::connect(cern, &QCheckBox::clicked, ncsa, [ncsa](bool checked) {
        if (checked)
            ncsa->setChecked(false);
    });
    QObject::connect(ncsa, &QCheckBox::clicked, cern, [cern](bool checked) {
        if (checked)
            cern->setChecked(false);
    });
    auto *row = new QHBoxLayout;
    row->addWidget(cern);
    row->addWidget(ncsa);
    row->addStretch();
    return {cern, ncsa, row};
}

frm_newmap::frm_newmap(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_newmap"));
    setWindowTitle(QStringLiteral("Create new Imagemap"));
    setWindowIcon(QApplication::windowIcon());

    opt_client = named(new QRadioButton(QStringLiteral("Client-side (default)"), this), "opt_client");
    opt_server = named(new QRadioButton(QStringLiteral("Server-side"), this), "opt_server");
    opt_client->setChecked(true);
    Label5 = namedLabel("Label5", "Server-side MAP Type:", this);
    const ServerFormatBoxes formats = serverFormatBoxes(this);
    chk_cern = formats.chk_cern;
    chk_ncsa = formats.chk_ncsa;
    txt_image = named(new QLineEdit(this), "txt_image");
    auto *cmdbrowse_img = named(new QPushButton(QStringLiteral("Browse"), this), "cmdbrowse_img");
    cmdbrowse_img->setAutoDefault(false);
    txt_name = named(new QLineEdit(this), "txt_name");
    txt_default = named(new QLineEdit(this), "txt_default");
    cmb_targetframe = targetFrameBox(this);

    auto *grid = new QGridLayout(this);
    auto *types = new QHBoxLayout;
    types->addWidget(opt_client);
    types->addWidget(opt_server);
    types->addStretch();
    grid->addWidget(namedLabel("Label1", "Imagemap Type:", this), 0, 0);
    grid->addLayout(types, 0, 1, 1, 2);
    grid->addWidget(Label5, 1, 0);
    grid->addLayout(formats.row, 1, 1, 1, 2);
    grid->addWidget(namedLabel("Label2", "Image to use as an Imagemap:", this), 2, 0);
    grid->addWidget(txt_image, 2, 1);
    grid->addWidget(cmdbrowse_img, 2, 2);
    grid->addWidget(namedLabel("Label3", "Unique Imagemap name:", this), 3, 0);
    grid->addWidget(txt_name, 3, 1, 1, 2);
    grid->addWidget(namedLabel("Label4", "Default URL (optional):", this), 4, 0);
    grid->addWidget(txt_default, 4, 1, 1, 2);
    grid->addWidget(namedLabel("Label6", "Default URL Target Frame (optional):", this), 5, 0);
    grid->addWidget(cmb_targetframe, 5, 1, 1, 2);
    grid->setColumnMinimumWidth(1, 260);

    const OkCancelButtons buttons = okCancelButtons(this);
    grid->addLayout(buttons.row, 6, 0, 1, 3);
    showFormats(false);

    connect(opt_client, &QRadioButton::clicked, this, [this] {
        if (!opt_server->isChecked())
            showFormats(false);
    });
    connect(opt_server, &QRadioButton::clicked, this, [this] {
        if (!opt_client->isChecked())
            showFormats(true);
    });
    connect(cmdbrowse_img, &QPushButton::clicked, this, &frm_newmap::browseImage);
    connect(buttons.cmdok, &QPushButton::clicked, this, [this] { emit propertiesAccepted(properties()); });
}

void frm_newmap::showFormats(bool shown)
{
    Label5->setVisible(shown);
    chk_cern->setVisible(shown);
    chk_ncsa->setVisible(shown);
}

void frm_newmap::fill_already_set_properties(const MapDocument &doc)
{
    txt_image->setText(doc.image_file);
    txt_name->setText(doc.map_name);
    txt_default->setText(doc.default_link);
    cmb_targetframe->setEditText(doc.default_target);
}

MapProperties frm_newmap::properties() const
{
    MapProperties properties;
    properties.image_file = txt_image->text();
    properties.map_name = txt_name->text();
    properties.default_link = txt_default->text();
    properties.default_target = cmb_targetframe->currentText();
    properties.servermap = opt_server->isChecked();
    properties.cern = chk_cern->isChecked();
    return properties;
}

void frm_newmap::pictureChosen(const QString &path)
{
    if (path.isEmpty())
        return;
    txt_image->setText(path);
    if (txt_name->text().isEmpty())
        txt_name->setText(file_name_of_path(path));
}
