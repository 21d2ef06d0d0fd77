// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_saving.h"

#include "editing_session.h"
#include "formats/map_writer.h"
#include "formats/svg_writer.h"

#include <QFileInfo>

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

QString suggestedSvgFile(const MapDocument &doc)
{
    const QString base = doc.map_file.isEmpty() ? doc.image_file : doc.map_file;
    if (base.isEmpty())
        return QString();
    const QFileInfo file(base);
    return file.path() + QLatin1Char('/') + file.completeBaseName() + QLatin1String(".svg");
}

WriteOutcome exportSvg(const MapDocument &doc, QSize picture, const QString &path)
{
    const WriteOutcome written = writeWholeFile(path, calculate_svg(doc, picture, path).toUtf8());
    if (!written.ok())
        return {QStringLiteral("Could not export the map as SVG to %1:\n%2").arg(path, written.failure)};
    return {};
}
