#include "core/timing.h"
#include "registry/save_guard.h"
#include "scripted_telnet_peer.h"
#include "session/olt_session.h"
#include "session/trace_log.h"
#include "test_paths.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace tervix;

namespace {

class SaveGuard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.01); // the two-minute look every 1.2 s
        ASSERT_TRUE(peer.listen());
        session.connection().connectTo(peer.address());
        ASSERT_TRUE(QTest::qWaitFor([&] { return session.connection().isConnected() && peer.hasClient(); }, 5000));
    }
    void TearDown() override { timing::setScale(0); }

    int interval() const { return timing::scaled(timing::kSaveGuardMs); }

    test::ScriptedTelnetPeer peer;
    session::TraceLog trace;
    session::OltSession session{timing::kQuietMs};
    registry::StraznikSave guard{session, &trace};
};

TEST_F(SaveGuard, TheOltsReminderIsAnsweredWithXAndSave)
{
    // The OLT's own words when it is left with unsaved changes.
    const QString logout = test::readSample(QStringLiteral("DOC_smart_prompt_and_logout__netmiko_issue609.txt"));
    const qsizetype at = logout.indexOf(QStringLiteral("huawei>quit"));
    ASSERT_GE(at, 0);
    QSignalSpy keepAlive(&guard, &registry::StraznikSave::keepAliveRequested);
    trace.setKeepAll(true);
    guard.start();
    peer.sendText(logout.mid(at, 160));
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().contains(QStringLiteral("save data before")); }, 3000));

    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.lines().size() >= 2; }, 3 * interval() + 2000));
    EXPECT_EQ(peer.lineTexts(), (QStringList{QStringLiteral("x"), QStringLiteral("save")}));
    EXPECT_EQ(keepAlive.size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.buffer().startsWith(QStringLiteral("system_ok[")); }, 2000));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^system_ok\\[(\\d+)\\]$")).match(session.buffer());
    ASSERT_TRUE(m.hasMatch()) << session.buffer().toStdString();
    EXPECT_GE(m.captured(1).toInt(), 1);
    EXPECT_LE(m.captured(1).toInt(), 99);
    EXPECT_TRUE(guard.isActive());
    EXPECT_NE(std::find(trace.entries().begin(), trace.entries().end(), QStringLiteral("a6-end")), trace.entries().end());

    // The reminder is gone from the memo: the next looks send nothing more.
    QTest::qWait(2 * interval());
    EXPECT_EQ(peer.lines().size(), 2);
}

TEST_F(SaveGuard, WithoutTheReminderNothingIsSentAndTheGuardKeepsLooking)
{
    guard.start();
    peer.sendText(QStringLiteral("\r\nMA5608T(config)#display board 0\r\n  Please save the data\r\nMA5608T(config)#"));
    QTest::qWait(3 * interval());
    EXPECT_TRUE(peer.lines().isEmpty());
    EXPECT_TRUE(guard.isActive());
    guard.stop();
    EXPECT_FALSE(guard.isActive());
}

} // namespace
