#include "core/slot_report.h"

#include <QHash>

namespace tervix::core {

namespace {

const QString kHomePage = QStringLiteral("https://github.com/tervix");
const QString kCellOpen = QStringLiteral("<td style=\"border:1px dotted black;\">");

// Frame, slot and port kept apart: run together, 0/1/10 and 0/11/0 would be
// the same group.
struct PortKey
{
    QString frame, slot, port;
    bool operator==(const PortKey &) const = default;
};

size_t qHash(const PortKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.frame, key.slot, key.port);
}

struct PortGroup
{
    PortKey key;
    std::vector<const OntRecord *> rows;
};

} // namespace

QString escapeHtml(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': out += u"&amp;"; break;
        case u'<': out += u"&lt;"; break;
        case u'>': out += u"&gt;"; break;
        case u'"': out += u"&quot;"; break;
        case u'\'': out += u"&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

QByteArray slotReportHtml(const std::vector<OntRecord> &rows)
{
    std::vector<PortGroup> groups;
    QHash<PortKey, size_t> groupOf;
    for (const OntRecord &r : rows) {
        PortKey key{r.frame, r.slot, r.port};
        auto it = groupOf.constFind(key);
        if (it == groupOf.constEnd()) {
            it = groupOf.insert(key, groups.size());
            groups.push_back({std::move(key), {}});
        }
        groups[*it].rows.push_back(&r);
    }

    QString html;
    html += u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tervix</title></head><body>\n";
    html += QStringLiteral("<p>Tervix <a href=\"%1\" target=\"_blank\" rel=\"noopener\">%1</a></p><br/><br/>\n")
                .arg(kHomePage);
    for (const PortGroup &g : groups) {
        html += u"<strong> OLT_Slot_Port: ";
        html += escapeHtml(g.key.frame);
        html += u'/';
        html += escapeHtml(g.key.slot);
        html += u'/';
        html += escapeHtml(g.key.port);
        html += u"</strong> [";
        html += QString::number(g.rows.size());
        html += u" onts]<br/>";
        html += u"<table width=\"100%\" style=\"border:1px dotted black;border-collapse:collapse; float: left; "
                u"font-size:10px;\"><tbody><tr><td>Opis</td><td>SN</td><td>ID</td></tr>";
        for (const OntRecord *r : g.rows) {
            html += u"<tr>";
            for (const QString *value : {&r->name, &r->serialOrMac, &r->ontId}) {
                html += kCellOpen;
                html += escapeHtml(*value);
                html += u"</td>";
            }
            html += u"</tr>";
        }
        html += u"</tbody></table><br/><br/>\n";
    }
    html += u"</body></html>\n";
    return html.toUtf8();
}

} // namespace tervix::core
