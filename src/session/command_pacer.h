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
    // Forgets everything not yet sent (a connection that is being replaced).
    void clear();

    // Who owns the receive buffer when a clearing line goes out. Every item
    // queued gets the next number of a running count. Just before a clearing
    // line is typed the veto is asked with its number; a vetoed line goes out
    // without emptying the buffer, deferred is called instead, and the owner
    // decides later whether the clear happens. The step engine uses this so
    // that a line queued behind a waiting step cannot wipe that step's text.
    void setClearOwnership(std::function<bool(quint64 number)> veto, std::function<void()> deferred)
    {
        m_veto = std::move(veto);
        m_deferred = std::move(deferred);
    }
    // The number of the last item queued, and of the action running now (0
    // outside actions).
    quint64 lastQueued() const { return m_lastNumber; }
    quint64 runningAction() const { return m_runningAction; }

Q_SIGNALS:
    void idle();

private:
    struct Item
    {
        core::PacedLine line;
        std::function<void()> action;
        quint64 number = 0;
    };
    void push(Item item);
    void pump();
    void typeLine(const Item &item);
    void onWaitElapsed();

    LineSink m_sink;
    std::function<bool(quint64)> m_veto;
    quint64 m_lastNumber = 0;
    quint64 m_runningAction = 0;
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
