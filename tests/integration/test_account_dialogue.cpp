// The account window's dialogue against the simulated OLT when it does not go
// well: a refused dialogue, a stalled one, and ANULUJ in the middle.
#include "../gui/console_fixture.h"

#include "accounts/accounts_window.h"
#include "simulator.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tervix;

namespace {

class AccountDialogue : public test::ConsoleFixture
{
protected:
    void SetUp() override
    {
        ConsoleFixture::SetUp();
        ASSERT_TRUE(sim.loadJson(R"({"barCode": "2102113130P0B7000123", "hostname": "OLT-T",
            "users": [{"name": "admin", "password": "secret1"}, {"name": "root", "password": "admin"},
                      {"name": "noc_admin", "password": "Old0ldPw"}]})"))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.listen());
        startConsole(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()), QStringLiteral("root"),
                     QStringLiteral("admin"))
            .connectToOlt();
        window = &app->accounts();
        ASSERT_TRUE(window->isVisible());
    }

    void fill(const QString &name, const QString &password)
    {
        window->newName->setText(name);
        window->newPassword->setText(password);
        window->repeatedPassword->setText(password);
    }

    oltsim::Simulator sim;
    accounts::AccountsWindow *window = nullptr;
};

TEST_F(AccountDialogue, ARefusedDialogueCreatesNothingAndLogsNothingIn)
{
    // The name is taken: the OLT refuses it, yet would still take "ssh user"
    // for the existing account and print "successfully".
    fill(QStringLiteral("noc_admin"), QStringLiteral("New1NewPw"));
    QTest::mouseClick(window->addButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 30000))
        << window->memo->toPlainText().toStdString();
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("The user already exists")))
        << dialogs.shown().first().text.toStdString();
    EXPECT_TRUE(window->addButton->isEnabled());
    QTest::qWait(timing::scaled(timing::kAccountCreatedPollMs) * 2);
    EXPECT_NE(app->main().loginField->text(), QStringLiteral("noc_admin"));
    EXPECT_FALSE(sim.receivedTexts(1).contains(QStringLiteral("ssh user noc_admin authentication-type password")));

    // The next attempt starts with an empty memo and goes through.
    dialogs.clear();
    fill(QStringLiteral("noc_second"), QStringLiteral("Str0ngPw"));
    QTest::mouseClick(window->addButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->memo->toPlainText().contains(QStringLiteral("already exists")); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->main().loginField->text() == QStringLiteral("noc_second"); }, 40000))
        << window->memo->toPlainText().toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(AccountDialogue, AStalledDialogueEndsWithAMessageAndAnulujAlwaysFreesDodaj)
{
    sim.setLoginNeverAnswers(true);
    fill(QStringLiteral("noc_third"), QStringLiteral("Str0ngPw"));
    QTest::mouseClick(window->addButton, Qt::LeftButton);
    EXPECT_FALSE(window->addButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 30000));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("does not answer")));
    EXPECT_TRUE(window->addButton->isEnabled());

    // Pressed in the middle of an attempt, ANULUJ gives DODAJ back too.
    dialogs.clear();
    QTest::mouseClick(window->addButton, Qt::LeftButton);
    EXPECT_FALSE(window->addButton->isEnabled());
    QTest::mouseClick(window->cancelButton, Qt::LeftButton);
    EXPECT_TRUE(window->addButton->isEnabled());
    EXPECT_TRUE(window->memo->toPlainText().isEmpty());
}

} // namespace
