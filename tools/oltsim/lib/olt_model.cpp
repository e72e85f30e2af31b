#include "olt_model.h"

#include <algorithm>

namespace oltsim {

namespace {
template<typename T, typename Pred>
T *findIn(QList<T> &list, Pred pred)
{
    for (T &item : list) {
        if (pred(item))
            return &item;
    }
    return nullptr;
}

template<typename T, typename Pred>
const T *findIn(const QList<T> &list, Pred pred)
{
    for (const T &item : list) {
        if (pred(item))
            return &item;
    }
    return nullptr;
}
} // namespace

Ont *OltModel::findOnt(int f, int s, int p, int id)
{
    return findIn(onts, [&](const Ont &o) { return o.frame == f && o.slot == s && o.port == p && o.id == id; });
}

const Ont *OltModel::findOnt(int f, int s, int p, int id) const
{
    return findIn(onts, [&](const Ont &o) { return o.frame == f && o.slot == s && o.port == p && o.id == id; });
}

Ont *OltModel::findOntBySn(const QString &sn)
{
    return findIn(onts, [&](const Ont &o) { return o.sn.compare(sn, Qt::CaseInsensitive) == 0; });
}

Board *OltModel::board(int slot)
{
    return findIn(boards, [&](const Board &b) { return b.slot == slot && !b.name.isEmpty(); });
}

const Board *OltModel::board(int slot) const
{
    return findIn(boards, [&](const Board &b) { return b.slot == slot && !b.name.isEmpty(); });
}

Vlan *OltModel::vlan(int id)
{
    return findIn(vlans, [&](const Vlan &v) { return v.id == id; });
}

const Vlan *OltModel::vlan(int id) const
{
    return findIn(vlans, [&](const Vlan &v) { return v.id == id; });
}

ServicePort *OltModel::servicePort(int index)
{
    return findIn(servicePorts, [&](const ServicePort &sp) { return sp.index == index; });
}

const ServicePort *OltModel::servicePort(int index) const
{
    return findIn(servicePorts, [&](const ServicePort &sp) { return sp.index == index; });
}

LineProfile *OltModel::lineProfile(int id, bool epon)
{
    return findIn(lineProfiles, [&](const LineProfile &p) { return p.id == id && p.epon == epon; });
}

const LineProfile *OltModel::lineProfile(int id, bool epon) const
{
    return findIn(lineProfiles, [&](const LineProfile &p) { return p.id == id && p.epon == epon; });
}

SrvProfile *OltModel::srvProfile(int id, bool epon)
{
    return findIn(srvProfiles, [&](const SrvProfile &p) { return p.id == id && p.epon == epon; });
}

const SrvProfile *OltModel::srvProfile(int id, bool epon) const
{
    return findIn(srvProfiles, [&](const SrvProfile &p) { return p.id == id && p.epon == epon; });
}

DbaProfile *OltModel::dbaProfile(int id)
{
    return findIn(dbaProfiles, [&](const DbaProfile &p) { return p.id == id; });
}

const DbaProfile *OltModel::dbaProfile(int id) const
{
    return findIn(dbaProfiles, [&](const DbaProfile &p) { return p.id == id; });
}

User *OltModel::user(const QString &name)
{
    return findIn(users, [&](const User &u) { return u.name == name; });
}

const User *OltModel::user(const QString &name) const
{
    return findIn(users, [&](const User &u) { return u.name == name; });
}

bool OltModel::isIgmpUser(int sp) const
{
    return findIn(igmpUsers, [&](const IgmpUser &u) { return u.servicePort == sp; }) != nullptr;
}

int OltModel::lineBindings(int id, bool epon) const
{
    return int(std::count_if(onts.begin(), onts.end(), [&](const Ont &o) { return o.epon == epon && o.lineProfile == id; }));
}

int OltModel::srvBindings(int id, bool epon) const
{
    return int(std::count_if(onts.begin(), onts.end(), [&](const Ont &o) { return o.epon == epon && o.srvProfile == id; }));
}

int OltModel::dbaBindings(int id) const
{
    int n = 0;
    for (const LineProfile &p : lineProfiles) {
        for (const Tcont &t : p.tconts) {
            if (t.dba == id)
                ++n;
        }
    }
    return n;
}

int OltModel::nextFreeServicePort() const
{
    QSet<int> used;
    for (const ServicePort &sp : servicePorts)
        used.insert(sp.index);
    int i = 0;
    while (used.contains(i))
        ++i;
    return i;
}

QList<const Ont *> OltModel::ontsOnPort(int f, int s, int p) const
{
    QList<const Ont *> out;
    for (const Ont &o : onts) {
        if (o.frame == f && o.slot == s && o.port == p)
            out.append(&o);
    }
    std::sort(out.begin(), out.end(), [](const Ont *a, const Ont *b) { return a->id < b->id; });
    return out;
}

QList<const Ont *> OltModel::sortedOnts() const
{
    QList<const Ont *> out;
    out.reserve(onts.size());
    for (const Ont &o : onts)
        out.append(&o);
    std::sort(out.begin(), out.end(), [](const Ont *a, const Ont *b) {
        return std::tie(a->frame, a->slot, a->port, a->id) < std::tie(b->frame, b->slot, b->port, b->id);
    });
    return out;
}

QList<const ServicePort *> OltModel::sortedServicePorts() const
{
    QList<const ServicePort *> out;
    out.reserve(servicePorts.size());
    for (const ServicePort &sp : servicePorts)
        out.append(&sp);
    std::sort(out.begin(), out.end(), [](const ServicePort *a, const ServicePort *b) { return a->index < b->index; });
    return out;
}

QDateTime OltModel::now() const
{
    return QDateTime::currentDateTimeUtc().addSecs(clockOffsetSecs + qint64(utcOffsetMinutes) * 60);
}

QString OltModel::utcOffsetText() const
{
    const int m = std::abs(utcOffsetMinutes);
    return QStringLiteral("%1%2:%3")
        .arg(utcOffsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(m / 60, 2, 10, QLatin1Char('0'))
        .arg(m % 60, 2, 10, QLatin1Char('0'));
}

QString OltModel::formatTime(const QDateTime &t) const
{
    // The clock is kept as local wall time in a UTC QDateTime; the offset is printed beside it.
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + utcOffsetText();
}

QString OltModel::addOnt(Ont ont)
{
    const Board *b = board(ont.slot);
    if (!b || !b->pon || ont.frame != 0)
        return QStringLiteral("Failure: The board does not exist");
    if (b->epon != ont.epon)
        return QStringLiteral("Failure: The board type does not match");
    if (ont.port < 0 || ont.port >= b->ports)
        return QStringLiteral("Failure: The port does not exist");
    if (findOnt(ont.frame, ont.slot, ont.port, ont.id))
        return QStringLiteral("Failure: The ONT ID has already existed");
    if (findOntBySn(ont.sn))
        return ont.epon ? QStringLiteral("Failure: MAC already exists") : QStringLiteral("Failure: SN already exists");
    if (!lineProfile(ont.lineProfile, ont.epon))
        return QStringLiteral("Failure: The line profile does not exist");
    if (!srvProfile(ont.srvProfile, ont.epon))
        return QStringLiteral("Failure: The service profile does not exist");
    // An ONT waiting in the autofind table of this very port comes up at once.
    for (qsizetype i = 0; i < autofind.size(); ++i) {
        const AutofindOnt &a = autofind.at(i);
        if (a.frame == ont.frame && a.slot == ont.slot && a.port == ont.port
            && a.sn.compare(ont.sn, Qt::CaseInsensitive) == 0) {
            ont.hw = a.hw;
            ont.present = true;
            autofind.removeAt(i);
            break;
        }
    }
    if (ont.online()) {
        ont.upSince = now();
        ont.lastUpTime = formatTime(ont.upSince);
    }
    onts.append(ont);
    markChanged();
    return {};
}

QString OltModel::deleteOnt(int f, int s, int p, int id)
{
    for (qsizetype i = 0; i < onts.size(); ++i) {
        const Ont &o = onts.at(i);
        if (o.frame == f && o.slot == s && o.port == p && o.id == id) {
            for (const ServicePort &sp : std::as_const(servicePorts)) {
                if (sp.frame == f && sp.slot == s && sp.port == p && sp.ont == id)
                    return QStringLiteral("Failure: The ONT has service virtual ports, please delete them first");
            }
            if (o.present) {
                // Still on the fibre: the port finds it again.
                AutofindOnt a;
                a.frame = f;
                a.slot = s;
                a.port = p;
                a.epon = o.epon;
                a.sn = o.sn;
                a.hw = o.hw;
                a.foundAt = formatTime(now());
                autofind.append(a);
            }
            onts.removeAt(i);
            markChanged();
            return {};
        }
    }
    return QStringLiteral("Failure: The ONT does not exist");
}

QString OltModel::setOntActive(int f, int s, int p, int id, bool active)
{
    Ont *o = findOnt(f, s, p, id);
    if (!o)
        return QStringLiteral("Failure: The ONT does not exist");
    if (o->active == active)
        return {};
    const bool wasOnline = o->online();
    o->active = active;
    if (wasOnline && !o->online()) {
        o->lastDownTime = formatTime(now());
        o->lastDownCause = QStringLiteral("deactive");
    } else if (!wasOnline && o->online()) {
        o->upSince = now();
        o->lastUpTime = formatTime(o->upSince);
    }
    markChanged();
    return {};
}

QString OltModel::resetOnt(int f, int s, int p, int id)
{
    Ont *o = findOnt(f, s, p, id);
    if (!o)
        return QStringLiteral("Failure: The ONT does not exist");
    if (!o->online())
        return QStringLiteral("Failure: The ONT is not online");
    ++o->resets;
    const QDateTime t = now();
    o->lastDownTime = formatTime(t);
    o->lastDyingGasp = o->lastDownTime;
    o->lastDownCause = QStringLiteral("dying-gasp");
    o->upSince = t;
    o->lastUpTime = formatTime(t);
    return {};
}

QString OltModel::factoryRestoreOnt(int f, int s, int p, int id)
{
    Ont *o = findOnt(f, s, p, id);
    if (!o)
        return QStringLiteral("Failure: The ONT does not exist");
    if (!o->online())
        return QStringLiteral("Failure: The ONT is not online");
    return resetOnt(f, s, p, id);
}

int OltModel::conflictingServicePort(const ServicePort &sp) const
{
    if (servicePort(sp.index))
        return sp.index;
    // The same flow (ONT, GEM port and user VLAN) under another index.
    for (const ServicePort &other : std::as_const(servicePorts)) {
        if (other.frame == sp.frame && other.slot == sp.slot && other.port == sp.port && other.ont == sp.ont
            && other.gemport == sp.gemport && other.userVlan == sp.userVlan)
            return other.index;
    }
    return -1;
}

QString OltModel::addServicePort(const ServicePort &sp)
{
    if (servicePort(sp.index))
        return QStringLiteral("Failure: The service virtual port has existed already");
    if (!vlan(sp.vlan))
        return QStringLiteral("Failure: The VLAN does not exist");
    const Ont *o = findOnt(sp.frame, sp.slot, sp.port, sp.ont);
    if (!o)
        return QStringLiteral("Failure: The ONT does not exist");
    if (o->epon != sp.epon)
        return QStringLiteral("Failure: The port type does not match");
    if (conflictingServicePort(sp) >= 0)
        return QStringLiteral("Failure: The service virtual port has existed already");
    servicePorts.append(sp);
    markChanged();
    return {};
}

int OltModel::deleteServicePortsOfOnt(int f, int s, int p, int id)
{
    int n = 0;
    for (qsizetype i = servicePorts.size() - 1; i >= 0; --i) {
        const ServicePort &sp = servicePorts.at(i);
        if (sp.frame == f && sp.slot == s && sp.port == p && sp.ont == id) {
            deleteIgmpUser(sp.index);
            servicePorts.removeAt(i);
            ++n;
        }
    }
    if (n)
        markChanged();
    return n;
}

QString OltModel::deleteServicePort(int index)
{
    for (qsizetype i = 0; i < servicePorts.size(); ++i) {
        if (servicePorts.at(i).index == index) {
            deleteIgmpUser(index);
            servicePorts.removeAt(i);
            markChanged();
            return {};
        }
    }
    return QStringLiteral("Failure: The service virtual port does not exist");
}

QString OltModel::addIgmpUser(int sp, const QString &auth)
{
    if (!servicePort(sp))
        return QStringLiteral("Failure: The service virtual port does not exist");
    if (isIgmpUser(sp))
        return QStringLiteral("Failure: The user already exists");
    IgmpUser u;
    u.servicePort = sp;
    u.auth = auth;
    igmpUsers.append(u);
    markChanged();
    return {};
}

QString OltModel::deleteIgmpUser(int sp)
{
    for (qsizetype i = 0; i < igmpUsers.size(); ++i) {
        if (igmpUsers.at(i).servicePort == sp) {
            igmpUsers.removeAt(i);
            for (Vlan &v : vlans)
                v.members.remove(sp);
            markChanged();
            return {};
        }
    }
    return QStringLiteral("Failure: The user does not exist");
}

void OltModel::dropOnt(Ont &ont, const QString &cause)
{
    if (!ont.present)
        return;
    const bool wasOnline = ont.online();
    ont.present = false;
    if (wasOnline) {
        ont.lastDownTime = formatTime(now());
        ont.lastDownCause = cause;
    }
}

} // namespace oltsim
