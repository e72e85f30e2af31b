// The counters strip and the OLT view's work table, counted over a main list
// of n ONTs after every status read and every pass. The count must grow
// linearly and stay far below a frame's time.
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
        r.slot = QString::number(1 + (i / 128) / 16);
        r.port = QString::number((i / 128) % 16);
        r.ontId = QString::number(i % 128);
        r.active = i % 50 == 0 ? QStringLiteral("1") : QStringLiteral("0");
        // Mostly online and normal; a share offline, bad and critical, and a
        // few freed places, as a working OLT's list looks.
        const int kind = i % 20;
        if (kind == 0) {
            r.slot = r.port = r.frame = QStringLiteral("-");
            r.basicImage = RowImage::Freed;
        } else if (kind < 3) {
            r.basicImage = RowImage::Offline;
            r.signalCell = QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21");
        } else {
            r.basicImage = RowImage::Online;
            r.signalCell = kind == 3   ? QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21")
                           : kind == 4 ? QStringLiteral("GPON\n> Bad Signal!\nONT: -26 OLT: -21")
                                       : QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_CountSignals(benchmark::State &state)
{
    const std::vector<tervix::core::OntRecord> rows = mainList(int(state.range(0)));
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
