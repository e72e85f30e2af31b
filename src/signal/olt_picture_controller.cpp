#include "signal/olt_picture_controller.h"

#include "registry/ont_list.h"

namespace tervix::signal {

OltPictureController::OltPictureController(registry::OntList &list, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_now([] { return QDateTime::currentDateTime(); })
{
    connect(&m_list, &registry::OntList::reset, this, &OltPictureController::rebuild);
    connect(&m_list, &registry::OntList::rowsInserted, this, &OltPictureController::recomputeTotals);
    connect(&m_list, &registry::OntList::rowsRemoved, this, &OltPictureController::recomputeTotals);
    connect(&m_list, &registry::OntList::stateListingApplied, this, &OltPictureController::onStateListing);
}

void OltPictureController::rebuild()
{
    m_haveCounts = false;
    m_counts = {};
    if (!m_outages.isEmpty()) {
        m_outages.clear();
        Q_EMIT outagesChanged(m_outages);
    }
    recomputeTotals();
}

void OltPictureController::recomputeTotals()
{
    m_picture = core::pictureTotals(m_list.rows());
    if (m_haveCounts)
        core::applySignalCounts(m_picture, m_counts);
    Q_EMIT pictureChanged(m_picture);
}

void OltPictureController::applyCounts(const core::SignalCounts &counts)
{
    m_counts = counts;
    m_haveCounts = true;
    core::applySignalCounts(m_picture, m_counts);
    Q_EMIT pictureChanged(m_picture);
}

void OltPictureController::onStateListing(const QHash<QString, int> &wentOffline)
{
    QHash<QString, core::PortState> after;
    for (const core::OntRecord &r : m_list.rows()) {
        if (!core::pictureCounts(r))
            continue;
        core::PortState &p = after[r.frame + u'/' + r.slot + u'/' + r.port];
        ++p.listed;
        if (r.basicImage == core::RowImage::Online)
            ++p.online;
        else if (r.basicImage == core::RowImage::Offline)
            ++p.offline;
    }
    const core::PortOutages outages = core::updateOutages(m_outages, after, wentOffline, m_now());
    if (outages != m_outages) {
        m_outages = outages;
        Q_EMIT outagesChanged(m_outages);
    }
}

} // namespace tervix::signal
