#include "menu_table.h"

namespace {

using K = MenuKind;

const MenuEntry Menu[] = {
    {"", "8mnufile", K::TopMenu, "File", ""},
    {"8mnufile", "mnufile_newmap", K::CommandWithIcon, "Create New Map", "Ic_New"},
    {"8mnufile", "mnufile_loadmapclient", K::CommandWithIcon, "Load Client-Side Map", "Ic_Open"},
    {"8mnufile", "mnufile_loadmapserver", K::CommandWithIcon, "Load Server-Side Map", "Ic_Open"},
    {"8mnufile", "mnufile_savemapas", K::CommandWithIcon, "Save Map as", "Ic_Save"},
    {"8mnufile", "mnufile_testmap", K::CommandWithIcon, "Test Map", "Ic_Webtest"},
    {"8mnufile", "mnufile_exit", K::Command, "Exit", ""},
    {"", "8mnuedit", K::TopMenu, "Edit", ""},
    {"8mnuedit", "mnuedit_undo", K::CommandWithIcon, "Undo", "Undo"},
    {"8mnuedit", "mnuedit_redo", K::CommandWithIcon, "Redo", "Redo"},
    {"8mnuedit", "mnuedit_sep_undo", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_copy", K::CommandWithIcon, "Copy Shape", "sbcopy"},
    {"8mnuedit", "mnuedit_cut", K::CommandWithIcon, "Cut Shape", "sbcut"},
    {"8mnuedit", "mnuedit_paste", K::CommandWithIcon, "Paste Shape", "sbpaste"},
    {"8mnuedit", "mnuedit_delete", K::CommandWithIcon, "Delete Shape", "Ic_Delete"},
    {"8mnuedit", "mnuedit_sep2", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_improp", K::CommandWithIcon, "Imagemap Properties", "Ic_Properties"},
    {"8mnuedit", "mnuedit_sep1", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_clipboard", K::Command, "Copy Map HTML to Clipboard", ""},
    {"8mnuedit", "mnuedit_options", K::Command, "Options", ""},
    {"", "8mnuview", K::TopMenu, "View", ""},
    {"8mnuview", "mnuview_zoomin", K::CommandWithIcon, "Zoom In", "Ic_Zoomin"},
    {"8mnuview", "mnuview_zoomout", K::CommandWithIcon, "Zoom Out", "Ic_Zoomout"},
    {"8mnuview", "mnuview_normalsize", K::Command, "Normal Size", ""},
    {"", "8mnushapes", K::TopMenu, "Shapes", ""},
    {"8mnushapes", "mnushapes_rect", K::CommandWithIcon, "Rectangle", "Ic_Rect"},
    {"8mnushapes", "mnushapes_circle", K::CommandWithIcon, "Circle", "Ic_Circle"},
    {"8mnushapes", "mnushapes_poly", K::CommandWithIcon, "Polygon", "Ic_Poly"},
    {"8mnushapes", "mnushapes_select", K::CommandWithIcon, "Select Tool", "Ic_Arrow"},
    {"", "8mnutype", K::TopMenu, "Imagemap Type", ""},
    {"8mnutype", "mnutype_server", K::Option, "Server-Side", ""},
    {"8mnutype", "mnutype_client", K::Option, "Client-Side", "", true},
    {"", "8mnuhelp", K::TopMenu, "Help", ""},
    {"8mnuhelp", "mnuhelp_help", K::CommandWithIcon, "Zonari Help Guide", "Ic_Help"},
    {"8mnuhelp", "mnu_sep1", K::Separator, "", ""},
    {"8mnuhelp", "mnu_sep2", K::Separator, "", ""},
    {"8mnuhelp", "mnu_sep3", K::Separator, "", ""},
    {"8mnuhelp", "mnuhelp_about", K::Command, "About", ""},
};

const ToolbarEntry Toolbar[] = {
    {"sbnewmap", "New Map", 32, "mnufile_newmap", "Ic_New"},
    {"sbsave", "Save Map", 64, "mnufile_savemapas", "Ic_Save"},
    {"sb_zoomin", "Zoom In", 128, "mnuview_zoomin", "Ic_Zoomin"},
    {"sb_zoomout", "Zoom Out", 160, "mnuview_zoomout", "Ic_Zoomout"},
    {"sbcopy", "Copy Shape", 192, "mnuedit_copy", "sbcopy"},
    {"sbcut", "Cut Shape", 224, "mnuedit_cut", "sbcut"},
    {"sbpaste", "Paste Shape", 256, "mnuedit_paste", "sbpaste"},
    {"sbdelete", "Delete Shape", 288, "mnuedit_delete", "Ic_Delete"},
    {"sbrect", "Rectangle", 320, "mnushapes_rect", "Ic_Rect"},
    {"sbcirc", "Circle", 352, "mnushapes_circle", "Ic_Circle"},
    {"sbpoly", "Polygon", 384, "mnushapes_poly", "Ic_Poly"},
    {"sbarrow", "Select/Move Shape", 416, "mnushapes_select", "Ic_Arrow"},
    {"sbtest", "Test Map", 496, "mnufile_testmap", "Ic_Webtest"},
    {"sbcopyclip", "Copy Imagemap code to Clipboard", 528, "mnuedit_clipboard", "sbcopyclip"},
    {"sbundo", "Undo", 560, "mnuedit_undo", "Undo"},
    {"sbredo", "Redo", 592, "mnuedit_redo", "Redo"},
};

} // namespace

std::span<const MenuEntry> menuTable()
{
    return Menu;
}

std::span<const ToolbarEntry> toolbarTable()
{
    return Toolbar;
}
