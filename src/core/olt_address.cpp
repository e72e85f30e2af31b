#include "core/olt_address.h"

namespace tervix::core {

namespace {
bool parsePort(QStringView text, quint16 &port)
{
    bool ok = false;
    const uint v = text.toUInt(&ok);
    if (!ok || v == 0 || v > 65535)
        return false;
    port = quint16(v);
    return true;
}

// The typed address is stored as typed in the last-address file, whose items
// end with ";" and whose first line is all that is read: a ";", a line break
// or any other control character would split one address into several.
bool isStorable(QStringView text)
{
    for (QChar c : text) {
        if (c == u';' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

// No host name or address literal holds a blank or an unprintable character.
bool isPlainHost(QStringView host)
{
    if (host.isEmpty())
        return false;
    for (QChar c : host) {
        if (c.isSpace() || !c.isPrint())
            return false;
    }
    return true;
}
} // namespace

OltAddress parseOltAddress(const QString &text)
{
    OltAddress a;
    if (!isStorable(text))
        return a;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return a;
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        if (close < 0)
            return a;
        a.host = t.mid(1, close - 1);
        const QStringView tail = QStringView(t).mid(close + 1);
        if (!tail.isEmpty() && !(tail.startsWith(u':') && parsePort(tail.mid(1), a.port)))
            return a;
        a.valid = isPlainHost(a.host);
        return a;
    }
    const qsizetype colon = t.indexOf(u':');
    if (colon >= 0 && t.indexOf(u':', colon + 1) < 0) {
        a.host = t.left(colon);
        if (!parsePort(QStringView(t).mid(colon + 1), a.port))
            return a;
    } else {
        a.host = t;
    }
    a.valid = isPlainHost(a.host);
    return a;
}

} // namespace tervix::core
