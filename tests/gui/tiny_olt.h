#pragma once

#include "scripted_telnet_peer.h"

#include <QHash>
#include <QObject>

namespace tervix::test {

// A peer that answers like an OLT just enough for the login dialogue: every
// connection's second line is the password, the label command prints a
// backplane label. It counts connections and keeps every line.
class TinyOlt : public QObject
{
public:
    explicit TinyOlt(QString label = QStringLiteral("  Description=MA5608T\r\n  BarCode=TINY01\r\n"))
        : m_label(std::move(label))
    {
        QObject::connect(&peer, &ScriptedTelnetPeer::clientConnected, this, [this] {
            ++connections;
            m_linesAtConnect = peer.lines().size();
            peer.sendText(QStringLiteral(">>User name:"));
        });
        QObject::connect(&peer, &ScriptedTelnetPeer::lineReceived, this, [this](const QString &l) {
            const qsizetype n = peer.lines().size() - m_linesAtConnect;
            if (n == dropAtLine) {
                peer.dropClient();
                return;
            }
            if (n == 1) {
                m_user = l;
                peer.sendText(QStringLiteral("\r\n>>User password:"));
            } else if (n == 2) {
                peer.sendText(users.value(m_user, QStringLiteral("\x01")) == l
                                  ? QStringLiteral("\r\n\r\nOLT>")
                                  : QStringLiteral("\r\nUsername or password invalid.\r\n\r\n>>User name:"));
            } else if (l == QStringLiteral("display elabel backplane 0"))
                peer.sendText(l + QStringLiteral(" \r\n") + m_label + QStringLiteral("\r\nOLT(diagnose)%%"));
            else
                peer.sendText(l + QStringLiteral(" \r\n\r\nOLT(config)#"));
        });
    }

    ScriptedTelnetPeer peer;
    QHash<QString, QString> users{{QStringLiteral("admin"), QStringLiteral("secret1")}};
    int dropAtLine = -1; // drop the line when the n-th line of a connection arrives
    int connections = 0;

private:
    QString m_label;
    QString m_user;

    qsizetype m_linesAtConnect = 0;
};

} // namespace tervix::test
