// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_entries.h"

#include "formats/client_map_reader.h"
#include "formats/document_json.h"
#include "formats/html_document.h"
#include "formats/html_parse_module.h"
#include "formats/map_text_input.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"
#include "formats/svg_writer.h"
#include "model/map_document.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<QString, QString>>;

// The tag scan spelled out step by step, with 1-based positions and no
// care for speed, to hold the real scanner to.
Pairs plainScan(qint32 position, const QString &text)
{
    Pairs pairs;
    const qsizetype size = text.size();
    if (position <= 0)
        return pairs;
    qsizetype tagStart = 0;
    for (qsizetype p = std::min<qsizetype>(position, size); p >= 1 && tagStart == 0; --p)
        if (text[p - 1] == u'<')
            tagStart = p;
    if (tagStart == 0)
        return pairs;
    qsizetype nextTag = 0;
    for (qsizetype p = qsizetype(position) + 1; p <= size && nextTag == 0; ++p)
        if (text[p - 1] == u'<')
            nextTag = p;
    qsizetype tagEnd = 0;
    for (qsizetype p = position; p <= size && tagEnd == 0; ++p)
        if (text[p - 1] == u'>')
            tagEnd = p;
    qsizetype end = tagEnd;
    if (nextTag != 0 && tagEnd != 0 && nextTag < tagEnd)
        end = nextTag;
    else if (tagEnd == 0 && nextTag != 0)
        end = nextTag;
    else if (tagEnd == 0 && nextTag == 0)
        end = size;

    const QString tag = text.mid(tagStart - 1, end - tagStart + 1);
    const qsizetype length = tag.size();
    const auto at = [&](qsizetype p) { return tag[p - 1]; };
    for (qsizetype equals = tag.indexOf(u'=') + 1; equals > 0; equals = tag.indexOf(u'=', equals) + 1) {
        qsizetype nameEnd = equals - 1;
        while (nameEnd >= 1 && at(nameEnd) == u' ')
            --nameEnd;
        qsizetype beforeName = nameEnd;
        while (beforeName >= 1 && at(beforeName) != u' ')
            --beforeName;
        if (nameEnd < 1 || beforeName < 1)
            return pairs;
        const QString name = tag.mid(beforeName, nameEnd - beforeName);
        qsizetype valueStart = equals + 1;
        while (valueStart < length && at(valueStart) == u' ')
            ++valueStart;
        QString value;
        if (valueStart <= length && (at(valueStart) == u'"' || at(valueStart) == u'\'')) {
            const qsizetype close = tag.indexOf(at(valueStart), valueStart);
            value = close < 0 ? tag.mid(valueStart) : tag.mid(valueStart, close - valueStart);
        } else if (valueStart <= length) {
            qsizetype stop = valueStart + 1;
            while (stop <= length && at(stop) != u' ' && at(stop) != u'>' && at(stop) != u'<')
                ++stop;
            value = tag.mid(valueStart - 1, stop - valueStart);
        }
        pairs.emplace_back(name, value);
    }
    return pairs;
}

// Names are lowered once by the caller: a tag with hundreds of pairs asks
// for every name, and lowering inside the loop made each input quadratic in
// allocations.
QString plainLookUp(const Pairs &loweredPairs, const QString &name)
{
    const QString lowered = name.toLower();
    for (const auto &[pairName, value] : loweredPairs)
        if (pairName == lowered)
            return value;
    return {};
}

// A file for the readers that only read files, rewritten for each input.
QString scratchFile(const char *name, QByteArrayView bytes)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes.data(), bytes.size());
    return path;
}

// Texts the map text carries unchanged: the writer escapes nothing, so a
// quote, a bracket or an "=" can change what a text reads back as, and the
// parser decodes references, NUL and CR in the map name.
bool carriedUnchanged(const MapDocument &doc)
{
    for (const QChar c : doc.map_name)
        if (c == u'"' || c == u'&' || c == u'\r' || c == QChar(0))
            return false;
    bool safe = true;
    doc.forEachLiveArea([&](const clscoords &area) {
        QStringList texts = {area.link, area.alt, area.targetframe};
        for (int k = 0; k < EventCount; ++k)
            texts.append(area.getEvents(k));
        for (const QString &text : texts)
            for (const QChar c : text)
                if (c == u'"' || c == u'<' || c == u'>' || c == u'=')
                    safe = false;
    });
    return safe;
}

HtmlParseOptions inProcess()
{
    HtmlParseOptions options;
    options.isolated = false; // the fuzzer sees into the parse; inputs are small
    return options;
}

} // namespace

bool fuzzTagParser(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return true;
    const auto position = qint32(qint16(data[0] | (data[1] << 8)));
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    html_parse_module scanner;
    scanner.parse_tag_attributes(position, text);
    const Pairs expected = plainScan(position, text);
    if (scanner.count() != qsizetype(expected.size()))
        return false;
    for (qsizetype i = 0; i < scanner.count(); ++i)
        if (scanner.nameAt(i) != expected[std::size_t(i)].first
            || scanner.valueAt(i) != expected[std::size_t(i)].second)
            return false;
    // Every lookup walks all pairs, so only the first names and the last are
    // asked for: enough to catch a wrong first match or a lost last pair
    // without making long inputs quadratic.
    QStringList names = {QStringLiteral("href"), QStringLiteral("ALT"), QStringLiteral("k")};
    Pairs lowered;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto &[name, value] = expected[i];
        if (i < 16 || i + 1 == expected.size())
            names.append(name.toUpper());
        lowered.emplace_back(name.toLower(), value);
    }
    for (const QString &name : names)
        if (scanner.get_attribute_value(name) != plainLookUp(lowered, name))
            return false;
    return true;
}

bool fuzzClientReader(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return true;
    const std::uint8_t control = data[0];
    const QByteArrayView page(data + 1, qsizetype(size - 1));

    ReaderServices services;
    services.htmlParsing = inProcess();
    services.chooseMap = [&](const QStringList &names) { return int(control % (names.size() + 2)) - 1; };
    services.loadPicture = [&](const QString &) { return (control & 0x40) == 0; };
    MapDocument doc;
    doc.map_file = QStringLiteral("/srv/www/page.html");
    const bool fromFile = control & 0x80;
    const MapTextSource source =
        fromFile ? MapTextSource::file(scratchFile("page.html", page)) : MapTextSource::snapshot(decodeHtmlBytes(page));
    const MapReadResult read = analyze_client_map(doc, source, services);
    if ((read.outcome == ReadOutcome::Failed) == read.message.isEmpty())
        return false;
    if (read.outcome != ReadOutcome::Done)
        return true;

    // The editor's text for what was read: recognised or not, it parses as
    // the general parser parses it, and it reads back to itself.
    const QString text = calculate_html(doc);
    const QByteArray utf8 = text.toUtf8();
    const std::optional<HtmlDocument> written = HtmlDocument::parseWrittenMap(utf8);
    if (written && written != HtmlDocument::parseWithGumbo(utf8, inProcess()))
        return false;
    if (!carriedUnchanged(doc))
        return true;
    MapDocument again = doc;
    again.delete_all_shapes();
    if (analyze_client_map(again, MapTextSource::snapshot(text), services).outcome != ReadOutcome::Done)
        return false;
    return calculate_html(again) == text;
}

bool fuzzServerReader(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return true;
    const std::uint8_t control = data[0];
    const QByteArrayView bytes(data + 1, qsizetype(size - 1));
    MapDocument doc;
    doc.map_file = QStringLiteral("/srv/www/map.map");
    if (control & 0x80) {
        ReaderServices services;
        services.htmlParsing = inProcess();
        const MapReadResult read = analyze_server_html(doc, scratchFile("page.html", bytes), services);
        return (read.outcome == ReadOutcome::Done) == read.message.isEmpty();
    }
    const qint32 format = control % 3; // NCSA, CERN, or a format that reads the default only
    const ServerMapResult result = analyze_server_map(doc, MapTextSource::snapshot(decodeMapFileBytes(bytes)), format);
    if (format == 2 && doc.shapecol.count() != 0)
        return false;
    if (result.ok == (result.line != 0))
        return false;
    bool pointsInRange = true;
    doc.forEachLiveArea([&](const clscoords &area) { pointsInRange &= area.nr_points <= MaxAreaPoints; });
    return pointsInRange;
}

namespace {

QByteArray documentJson(const MapDocument &doc)
{
    QByteArray json;
    QBuffer out(&json);
    out.open(QIODevice::WriteOnly);
    writeDocumentJson(doc, out);
    return json;
}

} // namespace

bool fuzzDocumentJson(const std::uint8_t *data, std::size_t size)
{
    const DocumentFromJson read = documentFromJson(QByteArrayView(data, qsizetype(size)));
    if (read.document.has_value() == !read.error.isEmpty() || read.error.contains(u'\n'))
        return false;
    if (!read.document)
        return true;
    MapDocument doc = *read.document;
    const QByteArray json = documentJson(doc);
    const DocumentFromJson again = documentFromJson(json);
    if (!again.document || documentJson(*again.document) != json)
        return false;
    for (const qint32 format : {Ncsa, Cern}) {
        doc.is_servermap = true;
        doc.serverside_type = format;
        if (calculate_html(doc).isEmpty() || calculate_server_html(doc).isEmpty())
            return false;
    }
    doc.is_servermap = false;
    if (calculate_html(doc).isEmpty())
        return false;
    // Whatever the texts hold, the SVG drawing is well-formed XML.
    QXmlStreamReader svg(calculate_svg(doc, QSize(640, 480), QStringLiteral("/srv/www/map.svg")));
    while (!svg.atEnd())
        svg.readNext();
    return !svg.hasError();
}
