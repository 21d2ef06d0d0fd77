#include "map_document.h"

void MapDocument::delete_all_shapes()
{
    for (clscoords &area : shapecol)
        area.Delete();
}
