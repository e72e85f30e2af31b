#include "console_fixture.h"

#include "app/debug_log_window.h"
#include "accounts/accounts_window.h"
#include "session/olt_session.h"
#include "session/trace_log.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>

using namespace tervix;

namespace {

class MainWindowOffline : public test::ConsoleFixture {};

TEST_F(MainWindowOffline, RefusedPortGivesTheConnectionBoxAndLeavesTheWindowUsable)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    app::MainWindow &w = startConsole(closed, QStringLiteral("admin"), QStringLiteral("secret1"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tervix v0.1.26-2f.9"));
    QTest::mouseClick(w.connectButton, Qt::LeftButton);
    EXPECT_FALSE(w.connectButton->isEnabled());
    EXPECT_TRUE(w.outputMemo->toPlainText().contains(QStringLiteral("Secure Connection -> Wait..")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 20000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Czy adres IP poprawny?\nNie moge uzyskac polaczenia!"));
    EXPECT_TRUE(w.connectButton->isEnabled());
    EXPECT_FALSE(w.login().sessionReady());

    // A second attempt, by Enter in the password field, tries again.
    dialogs.clear();
    QTest::keyClick(w.passwordField, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 20000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));

    // Closing without a session asks nothing.
    dialogs.clear();
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(MainWindowOffline, RootLoginOpensTheAccountWindowInsteadOfConnecting)
{
    QTcpServer olt;
    ASSERT_TRUE(olt.listen(QHostAddress::LocalHost, 0));
    app::MainWindow &w = startConsole(QStringLiteral("127.0.0.1:%1").arg(olt.serverPort()), QStringLiteral("root"),
                                 QStringLiteral("admin"));
    QTest::mouseClick(w.connectButton, Qt::LeftButton);
    EXPECT_TRUE(app->accounts().isVisible());
    EXPECT_TRUE(w.connectButton->isEnabled());
    QTest::qWait(200);
    EXPECT_FALSE(olt.hasPendingConnections());

    // The account window refuses short names and passwords and mismatches, sending nothing.
    accounts::AccountsWindow &t8 = app->accounts();
    struct Case
    {
        const char *name, *pass, *again, *caption;
    } cases[] = {
        {"admn5", "secret1", "secret1", "Uzytkownik"},
        {"admin6", "short", "short", "Haslo!"},
        {"admin6", "secret1", "secret2", "Haslo!"},
    };
    for (const Case &c : cases) {
        dialogs.clear();
        t8.newName->setText(QString::fromLatin1(c.name));
        t8.newPassword->setText(QString::fromLatin1(c.pass));
        t8.repeatedPassword->setText(QString::fromLatin1(c.again));
        QTest::mouseClick(t8.addButton, Qt::LeftButton);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().caption, QString::fromLatin1(c.caption));
        EXPECT_TRUE(t8.addButton->isEnabled());
    }
    QTest::qWait(100);
    EXPECT_FALSE(olt.hasPendingConnections());
}

TEST_F(MainWindowOffline, LastAddressesComeFromTheFileAtStart)
{
    {
        app::MainWindow &w = startConsole();
        // No file: the one default address.
        ASSERT_EQ(w.addressField->count(), 1);
        EXPECT_EQ(w.addressField->currentText(), QStringLiteral("192.168.100.1"));
    }
    app.reset();
    QFile f(dataDir.filePath(QStringLiteral("olt-ip.ph")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("10.9.0.2;10.9.0.1;\r\n");
    f.close();
    app::MainWindow &w = startConsole();
    ASSERT_EQ(w.addressField->count(), 2);
    EXPECT_EQ(w.addressField->itemText(0), QStringLiteral("10.9.0.2"));
    EXPECT_EQ(w.addressField->itemText(1), QStringLiteral("10.9.0.1"));
    EXPECT_EQ(w.addressField->currentText(), QStringLiteral("10.9.0.1"));

    // Recording a listed address writes nothing; a new one goes in front, last-first.
    w.login().recordLastAddress(QStringLiteral("10.9.0.2"));
    w.login().recordLastAddress(QStringLiteral("10.9.0.3"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("10.9.0.3;10.9.0.1;10.9.0.2;\r\n"));
    EXPECT_EQ(w.addressField->count(), 3);
    EXPECT_EQ(w.addressField->currentText(), QStringLiteral("10.9.0.3"));
}

TEST_F(MainWindowOffline, DebugWindowShowsTheNewestTraceEntries)
{
    app::MainWindow &w = startConsole();
    app::DebugLogWindow &dbg = app->debug();
    w.login().keepAlive();
    EXPECT_EQ(w.trace().size(), 0); // off by default
    dbg.keepAll->setChecked(true);
    w.login().keepAlive();
    w.login().recordLastAddress(QStringLiteral("10.1.1.1"));
    dbg.entryCount->setValue(2);
    QTest::mouseClick(dbg.showNewestButton, Qt::LeftButton);
    EXPECT_EQ(dbg.memo->toPlainText(),
              QStringLiteral("TERVIX -> 0.1.26-2f.9\na17-end\na17\na4-end"));
}

} // namespace
