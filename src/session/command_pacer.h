#pragma once

#include "core/command_batch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace tervix::session {

// Sends command batches in order with their waits, without ever blocking the
// event loop. A batch enqueued while another is in flight waits behind it, so
// lines of two batches never interleave. Actions (plain callbacks) can be
// queued between lines for sequences that must change state at a point in the
// schedule (arming a step after the password, say).
class CommandPacer : public QObject
{
    Q_OBJECT
public:
    // sendLine types one line: it empties the receive buffer first when asked,
    // and drops the line silently when there is no connection.
    using LineSink = std::function<void(const QString &line, bool clearFirst)>;

    explicit CommandPacer(LineSink sink, QObject *parent = nullptr);

    void enqueue(const core::CommandBatch &batch);
    void enqueueAction(std::function<void()> action);
    void enqueueWait(int ms);

    bool isIdle() const { return m_queue.empty() && !m_waiting; }

    // Who owns the receive buffer when a clearing line goes out. The stamp is
    // taken as a line is queued; just before the line is typed the veto is
    // asked with it, and a vetoed line goes out without emptying the buffer:
    // deferred is called instead, and the owner decides later whether the
    // clear happens. The step engine uses this so that a batch queued while a
    // step waits for its listing cannot wipe that listing.
    void setClearOwnership(std::function<quint64()> stamp, std::function<bool(quint64)> veto,
                           std::function<void()> deferred)
    {
        m_stamp = std::move(stamp);
        m_veto = std::move(veto);
        m_deferred = std::move(deferred);
    }
    // Forgets everything not yet sent (a connection that is being replaced).
    void clear();

Q_SIGNALS:
    void idle();

private:
    struct Item
    {
        core::PacedLine line;
        std::function<void()> action;
        quint64 stamp = 0;
    };
    quint64 stampNow() const { return m_stamp ? m_stamp() : 0; }
    void pump();
    void typeLine(const Item &item);
    void onWaitElapsed();

    LineSink m_sink;
    std::function<quint64()> m_stamp;
    std::function<bool(quint64)> m_veto;
    std::function<void()> m_deferred;
    std::deque<Item> m_queue;
    QTimer m_timer;
    QElapsedTimer m_waitClock;
    qint64 m_waitMs = 0;
    bool m_waiting = false;
    bool m_pumping = false;
    quint64 m_generation = 0;
};

} // namespace tervix::session
