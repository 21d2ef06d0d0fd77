// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>

// The menu bar and the toolbar as data. The window builds both from these
// tables at start-up, in table order; a menu item's key is also the name of
// the window's slot that carries the command out.

enum class MenuKind { TopMenu, Command, CommandWithIcon, Option, Separator };

struct MenuEntry {
    const char *parent; // key of the top menu; empty for a top menu
    const char *key;    // top menus start with '8' and run nothing
    MenuKind kind;
    const char *caption;
    const char *icon; // key in the icon list; empty for none
    // The letter of the caption that opens the menu or runs the item from
    // the keyboard (with Alt on the menu bar); unique within its menu.
    char accessKey = 0;
    // Keys that run the command anywhere in the window, in QKeySequence's
    // portable form, "; " between two.
    const char *shortcuts = "";
    bool checked = false;
};

std::span<const MenuEntry> menuTable();

// The caption as the menu shows it: the access key marked with "&" (its
// first appearance in that letter case), the words unchanged.
QString menuText(const MenuEntry &entry);
QList<QKeySequence> menuShortcuts(const MenuEntry &entry);

// A toolbar button: its name, tool tip, left edge in pixels, and the menu
// item whose command (and action) it shares.
struct ToolbarEntry {
    const char *name;
    const char *toolTip;
    int left;
    const char *menuKey;
    const char *picture; // key in the icon list
};

std::span<const ToolbarEntry> toolbarTable();

inline constexpr int ToolButtonSize = 30;
