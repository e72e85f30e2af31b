#include "core/ont_search.h"

namespace tervix::core {

namespace {

// The text a mode compares, before lower-casing. A mode outside the list has
// nothing to compare, so it finds nothing.
QString haystack(const OntRecord &r, SearchMode mode)
{
    switch (mode) {
    case SearchMode::Name:
        return r.name;
    case SearchMode::SerialOrMac:
        return r.serialOrMac;
    case SearchMode::PonType:
        return r.ponType;
    case SearchMode::PlaceWithId:
        return r.frame + r.slot + r.port + r.ontId;
    case SearchMode::Port:
        return r.frame + r.slot + r.port;
    }
    return {};
}

} // namespace

QString OntSearchHit::caption() const
{
    return frame + u'/' + slot + u'/' + port;
}

QStringList OntSearchHit::cells() const
{
    return {caption(), ontId, name, serialOrMac, ponType};
}

std::vector<OntSearchHit> searchOnts(const std::vector<OntRecord> &rows, const OntSearchQuery &query)
{
    std::vector<OntSearchHit> hits;
    const QString needle = query.text.toLower();
    if (needle.isEmpty())
        return hits;
    for (const OntRecord &r : rows) {
        const QString hay = haystack(r, query.mode).toLower();
        const bool match = query.wholeText ? hay == needle : hay.contains(needle);
        if (match)
            hits.push_back({r.frame, r.slot, r.port, r.ontId, r.serialOrMac, r.name, r.ponType});
    }
    return hits;
}

int findHitRow(const std::vector<OntRecord> &rows, const OntSearchHit &hit)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        const OntRecord &r = rows[i];
        if (r.frame == hit.frame && r.slot == hit.slot && r.port == hit.port && r.ontId == hit.ontId
            && r.serialOrMac.compare(hit.serialOrMac, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString searchBoxCaption(qsizetype found)
{
    return QStringLiteral("Znaleziono: %1 ").arg(found);
}

} // namespace tervix::core
