#include "console_fixture.h"
#include "tiny_olt.h"

#include "ontconfig/account_creator.h"
#include "ontconfig/tanc8.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tervix;

namespace {

class AccountsWindow : public test::ConsoleFixture {};

TEST_F(AccountsWindow, CreatesTheAccountByTimedAnswersThenLogsTheMainWindowIn)
{
    test::TinyOlt olt;
    olt.users.insert(QStringLiteral("root"), QStringLiteral("admin"));
    ASSERT_TRUE(olt.peer.listen());
    app::Tanc1 &w = startConsole(olt.peer.address(), QStringLiteral("root"), QStringLiteral("admin"));
    w.bt_polaczClick();
    ontconfig::Tanc8 &t8 = app->accounts();
    ASSERT_TRUE(t8.isVisible());
    t8.a8_a1->setText(QStringLiteral("noc_admin"));
    t8.a8_a2->setText(QStringLiteral("Str0ngPw"));
    t8.a8_a3->setText(QStringLiteral("Str0ngPw"));
    QTest::mouseClick(t8.Button1, Qt::LeftButton);
    EXPECT_FALSE(t8.Button1->isEnabled());

    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 30000));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(t8.isVisible());
    EXPECT_EQ(w.a_login->text(), QStringLiteral("noc_admin"));
    EXPECT_EQ(olt.sshUsers, QStringList{QStringLiteral("noc_admin")});
    // The account window's own dialogue, in order, after its login.
    const QStringList expected{"root", "admin", "enable", "undo smart", "idle-timeout 60", "scroll 512", "config",
                               "terminal user name", "noc_admin", "Str0ngPw", "Str0ngPw", "", "3", "4", "", "n",
                               "ssh user noc_admin authentication-type password"};
    EXPECT_EQ(olt.peer.lineTexts().mid(0, expected.size()), expected);
    // Then the main window identifies and logs in with the new account.
    EXPECT_EQ(olt.peer.lineTexts().mid(expected.size(), 2), (QStringList{"noc_admin", "Str0ngPw"}));
}

TEST_F(AccountsWindow, EnablingSshForAnExistingUserPreparesTheTerminalFirst)
{
    test::TinyOlt olt;
    olt.users.insert(QStringLiteral("root"), QStringLiteral("admin"));
    ASSERT_TRUE(olt.peer.listen());
    startConsole(olt.peer.address(), QStringLiteral("root"), QStringLiteral("admin"));
    ontconfig::Tanc8 &t8 = app->accounts();
    t8.a8_a4->setText(QStringLiteral("operator1"));
    QTest::mouseClick(t8.Button2, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !olt.sshUsers.isEmpty(); }, 20000));
    EXPECT_EQ(olt.peer.lineTexts(),
              (QStringList{"root", "admin", "enable", "undo smart", "idle-timeout 60", "scroll 512", "config",
                           "ssh user operator1 authentication-type password"}));
    QTest::qWait(300);
    EXPECT_TRUE(t8.creator().memoText().contains(QStringLiteral("SSH WLACZONE KLIKNIJ ANULUJ I ZALOGUJ SIE NA USERA!")));
}

} // namespace
