#include "telnet_server.h"

#include "cli_session.h"
#include "olt_core.h"

#include <QTcpSocket>

#include <libtelnet.h>

namespace oltsim {

namespace {
const telnet_telopt_t kDeviceTelopts[] = {
    {TELNET_TELOPT_ECHO, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WONT, TELNET_DO},
    {TELNET_TELOPT_NAWS, TELNET_WONT, TELNET_DO},
    {-1, 0, 0},
};
} // namespace

TelnetConnection::TelnetConnection(OltCore &core, QTcpSocket *socket, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_socket(socket)
{
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_telnet = telnet_init(kDeviceTelopts, &TelnetConnection::telnetEvent, 0, this);
    const QString peer = socket->peerAddress().toString();
    m_session = new CliSession(core, peer.startsWith(QLatin1String("::ffff:")) ? peer.mid(7) : peer, this);
    connect(m_session, &CliSession::output, this, &TelnetConnection::send);
    connect(m_session, &CliSession::closeRequested, this, &TelnetConnection::closeWhenFlushed);
    m_pump.setSingleShot(true);
    connect(&m_pump, &QTimer::timeout, this, &TelnetConnection::pump);
    connect(socket, &QTcpSocket::readyRead, this, [this] {
        if (!m_socket)
            return;
        const QByteArray d = m_socket->readAll();
        telnet_recv(m_telnet, d.constData(), size_t(d.size()));
    });
    connect(socket, &QTcpSocket::disconnected, this, &TelnetConnection::finished);
    telnet_negotiate(m_telnet, TELNET_WILL, TELNET_TELOPT_ECHO);
    telnet_negotiate(m_telnet, TELNET_WILL, TELNET_TELOPT_SGA);
    telnet_negotiate(m_telnet, TELNET_DO, TELNET_TELOPT_TTYPE);
    m_session->start();
}

TelnetConnection::~TelnetConnection()
{
    if (m_session)
        m_session->disconnect(this);
    if (m_telnet)
        telnet_free(m_telnet);
}

void TelnetConnection::telnetEvent(telnet_t *, telnet_event_t *ev, void *user)
{
    static_cast<TelnetConnection *>(user)->onTelnetEvent(ev);
}

void TelnetConnection::onTelnetEvent(telnet_event_t *ev)
{
    switch (ev->type) {
    case TELNET_EV_SEND:
        if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->write(ev->data.buffer, qint64(ev->data.size));
        break;
    case TELNET_EV_DATA:
        m_session->feed(QByteArray(ev->data.buffer, qsizetype(ev->data.size)));
        break;
    case TELNET_EV_WILL:
        if (ev->neg.telopt == TELNET_TELOPT_TTYPE)
            telnet_ttype_send(m_telnet);
        break;
    default:
        break;
    }
}

void TelnetConnection::send(const QByteArray &bytes)
{
    m_core.transcript(m_session->id(), '>', bytes);
    const Faults &f = m_core.faults;
    qsizetype pauseAt = -1;
    if (f.pauseMs > 0 && !f.pauseAfterText.isEmpty()) {
        const QByteArray text = f.pauseAfterText.toLatin1();
        const qsizetype at = bytes.indexOf(text);
        if (at >= 0)
            pauseAt = at + text.size();
    }
    // Output written during a pause waits behind it.
    const bool paced = f.fragmentBytes > 0 || f.byteLatencyUs > 0;
    if (!paced && pauseAt < 0 && m_queue.isEmpty() && !m_pump.isActive()) {
        telnet_send(m_telnet, bytes.constData(), size_t(bytes.size()));
        return;
    }
    if (pauseAt < 0) {
        enqueue(bytes, 0);
    } else {
        enqueue(bytes.left(pauseAt), f.pauseMs);
        enqueue(bytes.mid(pauseAt), 0);
    }
    if (!m_pump.isActive())
        pump();
}

void TelnetConnection::enqueue(const QByteArray &bytes, int pauseAfterMs)
{
    if (bytes.isEmpty())
        return;
    const Faults &f = m_core.faults;
    const bool paced = f.fragmentBytes > 0 || f.byteLatencyUs > 0;
    const qsizetype piece = f.fragmentBytes > 0 ? f.fragmentBytes : paced ? 64 : bytes.size();
    for (qsizetype i = 0; i < bytes.size(); i += piece)
        m_queue.append({bytes.mid(i, piece), 0});
    m_queue.last().pauseAfterMs = pauseAfterMs;
}

void TelnetConnection::pump()
{
    if (m_queue.isEmpty()) {
        if (m_closing && m_socket)
            m_socket->disconnectFromHost();
        return;
    }
    const Piece piece = m_queue.takeFirst();
    telnet_send(m_telnet, piece.bytes.constData(), size_t(piece.bytes.size()));
    const Faults &f = m_core.faults;
    // The timer counts whole milliseconds; the remainder is owed by the next piece,
    // otherwise a few microseconds per byte would never slow small pieces at all.
    m_owedLatencyUs += qint64(std::max(0, f.byteLatencyUs)) * piece.bytes.size();
    const qint64 latencyMs = m_owedLatencyUs / 1000;
    m_owedLatencyUs -= latencyMs * 1000;
    m_pump.start(int(std::max<qint64>(0, f.fragmentDelayMs + latencyMs + piece.pauseAfterMs)));
}

void TelnetConnection::closeWhenFlushed()
{
    m_closing = true;
    if (m_queue.isEmpty() && !m_pump.isActive() && m_socket)
        m_socket->disconnectFromHost();
}

TelnetServer::TelnetServer(OltCore &core, QObject *parent)
    : QObject(parent)
    , m_core(core)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TelnetServer::onNewConnection);
}

bool TelnetServer::listen(const QHostAddress &address, quint16 port)
{
    return m_server.listen(address, port);
}

void TelnetServer::onNewConnection()
{
    while (QTcpSocket *s = m_server.nextPendingConnection()) {
        auto *c = new TelnetConnection(m_core, s, this);
        m_connections.append(c);
        connect(c, &TelnetConnection::finished, this, [this, c] {
            m_connections.removeOne(c);
            c->deleteLater();
        });
    }
}

} // namespace oltsim
