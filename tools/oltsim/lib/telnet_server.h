#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

struct telnet_t;
union telnet_event_t;
class QTcpSocket;

namespace oltsim {

class OltCore;
class CliSession;

// One client: the socket, libtelnet's protocol state (options negotiated as a
// device does: WILL ECHO, WILL SGA, DO TTYPE) and the CLI session fed with the
// decoded bytes. Output leaves at once, or in timed pieces when a fault asks.
class TelnetConnection : public QObject
{
    Q_OBJECT
public:
    TelnetConnection(OltCore &core, QTcpSocket *socket, QObject *parent = nullptr);
    ~TelnetConnection() override;

Q_SIGNALS:
    void finished();

private:
    static void telnetEvent(telnet_t *t, telnet_event_t *ev, void *user);
    void onTelnetEvent(telnet_event_t *ev);
    void send(const QByteArray &bytes);
    void enqueue(const QByteArray &bytes, int pauseAfterMs);
    void pump();
    void closeWhenFlushed();

    OltCore &m_core;
    QPointer<QTcpSocket> m_socket;
    telnet_t *m_telnet = nullptr;
    CliSession *m_session = nullptr;
    struct Piece
    {
        QByteArray bytes;
        int pauseAfterMs = 0;   // extra silence once this piece is out
    };
    QList<Piece> m_queue;
    QTimer m_pump;
    qint64 m_owedLatencyUs = 0;
    bool m_closing = false;
};

class TelnetServer : public QObject
{
    Q_OBJECT
public:
    // Connections are children of the server and go with it.
    explicit TelnetServer(OltCore &core, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    quint16 serverPort() const { return m_server.serverPort(); }
    QHostAddress serverAddress() const { return m_server.serverAddress(); }
    QString errorString() const { return m_server.errorString(); }
    QList<TelnetConnection *> connections() const { return m_connections; }

private:
    void onNewConnection();

    OltCore &m_core;
    QTcpServer m_server;
    QList<TelnetConnection *> m_connections;
};

} // namespace oltsim
