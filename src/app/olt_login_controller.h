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
// What other subsystems do at these moments is announced through signals.
class OltLoginController : public QObject
{
    Q_OBJECT
public:
    // Where a connect stands. Each state says whether the working session
    // serves commands and whether "Polacz" may be pressed.
    enum class State {
        Idle,                  // no attempt under way: the last one ended or failed
        OpeningIdentification, // the identification line is being opened
        IdentificationLogin,   // logged in blind, waiting for the OLT to answer the password
        IdentificationPoll,    // the backplane label is being looked for
        OpeningWorking,        // identified: the working line is being opened and logged into
        AwaitingPrompt,        // the working password is typed; the OLT's answer is awaited
        Ready,                 // the working session serves commands
        FirstListing,          // ready, but the first unauthorised listing still runs
        Lost,                  // the working session dropped: Enter in the password field reconnects
        ClosingSave,           // the program is ending after a "save" on a fresh line (judged by the OLT's answer)
    };

    OltLoginController(session::OltSession &session, session::StepEngine &engine, session::TraceLog &trace,
                       QString appDir, QObject *parent = nullptr);

    // "Polacz" or Enter in the password field.
    void connectToOlt(const LoginCredentials &credentials);
    // What the current session logged in with: the extra connections of other
    // windows (scanning) reach the same OLT with the same account.
    const LoginCredentials &credentials() const { return m_credentials; }
    void keepAlive();

    // The main window asks before closing: true when it may close now.
    // windowTag 100 means the OLT is rebooting and nothing is asked.
    bool formCloseQuery(int windowTag, const LoginCredentials &credentials);

    State state() const { return m_state; }
    bool sessionReady() const { return m_state == State::Ready; }
    // The unauthorised listing marks the working session busy while its first
    // listing runs (false) and usable again when it is read (true).
    void setSessionReady(bool ready);
    QString oltKey() const { return m_oltKey; }
    QString appDir() const { return m_appDir; }
    int sessionNumber() const { return m_sessionNumber; }
    bool connectEnabled() const { return m_connectEnabled; }

    // With an address, records it in the last-address list; with an empty
    // one, loads the list from its file.
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
    void typedCommandsCleared();             // the typed-commands memo is emptied after every login
    void lastIpChanged(const QStringList &items, const QString &current);
    void captionHostChanged(const QString &host);

    // Moments other subsystems hook into.
    void saveGuardStopRequested();
    void saveGuardStartRequested();
    void keepAliveRestarted();               // restart the unauthorised check and the save guard
    void ontListLoadRequested(const QString &appDir, const QString &oltKey);
    void statusPanelsResetRequested();
    void workingSessionReady();              // the OLT took the working login: profile and refresh buttons usable
    void columnWidthsSaveRequested();

private:
    void setState(State state);
    // "Polacz" stays pressed while the console itself owns the attempt.
    void setConnectEnabled(bool enabled);
    void openSession(State opening);
    void onConnected();
    void onConnectFailed();
    void onDisconnected();
    session::StepEngine::Outcome stepIdentification(int);
    session::StepEngine::Outcome stepIdentificationPoll(int);
    session::StepEngine::Outcome stepWorking(int);
    session::StepEngine::Outcome stepClosingLogin(int);
    // A login the OLT refused or dropped: the box names the reason and
    // "Polacz" is usable again.
    void failLogin(const QString &reason);
    QString refusalOrDrop() const;
    // The closing save did not happen: the operator is told before the end.
    void endUnsaved(const QString &reason);
    void identificationPoll();
    void identificationOverdue();
    void abandonLine();
    void startWorkingSession();
    void afterWorkingLogin();
    void keepAliveElapsed();
    void showConnectError();
    void writeLastIpFile(const QString &line);
    void terminate();

    session::OltSession &m_session;
    session::StepEngine &m_engine;
    session::TraceLog &m_trace;
    QString m_appDir;
    QWidget *m_dialogParent = nullptr;
    std::function<void()> m_terminate;

    LoginCredentials m_credentials;
    State m_state = State::Idle;
    bool m_connectEnabled = true;
    QString m_oltKey;
    int m_sessionNumber = 0;
    QStringList m_lastIps;
    QString m_currentIp;

    QTimer m_identPoll;       // one look for the backplane label
    int m_identLooks = 0;
    QTimer m_keepAlive;
    QTimer m_close;           // ends the program once the closing save had its time
    QTimer m_openDelay;
    QTimer m_identDeadline;   // gives up an identification the OLT never answers
    bool m_workingLineUp = false; // the working line of this attempt has connected
};

} // namespace tervix::app
