// The state listing of a whole frame ("display ont info 0 all") of n ONTs,
// as the console assembles it from its pages, read into its state lines;
// and those lines applied to an authorised-ONT list of n rows. Both must
// grow linearly: the signal scan reads this listing over and over.
#include "core/ont_record.h"
#include "core/ont_state_listing.h"
#include "core/paging.h"
#include "generated_olt.h"
#include "registry/ont_list.h"

#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

constexpr int kPageLines = 24;

// The listing as the console hands it to the parser: paged by the OLT and
// joined page by page.
QString collectedListing(int onts)
{
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    const QStringList lines = tervix::bench::stateListingLines(onts);
    QString paged;
    qsizetype at = 0;
    bool firstPage = true;
    while (true) {
        const qsizetype take = firstPage ? kPageLines - 1 : kPageLines;
        QString memo = firstPage ? QStringLiteral("\r\ndisplay ont info 0 all \r\n") : erase;
        for (qsizetype i = at; i < std::min(lines.size(), at + take); ++i)
            memo += lines[i] + QStringLiteral("\r\n");
        at += take;
        firstPage = false;
        if (at < lines.size()) {
            tervix::core::collectPage(memo + prompt, paged);
            continue;
        }
        tervix::core::collectPage(memo + QStringLiteral("\r\nOLT(config)#"), paged);
        return paged;
    }
}

void BM_StateListing(benchmark::State &state)
{
    const int onts = int(state.range(0));
    const QString listing = collectedListing(onts);
    if (tervix::core::parseStateListing(listing, QStringLiteral("0")).count != onts) {
        state.SkipWithError("the generated listing does not read back whole");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(tervix::core::parseStateListing(listing, QStringLiteral("0")).count);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StateListing)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// The authorised-ONT list of the same ONTs, in another order than the OLT's,
// as years of adds and imports leave it.
std::vector<tervix::core::OntRecord> listOfTheSameOnts(int onts)
{
    std::vector<tervix::core::OntRecord> rows;
    rows.reserve(size_t(onts));
    for (int i = onts - 1; i >= 0; --i) {
        tervix::core::OntRecord r;
        r.ponType = QStringLiteral("G.PON");
        r.frame = QStringLiteral("0");
        r.name = QStringLiteral("Klient %1").arg(i);
        r.serialOrMac = tervix::bench::serial(i);
        r.levels = i % 2 ? QStringLiteral("-") : QStringLiteral("-21.30/-23.50");
        tervix::core::initBasicTexts(r, QString::number(i), QString());
        rows.push_back(std::move(r));
    }
    return rows;
}

void BM_ApplyStateListing(benchmark::State &state)
{
    const int onts = int(state.range(0));
    const tervix::core::StateListing listing = tervix::core::parseStateListing(collectedListing(onts), QStringLiteral("0"));
    tervix::registry::OntList list;
    list.replaceAll(listOfTheSameOnts(onts));
    for (auto _ : state)
        benchmark::DoNotOptimize(list.applyStateListing(listing));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ApplyStateListing)->Arg(1024)->Arg(8192)->Arg(32768)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A status refresh as the scanner does it between readings: the collected
// listing read, then applied to the list.
void BM_StateRefresh(benchmark::State &state)
{
    const int onts = int(state.range(0));
    const QString listing = collectedListing(onts);
    tervix::registry::OntList list;
    list.replaceAll(listOfTheSameOnts(onts));
    int found = 0;
    for (auto _ : state) {
        found = list.applyStateListing(tervix::core::parseStateListing(listing, QStringLiteral("0")));
        benchmark::DoNotOptimize(found);
    }
    // Every ONT of the listing must be found in the list, or the timing measures a refresh that matched nothing.
    if (found != onts)
        state.SkipWithError("the refresh did not find every listed ONT in the list");
    state.counters["found"] = double(found);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_StateRefresh)->Arg(1000)->Arg(8000)->Arg(32000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
