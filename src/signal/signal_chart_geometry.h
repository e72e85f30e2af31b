#pragma once

#include "core/signal_class.h"
#include "core/signal_history.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace tervix::signal {

// Where the history chart puts everything, apart from the painting, so the
// layout can be checked without a screen. Two bands share one image: the
// ONT's receive levels on top, the OLT's below, one column per day.
namespace chart_layout {
inline constexpr int kHeight = 253;
inline constexpr int kColumnWidth = 41;
inline constexpr int kBarWidth = 40;
inline constexpr int kFirstColumn = 30;
inline constexpr int kMarginWidth = 49; // the captions on the left and a little room on the right
inline constexpr QPoint kOntCaption{1, 2};
inline constexpr QPoint kOltCaption{1, 120};
} // namespace chart_layout

struct ChartBand
{
    core::ChartSeries series;
    int zeroLine;  // where a level of 0 dBm would put a bar's top
    int ceiling;   // the highest a bar's top may go, leaving room for its value
    int floor;     // the bars' common bottom, just above the dates
    int dateLine;  // where the dates are written
};
const ChartBand &ontBand();
const ChartBand &oltBand();

struct ChartBar
{
    // The pixels the bar covers, outline included; never above its band's
    // ceiling nor below its floor, so a very weak level never reaches over the
    // dates and never turns upside down.
    QRect rect;
    core::ChartBarColours colours;
    int level = 0;
    QString date;
    QPoint valueAt; // top-left of the value text
    QPoint dateAt;  // top-left of the date text
};

struct ChartGeometry
{
    QSize size;
    QList<ChartBar> ontBars;
    QList<ChartBar> oltBars;
};

// One bar per record in each band.
ChartGeometry chartGeometry(const QList<core::HistoryRecord> &records);

// The bar of one level in column k of a band.
ChartBar chartBar(const ChartBand &band, int column, int level, const QString &date);

} // namespace tervix::signal
