#include "console_fixture.h"

#include "app/tanc23.h"
#include "ontconfig/tanc8.h"
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
    app::Tanc1 &w = startConsole(closed, QStringLiteral("admin"), QStringLiteral("secret1"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tervix v0.1.26-2f.9"));
    QTest::mouseClick(w.bt_polacz, Qt::LeftButton);
    EXPECT_FALSE(w.bt_polacz->isEnabled());
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("Secure Connection -> Wait..")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 5000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Czy adres IP poprawny?\nNie moge uzyskac polaczenia!"));
    EXPECT_TRUE(w.bt_polacz->isEnabled());
    EXPECT_FALSE(w.login().sessionReady());

    // A second attempt, by Enter in the password field, tries again.
    dialogs.clear();
    QTest::keyClick(w.a_haslo, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 5000));
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
    app::Tanc1 &w = startConsole(QStringLiteral("127.0.0.1:%1").arg(olt.serverPort()), QStringLiteral("root"),
                                 QStringLiteral("admin"));
    QTest::mouseClick(w.bt_polacz, Qt::LeftButton);
    EXPECT_TRUE(app->accounts().isVisible());
    EXPECT_TRUE(w.bt_polacz->isEnabled());
    QTest::qWait(200);
    EXPECT_FALSE(olt.hasPendingConnections());

    // The account window refuses short names and passwords and mismatches, sending nothing.
    ontconfig::Tanc8 &t8 = app->accounts();
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
        t8.a8_a1->setText(QString::fromLatin1(c.name));
        t8.a8_a2->setText(QString::fromLatin1(c.pass));
        t8.a8_a3->setText(QString::fromLatin1(c.again));
        QTest::mouseClick(t8.Button1, Qt::LeftButton);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().caption, QString::fromLatin1(c.caption));
        EXPECT_TRUE(t8.Button1->isEnabled());
    }
    QTest::qWait(100);
    EXPECT_FALSE(olt.hasPendingConnections());
}

TEST_F(MainWindowOffline, LastAddressesComeFromTheFileAtStart)
{
    {
        app::Tanc1 &w = startConsole();
        // No file: the one default address.
        ASSERT_EQ(w.a_ip->count(), 1);
        EXPECT_EQ(w.a_ip->currentText(), QStringLiteral("192.168.100.1"));
    }
    app.reset();
    QFile f(dataDir.filePath(QStringLiteral("olt-ip.ph")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("10.9.0.2;10.9.0.1;\r\n");
    f.close();
    app::Tanc1 &w = startConsole();
    ASSERT_EQ(w.a_ip->count(), 2);
    EXPECT_EQ(w.a_ip->itemText(0), QStringLiteral("10.9.0.2"));
    EXPECT_EQ(w.a_ip->itemText(1), QStringLiteral("10.9.0.1"));
    EXPECT_EQ(w.a_ip->currentText(), QStringLiteral("10.9.0.1"));

    // Recording a listed address writes nothing; a new one goes in front, last-first.
    w.login().ostatnie_ip(QStringLiteral("10.9.0.2"));
    w.login().ostatnie_ip(QStringLiteral("10.9.0.3"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("10.9.0.3;10.9.0.1;10.9.0.2;\r\n"));
    EXPECT_EQ(w.a_ip->count(), 3);
    EXPECT_EQ(w.a_ip->currentText(), QStringLiteral("10.9.0.3"));
}

TEST_F(MainWindowOffline, DebugWindowShowsTheNewestTraceEntries)
{
    app::Tanc1 &w = startConsole();
    app::Tanc23 &dbg = app->debug();
    w.login().podtrzymaj_polaczenie();
    EXPECT_EQ(w.trace().size(), 0); // off by default
    dbg.a23_zapisuj_logii->setChecked(true);
    w.login().podtrzymaj_polaczenie();
    w.login().ostatnie_ip(QStringLiteral("10.1.1.1"));
    dbg.a23_logi_ilosc->setValue(2);
    QTest::mouseClick(dbg.pokaz_ostatnie, Qt::LeftButton);
    EXPECT_EQ(dbg.a23_logi_memo->toPlainText(),
              QStringLiteral("TERVIX -> 0.1.26-2f.9\na17-end\na17\na4-end"));
}

} // namespace
