// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a client-side or a server-side map from files. The files are read
// on a worker thread into a document of their own while the window waits;
// the window then takes the new map, its picture and a fresh history in one
// step. A cancelled read leaves the window as it was.
#include "form1.h"

#include "canvas/canvas.h"
#include "commands/background_load.h"
#include "dialogs/frm_loadserverm.h"
#include "pictures/file_filter.h"

#include <QFileInfo>
#include <QThreadPool>

#include <memory>

namespace {

const QString HtmlFileFilter = fileDialogFilter({htmlFiles(), allFiles()});
const QString ServerMapFileFilter =
    fileDialogFilter({{QStringLiteral("Server-side Imagemaps (*.map)"), QStringLiteral("*.map")}, allFiles()});

} // namespace

void Form1::mnufile_loadmapclient()
{
    const QString page = m_desktop->chooseOpenFile(this, QString(), HtmlFileFilter);
    if (!page.isEmpty())
        loadClientPage(page);
}

void Form1::loadClientPage(const QString &page)
{
    std::optional<LoadedMap> loaded =
        readInBackground(this, page, [page](MapDocument fields, const LoadServices &services) {
            return loadClientMap(std::move(fields), page, services);
        });
    if (loaded)
        adoptLoadedMap(*loaded, this);
}

void Form1::mnufile_loadmapserver()
{
    openServerLoadDialog(QString());
}

void Form1::openServerLoadDialog(const QString &mapFile)
{
    // Modal: nothing changes the map between the choice of the files and OK.
    frm_loadserverm dialog(this);
    if (!mapFile.isEmpty())
        dialog.mapFileChosen(mapFile);
    connect(&dialog, &frm_loadserverm::browseHtml, this,
            [this, &dialog] { dialog.htmlFileChosen(m_desktop->chooseOpenFile(&dialog, QString(), HtmlFileFilter)); });
    connect(&dialog, &frm_loadserverm::browseMap, this, [this, &dialog] {
        dialog.mapFileChosen(m_desktop->chooseOpenFile(&dialog, QString(), ServerMapFileFilter));
    });
    connect(&dialog, &frm_loadserverm::loadRequested, this, [this, &dialog] {
        std::optional<LoadedMap> loaded =
            readInBackground(&dialog, dialog.mapFile(),
                             [page = dialog.htmlFile(), mapFile = dialog.mapFile(),
                              format = dialog.format()](MapDocument fields, const LoadServices &services) {
                                 return loadServerMap(std::move(fields), page, mapFile, format, services);
                             });
        if (!loaded)
            return; // cancelled: the dialog stays open
        adoptLoadedMap(*loaded, &dialog);
        // A load that ended early keeps the dialog open too.
        if (loaded->complete)
            dialog.accept();
    });
    dialog.exec();
}

std::optional<LoadedMap> Form1::readInBackground(QWidget *parent, const QString &file, LoadSteps steps)
{
    // The worker gets copies of all it uses: it may outlive a cancelled wait.
    BackgroundLoad load([fields = fieldsForLoad(document()), decode = pictureDecoder(),
                         steps = std::move(steps)](const MapChooser &chooseMap) mutable {
        return steps(std::move(fields), LoadServices{chooseMap, decode, HtmlParseOptions()});
    });
    const MapChooser chooseMap = mapChooserFor(*m_desktop, parent);
    const QString label = QStringLiteral("Loading %1 ...").arg(QFileInfo(file).fileName());
    if (!m_desktop->waitWithProgress(parent, label, [&] { return load.finished(chooseMap); }))
        return std::nullopt;
    return load.take();
}

void Form1::adoptLoadedMap(LoadedMap &loaded, QWidget *messageParent)
{
    setPicture(loaded.picture);
    m_mainpic->move(0, 0);
    initialize_scrollbars();
    m_state.allow_zoomin = true;
    // Freeing thousands of areas takes a while: the old map goes on a worker.
    QThreadPool::globalInstance()->start(
        [replaced = std::make_shared<MapDocument>(m_session.adoptLoadedMap(std::move(loaded.document)))] {});
    setServerMap(document().is_servermap);
    sbarrow_Click();
    for (const QString &message : loaded.messages)
        m_desktop->message(messageParent, message, QString(), MessageIcon::Exclamation);
}
