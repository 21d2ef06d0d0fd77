#include "editing_session.h"

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

void EditingSession::areasReplaced()
{
    if (m_observer)
        m_observer->areasReplaced();
}
