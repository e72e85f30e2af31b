#include "session/step_engine.h"

#include "core/paging.h"
#include "core/timing.h"
#include "session/olt_session.h"
#include "session/trace_log.h"

namespace tervix::session {

StepEngine::StepEngine(OltSession &session, TraceLog *trace, QString traceTag, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_trace(trace)
    , m_tag(std::move(traceTag))
{
    m_intervalMs = timing::scaled(timing::kStepTickMs);
    m_tick.setInterval(m_intervalMs);
    connect(&m_tick, &QTimer::timeout, this, &StepEngine::onTick);
    connect(&m_session.connection(), &OltConnection::disconnected, this, &StepEngine::onDisconnected);
    m_session.pacer().setClearOwnership(
        [this](quint64 number) { return m_pending != kNoStep && number > m_ownedUpTo; },
        [this] { m_session.deferClear(); });
}

bool StepEngine::registerBranch(int code, Branch branch)
{
    if (m_branches.contains(code)) {
        qWarning("step %d already has a branch; the second one is refused", code);
        return false;
    }
    m_branches.insert(code, std::move(branch));
    return true;
}

bool StepEngine::registerPagedBranch(int code, ListingParser parser)
{
    return registerBranch(code, [this, parser = std::move(parser)](int c) {
        if (m_pagedCode != c) {
            m_pagedOutput.clear();
            m_pagedCode = c;
        }
        if (core::collectPage(m_session.buffer(), m_pagedOutput)) {
            m_session.send({core::PacedLine::wait(timing::kPageContinueWaitMs),
                            core::PacedLine::send(QString(core::kPageContinueKey), 0, true)});
            arm(c);
            return Outcome::Done;
        }
        // The parser may arm a next step and read paged output itself; it gets
        // its own copy and the shared buffer is emptied before it runs on.
        const QString listing = std::exchange(m_pagedOutput, QString());
        m_pagedCode = kNoStep;
        parser(listing);
        return Outcome::Done;
    });
}

void StepEngine::arm(int code)
{
    arm(code, timing::scaled(timing::kStepTickMs));
}

void StepEngine::arm(int code, int intervalMs)
{
    // Pages collected for another listing are not the start of this one.
    if (code != m_pagedCode)
        forgetPages();
    if (m_pending != kNoStep && m_pending != code)
        Q_EMIT stepReplaced(m_pending, m_session.buffer());
    // A clear held back for the step this one replaces happens now.
    m_session.applyDeferredClear();
    m_pending = code;
    // The step reads the answers to what is queued up to now; armed by an
    // action between queued lines, only to what is queued ahead of it.
    const CommandPacer &pacer = m_session.pacer();
    m_ownedUpTo = pacer.runningAction() != 0 ? pacer.runningAction() : pacer.lastQueued();
    m_intervalMs = intervalMs;
    start();
}

void StepEngine::start()
{
    m_tick.setInterval(m_intervalMs);
    m_tick.start();
}

void StepEngine::stop()
{
    m_tick.stop();
}

void StepEngine::cancel()
{
    m_tick.stop();
    m_pending = kNoStep;
    forgetPages();
}

void StepEngine::forgetPages()
{
    m_pagedOutput.clear();
    m_pagedCode = kNoStep;
}

void StepEngine::onDisconnected()
{
    cancel();
    m_session.pacer().clear();
}

void StepEngine::onTick()
{
    if (!m_session.connection().isConnected()) {
        // Whatever the step waits for will not come on this line.
        cancel();
        return;
    }
    // A step waits for the OLT to fall quiet and for the pacer to have typed
    // everything queued before it.
    if (m_session.outputArriving() || !m_session.pacer().isIdle())
        return;
    runStep(m_pending);
}

void StepEngine::runStep(int code)
{
    m_tick.stop();
    m_pending = kNoStep;
    // The step reads the whole text it waited for.
    m_session.forgetDeferredClear();
    if (m_trace)
        m_trace->add(m_tag);
    if (m_keepAlive)
        m_keepAlive();
    Outcome outcome = Outcome::Done;
    const auto it = m_branches.constFind(code);
    if (it != m_branches.constEnd())
        outcome = (*it)(code);
    if (outcome == Outcome::Rerun && m_pending == kNoStep) {
        // Again at the next tick, at the same rhythm, without waiting for output.
        m_pending = code;
        start();
    }
    if (outcome != Outcome::SkipFrameEnd) {
        if (outcome == Outcome::Done)
            m_session.setOutputArriving(true);
        if (m_trace)
            m_trace->add(m_tag + QStringLiteral("-end"));
    }
    Q_EMIT stepRan(code);
}

} // namespace tervix::session
