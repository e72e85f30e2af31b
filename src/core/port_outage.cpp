#include "core/port_outage.h"

namespace tervix::core {

PortOutages updateOutages(const PortOutages &current, const QHash<QString, PortState> &after,
                          const QHash<QString, int> &wentOffline, const QDateTime &now)
{
    PortOutages next;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const PortState &state = it.value();
        const auto ongoing = current.constFind(it.key());
        if (ongoing != current.cend()) {
            // An outage ends at a lower share than the one that starts it, so
            // a port hovering around the start line does not flicker; while it
            // lasts it keeps the drop that began it.
            if (state.listed > 0 && state.offline * 2 >= state.listed)
                next.insert(it.key(), ongoing.value());
            continue;
        }
        const int dropped = wentOffline.value(it.key(), 0);
        if (dropped >= kOutageMinimumOnts && state.listed > 0
            && state.offline * 100 >= kOutageSharePercent * state.listed)
            next.insert(it.key(), PortOutage{dropped, state.listed, now});
    }
    return next;
}

QString outageText(const PortOutage &outage)
{
    return QStringLiteral("Awaria portu / Port outage: %1 z/of %2 ONT offline od/since %3")
        .arg(QString::number(outage.wentOffline), QString::number(outage.listed),
             outage.since.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

} // namespace tervix::core
