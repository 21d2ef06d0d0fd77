#include "app/form1.h"
#include "app/menu_table.h"
#include "canvas/canvas.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
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

// The tools whose toolbar button shows as pressed.
QStringList checkedTools(const Form1 &form)
{
    QStringList checked;
    for (const ToolbarEntry &entry : toolbarTable())
        if (ToolKeys.contains(QLatin1String(entry.menuKey)) && form.toolButton(QLatin1String(entry.name))->isChecked())
            checked << QLatin1String(entry.menuKey);
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

TEST(MenuBar, IsBuiltFromTheTableInOrderAndEachEnabledCommandIsASlot)
{
    ShownForm shown;
    EXPECT_FALSE(shown->windowIcon().isNull());
    int enabled = 0;
    for (const MenuEntry &item : menuTable()) {
        const QString key = QLatin1String(item.key);
        SCOPED_TRACE(item.key);
        // Items follow each other in table order within their menu.
        const QList<QAction *> siblings =
            item.kind == MenuKind::TopMenu
                ? shown->menuBar()->actions()
                : shown->menuBar()->findChild<QMenu *>(QLatin1String(item.parent))->actions();
        const auto before = std::count_if(menuTable().begin(), menuTable().end(), [&](const MenuEntry &other) {
            return qstrcmp(other.parent, item.parent) == 0 && &other < &item;
        });
        ASSERT_LT(before, siblings.size());
        const QAction *action = siblings[before];
        EXPECT_EQ(action->objectName(), key);
        EXPECT_TRUE(action->isVisible());
        if (item.kind == MenuKind::Separator) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action->text(), QString::fromUtf8(item.caption));
        if (item.kind == MenuKind::TopMenu)
            continue;
        if (item.kind == MenuKind::Option) {
            EXPECT_EQ(action->isChecked(), item.checked);
            EXPECT_TRUE(action->actionGroup() && action->actionGroup()->isExclusive());
        }
        EXPECT_EQ(!action->icon().isNull() && action->isIconVisibleInMenu(), item.kind == MenuKind::CommandWithIcon);
        // A command is either built (enabled, with its slot) or still to come
        // (disabled, no slot): a slot that lands must leave the pending list.
        EXPECT_EQ(action->isEnabled(), hasSlot(*shown.form, key));
        EXPECT_EQ(action->isEnabled(), !Form1::isPendingCommand(key));
        enabled += action->isEnabled() ? 1 : 0;
    }
    EXPECT_EQ(enabled, 12);
}

TEST(MenuBar, TopMenusAndUnknownKeysRunNothing)
{
    ShownForm shown;
    WarningCatcher catcher;
    for (const MenuEntry &item : menuTable()) {
        if (item.kind != MenuKind::TopMenu)
            continue;
        shown->dispatchMenuKey(QLatin1String(item.key));
        shown->menuBar()->findChild<QMenu *>(QLatin1String(item.key))->menuAction()->trigger();
    }
    EXPECT_TRUE(catcher.warnings.isEmpty()) << catcher.warnings.join(QLatin1Char('\n')).toStdString();
    shown->dispatchMenuKey(QStringLiteral("mnufile_nosuchcommand"));
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_rect"});
}

TEST(Toolbar, ButtonsStandWhereTheTableSaysAndShareTheMenuActions)
{
    ShownForm shown;
    EXPECT_EQ(shown->centralWidget()->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly).size(),
              qsizetype(toolbarTable().size()));
    for (const ToolbarEntry &entry : toolbarTable()) {
        SCOPED_TRACE(entry.name);
        QToolButton *button = shown->toolButton(QLatin1String(entry.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), QRect(entry.left, 0, ToolButtonSize, ToolButtonSize));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(entry.toolTip));
        EXPECT_FALSE(button->icon().isNull());
        if (!ToolKeys.contains(QLatin1String(entry.menuKey))) {
            EXPECT_EQ(button->defaultAction(), shown->menuAction(QLatin1String(entry.menuKey)));
        }
    }
}

TEST(Toolbar, ButtonsAndMenuItemsShareTheToolGroup)
{
    ShownForm shown;
    QTest::mouseClick(shown->toolButton(QStringLiteral("sbcirc")), Qt::LeftButton);
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnushapes_circle"});

    shown->menuAction(QStringLiteral("mnuview_zoomout"))->trigger();
    EXPECT_TRUE(shown->toolButton(QStringLiteral("sb_zoomout"))->isChecked());
    EXPECT_FALSE(shown->toolButton(QStringLiteral("sbcirc"))->isChecked());
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::BitmapCursor);

    // Clicking the active tool again keeps it chosen.
    QTest::mouseClick(shown->toolButton(QStringLiteral("sb_zoomout")), Qt::LeftButton);
    EXPECT_EQ(checkedTools(*shown.form), QStringList{"mnuview_zoomout"});

    for (const QString &key : ToolKeys) {
        shown->dispatchMenuKey(key);
        EXPECT_EQ(checkedTools(*shown.form), QStringList{key});
    }
    shown->dispatchMenuKey(QStringLiteral("mnushapes_poly"));
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::ArrowCursor);
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
