// What a session does when the OLT's line drops, when steps of other rhythms
// run on it, and who may empty its receive buffer.
#include "core/timing.h"
#include "core/windows1250.h"
#include "scripted_telnet_peer.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tervix;
using session::OltSession;
using session::StepEngine;
using test::ScriptedTelnetPeer;

namespace {

const QString kMore = QStringLiteral("---- More ( Press 'Q' to break ) ----");

class LiveSession : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.1);
        ASSERT_TRUE(peer.listen());
        connectPeer();
    }
    void TearDown() override { timing::setScale(0); }

    void connectPeer()
    {
        QSignalSpy up(&s.connection(), &session::OltConnection::connected);
        s.connection().connectTo(peer.address());
        ASSERT_TRUE(up.wait(5000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return peer.hasClient(); }, 5000));
    }

    ScriptedTelnetPeer peer;
    OltSession s{timing::kQuietMs};
};

TEST_F(LiveSession, ADropForgetsThePendingStepTheQueuedLinesAndTheCollectedPages)
{
    StepEngine engine(s, nullptr);
    QStringList listings;
    engine.registerPagedBranch(10, [&](const QString &listing) { listings << listing; });
    QObject::connect(&peer, &ScriptedTelnetPeer::lineReceived, [&](const QString &line) {
        if (line == QStringLiteral("display first"))
            peer.sendText(QStringLiteral("\r\nOLD ROW 1\r\n") + kMore);
        else if (line == QStringLiteral("display second"))
            peer.sendText(QStringLiteral("\r\nNEW ROW\r\n\r\nOLT#"));
    });
    s.sendLine(QStringLiteral("display first"), true);
    engine.arm(10);
    // The first page is taken and the continuation typed; then the OLT is gone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.lineTexts().contains(QStringLiteral("\"")); }, 5000));
    s.send({core::PacedLine::wait(2000), core::PacedLine::send(QStringLiteral("queued before the drop"))});
    QSignalSpy down(&s.connection(), &session::OltConnection::disconnected);
    peer.dropClient();
    ASSERT_TRUE(down.wait(5000));
    EXPECT_EQ(engine.pending(), StepEngine::kNoStep);
    EXPECT_TRUE(s.pacer().isIdle());
    QTest::qWait(timing::scaled(timing::kQuietMs) * 3);
    EXPECT_TRUE(listings.isEmpty()) << "a listing cut by the drop reached its parser";

    connectPeer();
    s.sendLine(QStringLiteral("display second"), true);
    engine.arm(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !listings.isEmpty(); }, 5000));
    EXPECT_TRUE(listings.first().contains(QStringLiteral("NEW ROW")));
    EXPECT_FALSE(listings.first().contains(QStringLiteral("OLD ROW"))) << listings.first().toStdString();
    EXPECT_FALSE(peer.lineTexts().contains(QStringLiteral("queued before the drop")));
}

TEST_F(LiveSession, ARerunRunsAgainAtItsOwnRhythmWithoutNewOutput)
{
    StepEngine engine(s, nullptr);
    int runs = 0;
    engine.registerBranch(20, [&](int) { return ++runs < 3 ? StepEngine::Outcome::Rerun : StepEngine::Outcome::Done; });
    QSignalSpy ran(&engine, &StepEngine::stepRan);
    engine.arm(20, 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs == 3; }, 5000)) << runs;
    EXPECT_EQ(engine.pending(), StepEngine::kNoStep);
    QTest::qWait(200);
    EXPECT_EQ(runs, 3);
    ASSERT_EQ(ran.size(), 3);
    EXPECT_EQ(ran.first().first().toInt(), 20);
}

TEST_F(LiveSession, ABatchQueuedWhileAStepWaitsDoesNotWipeItsListing)
{
    StepEngine engine(s, nullptr);
    QString seenBy30;
    QString seenBy31;
    engine.registerBranch(30, [&](int) { seenBy30 = s.buffer(); return StepEngine::Outcome::Done; });
    engine.registerBranch(31, [&](int) { seenBy31 = s.buffer(); return StepEngine::Outcome::Done; });
    QObject::connect(&peer, &ScriptedTelnetPeer::lineReceived, [&](const QString &line) {
        peer.sendText(QStringLiteral("\r\n") + line + QStringLiteral("\r\n  answer to ") + line + QStringLiteral("\r\nOLT#"));
    });

    // A listing has come and its step waits for the OLT to fall quiet, when an
    // operator's batch, clearing as it starts, is queued.
    timing::setScale(1.0);
    s.sendLine(QStringLiteral("display listing"), true);
    engine.arm(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.buffer().contains(QStringLiteral("answer to display listing")); }, 5000));
    s.send({core::PacedLine::send(QStringLiteral("interface gpon 0/1"), 50, true),
            core::PacedLine::send(QStringLiteral("quit"))});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seenBy30.isEmpty(); }, 5000));
    EXPECT_TRUE(seenBy30.contains(QStringLiteral("answer to display listing"))) << seenBy30.toStdString();

    // A command typed for a step armed after it still starts that step afresh.
    s.sendLine(QStringLiteral("display a"), true);
    engine.arm(30);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.buffer().contains(QStringLiteral("answer to display a")); }, 5000));
    s.sendLine(QStringLiteral("display b"), true);
    engine.arm(31);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seenBy31.isEmpty(); }, 5000));
    EXPECT_TRUE(seenBy31.contains(QStringLiteral("answer to display b")));
    EXPECT_FALSE(seenBy31.contains(QStringLiteral("answer to display a")));
}

TEST_F(LiveSession, ALineQueuedBehindABatchDoesNotWipeTheAnswersItsStepReads)
{
    // A batch arms the step that judges its answers once its last line is
    // typed; the operator asks for a listing while the batch is still typed.
    StepEngine engine(s, nullptr);
    QString judged;
    engine.registerBranch(40, [&](int) { judged = s.buffer(); return StepEngine::Outcome::Done; });
    QObject::connect(&peer, &ScriptedTelnetPeer::lineReceived, [&](const QString &line) {
        peer.sendText(QStringLiteral("\r\n") + line + QStringLiteral("\r\n  answer to ") + line + QStringLiteral("\r\nOLT#"));
    });
    timing::setScale(1.0); // the answers come back within the waits between the lines
    s.send({core::PacedLine::send(QStringLiteral("ont add 1"), 300, true), core::PacedLine::send(QStringLiteral("quit"), 300)});
    s.pacer().enqueueAction([&] { engine.arm(40); });
    s.sendLine(QStringLiteral("display ont autofind all"), true);
    engine.arm(41);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !judged.isEmpty(); }, 5000));
    EXPECT_TRUE(judged.contains(QStringLiteral("answer to ont add 1"))) << judged.toStdString();
    EXPECT_TRUE(judged.contains(QStringLiteral("answer to quit"))) << judged.toStdString();
}

TEST_F(LiveSession, PolishLettersTravelAsWindows1250BothWays)
{
    const QString name = QStringLiteral("Paweł Żółć");
    s.sendLine(QStringLiteral("ont add 1 1 desc \"%1\"").arg(name), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.dataReceived().endsWith('\r') || peer.dataReceived().endsWith('\n'); }, 5000));
    EXPECT_TRUE(peer.dataReceived().contains(core::encodeWindows1250(name))) << peer.dataReceived().toHex().toStdString();

    peer.sendRaw(QByteArray("  Description : ") + core::encodeWindows1250(name) + QByteArray("\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.buffer().contains(QStringLiteral("\r\n")); }, 5000));
    EXPECT_TRUE(s.buffer().contains(name)) << s.buffer().toStdString();
}

TEST(StepEngine, NoStepRunsOnALineThatIsNotConnected)
{
    timing::setScale(0.1);
    OltSession s(timing::kQuietMs);
    StepEngine engine(s, nullptr);
    int runs = 0;
    engine.registerBranch(5, [&](int) { ++runs; return StepEngine::Outcome::Done; });
    s.replaceBuffer(QStringLiteral("text left from a line that is gone"));
    engine.arm(5);
    QTest::qWait(timing::scaled(timing::kStepTickMs) * 4);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(engine.pending(), StepEngine::kNoStep);
    timing::setScale(0);
}

TEST(StepEngine, PagesOfAnAbandonedListingAreNotTheStartOfTheNext)
{
    struct Case
    {
        const char *how;
        std::function<void(StepEngine &)> abandon;
    };
    const Case cases[] = {
        {"cancel", [](StepEngine &e) { e.cancel(); }},
        {"another code armed", [](StepEngine &e) { e.arm(11); e.stop(); }},
    };
    for (const Case &c : cases) {
        OltSession s(timing::kQuietMs);
        StepEngine engine(s, nullptr);
        QStringList listings;
        engine.registerPagedBranch(10, [&](const QString &listing) { listings << listing; });
        s.replaceBuffer(QStringLiteral("  OLD ROW\r\n") + kMore);
        engine.runStep(10); // a page: the listing goes on
        engine.stop();
        ASSERT_TRUE(listings.isEmpty()) << c.how;
        c.abandon(engine);
        s.replaceBuffer(QStringLiteral("  NEW ROW\r\nOLT#"));
        engine.runStep(10);
        ASSERT_EQ(listings.size(), 1) << c.how;
        EXPECT_FALSE(listings.first().contains(QStringLiteral("OLD ROW"))) << c.how;
        EXPECT_TRUE(listings.first().contains(QStringLiteral("NEW ROW"))) << c.how;
    }
}

} // namespace

TEST(StepEngine, AReplacedStepIsToldWithTheTextItOwned)
{
    OltSession s(timing::kQuietMs);
    StepEngine engine(s, nullptr);
    QSignalSpy replaced(&engine, &StepEngine::stepReplaced);
    s.replaceBuffer(QStringLiteral("answers step 5 waits for"));
    engine.arm(5);
    // The next request's clearing line is held back while 5 waits, then
    // applied when its step takes the slot: 5 hears of it before the clear.
    s.sendLine(QStringLiteral("display other"), true);
    engine.arm(6);
    engine.stop();
    ASSERT_EQ(replaced.size(), 1);
    EXPECT_EQ(replaced[0][0].toInt(), 5);
    EXPECT_EQ(replaced[0][1].toString(), QStringLiteral("answers step 5 waits for"));
    EXPECT_TRUE(s.buffer().isEmpty());
    engine.arm(6); // the same step again is no replacement
    engine.stop();
    EXPECT_EQ(replaced.size(), 1);
}
