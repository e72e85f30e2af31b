#include "scripted_telnet_peer.h"
#include "session/olt_connection.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

using tervix::session::OltConnection;
using tervix::test::ScriptedTelnetPeer;

namespace {

TEST(OltConnection, NegotiatesDumbTerminalAndStripsTelnetCommands)
{
    ScriptedTelnetPeer peer;
    ASSERT_TRUE(peer.listen());
    OltConnection c;
    QString received;
    QObject::connect(&c, &OltConnection::received, [&](const QString &t) { received += t; });
    QSignalSpy up(&c, &OltConnection::connected);
    c.connectTo(peer.address());
    ASSERT_TRUE(up.wait(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer.terminalType() == QStringLiteral("dumb"); }, 10000));
    EXPECT_TRUE(peer.clientAnsweredDoEcho());
    EXPECT_TRUE(peer.clientAnsweredWillTtype());
    EXPECT_TRUE(peer.clientAnsweredDoSga());

    // Commands in the middle of the text and an escaped 0xFF data byte.
    peer.sendRaw(QByteArray("abc\xff\xfb\x01" "def\xff\xff" "g", 12));
    peer.sendText(QStringLiteral("\r\nOLT>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.endsWith(QStringLiteral("OLT>")); }, 10000));
    // 0xFF is the Windows-1250 dot above.
    EXPECT_EQ(received, QStringLiteral("abcdef\u02d9g\r\nOLT>"));
}

TEST(OltConnection, SendsDataByteFFEscaped)
{
    ScriptedTelnetPeer peer;
    ASSERT_TRUE(peer.listen());
    OltConnection c;
    QSignalSpy up(&c, &OltConnection::connected);
    c.connectTo(peer.address());
    ASSERT_TRUE(up.wait(10000));
    c.sendText(QStringLiteral("x\u02d9y\r")); // the Windows-1250 byte 0xFF
    ASSERT_TRUE(QTest::qWaitFor([&] { return !peer.lines().isEmpty(); }, 10000));
    EXPECT_EQ(peer.lines().first().text, QStringLiteral("x\u00ffy"));
    EXPECT_TRUE(peer.rawReceived().contains(QByteArray("x\xff\xffy\r", 5)));
    EXPECT_FALSE(peer.dataReceived().contains('\n')); // one CR, no line feed
}

TEST(OltConnection, ReportsDropsAndFailuresAsSignals)
{
    ScriptedTelnetPeer peer;
    ASSERT_TRUE(peer.listen());
    OltConnection c;
    QSignalSpy up(&c, &OltConnection::connected);
    QSignalSpy down(&c, &OltConnection::disconnected);
    QSignalSpy failed(&c, &OltConnection::connectFailed);
    c.connectTo(peer.address());
    ASSERT_TRUE(up.wait(10000));
    peer.dropClient();
    ASSERT_TRUE(down.wait(10000));
    EXPECT_FALSE(c.isConnected());
    c.sendText(QStringLiteral("ignored\r")); // sending after a drop is harmless

    // A refused port: take a free port and close the listener again.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 closed = probe.serverPort();
    probe.close();
    c.connectTo(QStringLiteral("127.0.0.1:%1").arg(closed));
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_EQ(down.count(), 1);

    c.connectTo(QStringLiteral("not a host:99999"));
    ASSERT_TRUE(failed.wait(10000));

    // An unreachable host (a documentation-only address): either the network
    // says so at once or nothing answers and the connect time-out ends it.
    c.setConnectTimeoutMs(300);
    c.connectTo(QStringLiteral("192.0.2.1"));
    ASSERT_TRUE(failed.wait(10000));
    EXPECT_FALSE(c.isConnected());
    c.setConnectTimeoutMs(10000);

    // After failures a connect still works.
    c.connectTo(peer.address());
    ASSERT_TRUE(up.wait(10000));
    EXPECT_TRUE(c.isConnected());
}

} // namespace
