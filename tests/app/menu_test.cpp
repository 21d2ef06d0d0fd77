#include "app/form1.h"
#include "app/icon_list.h"
#include "app/menu_table.h"
#include "canvas/canvas.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool hasSlot(const Form1 &form, const QString &key)
{
    return form.metaObject()->indexOfSlot((key + QStringLiteral("()")).toLatin1().constData()) >= 0;
}

const QStringList ToolKeys = {QStringLiteral("mnushapes_rect"), QStringLiteral("mnushapes_circle"),
                              QStringLiteral("mnushapes_poly"), QStringLiteral("mnushapes_select"),
                              QStringLiteral("mnuview_zoomin"), QStringLiteral("mnuview_zoomout")};

QStringList checkedTools(const Form1 &form)
{
    QStringList checked;
    for (const QString &key : ToolKeys)
        if (form.menuAction(key)->isChecked())
            checked << key;
    return checked;
}

// Collects the warnings Qt prints (a failed invokeMethod prints one).
struct WarningCatcher {
    static inline QStringList warnings;
    QtMessageHandler previous;
    WarningCatcher()
    {
        warnings.clear();
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                warnings << text;
        });
    }
    ~WarningCatcher() { qInstallMessageHandler(previous); }
};

} // namespace

TEST(MenuBar, IsBuiltFromTheTableInOrder)
{
    ShownForm shown;
    QStringList tops;
    for (QAction *top : shown->menuBar()->actions())
        tops << top->text();
    EXPECT_EQ(tops, (QStringList{"File", "Edit", "View", "Shapes", "Imagemap Type", "Help"}));

    for (const MenuItemSpec &item : menuTable()) {
        const QString key = QLatin1String(item.key);
        SCOPED_TRACE(key.toStdString());
        if (item.kind == MenuKind::TopMenu)
            continue;
        auto *menu = shown->menuBar()->findChild<QMenu *>(QLatin1String(item.parent));
        ASSERT_NE(menu, nullptr);
        // Items follow each other in table order within their menu.
        const QList<QAction *> actions = menu->actions();
        const auto it =
            std::find_if(actions.begin(), actions.end(), [&key](QAction *a) { return a->objectName() == key; });
        ASSERT_NE(it, actions.end());
        const QAction *action = *it;
        const auto siblings = std::count_if(menuTable().begin(), menuTable().end(), [&](const MenuItemSpec &other) {
            return qstrcmp(other.parent, item.parent) == 0 && &other < &item;
        });
        EXPECT_EQ(it - actions.begin(), siblings);
        EXPECT_TRUE(action->isVisible());
        switch (item.kind) {
        case MenuKind::Separator:
            EXPECT_TRUE(action->isSeparator());
            break;
        case MenuKind::Option:
            EXPECT_TRUE(action->isCheckable());
            EXPECT_EQ(action->isChecked(), item.checked);
            EXPECT_TRUE(action->actionGroup() && action->actionGroup()->isExclusive());
            break;
        case MenuKind::CommandWithIcon:
            EXPECT_FALSE(action->icon().isNull());
            EXPECT_TRUE(action->isIconVisibleInMenu());
            break;
        case MenuKind::Command:
            EXPECT_TRUE(action->icon().isNull() || !action->isIconVisibleInMenu());
            break;
        case MenuKind::TopMenu:
            break;
        }
        if (item.kind != MenuKind::Separator) {
            EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        }
    }
    EXPECT_TRUE(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked());
    EXPECT_FALSE(shown->menuAction(QStringLiteral("mnutype_server"))->isChecked());
}

TEST(MenuBar, EveryEnabledCommandIsASlotOfTheSameName)
{
    ShownForm shown;
    int enabled = 0;
    for (const MenuItemSpec &item : menuTable()) {
        const QString key = QLatin1String(item.key);
        if (item.kind == MenuKind::TopMenu || item.kind == MenuKind::Separator)
            continue;
        QAction *action = shown->menuAction(key);
        ASSERT_NE(action, nullptr) << key.toStdString();
        // A command is either built (enabled, with its slot) or still to come
        // (disabled, no slot): a slot that lands must leave the pending list.
        EXPECT_EQ(action->isEnabled(), hasSlot(*shown.form, key)) << key.toStdString();
        EXPECT_EQ(action->isEnabled(), !Form1::isPendingCommand(key)) << key.toStdString();
        enabled += action->isEnabled() ? 1 : 0;
    }
    EXPECT_EQ(enabled, 12);
}

TEST(MenuBar, TopMenusRunNothing)
{
    ShownForm shown;
    WarningCatcher catcher;
    for (const MenuItemSpec &item : menuTable()) {
        if (item.kind != MenuKind::TopMenu)
            continue;
        shown->dispatchMenuKey(QLatin1String(item.key));
        shown->menuBar()->findChild<QMenu *>(QLatin1String(item.key))->menuAction()->trigger();
    }
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_rect"});
    EXPECT_TRUE(catcher.warnings.isEmpty()) << catcher.warnings.join(QLatin1Char('\n')).toStdString();

    // An unknown key reaches no slot and does no harm.
    shown->dispatchMenuKey(QStringLiteral("mnufile_nosuchcommand"));
    EXPECT_TRUE(shown->isVisible());
}

TEST(Toolbar, SixteenButtonsInARowWithTheirGaps)
{
    ShownForm shown;
    const QStringList expected = {"sbnewmap", "sbsave",     "sb_zoomin", "sb_zoomout", "sbcopy", "sbcut",
                                  "sbpaste",  "sbdelete",   "sbrect",    "sbcirc",     "sbpoly", "sbarrow",
                                  "sbtest",   "sbcopyclip", "sbundo",    "sbredo"};
    QList<QToolButton *> buttons = shown->centralWidget()->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
    std::sort(buttons.begin(), buttons.end(), [](QToolButton *a, QToolButton *b) { return a->x() < b->x(); });
    QStringList names;
    QList<int> lefts;
    for (QToolButton *b : buttons) {
        names << b->objectName();
        lefts << b->x();
        EXPECT_EQ(b->y(), 0);
        EXPECT_EQ(b->size(), QSize(30, 30));
        EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
    }
    EXPECT_EQ(names, expected);
    // A 32-pixel pitch, with a gap after sbsave and a wider one after sbarrow.
    EXPECT_EQ(lefts, (QList<int>{32, 64, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 496, 528, 560, 592}));

    for (const ToolButtonSpec &entry : toolbarTable()) {
        QToolButton *button = shown->toolButton(QLatin1String(entry.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(entry.toolTip));
        // One action behind the button and its menu item.
        EXPECT_EQ(button->defaultAction(), shown->menuAction(QLatin1String(entry.menuKey)));
        EXPECT_EQ(button->isEnabled(), !Form1::isPendingCommand(QLatin1String(entry.menuKey)));
    }
}

TEST(Toolbar, ButtonsAndMenuItemsShareTheToolGroup)
{
    ShownForm shown;
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_rect"});

    QTest::mouseClick(shown->toolButton(QStringLiteral("sbcirc")), Qt::LeftButton);
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_circle"});
    EXPECT_EQ(shown->document().create_shapetype, Circle);

    shown->menuAction(QStringLiteral("mnuview_zoomout"))->trigger();
    EXPECT_TRUE(shown->toolButton(QStringLiteral("sb_zoomout"))->isChecked());
    EXPECT_FALSE(shown->toolButton(QStringLiteral("sbcirc"))->isChecked());
    EXPECT_TRUE(shown->canvasState().zoom_out);
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::BitmapCursor);

    // Clicking the active tool again keeps it chosen.
    QTest::mouseClick(shown->toolButton(QStringLiteral("sb_zoomout")), Qt::LeftButton);
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnuview_zoomout"});

    for (const QString &key : ToolKeys) {
        shown->dispatchMenuKey(key);
        EXPECT_EQ(checkedTools(*shown.form), QStringList{key});
    }
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::BitmapCursor); // zoom-out came last
    shown->dispatchMenuKey(QStringLiteral("mnushapes_poly"));
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::ArrowCursor);
}

TEST(Toolbar, PolygonShowsTheEscapeHintAndEscapeSelectsFromAnywhere)
{
    ShownForm shown;
    QTest::mouseClick(shown->toolButton(QStringLiteral("sbpoly")), Qt::LeftButton);
    QLabel *hint = shown->lbl_escape();
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QStringLiteral("Press Escape to finish editing the shape"));
    const QRect coords = shown->lbl_coords()->geometry();
    const QRect shape = shown->lbl_shape_coords()->geometry();
    EXPECT_EQ(hint->x(), std::max(coords.x() + coords.width(), shape.x() + shape.width()));
    EXPECT_EQ(hint->y(), coords.y());

    // The rectangle tool leaves the hint; only the select tool hides it.
    QTest::mouseClick(shown->toolButton(QStringLiteral("sbrect")), Qt::LeftButton);
    EXPECT_TRUE(hint->isVisible());

    shown->htmltext()->setFocus();
    QTest::keyClick(shown->htmltext(), Qt::Key_Escape);
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_select"});
    EXPECT_FALSE(hint->isVisible());
    EXPECT_TRUE(shown->canvasState().moving_shape);
    EXPECT_TRUE(shown->canvasState().defining_complete);
}

TEST(Toolbar, KeyboardShortcutsReachTheCommands)
{
    ShownForm shown;
    showPicture(*shown.form, markedPicture({400, 300}));
    QTest::keyClick(shown.form.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_TRUE(shown->canvasState().zoom_in);
    QTest::mouseClick(shown->mainpic(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(shown->document().zoom_factor, 1.2f);
    QTest::keyClick(shown.form.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(shown->document().zoom_factor, 1.0f);
    QTest::keyClick(shown.form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_TRUE(shown->canvasState().zoom_out);
    QTest::keyClick(shown.form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(shown->isVisible());
}

TEST(Toolbar, TheCopyKeyInTheCodePaneCopiesItsText)
{
    ShownForm shown;
    shown->fill_html_textbox();
    // Even with the area commands available, the pane keeps its own copy key.
    QAction *copyShape = shown->menuAction(QStringLiteral("mnuedit_copy"));
    copyShape->setEnabled(true);
    int copiedShapes = 0;
    QObject::connect(copyShape, &QAction::triggered, [&copiedShapes] { ++copiedShapes; });
    QApplication::clipboard()->clear();
    shown->htmltext()->setFocus();
    shown->htmltext()->selectAll();
    QTest::keyClick(shown->htmltext(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copiedShapes, 0);
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("<!-- Created with")));
}

TEST(MenuCommands, MapTypeOptionsSwitchTheTypeOnly)
{
    ShownForm shown;
    shown->fill_html_textbox();
    const QString clientText = shown->htmltext()->toPlainText();
    shown->menuAction(QStringLiteral("mnutype_server"))->trigger();
    EXPECT_TRUE(shown->document().is_servermap);
    EXPECT_FALSE(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked());
    EXPECT_EQ(shown->htmltext()->toPlainText(), clientText); // shown at the next refresh
    shown->menuAction(QStringLiteral("mnutype_client"))->trigger();
    EXPECT_FALSE(shown->document().is_servermap);
    EXPECT_FALSE(shown->menuAction(QStringLiteral("mnutype_server"))->isChecked());

    shown->setServerMap(true);
    EXPECT_TRUE(shown->menuAction(QStringLiteral("mnutype_server"))->isChecked());
    EXPECT_FALSE(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked());
}

TEST(MenuCommands, HelpOpensOurPageAndAboutNamesTheProgram)
{
    ShownForm shown;
    shown->menuAction(QStringLiteral("mnuhelp_help"))->trigger();
    ASSERT_EQ(shown.desktop->opened.size(), 1);
    const QUrl help = shown.desktop->opened.first();
    EXPECT_TRUE(help.isLocalFile());
    EXPECT_TRUE(help.toLocalFile().endsWith(QStringLiteral("/share/zonari/help/index.html")));

    shown->menuAction(QStringLiteral("mnuhelp_about"))->trigger();
    ASSERT_EQ(shown.desktop->about.size(), 1);
    EXPECT_TRUE(shown.desktop->about.first().startsWith(QStringLiteral("About Zonari\nZonari 0.1.0\n")));
}

TEST(Icons, EveryKeyTheTablesNameIsDrawn)
{
    for (const MenuItemSpec &item : menuTable()) {
        if (*item.icon) {
            EXPECT_TRUE(hasIcon(QLatin1String(item.icon))) << item.icon;
        }
    }
    for (const ToolButtonSpec &entry : toolbarTable()) {
        EXPECT_TRUE(hasIcon(QLatin1String(entry.picture))) << entry.picture;
        // A button shows the same picture as its menu item.
        for (const MenuItemSpec &item : menuTable()) {
            if (qstrcmp(item.key, entry.menuKey) == 0 && *item.icon) {
                EXPECT_STREQ(item.icon, entry.picture);
            }
        }
    }
    EXPECT_FALSE(applicationIcon().isNull());
    EXPECT_FALSE(zoomCursor().pixmap().isNull());
}
