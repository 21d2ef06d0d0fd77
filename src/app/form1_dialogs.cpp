// SPDX-License-Identifier: GPL-3.0-or-later
// The new-map and map-properties dialog and the area properties dialog:
// the window opens them and applies what they hand back.
#include "form1.h"

#include "dialogs/frm_newmap.h"
#include "dialogs/frm_prop.h"
#include "formats/url_path.h"
#include "pictures/file_filter.h"
#include "pictures/picture_loader.h"

#include <QLineEdit>

namespace {

const QString LinkFileFilter = fileDialogFilter({allFiles(), htmlFiles()});

} // namespace

void Form1::mnufile_newmap()
{
    startNewMap();
}

frm_newmap *Form1::startNewMap()
{
    frm_newmap *dialog = openMapDialog();
    // The old areas and their history go as soon as the dialog shows,
    // whatever the answer.
    m_session.reset();
    m_session.reset_undo_redo();
    return dialog;
}

void Form1::mnuedit_improp()
{
    frm_newmap *dialog = openMapDialog();
    dialog->setWindowTitle(QStringLiteral("Imagemap Properties"));
    dialog->fill_already_set_properties(document());
}

frm_newmap *Form1::openMapDialog()
{
    auto *dialog = new frm_newmap(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &frm_newmap::browseImage, this, [this, dialog] {
        dialog->pictureChosen(m_desktop->chooseOpenFile(dialog, QString(), pictureFileFilter()));
    });
    connect(dialog, &frm_newmap::propertiesAccepted, this, [this, dialog](const MapProperties &properties) {
        if (applyMapProperties(properties, dialog))
            dialog->accept();
    });
    dialog->show();
    return dialog;
}

bool Form1::applyMapProperties(const MapProperties &properties, QWidget *dialog)
{
    QString refusal = properties.refusal();
    // The picture is read before anything changes, so a picture that
    // cannot be shown leaves the map as it was and the dialog open.
    if (refusal.isEmpty())
        refusal = load_map_picture(properties.image_file);
    if (!refusal.isEmpty()) {
        refuseMapProperties(dialog, refusal);
        return false;
    }
    properties.applyTo(document());
    m_state.allow_zoomin = true;
    setServerMap(properties.servermap);
    mnuview_normalsize();
    m_session.reset_undo_redo();
    return true;
}

void Form1::refuseMapProperties(QWidget *dialog, QString reason)
{
    if (!reason.startsWith(QLatin1String("Error. ")))
        reason.prepend(QLatin1String("Error. "));
    m_desktop->message(dialog, reason, QString(), MessageIcon::Exclamation);
}

frm_prop *Form1::showAreaProperties(int position)
{
    if (!document().shapecol.contains(position))
        return nullptr;
    auto *dialog = new frm_prop(position, document().shapecol.item(position), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &frm_prop::browseLink, this, [this, dialog] {
        const QString path = m_desktop->chooseOpenFile(dialog, QString(), LinkFileFilter);
        if (!path.isEmpty())
            dialog->txtlink->setText(link_for_file(document(), path));
    });
    connect(dialog, &frm_prop::areaAccepted, this, [this, dialog] {
        MapDocument &doc = document();
        if (doc.shapecol.contains(dialog->area_id()) && doc.shapecol.item(dialog->area_id()).used) {
            dialog->applyTo(doc.shapecol.item(dialog->area_id()));
            m_session.fill_html_textbox();
        }
        dialog->accept();
    });
    dialog->show();
    return dialog;
}

void Form1::openAreaProperties(int position)
{
    showAreaProperties(position);
}

void Form1::cp_areaproperties()
{
    if (frm_prop *dialog = showAreaProperties(document().active_id))
        dialog->fillTexts(document().shapecol.item(dialog->area_id()));
}
