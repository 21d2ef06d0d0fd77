// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/client_map_reader.h"
#include "formats/html_document.h"
#include "formats/map_writer.h"
#include "formats/server_map_reader.h"
#include "sample_maps.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Areas = 10000;

QString mapText(bool servermap, qint32 format)
{
    MapDocument doc = sampleMap(Areas);
    doc.is_servermap = servermap;
    doc.serverside_type = format;
    return calculate_html(doc);
}

// Writes the text as a saved file would be: UTF-8, one CR LF after it.
QString savedFile(const QTemporaryDir &dir, const char *name, const QString &text)
{
    const QString path = dir.filePath(QLatin1String(name));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8() + "\r\n");
    return path;
}

void readClient(benchmark::State &state, const QString &text, bool fromFile)
{
    QTemporaryDir dir;
    const MapTextSource source =
        fromFile ? MapTextSource::file(savedFile(dir, "map.html", text)) : MapTextSource::snapshot(text);
    ReaderServices services;
    services.loadPicture = [](const QString &) { return true; };
    int areas = 0;
    for (auto _ : state) {
        MapDocument doc;
        doc.map_file = QStringLiteral("/srv/www/index.html");
        if (analyze_client_map(doc, source, services).outcome != ReadOutcome::Done)
            state.SkipWithError("the map was not read");
        areas = doc.shapecol.count();
    }
    state.counters["areas"] = areas;
    state.counters["bytes"] = double(text.toUtf8().size());
}

void readServer(benchmark::State &state, qint32 format, bool fromFile)
{
    const QString text = mapText(true, format);
    QTemporaryDir dir;
    const MapTextSource source =
        fromFile ? MapTextSource::file(savedFile(dir, "map.map", text)) : MapTextSource::snapshot(text);
    int areas = 0;
    for (auto _ : state) {
        MapDocument doc;
        if (!analyze_server_map(doc, source, format).ok)
            state.SkipWithError("the map was not read");
        areas = doc.shapecol.count();
    }
    state.counters["areas"] = areas;
    state.counters["bytes"] = double(text.toUtf8().size());
}

// The editor's own text, as undo reads it and as a load reads the saved file.
void BM_ReadClientSnapshot(benchmark::State &state)
{
    readClient(state, mapText(false, Ncsa), false);
}
void BM_ReadClientFile(benchmark::State &state)
{
    readClient(state, mapText(false, Ncsa), true);
}

// A saved map of over 50 MB: 5,000 areas, each with a 10,000-character
// alternative text.
void BM_ReadClientLargeFile(benchmark::State &state)
{
    MapDocument doc = sampleMap(5000);
    const QString longText(10000, u'x');
    for (int i = 1; i <= doc.shapecol.count(); ++i)
        doc.shapecol.item(i).alt = longText;
    readClient(state, calculate_html(doc), true);
}

// The same map as a foreign page: a doctype in front is enough to send it
// through the general HTML parser, in its child process.
void BM_ReadClientForeignPage(benchmark::State &state)
{
    readClient(state, QStringLiteral("<!DOCTYPE html>\r\n") + mapText(false, Ncsa), true);
}

// The general HTML parser alone on that page, in a child process as the
// readers use it and in-process, to show what the isolation costs.
void parsePage(benchmark::State &state, bool isolated)
{
    const QByteArray page = (QStringLiteral("<!DOCTYPE html>\r\n") + mapText(false, Ncsa)).toUtf8();
    HtmlParseOptions options;
    options.isolated = isolated;
    for (auto _ : state) {
        const std::optional<HtmlDocument> doc = HtmlDocument::parseWithGumbo(page, options);
        if (!doc)
            state.SkipWithError("the page was refused");
        benchmark::DoNotOptimize(doc);
    }
}
void BM_HtmlParseIsolated(benchmark::State &state)
{
    parsePage(state, true);
}
void BM_HtmlParseInProcess(benchmark::State &state)
{
    parsePage(state, false);
}

// Shapes that make parsers work hard, each read from a file as a load
// reads it. The verdict is a counter: 1 when the map was read, 0 when the
// page was refused.
void readHostile(benchmark::State &state, const QString &text)
{
    QTemporaryDir dir;
    const MapTextSource source = MapTextSource::file(savedFile(dir, "map.html", text));
    int read = 0;
    for (auto _ : state) {
        MapDocument doc;
        doc.map_file = QStringLiteral("/srv/www/index.html");
        read = analyze_client_map(doc, source, ReaderServices()).outcome == ReadOutcome::Done;
    }
    state.counters["read"] = read;
    state.counters["bytes"] = double(text.toUtf8().size());
}

// The editor's own form, up to where its areas begin.
QString ownMapHead()
{
    return clientMapComment() + QStringLiteral("<img border=\"0\" src=\"a.png\" usemap=\"#m\"><map name=\"m\">\r\n");
}

const QString Doctype = QStringLiteral("<!DOCTYPE html>\r\n");

// One area tag with 120,000 attributes in the editor's form: 1 MB.
QString manyAttributes()
{
    QString tag = QStringLiteral("<area coords=\"1,2,3,4\" shape=\"rect\"");
    for (int i = 0; i < 120000; ++i) {
        QString name(4, u'a');
        for (int k = 0, n = i; k < 4; ++k, n /= 26)
            name[3 - k] = QChar(u'a' + n % 26);
        tag += u' ' + name + QStringLiteral("=\"1\"");
    }
    return ownMapHead() + tag + QStringLiteral(">\r\n</map>");
}
void BM_ReadManyAttributes(benchmark::State &state)
{
    readHostile(state, manyAttributes());
}
void BM_ReadManyAttributesForeign(benchmark::State &state)
{
    readHostile(state, Doctype + manyAttributes());
}

// One line of 2 MB: an area with a 2 MB alternative text.
QString longLine()
{
    return ownMapHead() + QStringLiteral("<area coords=\"1,2,3,4\" shape=\"rect\" href=\"a.html\" alt=\"")
           + QString(2 << 20, u'x') + QStringLiteral("\">\r\n</map>");
}
void BM_ReadLongLine(benchmark::State &state)
{
    readHostile(state, longLine());
}
void BM_ReadLongLineForeign(benchmark::State &state)
{
    readHostile(state, Doctype + longLine());
}

// The 10,000 areas under 20,000 open elements: every new element makes the
// parser look through all the open ones.
void BM_ReadDeepNesting(benchmark::State &state)
{
    readHostile(state, Doctype + QStringLiteral("<div>").repeated(20000) + mapText(false, Ncsa));
}

// The 10,000 areas with no line break between them.
void BM_ReadAreasInOneLine(benchmark::State &state)
{
    readHostile(state, mapText(false, Ncsa).remove(QStringLiteral("\r\n")));
}
void BM_ReadAreasInOneLineForeign(benchmark::State &state)
{
    readHostile(state, Doctype + mapText(false, Ncsa).remove(QStringLiteral("\r\n")));
}

void BM_ReadNcsaSnapshot(benchmark::State &state)
{
    readServer(state, Ncsa, false);
}
void BM_ReadNcsaFile(benchmark::State &state)
{
    readServer(state, Ncsa, true);
}
void BM_ReadCernSnapshot(benchmark::State &state)
{
    readServer(state, Cern, false);
}
void BM_ReadCernFile(benchmark::State &state)
{
    readServer(state, Cern, true);
}

} // namespace

BENCHMARK(BM_ReadClientSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadClientFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadClientLargeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadClientForeignPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlParseIsolated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HtmlParseInProcess)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadManyAttributes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadManyAttributesForeign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLongLineForeign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDeepNesting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAreasInOneLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAreasInOneLineForeign)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadNcsaSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadNcsaFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCernSnapshot)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCernFile)->Unit(benchmark::kMillisecond);
