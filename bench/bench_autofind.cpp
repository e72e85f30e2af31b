// The provisioning parsers on generated answers of n records or rows: the
// autofind table read record by record, the description table of a port
// (the id proposal), a profile table and the service-port fields of a list
// of n ONTs. Each must grow linearly.
#include "core/autofind_parser.h"
#include "core/free_ids_parser.h"
#include "core/profiles_parser.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QString autofindAnswer(int records)
{
    const QString sep = QStringLiteral("   ----------------------------------------------------------------------------\r\n");
    QString s;
    s.reserve(records * 1100);
    for (int i = 0; i < records; ++i) {
        s += sep;
        s += QStringLiteral("   Number              : %1\r\n"
                            "   F/S/P               : 0/%2/%3\r\n"
                            "   Ont SN              : 48575443%4 (HWTC-%4)\r\n"
                            "   Password            : 0x00000000000000000000\r\n"
                            "   Loid                :\r\n"
                            "   Checkcode           :\r\n"
                            "   VendorID            : HWTC\r\n"
                            "   Ont Version         : 10C7.A\r\n"
                            "   Ont SoftwareVersion : V5R019C10S125\r\n"
                            "   Ont EquipmentID     : EG8145V5\r\n"
                            "   Ont Customized Info : COMMON\r\n"
                            "   Ont MAC             : B85F-B0E0-61DE\r\n"
                            "   Ont Equipment SN    : 2150084674LDN3000737\r\n"
                            "   Ont autofind time   : 2024-05-03 09:12:44+01:00\r\n"
                            "   Multi channel       : -\r\n")
                 .arg(i + 1)
                 .arg(1 + i / 2048)
                 .arg((i / 128) % 16)
                 .arg(i, 8, 16, QLatin1Char('0'));
    }
    s += sep;
    return s;
}

QString descriptionTable(int rows)
{
    QString s = QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                               "  F/S/P   ONT-ID   Description\r\n"
                               "  -----------------------------------------------------------------------------\r\n");
    s.reserve(rows * 60 + 400);
    for (int i = 0; i < rows; ++i)
        s += QStringLiteral("  0/ 1/0    %1   ONT_NO_DESCRIPTION\r\n").arg(i, 4);
    s += QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                        "  In port 0/ 1/0 , the total of ONTs are: 1, online: 1\r\n");
    return s;
}

QString profileTable(int rows)
{
    QString s = QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                               "  Profile-ID  Profile-name                                Binding times\r\n"
                               "  -----------------------------------------------------------------------------\r\n");
    s.reserve(rows * 80 + 400);
    for (int i = 0; i < rows; ++i)
        s += QStringLiteral("  %1 line-profile_%2                        %3\r\n").arg(i, -10).arg(i, 8).arg(i % 100);
    s += QStringLiteral("  -----------------------------------------------------------------------------\r\n  Total: 1\r\n");
    return s;
}

void BM_Autofind(benchmark::State &state)
{
    const QString answer = autofindAnswer(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tervix::core::parseAutofind(answer).size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Autofind)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_NextOntId(benchmark::State &state)
{
    const QString answer = descriptionTable(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tervix::core::proposeOntId(answer, QStringLiteral("1"), QStringLiteral("0")));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NextOntId)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_Profiles(benchmark::State &state)
{
    const QString listing = profileTable(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(tervix::core::parseProfiles(listing).size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Profiles)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_HighestServicePort(benchmark::State &state)
{
    QStringList fields;
    for (int i = 0; i < state.range(0); ++i)
        fields << QStringLiteral("-1;%1;1010;0;0;100;1010;^-1;%2;942;0;-1;100;942;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^")
                      .arg(2 * i)
                      .arg(2 * i + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(tervix::core::highestServicePort(fields));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HighestServicePort)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
