#pragma once

#include "core/signal_counts.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace tervix::registry {
class OntList;
}

namespace tervix::signal {

// The counters strip of the main window: how many ONTs the list holds, how
// many are online, offline, disabled, and of bad or critical signal; and the
// same per port for the OLT picture. Recounted after every pass and status
// read of the scanner, and every 35 seconds while a working session is open.
// After a pass with critical readings the critical panel blinks until the
// operator opens the critical list.
class SignalCountsController : public QObject
{
    Q_OBJECT
public:
    explicit SignalCountsController(registry::OntList &list, QObject *parent = nullptr);

    // Hooks the periodic recount asks: it runs only with a ready working
    // session of a known OLT, and never in the middle of a status read.
    void setReadyHook(std::function<bool()> ready) { m_ready = std::move(ready); }

    void recount();
    const core::SignalCounts &counts() const { return m_counts; }

    // The periodic recount (on when a working session starts and at each pass).
    void startPeriodic();

    // A pass ended: blink when it found critical signals, else stop blinking.
    void passFinished(bool hasCritical);
    // The operator opened the critical list, or a new session began.
    void stopBlinking();
    bool blinking() const { return m_blink.isActive(); }
    int criticalColour() const { return m_criticalColour; }

Q_SIGNALS:
    void captionsChanged(const core::SignalCaptions &captions);
    void criticalColourChanged(int bgr);
    void criticalButtonVisible(bool visible);
    // The per-port counts, for the OLT picture.
    void portCountsChanged(const core::SignalCounts &counts);
    // The list's count against the OLT's (its last whole state listing), for
    // the import window to offer a synchronisation.
    void listComparison(int localCount, int oltCount);

private:
    void setCriticalColour(int bgr);

    registry::OntList &m_list;
    core::SignalCounts m_counts;
    QTimer m_periodic;
    QTimer m_blink;
    int m_criticalColour;
    std::function<bool()> m_ready;
};

} // namespace tervix::signal
