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

Q_SIGNALS:
    void idle();

private:
    struct Item
    {
        core::PacedLine line;
        std::function<void()> action;
    };
    void pump();
    void onWaitElapsed();

    LineSink m_sink;
    std::deque<Item> m_queue;
    QTimer m_timer;
    QElapsedTimer m_waitClock;
    qint64 m_waitMs = 0;
    bool m_waiting = false;
    bool m_pumping = false;
    quint64 m_generation = 0;
};

} // namespace tervix::session
