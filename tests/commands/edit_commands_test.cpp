// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "dialogs/frm_checkmap.h"
#include "support/gui_helpers.h"
#include "support/printers.h"
#include "support/reader_fixtures.h"

#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using Points = std::vector<QPoint>;

namespace {

const DesktopScript::Message SelectFirst{
    QStringLiteral("Please select a shape first (its color should get blue) !"),
    QStringLiteral("Tarnel Software Zonari"), MessageIcon::Exclamation};

void drawRectangle(const ShownForm &user, QPoint from, QPoint to)
{
    user.choose("mnushapes_rect");
    user.click(from);
    user.click(to);
}

// Right-clicks at a canvas point and chooses an item of the context menu.
void contextCommand(const ShownForm &user, QPoint at, const char *key)
{
    user.click(at, Qt::RightButton);
    QMenu *menu = user->cP();
    ASSERT_TRUE(menu->isVisible());
    QAction *item = menu->findChild<QAction *>(QLatin1String(key));
    ASSERT_TRUE(item && item->isEnabled() && item->isVisible()) << key;
    item->trigger();
    menu->close();
}

} // namespace

TEST(AreaClipboard, CopyCutPasteAndDeleteFromTheMenusAndTheContextMenu)
{
    ShownForm user({400, 300});
    user.choose("mnuedit_copy");
    user.choose("mnuedit_paste");
    EXPECT_EQ(user.desktop->messages,
              (QList<DesktopScript::Message>{
                  SelectFirst,
                  {QStringLiteral("There is no shape in the clipboard . Please copy a shape to the clipboard first !"),
                   QStringLiteral("Tarnel Software Zonari"), MessageIcon::Exclamation}}));
    contextCommand(user, {390, 290}, "Paste"); // empty clipboard: nothing, and no message
    EXPECT_EQ(user.desktop->messages.size(), 2);

    drawRectangle(user, {10, 20}, {110, 70});
    user->document().shapecol.item(1).link = QStringLiteral("a.html");
    user.choose("mnushapes_select");
    user.click({50, 50}); // selects it
    ASSERT_EQ(user->document().selected_shapeid, 1);
    user.choose("mnuedit_copy");
    // Every paste lands where the context menu last opened; the copy has no texts.
    user.choose("mnuedit_paste");
    EXPECT_EQ(user.points(2), (Points{{390, 290}, {490, 340}, {390, 340}, {490, 290}}));
    EXPECT_TRUE(user->document().shapecol.item(2).link.isEmpty());
    EXPECT_TRUE(user->document().shapecol.item(2).handleShown(3)) << "a pasted area shows its handles";
    contextCommand(user, {200, 200}, "Paste");
    EXPECT_EQ(user.points(3), (Points{{200, 200}, {300, 250}, {200, 250}, {300, 200}}));
    EXPECT_EQ(user->document().selected_shapeid, 1) << "a pasted area is not selected";
    user.choose("mnuview_zoomin");
    user.click({0, 0});
    ASSERT_NE(user->document().zoom_factor, 1.0f);
    user.choose("mnushapes_select");
    const float zoom = user->document().zoom_factor;
    contextCommand(user, QPoint(qRound(320 * zoom), qRound(210 * zoom)), "Paste");
    EXPECT_EQ(user.points(4), (Points{{320, 210}, {420, 260}, {320, 260}, {420, 210}}));
    EXPECT_TRUE(user.code().contains(QStringLiteral("coords=\"320,210,420,260\"")));
    user.choose("mnuview_normalsize");

    // Cut from the menu: gone from the code at once, pasted back elsewhere.
    user.choose("mnuedit_cut");
    EXPECT_FALSE(user->document().shapecol.item(1).used);
    EXPECT_FALSE(user.code().contains(QStringLiteral("a.html")));
    EXPECT_EQ(user->document().selected_shapeid, -1);
    contextCommand(user, {150, 10}, "Paste");
    EXPECT_EQ(user.points(5), (Points{{150, 10}, {250, 60}, {150, 60}, {250, 10}}));

    // The context menu's Delete and Cut take the area under the pointer.
    contextCommand(user, {250, 225}, "Delete");
    EXPECT_FALSE(user->document().shapecol.item(3).used);
    contextCommand(user, {395, 295}, "Cut");
    EXPECT_FALSE(user->document().shapecol.item(2).used);
    EXPECT_EQ(liveAreas(user->document()).size(), 2u);

    // Delete from the menu twice: the second one asks for a selection.
    user.click({330, 230});
    user.choose("mnuedit_delete");
    EXPECT_EQ(liveAreas(user->document()).size(), 1u);
    user.desktop->messages.clear();
    user.choose("mnuedit_delete");
    EXPECT_EQ(user.desktop->messages, QList<DesktopScript::Message>{SelectFirst});
}

TEST(AreaClipboard, AHundredAndOnePointPolygonIsCopiedAndPasted)
{
    ShownForm user({400, 300});
    clscoords &polygon = user->document().shapecol.add(Polygon);
    for (int i = 0; i < MaxAreaPoints; ++i)
        polygon.newpoint(100 + i, i % 2 ? 20 : 120);
    user->tools().reshapeAll();
    user->document().selected_shapeid = 1;
    user.choose("mnuedit_copy");
    user.choose("mnuedit_paste");
    ASSERT_EQ(user->document().shapecol.count(), 2);
    EXPECT_EQ(user.points(2).size(), std::size_t(MaxAreaPoints));
    EXPECT_EQ(user.points(2).front(), QPoint(0, 0)) << "before any right-click the paste lands at (0, 0)";
    EXPECT_EQ(user.points(2).back(), QPoint(100, 0));
}

TEST(CheckMap, ChoosingAFindingSelectsItsAreaAndScrollsItIntoView)
{
    ShownForm user({2000, 1500});
    user.choose("mnuedit_checkmap");
    EXPECT_EQ(user.desktop->messages,
              (QList<DesktopScript::Message>{{QStringLiteral("The map has no problems."),
                                              QStringLiteral("Tarnel Software Zonari"), MessageIcon::Information}}));

    drawRectangle(user, {10, 20}, {110, 70});
    user->document().shapecol.item(1).link = QStringLiteral("a.html");
    user->document().shapecol.item(1).alt = QStringLiteral("A");
    drawRectangle(user, {1800, 1300}, {1900, 1400});
    user.choose("mnushapes_select");
    user.click({50, 50});
    user.choose("mnuedit_checkmap");
    auto *dialog = openDialog<frm_checkmap>(*user.form);
    ASSERT_TRUE(dialog);
    QListWidget *list = dialog->lstfindings;
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Area 2 (no link): has no link"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("Area 2 (no link): has no alternative text"));
    EXPECT_EQ(user->document().selected_shapeid, 1) << "showing the findings chooses none";

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(user->document().selected_shapeid, 2);
    EXPECT_TRUE(user->document().shapecol.item(2).selected);
    EXPECT_FALSE(user->document().shapecol.item(1).selected);
    const QRect shown(-user->mainpic()->pos(), user->Picture1()->size());
    EXPECT_TRUE(shown.contains(QRect(QPoint(1800, 1300), QPoint(1900, 1400)))) << shown.x() << "," << shown.y();
}
