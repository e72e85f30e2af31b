#include "core/timing.h"
#include "registry/save_reminder_guard.h"
#include "session/olt_session.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"
#include "simulator.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

using namespace tervix;

namespace {

// The main session logged into the simulated OLT in config mode; the OLT
// reminds every second while it holds unsaved changes.
class SaveGuard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.01); // the two-minute look every 1.2 s
        ASSERT_TRUE(sim.loadJson(R"({"barCode": "GUARD01", "saveReminderSeconds": 1,
                                     "users": [{"name": "admin", "password": "secret1"}]})"))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.listen());
        session.connection().connectTo(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.connection().isConnected(); }, 20000));
        for (const char *line : {"admin", "secret1", "enable", "undo smart", "config"})
            session.send({core::PacedLine::send(QString::fromLatin1(line), 200)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().endsWith(QStringLiteral("(config)#")); }, 20000))
            << session.buffer().toStdString();
        sim.clearReceivedLines();
        trace.setKeepAll(true);
    }
    void TearDown() override { timing::setScale(0); }

    int interval() const { return timing::scaled(timing::kSaveGuardMs); }
    // Looks the guard finished so far (the trace keeps every entry).
    qsizetype looks() const
    {
        return std::count(trace.entries().begin(), trace.entries().end(),
                          session::TraceTag::end(session::TraceTag::kSaveReminderCheck));
    }
    // Waits for the guard to look n more times: what it does at a look
    // (answer or not) is decided by then. Generous: a look is due every interval.
    bool waitLooks(qsizetype n)
    {
        const qsizetype target = looks() + n;
        return QTest::qWaitFor([&] { return looks() >= target; }, (n + 1) * interval() + 20000);
    }

    oltsim::Simulator sim;
    session::TraceLog trace;
    session::OltSession session{timing::kQuietMs};
    registry::SaveReminderGuard guard{session, &trace};
};

TEST_F(SaveGuard, TheOltsReminderIsAnsweredWithXAndSave)
{
    sim.mutableModel().unsaved = true;
    QSignalSpy keepAlive(&guard, &registry::SaveReminderGuard::keepAliveRequested);
    guard.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().contains(QStringLiteral("save data before")); }, 20000));

    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedTexts().size() >= 2; }, 3 * interval() + 20000));
    EXPECT_EQ(sim.receivedTexts(), (QStringList{QStringLiteral("x"), QStringLiteral("save")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.model().unsaved; }, 20000));
    EXPECT_EQ(keepAlive.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().startsWith(QStringLiteral("system_ok[")); }, 20000));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^system_ok\\[(\\d+)\\]")).match(session.buffer());
    ASSERT_TRUE(m.hasMatch()) << session.buffer().toStdString();
    EXPECT_GE(m.captured(1).toInt(), 1);
    EXPECT_LE(m.captured(1).toInt(), 99);
    EXPECT_TRUE(guard.isActive());
    EXPECT_NE(std::find(trace.entries().begin(), trace.entries().end(), QStringLiteral("a6-end")),
              trace.entries().end());

    // Saved: no more reminders. The guard keeps looking and answers nothing:
    // every answer starts with the keep-alive request, and nothing is typed.
    ASSERT_TRUE(waitLooks(2));
    EXPECT_EQ(keepAlive.size(), 1);
    EXPECT_TRUE(session.pacer().isIdle());
    EXPECT_EQ(sim.receivedTexts().size(), 2);
}

TEST_F(SaveGuard, WithoutTheReminderNothingIsSentAndTheGuardKeepsLooking)
{
    QSignalSpy keepAlive(&guard, &registry::SaveReminderGuard::keepAliveRequested);
    const QString before = session.buffer();
    guard.start();
    // A guard that never looked would pass on silence alone: it must have
    // looked, more than once, and left the output and the OLT alone.
    ASSERT_TRUE(waitLooks(2)) << "the guard never looked at the output";
    EXPECT_TRUE(keepAlive.isEmpty());
    EXPECT_TRUE(session.pacer().isIdle());
    EXPECT_EQ(session.buffer(), before);
    EXPECT_TRUE(sim.receivedTexts().isEmpty());
    EXPECT_TRUE(guard.isActive());
    guard.stop();
    EXPECT_FALSE(guard.isActive());
}

} // namespace
