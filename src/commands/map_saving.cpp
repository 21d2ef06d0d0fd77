// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_saving.h"

#include "editing_session.h"
#include "formats/map_writer.h"

WriteOutcome saveClientMap(EditingSession &session, const QString &path)
{
    session.document().map_file = path;
    session.fill_html_textbox();
    if (!writeTextFile(path, session.mapText()).ok())
        return {QStringLiteral("Could not save Imagemap ") + path};
    return {};
}

WriteOutcome saveServerMap(EditingSession &session, const QString &htmlPath, const QString &mapPath)
{
    if (htmlPath.isEmpty())
        return {QStringLiteral("Please specify a valid html file for the imagemap!")};
    if (mapPath.isEmpty())
        return {QStringLiteral("Please specify a valid map file for the imagemap!")};
    MapDocument &doc = session.document();
    doc.map_file = mapPath;
    doc.server_html_file = htmlPath;
    session.fill_html_textbox();
    if (!writeTextFile(htmlPath, calculate_server_html(doc)).ok() || !writeTextFile(mapPath, session.mapText()).ok())
        return {QStringLiteral("Could not save imagemap !")};
    return {};
}
