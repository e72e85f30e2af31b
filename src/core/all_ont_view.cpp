#include "core/all_ont_view.h"

namespace tervix::core {

TileClass tileClass(const QString &signalCell)
{
    const QString text = signalCell.toLower();
    // Later rules win: a tile whose text says both "off" and "critical"
    // (a stale class beside an offline state) is critical.
    TileClass result = TileClass::None;
    if (text.contains(u"normal"))
        result = TileClass::On;
    if (text.contains(u"off"))
        result = TileClass::Off;
    if (text.contains(u"critical"))
        result = TileClass::Critical;
    if (text.contains(u"bad"))
        result = TileClass::Bad;
    return result;
}

AllOntListing listAllOnts(const std::vector<OntRecord> &rows, const AllOntQuery &query)
{
    const QString slot = QString::number(query.slot);
    const QString port = QString::number(query.port);
    AllOntListing listing;
    for (const OntRecord &row : rows) {
        if (row.frame != u"0" || row.slot != slot || (!query.wholeSlot && row.port != port))
            continue;
        const TileClass cls = tileClass(row.signalCell);
        // A tile without a class (never read, or a text no rule knows) is
        // always listed: the operator cannot tick a box for it.
        if ((cls == TileClass::On && !query.online) || (cls == TileClass::Off && !query.offline)
            || (cls == TileClass::Bad && !query.bad) || (cls == TileClass::Critical && !query.critical))
            continue;

        AllOntEntry e;
        e.frame = row.frame;
        e.slot = row.slot;
        e.port = row.port;
        e.ontId = row.ontId;
        e.serialOrMac = row.serialOrMac;
        e.image = row.basicImage;
        e.signal = cellText(row, BasicColumn::Signal);
        e.place = cellText(row, BasicColumn::Port);
        e.name = cellText(row, BasicColumn::Name);
        e.tileClass = cls;
        listing.entries.append(std::move(e));

        // Online and offline follow the main list's image, the ONT's state
        // from the last status read; the tile may still show an older one.
        if (row.image == RowImage::Online)
            ++listing.online;
        else if (row.image == RowImage::Offline)
            ++listing.offline;
        if (cls == TileClass::Bad)
            ++listing.bad;
        else if (cls == TileClass::Critical)
            ++listing.critical;
    }
    return listing;
}

int findEntryRow(const std::vector<OntRecord> &rows, const AllOntEntry &entry)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        const OntRecord &r = rows[i];
        if (r.frame == entry.frame && r.slot == entry.slot && r.port == entry.port && r.ontId == entry.ontId
            && r.serialOrMac.compare(entry.serialOrMac, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int allOntRowColour(const QString &signalCell)
{
    int colour = -1;
    if (signalCell.contains(u"Normal"))
        colour = 11468718;
    if (signalCell.contains(u"Bad"))
        colour = 11579607;
    if (signalCell.contains(u"Critical"))
        colour = 9934847;
    if (signalCell.contains(u"off"))
        colour = 14079702;
    return colour;
}

QStringList allOntSummary(const AllOntListing &listing)
{
    return {
        QStringLiteral("All: %1").arg(listing.entries.size()),
        QStringLiteral("Critical: %1!").arg(listing.critical),
        QStringLiteral("Bad: %1!").arg(listing.bad),
        QStringLiteral("Online: %1").arg(listing.online),
        QStringLiteral("Offline: %1").arg(listing.offline),
    };
}

} // namespace tervix::core
