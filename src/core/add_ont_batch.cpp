#include "core/add_ont_batch.h"

#include "core/form_input_rules.h"
#include "core/service_port_field.h"
#include "core/timing.h"

namespace tervix::core {

namespace {

QString flagText(bool b)
{
    return b ? QStringLiteral("-1") : QStringLiteral("0");
}

PacedLine line(QString l, int wait = timing::kAddLineWaitMs)
{
    return PacedLine::send(std::move(l), wait, false);
}

QString ontAdd(const AddOntValues &f, bool epon)
{
    return QStringLiteral("ont add ") + f.port + u' ' + f.id + u' '
        + (epon ? QStringLiteral("mac-auth ") : QStringLiteral("sn-auth ")) + f.mac
        + (epon ? QStringLiteral(" oam") : QStringLiteral(" omci"))
        + QStringLiteral(" ont-lineprofile-id ") + f.lineProfile + u' '
        + QStringLiteral("ont-srvprofile-id ") + f.srvProfile
        + QStringLiteral(" desc \"") + f.name + u'"';
}

QString servicePort(const AddOntValues &f, const ServicePortRow &w, bool epon)
{
    QString l = QStringLiteral("service-port ") + w.serviceport + QStringLiteral(" vlan ") + w.vlan
        + (epon ? QStringLiteral(" epon ") : QStringLiteral(" gpon ")) + f.frame + u'/' + f.slot + u'/' + f.port
        + QStringLiteral(" ont ") + f.id;
    if (!epon)
        l += QStringLiteral(" gemport ") + w.gemport;
    l += QStringLiteral(" multi-service user-vlan ") + w.userVlan;
    l += w.native_ ? QStringLiteral(" tag-transform transparent") : QStringLiteral(" tag-transform translate");
    return l;
}

// Both batches share everything up to the service ports.
CommandBatch batchStart(const AddOntValues &f, bool epon)
{
    CommandBatch b;
    b.append(PacedLine::send(QStringLiteral("config"), timing::kAddLineWaitMs, true));
    b.append(line((epon ? QStringLiteral("interface epon ") : QStringLiteral("interface gpon ")) + f.frame + u'/'
                   + f.slot));
    b.append(line(ontAdd(f, epon)));
    for (const ServicePortRow &w : f.rows) {
        if (w.enabled && w.native_)
            b.append(line(QStringLiteral("ont port native-vlan ") + f.port + u' ' + f.id
                           + QStringLiteral(" eth 1 vlan ") + w.vlan));
    }
    b.append(line(QStringLiteral("ont port attribute ") + f.port + u' ' + f.id + QStringLiteral(" catv ")
                   + QString::number(f.catvPort)
                   + (f.catv ? QStringLiteral(" operational-state on") : QStringLiteral(" operational-state off"))));
    if (!f.active)
        b.append(line(QStringLiteral("ont deactivate ") + f.port + u' ' + f.id, 0));
    b.append(line(QStringLiteral("quit")));
    for (const ServicePortRow &w : f.rows) {
        if (w.enabled)
            b.append(line(servicePort(f, w, epon)));
    }
    return b;
}

QString fieldLabel(FieldRef p)
{
    const QString n = QString::number(p.row + 1);
    switch (p.field) {
    case Field::ServicePort: return QStringLiteral("ServicePort ") + n;
    case Field::Vlan: return QStringLiteral("VLAN ") + n;
    case Field::Gemport: return QStringLiteral("GEM port ") + n;
    case Field::UserVlan: return QStringLiteral("User VLAN ") + n;
    case Field::Frame: return QStringLiteral("Rama / Frame");
    case Field::Slot: return QStringLiteral("Slot");
    case Field::Port: return QStringLiteral("Port");
    case Field::OntId: return QStringLiteral("ID ONT");
    case Field::LineProfile: return QStringLiteral("LineProfile");
    case Field::SrvProfile: return QStringLiteral("SrvProfile");
    case Field::SerialOrMac: return QStringLiteral("MAC-S/N-auth");
    case Field::Name: return QStringLiteral("WlasnaNazwa");
    case Field::SubscriberId: return QStringLiteral("ID klienta / customer id");
    case Field::PonType: return QStringLiteral("E/G PON");
    }
    return QString();
}

QString numberOnlyMessage(FieldRef p)
{
    const QString e = fieldLabel(p);
    return QStringLiteral("Pole \"") + e + QStringLiteral("\" moze zawierac tylko liczbe (bez spacji i innych znakow).\n")
        + QStringLiteral("The field \"") + e + QStringLiteral("\" may hold only a number (no spaces, no other characters).");
}

} // namespace

QString AddOntValues::ponTypeText() const
{
    switch (ponTypeIndex) {
    case 1: return QStringLiteral("E.PON");
    case 2: return QStringLiteral("G.PON");
    default: return QStringLiteral("-- Wykryj E/G PON --");
    }
}

QString servicePortsField(const AddOntValues &f)
{
    QString out;
    for (const ServicePortRow &w : f.rows) {
        const bool disabled = !w.enabled;
        // A row that is off keeps only its flags and GEM port; its numbers are "-".
        const auto orDash = [disabled](const QString &v) { return disabled ? QStringLiteral("-") : v; };
        out += flagText(w.enabled) + u';' + orDash(w.serviceport) + u';' + orDash(w.vlan) + u';' + flagText(w.native_)
            + u';' + flagText(w.igmp) + u';' + w.gemport + u';' + orDash(w.userVlan) + QStringLiteral(";^");
    }
    return out;
}

QString catvAttribute(const AddOntValues &f)
{
    return flagText(f.catv) + u';' + QString::number(f.catvPort) + QStringLiteral(";^");
}

QString activeFlagText(const AddOntValues &f)
{
    return f.active ? QStringLiteral("0") : QStringLiteral("1");
}

namespace {
// An IGMP row's user and multicast membership, typed in the "btv" mode; the
// two types differ only in the wait after the last line.
void appendIgmp(CommandBatch &b, const ServicePortRow &w, int waitAfterMembership)
{
    b.append(line(QStringLiteral("btv")));
    b.append(line(QStringLiteral("igmp user add service-port ") + w.serviceport + QStringLiteral(" no-auth")));
    b.append(line(QStringLiteral("multicast-vlan ") + w.vlan));
    b.append(line(QStringLiteral("igmp multicast-vlan member service-port ") + w.serviceport, waitAfterMembership));
}
} // namespace

CommandBatch gponAddBatch(const AddOntValues &f)
{
    CommandBatch b = batchStart(f, false);
    for (const ServicePortRow &w : f.rows) {
        if (w.enabled && w.igmp)
            appendIgmp(b, w, 0);
    }
    b.append(PacedLine::wait(timing::kAddLineWaitMs));
    b.append(line(QStringLiteral("quit"), 0));
    return b;
}

CommandBatch eponAddBatch(const AddOntValues &f)
{
    CommandBatch b = batchStart(f, true);
    for (const ServicePortRow &w : f.rows) {
        if (!(w.enabled && w.igmp))
            continue;
        appendIgmp(b, w, timing::kAddLineWaitMs);
        b.append(line(QStringLiteral("quit"), 0));
    }
    return b;
}

OntRecord addedOntRow(const AddOntValues &f)
{
    OntRecord r;
    r.origin = QStringLiteral("+");
    r.ponType = f.ponTypeText();
    r.frame = f.frame;
    r.slot = f.slot;
    r.port = f.port;
    r.ontId = f.id;
    r.name = f.name;
    r.serialOrMac = f.mac;
    r.lineProfile = f.lineProfile;
    r.serviceProfile = f.srvProfile;
    r.servicePorts = servicePortsField(f);
    r.levels = QStringLiteral("-");
    r.catv = catvAttribute(f);
    r.subscriberId = f.subscriberId;
    r.active = activeFlagText(f);
    r.image = RowImage::NoImage;
    initBasicTexts(r, QString(), QStringLiteral("Opis"));
    r.basicImage = RowImage::Added;
    return r;
}

std::optional<Duplicate> findDuplicate(const std::vector<OntRecord> &rows, int skipRow,
                                         const AddOntValues &f)
{
    const QString pos = f.frame + u'.' + f.slot + u'.' + f.port + u'.' + f.id + u'.';
    for (int i = 0; i < int(rows.size()); ++i) {
        if (i == skipRow)
            continue;
        const OntRecord &c = rows[size_t(i)];
        const QString rpos = c.frame + u'.' + c.slot + u'.' + c.port + u'.' + c.ontId + u'.';
        if (rpos == pos)
            return Duplicate{Duplicate::Kind::Place, i};
        if (c.serialOrMac == f.mac)
            return Duplicate{Duplicate::Kind::SerialOrMac, i};
    }
    return std::nullopt;
}

QString duplicateCaption(Duplicate::Kind r)
{
    return r == Duplicate::Kind::Place ? QStringLiteral("ONT exists! Koncowka powtarza sie!")
                                          : QStringLiteral("ONT exists MAC-SN! Koncowka powtarza sie!");
}

QString duplicateText(Duplicate::Kind r, const OntRecord &row, const AddOntValues &f)
{
    const QString &name = row.name;
    const QString &mac = row.serialOrMac;
    if (r == Duplicate::Kind::Place)
        return QStringLiteral("ONT Exists! Nie mozesz zmienic tej koncowce id. Poniewaz zaproponowany loid -> ") + f.id
            + QStringLiteral(" <- znajduje sie juz na liscie jako") + u'\n' + name + u'\n' + QStringLiteral("mac-sn: ")
            + mac;
    return QStringLiteral("ONT Exists MAC-SN! ONT znajaduje sie juz na liscie: mac-sn -> ") + mac
        + QStringLiteral(" znajduje sie juz na liscie ") + QStringLiteral("loid: ") + f.id + u'\n' + name + u'\n'
        + QStringLiteral("Aby dodac usun ten sn/mac z listy. IF you want add ont, you must delete sn/mac from list!");
}

FormCheck checkAddForm(const AddOntValues &f, bool addMode)
{
    FormCheck w;
    auto check = [&](FieldRef p, bool ok, QString message = QString()) {
        w.checked.append(p);
        if (!ok)
            w.error = FormError{p, std::move(message)};
        return ok;
    };
    auto number = [&](FieldRef p, const QString &v) { return check(p, isPlainNumber(v), numberOnlyMessage(p)); };

    // The checks the form has always made: they only paint the field.
    if (!check({Field::ServicePort, 0}, startsWithDigit(f.rows[0].serviceport))
        || !check({Field::Frame}, startsWithDigit(f.frame)) || !check({Field::Slot}, startsWithDigit(f.slot))
        || !check({Field::Port}, startsWithDigit(f.port)) || !check({Field::SerialOrMac}, f.mac.size() >= 6))
        return w;
    if (addMode && !check({Field::OntId}, startsWithDigit(f.id)))
        return w;

    if (!check({Field::PonType}, f.ponTypeIndex == 1 || f.ponTypeIndex == 2,
                 QStringLiteral("Wybierz typ ONT: E.PON lub G.PON. Nic nie zostalo wyslane.\n"
                                "Choose the ONT type: E.PON or G.PON. Nothing was sent.")))
        return w;
    if (!number({Field::Frame}, f.frame) || !number({Field::Slot}, f.slot) || !number({Field::Port}, f.port)
        || !number({Field::OntId}, f.id))
        return w;
    if (!check({Field::SerialOrMac}, isValidSerialOrMac(f.mac),
                 QStringLiteral("MAC/SN moze zawierac tylko litery, cyfry oraz - : .\n"
                                "MAC/SN may hold only letters, digits and - : .")))
        return w;
    const QString nameProblem = nameError(f.name);
    if (!check({Field::Name}, nameProblem.isEmpty(),
                 QStringLiteral("Nazwa nie moze byc pusta ani zawierac cudzyslowu (\"), znaku zapytania, znakow sterujacych, "
                                "znakow spoza Windows-1250, ^! ani *^: ")
                     + nameProblem + u'\n'
                     + QStringLiteral("The name must not be empty nor hold a double quote, a question mark, control "
                                      "characters, characters outside Windows-1250, ^! or *^.")))
        return w;
    if (!number({Field::LineProfile}, f.lineProfile) || !number({Field::SrvProfile}, f.srvProfile))
        return w;
    for (int i = 0; i < int(f.rows.size()); ++i) {
        const ServicePortRow &r = f.rows[size_t(i)];
        if (r.enabled) {
            if (!number({Field::ServicePort, i}, r.serviceport) || !number({Field::Vlan, i}, r.vlan)
                || !number({Field::Gemport, i}, r.gemport) || !number({Field::UserVlan, i}, r.userVlan))
                return w;
        } else if (!r.gemport.isEmpty()) {
            // A disabled row is not sent, but its GEM port is stored.
            if (!number({Field::Gemport, i}, r.gemport))
                return w;
        }
    }
    const QString idError = textError(f.subscriberId);
    check({Field::SubscriberId}, idError.isEmpty(),
            QStringLiteral("ID klienta nie moze zawierac cudzyslowu, znaku zapytania, znakow sterujacych, znakow spoza "
                           "Windows-1250, ^! ani *^: ")
                + idError + u'\n'
                + QStringLiteral("The customer id must not hold a double quote, a question mark, control characters, "
                                 "characters outside Windows-1250, ^! or *^."));
    return w;
}

} // namespace tervix::core
