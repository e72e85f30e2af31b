#include "core/ont_change.h"

#include "core/catv_attribute.h"
#include "core/ont_data_file.h"
#include "core/service_port_field.h"
#include "core/timing.h"

#include <functional>

namespace tervix::core {

namespace {

const QLatin1StringView kFreeName{"--WOLNY--"};

PacedLine line(QString l, int wait = timing::kOntLineWaitMs)
{
    return PacedLine::send(std::move(l), wait, false);
}

// The first line of a batch empties the receive buffer, so that the buffer
// holds the batch's answers and nothing older.
PacedLine firstLine(QString l)
{
    return PacedLine::send(std::move(l), timing::kOntLineWaitMs, true);
}

QString interfaceLine(const QString &type, const QString &frame, const QString &slot)
{
    return QStringLiteral("interface ") + type + u' ' + frame + u'/' + slot;
}

int lineStarting(const BatchAnswers &answers, QStringView start)
{
    for (int i = 0; i < answers.lines.size(); ++i) {
        if (answers.lines[i].typed.startsWith(start))
            return i;
    }
    return -1;
}

// The answers to a confirmation ("y", "1") only matter through the line that asked.
bool isConfirmation(const QString &typed)
{
    return typed == u"y" || typed == u"1";
}

} // namespace

QString batchProblems(const BatchAnswers &answers)
{
    QStringList out;
    for (const LineAnswer &a : answers.lines) {
        if (a.outcome == LineOutcome::Refused)
            out.append(a.typed + QStringLiteral("\n  -> ") + a.reason);
        else if (a.outcome == LineOutcome::Unanswered && !isConfirmation(a.typed))
            out.append(QStringLiteral("(brak odpowiedzi / no answer) ") + a.typed);
    }
    return out.join(u'\n');
}

namespace {

QString effectiveUser(const ServicePortRow &r)
{
    return r.userVlan.isEmpty() || r.userVlan == u"-" ? r.vlan : r.userVlan;
}

bool sameServicePorts(const AddOntValues &a, const AddOntValues &b)
{
    for (size_t i = 0; i < a.rows.size(); ++i) {
        const ServicePortRow &x = a.rows[i];
        const ServicePortRow &y = b.rows[i];
        if (x.enabled != y.enabled)
            return false;
        if (!x.enabled)
            continue; // a row that is off creates nothing on the OLT
        if (x.serviceport != y.serviceport || x.vlan != y.vlan || effectiveUser(x) != effectiveUser(y)
            || x.native_ != y.native_ || x.igmp != y.igmp)
            return false;
        // EPON service ports have no GEM port.
        if (!b.epon() && x.gemport != y.gemport)
            return false;
    }
    return true;
}

bool sameStoredFields(const OntRecord &a, const OntRecord &b)
{
    for (QString OntRecord::*m : kStoredMembers) {
        if (a.*m != b.*m)
            return false;
    }
    return true;
}

QString modifyStart(const AddOntValues &f)
{
    return QStringLiteral("ont modify ") + f.port + u' ' + f.id;
}

// The in-place lines, each with the flag it carries out.
struct ChangeLine
{
    bool OntChangeFlags::*flag;
    PacedLine line;
};

QList<ChangeLine> changeLines(const AddOntValues &f, const OntChangeFlags &flags)
{
    QList<ChangeLine> out;
    const QString place = f.port + u' ' + f.id;
    if (flags.active)
        out.append({&OntChangeFlags::active,
                    line((f.active ? QStringLiteral("ont activate ") : QStringLiteral("ont deactivate ")) + place, 0)});
    if (flags.catv)
        out.append({&OntChangeFlags::catv,
                    line(QStringLiteral("ont port attribute ") + place + QStringLiteral(" catv ")
                         + QString::number(f.catvPort)
                         + (f.catv ? QStringLiteral(" operational-state on") : QStringLiteral(" operational-state off")))});
    if (flags.name)
        out.append({&OntChangeFlags::name, line(renameLine(f))});
    if (flags.serial) {
        out.append({&OntChangeFlags::serial,
                    line(modifyStart(f) + (f.epon() ? QStringLiteral(" mac ") : QStringLiteral(" sn ")) + f.mac)});
        out.append({nullptr, line(QStringLiteral("1"), timing::kSerialConfirmWaitMs)});
    }
    if (flags.lineProfile)
        out.append({&OntChangeFlags::lineProfile, line(modifyStart(f) + QStringLiteral(" ont-lineprofile-id ") + f.lineProfile)});
    if (flags.srvProfile)
        out.append({&OntChangeFlags::srvProfile, line(modifyStart(f) + QStringLiteral(" ont-srvprofile-id ") + f.srvProfile)});
    return out;
}

} // namespace

bool isFreeRow(const OntRecord &row)
{
    return row.ponType.trimmed() == u"-";
}

OntRecord freedOntRow(OntRecord row)
{
    row.image = RowImage::Freed;
    row.ponType = row.frame = row.slot = row.port = row.ontId = QStringLiteral("-");
    row.name = row.serialOrMac = QString(kFreeName);
    row.lineProfile = row.serviceProfile = QStringLiteral("-");
    return row;
}

QString interfaceType(const QString &ponTypeText)
{
    return ponTypeText.contains(QStringLiteral("G.")) ? QStringLiteral("gpon") : QStringLiteral("epon");
}

CommandBatch deleteOntBatch(const OntRecord &row)
{
    if (isFreeRow(row))
        return {};
    return {
        firstLine(QStringLiteral("config")),
        line(QStringLiteral("undo service-port port ") + row.frame + u'/' + row.slot + u'/' + row.port
             + QStringLiteral(" ont ") + row.ontId),
        line(QStringLiteral("y"), timing::kDeleteConfirmWaitMs),
        line(interfaceLine(interfaceType(row.ponType), row.frame, row.slot)),
        line(QStringLiteral("ont delete ") + row.port + u' ' + row.ontId, timing::kDeleteConfirmWaitMs),
        line(QStringLiteral("quit")),
    };
}

CommandBatch rebootOntBatch(const QString &ponType, const QString &frame, const QString &slot, const QString &port,
                            const QString &ontId)
{
    return {
        firstLine(QStringLiteral("config")),
        line(interfaceLine(ponType, frame, slot)),
        line(QStringLiteral("ont reset ") + port + u' ' + ontId),
        line(QStringLiteral("y")),
        line(QStringLiteral("quit"), 0),
    };
}

OntActionResult judgeDelete(const BatchAnswers &answers)
{
    const int del = lineStarting(answers, u"ont delete ");
    if (del >= 0 && answers.lines[del].outcome == LineOutcome::Accepted)
        return {true, QString()};
    return {false, batchProblems(answers)};
}

OntActionResult judgeReboot(const BatchAnswers &answers)
{
    // The OLT asks before it resets; its refusal comes after the "y".
    const int reset = lineStarting(answers, u"ont reset ");
    if (reset >= 0 && reset + 1 < answers.lines.size() && answers.lines[reset].outcome == LineOutcome::Accepted
        && answers.lines[reset + 1].outcome == LineOutcome::Accepted)
        return {true, QString()};
    QString problem = batchProblems(answers);
    if (problem.isEmpty() && reset >= 0 && reset + 1 < answers.lines.size())
        problem = QStringLiteral("(brak odpowiedzi / no answer) ") + answers.lines[reset].typed;
    return {false, problem};
}

AddResult judgeAdd(const BatchAnswers &answers)
{
    AddResult r;
    const int add = lineStarting(answers, u"ont add ");
    r.ontAdded = add >= 0 && answers.lines[add].outcome == LineOutcome::Accepted;
    r.complete = r.ontAdded && answers.allAccepted();
    if (!r.complete)
        r.problem = batchProblems(answers);
    return r;
}

EditLoad editLoadOf(const OntRecord &row, const AddOntValues &form)
{
    EditLoad load;
    AddOntValues &v = load.values;
    v = form;
    v.ponTypeIndex = row.ponType.contains(QStringLiteral("G.")) ? 2 : 1;
    v.frame = row.frame;
    v.slot = row.slot;
    v.port = row.port;
    v.id = row.ontId;
    v.name = row.name;
    v.mac = row.serialOrMac;
    v.lineProfile = row.lineProfile;
    v.srvProfile = row.serviceProfile;
    v.subscriberId = row.subscriberId;
    v.active = row.active.trimmed() != u"1";
    const CatvAttribute catv = parseCatvAttribute(row.catv);
    v.catv = catv.catv == u"-1";
    bool ok = false;
    const int port = catv.catvPort.toInt(&ok);
    v.catvPort = ok && port >= 1 && port <= 48 ? port : 1;
    load.profilesUnknown = row.lineProfile == u"-" || row.serviceProfile == u"-";

    const ServicePortField field = decodeServicePortField(row.servicePorts);
    for (size_t i = 0; i < field.slots.size(); ++i) {
        const ServicePortSlot &s = field.slots[i];
        ServicePortRow &r = v.rows[i];
        if (s.active.isEmpty())
            continue;
        r.enabled = s.active == u"-1";
        r.serviceport = s.index;
        r.vlan = s.vlanId;
        if (s.nativeVlan.contains(u'?')) {
            load.nativeUnknown[i] = r.enabled;
            r.native_ = false;
        } else {
            r.native_ = s.nativeVlan == u"-1";
        }
        r.igmp = s.igmp == u"-1";
        if (s.gemPort != u"-" && !s.gemPort.isEmpty())
            r.gemport = s.gemPort;
        r.userVlan = s.userVlan;
    }
    return load;
}

QHash<QString, bool> nativeFlagsFromServicePorts(const QString &answers)
{
    QHash<QString, bool> out;
    const QString t = answers.toLower();
    qsizetype at = 0;
    while (true) {
        const qsizetype index = t.indexOf(QStringLiteral("index"), at);
        if (index < 0)
            break;
        const qsizetype colon = t.indexOf(u':', index);
        if (colon < 0)
            break;
        qsizetype end = colon + 1;
        while (end < t.size() && t[end] != u'\r' && t[end] != u'\n')
            ++end;
        const QString index_ = t.mid(colon + 1, end - colon - 1).trimmed();
        // The service port's block runs to the answer's note, or to the next
        // service port when a cut answer has none.
        qsizetype blockEnd = t.indexOf(QStringLiteral("note:"), end);
        const qsizetype nextIndex = t.indexOf(QStringLiteral("index"), end);
        if (blockEnd < 0 || (nextIndex >= 0 && nextIndex < blockEnd))
            blockEnd = nextIndex < 0 ? t.size() : nextIndex;
        if (!index_.isEmpty())
            out.insert(index_, t.mid(end, blockEnd - end).contains(QStringLiteral("transparent")));
        at = blockEnd;
    }
    return out;
}

OntChange decideOntChange(const OntRecord &row, const AddOntValues &loaded, const AddOntValues &form)
{
    OntChange c;
    const bool keyChanged = form.ponTypeIndex != loaded.ponTypeIndex || form.frame != loaded.frame
        || form.slot != loaded.slot || form.port != loaded.port || form.id != loaded.id
        || !sameServicePorts(loaded, form);
    if (keyChanged) {
        if (servicePortGroupCount(row.servicePorts) > ServicePortField::kSlots) {
            c.kind = OntChange::Kind::Refused;
            c.refusal = QStringLiteral(
                "Ten ONT ma na liscie wiecej niz 4 service-porty. Zmiana miejsca, ID lub service-portow usunelaby z OLT "
                "te ponad cztery, ktorych formularz nie pokazuje. Nic nie zostalo wyslane.\n"
                "This ONT has more than four service ports in the list. Changing its place, id or service ports would "
                "delete the ones beyond four, which the form cannot show, from the OLT. Nothing was sent.");
            return c;
        }
        c.kind = OntChange::Kind::Recreate;
        return c;
    }
    c.flags.name = form.name != loaded.name;
    c.flags.catv = catvAttribute(form) != catvAttribute(loaded);
    c.flags.serial = form.mac != loaded.mac;
    c.flags.lineProfile = form.lineProfile != loaded.lineProfile;
    c.flags.srvProfile = form.srvProfile != loaded.srvProfile;
    c.flags.active = form.active != loaded.active;
    if (c.flags.any())
        c.kind = OntChange::Kind::InPlace;
    else if (OntRecord normalised = changedOntRow(row, form);
             (normalised.origin = row.origin, !sameStoredFields(normalised, row)))
        c.kind = OntChange::Kind::LocalOnly;
    return c;
}

CommandBatch ontChangeBatch(const AddOntValues &form, const OntChangeFlags &flags)
{
    CommandBatch b{firstLine(QStringLiteral("config")),
                   line(interfaceLine(form.epon() ? QStringLiteral("epon") : QStringLiteral("gpon"), form.frame, form.slot))};
    for (const ChangeLine &c : changeLines(form, flags))
        b.append(c.line);
    b.append(line(QStringLiteral("quit"), 0));
    return b;
}

OntChangeFlags confirmedChanges(const AddOntValues &form, const OntChangeFlags &flags, const BatchAnswers &answers)
{
    OntChangeFlags confirmed;
    int from = 0;
    for (const ChangeLine &c : changeLines(form, flags)) {
        if (!c.flag)
            continue;
        for (int i = from; i < answers.lines.size(); ++i) {
            if (answers.lines[i].typed == c.line.line) {
                confirmed.*(c.flag) = answers.lines[i].outcome == LineOutcome::Accepted;
                from = i + 1;
                break;
            }
        }
    }
    return confirmed;
}

OntRecord changedOntRow(const OntRecord &row, const AddOntValues &form, const OntChangeFlags &keepOld)
{
    OntRecord r = row;
    r.origin = QStringLiteral("+");
    r.ponType = form.ponTypeText();
    r.frame = form.frame;
    r.slot = form.slot;
    r.port = form.port;
    r.ontId = form.id;
    r.name = keepOld.name ? row.name : form.name;
    r.serialOrMac = keepOld.serial ? row.serialOrMac : form.mac;
    r.lineProfile = keepOld.lineProfile ? row.lineProfile : form.lineProfile;
    r.serviceProfile = keepOld.srvProfile ? row.serviceProfile : form.srvProfile;
    // Groups beyond the form's four would be lost: such a field stays as stored.
    if (servicePortGroupCount(row.servicePorts) <= ServicePortField::kSlots)
        r.servicePorts = servicePortsField(form);
    r.catv = keepOld.catv ? row.catv : catvAttribute(form);
    r.subscriberId = form.subscriberId;
    r.active = keepOld.active ? row.active : activeFlagText(form);
    r.nameNote = QStringLiteral("Opis:");
    r.basicImage = RowImage::Added;
    return r;
}

OntRecord changedOntRow(const OntRecord &row, const AddOntValues &form)
{
    return changedOntRow(row, form, OntChangeFlags{});
}

int servicePortGroupCount(const QString &stored)
{
    return int(stored.count(u'^'));
}

QString renameLine(const AddOntValues &f)
{
    return modifyStart(f) + QStringLiteral(" desc \"") + f.name + u'"';
}

} // namespace tervix::core
