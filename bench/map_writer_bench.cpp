// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/map_writer.h"
#include "sample_maps.h"

#include <benchmark/benchmark.h>

namespace {

void writeMap(benchmark::State &state, bool servermap, qint32 format)
{
    MapDocument doc = sampleMap(int(state.range(0)));
    doc.is_servermap = servermap;
    doc.serverside_type = format;
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QString text = calculate_html(doc);
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.counters["chars"] = double(bytes);
}

void BM_CalculateHtmlClient(benchmark::State &state)
{
    writeMap(state, false, Ncsa);
}
void BM_CalculateHtmlNcsa(benchmark::State &state)
{
    writeMap(state, true, Ncsa);
}
void BM_CalculateHtmlCern(benchmark::State &state)
{
    writeMap(state, true, Cern);
}

} // namespace

BENCHMARK(BM_CalculateHtmlClient)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalculateHtmlNcsa)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalculateHtmlCern)->Arg(10000)->Unit(benchmark::kMicrosecond);
