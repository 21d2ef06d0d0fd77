// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "canvas/canvas.h"
#include "support/file_folder.h"
#include "support/gui_helpers.h"
#include "support/printers.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool hasSlot(const Form1 &form, const QString &key)
{
    return form.metaObject()->indexOfSlot((key + QStringLiteral("()")).toLatin1().constData()) >= 0;
}

// One menu item as the user meets it: "parent/key kind "caption" keys", the
// kind being top, command, icon (a command showing an icon), option (an item
// that shows a check mark, "checked" when it does) or separator.
QString describeItem(const QString &parent, const QAction *action)
{
    QString kind;
    if (parent.isEmpty())
        kind = QStringLiteral("top");
    else if (action->isSeparator())
        kind = QStringLiteral("separator");
    else if (action->isCheckable())
        kind = action->isChecked() ? QStringLiteral("option checked") : QStringLiteral("option");
    else if (!action->icon().isNull() && action->isIconVisibleInMenu())
        kind = QStringLiteral("icon");
    else
        kind = QStringLiteral("command");
    QString line = parent + QLatin1Char('/') + action->objectName() + QLatin1Char(' ') + kind;
    if (!action->isSeparator())
        line += QStringLiteral(" \"%1\"").arg(captionWords(action->text()));
    const QString keys = QKeySequence::listToString(action->shortcuts(), QKeySequence::PortableText);
    if (!keys.isEmpty())
        line += QLatin1Char(' ') + keys;
    return line + QLatin1Char('\n');
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

TEST(MenuBar, HoldsTheEditorsMenusInOrder)
{
    const char *expected = R"(
/8mnufile top "File"
8mnufile/mnufile_newmap icon "Create New Map" Ctrl+N
8mnufile/mnufile_loadmapclient icon "Load Client-Side Map"
8mnufile/mnufile_loadmapserver icon "Load Server-Side Map"
8mnufile/mnufile_savemapas icon "Save Map as" Ctrl+S
8mnufile/mnufile_exportsvg command "Export as SVG..."
8mnufile/mnufile_testmap icon "Test Map"
8mnufile/mnufile_exit command "Exit" Ctrl+Q
/8mnuedit top "Edit"
8mnuedit/mnuedit_undo icon "Undo" Ctrl+Z
8mnuedit/mnuedit_redo icon "Redo" Ctrl+Y; Ctrl+Shift+Z
8mnuedit/mnuedit_sep_undo separator
8mnuedit/mnuedit_copy icon "Copy Shape" Ctrl+C
8mnuedit/mnuedit_cut icon "Cut Shape" Ctrl+X
8mnuedit/mnuedit_paste icon "Paste Shape" Ctrl+V
8mnuedit/mnuedit_delete icon "Delete Shape" Del
8mnuedit/mnuedit_sep2 separator
8mnuedit/mnuedit_improp icon "Imagemap Properties"
8mnuedit/mnuedit_sep1 separator
8mnuedit/mnuedit_clipboard command "Copy Map HTML to Clipboard"
8mnuedit/mnuedit_checkmap command "Check Map"
8mnuedit/mnuedit_options command "Options"
/8mnuview top "View"
8mnuview/mnuview_zoomin icon "Zoom In" Ctrl++; Ctrl+=
8mnuview/mnuview_zoomout icon "Zoom Out" Ctrl+-
8mnuview/mnuview_normalsize command "Normal Size" Ctrl+0
/8mnushapes top "Shapes"
8mnushapes/mnushapes_rect icon "Rectangle"
8mnushapes/mnushapes_circle icon "Circle"
8mnushapes/mnushapes_poly icon "Polygon"
8mnushapes/mnushapes_select icon "Select Tool" Esc
/8mnutype top "Imagemap Type"
8mnutype/mnutype_server option "Server-Side"
8mnutype/mnutype_client option checked "Client-Side"
/8mnuhelp top "Help"
8mnuhelp/mnuhelp_help icon "Zonari Help Guide" F1
8mnuhelp/mnu_sep1 separator
8mnuhelp/mnu_sep2 separator
8mnuhelp/mnu_sep3 separator
8mnuhelp/mnuhelp_about command "About"
)";
    ShownForm shown;
    QString built;
    for (QAction *top : shown->menuBar()->actions()) {
        built += describeItem(QString(), top);
        for (QAction *item : top->menu()->actions()) {
            SCOPED_TRACE(item->objectName().toStdString());
            built += describeItem(top->objectName(), item);
            EXPECT_TRUE(item->isVisible());
            // An item is either enabled and runs its slot, or its command
            // is still to come and it stays disabled.
            if (!item->isSeparator()) {
                EXPECT_EQ(item->isEnabled(), hasSlot(*shown.form, item->objectName()));
            }
        }
    }
    EXPECT_EQ("\n" + built.toStdString(), expected);
}

TEST(MenuBar, EveryMenuItemAndShortcutWorksFromTheKeyboard)
{
    ShownForm shown({400, 300});
    QMenuBar *bar = shown->menuBar();
    // Each menu, and the bar itself, gives every entry a letter of its own.
    QList<QList<QAction *>> menus = {bar->actions()};
    for (QAction *top : bar->actions())
        menus << top->menu()->actions();
    for (const QList<QAction *> &entries : menus) {
        QStringList letters;
        for (const QAction *entry : entries)
            if (!entry->isSeparator())
                letters << QKeySequence::mnemonic(entry->text()).toString(QKeySequence::PortableText);
        EXPECT_FALSE(letters.contains(QString())) << letters.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(QSet<QString>(letters.begin(), letters.end()).size(), letters.size())
            << letters.join(QLatin1Char(' ')).toStdString();
    }

    QTest::keyClick(shown.form.get(), Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), bar->actions().first()->menu());
    QApplication::activePopupWidget()->close();

    QTest::keyClick(shown.form.get(), Qt::Key_Plus, Qt::ControlModifier);
    shown.click({10, 10});
    EXPECT_EQ(shown->document().zoom_factor, 1.2f);
    QTest::keyClick(shown.form.get(), Qt::Key_V, Qt::AltModifier);
    QWidget *view = QApplication::activePopupWidget();
    ASSERT_EQ(view, bar->findChild<QMenu *>(QStringLiteral("8mnuview")));
    QTest::keyClick(view, Qt::Key_N);
    EXPECT_EQ(shown->document().zoom_factor, 1.0f);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(shown.form.get(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_TRUE(shown->canvasState().zoom_out);
    QTest::keyClick(shown.form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(shown->isVisible());
}

TEST(MenuBar, TheHelpPageListsTheKeysTheMenusHave)
{
    ShownForm shown;
    shown.choose("mnuhelp_help");
    ASSERT_EQ(shown.desktop->opened.size(), 1);
    const QString page = QString::fromUtf8(readFile(shown.desktop->opened.first().toLocalFile()));
    const QString keysTable =
        page.section(QStringLiteral("<h2>Keys</h2>"), 1).section(QStringLiteral("</table>"), 0, 0);
    // "menu &rarr; command: key, key" from each row of the page and from each
    // menu item that has keys.
    QStringList listed;
    static const QRegularExpression row(QStringLiteral("<tr><td>(.*?)</td><td>(.*?)</td></tr>"));
    static const QRegularExpression kbd(QStringLiteral("<kbd>(.*?)</kbd>"));
    for (const QRegularExpressionMatch &match : row.globalMatch(keysTable)) {
        QStringList keys;
        for (const QRegularExpressionMatch &key : kbd.globalMatch(match.captured(1)))
            keys << key.captured(1);
        listed << match.captured(2) + QStringLiteral(": ") + keys.join(QStringLiteral(", "));
    }
    QStringList inMenus;
    for (QAction *top : shown->menuBar()->actions())
        for (QAction *item : top->menu()->actions())
            if (!item->shortcuts().isEmpty())
                inMenus << captionWords(top->text()) + QStringLiteral(" &rarr; ") + captionWords(item->text())
                               + QStringLiteral(": ")
                               + QKeySequence::listToString(item->shortcuts(), QKeySequence::PortableText)
                                     .replace(QStringLiteral("; "), QStringLiteral(", "));
    EXPECT_EQ(listed, inMenus);
}

TEST(MenuBar, TopMenusAndUnknownKeysRunNothing)
{
    ShownForm shown;
    WarningCatcher catcher;
    for (QAction *top : shown->menuBar()->actions()) {
        shown->dispatchMenuKey(top->objectName());
        top->trigger();
    }
    EXPECT_TRUE(catcher.warnings.isEmpty()) << catcher.warnings.join(QLatin1Char('\n')).toStdString();
    shown.choose("mnufile_nosuchcommand");
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->tools().activeTool(), CanvasTool::Rectangle);
}

TEST(Toolbar, ButtonsStandInARowWithTheirTipsAndShareTheMenuActions)
{
    // name, tool tip, left edge, and the menu item whose action (enabled or
    // not) the button shares; the tool buttons have their own, which show
    // the tool at work.
    const char *expected = R"(
sbnewmap "New Map" 32 mnufile_newmap
sbsave "Save Map" 64 mnufile_savemapas
sb_zoomin "Zoom In" 128
sb_zoomout "Zoom Out" 160
sbcopy "Copy Shape" 192 mnuedit_copy
sbcut "Cut Shape" 224 mnuedit_cut
sbpaste "Paste Shape" 256 mnuedit_paste
sbdelete "Delete Shape" 288 mnuedit_delete
sbrect "Rectangle" 320
sbcirc "Circle" 352
sbpoly "Polygon" 384
sbarrow "Select/Move Shape" 416
sbtest "Test Map" 496 mnufile_testmap
sbcopyclip "Copy Imagemap code to Clipboard" 528 mnuedit_clipboard
sbundo "Undo" 560 mnuedit_undo
sbredo "Redo" 592 mnuedit_redo
)";
    ShownForm shown;
    QList<QToolButton *> buttons = shown->centralWidget()->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly);
    std::sort(buttons.begin(), buttons.end(), [](QToolButton *a, QToolButton *b) { return a->x() < b->x(); });
    QString built;
    for (const QToolButton *button : buttons) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_EQ(button->geometry(), QRect(button->x(), 0, 30, 30));
        EXPECT_FALSE(button->icon().isNull());
        built += QStringLiteral("%1 \"%2\" %3").arg(button->objectName(), button->toolTip()).arg(button->x());
        const QAction *action = button->defaultAction();
        if (action && action == shown->menuAction(action->objectName()))
            built += QLatin1Char(' ') + action->objectName();
        built += QLatin1Char('\n');
    }
    EXPECT_EQ("\n" + built.toStdString(), expected);
}

TEST(Toolbar, ButtonsAndMenuItemsChooseTheSameTools)
{
    struct Case {
        const char *button;
        const char *menuKey;
        CanvasTool tool;
    };
    const Case cases[] = {
        {"sbcirc", "mnushapes_circle", CanvasTool::Circle},     {"sbpoly", "mnushapes_poly", CanvasTool::Polygon},
        {"sbarrow", "mnushapes_select", CanvasTool::Select},    {"sb_zoomin", "mnuview_zoomin", CanvasTool::ZoomIn},
        {"sb_zoomout", "mnuview_zoomout", CanvasTool::ZoomOut}, {"sbrect", "mnushapes_rect", CanvasTool::Rectangle},
    };
    // Each step starts from another tool: the one of the step before. The
    // button of the tool at work, and only that one, shows pressed.
    ShownForm shown;
    const auto pressedButtons = [&shown, &cases] {
        QStringList pressed;
        for (const Case &c : cases)
            if (shown->toolButton(QLatin1String(c.button))->isChecked())
                pressed << QLatin1String(c.button);
        return pressed;
    };
    for (const Case &c : cases) {
        QTest::mouseClick(shown->toolButton(QLatin1String(c.button)), Qt::LeftButton);
        EXPECT_EQ(shown->tools().activeTool(), c.tool) << c.button;
        EXPECT_EQ(pressedButtons(), QStringList{QLatin1String(c.button)});
    }
    for (const Case &c : cases) {
        shown->menuAction(QLatin1String(c.menuKey))->trigger();
        EXPECT_EQ(shown->tools().activeTool(), c.tool) << c.menuKey;
        EXPECT_EQ(pressedButtons(), QStringList{QLatin1String(c.button)});
    }
    shown.choose("mnuview_zoomout");
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::BitmapCursor);
    shown.choose("mnushapes_poly");
    EXPECT_EQ(shown->mainpic()->cursor().shape(), Qt::ArrowCursor);
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
    const QString clientText = shown.code();
    shown->menuAction(QStringLiteral("mnutype_server"))->trigger();
    EXPECT_TRUE(shown->document().is_servermap);
    EXPECT_FALSE(shown->menuAction(QStringLiteral("mnutype_client"))->isChecked());
    EXPECT_EQ(shown.code(), clientText); // shown at the next refresh
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
    // Without a browser the user learns where the page is.
    shown.desktop->desktopLaunches = false;
    QTest::keyClick(shown.form.get(), Qt::Key_F1);
    const DesktopScript::Message noBrowser{
        QStringLiteral("Could not start a browser to show the help guide %1 !").arg(help.toLocalFile()), QString(),
        MessageIcon::Exclamation};
    EXPECT_EQ(shown.desktop->messages, QList{noBrowser});

    shown->menuAction(QStringLiteral("mnuhelp_about"))->trigger();
    ASSERT_EQ(shown.desktop->about.size(), 1);
    EXPECT_TRUE(shown.desktop->about.first().startsWith(QStringLiteral("About Zonari\nZonari 0.1.0\n")));
}
