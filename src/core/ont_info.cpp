#include "core/ont_info.h"

#include "core/scanner.h"

#include <QStringList>

#include <climits>
#include <cmath>

namespace tervix::core {

namespace {

// The text up to the next line end, with the cursor moved past that line end.
// The OLT ends its lines with CR LF, and the value ends at the CR; a line that
// arrives with a bare LF ends at the LF instead of reaching into the lines
// below. No line end at all gives no value.
QString takeLine(Scanner &s)
{
    const qsizetype end = s.lineEnd();
    if (end < 0)
        return QString();
    QString value = s.rest().left(end).toString();
    s.drop(end + 1);
    return value;
}

// "label ... : value": everything through the key, through the colon and
// through the space after it, then the value up to the line end. A missing
// key still advances by its length less one, and a missing colon or space
// advances by nothing: the reading never fails, it reads on from where it is.
QString readField(Scanner &s, QStringView key)
{
    s.cutThrough(key);
    s.cutThrough(u":");
    s.cutThrough(u" ");
    s.skipBlanks();
    return takeLine(s);
}

// Drops the text before the next marker, keeping the marker; nothing when
// the marker does not follow.
void dropUntil(Scanner &s, QStringView marker)
{
    const qsizetype i = s.indexOf(marker);
    if (i > 0)
        s.drop(i);
}

QString textUntilComma(const QString &value)
{
    const qsizetype comma = value.indexOf(u',');
    return comma < 0 ? value : value.left(comma);
}

QString offWhenEmpty(const QString &value)
{
    return value.isEmpty() ? QStringLiteral("off") : value;
}

// Each line of a text, whichever line end closes it (CR LF, CR or LF).
template<typename Visit>
void forEachLine(QStringView text, Visit visit)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (!visit(text.mid(pos, end - pos)))
            return;
        pos = end + 1;
    }
}

// The rows of a table: the lines after its header up to its "Total" line. A
// table without its header, or cut before its "Total" line, gives no rows:
// what stands there then is not the table the console asked for.
QList<QStringView> tableRows(QStringView section, QStringView header)
{
    const qsizetype h = section.indexOf(header);
    if (h < 0)
        return {};
    QList<QStringView> rows;
    bool closed = false;
    forEachLine(section.mid(h + header.size()), [&](QStringView line) {
        if (line.contains(u"Total")) {
            closed = true;
            return false;
        }
        rows.append(line);
        return true;
    });
    return closed ? rows : QList<QStringView>{};
}

// Whether a table row belongs to the slot: its place F/S/P, which the OLT
// pads with blanks around the slashes ("0/1 /0" in service-port rows,
// "0 /1 /0" in MAC rows), names that frame and slot. The whole place is
// compared, so slot 10 is not taken for slot 1.
bool rowOnSlot(QStringView line, const QString &frameSlot)
{
    QString wanted;
    for (QChar c : frameSlot) {
        if (c != u' ' && c != u'\t')
            wanted.append(c);
    }
    if (wanted.isEmpty())
        return false;
    wanted.append(u'/');

    // The line with the blanks around each slash removed, so that a place is one word.
    QString joined;
    joined.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u' ' || c == u'\t') {
            qsizetype j = i;
            while (j < line.size() && (line[j] == u' ' || line[j] == u'\t'))
                ++j;
            const bool slashAfter = j < line.size() && line[j] == u'/';
            const bool slashBefore = !joined.isEmpty() && joined.back() == u'/';
            if (!slashAfter && !slashBefore)
                joined.append(u' ');
            i = j - 1;
            continue;
        }
        joined.append(c);
    }
    const QStringList words = joined.split(u' ', Qt::SkipEmptyParts);
    for (const QString &w : words) {
        if (w.startsWith(wanted))
            return true;
    }
    return false;
}

// A service-port row: INDEX VLAN ATTR TYPE F/S/P VPI VCI FLOW-TYPE FLOW-PARA RX TX STATE.
// The OLT pads the state column with blanks; a state that ends the line
// without them is still the state, not an empty one (an "up" port must not
// show as down).
OntServicePortRow servicePortRow(QStringView line)
{
    Scanner l(line.toString());
    OntServicePortRow row;
    l.skipBlanks();
    row.index = l.takeBefore(u" ");
    l.skipBlanks();
    row.vlan = l.before(u" ");
    l.cutThrough(u"vlan"); // the flow type
    l.skipBlanks();
    for (int column = 0; column < 3; ++column) { // flow parameter, RX and TX traffic tables
        l.cutThrough(u" ");
        l.skipBlanks();
    }
    row.state = l.beforeOrRest(u" ");
    row.up = row.state.contains(u"up");
    return row;
}

// A MAC row: SRV-P BUNDLE TYPE MAC MAC-TYPE F /S /P VPI VCI VLAN.
OntMacRow macRow(QStringView line, const QString &ponType)
{
    Scanner l(line.toString());
    OntMacRow row;
    l.cutThrough(ponType);
    l.skipBlanks();
    row.mac = l.before(u" ");
    dropUntil(l, u" ");
    dropUntil(l, u"/"); // past the MAC type and the frame
    for (int column = 0; column < 4; ++column) { // slot, port, VPI, VCI
        l.skipBlanks();
        dropUntil(l, u" ");
    }
    l.skipBlanks();
    row.vlan = l.restString();
    return row;
}

OntOptics opticsOff()
{
    const QString off = QStringLiteral("off");
    return OntOptics{off, off, off, off, off, true};
}

OntOptics readOptics(QStringView part)
{
    // The OLT refused the listing (typically "Failure: The ONT is not online"):
    // there are no levels, and reading on would take the prompt for them.
    if (part.contains(u"ailure:"))
        return opticsOff();

    Scanner o(part.toString().toLower());
    OntOptics v;
    v.ontRx = textUntilComma(readField(o, u"rx"));
    if (v.ontRx.contains(u"ont")) // the OLT's word that the ONT is not online
        v.ontRx = QStringLiteral("off");
    v.ontTx = offWhenEmpty(textUntilComma(readField(o, u"tx")));
    v.bias = readField(o, u"bias");
    if (v.bias.size() > 5)
        v.bias = QStringLiteral("off");
    v.temperature = readField(o, u"emperature");
    // The first "optical" after the temperature line is the OLT's receive line.
    v.oltRx = offWhenEmpty(textUntilComma(readField(o, u"optical")));
    return v;
}

} // namespace

OntInfo parseOntInfo(const QString &answer)
{
    Scanner t(answer.toLower());
    // Each search starts after the previous field, so the two "time" keys
    // read the last up time and then the last down time.
    OntInfo info;
    info.runState = readField(t, u"state");
    info.distance = readField(t, u"distance");
    info.lastDownCause = readField(t, u"cause");
    info.lastUpTime = readField(t, u"time");
    info.lastDownTime = readField(t, u"time");
    info.onlineDuration = readField(t, u"duration");
    info.lineProfile = readField(t, u"line profile");
    info.serviceProfile = readField(t, u"service profile");
    return info;
}

OntDiagnosis parseOntDiagnosis(const QString &joined, const QString &frameSlot, const QString &ponType)
{
    const QStringView text(joined);
    const qsizetype addresses = text.indexOf(kAddressesMarker);
    const qsizetype opticsFrom = addresses < 0 ? 0 : addresses + kAddressesMarker.size();
    const qsizetype optics = text.indexOf(kOpticsMarker, opticsFrom);

    OntDiagnosis d;
    if (addresses >= 0) {
        for (QStringView line : tableRows(text.left(addresses), u"PARA")) {
            if (rowOnSlot(line, frameSlot))
                d.servicePorts.append(servicePortRow(line));
        }
        const QStringView macPart = text.mid(opticsFrom, optics < 0 ? text.size() - opticsFrom : optics - opticsFrom);
        if (!ponType.isEmpty()) {
            for (QStringView line : tableRows(macPart, u"SRV-P")) {
                if (line.contains(ponType) && rowOnSlot(line, frameSlot))
                    d.macs.append(macRow(line, ponType));
            }
        }
    }
    d.optics = optics < 0 ? opticsOff() : readOptics(text.mid(optics + kOpticsMarker.size()));
    return d;
}

bool opticsComplete(const QString &joined)
{
    const qsizetype i = joined.indexOf(kOpticsMarker);
    if (i < 0)
        return false;
    const QStringView part = QStringView(joined).mid(i + kOpticsMarker.size());
    return part.contains(u"mperature") || part.contains(u"ailure:");
}

std::optional<int> signalLevel(const QString &level)
{
    QString number = level;
    number.replace(u',', u'.');
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // Halves go to the even neighbour.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    if (rounded <= double(INT_MIN))
        return INT_MIN;
    if (rounded >= double(INT_MAX))
        return INT_MAX;
    return int(rounded);
}

} // namespace tervix::core
