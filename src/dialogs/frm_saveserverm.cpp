// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_saveserverm.h"

#include "app/desktop.h"
#include "app/icon_list.h"
#include "commands/map_saving.h"
#include "dialog_buttons.h"
#include "pictures/file_filter.h"
#include "save_file_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int PathBoxWidth = 300;

QLineEdit *pathBox(QWidget *parent, const char *name)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(PathBoxWidth);
    return box;
}

QPushButton *browseButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(QStringLiteral("Browse"), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false); // Return belongs to OK
    return button;
}

} // namespace

frm_saveserverm::frm_saveserverm(Desktop &desktop, SaveFileDialog &dlgsave, EditingSession &session, QWidget *parent)
    : QDialog(parent), txt_htmlfile(pathBox(this, "txt_htmlfile")), txt_mapfile(pathBox(this, "txt_mapfile")),
      cmdbrowse_html(browseButton(this, "cmdbrowse_html")), cmdbrowse_map(browseButton(this, "cmdbrowse_map")),
      m_desktop(desktop), m_dlgsave(dlgsave), m_session(session)
{
    setObjectName(QStringLiteral("frm_saveserverm"));
    setWindowTitle(QStringLiteral("Save server-side imagemap"));
    setWindowIcon(applicationIcon()); // the main window's

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Imagemap HTML File:"), this), 0, 0);
    grid->addWidget(txt_htmlfile, 0, 1);
    grid->addWidget(cmdbrowse_html, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Imagemap MAP File:"), this), 1, 0);
    grid->addWidget(txt_mapfile, 1, 1);
    grid->addWidget(cmdbrowse_map, 1, 2);
    const OkCancelButtons buttons = okCancelButtons(this);
    cmdok = buttons.cmdok;
    cmdcancel = buttons.cmdcancel;
    grid->addLayout(buttons.row, 2, 0, 1, 3);

    connect(cmdbrowse_html, &QPushButton::clicked, this, [this] {
        browse(txt_htmlfile, QStringLiteral("Specify Server-side Imagemap html filename"),
               fileDialogFilter({htmlFiles()}));
    });
    connect(cmdbrowse_map, &QPushButton::clicked, this, [this] {
        browse(txt_mapfile, QStringLiteral("Specify Server-side Imagemap map filename"),
               fileDialogFilter({{QStringLiteral("Server-side Imagemaps (*.map)"), QStringLiteral("*.map")}}));
    });
    connect(cmdok, &QPushButton::clicked, this, &frm_saveserverm::save);
}

void frm_saveserverm::browse(QLineEdit *box, const QString &title, const QString &filter)
{
    m_dlgsave.fileName.clear();
    const QString path = m_dlgsave.show(this, title, filter);
    if (!path.isEmpty())
        box->setText(path);
}

void frm_saveserverm::save()
{
    const WriteOutcome outcome = saveServerMap(m_session, txt_htmlfile->text(), txt_mapfile->text());
    if (!outcome.ok()) {
        m_desktop.message(this, outcome.failure, QString(), MessageIcon::Exclamation);
        return;
    }
    accept();
}
