#include "core/timing.h"
#include "registry/save_reminder_guard.h"
#include "session/olt_session.h"
#include "session/trace_log.h"
#include "simulator.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

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
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.connection().isConnected(); }, 5000));
        for (const char *line : {"admin", "secret1", "enable", "undo smart", "config"})
            session.send({core::PacedLine::send(QString::fromLatin1(line), 200)});
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().endsWith(QStringLiteral("(config)#")); }, 5000))
            << session.buffer().toStdString();
        sim.clearReceivedLines();
    }
    void TearDown() override { timing::setScale(0); }

    int interval() const { return timing::scaled(timing::kSaveGuardMs); }

    oltsim::Simulator sim;
    session::TraceLog trace;
    session::OltSession session{timing::kQuietMs};
    registry::SaveReminderGuard guard{session, &trace};
};

TEST_F(SaveGuard, TheOltsReminderIsAnsweredWithXAndSave)
{
    sim.mutableModel().unsaved = true;
    QSignalSpy keepAlive(&guard, &registry::SaveReminderGuard::keepAliveRequested);
    trace.setKeepAll(true);
    guard.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().contains(QStringLiteral("save data before")); }, 5000));

    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedTexts().size() >= 2; }, 3 * interval() + 2000));
    EXPECT_EQ(sim.receivedTexts(), (QStringList{QStringLiteral("x"), QStringLiteral("save")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.model().unsaved; }, 3000));
    EXPECT_EQ(keepAlive.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().startsWith(QStringLiteral("system_ok[")); }, 2000));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^system_ok\\[(\\d+)\\]")).match(session.buffer());
    ASSERT_TRUE(m.hasMatch()) << session.buffer().toStdString();
    EXPECT_GE(m.captured(1).toInt(), 1);
    EXPECT_LE(m.captured(1).toInt(), 99);
    EXPECT_TRUE(guard.isActive());
    EXPECT_NE(std::find(trace.entries().begin(), trace.entries().end(), QStringLiteral("a6-end")),
              trace.entries().end());

    // Saved: no more reminders, nothing more is typed.
    QTest::qWait(2 * interval());
    EXPECT_EQ(sim.receivedTexts().size(), 2);
}

TEST_F(SaveGuard, WithoutTheReminderNothingIsSentAndTheGuardKeepsLooking)
{
    guard.start();
    QTest::qWait(3 * interval());
    EXPECT_TRUE(sim.receivedTexts().isEmpty());
    EXPECT_TRUE(guard.isActive());
    guard.stop();
    EXPECT_FALSE(guard.isActive());
}

} // namespace
