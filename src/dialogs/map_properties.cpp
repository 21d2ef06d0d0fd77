// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_properties.h"

QString MapProperties::refusal() const
{
    if (image_file.isEmpty())
        return QStringLiteral("Error. Please specify an image file to use for the imagemap");
    if (map_name.isEmpty())
        return QStringLiteral("Error. Please specify a unique name for the imagemap");
    return QString();
}

void MapProperties::applyTo(MapDocument &doc) const
{
    doc.image_file = image_file;
    doc.map_name = map_name;
    doc.map_file.clear();
    doc.default_link = default_link;
    doc.default_target = default_target;
    doc.selected_shapeid = -1;
    doc.test_shapeid = -1;
    doc.active_id = -1;
    doc.is_servermap = servermap;
    doc.serverside_type = cern ? Cern : Ncsa;
}
