// The console against the simulated OLT: connect, identify, prepare the
// working session, close with save, and the account window.
#include "../gui/console_fixture.h"

#include "accounts/accounts_window.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "simulator.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tervix;

namespace {

const QStringList kIdentification{"admin", "secret1", "enable", "undo smart", "scroll 512", "diagnose",
                                  "display elabel backplane 0"};
const QStringList kWorking{"admin", "secret1", "enable", "undo smart", "idle-timeout 255", "scroll 512", "config"};

class ConsoleOnOltsim : public test::ConsoleFixture
{
protected:
    void SetUp() override
    {
        ConsoleFixture::SetUp();
        ASSERT_TRUE(sim.loadJson(R"({"barCode": "2102113130P0B7000123", "hostname": "OLT-T",
            "users": [{"name": "admin", "password": "secret1"}, {"name": "root", "password": "admin"}]})"))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.listen());
        address = QStringLiteral("127.0.0.1:%1").arg(sim.serverPort());
    }

    app::MainWindow &connectAs(const QString &login, const QString &password)
    {
        app::MainWindow &w = startConsole(address, login, password);
        w.connectToOlt();
        return w;
    }

    // Waits until the working session has typed its preparation and the
    // first listing step had its turn.
    bool waitReady(app::MainWindow &w)
    {
        return QTest::qWaitFor([&] { return w.login().sessionReady() && sim.receivedTexts(2).size() >= 7; }, 20000);
    }

    oltsim::Simulator sim;
    QString address;
};

TEST_F(ConsoleOnOltsim, ConnectIdentifiesByBarCodeAndPreparesTheWorkingSession)
{
    app::MainWindow &w = connectAs(QStringLiteral("admin"), QStringLiteral("secret1"));
    ASSERT_TRUE(waitReady(w)) << w.outputMemo->toPlainText().toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(w.login().oltKey(), QStringLiteral("2102113130p0b7000123"));
    EXPECT_EQ(sim.receivedTexts(1), kIdentification);
    EXPECT_EQ(sim.receivedTexts(2).mid(0, 7), kWorking);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tervix v0.1.26-2f.9 #.") + address);
    // The memo shows what the OLT prints.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.outputMemo->toPlainText().contains(QStringLiteral("OLT-T")); }, 20000));
}

TEST_F(ConsoleOnOltsim, WrongPasswordIsRefusedAtIdentification)
{
    app::MainWindow &w = connectAs(QStringLiteral("admin"), QStringLiteral("nope"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 15000));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Bledny login lub haslo!\nUsername or password invalid."));
    EXPECT_TRUE(w.connectButton->isEnabled());
    EXPECT_EQ(sim.receivedTexts(), (QStringList{"admin", "nope"}));
}

TEST_F(ConsoleOnOltsim, ClosingWithYesSavesOnAFreshLoginThenEnds)
{
    app::MainWindow &w = connectAs(QStringLiteral("admin"), QStringLiteral("secret1"));
    ASSERT_TRUE(waitReady(w));
    // The first listing of waiting ONTs has been typed and read.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return sim.receivedTexts(2).contains(QStringLiteral("display ont autofind all")) && w.login().sessionReady()
                && w.engine().pending() == session::StepEngine::kNoStep && w.session().pacer().isIdle();
        },
        20000))
        << w.outputMemo->toPlainText().toStdString();
    sim.mutableModel().unsaved = true;
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    EXPECT_FALSE(w.close());
    ASSERT_TRUE(QTest::qWaitFor([&] { return terminated == 1; }, 20000));
    EXPECT_EQ(sim.receivedTexts(3), kWorking + QStringList{"save"});
    EXPECT_FALSE(sim.model().unsaved);
}

TEST_F(ConsoleOnOltsim, RootCreatesAnAccountThatTheMainWindowThenUses)
{
    app::MainWindow &w = connectAs(QStringLiteral("root"), QStringLiteral("admin"));
    accounts::AccountsWindow &t8 = app->accounts();
    ASSERT_TRUE(t8.isVisible());
    t8.newName->setText(QStringLiteral("noc_admin"));
    t8.newPassword->setText(QStringLiteral("Str0ngPw"));
    t8.repeatedPassword->setText(QStringLiteral("Str0ngPw"));
    QTest::mouseClick(t8.addButton, Qt::LeftButton);

    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 40000))
        << t8.memo->toPlainText().toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(t8.isVisible());
    EXPECT_EQ(w.loginField->text(), QStringLiteral("noc_admin"));
    bool found = false;
    for (const auto &u : sim.users()) {
        if (u.name == QStringLiteral("noc_admin")) {
            found = true;
            EXPECT_EQ(u.password, QStringLiteral("Str0ngPw"));
            EXPECT_TRUE(u.ssh);
        }
    }
    EXPECT_TRUE(found);
    const QStringList dialogue{"root", "admin", "enable", "undo smart", "idle-timeout 60", "scroll 512", "config",
                               "terminal user name", "noc_admin", "Str0ngPw", "Str0ngPw", "", "3", "4", "", "n",
                               "ssh user noc_admin authentication-type password"};
    EXPECT_EQ(sim.receivedTexts(1), dialogue);
}

TEST_F(ConsoleOnOltsim, SshCanBeEnabledForAnExistingAccount)
{
    sim.addUser(QStringLiteral("operator1"), QStringLiteral("oper1234"));
    connectAs(QStringLiteral("root"), QStringLiteral("admin"));
    accounts::AccountsWindow &t8 = app->accounts();
    t8.existingUser->setText(QStringLiteral("operator1"));
    QTest::mouseClick(t8.enableSshButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedTexts(1).size() >= 8; }, 20000));
    EXPECT_EQ(sim.receivedTexts(1),
              (QStringList{"root", "admin", "enable", "undo smart", "idle-timeout 60", "scroll 512", "config",
                           "ssh user operator1 authentication-type password"}));
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (const auto &u : sim.users())
            if (u.name == QStringLiteral("operator1") && u.ssh)
                return true;
        return false;
    }, 20000));
}

} // namespace
