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
    m_tick.setInterval(timing::scaled(timing::kStepTickMs));
    connect(&m_tick, &QTimer::timeout, this, &StepEngine::onTick);
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
        if (core::collectPage(m_session.buffer(), m_pagedOutput)) {
            m_session.send({core::PacedLine::wait(timing::kPageContinueWaitMs),
                            core::PacedLine::send(QString(core::kPageContinueKey), 0, true)});
            arm(c);
            return Outcome::Done;
        }
        // The parser may arm a next step and read paged output itself; it gets
        // its own copy and the shared buffer is emptied before it runs on.
        const QString listing = std::exchange(m_pagedOutput, QString());
        parser(listing);
        return Outcome::Done;
    });
}

void StepEngine::arm(int code)
{
    m_pending = code;
    start();
}

void StepEngine::start()
{
    m_tick.setInterval(timing::scaled(timing::kStepTickMs));
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
}

void StepEngine::onTick()
{
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
    if (m_trace)
        m_trace->add(m_tag);
    if (m_keepAlive)
        m_keepAlive();
    Outcome outcome = Outcome::Done;
    const auto it = m_branches.constFind(code);
    if (it != m_branches.constEnd())
        outcome = (*it)(code);
    if (outcome == Outcome::Done) {
        m_session.setOutputArriving(true);
        if (m_trace)
            m_trace->add(m_tag + QStringLiteral("-end"));
    }
}

} // namespace tervix::session
