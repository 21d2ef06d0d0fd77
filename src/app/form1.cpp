// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "canvas/canvas.h"
#include "code_pane.h"
#include "desktop.h"
#include "form1_layout.h"
#include "icon_list.h"
#include "menu_table.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <QToolButton>

#include <algorithm>

using namespace Form1Layout;

namespace {

const char *toolKey(CanvasTools::Tool tool)
{
    switch (tool) {
    case CanvasTools::Tool::Rectangle:
        return "mnushapes_rect";
    case CanvasTools::Tool::Circle:
        return "mnushapes_circle";
    case CanvasTools::Tool::Polygon:
        return "mnushapes_poly";
    case CanvasTools::Tool::Select:
        return "mnushapes_select";
    case CanvasTools::Tool::ZoomIn:
        return "mnuview_zoomin";
    case CanvasTools::Tool::ZoomOut:
        return "mnuview_zoomout";
    }
    return "";
}

bool isToolKey(const QString &key)
{
    for (CanvasTools::Tool tool : {CanvasTools::Tool::Rectangle, CanvasTools::Tool::Circle, CanvasTools::Tool::Polygon,
                                   CanvasTools::Tool::Select, CanvasTools::Tool::ZoomIn, CanvasTools::Tool::ZoomOut})
        if (key == QLatin1String(toolKey(tool)))
            return true;
    return false;
}

QLabel *smallLabel(QWidget *parent, const char *name, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSizeF(8);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

// Read-outs grow with their text.
void setCaption(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    label->adjustSize();
}

QString helpFilePath()
{
    // The help page is installed beside the program: bin/../share/zonari/help.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zonari/help/index.html"));
}

} // namespace

Form1::Form1(std::unique_ptr<Desktop> desktop, QWidget *parent)
    : QMainWindow(parent), m_tools(m_session, m_state, *this), m_clipboardArea(m_session),
      m_desktop(desktop ? std::move(desktop) : std::make_unique<Desktop>())
{
    m_session.setObserver(this);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zonari"));
    setWindowIcon(applicationIcon());
    createControls();

    // Start-up: a fresh canvas state and document are already in place.
    initialize_scrollbars();
    const std::unique_ptr<QSettings> store = Settings::openStore();
    m_settings = Settings::read(*store);
    m_areaLooks = areaLooksFrom(m_settings);
    document().ncsaApacheCircles = m_settings.ncsaApacheCircles;
    m_viewWidth = InitialViewWidth;
    m_viewHeight = InitialViewHeight;
    buildMenuBar();
    buildToolbar();
    buildContextMenu();
    showActiveTool(m_tools.activeTool());

    resize(Client.width(), Client.height() + menuBar()->sizeHint().height());
    setMinimumSize(smallestWholeSize());
    setAcceptDrops(true);
    // Keys typed at start-up go to the picture, not to the map text.
    m_mainpic->setFocusPolicy(Qt::StrongFocus);
    m_mainpic->setFocus();
}

QSize Form1::smallestWholeSize() const
{
    QRect toolbar;
    for (const QToolButton *button : m_client->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly))
        toolbar |= button->geometry();
    const QSize menus = menuBar()->sizeHint();
    return {std::max(menus.width(), toolbar.right() + 1), menus.height() + toolbar.bottom() + 1};
}

Form1::~Form1() = default;

void Form1::createControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    m_lblCoords = smallLabel(m_client, "lbl_coords", CoordsLabel);
    m_lblShapeCoords = smallLabel(m_client, "lbl_shape_coords", ShapeCoordsLabel);
    m_lblEscape = smallLabel(m_client, "lbl_escape", EscapeLabel);
    m_lblEscape->setText(QStringLiteral("Press Escape to finish editing the shape"));
    m_lblEscape->setWordWrap(true);
    m_lblEscape->hide();

    m_picture1 = new QWidget(m_client);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(Viewport);
    m_picture1->setAutoFillBackground(true);
    m_picture1->setBackgroundRole(QPalette::Mid);
    m_picture1->installEventFilter(this);

    m_mainpic = new Canvas(m_tools, m_areaLooks, m_picture1);
    m_mainpic->installEventFilter(this);

    m_vscroll = new QScrollBar(Qt::Vertical, m_client);
    m_vscroll->setObjectName(QStringLiteral("VScroll1"));
    m_hscroll = new QScrollBar(Qt::Horizontal, m_client);
    m_hscroll->setObjectName(QStringLiteral("HScroll1"));
    m_vscroll->setGeometry(VScroll);
    m_hscroll->setGeometry(HScroll);
    connect(m_vscroll, &QScrollBar::valueChanged, this,
            [this](int value) { scrollBy(m_vscroll, m_lastVertical, value); });
    connect(m_hscroll, &QScrollBar::valueChanged, this,
            [this](int value) { scrollBy(m_hscroll, m_lastHorizontal, value); });

    m_htmltext = new CodePane(m_client);
    m_htmltext->setObjectName(QStringLiteral("htmltext"));
    m_htmltext->setGeometry(HtmlText);
}

void Form1::buildMenuBar()
{
    QHash<QString, QMenu *> menus;
    QHash<QString, QActionGroup *> optionGroups;
    for (const MenuEntry &item : menuTable()) {
        const QString key = QLatin1String(item.key);
        const QString caption = menuText(item);
        if (item.kind == MenuKind::TopMenu) {
            QMenu *menu = menuBar()->addMenu(caption);
            menu->setObjectName(key);
            menu->menuAction()->setObjectName(key);
            connect(menu->menuAction(), &QAction::triggered, this, [this, key] { dispatchMenuKey(key); });
            menus.insert(key, menu);
            continue;
        }
        QMenu *menu = menus.value(QLatin1String(item.parent));
        if (item.kind == MenuKind::Separator) {
            menu->addSeparator()->setObjectName(key);
            continue;
        }
        QAction *action = menu->addAction(caption);
        action->setObjectName(key);
        if (item.kind == MenuKind::CommandWithIcon)
            action->setIcon(iconFor(QLatin1String(item.icon)));
        if (item.kind == MenuKind::Option) {
            QActionGroup *&group = optionGroups[QLatin1String(item.parent)];
            if (!group)
                group = new QActionGroup(this);
            action->setCheckable(true);
            action->setChecked(item.checked);
            group->addAction(action);
        }
        action->setShortcuts(menuShortcuts(item));
        action->setEnabled(!isPendingCommand(key));
        connect(action, &QAction::triggered, this, [this, key] { dispatchMenuKey(key); });
        m_actions.insert(key, action);
    }
    // F10 opens the first menu, as in other programs of the desktop; the
    // menu bar leaves that key alone here.
    auto *menuKey = new QAction(this);
    menuKey->setShortcut(Qt::Key_F10);
    connect(menuKey, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    addAction(menuKey);
}

void Form1::buildToolbar()
{
    // The drawing and zoom tools: one button always shows the tool at work.
    // Their menu items run the same commands but show no check mark.
    auto *toolGroup = new QActionGroup(this);
    for (const ToolbarEntry &entry : toolbarTable()) {
        const QString key = QLatin1String(entry.menuKey);
        QAction *action = menuAction(key);
        action->setToolTip(QString::fromUtf8(entry.toolTip));
        if (action->icon().isNull()) {
            // The menu item shows no picture; only its button does.
            action->setIcon(iconFor(QLatin1String(entry.picture)));
            action->setIconVisibleInMenu(false);
        }
        if (isToolKey(key)) {
            auto *pressed = new QAction(action->icon(), action->text(), toolGroup);
            pressed->setObjectName(QLatin1String(entry.name));
            pressed->setToolTip(action->toolTip());
            pressed->setCheckable(true);
            connect(pressed, &QAction::triggered, this, [this, key] { dispatchMenuKey(key); });
            m_toolButtonActions.insert(key, pressed);
            action = pressed;
        }
        auto *button = new QToolButton(m_client);
        button->setObjectName(QLatin1String(entry.name));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(ToolIconSize, ToolIconSize));
        button->setGeometry(entry.left, ToolbarTop, ToolButtonSize, ToolButtonSize);
    }
}

QToolButton *Form1::toolButton(const QString &name) const
{
    return m_client->findChild<QToolButton *>(name);
}

bool Form1::isPendingCommand(const QString &key)
{
    // A command is built once the window has a slot of its name to run.
    return staticMetaObject.indexOfMethod((key + QStringLiteral("()")).toLatin1().constData()) < 0;
}

void Form1::dispatchMenuKey(const QString &key)
{
    if (key.startsWith(QLatin1Char('8')))
        return;
    const QByteArray name = key.toLatin1();
    QMetaObject::invokeMethod(this, name.constData(), Qt::DirectConnection);
}

void Form1::selectTool(CanvasTools::Tool tool)
{
    m_tools.chooseTool(tool);
}

void Form1::showActiveTool(CanvasTool tool)
{
    m_toolButtonActions.value(QLatin1String(toolKey(tool)))->setChecked(true);
}

void Form1::sbrect_Click()
{
    selectTool(CanvasTools::Tool::Rectangle);
}

void Form1::sbcirc_Click()
{
    selectTool(CanvasTools::Tool::Circle);
}

void Form1::sbpoly_Click()
{
    selectTool(CanvasTools::Tool::Polygon);
}

void Form1::sbarrow_Click()
{
    selectTool(CanvasTools::Tool::Select);
}

void Form1::sb_zoomin_Click()
{
    selectTool(CanvasTools::Tool::ZoomIn);
}

void Form1::sb_zoomout_Click()
{
    selectTool(CanvasTools::Tool::ZoomOut);
}

void Form1::mnushapes_rect()
{
    sbrect_Click();
}

void Form1::mnushapes_circle()
{
    sbcirc_Click();
}

void Form1::mnushapes_poly()
{
    sbpoly_Click();
}

void Form1::mnushapes_select()
{
    sbarrow_Click();
}

void Form1::mnuview_zoomin()
{
    sb_zoomin_Click();
}

void Form1::mnuview_zoomout()
{
    sb_zoomout_Click();
}

void Form1::mnutype_server()
{
    setServerMap(true);
}

void Form1::mnutype_client()
{
    setServerMap(false);
}

void Form1::setServerMap(bool servermap)
{
    document().is_servermap = servermap;
    menuAction(QStringLiteral("mnutype_server"))->setChecked(servermap);
    menuAction(QStringLiteral("mnutype_client"))->setChecked(!servermap);
}

void Form1::mnufile_exit()
{
    close();
}

void Form1::mnuhelp_help()
{
    const QString page = helpFilePath();
    openInBrowser(page, QStringLiteral("Could not start a browser to show the help guide %1 !").arg(page));
}

void Form1::mnuhelp_about()
{
    m_desktop->about(this, QStringLiteral("About Zonari"),
                     QStringLiteral("Zonari %1\n\n"
                                    "An editor for HTML image maps: draw rectangles, circles and polygons on a "
                                    "picture, give each a link, and save the map as client-side HTML or as an "
                                    "NCSA or CERN server-side map.")
                         .arg(QLatin1String(ZONARI_VERSION)));
}

void Form1::mnuedit_undo()
{
    const MapReadResult result = m_session.undo();
    if (result.outcome == ReadOutcome::Failed)
        m_desktop->message(this, result.message, QString(), MessageIcon::Exclamation);
}

void Form1::mnuedit_redo()
{
    const MapReadResult result = m_session.redo();
    if (result.outcome == ReadOutcome::Failed)
        m_desktop->message(this, result.message, QString(), MessageIcon::Exclamation);
}

void Form1::fill_html_textbox()
{
    m_session.fill_html_textbox();
}

void Form1::mapTextChanged(const QString &text)
{
    m_htmltext->showMapText(text);
}

void Form1::areasReplaced()
{
    m_tools.areasReplaced();
}

void Form1::setCoordsCaption(const QString &text)
{
    setCaption(m_lblCoords, text);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Closing never asks and never fails: a file already gone is skipped.
    while (!temp_filenames.isEmpty())
        QFile::remove(temp_filenames.takeFirst());
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    event->accept();
}
