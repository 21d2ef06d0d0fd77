#include "dialogs/frm_prop.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QLineEdit>
#include <QRegularExpression>

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

// The map text without the server map's default line, which gains a
// blank at every reading.
QString areaLines(QString code)
{
    static const QRegularExpression defaultLine(QStringLiteral("^default .*\n"),
                                                QRegularExpression::MultilineOption);
    return code.remove(defaultLine);
}

} // namespace

TEST(UndoRedo, DrawUndoRedoInEachFormOfMap)
{
    const struct {
        const char *form;
        bool servermap;
        qint32 format;
    } forms[] = {{"client", false, Ncsa}, {"NCSA", true, Ncsa}, {"CERN", true, Cern}};
    for (const auto &f : forms) {
        ShownForm user({400, 300});
        MapDocument &doc = user->document();
        doc.map_name = QStringLiteral("m");
        doc.default_link = QStringLiteral("home.html");
        doc.serverside_type = f.format;
        user.choose(f.servermap ? "mnutype_server" : "mnutype_client");
        user.choose("mnuview_normalsize");
        user.choose("mnuedit_undo"); // nothing recorded yet: nothing happens
        const QString empty = user.code();
        drawLinkedRectangle(user, {10, 20}, {110, 70}, QStringLiteral("a.html"));
        drawLinkedRectangle(user, {200, 100}, {300, 200}, QStringLiteral("b.html"));
        const QString two = user.code();

        user.choose("mnuedit_undo");
        EXPECT_EQ(doc.shapecol.count(), 1) << f.form;
        EXPECT_EQ(doc.shapecol.item(1).link, QStringLiteral("a.html")) << f.form;
        user.choose("mnuedit_undo");
        EXPECT_EQ(areaLines(user.code()), areaLines(empty)) << f.form;
        EXPECT_EQ(doc.shapecol.count(), 0) << f.form;
        user.choose("mnuedit_redo");
        user.choose("mnuedit_redo");
        EXPECT_EQ(areaLines(user.code()), areaLines(two)) << f.form;
        EXPECT_EQ(doc.default_link.trimmed(), QStringLiteral("home.html")) << f.form;
        EXPECT_EQ(user.points(2), (std::vector<QPoint>{{200, 100}, {300, 200}, {200, 200}, {300, 100}})) << f.form;
        EXPECT_TRUE(user.desktop->messages.isEmpty()) << f.form;

        // A zoom step leaves the text as it is and records nothing.
        const std::size_t undoable = user->session().history().undoCount();
        user.choose("mnuview_zoomin");
        user.click({0, 0});
        EXPECT_EQ(user->session().history().undoCount(), undoable) << f.form;
        // The canvas knows the restored areas: hovering finds them.
        user.choose("mnushapes_select");
        const float zoom = doc.zoom_factor;
        user.moveTo(QPoint(qRound(250 * zoom), qRound(150 * zoom)));
        EXPECT_EQ(doc.test_shapeid, 2) << f.form;

        // An undo in the middle of a polygon lets it go; the next click starts a new one.
        user.choose("mnuview_normalsize");
        user.choose("mnushapes_poly");
        user.click({20, 250});
        user.click({60, 250});
        user.choose("mnuedit_undo");
        const int areas = doc.shapecol.count();
        user.click({30, 280});
        ASSERT_EQ(doc.shapecol.count(), areas + 1) << f.form;
        EXPECT_EQ(user.points(areas + 1), (std::vector<QPoint>{{30, 280}})) << f.form;
    }
}

TEST(UndoRedo, AHundredUndosOfATenThousandAreaMapKeepEveryArea)
{
    ShownForm user({400, 300});
    MapDocument &doc = user->document();
    for (int i = 0; i < 10'000; ++i) {
        clscoords &area = doc.shapecol.add(Rectangle);
        for (QPoint p : {QPoint(i % 100, i / 100), QPoint(i % 100 + 3, i / 100 + 3), QPoint(i % 100, i / 100 + 3),
                         QPoint(i % 100 + 3, i / 100)})
            area.newpoint(p.x(), p.y());
        area.link = QStringLiteral("area%1.html").arg(i);
    }
    user->tools().reshapeAll();
    user->session().refreshAsBaseline();
    const QString original = user.code();
    for (int edit = 1; edit <= 100; ++edit) {
        doc.selected_shapeid = edit * 97;
        user.choose("mnuedit_delete");
    }
    for (int undo = 0; undo < 100; ++undo)
        user.choose("mnuedit_undo");
    EXPECT_EQ(doc.shapecol.count(), 10'000);
    EXPECT_TRUE(std::all_of(doc.shapecol.begin(), doc.shapecol.end(), [](const clscoords &a) { return a.used; }));
    EXPECT_EQ(user.code(), original);
    EXPECT_FALSE(user->session().history().canUndo());
    EXPECT_EQ(user->session().history().redoCount(), 100u);
}
