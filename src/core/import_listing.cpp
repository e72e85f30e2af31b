#include "core/import_listing.h"

#include "core/cli_prompt.h"
#include "core/ont_data_file.h"
#include "core/ont_state_listing.h"
#include "core/service_port_field.h"

#include <QRegularExpression>

#include <array>
#include <optional>

namespace tervix::core {

namespace {

// Lines end in CR LF, LF, or (where pages were joined) a lone CR; the empty
// line between CR and LF is no line.
template <typename F>
void forEachLine(QStringView text, F &&f)
{
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (end > pos)
            f(text.sliced(pos, end - pos));
        pos = end + 1;
    }
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isSeparator(QStringView body)
{
    return body.startsWith(QLatin1StringView("----------"));
}

bool isDigits(QStringView v)
{
    if (v.isEmpty())
        return false;
    for (QChar c : v) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Reads a table row field by field; a field that is not there leaves the
// cursor failed, so a torn or noisy row is refused rather than half read.
struct RowCursor
{
    QStringView rest;
    bool ok = true;

    void blanks()
    {
        qsizetype i = 0;
        while (i < rest.size() && isBlank(rest[i]))
            ++i;
        rest = rest.sliced(i);
    }
    QStringView token()
    {
        blanks();
        qsizetype i = 0;
        while (i < rest.size() && !isBlank(rest[i]))
            ++i;
        const QStringView t = rest.first(i);
        rest = rest.sliced(i);
        ok = ok && !t.isEmpty();
        return t;
    }
    // The text before the next `c`, blanks around it dropped; the cursor
    // moves past `c`.
    QStringView before(QChar c)
    {
        const qsizetype i = rest.indexOf(c);
        if (i < 0) {
            ok = false;
            return {};
        }
        const QStringView t = rest.first(i).trimmed();
        rest = rest.sliced(i + 1);
        ok = ok && !t.isEmpty();
        return t;
    }
};

QString placeKey(QStringView frame, QStringView slot, QStringView port, QStringView id)
{
    QString key;
    key.reserve(frame.size() + slot.size() + port.size() + id.size() + 3);
    key += frame;
    key += u'/';
    key += slot;
    key += u'/';
    key += port;
    key += u'/';
    key += id;
    return key;
}

// A plain number of up to twelve digits, -1 for anything else.
qint64 plainValue(QStringView v)
{
    if (v.isEmpty() || v.size() > 12)
        return -1;
    qint64 n = 0;
    for (QChar c : v) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// VLAN ids and GEM ports repeat across tens of thousands of service ports:
// they share a few texts instead of allocating one each.
QString sharedNumberText(QStringView v)
{
    static constexpr int kShared = 4096;
    static const std::array<QString, kShared> texts = [] {
        std::array<QString, kShared> t;
        for (int i = 0; i < kShared; ++i)
            t[size_t(i)] = QString::number(i);
        return t;
    }();
    const qint64 n = plainValue(v);
    if (n < 0 || n >= kShared || (v.size() > 1 && v.front() == u'0'))
        return v.toString();
    return texts[size_t(n)];
}

std::optional<quint64> packedPlace(QStringView frame, QStringView slot, QStringView port, QStringView id)
{
    const qint64 f = plainValue(frame);
    const qint64 s = plainValue(slot);
    const qint64 p = plainValue(port);
    const qint64 i = plainValue(id);
    if (f < 0 || f >= 1024 || s < 0 || s >= 1024 || p < 0 || p >= 1024 || i < 0 || i >= (qint64(1) << 30))
        return std::nullopt;
    return quint64(f) << 50 | quint64(s) << 40 | quint64(p) << 30 | quint64(i);
}

// The "Total : N" (service ports) or "Total: N" (IGMP users) line.
std::optional<int> totalOf(QStringView body)
{
    static const QRegularExpression re(QStringLiteral("^Total\\s*:\\s*(\\d+)"));
    const QRegularExpressionMatch m = re.match(body.toString());
    if (!m.hasMatch())
        return std::nullopt;
    return m.capturedView(1).toInt();
}

QString problem(const char *polish, const char *english, const QString &detail = {})
{
    QString text = QString::fromLatin1(polish) + QStringLiteral(" / ") + QString::fromLatin1(english);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    return text;
}

// The listings end where the OLT printed its prompt again; without it the
// read stopped inside the output (a quiet pause, a lost page).
bool endsAtPrompt(const QString &listing)
{
    return lastPromptMode(listing) != CliMode::Unknown;
}

// What the walk of a framed table found besides its rows.
struct TableWalk
{
    bool empty = false;        // the OLT answered that it has none (the failure line, no table)
    std::optional<int> total;  // the "Total" line after the table
};

// Walks a table framed as the OLT frames its service-port and IGMP user
// listings: lines up to a header line ending in headerEnd, the header up to
// its separator, the rows up to the closing separator, then the Total line.
// A line starting with emptyAnswer before any header is the OLT's way of
// saying it has none. row gets each row line, trimmed.
template<typename Row>
TableWalk walkTable(const QString &listing, QLatin1StringView headerEnd, QLatin1StringView emptyAnswer, Row &&row)
{
    enum class Part { BeforeHeader, Header, Rows, After };
    Part part = Part::BeforeHeader;
    TableWalk walk;
    bool failure = false;
    forEachLine(listing, [&](QStringView line) {
        const QStringView body = line.trimmed();
        if (body.isEmpty())
            return;
        switch (part) {
        case Part::BeforeHeader:
            if (body.endsWith(headerEnd))
                part = Part::Header;
            else if (body.startsWith(emptyAnswer))
                failure = true;
            return;
        case Part::Header:
            if (isSeparator(body))
                part = Part::Rows;
            return;
        case Part::After:
            if (!walk.total)
                walk.total = totalOf(body);
            return;
        case Part::Rows:
            break;
        }
        if (isSeparator(body)) {
            part = Part::After;
            return;
        }
        row(body);
    });
    walk.empty = failure && part == Part::BeforeHeader;
    return walk;
}

// The reasons a framed listing is not whole: its Total missing or unlike the
// rows read, or no prompt after it.
QStringList tableProblems(const TableWalk &walk, int rowsRead, const QString &listing, const char *incompletePl,
                          const char *incompleteEn, const char *totalLabel, const char *unendedPl,
                          const char *unendedEn)
{
    QStringList problems;
    if (walk.empty) {
        // The OLT has none: a whole, empty listing.
    } else if (!walk.total) {
        problems << problem(incompletePl, incompleteEn, QStringLiteral("no Total line"));
    } else if (*walk.total != rowsRead) {
        problems << problem(incompletePl, incompleteEn,
                            QStringLiteral("%1 %2, %3 rows read")
                                .arg(QString::fromLatin1(totalLabel))
                                .arg(*walk.total)
                                .arg(rowsRead));
    }
    if (!endsAtPrompt(listing))
        problems << problem(unendedPl, unendedEn);
    return problems;
}


// A group as the import writes it: active, index, VLAN, native not read,
// IGMP, GEM port, and no user VLAN (readers take the VLAN id for it).
QString groupText(const QString &index, const QString &vlan, bool igmp, const QString &gemPort)
{
    return QStringLiteral("-1;") + index + u';' + vlan + QStringLiteral(";?;") + (igmp ? QStringLiteral("-1") : QStringLiteral("0"))
        + u';' + gemPort + QStringLiteral(";^");
}

} // namespace

void ImportList::Places::clear()
{
    numeric.clear();
    other.clear();
}

void ImportList::Places::insert(QStringView frame, QStringView slot, QStringView port, QStringView id, int row)
{
    if (const auto key = packedPlace(frame, slot, port, id)) {
        if (!numeric.contains(*key))
            numeric.insert(*key, row);
        return;
    }
    const QString key = placeKey(frame, slot, port, id);
    if (!other.contains(key))
        other.insert(key, row);
}

int ImportList::Places::find(QStringView frame, QStringView slot, QStringView port, QStringView id) const
{
    if (const auto key = packedPlace(frame, slot, port, id))
        return numeric.value(*key, -1);
    return other.value(placeKey(frame, slot, port, id), -1);
}

ImportList::ImportList(const QString &frame)
    : m_frame(frame)
{
}

void ImportList::readOntListing(const QString &listing)
{
    m_rows.clear();
    m_groups.clear();
    m_firstGroup.clear();
    m_lastGroup.clear();
    m_rowAt.clear();
    m_groupAt.clear();
    m_problems.clear();
    m_servicePortsWithoutOnt = 0;
    m_igmpUsersWithoutServicePort = 0;

    const StateListing states = parseStateListing(listing, m_frame, true);
    m_rows.reserve(states.states.size());
    m_rowAt.numeric.reserve(qsizetype(states.states.size()));
    for (const OntLine &l : states.states) {
        ImportRow row;
        row.ponType = l.serialOrMac.size() < 15 ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
        row.frame = l.frame;
        row.slot = l.slot;
        row.port = l.port;
        row.ontId = l.id;
        row.serialOrMac = l.serialOrMac;
        row.active = l.deactivated ? QStringLiteral("1") : QStringLiteral("0");
        row.online = l.online ? QStringLiteral("-1") : QStringLiteral("0");
        // A place listed twice keeps its first row for lookups; the second
        // then gets no description and the check below names it.
        m_rowAt.insert(row.frame, row.slot, row.port, row.ontId, int(m_rows.size()));
        m_rows.push_back(std::move(row));
    }
    m_firstGroup.assign(m_rows.size(), -1);
    m_lastGroup.assign(m_rows.size(), -1);

    // Descriptions are matched by place, never by order: a description row
    // lost on the way must not shift every later name onto the wrong ONT.
    std::vector<int> descriptions(m_rows.size(), 0);
    QStringList unlisted;
    for (const OntLine &d : states.descriptions) {
        const int row = m_rowAt.find(d.frame, d.slot, d.port, d.id);
        if (row < 0) {
            unlisted << placeKey(d.frame, d.slot, d.port, d.id);
            continue;
        }
        if (descriptions[size_t(row)]++ == 0)
            m_rows[size_t(row)].name = d.name;
    }

    if (!states.whole) {
        QStringList details;
        QHash<QString, int> perPort;
        for (const ImportRow &r : m_rows)
            ++perPort[r.frame + u'/' + r.slot + u'/' + r.port];
        for (const PortTotal &f : states.footers) {
            const int read = perPort.value(f.place);
            if (read != f.total)
                details << QStringLiteral("port %1 lists %2 of %3 ONTs").arg(f.place).arg(read).arg(f.total);
        }
        if (states.footers.empty())
            details << QStringLiteral("no port total was printed");
        else if (details.isEmpty())
            details << QStringLiteral("ONT rows follow the last port total");
        m_problems << problem("Lista ONT niepelna", "The ONT listing is incomplete", details.join(QStringLiteral("; ")));
    }

    QStringList missing;
    QStringList repeated;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const ImportRow &r = m_rows[i];
        if (descriptions[i] == 0)
            missing << placeKey(r.frame, r.slot, r.port, r.ontId);
        else if (descriptions[i] > 1)
            repeated << placeKey(r.frame, r.slot, r.port, r.ontId);
    }
    auto some = [](const QStringList &places) {
        constexpr int kNamed = 5;
        QString text = places.mid(0, kNamed).join(QStringLiteral(", "));
        if (places.size() > kNamed)
            text += QStringLiteral(" and %1 more").arg(places.size() - kNamed);
        return text;
    };
    if (!missing.isEmpty())
        m_problems << problem("Opisy ONT niepelne", "ONT descriptions are missing", QStringLiteral("no description row for ") + some(missing));
    if (!repeated.isEmpty())
        m_problems << problem("Opisy ONT niezgodne", "ONT descriptions disagree", QStringLiteral("more than one description row for ") + some(repeated));
    if (!unlisted.isEmpty())
        m_problems << problem("Opisy ONT niezgodne", "ONT descriptions disagree", QStringLiteral("a description row without a state row for ") + some(unlisted));
    if (!endsAtPrompt(listing))
        m_problems << problem("Lista ONT nie zakonczona", "The ONT listing did not end at a prompt");
}

void ImportList::readServicePortListing(const QString &listing)
{
    int rowsRead = 0;
    const qint64 frame = plainValue(QStringView(m_frame).trimmed());
    std::vector<bool> touched(m_rows.size(), false);

    // The second header line ends with "PARA" (FLOW PARA).
    const TableWalk walk = walkTable(listing, QLatin1StringView("PARA"),
                                     QLatin1StringView("Failure: No service virtual port"), [&](QStringView body) {
        // INDEX VLAN ATTR TYPE F/S /P VPI VCI ...: the place is printed
        // "0/2 /0" on GPON rows and "0/10/0" or "0/3/0" otherwise, so the slot
        // is what stands between the two slashes, blanks dropped.
        RowCursor c{body};
        const QStringView index = c.token();
        const QStringView vlan = c.token();
        c.token(); // VLAN attribute
        c.token(); // port type
        c.blanks();
        const QStringView rowFrame = c.before(u'/');
        const QStringView slot = c.before(u'/');
        const QStringView port = c.token();
        const QStringView ontId = c.token();
        const QStringView gemPort = c.token();
        if (!c.ok || plainValue(index) < 0 || !isDigits(rowFrame) || !isDigits(slot) || !isDigits(port))
            return; // not a row: the total check below then tells the operator
        ++rowsRead;
        if (plainValue(rowFrame) != frame)
            return;
        const int row = m_rowAt.find(rowFrame, slot, port, ontId);
        if (row < 0) {
            ++m_servicePortsWithoutOnt;
            return;
        }
        const int group = int(m_groups.size());
        m_groups.push_back({index.toString(), sharedNumberText(vlan), sharedNumberText(gemPort), row});
        if (m_lastGroup[size_t(row)] < 0)
            m_firstGroup[size_t(row)] = group;
        else
            m_groups[size_t(m_lastGroup[size_t(row)])].next = group;
        m_lastGroup[size_t(row)] = group;
        const qint64 key = plainValue(index);
        if (!m_groupAt.contains(key))
            m_groupAt.insert(key, group);
        touched[size_t(row)] = true;
    });

    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (touched[i])
            m_rows[i].servicePorts = fieldText(i, false);
    }

    m_problems << tableProblems(walk, rowsRead, listing, "Lista service-portow niepelna",
                                "The service-port listing is incomplete", "Total :",
                                "Lista service-portow nie zakonczona",
                                "The service-port listing did not end at a prompt");
}

void ImportList::readIgmpListing(const QString &listing)
{
    int rowsRead = 0;
    std::vector<bool> changed(m_rows.size(), false);

    // The second header line ends with "programs" (Max programs).
    const TableWalk walk = walkTable(listing, QLatin1StringView("programs"),
                                     QLatin1StringView("Failure: The multicast user does not exist"),
                                     [&](QStringView body) {
        // The user is its service port's place and index: "F/S/P/INDEX".
        RowCursor c{body};
        const QStringView userFrame = c.before(u'/');
        const QStringView slot = c.before(u'/');
        const QStringView port = c.before(u'/');
        const QStringView index = c.token();
        if (!c.ok || !isDigits(userFrame) || !isDigits(slot) || !isDigits(port) || plainValue(index) < 0)
            return;
        ++rowsRead;
        // Only a group whose own index equals the user's is an IGMP user, and
        // only when it stands on the ONT's port the user names.
        const auto at = m_groupAt.constFind(plainValue(index));
        if (at == m_groupAt.cend()) {
            ++m_igmpUsersWithoutServicePort;
            return;
        }
        Group &group = m_groups[size_t(*at)];
        const ImportRow &row = m_rows[size_t(group.row)];
        if (plainValue(row.frame) != plainValue(userFrame) || plainValue(row.slot) != plainValue(slot)
            || plainValue(row.port) != plainValue(port)) {
            ++m_igmpUsersWithoutServicePort;
            return;
        }
        group.igmp = true;
        changed[size_t(group.row)] = true;
    });

    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (changed[i])
            m_rows[i].servicePorts = fieldText(i, true);
    }

    m_problems << tableProblems(walk, rowsRead, listing, "Lista uzytkownikow IGMP niepelna",
                                "The IGMP user listing is incomplete", "Total:",
                                "Lista uzytkownikow IGMP nie zakonczona",
                                "The IGMP user listing did not end at a prompt");
}

QString ImportList::fieldText(size_t row, bool reencode) const
{
    int g = m_firstGroup[row];
    if (g < 0)
        return QStringLiteral("-");
    QString out;
    if (reencode) {
        // A row with an IGMP user is stored as the list's editor stores a
        // field: through the codec, user VLANs filled in. The codec holds four
        // groups; the groups after the fourth follow in the import's own form
        // (their IGMP flags set all the same), so an ONT with more service
        // ports than the editor shows loses none of them.
        ServicePortField field;
        for (int n = 0; g >= 0 && n < ServicePortField::kSlots; ++n, g = m_groups[size_t(g)].next) {
            const Group &group = m_groups[size_t(g)];
            ServicePortSlot &slot = field.slots[size_t(n)];
            slot.active = QStringLiteral("-1");
            slot.index = group.index;
            slot.vlanId = group.vlan;
            slot.nativeVlan = QStringLiteral("?");
            slot.igmp = group.igmp ? QStringLiteral("-1") : QStringLiteral("0");
            slot.gemPort = group.gemPort;
        }
        out = encodeServicePortField(field);
    }
    for (; g >= 0; g = m_groups[size_t(g)].next) {
        const Group &group = m_groups[size_t(g)];
        out += groupText(group.index, group.vlan, group.igmp, group.gemPort);
    }
    return out;
}

bool isImportFrame(QStringView text)
{
    return text.size() >= 1 && text.size() <= 3 && isDigits(text);
}

namespace {

// The imported field with the native-VLAN flag of every group whose index the
// list's own field also holds, as the list had it; the OLT's table does not
// show it. Everything else of the field stays as imported.
QString withLocalNativeFlags(const QString &imported, const QString &local)
{
    if (imported == u"-" || local.isEmpty() || local == u"-")
        return imported;
    QHash<QString, QString> native;
    // The codec reads four groups of a field; a field may hold more, so each
    // group is read on its own.
    for (QStringView group : QStringView(local).tokenize(u'^', Qt::SkipEmptyParts)) {
        const ServicePortSlot slot = decodeServicePortField(group.toString() + u'^').slots[0];
        if (!slot.index.isEmpty() && slot.index != u"-" && (slot.nativeVlan == u"-1" || slot.nativeVlan == u"0"))
            if (!native.contains(slot.index))
                native.insert(slot.index, slot.nativeVlan);
    }
    if (native.isEmpty())
        return imported;
    QStringList groups = imported.split(u'^');
    for (QString &group : groups) {
        QStringList values = group.split(u';');
        if (values.size() <= 3)
            continue;
        const auto it = native.constFind(values[1]);
        if (it == native.cend())
            continue;
        values[3] = *it;
        group = values.join(u';');
    }
    return groups.join(u'^');
}

QString matchKey(const QString &frame, const QString &slot, const QString &port, const QString &id, const QString &serial)
{
    return placeKey(frame, slot, port, id) + u'|' + serial.toLower();
}

} // namespace

ImportResult applyImport(const std::vector<ImportRow> &imported, const std::vector<OntRecord> &current)
{
    ImportResult out;
    out.summary.oldCount = int(current.size());
    out.summary.newCount = int(imported.size());

    QHash<QString, int> currentAt;
    currentAt.reserve(qsizetype(current.size()));
    for (size_t i = 0; i < current.size(); ++i) {
        const OntRecord &r = current[i];
        const QString key = matchKey(r.frame, r.slot, r.port, r.ontId, r.serialOrMac);
        if (!currentAt.contains(key))
            currentAt.insert(key, int(i));
    }
    std::vector<bool> kept(current.size(), false);

    out.rows.reserve(imported.size());
    for (size_t i = 0; i < imported.size(); ++i) {
        const ImportRow &in = imported[i];
        OntRecord r;
        // Text read from the OLT enters the list here: no field may split a record of the data file.
        r.ponType = storableField(in.ponType);
        r.frame = storableField(in.frame);
        r.slot = storableField(in.slot);
        r.port = storableField(in.port);
        r.ontId = storableField(in.ontId);
        r.name = storableField(in.name);
        r.serialOrMac = storableField(in.serialOrMac);
        r.servicePorts = storableField(in.servicePorts);
        r.active = storableField(in.active);
        r.levels = QStringLiteral("-");
        r.image = in.online == u"-1" ? RowImage::Online : RowImage::Offline;
        r.basicImage = r.image;

        const auto at = currentAt.constFind(matchKey(in.frame, in.slot, in.port, in.ontId, in.serialOrMac));
        if (at != currentAt.cend() && !kept[size_t(*at)]) {
            const OntRecord &old = current[size_t(*at)];
            kept[size_t(*at)] = true;
            ++out.summary.carried;
            r.origin = old.origin;
            r.lineProfile = old.lineProfile;
            r.serviceProfile = old.serviceProfile;
            r.catv = old.catv;
            r.subscriberId = old.subscriberId;
            r.servicePorts = withLocalNativeFlags(r.servicePorts, old.servicePorts);
        } else {
            ++out.summary.added;
            r.origin = QStringLiteral("-");
            r.lineProfile = QStringLiteral("-");
            r.serviceProfile = QStringLiteral("-");
            r.catv = QStringLiteral("0;1;^");
        }
        initBasicTexts(r, QString::number(i), r.subscriberId);
        out.rows.push_back(std::move(r));
    }
    out.summary.dropped = out.summary.oldCount - out.summary.carried;
    return out;
}

QString dataFileBackupName(const QString &fileName, const QDateTime &at)
{
    return fileName + u'.' + at.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".bak");
}

} // namespace tervix::core
