// Logins the OLT refuses or drops, and closing with "save" when the save
// cannot happen: the operator is told, and "Polacz" is usable again.
#include "console_fixture.h"

#include "scripted_telnet_peer.h"
#include "session/olt_session.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

using namespace tervix;

namespace {

// An OLT whose answer to each connection's password the test sets: the n-th
// connection gets passwordAnswers[n] (a normal prompt when there is none) and
// is hung up after it when hangUps[n] is set.
class ScriptedLoginOlt : public QObject
{
public:
    static inline const QString kPrompt = QStringLiteral("\r\n\r\nOLT>");
    QStringList passwordAnswers;
    QList<bool> hangUps;

    ScriptedLoginOlt()
    {
        QObject::connect(&peer, &test::ScriptedTelnetPeer::clientConnected, this, [this] {
            ++connections;
            linesAtConnect = peer.lines().size();
            peer.sendText(QStringLiteral(">>User name:"));
        });
        QObject::connect(&peer, &test::ScriptedTelnetPeer::lineReceived, this, [this](const QString &l) {
            const qsizetype n = peer.lines().size() - linesAtConnect;
            const int c = connections - 1;
            if (n == 1) {
                peer.sendText(QStringLiteral("\r\n>>User password:"));
            } else if (n == 2) {
                peer.sendText(passwordAnswers.value(c, kPrompt));
                if (hangUps.value(c, false))
                    QTimer::singleShot(50, &peer, [this] { peer.dropClient(); });
            } else if (l == QStringLiteral("display elabel backplane 0")) {
                peer.sendText(l + QStringLiteral(" \r\n  Description=MA5608T\r\n  BarCode=FULL01\r\n\r\nOLT(diagnose)%%"));
            } else {
                peer.sendText(l + QStringLiteral(" \r\n\r\nOLT(config)#"));
            }
        });
    }

    test::ScriptedTelnetPeer peer;
    int connections = 0;
    qsizetype linesAtConnect = 0;
};

class RefusedLogin : public test::ConsoleFixture {};

TEST_F(RefusedLogin, ARefusedOrDroppedWorkingLoginFailsWithTheReason)
{
    struct Case
    {
        const char *what;
        QString answer;
        bool hangUp;
        QString reason;
    };
    const Case cases[] = {
        {"refused, then hung up", QStringLiteral("\r\nReenter times have reached the upper limit.\r\n\r\n>>User name:"),
         true, QStringLiteral("Reenter times have reached the upper limit.")},
        {"refused, line kept", QStringLiteral("\r\nReenter times have reached the upper limit.\r\n\r\n>>User name:"),
         false, QStringLiteral("Reenter times have reached the upper limit.")},
        {"hung up in silence", QString(), true, QStringLiteral("The OLT closed the connection")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedLoginOlt olt;
        olt.passwordAnswers = {ScriptedLoginOlt::kPrompt, c.answer}; // identification, working
        olt.hangUps = {false, c.hangUp};
        ASSERT_TRUE(olt.peer.listen());
        dialogs.clear();
        app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
        w.connectToOlt();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 20000));
        EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Nieprawidlowe dane"));
        EXPECT_TRUE(dialogs.shown().first().text.startsWith(QStringLiteral("Bledny login lub haslo!")));
        EXPECT_TRUE(dialogs.shown().first().text.contains(c.reason)) << dialogs.shown().first().text.toStdString();
        EXPECT_EQ(w.login().state(), app::OltLoginController::State::Idle);
        EXPECT_TRUE(w.connectButton->isEnabled());
        EXPECT_FALSE(w.login().sessionReady());
        if (!c.answer.isEmpty()) {
            EXPECT_TRUE(w.outputMemo->toPlainText().contains(c.reason)) << w.outputMemo->toPlainText().toStdString();
        }
        // Nothing was typed on the working line after its password.
        QTest::qWait(timing::scaled(timing::kQuietMs) * 2);
        const QStringList typed = olt.peer.lineTexts();
        EXPECT_EQ(typed.mid(typed.lastIndexOf(QStringLiteral("secret1")) + 1), QStringList());
        app.reset();
    }
}

TEST_F(RefusedLogin, ClosingWithSaveTellsWhenTheConfigurationWasNotSaved)
{
    struct Case
    {
        const char *what;
        bool unreachable;
        QString password;
    };
    const Case cases[] = {
        {"the OLT cannot be reached", true, QStringLiteral("secret1")},
        {"the login is refused", false, QStringLiteral("wrong")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedLoginOlt olt;
        // Identification and working sessions go well; the closing line's login is refused.
        olt.passwordAnswers = {ScriptedLoginOlt::kPrompt, ScriptedLoginOlt::kPrompt,
                               QStringLiteral("\r\nUsername or password invalid.\r\n\r\n>>User name:")};
        ASSERT_TRUE(olt.peer.listen());
        app::MainWindow &w = startConsole(olt.peer.address(), QStringLiteral("admin"), QStringLiteral("secret1"));
        w.connectToOlt();
        ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 20000));
        dialogs.clear();
        terminated = 0;
        if (c.unreachable) {
            QTcpServer taken;
            ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
            const quint16 closedPort = taken.serverPort();
            taken.close();
            w.addressField->setEditText(QStringLiteral("127.0.0.1:%1").arg(closedPort));
        }
        w.passwordField->setText(c.password);
        dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
        EXPECT_FALSE(w.close());
        ASSERT_TRUE(QTest::qWaitFor([&] { return terminated == 1; }, 20000));
        ASSERT_FALSE(dialogs.shown().isEmpty());
        const QString told = dialogs.shown().last().text;
        EXPECT_TRUE(told.contains(QStringLiteral("NOT saved"))) << told.toStdString();
        EXPECT_EQ(terminated, 1);
        app.reset();
    }
}

} // namespace
