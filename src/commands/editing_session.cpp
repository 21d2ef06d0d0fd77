#include "editing_session.h"

#include "formats/client_map_reader.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"

void EditingSession::fill_html_textbox()
{
    QString text = calculate_html(m_document);
    if (text == m_mapText)
        return;
    m_mapText = std::move(text);
    if (m_observer)
        m_observer->mapTextChanged(m_mapText);
}

EditingSession::ReadResult EditingSession::replaceAreasFromText(const QString &text)
{
    m_document.delete_all_shapes();
    ReadResult result;
    const MapTextSource snapshot = MapTextSource::snapshot(text);
    if (m_document.is_servermap) {
        const ServerMapResult read = analyze_server_map(m_document, snapshot, m_document.serverside_type);
        result = {read.ok, read.ok ? QString() : read.message()};
    } else {
        const MapReadResult read = analyze_client_map(m_document, snapshot, ReaderServices());
        result = {read.outcome == ReadOutcome::Done, read.message};
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

void EditingSession::areasReplaced()
{
    if (m_observer)
        m_observer->areasReplaced();
}
