// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_table.h"

namespace {

using K = MenuKind;

const MenuEntry Menu[] = {
    {"", "8mnufile", K::TopMenu, "File", "", 'F', ""},
    {"8mnufile", "mnufile_newmap", K::CommandWithIcon, "Create New Map", "Ic_New", 'N', "Ctrl+N"},
    {"8mnufile", "mnufile_loadmapclient", K::CommandWithIcon, "Load Client-Side Map", "Ic_Open", 'L', ""},
    {"8mnufile", "mnufile_loadmapserver", K::CommandWithIcon, "Load Server-Side Map", "Ic_Open", 'r', ""},
    {"8mnufile", "mnufile_savemapas", K::CommandWithIcon, "Save Map as", "Ic_Save", 'S', "Ctrl+S"},
    {"8mnufile", "mnufile_exportsvg", K::Command, "Export as SVG...", "", 'E', ""},
    {"8mnufile", "mnufile_testmap", K::CommandWithIcon, "Test Map", "Ic_Webtest", 'T', ""},
    {"8mnufile", "mnufile_exit", K::Command, "Exit", "", 'x', "Ctrl+Q"},
    {"", "8mnuedit", K::TopMenu, "Edit", "", 'E', ""},
    {"8mnuedit", "mnuedit_undo", K::CommandWithIcon, "Undo", "Undo", 'U', "Ctrl+Z"},
    {"8mnuedit", "mnuedit_redo", K::CommandWithIcon, "Redo", "Redo", 'R', "Ctrl+Y; Ctrl+Shift+Z"},
    {"8mnuedit", "mnuedit_sep_undo", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_copy", K::CommandWithIcon, "Copy Shape", "sbcopy", 'C', "Ctrl+C"},
    {"8mnuedit", "mnuedit_cut", K::CommandWithIcon, "Cut Shape", "sbcut", 't', "Ctrl+X"},
    {"8mnuedit", "mnuedit_paste", K::CommandWithIcon, "Paste Shape", "sbpaste", 'P', "Ctrl+V"},
    {"8mnuedit", "mnuedit_delete", K::CommandWithIcon, "Delete Shape", "Ic_Delete", 'D', "Del"},
    {"8mnuedit", "mnuedit_sep2", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_improp", K::CommandWithIcon, "Imagemap Properties", "Ic_Properties", 'I', ""},
    {"8mnuedit", "mnuedit_sep1", K::Separator, "", ""},
    {"8mnuedit", "mnuedit_clipboard", K::Command, "Copy Map HTML to Clipboard", "", 'H', ""},
    {"8mnuedit", "mnuedit_checkmap", K::Command, "Check Map", "", 'M', ""},
    {"8mnuedit", "mnuedit_options", K::Command, "Options", "", 'O', ""},
    {"", "8mnuview", K::TopMenu, "View", "", 'V', ""},
    {"8mnuview", "mnuview_zoomin", K::CommandWithIcon, "Zoom In", "Ic_Zoomin", 'I', "Ctrl++; Ctrl+="},
    {"8mnuview", "mnuview_zoomout", K::CommandWithIcon, "Zoom Out", "Ic_Zoomout", 'O', "Ctrl+-"},
    {"8mnuview", "mnuview_normalsize", K::Command, "Normal Size", "", 'N', "Ctrl+0"},
    {"", "8mnushapes", K::TopMenu, "Shapes", "", 'S', ""},
    {"8mnushapes", "mnushapes_rect", K::CommandWithIcon, "Rectangle", "Ic_Rect", 'R', ""},
    {"8mnushapes", "mnushapes_circle", K::CommandWithIcon, "Circle", "Ic_Circle", 'C', ""},
    {"8mnushapes", "mnushapes_poly", K::CommandWithIcon, "Polygon", "Ic_Poly", 'P', ""},
    {"8mnushapes", "mnushapes_select", K::CommandWithIcon, "Select Tool", "Ic_Arrow", 'S', "Esc"},
    {"", "8mnutype", K::TopMenu, "Imagemap Type", "", 'I', ""},
    {"8mnutype", "mnutype_server", K::Option, "Server-Side", "", 'S', ""},
    {"8mnutype", "mnutype_client", K::Option, "Client-Side", "", 'C', "", true},
    {"", "8mnuhelp", K::TopMenu, "Help", "", 'H', ""},
    {"8mnuhelp", "mnuhelp_help", K::CommandWithIcon, "Zonari Help Guide", "Ic_Help", 'H', "F1"},
    {"8mnuhelp", "mnu_sep1", K::Separator, "", ""},
    {"8mnuhelp", "mnu_sep2", K::Separator, "", ""},
    {"8mnuhelp", "mnu_sep3", K::Separator, "", ""},
    {"8mnuhelp", "mnuhelp_about", K::Command, "About", "", 'A', ""},
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

QString menuText(const MenuEntry &entry)
{
    QString text = QString::fromUtf8(entry.caption);
    const qsizetype at = entry.accessKey ? text.indexOf(QLatin1Char(entry.accessKey)) : -1;
    if (at >= 0)
        text.insert(at, QLatin1Char('&'));
    return text;
}

QList<QKeySequence> menuShortcuts(const MenuEntry &entry)
{
    if (*entry.shortcuts == '\0')
        return {};
    return QKeySequence::listFromString(QLatin1String(entry.shortcuts), QKeySequence::PortableText);
}

std::span<const ToolbarEntry> toolbarTable()
{
    return Toolbar;
}
