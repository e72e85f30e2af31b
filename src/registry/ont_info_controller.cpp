#include "registry/ont_info_controller.h"

#include "core/command_batch.h"
#include "core/paging.h"
#include "core/timing.h"
#include "provisioning/controller_context.h"
#include "session/main_steps.h"
#include "session/olt_session.h"


namespace tervix::registry {

using core::PacedLine;
using session::StepEngine;
namespace MainStep = session::MainStep;

namespace {
const QChar kCr = u'\r';
} // namespace

OntInfoController::OntInfoController(provisioning::ControllerContext &context, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    StepEngine &engine = context.engine();
    engine.registerBranch(MainStep::kOntInfo, [this](int) { return stepInfo(); });
    engine.registerBranch(MainStep::kOntDiagnosis, [this](int) { return stepDiagnosis(); });
    // Another request that takes the engine's one slot leaves this run with
    // nobody to call it back: it ends here rather than hang.
    connect(&engine, &StepEngine::stepReplaced, this, [this](int code) {
        if (running() && (code == MainStep::kOntInfo || code == MainStep::kOntDiagnosis))
            fail(QStringLiteral("Przerwane przez inne polecenie / Interrupted by another request"));
    });
    connect(&context.session().connection(), &session::OltConnection::disconnected, this, [this] {
        if (running())
            fail(QStringLiteral("Rozlaczono / The line dropped"));
    });
}

void OntInfoController::start(const Target &target)
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (running())
        return;
    m_context.keepAlive();
    m_target = target;
    Q_EMIT started(m_target);
    begin();
}

void OntInfoController::refresh()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (running() || m_target.id.isEmpty())
        return;
    m_context.keepAlive();
    Q_EMIT refreshStarted();
    begin();
}

QString OntInfoController::interfaceLine() const
{
    return QStringLiteral("interface ") + m_target.ponType + u' ' + m_target.frame + u'/' + m_target.slot;
}

QString OntInfoController::placeText() const
{
    return m_target.frame + u'/' + m_target.slot + u'/' + m_target.port;
}

void OntInfoController::begin()
{
    m_phase = Phase::Info;
    m_joined.clear();
    m_opticsLooks = 0;
    setProgress(0);
    Q_EMIT refreshEnabledChanged(false);
    session::OltSession &s = m_context.session();
    s.send({PacedLine::send(QStringLiteral("config"), timing::kOntInfoConfigWaitMs, true),
            PacedLine::send(interfaceLine(), timing::kOntInfoInterfaceWaitMs, true),
            PacedLine::send(QStringLiteral("display ont info ") + m_target.port + u' ' + m_target.id, 0, true)});
    m_context.engine().arm(MainStep::kOntInfo);
}

StepEngine::Outcome OntInfoController::stepInfo()
{
    if (m_phase != Phase::Info)
        return StepEngine::Outcome::Done;
    const core::OntInfo info = core::parseOntInfo(m_context.session().buffer());
    session::OltSession &s = m_context.session();
    s.send({PacedLine::send(QStringLiteral("quit"), timing::kOntInfoQuitWaitMs, true)});
    Q_EMIT infoRead(info);
    setProgress(1);
    m_phase = Phase::ServicePorts;
    s.send({PacedLine::send(QStringLiteral("display service-port port ") + placeText() + QStringLiteral(" ont ")
                                + m_target.id,
                            0, true)});
    m_context.engine().arm(MainStep::kOntDiagnosis);
    return StepEngine::Outcome::Done;
}

StepEngine::Outcome OntInfoController::stepDiagnosis()
{
    if (m_phase != Phase::ServicePorts && m_phase != Phase::Macs && m_phase != Phase::Optics)
        return StepEngine::Outcome::Done;
    session::OltSession &s = m_context.session();
    const QString memo = s.buffer();
    StepEngine &engine = m_context.engine();

    if (memo.contains(QStringLiteral("MORE ( PRESS"), Qt::CaseInsensitive)) {
        // A page of the current answer: kept, and the OLT asked for the next.
        core::collectPage(memo, m_joined);
        s.send({PacedLine::wait(timing::kPageContinueWaitMs), PacedLine::send(QString(core::kPageContinueKey), 0, true)});
        engine.arm(MainStep::kOntDiagnosis);
        return StepEngine::Outcome::Done;
    }

    switch (m_phase) {
    case Phase::ServicePorts:
        core::collectPage(memo, m_joined);
        m_joined += kCr + QString(core::kAddressesMarker) + kCr;
        s.send({PacedLine::send(QStringLiteral("display mac-address port ") + placeText() + QStringLiteral(" ont ")
                                    + m_target.id,
                                0, true)});
        m_phase = Phase::Macs;
        setProgress(2);
        engine.arm(MainStep::kOntDiagnosis);
        return StepEngine::Outcome::Done;
    case Phase::Macs:
        core::collectPage(memo, m_joined);
        m_joined += kCr + QString(core::kOpticsMarker) + kCr;
        s.send({PacedLine::send(interfaceLine(), timing::kOntInfoQuitWaitMs, true),
                PacedLine::send(QStringLiteral("display ont optical-info ") + m_target.port + u' ' + m_target.id, 0,
                                true)});
        m_phase = Phase::Optics;
        m_opticsLooks = 0;
        setProgress(3);
        engine.arm(MainStep::kOntDiagnosis, timing::scaled(timing::kOpticsRecheckMs));
        return StepEngine::Outcome::Done;
    case Phase::Optics: {
        // The optical answer may still be on its way: it is looked at again
        // until it ends, without adding the same text twice.
        QString joined = m_joined;
        core::collectPage(memo, joined);
        if (!core::opticsComplete(joined)) {
            if (++m_opticsLooks < timing::kOpticsMaxLooks)
                return StepEngine::Outcome::Rerun;
            fail(QStringLiteral("OLT nie podal poziomow optycznych / The OLT did not list the optical levels"));
            return StepEngine::Outcome::Done;
        }
        m_joined = joined + kCr + QString(core::kEndMarker);
        s.replaceBuffer(m_joined);
        const core::OntDiagnosis d =
            core::parseOntDiagnosis(m_joined, m_target.frame + u'/' + m_target.slot, m_target.ponType);
        setProgress(4);
        s.send({PacedLine::send(QStringLiteral("quit"), 0, true)});
        Q_EMIT diagnosisRead(d);
        end();
        return StepEngine::Outcome::Done;
    }
    case Phase::Idle:
    case Phase::Info:
        break;
    }
    return StepEngine::Outcome::Done;
}

void OntInfoController::end()
{
    m_phase = Phase::Idle;
    m_joined.clear();
    Q_EMIT refreshEnabledChanged(true);
}

void OntInfoController::fail(const QString &reason)
{
    end();
    Q_EMIT failed(reason);
}

void OntInfoController::setProgress(int progress)
{
    m_progress = progress;
    Q_EMIT progressChanged(progress);
}

} // namespace tervix::registry
