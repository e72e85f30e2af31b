#include "app/olt_login_controller.h"

#include "core/last_ip_list.h"
#include "core/olt_identity.h"
#include "core/timing.h"
#include "session/olt_session.h"
#include "session/step_codes.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>

namespace tervix::app {

using core::PacedLine;
using session::StepEngine;
using ui::DialogService;

namespace {
const QString kLastIpFile = QStringLiteral("olt-ip.ph");

core::CommandBatch preparation(const QStringList &lines, int waitMs)
{
    return core::batchOf(lines, waitMs, true);
}

const QStringList kWorkingPreparation{QStringLiteral("enable"), QStringLiteral("undo smart"),
                                      QStringLiteral("idle-timeout 255"), QStringLiteral("scroll 512"),
                                      QStringLiteral("config")};
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
        // zamknij
        m_close.stop();
        m_session.connection().disconnectFromOlt();
        if (m_terminate)
            m_terminate();
        else
            QCoreApplication::quit();
    });
    m_identDeadline.setSingleShot(true);
    connect(&m_identDeadline, &QTimer::timeout, this, &OltLoginController::identificationOverdue);
    m_openDelay.setSingleShot(true);
    connect(&m_openDelay, &QTimer::timeout, this, [this] {
        if (m_session.connection().isConnected())
            disconnectOwnLine();
        m_session.connection().connectTo(m_credentials.address);
    });

    auto &c = m_session.connection();
    connect(&c, &session::OltConnection::connected, this, &OltLoginController::onConnected);
    connect(&c, &session::OltConnection::connectFailed, this, &OltLoginController::onConnectFailed);
    connect(&c, &session::OltConnection::disconnected, this, &OltLoginController::onDisconnected);

    m_engine.registerBranch(kIdentificationStep, [this](int c) { return stepIdentification(c); });
    m_engine.registerBranch(kIdentificationPollStep, [this](int c) { return stepIdentificationPoll(c); });
    m_engine.registerBranch(kWorkingStep, [this](int c) { return stepWorking(c); });
    m_engine.setKeepAliveHook([this] { keepAlive(); });
}

void OltLoginController::setConnectEnabled(bool enabled)
{
    m_connectEnabled = enabled;
    Q_EMIT connectEnabledChanged(enabled);
}

void OltLoginController::setSessionReady(bool ready)
{
    if (m_sessionReady == ready)
        return;
    m_sessionReady = ready;
    Q_EMIT sessionReadyChanged(ready);
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
    if (m_opening == Opening::ClosingSave)
        return; // the program is ending; the closing save owns the line
    m_credentials = credentials;
    m_identLooks = 0;
    m_identifying = true;
    setConnectEnabled(false);
    m_session.clearBuffer();
    m_session.appendLine(QStringLiteral("Secure Connection -> Wait.. / Nawiązuje bezpieczne połączenie -> Czekaj.."));
    openSession(Opening::Identification);
}

void OltLoginController::identificationOverdue()
{
    // Once the poll has begun it ends by itself within its fourteen looks; only
    // an OLT that stopped answering before it (the engine waits for output that
    // never comes) leaves the attempt hanging with the button off.
    if (!m_identifying || m_identLooks > 0)
        return;
    m_identifying = false;
    abandonLine();
    disconnectOwnLine();
    m_session.replaceBuffer(QStringLiteral("[100%] Wait.. / Czekaj.."));
    DialogService::instance().error(m_dialogParent, QStringLiteral("OLT Problem Config"),
                                    QStringLiteral("Problem z konf OLT!\nOLT nie odpowiada / The OLT does not answer."));
    setConnectEnabled(true);
}

void OltLoginController::openSession(Opening what)
{
    // A new login replaces whatever the old line was still doing.
    m_opening = what;
    m_identPoll.stop();
    m_identDeadline.stop();
    abandonLine();
    m_openDelay.start(timing::scaled(timing::kLoginPreWaitMs));
}

void OltLoginController::onConnected()
{
    const LoginCredentials c = m_credentials;
    auto &pacer = m_session.pacer();
    switch (m_opening) {
    case Opening::Identification:
    case Opening::Working: {
        const int firstStep = m_opening == Opening::Identification ? kIdentificationStep : kWorkingStep;
        const bool working = m_opening == Opening::Working;
        m_opening = Opening::None;
        if (!working) // counted from the connect: a slow connect has its own time-out
            m_identDeadline.start(timing::scaled(timing::kIdentDeadlineMs));
        if (c.safeMode)
            pacer.enqueueWait(timing::kSafeModeWaitMs);
        pacer.enqueue({PacedLine::wait(timing::kLoginPreWaitMs), PacedLine::send(c.login, timing::kLoginLineGapMs, true)});
        // The first step is armed only once the password is on its way, so it
        // reads the OLT's answer to the password.
        pacer.enqueueAction([this, firstStep] { m_engine.setPending(firstStep); });
        pacer.enqueue({PacedLine::send(c.password, 0, true)});
        pacer.enqueueAction([this, working] {
            Q_EMIT typedCommandsCleared();
            m_engine.start();
            if (working) {
                Q_EMIT saveGuardStartRequested();
                afterWorkingLogin();
            }
        });
        break;
    }
    case Opening::ClosingSave: {
        pacer.enqueue({PacedLine::wait(timing::kSafeModeWaitMs), PacedLine::wait(timing::kLoginPreWaitMs),
                       PacedLine::send(c.login, timing::kStepPreWaitMs, true), PacedLine::send(c.password, 0, true)});
        pacer.enqueueAction([this] { Q_EMIT typedCommandsCleared(); });
        pacer.enqueueWait(timing::kStepPreWaitMs);
        pacer.enqueue(preparation(kWorkingPreparation, timing::kPrepLineWaitMs));
        pacer.enqueue({PacedLine::send(QStringLiteral("save"), 0, true)});
        pacer.enqueueAction([this] { m_close.start(timing::scaled(timing::kCloseAfterSaveMs)); });
        break;
    }
    case Opening::None:
        break;
    }
}

void OltLoginController::abandonLine()
{
    // Nothing waits on the old line any more: no step, no queued typing.
    m_engine.cancel();
    m_session.pacer().clear();
}

void OltLoginController::disconnectOwnLine()
{
    m_ownDisconnect = true;
    m_session.connection().disconnectFromOlt();
    m_ownDisconnect = false;
}

void OltLoginController::onConnectFailed()
{
    m_identifying = false;
    const Opening what = std::exchange(m_opening, Opening::None);
    if (what == Opening::None)
        return;
    showConnectError();
    if (what == Opening::ClosingSave) {
        if (m_terminate)
            m_terminate();
        else
            QCoreApplication::quit();
        return;
    }
    setConnectEnabled(true);
}

void OltLoginController::onDisconnected()
{
    m_session.appendLine(QStringLiteral("Rozlaczono / Disconnect"));
    setSessionReady(false);
    if (m_identifying && !m_ownDisconnect) {
        // The OLT dropped the line before it could be identified: nothing more
        // will come, so end the attempt and let the operator try again.
        m_identifying = false;
        m_identPoll.stop();
        abandonLine();
        setConnectEnabled(true);
    }
}

StepEngine::Outcome OltLoginController::stepIdentification(int)
{
    if (m_session.buffer().contains(QStringLiteral("invalid"))) {
        DialogService::instance().error(m_dialogParent, QStringLiteral("Nieprawidlowe dane"),
                                        QStringLiteral("Bledny login lub haslo!"));
        m_identifying = false;
        setConnectEnabled(true);
        return StepEngine::Outcome::SkipFrameEnd;
    }
    m_session.pacer().enqueueWait(timing::kStepPreWaitMs);
    m_session.pacer().enqueueAction([this] { Q_EMIT siblingSocketCloseRequested(); });
    m_session.send(preparation({QStringLiteral("enable"), QStringLiteral("undo smart"), QStringLiteral("scroll 512"),
                                QStringLiteral("diagnose"), QStringLiteral("display elabel backplane 0")},
                               timing::kIdentLineWaitMs));
    m_engine.arm(kIdentificationPollStep);
    return StepEngine::Outcome::Done;
}

StepEngine::Outcome OltLoginController::stepIdentificationPoll(int)
{
    m_identLooks = 1;
    m_identPoll.start(timing::scaled(timing::kIdentPollMs));
    m_session.appendLine(QStringLiteral("Config -> Wait.. / Konfiguracja -> Czekaj.."));
    return StepEngine::Outcome::Done;
}

void OltLoginController::identificationPoll()
{
    m_trace.add(QStringLiteral("a8"));
    m_identPoll.stop();
    ++m_identLooks;
    const QString memo = m_session.buffer();
    const bool seen = core::labelSeen(memo);
    if (!seen && m_identLooks < timing::kIdentMaxLooks + 1) {
        m_identPoll.start(timing::scaled(timing::kIdentPollMs));
        return;
    }
    m_session.replaceBuffer(QStringLiteral("[100%] Wait.. / Czekaj.."));
    m_identifying = false;
    if (!seen) {
        DialogService::instance().error(m_dialogParent, QStringLiteral("OLT Problem Config"),
                                        QStringLiteral("Problem z konf OLT!"));
        setConnectEnabled(true);
        return;
    }
    const QString key = core::oltKeyFromBarcode(core::barcodeFromLabel(memo));
    disconnectOwnLine();
    setConnectEnabled(true);
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
    Q_EMIT oltKeyChanged(m_oltKey);
    startWorkingSession();
    m_trace.add(QStringLiteral("a8-end"));
}

void OltLoginController::startWorkingSession()
{
    Q_EMIT workingSessionStarting();
    m_sessionNumber = int(QRandomGenerator::global()->bounded(1, std::numeric_limits<int>::max()));
    openSession(Opening::Working);
}

void OltLoginController::afterWorkingLogin()
{
    recordLastAddress(m_credentials.address);
    Q_EMIT ontConfigSettingsLoadRequested(m_appDir, m_oltKey);
    Q_EMIT ontListLoadRequested(m_appDir, m_oltKey);
    setConnectEnabled(false);
    keepAlive();
    Q_EMIT templatesLoadRequested(m_appDir, m_oltKey);
    Q_EMIT statusPanelsResetRequested();
    Q_EMIT captionHostChanged(m_credentials.address);
}

StepEngine::Outcome OltLoginController::stepWorking(int)
{
    if (m_session.buffer().contains(QStringLiteral("invalid"))) {
        DialogService::instance().error(m_dialogParent, QStringLiteral("Nieprawidlowe dane"),
                                        QStringLiteral("Bledny login lub haslo!"));
        return StepEngine::Outcome::SkipFrameEnd;
    }
    Q_EMIT signalScanRestartRequested();
    m_session.pacer().enqueueWait(timing::kStepPreWaitMs);
    m_session.pacer().enqueueAction([this] { Q_EMIT siblingSocketCloseRequested(); });
    m_session.send(preparation(kWorkingPreparation, timing::kPrepLineWaitMs));
    m_engine.arm(session::step::kFirstUnauthorisedListing);
    Q_EMIT workingSessionReady();
    setSessionReady(true);
    Q_EMIT siblingReconnectRequested();
    return StepEngine::Outcome::Done;
}

void OltLoginController::keepAlive()
{
    m_trace.add(QStringLiteral("a4"));
    Q_EMIT saveGuardStopRequested();
    m_keepAlive.stop();
    m_keepAlive.start(timing::scaled(timing::kKeepAliveMs));
    Q_EMIT keepAliveRestarted();
    m_trace.add(QStringLiteral("a4-end"));
}

void OltLoginController::keepAliveElapsed()
{
    if (!m_sessionReady)
        return;
    keepAlive();
    m_session.sendLine(QStringLiteral("y"), true);
}

bool OltLoginController::formCloseQuery(int windowTag, const LoginCredentials &credentials)
{
    if (m_opening == Opening::ClosingSave)
        return false; // the save is under way; the program ends by itself
    if (!m_sessionReady) {
        m_session.connection().disconnectFromOlt();
        return true;
    }
    Q_EMIT columnWidthsSaveRequested();
    disconnectOwnLine();
    if (windowTag == 100)
        return true;
    const auto answer = DialogService::instance().question(
        m_dialogParent, QStringLiteral("Wykonac SAVE na OLT ?"),
        QStringLiteral("Zamykasz program. Wykonac komende save na OLT ?\n"
                       "Po wykonaiu komendy program zamknie sie automatycznie."));
    if (answer == DialogService::Answer::No)
        return true;
    m_credentials = credentials;
    m_opening = Opening::ClosingSave;
    m_engine.stop();
    m_session.pacer().clear();
    m_session.connection().connectTo(credentials.address);
    return false;
}

void OltLoginController::recordLastAddress(const QString &address)
{
    m_trace.add(QStringLiteral("a17"));
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
    m_trace.add(QStringLiteral("a17-end"));
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
