#include "core/signal_class.h"

#include <algorithm>

namespace tervix::core {

int clampThreshold(int value)
{
    return std::clamp(value, SignalThresholds::kMinimum, SignalThresholds::kMaximum);
}

SignalClass classifySignal(const OpticalLevels &levels, const SignalThresholds &t)
{
    if (levels.off)
        return SignalClass::Off;
    if (levels.ontRx <= t.ontRx || levels.oltRx <= t.oltRx)
        return SignalClass::Critical;
    if (levels.ontRx <= t.ontRx + SignalThresholds::kBadMargin || levels.oltRx <= t.oltRx + SignalThresholds::kBadMargin)
        return SignalClass::Bad;
    return SignalClass::Normal;
}

bool isCriticalReading(const OpticalLevels &levels, const SignalThresholds &thresholds)
{
    return classifySignal(levels, thresholds) == SignalClass::Critical;
}

QString signalStatusText(SignalClass signalClass)
{
    switch (signalClass) {
    case SignalClass::Off:
        return QStringLiteral("> OFF ONT");
    case SignalClass::Bad:
        return QStringLiteral("> Bad Signal!");
    case SignalClass::Critical:
        return QStringLiteral("> Critical Signal!");
    case SignalClass::Normal:
        break;
    }
    return QStringLiteral("> Signal Normal");
}

QString signalInfoText(SignalClass signalClass)
{
    switch (signalClass) {
    case SignalClass::Bad:
        return QStringLiteral("bad");
    case SignalClass::Critical:
        return QStringLiteral("critical");
    case SignalClass::Normal:
    case SignalClass::Off:
        break;
    }
    return {};
}

QString tileDescriptionAfterReading(const QString &oldDescription, const OpticalLevels &levels,
                                    const SignalThresholds &thresholds)
{
    const qsizetype lineFeed = oldDescription.indexOf(u'\n');
    const QString firstLine = lineFeed < 0 ? QString() : oldDescription.left(lineFeed + 1);
    const QString ont = levels.off ? QStringLiteral("off") : QString::number(levels.ontRx);
    const QString olt = levels.off ? QStringLiteral("off") : QString::number(levels.oltRx);
    return firstLine + signalStatusText(classifySignal(levels, thresholds)) + u'\n' + QStringLiteral("ONT: ") + ont
        + QStringLiteral(" OLT: ") + olt;
}

int nextCriticalBlinkColour(int current)
{
    return current == signal_colours::kCriticalPanelBlink ? signal_colours::kCriticalPanel
                                                          : signal_colours::kCriticalPanelBlink;
}

std::optional<ChartBarColours> chartBarColours(ChartSeries series, int level)
{
    // Bands from the strongest level down. They are the chart's own and do
    // not follow the operator's thresholds.
    const bool ont = series == ChartSeries::OntRx;
    if (level >= (ont ? -8 : -12))
        return ChartBarColours{16735838, 16711680};
    if (level >= (ont ? -24 : -26))
        return ChartBarColours{9961367, 11454975};
    if (level >= (ont ? -27 : -29))
        return ChartBarColours{5343743, 7012351};
    if (level >= -40)
        return ChartBarColours{255, 0};
    return std::nullopt;
}

} // namespace tervix::core
