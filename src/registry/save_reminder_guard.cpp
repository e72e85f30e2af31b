#include "registry/save_reminder_guard.h"

#include "core/command_batch.h"
#include "core/ont_list_texts.h"
#include "core/timing.h"
#include "session/olt_session.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"

#include <QRandomGenerator>

namespace tervix::registry {

SaveReminderGuard::SaveReminderGuard(session::OltSession &session, session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_trace(trace)
{
    m_timer.setInterval(timing::scaled(timing::kSaveGuardMs));
    connect(&m_timer, &QTimer::timeout, this, &SaveReminderGuard::checkForReminder);
}

void SaveReminderGuard::start()
{
    m_timer.start(timing::scaled(timing::kSaveGuardMs));
}

void SaveReminderGuard::stop()
{
    m_timer.stop();
}

void SaveReminderGuard::checkForReminder()
{
    if (m_trace)
        m_trace->add(session::TraceTag::kSaveReminderCheck);
    stop();
    if (core::isSaveReminder(m_session.buffer())) {
        m_session.replaceBuffer(QStringLiteral("Analizuje system.."));
        Q_EMIT keepAliveRequested();
        m_session.send({core::PacedLine::send(QStringLiteral("x"), timing::kGapBeforeSaveMs, true),
                        core::PacedLine::send(QStringLiteral("save"), 0, true)});
        // The closing note replaces the memo only once both lines are out,
        // as it always followed them.
        m_session.pacer().enqueueAction([s = &m_session] {
            s->replaceBuffer(QStringLiteral("system_ok[%1]").arg(QRandomGenerator::global()->bounded(1, 100)));
        });
    }
    start();
    if (m_trace)
        m_trace->add(session::TraceTag::end(session::TraceTag::kSaveReminderCheck));
}

} // namespace tervix::registry
