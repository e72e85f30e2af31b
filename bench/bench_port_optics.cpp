// The whole-port optical table "display ont optical-info P all" of n ONTs,
// with the pager's prompt where a page of 512 lines ends and an alarm block
// in the middle. The reading must grow linearly.
#include "core/port_optics.h"

#include <benchmark/benchmark.h>

namespace {

QString portOpticsTable(int rows)
{
    const QString sep = QStringLiteral("  ----------------------------------------------------------------------------- \r\n");
    const QString pager = QStringLiteral("---- More ( Press 'Q' to break ) ----\x1b[37D") + QString(37, u' ')
        + QStringLiteral("\x1b[37D");
    QString s;
    s.reserve(rows * 84 + 2000);
    s += sep;
    s += QStringLiteral("  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current  Distance  \r\n"
                        "  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)     (m)       \r\n");
    s += sep;
    for (int i = 0; i < rows; ++i) {
        if (i > 0 && i % 512 == 0)
            s += pager;
        if (i == rows / 2)
            s += QStringLiteral("  ! 1 [01/01/2000 00:00:00-00:00]:\r\n\r\n"
                                "  ALARM 11111 FAULT WARNING 0x2e112007 SERVICE QUALITY 17/01/2025 \r\n"
                                "00:00:00-00:00\r\n  --- END-\r\n****\r\n");
        s += QStringLiteral("  %1  -%2.%3    3.68      -%4.%5      38           3.200    6        171       \r\n")
                 .arg(i, 5)
                 .arg(15 + i % 14)
                 .arg(i % 100, 2, 10, QLatin1Char('0'))
                 .arg(18 + i % 12)
                 .arg((i * 7) % 100, 2, 10, QLatin1Char('0'));
    }
    s += sep;
    return s;
}

void BM_PortOptics(benchmark::State &state)
{
    const QString listing = portOpticsTable(int(state.range(0)));
    qsizetype rows = 0;
    for (auto _ : state) {
        rows = tervix::core::parsePortOptics(listing).size();
        benchmark::DoNotOptimize(rows);
    }
    // Every generated row must be read, or the timing measures a parser that gave up.
    state.counters["rows"] = double(rows);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PortOptics)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
