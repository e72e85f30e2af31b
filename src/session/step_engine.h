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
class StepEngine : public QObject
{
    Q_OBJECT
public:
    static constexpr int kNoStep = -1;

    enum class Outcome {
        Done,          // normal end of the frame
        SkipFrameEnd,  // early exits that leave the output-arriving mark alone and write no "-end"
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

    // Makes code the pending step and starts the tick.
    void arm(int code);
    // The two halves, for callers that set the code before sending and start later.
    void setPending(int code) { m_pending = code; }
    void start();
    void stop();
    // Stops the tick and forgets the pending step: the line it was waiting on
    // is being abandoned.
    void cancel();
    int pending() const { return m_pending; }

    // Runs one step now, with its frame.
    void runStep(int code);

    void setKeepAliveHook(std::function<void()> hook) { m_keepAlive = std::move(hook); }


private:
    void onTick();

    OltSession &m_session;
    TraceLog *m_trace;
    QString m_tag;
    QTimer m_tick;
    int m_pending = kNoStep;
    QHash<int, Branch> m_branches;
    std::function<void()> m_keepAlive;
    QString m_pagedOutput;
};

} // namespace tervix::session
