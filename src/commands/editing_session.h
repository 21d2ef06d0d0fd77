// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formats/client_map_reader.h"
#include "model/map_document.h"
#include "undo_history.h"

#include <QString>

// The one path by which the map changes. The session owns the map document;
// whoever changes the areas or the document's fields (a tool, a dialog, a
// command) ends with fill_html_textbox, which regenerates the map text once
// and hands it to the observer (the code pane). Undo, redo and loading
// replace every area through replaceAreasFromText, after which the observer
// rebuilds whatever it keeps per area.
//
// The undo history lives here too. Each new map text records the text it
// replaces, unless history_paused is raised (while a handle drag refreshes
// the text live, so that only the drop counts as an edit, and while a map is
// rebuilt from text). Undo and redo restore a recorded text through the
// readers. A new edit leaves the redo list as it is.
class EditingSession {
public:
    class Observer {
    public:
        virtual ~Observer() = default;
        // The map text is new; not called when a refresh leaves it as it was.
        virtual void mapTextChanged(const QString &text) = 0;
        // Every area was replaced: positions count from 1 again.
        virtual void areasReplaced() = 0;
    };

    void setObserver(Observer *observer) { m_observer = observer; }

    MapDocument &document() { return m_document; }
    const MapDocument &document() const { return m_document; }

    // The map text as last generated.
    const QString &mapText() const { return m_mapText; }

    // Every change of the map ends here.
    void fill_html_textbox();

    // Replaces every area with those read from a map text in the document's
    // current form (a client-side page, or a map file in the server format
    // in force), then refreshes the map text. A text that does not read
    // leaves the areas read before the fault, as reading a file does.
    MapReadResult replaceAreasFromText(const QString &text);

    // Starts an empty map: no areas, nothing selected; the map text follows.
    void reset();

    // Puts a map read from files in place of the one being edited, as one
    // change: every area replaced, the history emptied, and the new map
    // text its baseline. Returns the map it replaced, for the caller to let
    // go of where it costs the user nothing.
    [[nodiscard]] MapDocument adoptLoadedMap(MapDocument document);

    // Restore the newest snapshot of their list, keeping the map text they
    // replace on the other list. With an empty list nothing happens. A
    // snapshot that does not read leaves the areas read before the fault
    // and comes back Failed with "Error while opening map !".
    MapReadResult undo();
    MapReadResult redo();
    // Empties both lists; the next recorded change has the text last
    // recorded as its baseline.
    void reset_undo_redo();
    // Regenerates the map text without recording it and makes it the
    // baseline of the history, as after loading a map.
    void refreshAsBaseline();
    const UndoHistory &history() const { return m_history; }

    bool history_paused = false;

private:
    void areasReplaced();
    void recordChange();
    MapReadResult restore(QString snapshot);

    UndoHistory m_history;
    QString m_lastCodeText; // the map text as last recorded

    MapDocument m_document;
    QString m_mapText;
    Observer *m_observer = nullptr;
};
