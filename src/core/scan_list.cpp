#include "core/scan_list.h"

#include <QHash>

namespace tervix::core {

namespace {

// The list's PON type column holds "G.PON" or "E.PON" (older files and
// imports may have it in lower case). The check is for an "e" in either case:
// no spelling of a G-type port ("G.PON", "gpon", "XG.PON") has one, so the
// lower-case spelling of an E-type port is not mistaken for GPON.
QString commandPonType(const QString &listPonType)
{
    return listPonType.contains(u'E', Qt::CaseInsensitive) ? QStringLiteral("epon") : QStringLiteral("gpon");
}

bool hasKey(const OntRecord &r, QStringView key)
{
    // Compared piece by piece: no string is built for each candidate row.
    const QString *parts[] = {&r.frame, &r.slot, &r.port, &r.ontId};
    qsizetype at = 0;
    for (int i = 0; i < 4; ++i) {
        const QString &part = *parts[i];
        if (key.size() < at + part.size() || key.sliced(at, part.size()) != part)
            return false;
        at += part.size();
        if (i < 3) {
            if (at >= key.size() || key[at] != u'.')
                return false;
            ++at;
        }
    }
    return at == key.size();
}

struct PortKey
{
    QString ponType, frame, slot, port;
    bool operator==(const PortKey &) const = default;
};

size_t qHash(const PortKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.ponType, k.frame, k.slot, k.port);
}

} // namespace

QString ScanRow::key() const
{
    return frame + u'.' + slot + u'.' + port + u'.' + ontId;
}

QList<ScanRow> buildScanList(const std::vector<OntRecord> &rows, const QString &oltKey,
                             const std::function<QString(const ScanRow &)> &lastDay)
{
    QList<ScanRow> out;
    out.reserve(qsizetype(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const OntRecord &r = rows[i];
        // A freed place keeps its row with "-" for a frame: there is no ONT to read.
        if (r.frame == u"-")
            continue;
        ScanRow s;
        s.ponType = commandPonType(r.ponType);
        s.frame = r.frame;
        s.slot = r.slot;
        s.port = r.port;
        s.ontId = r.ontId;
        s.name = r.name;
        s.oltKey = oltKey;
        s.sourceRow = int(i);
        s.lastDay = lastDay ? lastDay(s) : QStringLiteral("-");
        out.append(std::move(s));
    }
    return out;
}

int findRowNear(const std::vector<OntRecord> &rows, int remembered, const QString &key)
{
    static constexpr int kOffsets[] = {0, 1, -1, 2, -2};
    const qsizetype size = qsizetype(rows.size());
    for (const int offset : kOffsets) {
        const qsizetype i = qsizetype(remembered) + offset;
        if (i < 0 || i >= size)
            continue;
        if (hasKey(rows[size_t(i)], key))
            return int(i);
    }
    return -1;
}

QList<PortGroup> groupByPort(const QList<ScanRow> &rows)
{
    QList<PortGroup> groups;
    QHash<PortKey, qsizetype> index;
    index.reserve(rows.size() / 8 + 1);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const ScanRow &r = rows[i];
        const PortKey k{r.ponType, r.frame, r.slot, r.port};
        auto it = index.constFind(k);
        if (it == index.constEnd()) {
            it = index.insert(k, groups.size());
            groups.append(PortGroup{r.ponType, r.frame, r.slot, r.port, {}});
        }
        groups[*it].rows.append(int(i));
    }
    return groups;
}

} // namespace tervix::core
