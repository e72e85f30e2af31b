// The counters strip and the OLT view's work table, counted over a main list
// of n ONTs after every status read and every pass. The count must grow
// linearly and stay far below a frame's time.
#include "core/ont_record.h"
#include "core/signal_counts.h"
#include "generated_olt.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace tervix;

void BM_CountSignals(benchmark::State &state)
{
    const std::vector<tervix::core::OntRecord> rows = bench::scannedList(int(state.range(0)), true);
    int all = 0;
    for (auto _ : state) {
        const tervix::core::SignalCounts counts = tervix::core::countSignals(rows);
        all = counts.all;
        benchmark::DoNotOptimize(all);
    }
    state.counters["counted"] = double(all);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CountSignals)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace
