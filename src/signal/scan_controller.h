#pragma once

#include "core/optical_reading.h"
#include "core/scan_list.h"
#include "core/signal_class.h"
#include "session/login_credentials.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "signal/history_writer.h"
#include "signal/signal_history_store.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

namespace tervix::session {
class TraceLog;
}
namespace tervix::registry {
class OntList;
}

namespace tervix::signal {

// How a pass reads the levels.
enum class ScanMode {
    WholePort, // one "display ont optical-info P all" per port, one ONT at a time where the table falls short
    PerOnt,    // one "display ont optical-info P ID" per ONT
};

// A row of the pass's critical-signal list.
struct CriticalRow
{
    QString place;  // "F/S/P/ID"
    QString name;
    QString levels; // the pair text
    bool operator==(const CriticalRow &) const = default;
};

// The signal scanner: a connection of its own to the OLT the main window is
// logged into, walking over every ONT of the main list and reading its
// optical levels. Each reading goes into the scan list, the main list (its
// levels, images and class texts) and the ONT's history file; the critical
// ones into the pass's critical list. Between readings the state of all ONTs
// is read at once, so the online/offline images stay fresh.
//
// Nothing here waits: every line goes out through the session's pacer and
// every answer is read by a step of the scanner's own engine once the OLT
// has been quiet. A watchdog reconnects a pass that stopped making progress
// and goes on with the ONT it was reading. A refused login stops scanning and
// tells the operator; it is not retried blindly.
class ScanController : public QObject
{
    Q_OBJECT
public:
    // What the scanner asks of the main window's session.
    struct Hooks
    {
        std::function<bool()> sessionReady;
        std::function<QString()> oltKey;
        std::function<session::LoginCredentials()> credentials;
        // Recount of the counters strip after a pass or a status read.
        std::function<void()> recount;
    };

    ScanController(registry::OntList &list, QString appDir, session::TraceLog *trace = nullptr,
                   QObject *parent = nullptr);
    ~ScanController() override;

    Hooks &hooks() { return m_hooks; }
    session::OltSession &session() { return m_session; }

    // ---- The operator's actions ---------------------------------------
    // "Odswiez/Refresh all": starts a pass (a no-op without a ready working
    // session and a known OLT; a pending delayed start retries every second).
    void startPass();
    // "Scan from / Skanuj od" on scan-list row `row`. During a pass the row
    // is read once, then the pass goes back to the ONT it was reading; outside
    // a pass the row is read first and then the whole list from the top.
    void scanFrom(int row);
    // The import is about to replace the main list: the next pass starts at
    // the first ONT and the current one ends after the ONT being read.
    void stopRequest();
    // "(Beta) Status Fast Scan": a status read every ten readings, passes
    // every 8 minutes instead of every hour.
    void setFastStatus(bool on);
    bool fastStatus() const { return m_fastStatus; }
    void setMode(ScanMode mode);
    ScanMode mode() const { return m_mode; }
    // The threshold boxes: what they show is what the classes use.
    void setOntThreshold(int dbm);
    void setOltThreshold(int dbm);
    const core::SignalThresholds &thresholds() const { return m_thresholds; }

    // The main window's working session has logged in: a pass that is not
    // half done starts again from the first ONT about a second later.
    void afterWorkingLogin();

    // ---- What the window shows ------------------------------------------
    const QList<core::ScanRow> &scanRows() const { return m_rows; }
    // 1-based number of the ONT being read (0 before the first).
    int position() const { return m_position; }
    // The ONT being read: type, frame, slot, port, id.
    const core::ScanRow &current() const { return m_current; }
    const QList<CriticalRow> &criticalRows() const { return m_critical; }
    bool running() const { return m_running; }
    // The pass status line (continue position, reconnect, watchdog, refused login).
    const QString &passStatus() const { return m_passStatus; }
    // The start time of the pass, then the time of the next one.
    const QString &passTime() const { return m_passTime; }
    // The text exchanged for the ONT being read.
    const QString &memo() const { return m_memo; }

    // Measured figures of the last complete pass.
    struct PassFigures
    {
        qint64 elapsedMs = 0;
        int readings = 0;     // ONTs given levels or "off"
        int noReading = 0;    // answers that held no reading (logged)
        int portTables = 0;   // ports read with one whole-port table
        int perOntReads = 0;  // single-ONT commands typed
    };
    const PassFigures &lastPass() const { return m_lastPass; }

Q_SIGNALS:
    void scanListRebuilt();
    void scanRowChanged(int row);
    void positionChanged(int position, int maximum);
    void currentChanged();
    void criticalRowsChanged();
    void passStatusChanged(const QString &text);
    void passTimeChanged(const QString &text);
    // The memo was replaced (emptied for the next ONT, or cut to its tail),
    // or text was added to its end.
    void memoChanged(const QString &text);
    void memoAppended(const QString &text);
    // A pass ended with the critical list empty (false) or not (true): the
    // critical panel stops or starts blinking.
    void passFinished(bool hasCritical);
    // The OLT refused the scanning login: scanning stopped until the operator
    // starts a pass or the main window logs in again.
    void loginRefused(const QString &reason);

private:
    // What the pass reads next.
    struct Task
    {
        enum class Kind { Ont, Port, Status } kind = Kind::Ont;
        int row = -1;    // Ont: the scan row
        int group = -1;  // Port: the port group
    };

    // Opening the line and logging in.
    void openLine();
    void onConnected();
    session::StepEngine::Outcome checkLogin(int code);
    session::StepEngine::Outcome checkReady(int code);
    void stopRefused(const QString &reason);
    void lineFailed(const QString &why);

    // The pass.
    void beginPass(int firstRow);
    void nextTask();
    void runTask(const Task &task);
    // Brings the line to configuration mode and types lines after that; false
    // when the prompt could not be read yet (an empty line was typed to get one).
    bool typeFromConfig(const QStringList &lines, int answerStep, int retryStep);
    session::StepEngine::Outcome onOntAnswer(int code);
    void onPortTable(const QString &listing);
    void onStatusListing(const QString &listing);
    session::StepEngine::Outcome retryPrompt(int code);
    void storeReading(int row, const core::OpticalLevels &levels);
    void noReading(int row, const QString &reason);
    void finishPass();
    void completePass();
    void onRecorded(int row, quint64 generation, const SignalHistoryStore::RecordResult &result);
    void onNewestDates(quint64 generation, const QStringList &dates);
    void endPassEarly();
    void setPosition(int position);
    void setCurrent(int row);
    void setPassStatus(const QString &text);
    void setPassTime(const QString &text);
    void trace(const QString &text) const;
    void progress();
    void onWatchdogTick();
    void restartStalledPass();
    int repeatSeconds() const;
    bool canStart() const;

    registry::OntList &m_list;
    session::TraceLog *m_trace;
    Hooks m_hooks;
    session::OltSession m_session;
    session::StepEngine m_engine;
    HistoryWriter m_writer;
    QString m_appDir;
    quint64 m_generation = 0;    // of the scan list: results for an older one are dropped
    bool m_completing = false;   // the walk is done, the history writes are not

    core::SignalThresholds m_thresholds;
    ScanMode m_mode = ScanMode::WholePort;
    bool m_fastStatus = false;

    QList<core::ScanRow> m_rows;
    QList<core::PortGroup> m_groups;
    QList<int> m_groupOfRow;
    core::ScanRow m_current;
    QList<CriticalRow> m_critical;
    int m_position = 0;
    bool m_running = false;
    QString m_passStatus;
    QString m_passTime;
    QString m_memo;
    PassFigures m_lastPass;
    PassFigures m_thisPass;
    QElapsedTimer m_passClock;

    // The walk.
    QString m_lineAddress;         // where the scanning line is connected
    bool m_lineOpen = false;       // the scanning line is connected and logged in (or logging in)
    bool m_loggedIn = false;
    bool m_refused = false;        // the OLT refused the login: no automatic start until told
    bool m_firstPassDone = false;  // a pass has started since the program started
    bool m_restartFromFirst = false;
    bool m_stopRequested = false;
    int m_resumeRow = 0;           // the row (per ONT) or first row of the port (whole port) being read
    int m_nextRow = 0;             // per ONT: the next row of the walk
    int m_nextGroup = 0;           // whole port: the next port group
    QList<int> m_fallback;         // whole port: rows the port's table left to read one at a time
    int m_jumpRow = -1;            // "Scan from" during a pass
    int m_returnRow = -1;          // where the walk goes on after the jump
    int m_readsSinceStatus = 0;
    bool m_statusWanted = false;
    Task m_task;
    int m_promptLooks = 0;
    QHash<QString, bool> m_lastStates; // "F.S.P.ID" -> online, from this pass's status read

    QTimer m_watchdog;
    int m_watchdogCount = 0;
    int m_watchdogLimit = 0;
    QTimer m_repeat;
    QTimer m_delayedStart;
};

} // namespace tervix::signal
