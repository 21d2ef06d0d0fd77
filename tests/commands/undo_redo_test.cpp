// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/frm_prop.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

// Draws a rectangle and confirms its properties with a link.
void drawLinkedRectangle(const ShownForm &user, QPoint from, QPoint to, const QString &link)
{
    user.choose("mnushapes_rect");
    user.click(from);
    user.click(to);
    frm_prop *properties = openDialog<frm_prop>(*user.form);
    ASSERT_NE(properties, nullptr);
    properties->txtlink->setText(link);
    press(properties, "cmdok");
}

} // namespace

// The session's own tests rebuild every form of map from its text; here the
// window's commands, the canvas and the dialogs follow it.
TEST(UndoRedo, DrawUndoAndRedoFromTheMenu)
{
    ShownForm user({400, 300});
    MapDocument &doc = user->document();
    doc.map_name = QStringLiteral("m");
    user.choose("mnuview_normalsize");
    user.choose("mnuedit_undo"); // nothing recorded yet: nothing happens
    const QString empty = user.code();
    drawLinkedRectangle(user, {10, 20}, {110, 70}, QStringLiteral("a.html"));
    drawLinkedRectangle(user, {200, 100}, {300, 200}, QStringLiteral("b.html"));
    const QString two = user.code();

    user.choose("mnuedit_undo");
    EXPECT_EQ(doc.shapecol.count(), 1);
    EXPECT_EQ(doc.shapecol.item(1).link, QStringLiteral("a.html"));
    user.choose("mnuedit_undo");
    EXPECT_EQ(user.code(), empty);
    EXPECT_EQ(doc.shapecol.count(), 0);
    user.choose("mnuedit_redo");
    user.choose("mnuedit_redo");
    EXPECT_EQ(user.code(), two);
    EXPECT_EQ(user.points(2), (std::vector<QPoint>{{200, 100}, {300, 200}, {200, 200}, {300, 100}}));
    EXPECT_TRUE(user.desktop->messages.isEmpty());

    // A zoom step leaves the text as it is and records nothing.
    const std::size_t undoable = user->session().history().undoCount();
    user.choose("mnuview_zoomin");
    user.click({0, 0});
    EXPECT_EQ(user->session().history().undoCount(), undoable);
    // The canvas knows the restored areas: hovering finds them.
    user.choose("mnushapes_select");
    const float zoom = doc.zoom_factor;
    user.moveTo(QPoint(qRound(250 * zoom), qRound(150 * zoom)));
    EXPECT_EQ(doc.test_shapeid, 2);

    // An undo in the middle of a polygon lets it go; the next click starts a new one.
    user.choose("mnuview_normalsize");
    user.choose("mnushapes_poly");
    user.click({20, 250});
    user.click({60, 250});
    user.choose("mnuedit_undo");
    const int areas = doc.shapecol.count();
    user.click({30, 280});
    ASSERT_EQ(doc.shapecol.count(), areas + 1);
    EXPECT_EQ(user.points(areas + 1), (std::vector<QPoint>{{30, 280}}));
}
