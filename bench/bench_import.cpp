// The import of one frame of n ONTs: its three listings read and merged into
// one row per ONT, and the new list built against a current list of n rows.
// Every step must grow linearly: rows and service ports are found by place
// and index, never by a scan of the list per line.
#include "core/import_listing.h"
#include "generated_olt.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

using namespace tervix::bench;

constexpr int kServicePortsPerOnt = 2;
const QString &kSep = kSeparator;
const QString kPrompt = QStringLiteral("\r\nMA5608T(config)#");

QString ontListing(int onts)
{
    return QStringLiteral("display ont info 0 all\r\n") + stateListingLines(onts).join(QStringLiteral("\r\n"))
        + QStringLiteral("\r\n") + kPrompt;
}

int servicePortIndex(int ont, int k) { return ont * kServicePortsPerOnt + k; }

QString servicePortListing(int onts)
{
    QStringList out{QStringLiteral("display service-port all"), QStringLiteral("  Switch-Oriented Flow List"), kSep,
                    QStringLiteral("   INDEX VLAN VLAN     PORT F/ S/ P VPI  VCI   FLOW  FLOW       RX   TX   STATE"),
                    QStringLiteral("         ID   ATTR     TYPE                    TYPE  PARA"), kSep};
    for (int o = 0; o < onts; ++o) {
        const QString place = QStringLiteral("0/%1/%2").arg(QString::number(slotOf(o)).leftJustified(2)).arg(portOf(o)).leftJustified(8);
        for (int k = 0; k < kServicePortsPerOnt; ++k) {
            out << QStringLiteral("%1 %2 common   gpon ").arg(servicePortIndex(o, k), 8).arg(100 + k, 4) + place
                    + QString::number(idOf(o)).leftJustified(5) + QString::number(1 + k).leftJustified(6)
                    + QStringLiteral("vlan  -          6    6    up   ");
        }
    }
    const int total = onts * kServicePortsPerOnt;
    out << kSep << QStringLiteral("   Total : %1  (Up/Down : %2/0)").arg(total).arg(total, 4)
        << QStringLiteral("   Note : F--Frame, S--Slot, P--Port,");
    return out.join(QStringLiteral("\r\n")) + kPrompt;
}

// Every fourth ONT watches television on its second service port.
QString igmpListing(int onts)
{
    QStringList out{QStringLiteral("display igmp user all"), kSep,
                    QStringLiteral("  User            State    Auth     Quick  IGMP-flow  Video-flow  Log  Max"),
                    QStringLiteral("                                    leave  ID         ID               programs"), kSep};
    int users = 0;
    for (int o = 0; o < onts; o += 4, ++users) {
        const QString user = QStringLiteral("0/%1/%2/%3").arg(slotOf(o)).arg(portOf(o)).arg(servicePortIndex(o, 1));
        out << QStringLiteral("  ") + user.leftJustified(16) + QStringLiteral("online   no-auth  off    -          -           off  8");
    }
    out << kSep << QStringLiteral("  Total: %1").arg(users);
    return out.join(QStringLiteral("\r\n")) + kPrompt;
}

void BM_ImportThreeListings(benchmark::State &state)
{
    const int onts = int(state.range(0));
    const QString a = ontListing(onts);
    const QString b = servicePortListing(onts);
    const QString c = igmpListing(onts);
    for (auto _ : state) {
        tervix::core::ImportList list(QStringLiteral("0"));
        list.readOntListing(a);
        list.readServicePortListing(b);
        list.readIgmpListing(c);
        if (int(list.rows().size()) != onts || !list.problems().isEmpty()) {
            state.SkipWithError("the generated listings did not import whole");
            break;
        }
        benchmark::DoNotOptimize(list.rows().data());
    }
    state.SetItemsProcessed(state.iterations() * onts);
    state.SetBytesProcessed(state.iterations() * (a.size() + b.size() + c.size()) * qsizetype(sizeof(QChar)));
}
BENCHMARK(BM_ImportThreeListings)->Arg(1000)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

void BM_ApplyImport(benchmark::State &state)
{
    const int onts = int(state.range(0));
    tervix::core::ImportList list(QStringLiteral("0"));
    list.readOntListing(ontListing(onts));
    list.readServicePortListing(servicePortListing(onts));
    list.readIgmpListing(igmpListing(onts));
    // The list the import replaces: the same ONTs, as an earlier import left them.
    const std::vector<tervix::core::OntRecord> current = tervix::core::applyImport(list.rows(), {}).rows;
    for (auto _ : state) {
        const tervix::core::ImportResult result = tervix::core::applyImport(list.rows(), current);
        benchmark::DoNotOptimize(result.rows.data());
    }
    state.SetItemsProcessed(state.iterations() * onts);
}
BENCHMARK(BM_ApplyImport)->Arg(1000)->Arg(8000)->Arg(32000)->Unit(benchmark::kMillisecond);

} // namespace
