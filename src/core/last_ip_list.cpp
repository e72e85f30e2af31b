#include "core/last_ip_list.h"

namespace tervix::core {

LastIpUpdate recordLastIp(const QStringList &items, const QString &address)
{
    LastIpUpdate u{items, std::nullopt};
    QString s;
    for (const QString &item : items) {
        // Items are prepended, so the line lists them last-first.
        s.prepend(item + QLatin1Char(';'));
        if (item == address)
            return u;
    }
    u.fileLine = address + QLatin1Char(';') + s;
    u.items.append(address);
    return u;
}

QStringList parseLastIpFile(const QString &content)
{
    QStringList out;
    const QString line = content.section(QLatin1Char('\n'), 0, 0);
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u';') {
            out.append(line.mid(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

} // namespace tervix::core
