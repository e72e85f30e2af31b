#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include "session/trace_tags.h"

#include <functional>

namespace tervix::session {

class OltSession;
class TraceLog;

// The console reads the OLT blindly: it types a command, arms a step code, and
// the step runs once the OLT has been quiet for the quiet period (and the
// pacer has typed everything queued). There is one pending-step slot: arming
// replaces whatever was pending, -1 means none.
//
// The subsystems that own step codes register their branches here; a code
// without a branch runs only the frame. A run is framed:
// stop the tick, clear the slot, trace the tag, call the keep-alive hook, run
// the branch, then mark output as arriving (so the next step waits for new
// output) and trace tag + "-end", unless the branch asks to skip that last part.
//
// A step never runs on a line that is not connected: when the connection
// drops, the pending step, the typing still queued and any half-collected
// paged listing are all forgotten, so no parser is handed a listing the drop
// cut short.
class StepEngine : public QObject
{
    Q_OBJECT
public:
    static constexpr int kNoStep = -1;

    enum class Outcome {
        Done,          // normal end of the frame
        SkipFrameEnd,  // early exits that leave the output-arriving mark alone and write no "-end"
        Rerun,         // run this step again at the next tick, even if the OLT prints nothing more
    };
    using Branch = std::function<Outcome(int code)>;
    using ListingParser = std::function<void(const QString &listing)>;

    StepEngine(OltSession &session, TraceLog *trace, QString traceTag = TraceTag::kMainStep,
               QObject *parent = nullptr);

    // A code has one owner: a second branch for a code already registered is
    // refused (false, and a warning), so that two subsystems sharing an engine
    // cannot silently disable each other.
    bool registerBranch(int code, Branch branch);
    // A paged listing: the branch continues pages by itself and hands the whole
    // listing, pages joined, to the parser.
    bool registerPagedBranch(int code, ListingParser parser);

    // Makes code the pending step and starts the tick; a connection of another
    // rhythm (scanning, automation) may tick at its own interval.
    void arm(int code);
    void arm(int code, int intervalMs);
    // Starts the tick again for the pending step.
    void start();
    void stop();
    // Stops the tick and forgets the pending step and any pages collected for
    // it: the line it was waiting on is being abandoned.
    void cancel();
    int pending() const { return m_pending; }

    // Runs one step now, with its frame.
    void runStep(int code);

    void setKeepAliveHook(std::function<void()> hook) { m_keepAlive = std::move(hook); }

Q_SIGNALS:
    // A step ran (after its branch): watchdogs of hanging passes listen here.
    void stepRan(int code);
    // Another step took the slot of `code` before it ran: its owner will not
    // be called back. text is the receive buffer as that step owned it,
    // before a clear held back for the new step empties it.
    void stepReplaced(int code, const QString &text);

private:
    void onTick();
    void onDisconnected();
    void forgetPages();

    OltSession &m_session;
    TraceLog *m_trace;
    QString m_tag;
    QTimer m_tick;
    int m_pending = kNoStep;
    QHash<int, Branch> m_branches;
    std::function<void()> m_keepAlive;
    QString m_pagedOutput;
    int m_pagedCode = kNoStep;  // the step the collected pages belong to
    int m_intervalMs = 0;
    // The pending step owns the text of the pacer's items up to this number:
    // a clearing line queued behind them does not wipe it (the clear is held
    // back until another step takes the slot).
    quint64 m_ownedUpTo = 0;
};

} // namespace tervix::session
