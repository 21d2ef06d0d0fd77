// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_collection.h"

#include <QString>

// Server map syntaxes; the number is what the options and the writer use.
enum ServerSideType : qint32 { Ncsa = 0, Cern = 1 };

// The one map being edited: its picture, names, paths, map type and areas.
// The editor refills it for a new map or a load; it is never replaced.
// The map type is held once, in is_servermap; anything that shows it (the
// Map-type menu) derives its state from here.
class MapDocument {
public:
    AreaCollection shapecol;
    QString image_file;
    QString map_name;
    QString map_file;
    QString server_html_file;
    QString default_link;
    QString default_target;
    bool is_servermap = false;
    qint32 serverside_type = Ncsa;
    // NCSA circles written as centre and a point on the circle, the form
    // Apache's mod_imagemap reads, instead of their bounding square. A
    // setting of the writer, taken from the options, not part of the map.
    bool ncsaApacheCircles = false;
    qint16 selected_shapeid = -1;
    qint16 active_id = -1;
    qint16 test_shapeid = -1;
    qint32 create_shapetype = Rectangle;
    float zoom_factor = 1.0f;

    // Deletes every area before the map is rebuilt as a whole (a new map,
    // a load, an undo or a redo). Positions then count from 1 again, and
    // no area is selected, active or under the pointer.
    void delete_all_shapes();

    // Live areas in position order, the order every consumer uses.
    template <typename F> void forEachLiveArea(F &&visit) const
    {
        for (const clscoords &area : shapecol)
            if (area.used)
                visit(area);
    }
};
