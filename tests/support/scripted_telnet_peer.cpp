#include "scripted_telnet_peer.h"

#include <QTcpSocket>

#include <libtelnet.h>

namespace tervix::test {

namespace {
const telnet_telopt_t kServerTelopts[] = {
    {TELNET_TELOPT_ECHO, TELNET_WILL, TELNET_DONT},
    {TELNET_TELOPT_SGA, TELNET_WILL, TELNET_DO},
    {TELNET_TELOPT_TTYPE, TELNET_WONT, TELNET_DO},
    {-1, 0, 0},
};
} // namespace

ScriptedTelnetPeer::ScriptedTelnetPeer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedTelnetPeer::onNewConnection);
}

ScriptedTelnetPeer::~ScriptedTelnetPeer()
{
    if (m_telnet)
        telnet_free(m_telnet);
}

bool ScriptedTelnetPeer::listen()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

void ScriptedTelnetPeer::onNewConnection()
{
    QTcpSocket *s = m_server.nextPendingConnection();
    if (m_client) {
        // A client that reconnects at once replaces its old line.
        QTcpSocket *old = std::exchange(m_client, nullptr);
        old->abort();
    }
    m_client = s;
    m_partial.clear();
    m_clock.start();
    if (m_telnet)
        telnet_free(m_telnet);
    m_telnet = telnet_init(kServerTelopts, &ScriptedTelnetPeer::event, 0, this);
    connect(s, &QTcpSocket::readyRead, this, [this] {
        if (!m_client)
            return;
        const QByteArray d = m_client->readAll();
        m_raw += d;
        telnet_recv(m_telnet, d.constData(), size_t(d.size()));
    });
    connect(s, &QTcpSocket::disconnected, this, [this, s] {
        if (m_client == s)
            m_client = nullptr;
        s->deleteLater();
    });
    telnet_negotiate(m_telnet, TELNET_WILL, TELNET_TELOPT_ECHO);
    telnet_negotiate(m_telnet, TELNET_WILL, TELNET_TELOPT_SGA);
    telnet_negotiate(m_telnet, TELNET_DO, TELNET_TELOPT_TTYPE);
    Q_EMIT clientConnected();
}

void ScriptedTelnetPeer::event(telnet_t *, telnet_event_t *ev, void *user)
{
    static_cast<ScriptedTelnetPeer *>(user)->onEvent(ev);
}

void ScriptedTelnetPeer::onEvent(telnet_event_t *ev)
{
    switch (ev->type) {
    case TELNET_EV_SEND:
        if (m_client)
            m_client->write(ev->data.buffer, qint64(ev->data.size));
        break;
    case TELNET_EV_DATA:
        for (size_t i = 0; i < ev->data.size; ++i) {
            const char c = ev->data.buffer[i];
            m_data.append(c);
            if (c == '\r') {
                const QString line = QString::fromLatin1(m_partial);
                m_lines.append({line, m_clock.elapsed()});
                m_partial.clear();
                Q_EMIT lineReceived(line);
            } else if (c != '\n' && c != '\0') {
                m_partial.append(c);
            }
        }
        break;
    case TELNET_EV_DO:
        if (ev->neg.telopt == TELNET_TELOPT_ECHO)
            m_doEcho = true;
        if (ev->neg.telopt == TELNET_TELOPT_SGA)
            m_doSga = true;
        break;
    case TELNET_EV_WILL:
        if (ev->neg.telopt == TELNET_TELOPT_TTYPE) {
            m_willTtype = true;
            telnet_ttype_send(m_telnet);
        }
        break;
    case TELNET_EV_TTYPE:
        if (ev->ttype.cmd == TELNET_TTYPE_IS)
            m_ttype = QString::fromLatin1(ev->ttype.name);
        break;
    default:
        break;
    }
}

void ScriptedTelnetPeer::sendText(const QString &latin1Text)
{
    if (!m_client)
        return;
    const QByteArray b = latin1Text.toLatin1();
    telnet_send(m_telnet, b.constData(), size_t(b.size()));
}

void ScriptedTelnetPeer::sendRaw(const QByteArray &bytes)
{
    if (m_client)
        m_client->write(bytes);
}

void ScriptedTelnetPeer::dropClient()
{
    if (m_client)
        m_client->disconnectFromHost();
}

QStringList ScriptedTelnetPeer::lineTexts() const
{
    QStringList out;
    for (const Line &l : m_lines)
        out.append(l.text);
    return out;
}

} // namespace tervix::test
