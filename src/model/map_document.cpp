// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_document.h"

void MapDocument::delete_all_shapes()
{
    shapecol.clear();
    selected_shapeid = -1;
    active_id = -1;
    test_shapeid = -1;
}
