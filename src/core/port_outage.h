#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

namespace tervix::core {

// A port most of whose ONTs went offline in one state refresh: a cut fibre or
// a dead splitter, shown as one event rather than as many offline rows.
//
// The rule: at least kMinimumOnts of the port's listed ONTs went from online
// to offline in one refresh, and afterwards at least kShare percent of the
// port's listed ONTs are offline. The outage lasts until less than half of
// the port is offline.
struct PortOutage
{
    int wentOffline = 0;  // ONTs that dropped in the refresh that began it
    int listed = 0;       // listed ONTs of the port then
    QDateTime since;
    bool operator==(const PortOutage &) const = default;
};

struct PortState
{
    int listed = 0;
    int online = 0;
    int offline = 0;
};

// "F/S/P" -> outage.
using PortOutages = QHash<QString, PortOutage>;

inline constexpr int kOutageMinimumOnts = 4;
inline constexpr int kOutageSharePercent = 75;

// The outages after one refresh: before and after map "F/S/P" to the port's
// counts, wentOffline to how many of its ONTs went from online to offline.
PortOutages updateOutages(const PortOutages &current, const QHash<QString, PortState> &after,
                          const QHash<QString, int> &wentOffline, const QDateTime &now);

// The picture's tooltip of an outage: how many ONTs went offline and since when.
QString outageText(const PortOutage &outage);

} // namespace tervix::core
