#include "core/timing.h"

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <cmath>

namespace tervix::timing {

namespace {
std::atomic<double> g_override{0.0};
} // namespace

double scaleFromText(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return (ok && v > 0.0 && std::isfinite(v)) ? v : 1.0;
}

double scale()
{
    const double o = g_override.load();
    if (o > 0.0)
        return o;
    static const double env = scaleFromText(qEnvironmentVariable("TERVIX_TIME_SCALE"));
    return env;
}

void setScale(double factor)
{
    g_override.store(factor > 0.0 ? factor : 0.0);
}

int scaled(int ms)
{
    if (ms <= 0)
        return 0;
    const double v = ms * scale();
    if (v < 1.0)
        return 1;
    if (v > 2'000'000'000.0)
        return 2'000'000'000;
    return static_cast<int>(std::lround(v));
}

} // namespace tervix::timing
