// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog: shown beside the window, which goes on working.
// OK puts the stored options in force; Cancel drops the dialog with its
// changes, and the next opening reads the store again.
#include "form1.h"

#include "dialogs/frm_options.h"

void Form1::mnuedit_options()
{
    if (!m_options) {
        m_options = new frm_options(*m_desktop, this);
        connect(m_options, &frm_options::saved, this, &Form1::applyOptions);
        connect(m_options, &QDialog::rejected, this, [this] {
            m_options->deleteLater();
            m_options = nullptr;
        });
    }
    m_options->show();
    m_options->raise();
    m_options->activateWindow();
}

void Form1::applyOptions(const Settings &options)
{
    m_settings = options;
    m_areaLooks = areaLooksFrom(options);
    // The canvas draws every area anew when the looks change.
    repaintCanvas();
    // An NCSA map shows its circles in the form now chosen.
    document().ncsaApacheCircles = options.ncsaApacheCircles;
    m_session.fill_html_textbox();
}
