// The OLT picture is rebuilt from the main list after every status read: its
// totals from the list, then the recount's per-port counts written in. The
// window redraws on the result, so the whole refresh must stay well inside a
// frame even for a list of tens of thousands of ONTs.
#include "core/olt_picture.h"
#include "core/ont_record.h"
#include "core/signal_counts.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<tervix::core::OntRecord> mainList(int onts)
{
    using namespace tervix::core;
    std::vector<OntRecord> rows;
    rows.reserve(size_t(onts));
    for (int i = 0; i < onts; ++i) {
        OntRecord r;
        r.ponType = QStringLiteral("G.PON");
        r.frame = QStringLiteral("0");
        // 128 ONTs a port, 16 ports a board from slot 1 on: 32k ONTs fill 16 boards.
        r.slot = QString::number(1 + (i / 128) / 16);
        r.port = QString::number((i / 128) % 16);
        r.ontId = QString::number(i % 128);
        r.active = i % 50 == 0 ? QStringLiteral("1") : QStringLiteral("0");
        const int kind = i % 20;
        if (kind == 0) {
            r.slot = r.port = r.frame = QStringLiteral("-");
            r.image = r.basicImage = RowImage::Freed;
        } else if (kind < 3) {
            r.image = r.basicImage = RowImage::Offline;
            r.signalCell = QStringLiteral("GPON\n> OFF ONT\nONT: off OLT: off");
        } else {
            r.image = r.basicImage = RowImage::Online;
            r.signalCell = kind == 3   ? QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21")
                           : kind == 4 ? QStringLiteral("GPON\n> Bad Signal!\nONT: -26 OLT: -21")
                                       : QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_PictureRefresh(benchmark::State &state)
{
    using namespace tervix::core;
    const std::vector<OntRecord> rows = mainList(int(state.range(0)));
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
    const std::vector<OntRecord> rows = mainList(int(state.range(0)));
    for (auto _ : state) {
        OltPicture picture = pictureTotals(rows);
        benchmark::DoNotOptimize(picture);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PictureTotals)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace
