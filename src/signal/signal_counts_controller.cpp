#include "signal/signal_counts_controller.h"

#include "core/signal_class.h"
#include "core/timing.h"
#include "registry/ont_list.h"

namespace tervix::signal {

namespace {
constexpr int kBlinkMs = 500;
}

SignalCountsController::SignalCountsController(registry::OntList &list, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_criticalColour(core::signal_colours::kCriticalPanel)
{
    m_periodic.setInterval(timing::scaled(timing::kScanRecountMs));
    connect(&m_periodic, &QTimer::timeout, this, [this] {
        if (!m_ready || m_ready())
            recount();
    });
    m_blink.setInterval(timing::scaled(kBlinkMs));
    connect(&m_blink, &QTimer::timeout, this,
            [this] { setCriticalColour(core::nextCriticalBlinkColour(m_criticalColour)); });
}

void SignalCountsController::recount()
{
    m_counts = core::countSignals(m_list.rows());
    Q_EMIT captionsChanged(core::signalCaptions(m_counts));
    if (m_counts.critical > 0)
        Q_EMIT criticalButtonVisible(true);
    Q_EMIT portCountsChanged(m_counts);
    Q_EMIT listComparison(m_counts.all, m_list.oltOntCount());
}

void SignalCountsController::startPeriodic()
{
    m_periodic.start();
}

void SignalCountsController::passFinished(bool hasCritical)
{
    if (hasCritical) {
        setCriticalColour(core::signal_colours::kCriticalPanelBlink);
        Q_EMIT criticalButtonVisible(true);
        m_blink.start();
    } else {
        m_blink.stop();
        setCriticalColour(core::signal_colours::kCriticalPanel);
        Q_EMIT criticalButtonVisible(false);
    }
    recount();
}

void SignalCountsController::stopBlinking()
{
    m_blink.stop();
    setCriticalColour(core::signal_colours::kCriticalPanel);
}

void SignalCountsController::setCriticalColour(int bgr)
{
    m_criticalColour = bgr;
    Q_EMIT criticalColourChanged(bgr);
}

} // namespace tervix::signal
