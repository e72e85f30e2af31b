#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "session/login_credentials.h"
#include "session/step_engine.h"

#include <functional>

class QWidget;

namespace tervix::session {
class OltSession;
class StepEngine;
class TraceLog;
} // namespace tervix::session

namespace tervix::app {

using LoginCredentials = session::LoginCredentials;

// The main window's session to the OLT: a connect first runs an identification
// session that reads the backplane bar code (the OLT's key for its files), then
// the working session that prepares the terminal and serves every later
// command. Also the keep-alive, the last-address list and closing with "save".
//
// What other subsystems do at these moments is announced through signals;
// a subsystem that is not built yet simply leaves its signal unconnected.
class OltLoginController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIdentificationStep = -100;
    static constexpr int kIdentificationPollStep = -101;
    static constexpr int kWorkingStep = 1;

    OltLoginController(session::OltSession &session, session::StepEngine &engine, session::TraceLog &trace,
                       QString appDir, QObject *parent = nullptr);

    // connectToOlt / Enter in the password field.
    void connectToOlt(const LoginCredentials &credentials);
    void keepAlive();

    // FormCloseQuery: true when the window may close now. windowTag 100 means
    // the OLT is rebooting and nothing is asked.
    bool formCloseQuery(int windowTag, const LoginCredentials &credentials);

    bool sessionReady() const { return m_sessionReady; }
    void setSessionReady(bool ready);
    QString oltKey() const { return m_oltKey; }
    QString appDir() const { return m_appDir; }
    int sessionNumber() const { return m_sessionNumber; }
    bool connectEnabled() const { return m_connectEnabled; }

    // recordLastAddress: with an address, records it; with an empty one, loads the file.
    void recordLastAddress(const QString &address);
    QStringList lastIpItems() const { return m_lastIps; }
    void setLastIpItems(const QStringList &items) { m_lastIps = items; }

    // Where the dialogs are parented; the program's end after the closing save.
    void setDialogParent(QWidget *w) { m_dialogParent = w; }
    void setTerminate(std::function<void()> f) { m_terminate = std::move(f); }

    QTimer &keepAliveTimer() { return m_keepAlive; }

Q_SIGNALS:
    void connectEnabledChanged(bool enabled);
    void accountWindowRequested();           // login "root": use the accounts window instead
    void typedCommandsCleared();             // TypedCommandsWindow's memo is emptied after every login
    void lastIpChanged(const QStringList &items, const QString &current);
    void captionHostChanged(const QString &host);
    void sessionReadyChanged(bool ready);
    void oltKeyChanged(const QString &key);

    // Moments other subsystems hook into.
    void saveGuardStopRequested();
    void saveGuardStartRequested();
    void keepAliveRestarted();               // restart the unauthorised check and the save guard
    void siblingSocketCloseRequested();
    void siblingReconnectRequested();
    void workingSessionStarting();           // before the working login: configuration window, session number
    void ontConfigSettingsLoadRequested(const QString &appDir, const QString &oltKey);
    void ontListLoadRequested(const QString &appDir, const QString &oltKey);
    void templatesLoadRequested(const QString &appDir, const QString &oltKey);
    void statusPanelsResetRequested();
    void signalScanRestartRequested();       // step 1: a scan pass about a second after login
    void workingSessionReady();              // step 1 done: profile and refresh buttons usable
    void columnWidthsSaveRequested();

private:
    enum class Opening { None, Identification, Working, ClosingSave };

    void openSession(Opening what);
    void onConnected();
    void onConnectFailed();
    void onDisconnected();
    session::StepEngine::Outcome stepIdentification(int);
    session::StepEngine::Outcome stepIdentificationPoll(int);
    session::StepEngine::Outcome stepWorking(int);
    void identificationPoll();
    void identificationOverdue();
    void abandonLine();
    void startWorkingSession();
    void afterWorkingLogin();
    void keepAliveElapsed();
    void setConnectEnabled(bool enabled);
    void showConnectError();
    void writeLastIpFile(const QString &line);
    void disconnectOwnLine();

    session::OltSession &m_session;
    session::StepEngine &m_engine;
    session::TraceLog &m_trace;
    QString m_appDir;
    QWidget *m_dialogParent = nullptr;
    std::function<void()> m_terminate;

    LoginCredentials m_credentials;
    Opening m_opening = Opening::None;
    bool m_sessionReady = false;
    bool m_connectEnabled = true;
    bool m_listLoaded = false;
    bool m_identifying = false;   // from "Polacz" until the bar code is read or the attempt fails
    bool m_ownDisconnect = false; // the console itself is closing the line
    QString m_oltKey;
    int m_sessionNumber = 0;
    QStringList m_lastIps;
    QString m_currentIp;

    QTimer m_identPoll;          // tim_ssn
    int m_identLooks = 0;    // tim_ssn.Tag
    QTimer m_keepAlive;    // tim_podtrzymaj_polaczenie
    QTimer m_close;        // tim_zamknij
    QTimer m_openDelay;
    QTimer m_identDeadline; // gives up an identification the OLT never answers
};

} // namespace tervix::app
