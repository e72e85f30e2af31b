#include "console_fixture.h"

#include "tiny_olt.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tervix;

namespace {

class LoginSession : public test::ConsoleFixture {};

const QStringList kIdentification{"admin", "secret1", "enable", "undo smart", "scroll 512", "diagnose",
                                  "display elabel backplane 0"};
const QStringList kWorking{"admin", "secret1", "enable", "undo smart", "idle-timeout 255", "scroll 512", "config"};

TEST_F(LoginSession, ConnectIdentifiesTheOltThenPreparesTheWorkingSession)
{
    test::TinyOlt olt;
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(w.login().oltKey(), QStringLiteral("tiny01"));
    EXPECT_EQ(w.login().state(), app::OltLoginController::State::Ready);
    EXPECT_EQ(olt.connections, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return olt.peer.lines().size() >= 14; }, 20000));
    EXPECT_EQ(olt.peer.lineTexts().mid(0, 7), kIdentification);
    EXPECT_EQ(olt.peer.lineTexts().mid(7, 7), kWorking);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tervix v0.1.26-2f.9 #.") + olt.peer.address());
    EXPECT_FALSE(w.connectButton->isEnabled()); // the list load keeps it off for the rest of the run

    // The address went into the last-address file.
    QFile f(dataDir.filePath(QStringLiteral("olt-ip.ph")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), olt.peer.address() + QStringLiteral(";192.168.100.1;\r\n"));

    // Keep-alive: activity restarts the 4-hour interval; when it runs out, "y" is typed.
    EXPECT_GT(w.login().keepAliveTimer().remainingTime(), timing::scaled(timing::kKeepAliveMs) - 60000);
    const qsizetype before = olt.peer.lines().size();
    w.login().keepAliveTimer().start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return olt.peer.lines().size() > before; }, 20000));
    EXPECT_EQ(olt.peer.lines().last().text, QStringLiteral("y"));
}

TEST_F(LoginSession, WrongPasswordStopsAtIdentificationAndASecondConnectWorks)
{
    test::TinyOlt olt;
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("wrong"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 10000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Nieprawidlowe dane"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Bledny login lub haslo!\nUsername or password invalid."));
    EXPECT_EQ(w.login().state(), app::OltLoginController::State::Idle);
    EXPECT_TRUE(w.connectButton->isEnabled());
    QTest::qWait(300);
    EXPECT_EQ(olt.peer.lines().size(), 2); // nothing typed after the refused password

    dialogs.clear();
    w.passwordField->setText(QStringLiteral("secret1"));
    QTest::keyClick(w.passwordField, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(LoginSession, LineDroppedDuringLoginEndsTheAttemptAndAllowsAnother)
{
    test::TinyOlt olt;
    olt.dropAtLine = 1;
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.connectButton->isEnabled(); }, 10000));
    EXPECT_TRUE(w.outputMemo->toPlainText().contains(QStringLiteral("Rozlaczono / Disconnect")));
    EXPECT_EQ(w.login().state(), app::OltLoginController::State::Idle);
    // A login the OLT dropped failed, and the operator is told so.
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("The OLT closed the connection")));

    dialogs.clear();
    olt.dropAtLine = -1;
    QTest::mouseClick(w.connectButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(LoginSession, MissingLabelFailsAfterFourteenLooks)
{
    test::TinyOlt olt(QStringLiteral("  BoardType=H801MABR\r\n"));
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 15000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("OLT Problem Config"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Problem z konf OLT!"));
    EXPECT_EQ(w.outputMemo->toPlainText(), QStringLiteral("[100%] Wait.. / Czekaj.."));
    EXPECT_TRUE(w.connectButton->isEnabled());
    EXPECT_EQ(w.login().state(), app::OltLoginController::State::Idle);
    EXPECT_EQ(olt.connections, 1);
}

TEST_F(LoginSession, HostileBarCodeIsRefusedAndNoFileIsWritten)
{
    test::TinyOlt olt(QStringLiteral("  Description=x\r\n  BarCode=../..\r\n"));
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 15000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("OLT Problem Config"));
    EXPECT_TRUE(w.login().oltKey().isEmpty());
    QTest::qWait(300);
    EXPECT_EQ(olt.connections, 1);
    EXPECT_FALSE(w.login().sessionReady());
    EXPECT_TRUE(QDir(dataDir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    EXPECT_TRUE(QDir(dataDir.path() + QStringLiteral("/..")).entryList({QStringLiteral("data-*")}).isEmpty());
}

TEST_F(LoginSession, ClosingWithNoSendsNothingMore)
{
    test::TinyOlt olt;
    ASSERT_TRUE(olt.peer.listen());
    app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    dialogs.scriptAnswer(ui::DialogService::Answer::No);
    EXPECT_TRUE(w.close());
    QTest::qWait(500);
    EXPECT_EQ(olt.connections, 2);
    EXPECT_FALSE(olt.peer.lineTexts().contains(QStringLiteral("save")));
    EXPECT_EQ(terminated, 0);
}

} // namespace
