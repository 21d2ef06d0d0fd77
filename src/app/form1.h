// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas/canvas_state.h"
#include "canvas/canvas_tools.h"
#include "code_pane.h"
#include "commands/area_clipboard.h"
#include "commands/editing_session.h"
#include "commands/map_load.h"
#include "desktop.h"
#include "dialogs/save_file_dialog.h"
#include "dialogs/settings.h"
#include "model/map_document.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Canvas;
class frm_checkmap;
class frm_newmap;
class frm_prop;
struct MapProperties;
class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QScrollBar;
class QToolButton;
class frm_options;
struct ScrollBarSetup;

// The editor's main window. It owns the editing session (and through it the
// map document), the canvas flags, the picture at its own size (`pictemp`)
// and the controls around the canvas:
// the viewport `Picture1` with the canvas `mainpic`, the scroll bars, the
// read-outs and the code pane `htmltext`. The menu bar and the toolbar are
// built from the tables in menu_table.h; a menu choice runs the slot whose
// name is the item's key, and a toolbar button runs the same slot. The
// window's slots only hand over to the session, the tools and the commands.
//
// The window lays its controls out by position, like the picture and code
// pane of a map editor: the first resize sizes the picture area, later ones
// only keep the code pane under the horizontal scroll bar.
class Form1 : public QMainWindow, private CanvasHost, private EditingSession::Observer {
    Q_OBJECT
public:
    // desktop: message boxes and document viewer; the real desktop when null.
    explicit Form1(std::unique_ptr<Desktop> desktop = nullptr, QWidget *parent = nullptr);
    ~Form1() override;

    EditingSession &session() { return m_session; }
    MapDocument &document() { return m_session.document(); }
    CanvasState &canvasState() { return m_state; }
    CanvasTools &tools() { return m_tools; }
    // The area clipboard `clipboard_area`, empty until the first copy or cut.
    const AreaClipboard &clipboard_area() const { return m_clipboardArea; }
    // The options read at start-up, and the colours and hatch style in force.
    const Settings &settings() const { return m_settings; }
    const AreaLooks &areaLooks() const { return m_areaLooks; }

    Canvas *mainpic() const { return m_mainpic; }
    QWidget *Picture1() const { return m_picture1; }
    QScrollBar *HScroll1() const { return m_hscroll; }
    QScrollBar *VScroll1() const { return m_vscroll; }
    CodePane *htmltext() const { return m_htmltext; }
    QLabel *lbl_coords() const { return m_lblCoords; }
    QLabel *lbl_shape_coords() const { return m_lblShapeCoords; }
    QLabel *lbl_escape() const { return m_lblEscape; }
    // The action of a menu item (shared with its toolbar button, except for
    // the tool buttons, which show the tool at work), or null.
    QAction *menuAction(const QString &key) const { return m_actions.value(key); }
    QToolButton *toolButton(const QString &name) const;

    // Largest size of the picture viewport, fixed by the first resize.
    int view_width() const { return m_viewWidth; }
    int view_height() const { return m_viewHeight; }

    // The area context menu `cP`; its items carry their keys as object names.
    QMenu *cP() const { return m_cP; }
    // Runs the command of a context menu item by its key.
    void cp_click(const QString &key);

    // Files the window deletes when it closes.
    QStringList temp_filenames;

    // The picture at its own size, the source of every zoom step.
    const QImage &pictemp() const { return m_pictemp; }
    // Puts a loaded picture into pictemp and shows it at its own size. The
    // zoom factor and the picture's position are left to the caller, which
    // runs mnuview_normalsize or sets the factor and initialize_scrollbars.
    void setPicture(const QImage &picture);
    // Loads the picture file and puts it in place as setPicture does. Returns
    // the loader's message when the file cannot be read (nothing changes then),
    // else an empty text.
    QString load_map_picture(const QString &path);

    // Regenerates the map text into the code pane; every change of the areas
    // or of the document ends here.
    void fill_html_textbox();
    void initialize_scrollbars();
    void show_zoomed_picture(bool zoom_in) override;
    // Sets the map type and the check marks of the Imagemap Type menu together.
    void setServerMap(bool servermap);

    // Opens a file as the menu command for its kind would, with the file
    // already chosen: a picture (bmp, dib, gif, jpg, jpeg, png, wmf, emf) in
    // the new-map dialog, an HTML page by loading its client-side map, a map
    // file in the server-side load dialog. A relative path is taken from the
    // current folder. A file that cannot be read, or of another kind, only
    // gets a message.
    void openFile(const QString &path);

    // Runs the command of a menu key by name; keys of top menus run nothing.
    void dispatchMenuKey(const QString &key);
    // Commands that have no slot yet: their items and buttons stay disabled.
    static bool isPendingCommand(const QString &key);

    // Tool buttons. Escape anywhere in the window runs sbarrow_Click.
    void sbrect_Click();
    void sbcirc_Click();
    void sbpoly_Click();
    void sbarrow_Click();
    void sb_zoomin_Click();
    void sb_zoomout_Click();

public slots:
    // Menu commands, named after their keys in the menu table.
    void mnufile_newmap();
    void mnufile_loadmapclient(); // form1_load.cpp
    void mnufile_loadmapserver();
    void mnufile_exit();
    void mnuedit_improp();
    void mnuedit_undo();
    void mnuedit_redo();
    // The area clipboard (form1_edit.cpp).
    void mnuedit_copy();
    void mnuedit_cut();
    void mnuedit_paste();
    void mnuedit_delete();
    void mnuview_zoomin();
    void mnuview_zoomout();
    void mnuview_normalsize();
    void mnushapes_rect();
    void mnushapes_circle();
    void mnushapes_poly();
    void mnushapes_select();
    void mnutype_server();
    void mnutype_client();
    void mnuhelp_help();
    void mnuhelp_about();
    void mnuedit_options(); // form1_options.cpp
    // Taking the map out of the editor (form1_file.cpp).
    void mnufile_savemapas();
    void mnufile_exportsvg();
    void mnufile_testmap();
    void mnuedit_clipboard();
    // Lists what will not work in the map beside the window (form1_edit.cpp).
    void mnuedit_checkmap();
    // Commands of the area context menu.
    void cp_copy();
    void cp_cut();
    void cp_paste();
    void cp_delete();
    void cp_areaproperties();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A picture, page or map file dropped on the window opens as openFile does.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the canvas tools ask of the window (form1_canvas.cpp).
    QPoint mainpicPosition() const override;
    void setCoordsCaption(const QString &text) override;
    void setShapeCoordsText(const QString &text) override;
    QString shapeCoordsText() const override;
    void setCanvasCursor(CanvasCursor cursor) override;
    void showActiveTool(CanvasTool tool) override;
    void showEscapeHint(bool shown) override;
    void repaintCanvas() override;
    QRect visibleCanvasRect() const override;
    void openAreaProperties(int position) override;
    void openContextMenu(QPointF canvasPos, bool areaItemsOn) override;
    void buildContextMenu();

    // What the editing session tells the window.
    void mapTextChanged(const QString &text) override;
    void areasReplaced() override;

    // Shows the page in the desktop's browser; the failure is the message
    // for when no browser shows it.
    void openInBrowser(const QString &page, const QString &failure);

    // Puts options stored by the options dialog in force.
    void applyOptions(const Settings &options);

    // The regions, the canvas and the map text after the zoom changed.
    void zoomChanged();

    // Runs an area clipboard command on the selected area, or tells the
    // user to select one first.
    bool withSelectedArea(bool (AreaClipboard::*command)(int));
    void pasteArea();
    // Selects a Check Map finding's area and scrolls it into view.
    void showArea(int position);

    // Loading maps (form1_load.cpp). The steps of a load run on a worker
    // thread, from the fields of the current map, while the window waits;
    // nothing when the user cancelled the wait.
    using LoadSteps = std::function<LoadedMap(MapDocument fields, const LoadServices &services)>;
    std::optional<LoadedMap> readInBackground(QWidget *parent, const QString &file, LoadSteps steps);
    // Shows the loaded map in place of the current one, then the load's messages.
    void adoptLoadedMap(LoadedMap &loaded, QWidget *messageParent);
    // Decodes a map picture as load_map_picture does, on any thread.
    PictureDecoder pictureDecoder() const;

    void loadClientPage(const QString &page);
    // The server-side load dialog, with the map file already chosen when one
    // is given.
    void openServerLoadDialog(const QString &mapFile);

    // The dialogs (form1_dialogs.cpp).
    frm_newmap *startNewMap();
    frm_newmap *openMapDialog();
    bool applyMapProperties(const MapProperties &properties, QWidget *dialog);
    void refuseMapProperties(QWidget *dialog, QString reason);
    frm_prop *showAreaProperties(int position);

    void createControls();
    void buildMenuBar();
    // The smallest window that shows the whole menu bar and toolbar.
    QSize smallestWholeSize() const;
    void buildToolbar();
    void selectTool(CanvasTools::Tool tool);
    void layOutAfterResize();
    void scrollBy(QScrollBar *bar, int &lastValue, int value);
    static void applyScrollBar(QScrollBar *bar, const ScrollBarSetup &setup);

    EditingSession m_session;
    CanvasState m_state;
    CanvasTools m_tools;
    AreaClipboard m_clipboardArea;
    Settings m_settings;
    AreaLooks m_areaLooks;
    std::unique_ptr<Desktop> m_desktop;
    SaveFileDialog m_dlgsave{*m_desktop};

    QImage m_pictemp;
    int m_viewWidth = 0;
    int m_viewHeight = 0;
    bool m_firstResizeDone = false;
    int m_lastVertical = 0;
    int m_lastHorizontal = 0;
    bool m_scrollEventsSuppressed = false;

    QWidget *m_client = nullptr;
    QWidget *m_picture1 = nullptr;
    Canvas *m_mainpic = nullptr;
    QScrollBar *m_hscroll = nullptr;
    QScrollBar *m_vscroll = nullptr;
    CodePane *m_htmltext = nullptr;
    QLabel *m_lblCoords = nullptr;
    QLabel *m_lblShapeCoords = nullptr;
    QLabel *m_lblEscape = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QAction *> m_toolButtonActions; // by menu key: the pressed look of the tool at work
    QMenu *m_cP = nullptr;
    QPointer<frm_options> m_options;
    QPointer<frm_checkmap> m_checkMap;
};
