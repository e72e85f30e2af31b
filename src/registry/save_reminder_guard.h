#pragma once

#include <QObject>
#include <QTimer>

namespace tervix::session {
class OltSession;
class TraceLog;
} // namespace tervix::session

namespace tervix::registry {

// The OLT reminds the operator to save its configuration
// ("... Please save data before logout."); while the working session is open
// the guard looks at the main session's output every two minutes and, when
// the reminder stands there, answers it with "x" and "save".
//
// The main window starts it when the working session opens, stops it when a
// new connect begins, and the keep-alive restarts it; keepAliveRequested asks
// the main window to restart its keep-alive timers (which restarts the guard).
class SaveReminderGuard : public QObject
{
    Q_OBJECT
public:
    SaveReminderGuard(session::OltSession &session, session::TraceLog *trace, QObject *parent = nullptr);

    // The interval is read at each start, so a changed time scale applies.
    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }

    // One look at the output (normally run by the timer).
    void checkForReminder();

Q_SIGNALS:
    void keepAliveRequested();

private:
    session::OltSession &m_session;
    session::TraceLog *m_trace;
    QTimer m_timer;
};

} // namespace tervix::registry
