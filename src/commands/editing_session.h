#pragma once

#include "formats/client_map_reader.h"
#include "model/map_document.h"

#include <QString>

// The one path by which the map changes. The session owns the map document;
// whoever changes the areas or the document's fields (a tool, a dialog, a
// command) ends with fill_html_textbox, which regenerates the map text once
// and hands it to the observer (the code pane). Undo, redo and loading
// replace every area through replaceAreasFromText, after which the observer
// rebuilds whatever it keeps per area.
//
// The undo history's state lives here too: history_paused is raised while
// a handle drag refreshes the map text live, so that only the drop counts
// as an edit.
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

    bool history_paused = false;

private:
    void areasReplaced();

    MapDocument m_document;
    QString m_mapText;
    Observer *m_observer = nullptr;
};
