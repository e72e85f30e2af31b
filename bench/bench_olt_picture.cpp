// The OLT picture is rebuilt from the main list after every status read: its
// totals from the list, then the recount's per-port counts written in. The
// window redraws on the result, so the whole refresh must stay well inside a
// frame even for a list of tens of thousands of ONTs.
#include "core/olt_picture.h"
#include "core/ont_record.h"
#include "core/signal_counts.h"
#include "generated_olt.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {


void BM_PictureRefresh(benchmark::State &state)
{
    using namespace tervix::core;
    const std::vector<OntRecord> rows = tervix::bench::scannedList(int(state.range(0)), false);
    int shownBoards = 0;
    for (auto _ : state) {
        OltPicture picture = pictureTotals(rows);
        applySignalCounts(picture, countSignals(rows));
        shownBoards = picture.shownBoards;
        benchmark::DoNotOptimize(picture);
    }
    state.counters["shownBoards"] = double(shownBoards);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PictureRefresh)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

// The picture's own share of the refresh, without the recount.
void BM_PictureTotals(benchmark::State &state)
{
    using namespace tervix::core;
    const std::vector<OntRecord> rows = tervix::bench::scannedList(int(state.range(0)), false);
    for (auto _ : state) {
        OltPicture picture = pictureTotals(rows);
        benchmark::DoNotOptimize(picture);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PictureTotals)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace
