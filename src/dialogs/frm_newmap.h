// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map_properties.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

// The new-map dialog, also the map-properties dialog under the caption
// "Imagemap Properties". It only gathers the properties: OK hands them to
// whoever opened it (propertiesAccepted), which applies them and closes the
// dialog, or refuses them and leaves it open. The picture's Browse button
// asks through browseImage, so the opener decides how files are chosen.
class frm_newmap : public QDialog {
    Q_OBJECT
public:
    explicit frm_newmap(QWidget *parent = nullptr);

    // Fills the picture, name, default link and target from the document;
    // the map type and the format keep their first state.
    void fill_already_set_properties(const MapDocument &doc);
    MapProperties properties() const;

    QLineEdit *txt_image = nullptr;
    QLineEdit *txt_name = nullptr;
    QLineEdit *txt_default = nullptr;
    QComboBox *cmb_targetframe = nullptr;
    QRadioButton *opt_client = nullptr;
    QRadioButton *opt_server = nullptr;
    QCheckBox *chk_cern = nullptr;
    QCheckBox *chk_ncsa = nullptr;
    QLabel *Label5 = nullptr;

    // Puts a chosen picture in place; an empty path (a cancelled choice)
    // changes nothing. The map name, when still empty, becomes the file's name.
    void pictureChosen(const QString &path);

signals:
    void browseImage();
    void propertiesAccepted(const MapProperties &properties);

private:
    void showFormats(bool shown);
};

// A label with the object name of its control.
QLabel *namedLabel(const char *name, const char *text, QWidget *parent);

// The target-frame choices every target box offers, in order.
QStringList targetFrameChoices();
// An editable box offering them, its text empty: a choice or a frame name.
QComboBox *targetFrameBox(QWidget *parent);

// The "CERN" and "NCSA" boxes of a server-side map's format, in one row,
// NCSA checked. Checking one unchecks the other; unchecking one checks
// nothing, and with neither checked the map is NCSA.
struct ServerFormatBoxes {
    QCheckBox *chk_cern;
    QCheckBox *chk_ncsa;
    QHBoxLayout *row;
};
ServerFormatBoxes serverFormatBoxes(QWidget *parent);
