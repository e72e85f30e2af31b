#include "provisioning/controller_context.h"

#include "session/trace_log.h"
#include "ui/dialog_service.h"

namespace tervix::provisioning {

ControllerContext::ControllerContext(session::OltSession &session, session::StepEngine &engine,
                                     registry::OntList &list, session::TraceLog *trace)
    : m_session(session)
    , m_engine(engine)
    , m_list(list)
    , m_trace(trace)
{
}

bool ControllerContext::isReady() const
{
    return m_hooks.sessionReady && m_hooks.sessionReady();
}

void ControllerContext::setSessionReady(bool ready) const
{
    if (m_hooks.setSessionReady)
        m_hooks.setSessionReady(ready);
}

void ControllerContext::keepAlive() const
{
    if (m_hooks.keepAlive)
        m_hooks.keepAlive();
}

void ControllerContext::refreshCaption() const
{
    if (m_hooks.refreshCaption)
        m_hooks.refreshCaption();
}

void ControllerContext::trace(const QString &tag) const
{
    if (m_trace)
        m_trace->add(tag);
}

void ControllerContext::error(const QString &caption, const QString &text) const
{
    ui::DialogService::instance().error(m_dialogParent, caption, text);
}

void ControllerContext::information(const QString &caption, const QString &text) const
{
    ui::DialogService::instance().message(m_dialogParent, caption, text, ui::DialogService::Icon::Information);
}

bool ControllerContext::askYes(const QString &caption, const QString &text) const
{
    return ui::DialogService::instance().question(m_dialogParent, caption, text) == ui::DialogService::Answer::Yes;
}

void ControllerContext::notConnectedError() const
{
    error(QStringLiteral("Blad polaczenia!"), QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
}

} // namespace tervix::provisioning
