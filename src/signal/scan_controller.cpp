#include "signal/scan_controller.h"

#include "core/cli_prompt.h"
#include "core/login_answer.h"
#include "core/ont_state_listing.h"
#include "core/port_optics.h"
#include "core/timing.h"
#include "registry/ont_list.h"
#include "session/login_sequence.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"

#include <QDate>
#include <QTime>

#include <algorithm>

namespace tervix::signal {

using core::PacedLine;
using Outcome = session::StepEngine::Outcome;

namespace {
// The steps of the scanning connection's own engine.
enum ScanStep : int {
    kLoginAnswer = 1,   // the OLT's answer to the password
    kLoginRecheck = 2,  // the answer had no prompt yet
    kReady = 3,         // the terminal is prepared
    kOntAnswer = 10,    // one ONT's optical answer
    kPortTable = 11,    // one port's optical table (paged)
    kStatusListing = 12, // the state of all ONTs (paged)
    kPromptLook = 13,   // an empty line was typed to see the prompt
};

constexpr qsizetype kMemoLimit = 64 * 1024;

QString nowText()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

QString placeOf(const core::ScanRow &r)
{
    return r.frame + u'/' + r.slot + u'/' + r.port + u'/' + r.ontId;
}
} // namespace

ScanController::ScanController(registry::OntList &list, QString appDir, session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_trace(trace)
    , m_session(timing::kExtraConnectionQuietMs)
    , m_engine(m_session, trace, session::TraceTag::kScanStep)
    , m_writer(appDir)
    , m_appDir(std::move(appDir))
{
    connect(&m_writer, &HistoryWriter::recorded, this, &ScanController::onRecorded);
    connect(&m_writer, &HistoryWriter::newestDatesRead, this, &ScanController::onNewestDates);
    m_current.ponType = QStringLiteral("gpon");
    m_current.frame = QStringLiteral("0");
    m_current.slot = QStringLiteral("4");
    m_current.port = QStringLiteral("1");
    m_current.ontId = QStringLiteral("1");

    m_engine.registerBranch(kLoginAnswer, [this](int c) { return checkLogin(c); });
    m_engine.registerBranch(kLoginRecheck, [this](int c) { return checkLogin(c); });
    m_engine.registerBranch(kReady, [this](int c) { return checkReady(c); });
    m_engine.registerBranch(kOntAnswer, [this](int c) { return onOntAnswer(c); });
    m_engine.registerPagedBranch(kPortTable, [this](const QString &listing) { onPortTable(listing); });
    m_engine.registerPagedBranch(kStatusListing, [this](const QString &listing) { onStatusListing(listing); });
    m_engine.registerBranch(kPromptLook, [this](int c) { return retryPrompt(c); });
    connect(&m_engine, &session::StepEngine::stepRan, this, [this] { progress(); });

    connect(&m_session.connection(), &session::OltConnection::connected, this, &ScanController::onConnected);
    connect(&m_session.connection(), &session::OltConnection::connectFailed, this,
            [this] { lineFailed(QStringLiteral("Brak polaczenia / Cannot connect")); });
    connect(&m_session.connection(), &session::OltConnection::disconnected, this, [this] {
        // The engine has already forgotten the step and the queued lines; the
        // watchdog reopens the line and the pass goes on where it was.
        if (m_lineOpen)
            lineFailed(QStringLiteral("Rozlaczono / The line dropped"));
    });
    connect(&m_session.connection(), &session::OltConnection::received, this, [this](const QString &text) {
        // The memo shows the current ONT's exchange; a status read of a big
        // OLT would make it megabytes, so only its tail is kept.
        if (m_memo.size() + text.size() > kMemoLimit) {
            m_memo = m_memo.right(kMemoLimit / 2) + text;
            Q_EMIT memoChanged(m_memo);
            return;
        }
        m_memo += text;
        Q_EMIT memoAppended(text);
    });

    m_watchdog.setInterval(timing::scaled(timing::kScanWatchdogTickMs));
    connect(&m_watchdog, &QTimer::timeout, this, &ScanController::onWatchdogTick);
    m_watchdogLimit = timing::kScanWatchdogLimit;
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        if (!m_list.rows().empty() && !m_refused)
            startPass();
    });
    m_delayedStart.setInterval(timing::scaled(timing::kScanDelayedStartMs));
    connect(&m_delayedStart, &QTimer::timeout, this, [this] {
        if (canStart())
            startPass();
    });
}

ScanController::~ScanController() = default;

// ---- Settings --------------------------------------------------------------

void ScanController::setFastStatus(bool on)
{
    m_fastStatus = on;
}

void ScanController::setMode(ScanMode mode)
{
    // A pass under way keeps its mode; the next one uses the new one.
    m_mode = mode;
}

void ScanController::setOntThreshold(int dbm)
{
    m_thresholds.ontRx = core::clampThreshold(dbm);
}

void ScanController::setOltThreshold(int dbm)
{
    m_thresholds.oltRx = core::clampThreshold(dbm);
}

int ScanController::repeatSeconds() const
{
    return m_fastStatus ? timing::kScanFastRepeatSeconds : timing::kScanRepeatSeconds;
}

bool ScanController::canStart() const
{
    return m_hooks.sessionReady && m_hooks.sessionReady() && m_hooks.oltKey && !m_hooks.oltKey().isEmpty();
}

void ScanController::trace(const QString &text) const
{
    if (m_trace)
        m_trace->add(session::TraceTag::kScanStep + u' ' + text);
}

void ScanController::setPassStatus(const QString &text)
{
    m_passStatus = text;
    Q_EMIT passStatusChanged(text);
}

void ScanController::setPassTime(const QString &text)
{
    m_passTime = text;
    Q_EMIT passTimeChanged(text);
}

void ScanController::setPosition(int position)
{
    m_position = position;
    Q_EMIT positionChanged(m_position, int(m_rows.size()));
}

void ScanController::setCurrent(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_current = m_rows[row];
    Q_EMIT currentChanged();
}

// ---- Starting ----------------------------------------------------------------

void ScanController::afterWorkingLogin()
{
    // A new login may come with other credentials: a refusal of the old ones
    // no longer holds.
    m_refused = false;
    const bool otherOlt = m_running && !m_rows.isEmpty() && m_hooks.oltKey && m_rows.first().oltKey != m_hooks.oltKey();
    if (otherOlt) {
        // The pass reads an OLT the console has left: its readings would
        // land in another OLT's list.
        m_running = false;
        m_completing = false;
        m_watchdog.stop();
        m_resumeRow = 0;
    }
    if (!m_running || m_position >= m_rows.size()) {
        m_restartFromFirst = true;
        m_delayedStart.start();
    }
}

void ScanController::startPass()
{
    setPassTime(QStringLiteral("[|] ") + nowText());
    if (!canStart())
        return;
    m_delayedStart.stop();
    m_repeat.stop();
    m_refused = false;
    m_stopRequested = false;
    m_critical.clear();
    Q_EMIT criticalRowsChanged();

    // The "Data/Day" column is read from the history files off the GUI
    // thread; it shows "-" for the moment it takes.
    m_rows = core::buildScanList(m_list.rows(), m_hooks.oltKey(), {});
    ++m_generation;
    m_completing = false;
    QStringList keys;
    keys.reserve(m_rows.size());
    for (const core::ScanRow &r : m_rows)
        keys << r.key();
    m_writer.readNewestDates(m_hooks.oltKey(), keys, m_generation);
    m_groups = core::groupByPort(m_rows);
    m_groupOfRow = QList<int>(m_rows.size(), -1);
    for (int g = 0; g < m_groups.size(); ++g)
        for (int r : m_groups[g].rows)
            m_groupOfRow[r] = g;
    Q_EMIT scanListRebuilt();
    setPassStatus(QString());

    int first = m_resumeRow;
    if (m_restartFromFirst || first >= m_rows.size()) {
        m_restartFromFirst = false;
        first = 0;
    } else if (first > 0) {
        setPassStatus(QStringLiteral("Kontynuaja/continue skan od/from ") + QString::number(first));
    }
    // The first pass after the program starts, and every whole-port pass,
    // begins with the state of all ONTs.
    m_statusWanted = !m_firstPassDone || m_mode == ScanMode::WholePort;
    m_firstPassDone = true;
    m_readsSinceStatus = 0;
    m_thisPass = {};
    m_passClock.start();
    m_running = true;
    setPosition(first);
    m_resumeRow = first;

    if (m_rows.isEmpty()) {
        finishPass();
        return;
    }
    const QString address = m_hooks.credentials ? m_hooks.credentials().address : QString();
    if (m_lineOpen && m_loggedIn && m_session.connection().isConnected() && address == m_lineAddress) {
        // A pass started over the one under way: what that one typed and
        // waits for is dropped, the prompt tells where the line stands.
        m_engine.cancel();
        m_session.pacer().clear();
        beginPass(first);
        return;
    }
    openLine();
}

void ScanController::openLine()
{
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    m_lineOpen = true;
    m_loggedIn = false;
    m_watchdogCount = 0;
    m_watchdog.start();
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    const session::LoginCredentials c = m_hooks.credentials ? m_hooks.credentials() : session::LoginCredentials{};
    m_lineAddress = c.address;
    m_session.connection().connectTo(c.address);
}

void ScanController::onConnected()
{
    const session::LoginCredentials c = m_hooks.credentials ? m_hooks.credentials() : session::LoginCredentials{};
    session::LoginPacing pacing;
    pacing.waitBeforeMs = c.safeMode ? timing::kScanLoginSlowWaitMs : timing::kScanLoginWaitMs;
    pacing.gapAfterUserMs = timing::kScanLoginGapMs;
    pacing.clearsBuffer = true;
    m_promptLooks = 0;
    // Nothing but the two login lines goes out before the OLT's answer to them
    // has been read: typed blind into a refused login, the next lines would be
    // taken for a user name and a password.
    session::enqueueLogin(m_session, c, pacing, [this] { m_engine.arm(kLoginAnswer, timing::scaled(timing::kScanStepTickMs)); });
}

Outcome ScanController::checkLogin(int code)
{
    const QString answer = m_session.buffer();
    const QString refusal = core::loginRefusal(answer);
    if (!refusal.isEmpty()) {
        stopRefused(refusal);
        return Outcome::SkipFrameEnd;
    }
    const core::CliMode mode = core::lastPromptMode(answer);
    if (mode != core::CliMode::User && mode != core::CliMode::Privileged) {
        // The OLT may still be printing its banner; a few more looks, then
        // the line counts as failed (not refused: nothing said so).
        if (code == kLoginAnswer || m_promptLooks < timing::kScanLoginLooks) {
            ++m_promptLooks;
            m_engine.arm(kLoginRecheck, timing::scaled(timing::kStepTickMs));
            return Outcome::Rerun;
        }
        lineFailed(QStringLiteral("OLT nie odpowiada na logowanie / The OLT does not answer the login"));
        return Outcome::SkipFrameEnd;
    }
    const QStringList preparation = session::terminalPreparation(80);
    m_session.send(core::batchOf(preparation, timing::kScanLoginGapMs));
    m_engine.arm(kReady, timing::scaled(timing::kScanStepTickMs));
    return Outcome::Done;
}

Outcome ScanController::checkReady(int)
{
    m_loggedIn = true;
    // A good login: the next stall is waited for the normal time again.
    m_watchdogLimit = timing::kScanWatchdogLimit;
    beginPass(m_resumeRow);
    return Outcome::Done;
}

void ScanController::stopRefused(const QString &reason)
{
    m_refused = true;
    m_running = false;
    m_lineOpen = false;
    m_loggedIn = false;
    m_watchdog.stop();
    m_repeat.stop();
    m_delayedStart.stop();
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    trace(QStringLiteral("login refused: ") + reason);
    setPassStatus(QStringLiteral("Logowanie odrzucone / Login refused: ") + reason);
    Q_EMIT loginRefused(reason);
}

void ScanController::lineFailed(const QString &why)
{
    // The watchdog reopens the line; until then the pass stands still.
    m_lineOpen = false;
    m_loggedIn = false;
    m_engine.cancel();
    m_session.pacer().clear();
    if (m_session.connection().isConnected())
        m_session.connection().disconnectFromOlt();
    trace(why);
    setPassStatus(why + QStringLiteral(" ") + nowText());
    if (m_running && !m_watchdog.isActive())
        m_watchdog.start();
}

// ---- The walk ------------------------------------------------------------------

void ScanController::beginPass(int firstRow)
{
    m_fallback.clear();
    if (m_mode == ScanMode::WholePort) {
        m_nextGroup = std::max(0, firstRow < m_groupOfRow.size() ? m_groupOfRow[firstRow] : 0);
        m_nextRow = -1;
    } else {
        m_nextRow = firstRow;
        m_nextGroup = -1;
    }
    if (m_jumpRow >= 0) {
        // "Scan from" outside a pass: that ONT first, then the whole list.
        m_returnRow = -1;
    }
    nextTask();
}

void ScanController::nextTask()
{
    if (!m_running)
        return;
    if (m_stopRequested) {
        endPassEarly();
        return;
    }
    if (m_statusWanted) {
        m_statusWanted = false;
        runTask({Task::Kind::Status, -1, -1});
        return;
    }
    if (m_jumpRow >= 0 && m_jumpRow < m_rows.size()) {
        const int row = std::exchange(m_jumpRow, -1);
        runTask({Task::Kind::Ont, row, -1});
        return;
    }
    if (m_returnRow >= 0) {
        // Back to the ONT that was being read when the jump was asked for.
        const int row = std::exchange(m_returnRow, -1);
        if (m_mode == ScanMode::PerOnt && row < m_rows.size()) {
            runTask({Task::Kind::Ont, row, -1});
            return;
        }
    }
    if (m_mode == ScanMode::WholePort) {
        if (!m_fallback.isEmpty()) {
            runTask({Task::Kind::Ont, m_fallback.takeFirst(), -1});
            return;
        }
        if (m_nextGroup >= 0 && m_nextGroup < m_groups.size()) {
            const int g = m_nextGroup++;
            runTask({Task::Kind::Port, -1, g});
            return;
        }
    } else if (m_nextRow >= 0 && m_nextRow < m_rows.size()) {
        runTask({Task::Kind::Ont, m_nextRow++, -1});
        return;
    }
    finishPass();
}

bool ScanController::typeFromConfig(const QStringList &lines, int answerStep, int retryStep)
{
    const core::CliMode mode = core::lastPromptMode(m_session.buffer());
    if (mode == core::CliMode::Unknown) {
        // Where the command line stands is not known (the buffer was emptied,
        // or the OLT is still printing): an empty line gets a prompt printed.
        if (m_promptLooks >= timing::kScanPromptLooks) {
            trace(QStringLiteral("no prompt; waiting for the watchdog"));
            return false;
        }
        ++m_promptLooks;
        m_session.sendLine(QString(), false);
        m_engine.arm(retryStep, timing::scaled(timing::kScanStepTickMs));
        return false;
    }
    m_promptLooks = 0;
    core::CommandBatch batch;
    bool first = true;
    // After a refused "interface" the line is still in configuration mode,
    // and a "quit" there would leave it; so the way back is read from the
    // prompt every time, never assumed.
    for (const QString &l : core::linesToConfigMode(mode)) {
        batch.append(PacedLine::send(l, 0, first));
        first = false;
    }
    for (int i = 0; i < lines.size(); ++i) {
        const bool interfaceLine = lines[i].startsWith(QStringLiteral("interface "));
        batch.append(PacedLine::send(lines[i], interfaceLine ? timing::kScanInterfaceWaitMs : 0, first));
        first = false;
    }
    m_session.send(batch);
    m_engine.arm(answerStep, timing::scaled(timing::kScanStepTickMs));
    return true;
}

void ScanController::runTask(const Task &task)
{
    m_task = task;
    m_memo.clear();
    Q_EMIT memoChanged(m_memo);
    switch (task.kind) {
    case Task::Kind::Status:
        trace(QStringLiteral("status read"));
        typeFromConfig({QStringLiteral("display ont info 0 all")}, kStatusListing, kPromptLook);
        return;
    case Task::Kind::Port: {
        const core::PortGroup &g = m_groups[task.group];
        m_resumeRow = g.rows.isEmpty() ? 0 : g.rows.first();
        setCurrent(m_resumeRow);
        typeFromConfig({QStringLiteral("interface ") + g.ponType + u' ' + g.frame + u'/' + g.slot,
                        QStringLiteral("display ont optical-info ") + g.port + QStringLiteral(" all")},
                       kPortTable, kPromptLook);
        return;
    }
    case Task::Kind::Ont: {
        const core::ScanRow &r = m_rows[task.row];
        if (m_mode == ScanMode::PerOnt)
            m_resumeRow = task.row;
        setCurrent(task.row);
        trace(QString::number(task.row + 1) + QStringLiteral(":: ") + r.slot + u'/' + r.port + u'/' + r.ontId
              + QStringLiteral(" >> ") + r.name);
        typeFromConfig({QStringLiteral("interface ") + r.ponType + u' ' + r.frame + u'/' + r.slot,
                        QStringLiteral("display ont optical-info ") + r.port + u' ' + r.ontId},
                       kOntAnswer, kPromptLook);
        return;
    }
    }
}

Outcome ScanController::retryPrompt(int)
{
    runTask(m_task);
    return Outcome::Done;
}

Outcome ScanController::onOntAnswer(int)
{
    const int row = m_task.row;
    ++m_thisPass.perOntReads;
    const core::OpticalReading reading = core::readOntOptics(m_session.buffer());
    if (reading.levels)
        storeReading(row, *reading.levels);
    else
        noReading(row, reading.reason);
    setPosition(std::max(m_position, row + 1));
    if (m_fastStatus && m_mode == ScanMode::PerOnt && ++m_readsSinceStatus >= timing::kScanStatusEvery) {
        m_readsSinceStatus = 0;
        m_statusWanted = true;
    }
    nextTask();
    return Outcome::Done;
}

void ScanController::onPortTable(const QString &listing)
{
    const core::PortGroup &g = m_groups[m_task.group];
    ++m_thisPass.portTables;
    const QList<core::PortOpticsRow> table = core::parsePortOptics(listing);
    if (table.isEmpty() && core::lastPromptMode(listing) == core::CliMode::Config) {
        // The OLT refused the interface (a board that is not there): reading
        // the port's ONTs one at a time would be refused the same way.
        for (int row : g.rows)
            noReading(row, QStringLiteral("the OLT refused the interface of its port"));
        if (!g.rows.isEmpty())
            setPosition(std::max(m_position, g.rows.last() + 1));
        nextTask();
        return;
    }
    QHash<int, core::OpticalLevels> levelsOf;
    for (const core::PortOpticsRow &t : table)
        if (t.levels)
            levelsOf.insert(t.ontId, *t.levels);
    if (table.isEmpty())
        trace(QStringLiteral("no optical table for port ") + g.frame + u'/' + g.slot + u'/' + g.port
              + QStringLiteral("; reading its ONTs one at a time"));
    for (int row : g.rows) {
        const core::ScanRow &r = m_rows[row];
        bool ok = false;
        const int id = r.ontId.toInt(&ok);
        const auto it = ok ? levelsOf.constFind(id) : levelsOf.constEnd();
        if (it != levelsOf.constEnd()) {
            storeReading(row, *it);
            continue;
        }
        // The table leaves out what it cannot measure. An ONT the state
        // listing of this pass also calls offline is off; any other is asked
        // for by itself.
        const auto state = m_lastStates.constFind(r.key());
        if (!table.isEmpty() && state != m_lastStates.constEnd() && !*state)
            storeReading(row, core::OpticalLevels::offline());
        else
            m_fallback.append(row);
    }
    if (!g.rows.isEmpty())
        setPosition(std::max(m_position, g.rows.last() + 1));
    nextTask();
}

void ScanController::onStatusListing(const QString &listing)
{
    const core::StateListing states = core::parseStateListing(listing, QStringLiteral("0"));
    m_list.applyStateListing(states);
    m_lastStates.clear();
    m_lastStates.reserve(qsizetype(states.states.size()));
    for (size_t i = 0; i < states.states.size(); ++i) {
        const core::OntLine l = states.states[i];
        m_lastStates.insert(l.frame + u'.' + l.slot + u'.' + l.port + u'.' + l.id, states.states.online(i));
    }
    if (m_hooks.recount)
        m_hooks.recount();
    trace(QStringLiteral("status read done"));
    nextTask();
}

void ScanController::storeReading(int row, const core::OpticalLevels &levels)
{
    m_watchdogCount = 0;
    m_watchdogLimit = timing::kScanWatchdogLimit;
    core::ScanRow &r = m_rows[row];
    const QString text = levels.text();
    const int image = levels.off ? core::RowImage::Offline : core::RowImage::Online;
    r.levels = text;
    r.image = image;
    ++m_thisPass.readings;

    // The main window may have logged into another OLT since the pass began:
    // its list is not this OLT's.
    const bool sameOlt = m_hooks.oltKey && m_hooks.oltKey() == r.oltKey;
    const int listRow = sameOlt ? core::findRowNear(m_list.rows(), r.sourceRow, r.key()) : -1;
    if (listRow >= 0) {
        const core::OntRecord &rec = m_list.record(listRow);
        m_list.setImage(listRow, image);
        m_list.setLevels(listRow, text);
        m_list.setSignal(listRow, core::tileDescriptionAfterReading(rec.signalCell, levels, m_thresholds),
                         core::signalInfoText(core::classifySignal(levels, m_thresholds)));
        m_list.setBasicImage(listRow, image);
    }

    m_writer.record({r.oltKey, r.frame, r.slot, r.port, r.ontId, levels, QDate::currentDate(), row}, m_generation);

    if (!levels.off && core::isCriticalReading(levels, m_thresholds)) {
        m_critical.append({placeOf(r), r.name, text});
        Q_EMIT criticalRowsChanged();
    }
    Q_EMIT scanRowChanged(row);
}

void ScanController::noReading(int row, const QString &reason)
{
    ++m_thisPass.noReading;
    trace(QStringLiteral("no reading for ") + m_rows[row].key() + QStringLiteral(": ") + reason);
}

void ScanController::onRecorded(int row, quint64 generation, const SignalHistoryStore::RecordResult &result)
{
    if (generation == m_generation && row >= 0 && row < m_rows.size()) {
        core::ScanRow &r = m_rows[row];
        if (result.outcome == SignalHistoryStore::RecordResult::Outcome::Written) {
            r.lastDay = core::historyDate(QDate::currentDate());
            Q_EMIT scanRowChanged(row);
        } else if (result.outcome == SignalHistoryStore::RecordResult::Outcome::Refused) {
            // The pass goes on: a file that cannot be written loses one day.
            trace(QStringLiteral("history of ") + r.key() + QStringLiteral(" not written: ") + result.reason);
        }
    }
    if (m_completing && m_writer.pending() == 0)
        completePass();
}

void ScanController::onNewestDates(quint64 generation, const QStringList &dates)
{
    if (generation != m_generation || dates.size() != m_rows.size())
        return;
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].lastDay.isEmpty() || m_rows[i].lastDay == QStringLiteral("-"))
            m_rows[i].lastDay = dates[i];
    Q_EMIT scanListRebuilt();
    if (m_completing && m_writer.pending() == 0)
        completePass();
}

void ScanController::finishPass()
{
    // The pass is over once its readings are in the history files too.
    m_completing = true;
    if (m_writer.pending() == 0)
        completePass();
}

void ScanController::completePass()
{
    m_completing = false;
    m_running = false;
    m_resumeRow = 0;
    m_watchdog.stop();
    m_watchdogCount = 0;
    m_thisPass.elapsedMs = m_passClock.isValid() ? m_passClock.elapsed() : 0;
    m_lastPass = m_thisPass;
    setPosition(int(m_rows.size()));
    const int seconds = repeatSeconds();
    m_repeat.start(timing::scaled(seconds * 1000));
    const QTime next = QTime::currentTime().addSecs((seconds / 60) * 60);
    setPassTime(QStringLiteral("[n.s.: ") + next.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" ]"));
    trace(QStringLiteral("pass done: %1 readings, %2 without, %3 ms")
              .arg(m_thisPass.readings)
              .arg(m_thisPass.noReading)
              .arg(m_thisPass.elapsedMs));
    if (m_hooks.recount)
        m_hooks.recount();
    Q_EMIT passFinished(!m_critical.isEmpty());
}

void ScanController::endPassEarly()
{
    // The main list is being replaced: the scan list no longer describes it.
    m_stopRequested = false;
    m_running = false;
    m_resumeRow = 0;
    m_watchdog.stop();
    m_repeat.start(timing::scaled(repeatSeconds() * 1000));
}

// ---- Operator's requests during a pass -----------------------------------------------

void ScanController::scanFrom(int row)
{
    if (row < 0)
        return;
    if (m_running && row < m_rows.size()) {
        m_jumpRow = row;
        m_returnRow = m_mode == ScanMode::PerOnt ? m_resumeRow : -1;
        if (m_mode == ScanMode::PerOnt)
            m_nextRow = m_resumeRow + 1;
        return;
    }
    if (!canStart())
        return;
    m_jumpRow = row;
    m_returnRow = -1;
    m_resumeRow = 0;
    m_restartFromFirst = true;
    startPass();
}

void ScanController::stopRequest()
{
    m_restartFromFirst = true;
    m_resumeRow = 0;
    m_watchdog.stop();
    m_repeat.start(timing::scaled(repeatSeconds() * 1000));
    if (m_running)
        m_stopRequested = true;
}

// ---- The watchdog ------------------------------------------------------------------

void ScanController::progress()
{
    m_watchdogCount = 0;
}

void ScanController::onWatchdogTick()
{
    ++m_watchdogCount;
    if (m_watchdogCount <= m_watchdogLimit || m_rows.isEmpty())
        return;
    restartStalledPass();
}

void ScanController::restartStalledPass()
{
    m_watchdog.stop();
    m_running = false;
    m_watchdogCount = 0;
    // Each reopening that brings no reading waits twice as long before the
    // next, so an OLT that does not answer is not logged into every half minute.
    m_watchdogLimit = std::min(m_watchdogLimit * 2 + 1, timing::kScanWatchdogLimitMax);
    trace(QStringLiteral("watchdog: reopening the line"));
    const QString when = QStringLiteral("zw: ") + nowText() + u' ' + core::historyDate(QDate::currentDate());
    m_lineOpen = false;
    m_loggedIn = false;
    m_statusWanted = false;
    m_engine.cancel();
    m_session.pacer().clear();
    m_session.connection().disconnectFromOlt();
    const int resume = m_resumeRow;
    startPass();
    if (m_running) {
        setPassStatus(when + QStringLiteral(" - Kontynuaja/continue skan od/from ") + QString::number(resume));
        m_resumeRow = resume;
    }
}

} // namespace tervix::signal
