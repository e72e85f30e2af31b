#include "core/signal_class.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace {

using tervix::core::ChartBarColours;
using tervix::core::ChartSeries;
using tervix::core::chartBarColours;
using tervix::core::classifySignal;
using tervix::core::clampThreshold;
using tervix::core::isCriticalReading;
using tervix::core::nextCriticalBlinkColour;
using tervix::core::OpticalLevels;
using tervix::core::SignalClass;
using tervix::core::signalInfoText;
using tervix::core::signalStatusText;
using tervix::core::SignalThresholds;
using tervix::core::tileDescriptionAfterReading;
namespace colours = tervix::core::signal_colours;

struct ClassCase
{
    OpticalLevels levels;
    SignalClass expected;
};

TEST(SignalClass, StartThresholds)
{
    const SignalThresholds start;
    const ClassCase cases[] = {
        {OpticalLevels::of(-20, -22), SignalClass::Normal},
        {OpticalLevels::of(-24, -25), SignalClass::Normal},   // just above both bad bands
        {OpticalLevels::of(-25, -22), SignalClass::Bad},      // ONT at threshold + 3
        {OpticalLevels::of(-20, -26), SignalClass::Bad},      // OLT at threshold + 3
        {OpticalLevels::of(-27, -20), SignalClass::Bad},
        {OpticalLevels::of(-28, -20), SignalClass::Critical}, // ONT at its threshold
        {OpticalLevels::of(-20, -29), SignalClass::Critical}, // OLT at its threshold
        {OpticalLevels::of(-25, -30), SignalClass::Critical}, // critical beats bad
        {OpticalLevels::offline(), SignalClass::Off},
    };
    for (const ClassCase &c : cases) {
        EXPECT_EQ(classifySignal(c.levels, start), c.expected) << c.levels.text().toStdString();
        EXPECT_EQ(isCriticalReading(c.levels, start), c.expected == SignalClass::Critical) << c.levels.text().toStdString();
    }
}

// One start value for the ONT threshold, and it is the one the ONT chart's
// bands are drawn for: every level the chart paints red is critical from the
// first reading, and every orange one is bad, not critical.
TEST(SignalClass, ThresholdUsedMatchesTheOntChart)
{
    const SignalThresholds start;
    EXPECT_EQ(start.ontRx, -28);
    EXPECT_EQ(start.oltRx, -29);
    for (int level = -40; level <= -9; ++level) {
        const OpticalLevels levels = OpticalLevels::of(level, -10);
        const ChartBarColours bar = *chartBarColours(ChartSeries::OntRx, level);
        const SignalClass c = classifySignal(levels, start);
        EXPECT_EQ(c == SignalClass::Critical, (bar == ChartBarColours{255, 0})) << level;
        EXPECT_EQ(c == SignalClass::Bad, (bar == ChartBarColours{5343743, 7012351})) << level;
    }
}

TEST(SignalClass, OperatorThresholds)
{
    SignalThresholds t;
    t.ontRx = -26;
    t.oltRx = -30;
    EXPECT_EQ(classifySignal(OpticalLevels::of(-26, -20), t), SignalClass::Critical);
    EXPECT_EQ(classifySignal(OpticalLevels::of(-23, -20), t), SignalClass::Bad);
    EXPECT_EQ(classifySignal(OpticalLevels::of(-22, -29), t), SignalClass::Bad);
    EXPECT_EQ(classifySignal(OpticalLevels::of(-22, -26), t), SignalClass::Normal);
    EXPECT_EQ(clampThreshold(-51), -50);
    EXPECT_EQ(clampThreshold(51), 50);
    EXPECT_EQ(clampThreshold(-27), -27);
}

TEST(SignalClass, TextsOfEachClass)
{
    const struct
    {
        SignalClass c;
        const char *status;
        const char *info;
    } cases[] = {
        {SignalClass::Normal, "> Signal Normal", ""},
        {SignalClass::Off, "> OFF ONT", ""},
        {SignalClass::Bad, "> Bad Signal!", "bad"},
        {SignalClass::Critical, "> Critical Signal!", "critical"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(signalStatusText(c.c), QString::fromLatin1(c.status));
        EXPECT_EQ(signalInfoText(c.c), QString::fromLatin1(c.info));
    }
}

TEST(SignalClass, TileDescriptionKeepsItsFirstLine)
{
    const SignalThresholds t;
    const struct
    {
        const char *old;
        OpticalLevels levels;
        const char *expected;
    } cases[] = {
        {"GPON\n> Signal Normal\nONT: -20 OLT: -21", OpticalLevels::of(-26, -21), "GPON\n> Bad Signal!\nONT: -26 OLT: -21"},
        {"GPON", OpticalLevels::of(-26, -21), "> Bad Signal!\nONT: -26 OLT: -21"},
        {"GPON\n", OpticalLevels::offline(), "GPON\n> OFF ONT\nONT: off OLT: off"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tileDescriptionAfterReading(QString::fromLatin1(c.old), c.levels, t), QString::fromLatin1(c.expected));
}

TEST(SignalColours, CriticalPanelBlinksBetweenTwoColours)
{
    EXPECT_EQ(nextCriticalBlinkColour(colours::kCriticalPanelBlink), colours::kCriticalPanel);
    EXPECT_EQ(nextCriticalBlinkColour(colours::kCriticalPanel), colours::kCriticalPanelBlink);
    EXPECT_EQ(nextCriticalBlinkColour(0), colours::kCriticalPanelBlink);
}

TEST(SignalColours, ChartBandsPerSeries)
{
    const ChartBarColours blue{16735838, 16711680};
    const ChartBarColours green{9961367, 11454975};
    const ChartBarColours orange{5343743, 7012351};
    const ChartBarColours red{255, 0};
    const struct
    {
        ChartSeries series;
        int level;
        std::optional<ChartBarColours> expected;
    } cases[] = {
        {ChartSeries::OntRx, -8, blue},     {ChartSeries::OntRx, -9, green},   {ChartSeries::OntRx, -24, green},
        {ChartSeries::OntRx, -25, orange},  {ChartSeries::OntRx, -27, orange}, {ChartSeries::OntRx, -28, red},
        {ChartSeries::OntRx, -40, red},     {ChartSeries::OntRx, -41, std::nullopt},
        {ChartSeries::OltRx, -12, blue},    {ChartSeries::OltRx, -13, green},  {ChartSeries::OltRx, -26, green},
        {ChartSeries::OltRx, -27, orange},  {ChartSeries::OltRx, -29, orange}, {ChartSeries::OltRx, -30, red},
        {ChartSeries::OltRx, -41, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(chartBarColours(c.series, c.level), c.expected) << int(c.series) << ' ' << c.level;
}

} // namespace
