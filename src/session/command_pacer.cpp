#include "session/command_pacer.h"

#include "core/timing.h"

namespace tervix::session {

CommandPacer::CommandPacer(LineSink sink, QObject *parent)
    : QObject(parent)
    , m_sink(std::move(sink))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CommandPacer::onWaitElapsed);
}

void CommandPacer::push(Item item)
{
    item.number = ++m_lastNumber;
    m_queue.push_back(std::move(item));
}

void CommandPacer::enqueue(const core::CommandBatch &batch)
{
    for (const core::PacedLine &l : batch)
        push(Item{l, {}});
    pump();
}

void CommandPacer::enqueueAction(std::function<void()> action)
{
    push(Item{core::PacedLine::wait(0), std::move(action)});
    pump();
}

void CommandPacer::enqueueWait(int ms)
{
    enqueue({core::PacedLine::wait(ms)});
}

void CommandPacer::clear()
{
    ++m_generation;
    m_queue.clear();
    m_timer.stop();
    const bool wasBusy = m_waiting;
    m_waiting = false;
    if (wasBusy)
        Q_EMIT idle();
}

void CommandPacer::pump()
{
    // Re-entry guard: an action or the sink may enqueue more work; the outer
    // loop picks it up in order.
    if (m_pumping || m_waiting)
        return;
    m_pumping = true;
    quint64 generation = m_generation;
    while (!m_queue.empty() && !m_waiting) {
        Item item = std::move(m_queue.front());
        m_queue.pop_front();
        if (item.action) {
            m_runningAction = item.number;
            item.action();
            m_runningAction = 0;
        }
        else if (item.line.typesLine)
            typeLine(item);
        if (generation != m_generation) {
            // The item cleared the queue: its wait goes with it, and whatever
            // it queued afterwards is the new work.
            generation = m_generation;
            continue;
        }
        const int wait = timing::scaled(item.line.waitAfterMs);
        if (wait > 0) {
            m_waiting = true;
            m_waitMs = wait;
            m_waitClock.start();
            m_timer.start(wait);
        }
    }
    m_pumping = false;
    if (m_queue.empty() && !m_waiting)
        Q_EMIT idle();
}

void CommandPacer::typeLine(const Item &item)
{
    bool clear = item.line.clearFirst;
    if (clear && m_veto && m_veto(item.number)) {
        clear = false;
        if (m_deferred)
            m_deferred();
    }
    m_sink(item.line.line, clear);
}

void CommandPacer::onWaitElapsed()
{
    // Timers may fire a little early; a wait is a lower bound.
    const qint64 left = m_waitMs - m_waitClock.elapsed();
    if (left > 0) {
        m_timer.start(int(left));
        return;
    }
    m_waiting = false;
    pump();
}

} // namespace tervix::session
