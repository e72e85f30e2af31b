#include "signal/signal_chart_geometry.h"

#include <algorithm>

namespace tervix::signal {

namespace {
constexpr int kPixelsPerDb = 2;
constexpr int kValueAboveBar = 8;
constexpr int kTextIndent = 1;
} // namespace

const ChartBand &ontBand()
{
    static const ChartBand band{core::ChartSeries::OntRx, 16, 10, 100, 105};
    return band;
}

const ChartBand &oltBand()
{
    // The ceiling keeps the bars clear of the "OLT:" caption and the ONT
    // band's dates.
    static const ChartBand band{core::ChartSeries::OltRx, 147, 131, 230, 235};
    return band;
}

ChartBar chartBar(const ChartBand &band, int column, int level, const QString &date)
{
    using namespace chart_layout;
    ChartBar bar;
    bar.level = level;
    bar.date = date;
    // Levels far outside what an optical link shows (a misread file, a dead
    // receiver) still stay in their band: a bar below the floor would be
    // drawn upside down over the dates, one above the ceiling over the other band.
    const long long wanted = band.zeroLine - static_cast<long long>(kPixelsPerDb) * level;
    const int top = int(std::clamp<long long>(wanted, band.ceiling, band.floor - 1));
    const int left = kFirstColumn + kColumnWidth * column;
    bar.rect = QRect(QPoint(left, top), QPoint(left + kBarWidth - 1, band.floor - 1));
    // Below the weakest band the colours are those of the weakest band: the
    // worst signal must read as the worst, not as whatever was drawn before.
    bar.colours = core::chartBarColours(band.series, level)
                      .value_or(*core::chartBarColours(band.series, -40));
    bar.valueAt = QPoint(left + kTextIndent, std::max(0, top - kValueAboveBar));
    bar.dateAt = QPoint(left + kTextIndent, band.dateLine);
    return bar;
}

ChartGeometry chartGeometry(const QList<core::HistoryRecord> &records)
{
    using namespace chart_layout;
    ChartGeometry g;
    g.size = QSize(kColumnWidth * int(records.size()) + kMarginWidth, kHeight);
    g.ontBars.reserve(records.size());
    g.oltBars.reserve(records.size());
    for (int k = 0; k < records.size(); ++k) {
        const core::HistoryRecord &r = records[k];
        g.ontBars.append(chartBar(ontBand(), k, r.ontRx, r.date));
        g.oltBars.append(chartBar(oltBand(), k, r.oltRx, r.date));
    }
    return g;
}

} // namespace tervix::signal
