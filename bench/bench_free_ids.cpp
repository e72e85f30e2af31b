// The highest recorded service port, read over every row whenever the add
// form asks for free indexes: lists of 1k, 8k and 32k ONTs with the fields
// the console writes, and single damaged fields holding ";" but no ";^" (once
// quadratic: 80 KB took over a second, 1 MB over a minute).
#include "core/free_ids_parser.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

using tervix::core::highestServicePort;

void BM_HighestServicePortOfList(benchmark::State &state)
{
    QStringList fields;
    const int onts = int(state.range(0));
    fields.reserve(onts);
    for (int i = 0; i < onts; ++i)
        fields << QStringLiteral("-1;%1;1010;0;-1;100;1010;^0;%2;-;0;0;100;-;^").arg(2 * i % 65536).arg((2 * i + 1) % 65536);
    for (auto _ : state)
        benchmark::DoNotOptimize(highestServicePort(fields));
    state.SetItemsProcessed(state.iterations() * onts);
}

// A field of ";" alone, and one of values separated by ";" with no group end.
void BM_HighestServicePortOfFieldWithoutGroupEnd(benchmark::State &state)
{
    const qsizetype size = state.range(0);
    const QString unit = state.range(1) == 0 ? QStringLiteral(";") : QStringLiteral("12;");
    QString field;
    field.reserve(size + unit.size());
    while (field.size() < size)
        field += unit;
    const QStringList fields{field};
    for (auto _ : state)
        benchmark::DoNotOptimize(highestServicePort(fields));
    state.SetBytesProcessed(state.iterations() * field.size() * qsizetype(sizeof(QChar)));
}

} // namespace

BENCHMARK(BM_HighestServicePortOfList)->Arg(1024)->Arg(8192)->Arg(32768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HighestServicePortOfFieldWithoutGroupEnd)
    ->Args({80 * 1024, 0})
    ->Args({1024 * 1024, 0})
    ->Args({1024 * 1024, 1})
    ->Unit(benchmark::kMillisecond);
