// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/map_check.h"
#include "sample_maps.h"

#include <benchmark/benchmark.h>

namespace {

// Check Map over a large map: every area's pixels painted once over a
// 2000 x 1500 picture.
void BM_CheckMap10000Areas(benchmark::State &state)
{
    const MapDocument doc = sampleMap(10000);
    for (auto _ : state)
        benchmark::DoNotOptimize(checkMap(doc, QSize(2000, 1500)));
}
BENCHMARK(BM_CheckMap10000Areas)->Unit(benchmark::kMillisecond);

} // namespace
