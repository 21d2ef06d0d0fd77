// SPDX-License-Identifier: GPL-3.0-or-later
// Taking the map out of the editor: saving it, copying its text and trying
// it in a browser. The file work is the commands'; the window asks for the
// names, starts the browser and tells the user what went wrong.
#include "form1.h"

#include "commands/map_preview.h"
#include "commands/map_saving.h"
#include "dialogs/frm_saveserverm.h"
#include "formats/map_writer.h"
#include "pictures/file_filter.h"

void Form1::mnufile_savemapas()
{
    if (document().is_servermap) {
        frm_saveserverm dialog(*m_desktop, m_dlgsave, m_session, this);
        dialog.exec();
        return;
    }
    const QString path =
        m_dlgsave.show(this, QStringLiteral("Enter Client-side Imagemap filename"), fileDialogFilter({htmlFiles()}));
    // Cancelling the choice is no failure: the command just ends.
    if (path.isEmpty())
        return;
    const WriteOutcome outcome = saveClientMap(m_session, path);
    if (!outcome.ok())
        m_desktop->message(this, outcome.failure, QString(), MessageIcon::Exclamation);
}

// A server-side map is exported too: its areas and links are the same, and
// the drawing works in any page, whoever serves the map file.
void Form1::mnufile_exportsvg()
{
    if (m_pictemp.isNull()) {
        m_desktop->message(this, QStringLiteral("Open a picture before exporting the map as SVG."), QString(),
                           MessageIcon::Exclamation);
        return;
    }
    const QString path = m_desktop->chooseSaveFile(
        this, QStringLiteral("Export Imagemap as SVG"),
        fileDialogFilter({{QStringLiteral("SVG Files"), QStringLiteral("*.svg")}}), suggestedSvgFile(document()));
    if (path.isEmpty())
        return;
    const WriteOutcome outcome = exportSvg(document(), m_pictemp.size(), path);
    if (!outcome.ok())
        m_desktop->message(this, outcome.failure, QString(), MessageIcon::Exclamation);
}

void Form1::mnuedit_clipboard()
{
    m_desktop->setClipboardText(calculate_html(document()));
}

void Form1::mnufile_testmap()
{
    const PreviewFiles files = writePreviewFiles(document());
    temp_filenames += files.written;
    if (!files.failure.isEmpty()) {
        m_desktop->message(this, files.failure, QString(), MessageIcon::Exclamation);
        return;
    }
    const QString noBrowser = QStringLiteral("Could not start a browser to show %1 !").arg(files.page);
    if (m_settings.previewDefaultBrowser) {
        openInBrowser(files.page, noBrowser);
        return;
    }
    const QString &browser = m_settings.previewOtherBrowserPath;
    if (browser.isEmpty() || !m_desktop->startProgram(browser, {files.page}))
        m_desktop->message(this, noBrowser, QString(), MessageIcon::Exclamation);
}

void Form1::openInBrowser(const QString &page, const QString &failure)
{
    m_desktop->openDocument(QUrl::fromLocalFile(page), [window = QPointer<Form1>(this), failure] {
        // The desktop may answer after the window has gone.
        if (window)
            window->m_desktop->message(window, failure, QString(), MessageIcon::Exclamation);
    });
}
