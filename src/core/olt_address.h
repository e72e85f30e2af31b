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

// The operator types "host" or "host:port" (port 23 when absent; 1..65535).
// A bracketed IPv6 literal "[::1]:2323" is accepted; a bare IPv6 literal is
// taken whole as the host. Blanks around the text are ignored; a host holding
// a blank or an unprintable character, and a text holding ";" or a control
// character (line breaks included) anywhere, is invalid.
OltAddress parseOltAddress(const QString &text);

} // namespace tervix::core
