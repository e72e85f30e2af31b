#include "core/signal_class.h"
#include "signal/signal_chart_geometry.h"
#include "signal/signal_chart_window.h"
#include "signal/signal_history_store.h"
#include "ui/colors.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tervix;

namespace {

const core::ChartBarColours kWeakest{255, 0};

struct BarCase
{
    const char *what;
    bool ont;
    int level;
    int top;
    core::ChartBarColours colours;
};

TEST(SignalChartGeometry, BarsStayInTheirBandWithDefinedColours)
{
    const BarCase cases[] = {
        {"strong ONT level", true, -10, 36, {9961367, 11454975}},
        {"ONT at the weakest band", true, -40, 96, kWeakest},
        {"ONT just at the floor", true, -42, 99, kWeakest},
        {"ONT below the weakest band", true, -45, 99, kWeakest},
        {"dead ONT receiver", true, -400, 99, kWeakest},
        {"ONT level above any real one", true, 20, 10, {16735838, 16711680}},
        {"strong OLT level", false, -10, 167, {16735838, 16711680}},
        {"OLT at the weakest band", false, -40, 227, kWeakest},
        {"OLT below the weakest band", false, -45, 229, kWeakest},
        {"OLT level above any real one", false, 20, 131, {16735838, 16711680}},
    };
    for (const BarCase &c : cases) {
        SCOPED_TRACE(c.what);
        const signal::ChartBand &band = c.ont ? signal::ontBand() : signal::oltBand();
        const signal::ChartBar bar = signal::chartBar(band, 2, c.level, QStringLiteral("5.3.24"));
        EXPECT_EQ(bar.rect.top(), c.top);
        EXPECT_EQ(bar.rect.bottom(), band.floor - 1);
        EXPECT_LE(bar.rect.top(), bar.rect.bottom()) << "drawn upside down";
        EXPECT_LT(bar.rect.bottom(), band.dateLine) << "reaches over the dates";
        EXPECT_EQ(bar.rect.left(), 30 + 41 * 2);
        EXPECT_EQ(bar.rect.width(), 40);
        EXPECT_EQ(bar.colours, c.colours);
        EXPECT_EQ(bar.valueAt, QPoint(31 + 41 * 2, c.top - 8));
        EXPECT_EQ(bar.dateAt, QPoint(31 + 41 * 2, band.dateLine));
    }
}

TEST(SignalChartGeometry, OneColumnPerRecordInBothBands)
{
    QList<core::HistoryRecord> records;
    for (int day = 1; day <= 10; ++day)
        records.append({QStringLiteral("%1.3.24").arg(day), -20 - day, -22 - day});
    const signal::ChartGeometry g = signal::chartGeometry(records);
    EXPECT_EQ(g.size, QSize(459, 253));
    ASSERT_EQ(g.ontBars.size(), 10);
    ASSERT_EQ(g.oltBars.size(), 10);
    EXPECT_EQ(g.ontBars[9].rect.left(), 30 + 41 * 9);
    EXPECT_EQ(g.ontBars[9].level, -30);
    EXPECT_EQ(g.oltBars[9].level, -32);
    EXPECT_EQ(g.oltBars[9].date, QStringLiteral("10.3.24"));
    EXPECT_EQ(signal::chartGeometry({}).size, QSize(49, 253));
}

QColor bgr(int value)
{
    return ui::colorFromBgr(value);
}

TEST(SignalChartWindow, RendersBarsOverTheGreyBackground)
{
    const QImage image = signal::SignalChartWindow::renderChart(
        {{QStringLiteral("5.3.24"), -10, -20}, {QStringLiteral("6.3.24"), -45, -45}});
    ASSERT_EQ(image.size(), QSize(131, 253));
    const QColor grey = bgr(core::signal_colours::kChartBackground);
    // Column 0: a strong ONT bar, outline and fill in their band's colours.
    EXPECT_EQ(image.pixelColor(30, 60), bgr(11454975));
    EXPECT_EQ(image.pixelColor(50, 60), bgr(9961367));
    EXPECT_EQ(image.pixelColor(50, 99), bgr(11454975));
    EXPECT_EQ(image.pixelColor(50, 101), grey);
    // Column 1: a level below the weakest band is a thin bar on the floor in
    // the weakest band's outline colour; nothing is painted between it and
    // the dates, nor above it.
    EXPECT_EQ(image.pixelColor(90, 99), bgr(0));
    EXPECT_EQ(image.pixelColor(90, 101), grey);
    EXPECT_EQ(image.pixelColor(90, 80), grey);
    EXPECT_EQ(image.pixelColor(90, 229), bgr(0));
    EXPECT_EQ(image.pixelColor(90, 231), grey);
    // The OLT bar of column 0 (-20 dBm) from 187 down to the floor.
    EXPECT_EQ(image.pixelColor(50, 200), bgr(9961367));
    EXPECT_EQ(image.pixelColor(50, 180), grey);
}

TEST(SignalChartWindow, ShowsTheOntsHistoryFileOrNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const signal::SignalHistoryStore store(dir.path());
    signal::SignalChartWindow window;

    EXPECT_FALSE(window.showChart(store, QStringLiteral("OLT01"), QStringLiteral("0.1.2.5"), QStringLiteral("[Jan]")));
    EXPECT_FALSE(window.isVisible());

    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("OLT01"))));
    QFile f(dir.filePath(QStringLiteral("OLT01/data-0.1.2.5.ph")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("**6.3.24**\r\n#5.3.24#-20*-22*##\r\n#6.3.24#-21*-23*##\r\n");
    f.close();

    EXPECT_TRUE(window.showChart(store, QStringLiteral("OLT01"), QStringLiteral("0.1.2.5"), QStringLiteral("[Jan]")));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Wykres / Chart (rx ont/olt)"));
    EXPECT_EQ(window.titleLabel->text(), QStringLiteral("Loid: 0.1.2.5 - [Jan]"));
    EXPECT_EQ(window.chartImage().size(), QSize(41 * 2 + 49, 253));
    EXPECT_EQ(window.imageLabel->pixmap().size(), QSize(41 * 2 + 49, 253));
}

} // namespace
