#pragma once

#include "core/olt_picture.h"
#include "core/port_outage.h"
#include "core/signal_counts.h"

#include <QDateTime>
#include <QHash>
#include <QObject>

#include <functional>

namespace tervix::registry {
class OntList;
}

namespace tervix::signal {

// What the OLT picture shows: the boards and ports of the listed ONTs, their
// online/offline/critical counts from the last recount, and the ports that
// lost most of their ONTs at once. The totals follow every change of the
// list's rows; the signal counts come with each recount; outages are judged
// at each state listing the list applies.
class OltPictureController : public QObject
{
    Q_OBJECT
public:
    explicit OltPictureController(registry::OntList &list, QObject *parent = nullptr);

    const core::OltPicture &picture() const { return m_picture; }
    const core::PortOutages &outages() const { return m_outages; }

    // The signal counts of a recount.
    void applyCounts(const core::SignalCounts &counts);
    // The list was rebuilt: totals again, counts and outages cleared.
    void rebuild();

    // The clock outages are stamped with (tests set their own).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

Q_SIGNALS:
    void pictureChanged(const core::OltPicture &picture);
    void outagesChanged(const core::PortOutages &outages);

private:
    void recomputeTotals();
    void onStateListing(const QHash<QString, int> &wentOffline);

    registry::OntList &m_list;
    core::OltPicture m_picture;
    core::SignalCounts m_counts;
    bool m_haveCounts = false;
    core::PortOutages m_outages;
    std::function<QDateTime()> m_now;
};

} // namespace tervix::signal
