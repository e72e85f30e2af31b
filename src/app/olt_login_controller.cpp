#include "app/olt_login_controller.h"

#include "core/last_ip_list.h"
#include "core/login_answer.h"
#include "core/olt_identity.h"
#include "core/timing.h"
#include "session/login_sequence.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"
#include "ui/dialog_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

namespace tervix::app {

using core::PacedLine;
namespace MainStep = session::MainStep;
using session::StepEngine;
using ui::DialogService;

namespace {
const QString kLastIpFile = QStringLiteral("olt-ip.ph");

core::CommandBatch preparation(const QStringList &lines, int waitMs)
{
    return core::batchOf(lines, waitMs, true);
}

const QStringList kWorkingPreparation = session::terminalPreparation(255);
const QString kDisconnected = QStringLiteral("Rozlaczono / Disconnect");
const QString kSaveLine = QStringLiteral("save");


} // namespace

OltLoginController::OltLoginController(session::OltSession &session, StepEngine &engine, session::TraceLog &trace,
                                       QString appDir, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_engine(engine)
    , m_trace(trace)
    , m_appDir(std::move(appDir))
{
    m_identPoll.setSingleShot(true);
    connect(&m_identPoll, &QTimer::timeout, this, &OltLoginController::identificationPoll);
    connect(&m_keepAlive, &QTimer::timeout, this, &OltLoginController::keepAliveElapsed);
    m_close.setSingleShot(true);
    connect(&m_close, &QTimer::timeout, this, [this] {
        m_close.stop();
        if (!core::saveConfirmed(m_session.buffer())) {
            endUnsaved(QStringLiteral("OLT nie potwierdzil zapisu / The OLT did not confirm the save."));
            return;
        }
        setState(State::Idle); // closing the line now is no drop
        m_session.connection().disconnectFromOlt();
        terminate();
    });
    m_identDeadline.setSingleShot(true);
    connect(&m_identDeadline, &QTimer::timeout, this, &OltLoginController::identificationOverdue);
    m_openDelay.setSingleShot(true);
    connect(&m_openDelay, &QTimer::timeout, this, [this] {
        if (m_session.connection().isConnected())
            m_session.connection().disconnectFromOlt();
        m_session.connection().connectTo(m_credentials.address);
    });

    auto &c = m_session.connection();
    connect(&c, &session::OltConnection::connected, this, &OltLoginController::onConnected);
    connect(&c, &session::OltConnection::connectFailed, this, &OltLoginController::onConnectFailed);
    connect(&c, &session::OltConnection::disconnected, this, &OltLoginController::onDisconnected);

    m_engine.registerBranch(MainStep::kIdentification, [this](int code) { return stepIdentification(code); });
    m_engine.registerBranch(MainStep::kIdentificationPoll, [this](int code) { return stepIdentificationPoll(code); });
    m_engine.registerBranch(MainStep::kWorkingLogin, [this](int code) { return stepWorking(code); });
    m_engine.registerBranch(MainStep::kClosingLogin, [this](int code) { return stepClosingLogin(code); });
    m_engine.setKeepAliveHook([this] { keepAlive(); });
}

void OltLoginController::setState(State state)
{
    m_state = state;
    // The operator may start an attempt of his own while none is under way,
    // and still while the console replaces the identification line by the
    // working one; from the working password on, Enter in the password field
    // is the way to start again.
    setConnectEnabled(state == State::Idle || state == State::OpeningWorking);
}

void OltLoginController::setConnectEnabled(bool enabled)
{
    if (m_connectEnabled == enabled)
        return;
    m_connectEnabled = enabled;
    Q_EMIT connectEnabledChanged(enabled);
}

void OltLoginController::setSessionReady(bool ready)
{
    if (ready && m_state == State::FirstListing)
        setState(State::Ready);
    else if (!ready && m_state == State::Ready)
        setState(State::FirstListing);
}

void OltLoginController::terminate()
{
    if (m_terminate)
        m_terminate();
    else
        QCoreApplication::quit();
}

void OltLoginController::showConnectError()
{
    DialogService::instance().error(m_dialogParent, QStringLiteral("Blad polaczenia!"),
                                    QStringLiteral("Czy adres IP poprawny?\nNie moge uzyskac polaczenia!"));
}

void OltLoginController::connectToOlt(const LoginCredentials &credentials)
{
    Q_EMIT saveGuardStopRequested();
    if (credentials.login == QStringLiteral("root")) {
        Q_EMIT accountWindowRequested();
        return;
    }
    if (m_state == State::ClosingSave)
        return; // the program is ending; the closing save owns the line
    m_credentials = credentials;
    m_identLooks = 0;
    m_session.clearBuffer();
    m_session.appendLine(QStringLiteral("Secure Connection -> Wait.. / Nawiązuje bezpieczne połączenie -> Czekaj.."));
    openSession(State::OpeningIdentification);
}

void OltLoginController::identificationOverdue()
{
    // Once the poll has begun it ends by itself within its fourteen looks; only
    // an OLT that stopped answering before it (the engine waits for output that
    // never comes) leaves the attempt hanging with the button off.
    if (m_state != State::OpeningIdentification && m_state != State::IdentificationLogin)
        return;
    // Idle first, so that closing the line here is not taken for a drop.
    setState(State::Idle);
    abandonLine();
    m_session.connection().disconnectFromOlt();
    m_session.replaceBuffer(QStringLiteral("[100%] Wait.. / Czekaj.."));
    DialogService::instance().error(m_dialogParent, QStringLiteral("OLT Problem Config"),
                                    QStringLiteral("Problem z konf OLT!\nOLT nie odpowiada / The OLT does not answer."));
}

void OltLoginController::openSession(State opening)
{
    // A new login replaces whatever the old line was still doing.
    setState(opening);
    m_workingLineUp = false;
    m_identPoll.stop();
    m_identDeadline.stop();
    abandonLine();
    m_openDelay.start(timing::scaled(timing::kLoginPreWaitMs));
}

void OltLoginController::onConnected()
{
    const LoginCredentials c = m_credentials;
    switch (m_state) {
    case State::OpeningIdentification:
    case State::OpeningWorking: {
        const bool working = m_state == State::OpeningWorking;
        const int firstStep = working ? MainStep::kWorkingLogin : MainStep::kIdentification;
        if (working) {
            m_workingLineUp = true;
        } else { // counted from the connect: a slow connect has its own time-out
            setState(State::IdentificationLogin);
            m_identDeadline.start(timing::scaled(timing::kIdentDeadlineMs));
        }
        // The first step is armed only once the password is on its way, so it
        // reads the OLT's answer to the password.
        session::enqueueLogin(m_session, c, session::LoginPacing::mainSession(c.safeMode), [this, working, firstStep] {
            Q_EMIT typedCommandsCleared();
            m_engine.arm(firstStep);
            if (working) {
                Q_EMIT saveGuardStartRequested();
                afterWorkingLogin();
            }
        });
        break;
    }
    case State::ClosingSave:
        session::enqueueLogin(m_session, c, session::LoginPacing::closingSave(), [this] {
            Q_EMIT typedCommandsCleared();
            m_engine.arm(MainStep::kClosingLogin);
        });
        break;
    default: // no line of ours is being opened
        break;
    }
}

StepEngine::Outcome OltLoginController::stepClosingLogin(int)
{
    const QString refusal = core::loginRefusal(m_session.buffer());
    if (!refusal.isEmpty()) {
        endUnsaved(refusal);
        return StepEngine::Outcome::SkipFrameEnd;
    }
    m_session.pacer().enqueueWait(timing::kStepPreWaitMs);
    m_session.send(preparation(kWorkingPreparation, timing::kPrepLineWaitMs));
    m_session.send({PacedLine::send(kSaveLine, 0, true)});
    m_session.pacer().enqueueAction([this] { m_close.start(timing::scaled(timing::kCloseAfterSaveMs)); });
    return StepEngine::Outcome::Done;
}

void OltLoginController::endUnsaved(const QString &reason)
{
    // Told once, then the program ends as the operator asked. Idle first, so
    // that closing the line here is not taken for a drop.
    m_close.stop();
    setState(State::Idle);
    abandonLine();
    m_session.connection().disconnectFromOlt();
    DialogService::instance().error(
        m_dialogParent, QStringLiteral("SAVE"),
        QStringLiteral("Konfiguracja OLT NIE zostala zapisana! / The OLT configuration was NOT saved.\n%1").arg(reason));
    terminate();
}

void OltLoginController::failLogin(const QString &reason)
{
    // The OLT asks for a user name again after a refusal, or has hung up: the
    // line is of no use. Idle first, so that closing it is not taken for a drop.
    m_identPoll.stop();
    m_identDeadline.stop();
    setState(State::Idle);
    abandonLine();
    m_session.connection().disconnectFromOlt();
    DialogService::instance().error(m_dialogParent, QStringLiteral("Nieprawidlowe dane"),
                                    QStringLiteral("Bledny login lub haslo!\n%1").arg(reason));
}

void OltLoginController::abandonLine()
{
    // Nothing waits on the old line any more: no step, no queued typing.
    m_engine.cancel();
    m_session.pacer().clear();
}

void OltLoginController::onConnectFailed()
{
    const State opening = m_state;
    if (opening != State::OpeningIdentification && opening != State::OpeningWorking && opening != State::ClosingSave)
        return;
    if (opening == State::ClosingSave) {
        endUnsaved(QStringLiteral("Nie moge uzyskac polaczenia z OLT / Cannot connect to the OLT."));
        return;
    }
    showConnectError();
    setState(State::Idle);
}

void OltLoginController::onDisconnected()
{
    m_session.appendLine(kDisconnected);
    switch (m_state) {
    case State::IdentificationLogin:
    case State::IdentificationPoll:
    case State::AwaitingPrompt:
        // The OLT dropped the line before it took the login, or before it
        // could be identified: nothing more will come, so the attempt failed.
        failLogin(refusalOrDrop());
        break;
    case State::OpeningWorking:
        // The console closes the identification line itself before opening
        // the working one; only a drop of the working line ends the attempt.
        if (m_workingLineUp)
            failLogin(refusalOrDrop());
        break;
    case State::Ready:
    case State::FirstListing:
        setState(State::Lost);
        break;
    case State::ClosingSave:
        if (!m_close.isActive() || !core::saveConfirmed(m_session.buffer()))
            endUnsaved(refusalOrDrop());
        break;
    default:
        break;
    }
}

QString OltLoginController::refusalOrDrop() const
{
    const QString refusal = core::loginRefusal(m_session.buffer());
    return refusal.isEmpty() ? QStringLiteral("OLT zamknal polaczenie / The OLT closed the connection.") : refusal;
}

StepEngine::Outcome OltLoginController::stepIdentification(int)
{
    const QString refusal = core::loginRefusal(m_session.buffer());
    if (!refusal.isEmpty()) {
        failLogin(refusal);
        return StepEngine::Outcome::SkipFrameEnd;
    }
    m_session.pacer().enqueueWait(timing::kStepPreWaitMs);
    m_session.send(preparation({QStringLiteral("enable"), QStringLiteral("undo smart"), QStringLiteral("scroll 512"),
                                QStringLiteral("diagnose"), QStringLiteral("display elabel backplane 0")},
                               timing::kIdentLineWaitMs));
    m_engine.arm(MainStep::kIdentificationPoll);
    return StepEngine::Outcome::Done;
}

StepEngine::Outcome OltLoginController::stepIdentificationPoll(int)
{
    m_identLooks = 1;
    setState(State::IdentificationPoll);
    m_identPoll.start(timing::scaled(timing::kIdentPollMs));
    m_session.appendLine(QStringLiteral("Config -> Wait.. / Konfiguracja -> Czekaj.."));
    return StepEngine::Outcome::Done;
}

void OltLoginController::identificationPoll()
{
    m_trace.add(session::TraceTag::kIdentificationPoll);
    m_identPoll.stop();
    ++m_identLooks;
    const QString memo = m_session.buffer();
    const bool seen = core::labelSeen(memo);
    if (!seen && m_identLooks < timing::kIdentMaxLooks + 1) {
        m_identPoll.start(timing::scaled(timing::kIdentPollMs));
        return;
    }
    m_session.replaceBuffer(QStringLiteral("[100%] Wait.. / Czekaj.."));
    if (!seen) {
        DialogService::instance().error(m_dialogParent, QStringLiteral("OLT Problem Config"),
                                        QStringLiteral("Problem z konf OLT!"));
        setState(State::Idle);
        return;
    }
    const QString key = core::oltKeyFromBarcode(core::barcodeFromLabel(memo));
    setState(State::Idle);
    m_session.connection().disconnectFromOlt();
    if (key.isEmpty()) {
        // Without a usable bar code the OLT's files could not be told apart from
        // another OLT's; refuse rather than mix them.
        DialogService::instance().error(
            m_dialogParent, QStringLiteral("OLT Problem Config"),
            QStringLiteral("Problem z konf OLT!\nEtykieta OLT nie ma poprawnego kodu kreskowego (BarCode) / "
                           "The OLT label has no usable bar code."));
        return;
    }
    m_oltKey = key;
    startWorkingSession();
    m_trace.add(session::TraceTag::end(session::TraceTag::kIdentificationPoll));
}

void OltLoginController::startWorkingSession()
{
    m_sessionNumber = int(QRandomGenerator::global()->bounded(1, std::numeric_limits<int>::max()));
    openSession(State::OpeningWorking);
}

void OltLoginController::afterWorkingLogin()
{
    recordLastAddress(m_credentials.address);
    Q_EMIT ontListLoadRequested(m_appDir, m_oltKey);
    setState(State::AwaitingPrompt);
    keepAlive();
    Q_EMIT statusPanelsResetRequested();
    Q_EMIT captionHostChanged(m_credentials.address);
}

StepEngine::Outcome OltLoginController::stepWorking(int)
{
    const QString refusal = core::loginRefusal(m_session.buffer());
    if (!refusal.isEmpty()) {
        failLogin(refusal);
        return StepEngine::Outcome::SkipFrameEnd;
    }
    m_session.pacer().enqueueWait(timing::kStepPreWaitMs);
    m_session.send(preparation(kWorkingPreparation, timing::kPrepLineWaitMs));
    m_engine.arm(MainStep::kFirstUnauthorisedListing);
    Q_EMIT workingSessionReady();
    setState(State::Ready);
    return StepEngine::Outcome::Done;
}

void OltLoginController::keepAlive()
{
    m_trace.add(session::TraceTag::kKeepAlive);
    Q_EMIT saveGuardStopRequested();
    m_keepAlive.stop();
    m_keepAlive.start(timing::scaled(timing::kKeepAliveMs));
    Q_EMIT keepAliveRestarted();
    m_trace.add(session::TraceTag::end(session::TraceTag::kKeepAlive));
}

void OltLoginController::keepAliveElapsed()
{
    if (!sessionReady())
        return;
    keepAlive();
    m_session.sendLine(QStringLiteral("y"), true);
}

bool OltLoginController::formCloseQuery(int windowTag, const LoginCredentials &credentials)
{
    if (m_state == State::ClosingSave)
        return false; // the save is under way; the program ends by itself
    if (!sessionReady()) {
        m_session.connection().disconnectFromOlt();
        return true;
    }
    Q_EMIT columnWidthsSaveRequested();
    m_session.connection().disconnectFromOlt();
    if (windowTag == 100)
        return true;
    const auto answer = DialogService::instance().question(
        m_dialogParent, QStringLiteral("Wykonac SAVE na OLT ?"),
        QStringLiteral("Zamykasz program. Wykonac komende save na OLT ?\n"
                       "Po wykonaiu komendy program zamknie sie automatycznie."));
    if (answer == DialogService::Answer::No)
        return true;
    m_credentials = credentials;
    setState(State::ClosingSave);
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.clearBuffer();
    m_session.connection().connectTo(credentials.address);
    return false;
}

void OltLoginController::recordLastAddress(const QString &address)
{
    m_trace.add(session::TraceTag::kLastAddress);
    const QString path = QDir(m_appDir).filePath(kLastIpFile);
    if (address.isEmpty()) {
        QFile f(path);
        if (f.exists() && f.open(QIODevice::ReadOnly)) {
            const QStringList items = core::parseLastIpFile(QString::fromUtf8(f.readAll()));
            if (!items.isEmpty()) {
                m_lastIps = items;
                m_currentIp = items.last();
                Q_EMIT lastIpChanged(m_lastIps, m_currentIp);
            }
        }
    } else {
        const core::LastIpUpdate u = core::recordLastIp(m_lastIps, address);
        if (u.fileLine)
            writeLastIpFile(*u.fileLine);
        m_lastIps = u.items;
        m_currentIp = address;
        Q_EMIT lastIpChanged(m_lastIps, m_currentIp);
    }
    m_trace.add(session::TraceTag::end(session::TraceTag::kLastAddress));
}

void OltLoginController::writeLastIpFile(const QString &line)
{
    QSaveFile f(QDir(m_appDir).filePath(kLastIpFile));
    if (f.open(QIODevice::WriteOnly)) {
        f.write((line + QStringLiteral("\r\n")).toUtf8());
        if (f.commit())
            return;
    }
    m_session.appendLine(QStringLiteral("Nie moge zapisac %1 / Cannot write %1: %2").arg(kLastIpFile, f.errorString()));
}

} // namespace tervix::app
