#include "session/olt_connection.h"

#include "core/olt_address.h"
#include "core/windows1250.h"

#include <libtelnet.h>

namespace tervix::session {

namespace {
// We announce a terminal type and suppress-go-ahead; the OLT echoes, we do not.
const telnet_telopt_t kTelopts[] = {
    {TELNET_TELOPT_ECHO, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_NAWS, TELNET_WONT, TELNET_DONT},
    {-1, 0, 0},
};
} // namespace

OltConnection::OltConnection(QObject *parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &OltConnection::onConnectTimeout);
    connect(m_socket, &QTcpSocket::readyRead, this, &OltConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::connected, this, &OltConnection::onSocketConnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &OltConnection::onSocketError);
    connect(m_socket, &QTcpSocket::disconnected, this, &OltConnection::onSocketDisconnected);
}

OltConnection::~OltConnection()
{
    m_socket->disconnect(this);
    m_socket->abort();
    freeTelnet();
}

void OltConnection::freeTelnet()
{
    if (m_telnet) {
        telnet_free(m_telnet);
        m_telnet = nullptr;
    }
}

void OltConnection::resetTelnet()
{
    freeTelnet();
    m_telnet = telnet_init(kTelopts, &OltConnection::telnetEvent, 0, this);
}

void OltConnection::connectTo(const QString &address)
{
    disconnectFromOlt();
    const core::OltAddress a = core::parseOltAddress(address);
    if (!a.valid) {
        QMetaObject::invokeMethod(this, [this, address] {
            Q_EMIT connectFailed(QStringLiteral("invalid address: %1").arg(address));
        }, Qt::QueuedConnection);
        return;
    }
    resetTelnet();
    m_connecting = true;
    m_connectTimer.start(m_connectTimeoutMs);
    m_socket->connectToHost(a.host, a.port);
}

void OltConnection::disconnectFromOlt()
{
    m_connectTimer.stop();
    const bool wasConnecting = m_connecting;
    m_connecting = false;
    if (m_socket->state() != QAbstractSocket::UnconnectedState)
        m_socket->abort(); // emits disconnected() when it was connected
    if (wasConnecting && !m_established)
        freeTelnet();
    if (m_established) {
        // abort() emitted disconnected synchronously in most states; make sure
        // the end of an established session is reported once in every case.
        onSocketDisconnected();
    }
}

bool OltConnection::isConnected() const
{
    return m_established && m_socket->state() == QAbstractSocket::ConnectedState;
}

void OltConnection::sendText(const QString &text)
{
    if (!isConnected() || !m_telnet)
        return;
    const QByteArray bytes = core::encodeWindows1250(text);
    telnet_send(m_telnet, bytes.constData(), size_t(bytes.size()));
}

void OltConnection::onSocketConnected()
{
    m_connectTimer.stop();
    m_connecting = false;
    m_established = true;
    // Interactive traffic: every typed line goes out at once, as paced.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Q_EMIT connected();
}

void OltConnection::onSocketError(QAbstractSocket::SocketError)
{
    if (m_connecting) {
        m_connectTimer.stop();
        m_connecting = false;
        const QString reason = m_socket->errorString();
        m_socket->abort();
        freeTelnet();
        Q_EMIT connectFailed(reason);
    }
    // Errors of an established connection end in disconnected().
}

void OltConnection::onConnectTimeout()
{
    if (!m_connecting)
        return;
    m_connecting = false;
    m_socket->abort();
    freeTelnet();
    Q_EMIT connectFailed(QStringLiteral("connection timed out"));
}

void OltConnection::onSocketDisconnected()
{
    if (!m_established)
        return;
    m_established = false;
    freeTelnet();
    Q_EMIT disconnected();
}

void OltConnection::onReadyRead()
{
    const QByteArray data = m_socket->readAll();
    if (!m_telnet || data.isEmpty())
        return;
    // Text is handed on only after libtelnet has returned: a receiver may well
    // close the connection, which must not free the parser under its own feet.
    m_rx.clear();
    telnet_recv(m_telnet, data.constData(), size_t(data.size()));
    if (!m_rx.isEmpty())
        Q_EMIT received(core::decodeWindows1250(m_rx));
}

void OltConnection::telnetEvent(telnet_t *, telnet_event_t *event, void *user)
{
    static_cast<OltConnection *>(user)->onTelnetEvent(event);
}

void OltConnection::onTelnetEvent(telnet_event_t *ev)
{
    switch (ev->type) {
    case TELNET_EV_DATA:
        m_rx.append(ev->data.buffer, qsizetype(ev->data.size));
        break;
    case TELNET_EV_SEND:
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->write(ev->data.buffer, qint64(ev->data.size));
        break;
    case TELNET_EV_TTYPE:
        if (ev->ttype.cmd == TELNET_TTYPE_SEND)
            telnet_ttype_is(m_telnet, "dumb");
        break;
    case TELNET_EV_ERROR:
        // A protocol error cannot be repaired: treat it like a dropped line.
        QMetaObject::invokeMethod(this, [this] { disconnectFromOlt(); }, Qt::QueuedConnection);
        break;
    default:
        break;
    }
}

} // namespace tervix::session
