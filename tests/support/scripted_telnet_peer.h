#pragma once

#include "qt_printers.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

struct telnet_t;
union telnet_event_t;
class QTcpSocket;

namespace tervix::test {

// A minimal Telnet server for tests of the connection itself: it negotiates as
// a device would (WILL ECHO, WILL SGA, DO TTYPE), asks for the terminal type,
// records every line the client typed with the time it arrived, and sends
// whatever the test scripts. One client at a time.
class ScriptedTelnetPeer : public QObject
{
    Q_OBJECT
public:
    struct Line
    {
        QString text;
        qint64 atMs = 0; // since the client connected
    };

    explicit ScriptedTelnetPeer(QObject *parent = nullptr);
    ~ScriptedTelnetPeer() override;

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    void sendText(const QString &latin1Text);   // Telnet-escaped data
    void sendRaw(const QByteArray &bytes);      // bytes exactly as given (may hold IAC commands)
    void dropClient();

    bool hasClient() const { return m_client != nullptr; }
    const QList<Line> &lines() const { return m_lines; }
    QStringList lineTexts() const;
    QByteArray rawReceived() const { return m_raw; }
    QString terminalType() const { return m_ttype; }
    bool clientAnsweredDoEcho() const { return m_doEcho; }
    bool clientAnsweredWillTtype() const { return m_willTtype; }
    bool clientAnsweredDoSga() const { return m_doSga; }
    // Decoded data bytes received (everything, including line ends).
    QByteArray dataReceived() const { return m_data; }

Q_SIGNALS:
    void clientConnected();
    void lineReceived(const QString &line);

private:
    static void event(telnet_t *t, telnet_event_t *ev, void *user);
    void onEvent(telnet_event_t *ev);
    void onNewConnection();

    QTcpServer m_server;
    QTcpSocket *m_client = nullptr;
    telnet_t *m_telnet = nullptr;
    QElapsedTimer m_clock;
    QList<Line> m_lines;
    QByteArray m_partial;
    QByteArray m_raw;
    QByteArray m_data;
    QString m_ttype;
    bool m_doEcho = false;
    bool m_willTtype = false;
    bool m_doSga = false;
};

} // namespace tervix::test
