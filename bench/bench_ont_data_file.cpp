// The per-OLT data file at 1k, 8k and 32k ONTs: writing the text of a list and
// its bytes, and reading bytes back into the rows the views show. Loading and
// saving the largest lists must stay well under a second.
#include "core/ont_data_file.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace tervix::core;

std::vector<OntRecord> list(int onts)
{
    std::vector<OntRecord> rows;
    rows.reserve(size_t(onts));
    for (int i = 0; i < onts; ++i) {
        const bool gpon = i % 3 != 0;
        OntRecord r;
        r.origin = QStringLiteral("+");
        r.ponType = gpon ? QStringLiteral("G.PON") : QStringLiteral("E.PON");
        r.frame = QStringLiteral("0");
        r.slot = QString::number(1 + i / 2048);
        r.port = QString::number(i / 128 % 16);
        r.ontId = QString::number(i % 128);
        r.name = QStringLiteral("Abonent %1 ul. Źródlana %2 m. %3").arg(i).arg(i % 97).arg(i % 13);
        r.serialOrMac = gpon ? QStringLiteral("48575443%1").arg(i, 8, 16, QLatin1Char('0'))
                             : QStringLiteral("00e0-fc%1").arg(i, 6, 16, QLatin1Char('0'));
        r.lineProfile = QStringLiteral("10");
        r.serviceProfile = QStringLiteral("11");
        r.servicePorts = QStringLiteral("-1;%1;1010;0;-1;100;1010;^0;%2;-;0;0;100;-;^").arg(2 * i).arg(2 * i + 1);
        r.levels = QStringLiteral("-21*-24*");
        r.catv = QStringLiteral("0;1;^");
        r.subscriberId = QStringLiteral("KL-%1").arg(i);
        r.active = QStringLiteral("0");
        initBasicTexts(r, QString::number(i), r.subscriberId);
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_SaveList(benchmark::State &state)
{
    const auto rows = list(int(state.range(0)));
    for (auto _ : state) {
        QByteArray bytes = encodeDataFile(dataFileText(rows));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadList(benchmark::State &state)
{
    const QByteArray bytes = encodeDataFile(dataFileText(list(int(state.range(0)))));
    for (auto _ : state) {
        const std::vector<OntRecord> rows = rowsFromRecords(parseDataFile(decodeDataFile(bytes)).records);
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = double(bytes.size());
}

} // namespace

BENCHMARK(BM_SaveList)->Arg(1024)->Arg(8192)->Arg(32768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadList)->Arg(1024)->Arg(8192)->Arg(32768)->Unit(benchmark::kMillisecond);
