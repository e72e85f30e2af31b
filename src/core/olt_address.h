#pragma once

#include <QString>

namespace tervix::core {

inline constexpr quint16 kTelnetPort = 23;

struct OltAddress
{
    QString host;
    quint16 port = kTelnetPort;
    bool valid = false;
};

// The operator types "host" or "host:port" (port 23 when absent). A bracketed
// IPv6 literal "[::1]:2323" is accepted; a bare IPv6 literal is taken whole as the host.
OltAddress parseOltAddress(const QString &text);

} // namespace tervix::core
