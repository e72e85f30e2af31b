#pragma once

#include "core/optical_reading.h"

#include <QString>

#include <optional>

namespace tervix::core {

enum class SignalClass { Normal, Off, Bad, Critical };

// The receive thresholds, whole dBm. The operator's threshold boxes start
// from these values and write back into them: the value a box shows is the
// value the classes use, from the first reading on.
struct SignalThresholds
{
    static constexpr int kDefaultOntRx = -28;
    static constexpr int kDefaultOltRx = -29;
    // The range the operator may set.
    static constexpr int kMinimum = -50;
    static constexpr int kMaximum = 50;
    // How far above a threshold a level still counts as bad.
    static constexpr int kBadMargin = 3;

    int ontRx = kDefaultOntRx;
    int oltRx = kDefaultOltRx;

    bool operator==(const SignalThresholds &) const = default;
};

// A threshold box's value kept within the range the operator may set.
int clampThreshold(int value);

// Critical when either level is at or below its threshold, bad when either is
// within the margin above it, off for an ONT that is not online.
SignalClass classifySignal(const OpticalLevels &levels, const SignalThresholds &thresholds);

// Whether a reading goes into the pass's critical-signal list.
bool isCriticalReading(const OpticalLevels &levels, const SignalThresholds &thresholds);

// The status line of the ONT's tile ("> Bad Signal!").
QString signalStatusText(SignalClass signalClass);
// The tile's hidden class column: "bad", "critical" or empty.
QString signalInfoText(SignalClass signalClass);
// The tile's description after a reading: its old first line (with its line
// feed; nothing when it has none), the status text, and the two levels.
QString tileDescriptionAfterReading(const QString &oldDescription, const OpticalLevels &levels,
                                    const SignalThresholds &thresholds);

// Colours as the widgets take them: BGR integers (red in the low byte).
namespace signal_colours {
inline constexpr int kAllPanel = -1; // the window colour
inline constexpr int kOnlinePanel = 14680031;
inline constexpr int kOfflinePanel = 14079702;
inline constexpr int kCriticalPanel = 12440319;
inline constexpr int kCriticalPanelBlink = 10206463;
inline constexpr int kBadPanel = 11579607;
inline constexpr int kDisabledPanel = 6052956;
inline constexpr int kChartBackground = 8421504;
inline constexpr int kCriticalListBackground = 14286847;
inline constexpr int kCriticalListText = 4210816;
} // namespace signal_colours

// The colour of a critical panel after one blink tick.
int nextCriticalBlinkColour(int current);

// A bar of the history chart.
enum class ChartSeries { OntRx, OltRx };
struct ChartBarColours
{
    int fill = 0;
    int pen = 0;
    bool operator==(const ChartBarColours &) const = default;
};
// The bar colours of a level; nothing below the chart's lowest band, where
// the bar is drawn with the colours of the bar before it.
std::optional<ChartBarColours> chartBarColours(ChartSeries series, int level);

} // namespace tervix::core
