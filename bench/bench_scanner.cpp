// Cut-and-search over a frame listing of n ONTs: the parsers' common pattern
// (cut through a row marker, take fields before separators, skip blanks) must
// grow linearly with the listing.
#include "core/paging.h"
#include "core/scanner.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

QString frameListing(int onts)
{
    QString s;
    s.reserve(onts * 90 + 400);
    s += QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                        "  F/S/P   ONT         SN         Control     Run      Config   Match    Protect\r\n"
                        "          ID                     flag        state    state    state    side \r\n"
                        "  -----------------------------------------------------------------------------\r\n");
    for (int i = 0; i < onts; ++i) {
        const int slot = 1 + (i / 2048), port = (i / 128) % 16, id = i % 128;
        s += QStringLiteral("  0/ %1/%2    %3  48575443%4  active      online   normal   match    no \r\n")
                 .arg(slot).arg(port, -2).arg(id, 3).arg(i, 8, 16, QLatin1Char('0'));
    }
    s += QStringLiteral("  -----------------------------------------------------------------------------\r\n");
    return s;
}

void BM_ScanFrameListing(benchmark::State &state)
{
    const QString listing = frameListing(int(state.range(0)));
    for (auto _ : state) {
        tervix::core::Scanner sc(listing);
        int found = 0;
        while (sc.contains(u"  0/")) {
            sc.cutThrough(u"  0/");
            sc.skipBlanks();
            const QString slot = sc.takeBefore(u"/");
            sc.cutThrough(u" ");
            sc.skipBlanks();
            const QString id = sc.takeBefore(u" ");
            sc.skipBlanks();
            const QString sn = sc.takeBefore(u" ");
            found += sn.size() + slot.size() + id.size() > 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(int64_t(state.iterations()) * listing.size() * 2);
}
BENCHMARK(BM_ScanFrameListing)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_JoinPages(benchmark::State &state)
{
    // The listing cut into 512-line pages, as the OLT sends it after "scroll 512".
    const QString listing = frameListing(int(state.range(0)));
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    QStringList memos;
    const QStringList lines = listing.split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < lines.size(); i += 512) {
        QString page = i ? erase : QString();
        page += lines.mid(i, 512).join(QStringLiteral("\r\n"));
        if (i + 512 < lines.size())
            page += prompt;
        memos << page;
    }
    for (auto _ : state) {
        QString paged;
        for (const QString &m : memos)
            tervix::core::collectPage(m, paged);
        benchmark::DoNotOptimize(paged.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_JoinPages)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
