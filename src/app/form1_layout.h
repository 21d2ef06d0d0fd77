// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// Where the main window's controls stand, in pixels of the client area
// below the menu bar. The picture viewport and the code pane are resized at
// run time; these are their sizes before the first resize.
namespace Form1Layout {

inline constexpr QSize Client(788, 526);
inline constexpr int ToolbarTop = 0;
inline constexpr int ToolIconSize = 24;
inline constexpr QRect CoordsLabel(640, 0, 73, 12);
inline constexpr QRect ShapeCoordsLabel(640, 16, 3, 13);
inline constexpr QRect EscapeLabel(208, 0, 129, 28);
inline constexpr QRect Viewport(24, 32, 745, 361);
inline constexpr QRect VScroll(768, 32, 17, 377);
inline constexpr QRect HScroll(24, 392, 737, 17);
inline constexpr QRect HtmlText(24, 416, 745, 105);
inline constexpr int ScrollBarThickness = 17;

// The largest viewport until the first resize measures the window.
inline constexpr int InitialViewWidth = 765;
inline constexpr int InitialViewHeight = 361;

} // namespace Form1Layout
