// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "area_regions.h"
#include "canvas_state.h"
#include "commands/editing_session.h"
#include "model/map_document.h"

#include <QPointF>
#include <QString>

enum class CanvasCursor { Arrow, Zoom, Move };
enum class CanvasTool { Rectangle, Circle, Polygon, Select, ZoomIn, ZoomOut };

// What the canvas tools ask of the window around them. The main window
// implements it; tests script it.
class CanvasHost {
public:
    virtual ~CanvasHost() = default;
    virtual void setCoordsCaption(const QString &text) = 0;   // pointer read-out
    virtual void setShapeCoordsText(const QString &text) = 0; // shape read-out
    virtual QString shapeCoordsText() const = 0;
    virtual void setCanvasCursor(CanvasCursor cursor) = 0;
    virtual void showActiveTool(CanvasTool tool) = 0; // the pressed tool button
    virtual void showEscapeHint(bool shown) = 0;
    virtual void repaintCanvas() = 0;
    virtual void openAreaProperties(int position) = 0;                     // modeless; the user finishes it later
    virtual void openContextMenu(QPointF canvasPos, bool areaItemsOn) = 0; // "Separator", "Area Properties"
    virtual QPoint mainpicPosition() const = 0;         // the picture's left and top in the viewport (<= 0)
    virtual QRect visibleCanvasRect() const = 0;        // the part of the canvas the viewport shows, canvas pixels
    virtual void show_zoomed_picture(bool zoom_in) = 0; // one zoom step around the recorded click
};

// The drawing, select and zoom tools: what a mouse event on the canvas does
// to the document, rule by rule. Positions come in canvas pixels; stored
// points are those divided by the zoom factor and rounded half to even,
// while the pointer read-out cuts toward zero. Every change of the map ends
// in the editing session's fill_html_textbox.
class CanvasTools {
public:
    using Tool = CanvasTool;

    CanvasTools(EditingSession &session, CanvasState &state, CanvasHost &host);

    // Tool commands. Choosing a drawing tool forgets any unfinished state
    // (an area left half drawn stays as it is and shows); the select tool
    // (also Escape) finishes a polygon being built; a zoom tool leaves an
    // area being drawn as it is. Choosing the tool already at work changes
    // nothing.
    void chooseTool(Tool tool);
    Tool activeTool() const;
    void sbarrow_Click();

    // The canvas's mouse events, as they arrive: a press on a shown point
    // handle starts a handle drag, which the release ends wherever it
    // happens; anything else goes to the picture's mouse rules below.
    void pointerPressed(Qt::MouseButton button, QPointF pos);
    void pointerMoved(Qt::MouseButtons buttons, QPointF pos);
    void pointerReleased(Qt::MouseButton button, QPointF pos);

    void mouseDown(Qt::MouseButton button, QPointF pos);
    void mouseMove(Qt::MouseButtons buttons, QPointF pos);
    void mouseUp(Qt::MouseButton button, QPointF pos);

    // Makes the live area at the position the selected one, as a click on
    // it with the select tool does; false for no such area.
    bool selectArea(int position);

    // The pointer read-out: picture coordinates cut toward zero, "X:120 Y:45".
    static QString coordsCaption(QPointF pos, float zoom_factor);

    const MapDocument &document() const { return m_doc; }
    const CanvasState &state() const { return m_state; }

    // The hit regions of the areas at the current zoom.
    AreaRegions &regions() { return m_regions; }
    const AreaRegions &regions() const { return m_regions; }

    // Point handles: a press marks any drawing finished; with the left
    // button it starts a drag that reshapes the area live while the pointer
    // is over the shown part of the canvas, until the drop.
    void handlePressed(HandleRef handle, Qt::MouseButton button);
    void handleDragOver(QPointF pos);
    void handleDropped();
    bool draggingHandle() const { return m_state.dragged_handle_area != -1; }
    QPointF draggedHandleCentre() const { return m_dragPos; }

    // The handle under a canvas pixel, topmost first; handles are squares
    // of HandleSize centred on their zoomed points.
    std::optional<HandleRef> handleAt(QPointF pos) const;

    // "(x0,y0) - (x1,y1) W:w H:h" from points 0 and 1.
    static QString shapeReadout(const clscoords &area);

    // A repaint of the whole canvas: the region of every area whose shape
    // changed since its region was built is rebuilt first.
    void Reshape();

    // The zoom changed: every region is rebuilt.
    void reshapeAll();
    // Every area is new (an undo, a redo, a load): an area half drawn or a
    // handle being dragged belonged to the old ones and is let go; the tool
    // at work stays and starts afresh with the next click.
    void areasReplaced();

private:
    QPointF picturePoint(QPointF pos) const;
    void dropRubberBand();
    void recordZoomClick(QPointF pos);
    clscoords *activeArea();
    void show_outline(const clscoords &area);
    void check_shape_hover(int position, QPointF pos);
    void hoverPass(QPointF pos);
    static void placeRectanglePoints(clscoords &area, QPointF p);
    static void placeCirclePoints(clscoords &area, QPointF p);
    void finishArea(clscoords &area, QPointF p);
    void dragRectangleCorner(clscoords &area, int point, QPointF p);
    void dragCircleEdge(clscoords &area, int point, QPointF p);
    void moveActiveArea(QPointF pos, bool commit);

    EditingSession &m_session;
    MapDocument &m_doc;
    CanvasState &m_state;
    AreaRegions m_regions;
    CanvasHost &m_host;
    QPointF m_dragPos;
    // Areas the pointer is over, so that a hover pass visits only those and
    // the areas whose bounds hold the pointer. Rebuilt by a full pass
    // whenever the collection has changed size.
    std::vector<int> m_hovered;
    std::vector<int> m_candidates;
    int m_hoverScanCount = -1;
};

inline constexpr int HandleSize = 10; // canvas pixels
