// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing_session.h"

#include "formats/map_writer.h"
#include "formats/server_map_reader.h"

void EditingSession::fill_html_textbox()
{
    QString text = calculate_html(m_document);
    const bool changed = text != m_mapText;
    if (changed)
        m_mapText = std::move(text);
    // A handle drop refreshes to the text its drag already showed, and
    // still records the drag as one edit.
    recordChange();
    if (changed && m_observer)
        m_observer->mapTextChanged(m_mapText);
}

MapReadResult EditingSession::replaceAreasFromText(const QString &text)
{
    m_document.delete_all_shapes();
    const MapTextSource snapshot = MapTextSource::snapshot(text);
    MapReadResult result;
    if (m_document.is_servermap) {
        const ServerMapResult read = analyze_server_map(m_document, snapshot, m_document.serverside_type);
        if (!read.ok)
            result = MapReadResult::failed(read.message());
    } else {
        result = analyze_client_map(m_document, snapshot, ReaderServices());
    }
    areasReplaced();
    fill_html_textbox();
    return result;
}

void EditingSession::reset()
{
    m_document.delete_all_shapes();
    areasReplaced();
    fill_html_textbox();
}

MapDocument EditingSession::adoptLoadedMap(MapDocument document)
{
    reset_undo_redo();
    std::swap(m_document, document);
    areasReplaced();
    refreshAsBaseline();
    return document;
}

void EditingSession::areasReplaced()
{
    if (m_observer)
        m_observer->areasReplaced();
}

void EditingSession::recordChange()
{
    if (history_paused || m_mapText == m_lastCodeText)
        return;
    // The first text after a start or a reset is only the baseline.
    if (!m_lastCodeText.isEmpty())
        m_history.pushUndo(m_lastCodeText);
    m_lastCodeText = m_mapText;
}

MapReadResult EditingSession::undo()
{
    if (!m_history.canUndo())
        return {};
    m_history.pushRedo(m_mapText);
    return restore(m_history.takeUndo());
}

MapReadResult EditingSession::redo()
{
    if (!m_history.canRedo())
        return {};
    m_history.pushUndo(m_mapText);
    return restore(m_history.takeRedo());
}

MapReadResult EditingSession::restore(QString snapshot)
{
    history_paused = true;
    MapReadResult result = replaceAreasFromText(snapshot);
    m_lastCodeText = m_mapText;
    history_paused = false;
    if (result.outcome == ReadOutcome::Failed)
        result.message = MapOpenError.toString();
    return result;
}

void EditingSession::reset_undo_redo()
{
    m_history.clear();
}

void EditingSession::refreshAsBaseline()
{
    history_paused = true;
    fill_html_textbox();
    m_lastCodeText = m_mapText;
    history_paused = false;
}
