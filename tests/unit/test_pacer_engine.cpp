#include "core/timing.h"
#include "scripted_telnet_peer.h"
#include "core/paging.h"
#include "session/command_pacer.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tervix;
using session::OltSession;
using session::StepEngine;
using test::ScriptedTelnetPeer;

namespace {

// Runs at real production timings unless a test scales them.
class Connected : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(1.0);
        ASSERT_TRUE(peer.listen());
        QSignalSpy up(&s.connection(), &session::OltConnection::connected);
        s.connection().connectTo(peer.address());
        ASSERT_TRUE(up.wait(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.terminalType() == QStringLiteral("dumb"); }, 10000));
    }
    void TearDown() override { timing::setScale(0); }

    ScriptedTelnetPeer peer;
    OltSession s{timing::kQuietMs};
};

TEST_F(Connected, PacerKeepsOrderAndNeverInterleavesBatches)
{
    s.send({core::PacedLine::send(QStringLiteral("a1"), 150), core::PacedLine::send(QStringLiteral("a2"), 80),
            core::PacedLine::send(QStringLiteral("a3"), 0)});
    s.send(core::batchOf({QStringLiteral("b1"), QStringLiteral("b2")}, 50));
    s.sendLine(QStringLiteral("c1"), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.lines().size() == 6; }, 20000));
    EXPECT_EQ(peer.lineTexts(), (QStringList{"a1", "a2", "a3", "b1", "b2", "c1"}));
    EXPECT_TRUE(s.pacer().isIdle());
}

// The waits are measured where the pacer hands the lines over, on a monotonic
// clock like the one it waits by: a gap seen at a peer shrinks when the earlier
// line is read late on a busy machine, the gap between two hand-overs cannot.
// Only lower bounds: a busy machine may make any wait longer.
TEST(CommandPacer, EveryLineWaitsAtLeastItsTimeAfterThePreviousOne)
{
    QElapsedTimer clock;
    clock.start();
    QStringList sent;
    QList<qint64> sentAtNs;
    session::CommandPacer pacer([&](const QString &line, bool) {
        sent << line;
        sentAtNs << clock.nsecsElapsed();
    });
    pacer.enqueue({core::PacedLine::send(QStringLiteral("a1"), 150), core::PacedLine::send(QStringLiteral("a2"), 80),
                   core::PacedLine::send(QStringLiteral("a3"), 0)});
    pacer.enqueue(core::batchOf({QStringLiteral("b1"), QStringLiteral("b2")}, 50));
    pacer.enqueueWait(120);
    pacer.enqueue({core::PacedLine::send(QStringLiteral("c1"), 0)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pacer.isIdle(); }, 20000));
    ASSERT_EQ(sent, (QStringList{"a1", "a2", "a3", "b1", "b2", "c1"}));
    const auto gapMs = [&](int i) { return double(sentAtNs[i] - sentAtNs[i - 1]) / 1e6; };
    EXPECT_GE(gapMs(1), timing::scaled(150));
    EXPECT_GE(gapMs(2), timing::scaled(80));
    EXPECT_GE(gapMs(4), timing::scaled(50));
    EXPECT_GE(gapMs(5), timing::scaled(50) + timing::scaled(120)); // a bare wait adds to the line's own
}

// The pacer neither sleeps nor spins an event loop of its own: enqueue hands
// over the first line and returns, and between two lines the application's
// event loop runs. A probe posted as a line goes out runs before the next line.
TEST(CommandPacer, ReturnsToTheEventLoopBetweenLines)
{
    QStringList sent;
    QList<qsizetype> sentWhenProbeRan;
    session::CommandPacer pacer([&](const QString &line, bool) {
        sent << line;
        QTimer::singleShot(0, [&] { sentWhenProbeRan << sent.size(); });
    });
    bool postedBeforeRan = false;
    QTimer::singleShot(0, [&] { postedBeforeRan = true; });
    QStringList lines;
    for (int i = 0; i < 6; ++i)
        lines << QStringLiteral("line %1").arg(i);
    pacer.enqueue(core::batchOf(lines, 30));
    EXPECT_EQ(sent, QStringList{"line 0"});
    EXPECT_FALSE(pacer.isIdle());
    EXPECT_FALSE(postedBeforeRan) << "enqueue ran the event loop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return pacer.isIdle() && sentWhenProbeRan.size() == lines.size(); }, 20000));
    EXPECT_EQ(sent, lines);
    EXPECT_EQ(sentWhenProbeRan, (QList<qsizetype>{1, 2, 3, 4, 5, 6}));
}

// Wall time on purpose, so it runs alone (see tests/CMakeLists.txt): a pacer
// that slept inside its timer callback would pass the test above but stall the
// event loop for a whole wait. The waits are long and the limit is half of one,
// far above what a busy machine adds to a 5 ms timer.
TEST_F(Connected, WallClockEventLoopStaysResponsiveWhilePacingABatch)
{
    constexpr int kWaitMs = 300;
    QStringList lines;
    for (int i = 0; i < 8; ++i)
        lines << QStringLiteral("display ont info 0 1 %1 all").arg(i);
    qint64 worst = 0;
    QElapsedTimer gap;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worst = qMax(worst, gap.restart());
    });
    gap.start();
    probe.start();
    s.send(core::batchOf(lines, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.lines().size() == lines.size(); }, 30000));
    probe.stop();
    EXPECT_LT(worst, kWaitMs / 2) << "longest event-loop stall in ms";
}

// Wall time (an upper bound), so it runs alone: see tests/CMakeLists.txt.
TEST_F(Connected, WallClockStepArmedDuringOutputRunsOnlyAfterTheQuietPeriod)
{
    StepEngine engine(s, nullptr);
    QElapsedTimer clock;
    qint64 lastData = -1, ranAt = -1;
    QString seen;
    engine.registerBranch(7, [&](int) {
        ranAt = clock.elapsed();
        seen = s.buffer();
        return StepEngine::Outcome::Done;
    });
    QObject::connect(&s.connection(), &session::OltConnection::received, [&] { lastData = clock.elapsed(); });
    clock.start();
    QTimer chatter;
    int sent = 0;
    QObject::connect(&chatter, &QTimer::timeout, [&] {
        peer.sendText(QStringLiteral("line %1\r\n").arg(sent));
        if (++sent == 5)
            chatter.stop();
    });
    chatter.start(200);
    engine.arm(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ranAt >= 0; }, 20000));
    EXPECT_EQ(sent, 5);
    // lastData is taken by a second receiver, a little after the session saw
    // the data. The upper bound is one quiet period and one tick, with room for
    // a loaded machine, yet short of a second quiet period and tick.
    EXPECT_GE(ranAt - lastData, timing::kQuietMs - 20);
    EXPECT_LE(ranAt - lastData, timing::kQuietMs + timing::kStepTickMs + 600);
    EXPECT_TRUE(seen.contains(QStringLiteral("line 4")));
    EXPECT_TRUE(seen.startsWith(QStringLiteral("\r\nline 0"))); // an empty memo gains an empty line first
}

TEST_F(Connected, ArmingReplacesThePendingStepAndTheStepWaitsForThePacer)
{
    timing::setScale(0.2);
    StepEngine engine(s, nullptr);
    QList<int> ran;
    qsizetype linesAtStep = -1;
    for (int code : {5, 6}) {
        engine.registerBranch(code, [&](int c) {
            ran << c;
            linesAtStep = peer.lines().size();
            return StepEngine::Outcome::Done;
        });
    }
    s.send(core::batchOf({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}, 1500));
    engine.arm(5);
    engine.arm(6);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ran.isEmpty(); }, 10000));
    EXPECT_EQ(ran, QList<int>{6});
    EXPECT_EQ(linesAtStep, 3);
    EXPECT_TRUE(s.pacer().isIdle());
    EXPECT_EQ(engine.pending(), StepEngine::kNoStep);
    // After a step, the next one waits for new output.
    EXPECT_TRUE(s.outputArriving());
}

TEST_F(Connected, PagedListingsAreContinuedJoinedAndHandedOverOneByOne)
{
    timing::setScale(0.1);
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    // The first continuation brings page 2 and, for its carriage return, one
    // more line; the second brings the end, and its carriage return a prompt.
    int continuation = 0;
    QObject::connect(&peer, &ScriptedTelnetPeer::lineReceived, [&](const QString &line) {
        if (line.startsWith(QStringLiteral("display"))) {
            continuation = 0;
            peer.sendText(QStringLiteral("\r\n") + line + QStringLiteral("\r\n  row 1\r\n") + prompt);
        } else if (line == QLatin1StringView(core::kPageContinueKey) && ++continuation == 1) {
            peer.sendText(erase + QStringLiteral("  row 2\r\n") + prompt + erase + QStringLiteral("  row 3\r\n") + prompt);
        } else if (continuation == 2) {
            peer.sendText(erase + QStringLiteral("  end\r\n\r\nOLT#\r\nOLT#"));
        }
    });
    StepEngine engine(s, nullptr);
    QStringList listings;
    engine.registerPagedBranch(10, [&](const QString &listing) { listings << listing; });
    for (const QString &command : {QStringLiteral("display one"), QStringLiteral("display two")}) {
        s.sendLine(command, true);
        engine.arm(10);
        const qsizetype before = listings.size();
        ASSERT_TRUE(QTest::qWaitFor([&] { return listings.size() > before; }, 10000))
            << peer.lineTexts().join(u'|').toStdString() << " buffer: " << s.buffer().toStdString();
    }
    ASSERT_EQ(listings.size(), 2);
    // The second listing starts afresh: nothing of the first is left in it.
    EXPECT_TRUE(listings[0].contains(QStringLiteral("display one")));
    EXPECT_FALSE(listings[1].contains(QStringLiteral("display one")));
    for (const QString &l : listings) {
        EXPECT_TRUE(l.contains(QStringLiteral("  row 1\r\n  row 2\r\n  row 3\r  end\r\n"))) << l.toStdString();
        EXPECT_FALSE(l.contains(QStringLiteral("More ( Press")));
    }
    EXPECT_EQ(peer.lineTexts(), (QStringList{"display one", "\"", "\"", "display two", "\"", "\""}));
}

TEST(CommandPacer, ClearForgetsQueuedWorkButNotWhatTheClearingItemQueuesAfter)
{
    QStringList sent;
    session::CommandPacer pacer([&](const QString &line, bool) { sent << line; });
    QSignalSpy idle(&pacer, &session::CommandPacer::idle);
    pacer.enqueue({core::PacedLine::send(QStringLiteral("a"), 50), core::PacedLine::send(QStringLiteral("b"), 0)});
    pacer.clear();
    EXPECT_TRUE(pacer.isIdle());
    EXPECT_EQ(idle.size(), 1);
    QTest::qWait(100);
    EXPECT_EQ(sent, QStringList{"a"});

    // A new login replaces the old line from inside a queued action: what the
    // action queues after its clear still goes out, what stood behind it does not.
    sent.clear();
    pacer.enqueueWait(20);
    pacer.enqueueAction([&] {
        pacer.clear();
        pacer.enqueue({core::PacedLine::send(QStringLiteral("new"), 10)});
    });
    pacer.enqueue({core::PacedLine::send(QStringLiteral("stale"), 0)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pacer.isIdle(); }, 10000));
    EXPECT_EQ(sent, QStringList{"new"});
}

TEST(StepEngine, ClearingSendWithoutSessionEmptiesBufferAndSendsNothing)
{
    OltSession s(timing::kQuietMs);
    s.replaceBuffer(QStringLiteral("old answer"));
    s.sendLine(QStringLiteral("display board 0"), true);
    EXPECT_TRUE(s.buffer().isEmpty());
    EXPECT_TRUE(s.pacer().isIdle()); // dropped, not kept for a later connection

    // The frame runs for a code without a branch, and the trace shows it.
    session::TraceLog trace;
    trace.setKeepAll(true);
    StepEngine engine(s, &trace);
    int keepAlive = 0;
    engine.setKeepAliveHook([&] { ++keepAlive; });
    engine.runStep(42);
    EXPECT_EQ(keepAlive, 1);
    EXPECT_EQ(trace.size(), 2);
    EXPECT_EQ(trace.entries().back(), QStringLiteral("a1-end"));
}

TEST(StepEngine, ACodeKeepsItsFirstBranch)
{
    OltSession s(timing::kQuietMs);
    StepEngine engine(s, nullptr);
    QStringList ran;
    EXPECT_TRUE(engine.registerBranch(7, [&](int) {
        ran << QStringLiteral("first");
        return StepEngine::Outcome::Done;
    }));
    EXPECT_FALSE(engine.registerBranch(7, [&](int) {
        ran << QStringLiteral("second");
        return StepEngine::Outcome::Done;
    }));
    EXPECT_FALSE(engine.registerPagedBranch(7, [&](const QString &) { ran << QStringLiteral("paged"); }));
    engine.runStep(7);
    EXPECT_EQ(ran, QStringList{QStringLiteral("first")});
}

TEST(TraceLog, OffByDefaultAndBounded)
{
    session::TraceLog t;
    t.add(QStringLiteral("a1"));
    EXPECT_EQ(t.size(), 0);
    t.setKeepAll(true);
    t.setMirror(true);
    for (int i = 0; i < 6000; ++i)
        t.add(QStringLiteral("a%1").arg(i));
    EXPECT_EQ(t.size(), session::TraceLog::kMaxEntries);
    EXPECT_EQ(t.entries().front(), QStringLiteral("a1000"));
    // The mirror trims while it holds more than its bound, then appends.
    EXPECT_EQ(t.mirrorLines().size(), session::TraceLog::kMirrorLines + 1);
    EXPECT_EQ(t.mirrorLines().last(), QStringLiteral("a5999"));
    const QStringList shown = t.newestFirst(QStringLiteral("TERVIX -> x"), 3);
    EXPECT_EQ(shown, (QStringList{"TERVIX -> x", "a5999", "a5998", "a5997", "a5996"}));
}

} // namespace
