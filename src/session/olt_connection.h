#pragma once

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

struct telnet_t;
union telnet_event_t;

namespace tervix::session {

// One Telnet connection to an OLT: the TCP socket plus libtelnet's protocol
// state. The OLT stores and prints names as the bytes they were typed in, and
// operators type them on Polish Windows: the console reads and writes
// Windows-1250, one byte to one character, with every Telnet command stripped
// and a 0xFF data byte escaped as IAC IAC. Failures are signals only.
class OltConnection : public QObject
{
    Q_OBJECT
public:
    explicit OltConnection(QObject *parent = nullptr);
    ~OltConnection() override;

    // "host" or "host:port". Any open connection is dropped first.
    void connectTo(const QString &address);
    void disconnectFromOlt();
    bool isConnected() const;

    // Sends text as typed (no line ending added). Dropped when not connected.
    // A character the code page cannot hold goes out as "?"; the windows
    // refuse such characters where the operator types them.
    void sendText(const QString &text);

    // How long a connect may take before it counts as failed.
    void setConnectTimeoutMs(int ms) { m_connectTimeoutMs = ms; }

Q_SIGNALS:
    void connected();
    void connectFailed(const QString &reason);
    // The established connection ended (dropped by the peer or closed here).
    void disconnected();
    void received(const QString &text);

private:
    static void telnetEvent(telnet_t *telnet, telnet_event_t *event, void *user);
    void onTelnetEvent(telnet_event_t *event);
    void onReadyRead();
    void onSocketConnected();
    void onSocketError(QAbstractSocket::SocketError error);
    void onSocketDisconnected();
    void onConnectTimeout();
    void resetTelnet();
    void freeTelnet();

    QTcpSocket *m_socket = nullptr;
    telnet_t *m_telnet = nullptr;
    QTimer m_connectTimer;
    int m_connectTimeoutMs = 10000;
    bool m_established = false;
    bool m_connecting = false;
    QByteArray m_rx;
};

} // namespace tervix::session
