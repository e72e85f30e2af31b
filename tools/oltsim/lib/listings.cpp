#include "listings.h"

#include <QHash>

#include <algorithm>

namespace oltsim::listings {

namespace {
QString lj(const QString &s, int w)
{
    return s.leftJustified(w, QLatin1Char(' '));
}
QString rj(const QString &s, int w)
{
    return s.rightJustified(w, QLatin1Char(' '));
}
QString num(int v)
{
    return QString::number(v);
}
QString fixed(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}
// "  Label<padded>: value"; an empty value ends right after the colon, as the OLT prints it.
QString kv(int indent, const QString &label, int width, const QString &value)
{
    QString line = QString(indent, QLatin1Char(' ')) + lj(label, width) + QLatin1Char(':');
    if (!value.isEmpty())
        line += QLatin1Char(' ') + value;
    return line;
}
QString gponVendorForm(const QString &sn)
{
    // The SN's first eight hex digits are the vendor id in ASCII.
    QString vendor;
    for (int i = 0; i + 1 < 8 && i + 1 < sn.size(); i += 2) {
        bool ok = false;
        const int c = sn.mid(i, 2).toInt(&ok, 16);
        vendor += (ok && c >= 0x20 && c < 0x7f) ? QChar(c) : QLatin1Char('?');
    }
    return QStringLiteral("%1 (%2-%3)").arg(sn, vendor, sn.right(8));
}
} // namespace

QString separator(int indent, int hyphens)
{
    return QString(indent, QLatin1Char(' ')) + QString(hyphens, QLatin1Char('-'));
}

QString paddedPlace(int f, int s, int p)
{
    return QStringLiteral("%1/%2/%3").arg(f).arg(s, 2).arg(p);
}

QString onlineDuration(qint64 secs)
{
    return QStringLiteral("%1 day(s), %2 hour(s), %3 minute(s), %4 second(s)")
        .arg(secs / 86400)
        .arg((secs / 3600) % 24)
        .arg((secs / 60) % 60)
        .arg(secs % 60);
}

QStringList autofind(const OltModel &m, AutofindLayout layout)
{
    QStringList out;
    const QString sep = separator(3, 76);
    auto field = [](const QString &label, const QString &value) { return kv(3, label, 20, value); };
    for (const bool epon : {false, true}) {
        int n = 0;
        for (const AutofindOnt &a : m.autofind) {
            if (a.epon != epon)
                continue;
            ++n;
            out << sep << field(QStringLiteral("Number"), num(n))
                << field(QStringLiteral("F/S/P"), QStringLiteral("%1/%2/%3").arg(a.frame).arg(a.slot).arg(a.port));
            if (epon) {
                out << field(QStringLiteral("Ont MAC"), a.sn.toUpper())
                    << field(QStringLiteral("Password"), QString())
                    << field(QStringLiteral("Loid"), QString())
                    << field(QStringLiteral("Checkcode"), QString())
                    << field(QStringLiteral("VendorID"), a.hw.vendorId)
                    << field(QStringLiteral("Ont Model"), a.hw.equipmentId)
                    << field(QStringLiteral("Ont Version"), a.hw.version)
                    << field(QStringLiteral("Ont SoftwareVersion"), a.hw.softwareVersion)
                    << field(QStringLiteral("Ont autofind time"), a.foundAt);
                continue;
            }
            if (layout == AutofindLayout::New && !a.sn.isEmpty())
                out << field(QStringLiteral("Ont SN"), gponVendorForm(a.sn));
            else
                out << field(QStringLiteral("Ont SN"), a.sn);
            out << field(QStringLiteral("Password"), a.hw.password)
                << field(QStringLiteral("Loid"), QString())
                << field(QStringLiteral("Checkcode"), QString())
                << field(QStringLiteral("VendorID"), a.hw.vendorId)
                << field(QStringLiteral("Ont Version"), a.hw.version)
                << field(QStringLiteral("Ont SoftwareVersion"), a.hw.softwareVersion)
                << field(QStringLiteral("Ont EquipmentID"), a.hw.equipmentId);
            if (layout == AutofindLayout::New) {
                out << field(QStringLiteral("Ont Customized Info"), a.hw.customizedInfo)
                    << field(QStringLiteral("Ont MAC"), a.hw.ontMac)
                    << field(QStringLiteral("Ont Equipment SN"), a.hw.equipmentSn)
                    << field(QStringLiteral("Ont autofind time"), a.foundAt)
                    << field(QStringLiteral("Multi channel"), QStringLiteral("-"));
            } else {
                out << field(QStringLiteral("Ont autofind time"), a.foundAt);
            }
        }
        if (n > 0) {
            out << sep
                << QStringLiteral("   The number of %1 autofind ONT is %2").arg(epon ? QStringLiteral("EPON") : QStringLiteral("GPON")).arg(n);
        }
    }
    if (out.isEmpty())
        out << QStringLiteral("  Failure: There is no autofind ONT");
    return out;
}

QStringList ontStateBlocks(const OltModel &m, int frame, int slot, int port, const StateListingStyle &style)
{
    // One part per port that holds ONTs, in slot and port order; with
    // emptyPortFooters a frame listing also has every empty PON port, as the
    // footer alone.
    QMap<QPair<int, int>, QList<const Ont *>> byPort;
    for (const Ont *o : m.sortedOnts()) {
        if (o->frame != frame || (slot >= 0 && o->slot != slot) || (port >= 0 && o->port != port))
            continue;
        byPort[{o->slot, o->port}].append(o);
    }
    if (style.emptyPortFooters && slot < 0 && frame == 0) {
        for (const Board &b : m.boards) {
            if (!b.pon || b.name.isEmpty())
                continue;
            for (int p = 0; p < b.ports; ++p)
                byPort[{b.slot, p}];
        }
    }
    QStringList out;
    if (byPort.isEmpty()) {
        out << QStringLiteral("  Failure: The ONT does not exist");
        return out;
    }
    const QString sep = separator(2, 77);
    // The description column starts at 19, which is where a wrapped one goes on.
    const QString descriptionIndent(19, QLatin1Char(' '));
    bool lastWasFooterAlone = false;
    for (auto it = byPort.cbegin(); it != byPort.cend(); ++it) {
        const QList<const Ont *> &list = it.value();
        int online = 0;
        int offline = 0;
        for (const Ont *o : list) {
            if (o->stateUnknown)
                continue;
            ++(o->online() ? online : offline);
        }
        QString footer = QStringLiteral("  In port %1/%2/%3, the total %4of ONTs are: %5, online: %6")
                             .arg(frame)
                             .arg(it.key().first, 2)
                             .arg(lj(num(it.key().second), 2))
                             .arg(style.offlineInFooter ? QStringLiteral("number ") : QString())
                             .arg(list.size())
                             .arg(online);
        if (style.offlineInFooter)
            footer += QStringLiteral(", offline: %1").arg(offline);
        if (list.isEmpty()) {
            // Consecutive empty ports follow one another, as "display board" shows them.
            if (!out.isEmpty() && !lastWasFooterAlone)
                out << QString();
            out << footer;
            lastWasFooterAlone = true;
            continue;
        }
        if (!out.isEmpty())
            out << QString();
        lastWasFooterAlone = false;
        out << sep
            << QStringLiteral("  F/S/P   ONT         SN         Control     Run      Config   Match    Protect")
            << QStringLiteral("          ID                     flag        state    state    state    side ")
            << sep;
        for (const Ont *o : list) {
            const QString flag = !o->active ? QStringLiteral("deactivated")
                : o->configuring            ? QStringLiteral("configuring")
                                            : QStringLiteral("active");
            QString states;
            if (o->stateUnknown)
                states = lj(QStringLiteral("-"), 9) + lj(QStringLiteral("-"), 9) + lj(QStringLiteral("-"), 9);
            else
                states = lj(o->online() ? QStringLiteral("online") : QStringLiteral("offline"), 9)
                    + lj(o->online() ? QStringLiteral("normal") : QStringLiteral("initial"), 9)
                    + lj(o->online() ? QStringLiteral("match") : QStringLiteral("initial"), 9);
            out << QStringLiteral("  ") + lj(paddedPlace(o->frame, o->slot, o->port), 7) + rj(num(o->id), 4) + QStringLiteral("  ")
                    + lj(o->sn, 16) + QStringLiteral("  ") + lj(flag, 12) + states + QStringLiteral("no ");
        }
        out << sep;
        if (style.twoLineDescriptionHeader)
            out << QStringLiteral("  F/S/P       ONT  Description  ") << QStringLiteral("              ID  ");
        else
            out << QStringLiteral("  F/S/P   ONT-ID   Description");
        out << sep;
        for (const Ont *o : list) {
            const QString place = QStringLiteral("  ") + lj(paddedPlace(o->frame, o->slot, o->port), 7) + rj(num(o->id), 7) + QStringLiteral("   ");
            QString text = o->description;
            if (style.descriptionWrap > 0 && text.size() > style.descriptionWrap) {
                out << place + text.left(style.descriptionWrap);
                for (qsizetype at = style.descriptionWrap; at < text.size(); at += style.descriptionWrap)
                    out << descriptionIndent + text.mid(at, style.descriptionWrap);
                continue;
            }
            out << place + lj(text, style.descriptionPadding);
        }
        out << sep << footer << sep;
    }
    return out;
}

QStringList ontSummary(const OltModel &m, int f, int s, int p, const QList<Optics> &levels)
{
    const QList<const Ont *> list = m.ontsOnPort(f, s, p);
    const QString sep = separator(2, 78);
    const int online = int(std::count_if(list.begin(), list.end(), [](const Ont *o) { return o->online(); }));
    // The summary prints times without the zone: "2000-01-06 07:43:46".
    auto shortTime = [](const QString &t) { return t == QLatin1String("-") ? t : t.left(19); };
    QStringList out;
    out << sep << QStringLiteral("  In port %1/%2/%3, the total of ONTs are: %4, online: %5").arg(f).arg(s).arg(p).arg(list.size()).arg(online) << sep
        << QStringLiteral("  ONT  Run     Last                Last                Last                   ")
        << QStringLiteral("  ID   State   UpTime              DownTime            DownCause") << sep;
    for (const Ont *o : list) {
        out << QStringLiteral("  ") + lj(num(o->id), 5) + lj(o->online() ? QStringLiteral("online") : QStringLiteral("offline"), 8)
                + lj(shortTime(o->lastUpTime), 20) + lj(shortTime(o->lastDownTime), 20) + lj(o->lastDownCause, 25);
    }
    out << sep << QStringLiteral("  ONT        SN        Type          Distance Rx/Tx power  Description")
        << QStringLiteral("  ID                                    (m)      (dBm)") << sep;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Ont *o = list.at(i);
        const Optics v = levels.value(i);
        const QString power = o->online() ? QStringLiteral("%1/%2").arg(v.ontRxUnread ? QStringLiteral("-") : fixed(v.ontRx, 2), fixed(v.ontTx, 2))
                                          : QStringLiteral("-/-");
        out << QStringLiteral("  ") + lj(num(o->id), 4) + lj(o->sn, 17) + lj(o->hw.equipmentId, 17)
                + lj(o->online() ? num(o->hw.distance) : QStringLiteral("-"), 6) + lj(power, 13) + lj(o->description, 21);
    }
    out << sep;
    return out;
}

QStringList macAddressOntTable(const OltModel &, const Ont &o)
{
    const QString sep = separator(1, 63);
    QStringList out;
    if (!o.online() || o.hw.macs.isEmpty()) {
        out << QStringLiteral("  Failure: There is not any MAC address record");
        return out;
    }
    out << sep << QStringLiteral(" F/S/P   ONTID    ONT        ONT       MAC-ADDRESS        VLAN")
        << QStringLiteral("                   port-type  port-ID") << sep;
    for (const LearnedMac &mac : o.hw.macs) {
        out << QLatin1Char(' ') + lj(paddedPlace(o.frame, o.slot, o.port), 7) + rj(num(o.id), 6) + QStringLiteral("    ")
                + lj(QStringLiteral("ETH"), 3) + rj(num(mac.ethPort), 15) + QStringLiteral("   ") + lj(mac.mac, 14) + rj(num(mac.vlan), 10);
    }
    out << sep << QStringLiteral(" Total: %1").arg(o.hw.macs.size());
    return out;
}

QStringList ontDetail(const OltModel &m, const Ont &o)
{
    const QString sep = separator(2, 77);
    auto f = [](const QString &label, const QString &value) { return kv(2, label, 24, value); };
    const bool on = o.online();
    const qint64 up = on && o.upSince.isValid() ? std::max<qint64>(0, o.upSince.secsTo(m.now())) : -1;
    QStringList out;
    out << sep
        << f(QStringLiteral("F/S/P"), paddedPlace(o.frame, o.slot, o.port))
        << f(QStringLiteral("ONT-ID"), num(o.id))
        << f(QStringLiteral("Control flag"), o.active ? QStringLiteral("active") : QStringLiteral("deactivated"))
        << f(QStringLiteral("Run state"), on ? QStringLiteral("online") : QStringLiteral("offline"))
        << f(QStringLiteral("Config state"), on ? QStringLiteral("normal") : QStringLiteral("initial"))
        << f(QStringLiteral("Match state"), on ? QStringLiteral("match") : QStringLiteral("initial"))
        << f(QStringLiteral("ONT LLID"), o.epon && on ? num(o.id + 1) : QStringLiteral("-"))
        << f(QStringLiteral("ONT distance(m)"), on ? num(o.hw.distance) : QStringLiteral("-"))
        << f(QStringLiteral("ONT last distance(m)"), num(o.hw.distance))
        << f(QStringLiteral("ONT RTT(TQ)"), QStringLiteral("-"))
        << f(QStringLiteral("Memory occupation"), on ? QStringLiteral("44") : QStringLiteral("-"))
        << f(QStringLiteral("CPU occupation"), on ? QStringLiteral("5") : QStringLiteral("-"))
        << f(QStringLiteral("Temperature"), on ? num(int(o.hw.optics.temperature)) : QStringLiteral("-"))
        << f(QStringLiteral("Authentic type"), o.epon ? QStringLiteral("MAC-auth") : QStringLiteral("SN-auth"))
        << f(o.epon ? QStringLiteral("MAC") : QStringLiteral("SN"), o.sn)
        << f(QStringLiteral("Management mode"), o.epon ? QStringLiteral("OAM") : QStringLiteral("OMCI"))
        << f(QStringLiteral("Software work mode"), QStringLiteral("normal"))
        << f(QStringLiteral("Multicast mode"), QStringLiteral("IGMP-Snooping"))
        << f(QStringLiteral("Description"), o.description)
        << f(QStringLiteral("Last down cause"), o.lastDownCause)
        << f(QStringLiteral("Last up time"), o.lastUpTime)
        << f(QStringLiteral("Last down time"), o.lastDownTime)
        << f(QStringLiteral("Last dying gasp time"), o.lastDyingGasp)
        << f(QStringLiteral("ONT online duration"), up >= 0 ? onlineDuration(up) : QStringLiteral("-"))
        << f(QStringLiteral("Type D support"), QStringLiteral("Not support"))
        << f(QStringLiteral("Isolation state"), QStringLiteral("normal"))
        << f(QStringLiteral("ONT NNI type"), QStringLiteral("auto"))
        << f(QStringLiteral("ONT actual NNI type"), QStringLiteral("auto"))
        << f(QStringLiteral("Last ONT actual NNI type"), QStringLiteral("auto"))
        << f(QStringLiteral("Interoperability-mode"), QStringLiteral("unknown"))
        << f(QStringLiteral("FEC upstream state"), QString())
        << f(QStringLiteral("VS-ID"), QStringLiteral("0"))
        << f(QStringLiteral("VS name"), QStringLiteral("admin-vs"))
        << f(QStringLiteral("Global ONT-ID"), num(o.slot * 1000 + o.port * 128 + o.id))
        << f(QStringLiteral("Fiber route"), QStringLiteral("none"))
        << sep;

    const LineProfile *lp = m.lineProfile(o.lineProfile, o.epon);
    out << kv(2, QStringLiteral("Line profile ID"), 21, num(o.lineProfile))
        << kv(2, QStringLiteral("Line profile name"), 21, lp ? lp->name : QString())
        << sep;
    if (lp) {
        out << QStringLiteral("  FEC upstream switch :") + (lp->fec ? QStringLiteral("Enable") : QStringLiteral("Disable"))
            << QStringLiteral("  OMCC Encrypt switch :On")
            << QStringLiteral("  Qos mode            :Pq")
            << QStringLiteral("  Mapping mode        :Vlan")
            << QStringLiteral("  Tr069 management    :Disable")
            << sep
            << QStringLiteral("  Notes: * indicates Discrete TCONT(TCONT Unbound)")
            << sep;
        const QString gemSep = separator(4, 72);
        for (const Tcont &t : lp->tconts) {
            out << QStringLiteral("  <T-CONT %1>          DBA Profile-ID:%2").arg(t.id, 3).arg(t.dba);
            for (const Gem &g : lp->gems) {
                if (g.tcont != t.id)
                    continue;
                out << QStringLiteral("    <Gem Index %1>").arg(g.index) << gemSep
                    << QStringLiteral("    |Serv-Type:ETH |Encrypt:off |Cascade:off |GEM-CAR:-            |")
                    << QStringLiteral("    |Upstream-priority-queue:-  |Downstream-priority-queue:-       |")
                    << gemSep
                    << QStringLiteral("     Mapping VLAN  Priority Port   Port  Bundle  Flow  Transparent")
                    << QStringLiteral("     index                  type   ID    ID      CAR")
                    << gemSep;
                for (const GemMapping &gm : g.mappings)
                    out << QStringLiteral("     ") + lj(num(gm.index), 8) + lj(num(gm.vlan), 6) + QStringLiteral("-        -      -     -       -     -");
                out << gemSep;
            }
        }
        out << sep;
    }
    const SrvProfile *sp = m.srvProfile(o.srvProfile, o.epon);
    out << kv(2, QStringLiteral("Service profile ID"), 21, num(o.srvProfile))
        << kv(2, QStringLiteral("Service profile name"), 21, sp ? sp->name : QString())
        << sep;
    if (sp) {
        out << QStringLiteral("  Port-type     Port-number") << sep
            << QStringLiteral("  POTS          ") + (sp->adaptive ? QStringLiteral("adaptive") : num(sp->potsPorts))
            << QStringLiteral("  ETH           ") + (sp->adaptive ? QStringLiteral("adaptive") : num(sp->ethPorts))
            << QStringLiteral("  TDM           0")
            << QStringLiteral("  MOCA          0")
            << QStringLiteral("  CATV          ") + num(o.catv.size())
            << sep
            << kv(2, QStringLiteral("TDM port type"), 34, QStringLiteral("E1"))
            << kv(2, QStringLiteral("TDM service type"), 34, QStringLiteral("TDMoGem"))
            << kv(2, QStringLiteral("MAC learning function switch"), 34, QStringLiteral("enable"))
            << kv(2, QStringLiteral("ONT transparent function switch"), 34, QStringLiteral("disable"))
            << kv(2, QStringLiteral("Multicast forward mode"), 34, QStringLiteral("Unconcern"))
            << kv(2, QStringLiteral("Multicast forward VLAN"), 34, QStringLiteral("-"))
            << kv(2, QStringLiteral("Multicast mode"), 34, QStringLiteral("Unconcern"))
            << kv(2, QStringLiteral("Upstream IGMP packet forward mode"), 34, QStringLiteral("Unconcern"))
            << kv(2, QStringLiteral("Upstream IGMP packet forward VLAN"), 34, QStringLiteral("-"))
            << kv(2, QStringLiteral("Upstream IGMP packet priority"), 34, QStringLiteral("-"))
            << kv(2, QStringLiteral("Native VLAN option"), 34, QStringLiteral("Concern"))
            << kv(2, QStringLiteral("Upstream PQ color policy"), 34, QStringLiteral("None"))
            << kv(2, QStringLiteral("Downstream PQ color policy"), 34, QStringLiteral("None"))
            << sep
            << QStringLiteral("  Port-type Port-ID Native-VLAN") << sep;
        for (auto it = o.nativeVlan.cbegin(); it != o.nativeVlan.cend(); ++it)
            out << QStringLiteral("  ETH       ") + lj(num(it.key()), 8) + num(it.value());
        out << sep;
    }
    out << kv(2, QStringLiteral("Alarm policy profile ID"), 29, QStringLiteral("0"))
        << kv(2, QStringLiteral("Alarm policy profile name"), 29, QStringLiteral("alarm-policy_0"))
        << sep;
    return out;
}

namespace {
// A receive level as the single-ONT answer prints it: the number, "-" when the
// OLT has no reading, and a remark after a comma when the level has one.
QString levelWithRemark(double level, bool unread, const QString &remark)
{
    if (unread)
        return QStringLiteral("-");
    return remark.isEmpty() ? fixed(level, 2) : fixed(level, 2) + QStringLiteral(", ") + remark;
}
} // namespace

QStringList opticalDetail(const OltModel &, const Ont &o, const Optics &v)
{
    auto f = [](const QString &label, const QString &value) { return kv(2, label, 39, value); };
    const QString sep = separator(2, 77);
    QStringList out;
    out << sep
        << f(QStringLiteral("ONU NNI port ID"), QStringLiteral("0"))
        << f(QStringLiteral("Module type"), o.epon ? QStringLiteral("EPON") : QStringLiteral("GPON"))
        << f(QStringLiteral("Module sub-type"), o.epon ? QStringLiteral("PX20+") : QStringLiteral("CLASS B+"))
        << f(QStringLiteral("Used type"), QStringLiteral("ONU"))
        << f(QStringLiteral("Encapsulation Type"), QStringLiteral("BOSA ON BOARD"))
        << f(QStringLiteral("Optical power precision(dBm)"), QStringLiteral("3.0"))
        << f(QStringLiteral("Vendor name"), lj(QStringLiteral("HUAWEI"), 16))
        << f(QStringLiteral("Vendor rev"), QStringLiteral("-"))
        << f(QStringLiteral("Vendor PN"), lj(QStringLiteral("HW-BOB-0007"), 16))
        << f(QStringLiteral("Vendor SN"), lj(o.sn.right(13), 16))
        << f(QStringLiteral("Date Code"), QStringLiteral("19-12-22"))
        << f(QStringLiteral("Rx optical power(dBm)"), levelWithRemark(v.ontRx, v.ontRxUnread, v.ontRxRemark))
        << f(QStringLiteral("Rx power current warning threshold(dBm)"), QStringLiteral("[-,-]"))
        << f(QStringLiteral("Rx power current alarm threshold(dBm)"), o.epon ? QStringLiteral("[-27.0,-3.0]") : QStringLiteral("[-29.0,-7.0]"))
        << f(QStringLiteral("Tx optical power(dBm)"), fixed(v.ontTx, 2))
        << f(QStringLiteral("Tx power current warning threshold(dBm)"), QStringLiteral("[-,-]"))
        << f(QStringLiteral("Tx power current alarm threshold(dBm)"), QStringLiteral("[0.0,5.0]"))
        << f(QStringLiteral("Laser bias current(mA)"), num(qRound(v.bias)))
        << f(QStringLiteral("Tx bias current warning threshold(mA)"), QStringLiteral("[-,-]"))
        << f(QStringLiteral("Tx bias current alarm threshold(mA)"), QStringLiteral("[0.000,90.000]"))
        << f(QStringLiteral("Temperature(C)"), num(qRound(v.temperature)))
        << f(QStringLiteral("Temperature warning threshold(C)"), QStringLiteral("[-,-]"))
        << f(QStringLiteral("Temperature alarm threshold(C)"), QStringLiteral("[-45,110]"))
        << f(QStringLiteral("Voltage(V)"), fixed(v.voltage, 3))
        << f(QStringLiteral("Supply voltage warning threshold(V)"), QStringLiteral("[-,-]"))
        << f(QStringLiteral("Supply voltage alarm threshold(V)"), QStringLiteral("[3.000,3.600]"))
        << f(QStringLiteral("OLT Rx ONT optical power(dBm)"), levelWithRemark(v.oltRx, v.oltRxUnread, v.oltRxRemark))
        << f(QStringLiteral("CATV Rx optical power(dBm)"), QStringLiteral("-"))
        << f(QStringLiteral("CATV Rx power alarm threshold(dBm)"), QStringLiteral("[-,-]"))
        << sep;
    return out;
}

QStringList opticalPortAll(const OltModel &m, int f, int s, int p, const QList<Optics> &levels)
{
    // One layout for GPON and EPON ports. ONTs that are not online have no
    // row: a row of "-" levels is an online ONT the OLT cannot read.
    const QString sep = separator(2, 77) + QLatin1Char(' ');
    auto level = [](double v, bool unread) { return unread ? QStringLiteral("-") : fixed(v, 2); };
    QStringList out;
    out << sep
        << QStringLiteral("  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current  Distance  ")
        << QStringLiteral("  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)     (m)       ")
        << sep;
    const QList<const Ont *> list = m.ontsOnPort(f, s, p);
    for (qsizetype i = 0; i < list.size(); ++i) {
        const Ont *o = list.at(i);
        if (!o->online())
            continue;
        const Optics &v = levels.value(i);
        out << QStringLiteral("  ") + rj(num(o->id), 3) + QStringLiteral("  ") + lj(level(v.ontRx, v.ontRxUnread), 10) + lj(fixed(v.ontTx, 2), 10)
                + lj(level(v.oltRx, v.oltRxUnread), 12) + lj(num(qRound(v.temperature)), 13) + lj(fixed(v.voltage, 3), 9)
                + lj(num(qRound(v.bias)), 9) + lj(num(o->hw.distance), 10);
    }
    out << separator(2, 77);
    return out;
}

namespace {
// The alarm report's way of filling lines: words go on while the text stays
// within 78 columns; a full line keeps the space after its last word and the
// rest goes on on the next line at `indent`.
void wrapAlarmText(QStringList &out, const QString &first, const QString &text, int indent)
{
    QString line = first;
    bool lineHasWord = false;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (lineHasWord && line.size() + 1 + word.size() > 78) {
            out << line + QLatin1Char(' ');
            line = QString(indent, QLatin1Char(' ')) + word;
            continue;
        }
        line += (lineHasWord ? QStringLiteral(" ") : QString()) + word;
        lineHasWord = true;
    }
    out << line;
}
} // namespace

QStringList alarmBlock(const Alarm &a)
{
    const int valueColumn = 16;
    QStringList out;
    out << QStringLiteral("  ! %1 [%2]:").arg(a.sequence).arg(a.raisedAt) << QString();
    wrapAlarmText(out, QStringLiteral("  "),
                  QStringLiteral("ALARM %1 FAULT %2 %3 %4 %5").arg(a.serial).arg(a.level, a.code, a.category, a.raisedAt), 0);
    const QList<QPair<QString, QStringList>> fields = {
        {QStringLiteral("ALARM NAME"), {a.name}},
        {QStringLiteral("SRVEFF"), {a.serviceEffect}},
        {QStringLiteral("PARAMETERS"), {a.parameters}},
        {QStringLiteral("DESCRIPTION"), {a.description}},
        {QStringLiteral("CAUSE"), a.causes},
        {QStringLiteral("ADVICE"), a.advice},
    };
    for (const auto &[label, paragraphs] : fields) {
        QString first = QStringLiteral("  ") + lj(label, 12) + QStringLiteral(": ");
        for (const QString &paragraph : paragraphs) {
            wrapAlarmText(out, first, paragraph, valueColumn);
            first = QString(valueColumn, QLatin1Char(' '));
        }
    }
    out << QStringLiteral("  --- END");
    return out;
}

Alarm lossOfSignalAlarm(const OltModel &m, int sequence, const Ont *ont)
{
    // The alarm clock prints dates day first: "17/01/2025 00:00:00+01:00".
    const QString at = m.now().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + m.utcOffsetText();
    Alarm a;
    a.sequence = sequence;
    a.serial = 11110 + sequence;
    a.raisedAt = at;
    a.parameters = QStringLiteral("FrameID: %1, SlotID: %2, PortID: %3, ONT ID: %4, Equipment ID: %5")
                       .arg(ont ? ont->frame : 0)
                       .arg(ont ? ont->slot : 0)
                       .arg(ont ? ont->port : 0)
                       .arg(ont ? ont->id : 0)
                       .arg(ont ? ont->hw.equipmentId : QStringLiteral("-"));
    return a;
}

QStringList servicePortTable(const OltModel &m, const QList<const ServicePort *> &rows)
{
    const QString sep = separator(2, 77);
    QStringList out;
    out << QStringLiteral("  Switch-Oriented Flow List") << sep
        << QStringLiteral("   INDEX VLAN VLAN     PORT F/ S/ P VPI  VCI   FLOW  FLOW       RX   TX   STATE")
        << QStringLiteral("         ID   ATTR     TYPE                    TYPE  PARA")
        << sep;
    // One pass over the ONTs, so that a listing of tens of thousands of rows stays linear.
    QHash<QString, bool> online;
    for (const Ont &o : m.onts)
        online.insert(QStringLiteral("%1/%2/%3/%4").arg(o.frame).arg(o.slot).arg(o.port).arg(o.id), o.online());
    int up = 0;
    for (const ServicePort *sp : rows) {
        const bool isUp = online.value(QStringLiteral("%1/%2/%3/%4").arg(sp->frame).arg(sp->slot).arg(sp->port).arg(sp->ont), false);
        if (isUp)
            ++up;
        const Vlan *v = m.vlan(sp->vlan);
        // GPON rows pad the slot ("0/1 /0"); EPON rows print the place as it is ("0/3/0").
        const QString place = sp->epon ? QStringLiteral("%1/%2/%3").arg(sp->frame).arg(sp->slot).arg(sp->port)
                                       : QStringLiteral("%1/%2/%3").arg(sp->frame).arg(lj(num(sp->slot), 2)).arg(sp->port);
        out << rj(num(sp->index), 8) + QLatin1Char(' ') + rj(num(sp->vlan), 4) + QLatin1Char(' ')
                + lj(v ? v->attribute : QStringLiteral("common"), 9) + lj(sp->epon ? QStringLiteral("epon") : QStringLiteral("gpon"), 5)
                + lj(place, 8) + lj(num(sp->ont), 5) + lj(sp->gemport >= 0 ? num(sp->gemport) : QStringLiteral("-"), 6)
                + lj(QStringLiteral("vlan"), 6) + lj(sp->userVlan >= 0 ? num(sp->userVlan) : QStringLiteral("-"), 11)
                + lj(num(sp->rxTraffic), 5) + lj(num(sp->txTraffic), 5) + lj(isUp ? QStringLiteral("up") : QStringLiteral("down"), 5);
    }
    out << sep
        << QStringLiteral("   Total : %1  (Up/Down : %2/%3)").arg(rows.size()).arg(up, 4).arg(rows.size() - up)
        << QStringLiteral("   Note : F--Frame, S--Slot, P--Port,")
        << QStringLiteral("          VPI indicates ONT ID for PON, VCI indicates GEM index for GPON,")
        << QStringLiteral("          v/e--vlan/encap, pritag--priority-tagged,")
        << QStringLiteral("          ppp--pppoe, ip--ipoe, ip4--ipv4oe, ip6--ipv6oe, vxl--vxlan.")
        << QStringLiteral("          When FLOW TYPE is plist, the value of FLOW PARA is a byte in")
        << QStringLiteral("          hexadecimal format and indicates a priority list. Eight bits")
        << QStringLiteral("          of its binary value indicate priorities 0-7 from the least")
        << QStringLiteral("          significant bit to the most significant bit. Value 1 indicates")
        << QStringLiteral("          that the priority is used. For example, if FLOW PARA is 0x23 and")
        << QStringLiteral("          its binary format is 0010 0011, priorities 0, 1 and 5 are used");
    return out;
}

QStringList servicePortDetail(const OltModel &m, const ServicePort &sp)
{
    const Ont *o = m.findOnt(sp.frame, sp.slot, sp.port, sp.ont);
    auto f = [](const QString &label, const QString &value) { return kv(2, label, 20, value); };
    QStringList out;
    out << f(QStringLiteral("Index"), num(sp.index))
        << f(QStringLiteral("VLAN ID"), num(sp.vlan))
        << f(QStringLiteral("VLAN attr"), QStringLiteral("common"))
        << f(QStringLiteral("Port type"), sp.epon ? QStringLiteral("epon") : QStringLiteral("gpon"))
        << f(QStringLiteral("Frame ID"), num(sp.frame))
        << f(QStringLiteral("Slot ID"), num(sp.slot))
        << f(QStringLiteral("Port ID"), num(sp.port))
        << f(QStringLiteral("VPI"), num(sp.ont))
        << f(QStringLiteral("VCI"), sp.gemport >= 0 ? num(sp.gemport) : QStringLiteral("-"))
        << f(QStringLiteral("Flow type"), QStringLiteral("vlan"))
        << f(QStringLiteral("Flow para"), sp.userVlan >= 0 ? num(sp.userVlan) : QStringLiteral("-"))
        << f(QStringLiteral("Rx traffic table ID"), num(sp.rxTraffic))
        << f(QStringLiteral("Tx traffic table ID"), num(sp.txTraffic))
        << f(QStringLiteral("Tag transform"), sp.tagTransform)
        << f(QStringLiteral("Max MAC count"), QStringLiteral("Unlimited"))
        << f(QStringLiteral("State"), o && o->online() ? QStringLiteral("up") : QStringLiteral("down"))
        << f(QStringLiteral("Admin status"), QStringLiteral("enable"))
        << separator(2, 61)
        << QStringLiteral("  Note: F--Frame, S--Slot, P--Port,")
        << QStringLiteral("        VPI indicates ONT ID for PON, VCI indicates GEM index for GPON,")
        << QStringLiteral("        v/e--vlan/encap, pritag--priority-tagged,")
        << QStringLiteral("        ppp--pppoe, ip--ipoe, ip4--ipv4oe, ip6--ipv6oe");
    return out;
}

QStringList nextFreeIndex(const OltModel &m)
{
    return {QStringLiteral("  Next valid free service virtual port ID: %1").arg(m.nextFreeServicePort())};
}

QStringList macAddressOfOnt(const OltModel &m, const Ont &o)
{
    const QString sep = separator(2, 71);
    QStringList out;
    if (!o.online() || o.hw.macs.isEmpty()) {
        out << QStringLiteral("  Failure: There is not any MAC address record");
        return out;
    }
    out << sep
        << QStringLiteral("   SRV-P BUNDLE TYPE MAC            MAC TYPE F /S /P   VPI  VCI   VLAN ID")
        << QStringLiteral("   INDEX INDEX")
        << sep;
    for (const LearnedMac &mac : o.hw.macs) {
        const ServicePort *match = nullptr;
        for (const ServicePort &sp : m.servicePorts) {
            if (sp.frame == o.frame && sp.slot == o.slot && sp.port == o.port && sp.ont == o.id
                && (sp.vlan == mac.vlan || !match))
                match = &sp;
        }
        out << QStringLiteral("  ") + rj(match ? num(match->index) : QStringLiteral("-"), 6) + rj(QStringLiteral("-"), 6)
                + QStringLiteral("  ") + lj(o.epon ? QStringLiteral("epon") : QStringLiteral("gpon"), 5) + lj(mac.mac, 15)
                + lj(QStringLiteral("dynamic"), 9) + lj(num(o.frame), 2) + QLatin1Char('/') + lj(num(o.slot), 2) + QLatin1Char('/')
                + lj(num(o.port), 2) + QStringLiteral("  ") + lj(num(o.id), 5)
                + lj(match && match->gemport >= 0 ? num(match->gemport) : QStringLiteral("-"), 6) + rj(num(mac.vlan), 7);
    }
    out << sep
        << QStringLiteral("  Total: %1").arg(o.hw.macs.size())
        << QStringLiteral("  Note: F--Frame, S--Slot, P--Port, F/S/P indicates PW Index for PW,")
        << QStringLiteral("        A--The MAC address is learned or configured on the aggregation ")
        << QStringLiteral("port,")
        << QStringLiteral("        VPI indicates ONT ID for PON, VCI indicates GEM index for GPON,")
        << QStringLiteral("        v/e--vlan/encap, pritag--priority-tagged,")
        << QStringLiteral("        ppp--pppoe, ip--ipoe, ip4--ipv4oe, ip6--ipv6oe");
    return out;
}

QStringList boardTable(const OltModel &m)
{
    const QString sep = separator(2, 73);
    QStringList out;
    out << sep << QStringLiteral("  SlotID  BoardName  Status          SubType0 SubType1    Online/Offline") << sep;
    QList<Board> boards = m.boards;
    std::sort(boards.begin(), boards.end(), [](const Board &a, const Board &b) { return a.slot < b.slot; });
    for (const Board &b : boards) {
        if (b.name.isEmpty()) {
            out << QStringLiteral("  ") + lj(num(b.slot), 6);
            continue;
        }
        QString line = QStringLiteral("  ") + lj(num(b.slot), 8) + lj(b.name, 11) + lj(b.status, 16) + lj(b.subType0, 9)
            + lj(b.subType1, 12);
        line += b.onlineState.isEmpty() ? QString(QLatin1Char(' ')) : b.onlineState + QStringLiteral("  ");
        out << line;
    }
    out << sep;
    return out;
}

QStringList vlanTable(const OltModel &m)
{
    const QString sep = separator(2, 71);
    QStringList out;
    out << sep << QStringLiteral("  VLAN   Type      Attribute  STND-Port NUM   SERV-Port NUM  VLAN-Con NUM") << sep;
    QList<Vlan> vlans = m.vlans;
    std::sort(vlans.begin(), vlans.end(), [](const Vlan &a, const Vlan &b) { return a.id < b.id; });
    for (const Vlan &v : vlans) {
        const auto serv = std::count_if(m.servicePorts.begin(), m.servicePorts.end(), [&](const ServicePort &sp) { return sp.vlan == v.id; });
        out << QStringLiteral("  ") + rj(num(v.id), 4) + QStringLiteral("   ") + lj(v.type, 10) + lj(v.attribute, 10)
                + rj(num(v.uplinkPorts.size()), 14) + rj(num(int(serv)), 16) + rj(QStringLiteral("-"), 14);
    }
    out << sep
        << QStringLiteral("  Total: %1").arg(vlans.size())
        << QStringLiteral("  Note : STND-Port--standard port, SERV-Port--service virtual port,")
        << QStringLiteral("         VLAN-Con--vlan-connect");
    return out;
}

QStringList portVlan(const OltModel &m, const QString &port)
{
    const QString sep = separator(2, 71);
    QStringList out;
    QList<const Vlan *> list;
    for (const Vlan &v : m.vlans) {
        if (v.uplinkPorts.contains(port))
            list.append(&v);
    }
    std::sort(list.begin(), list.end(), [](const Vlan *a, const Vlan *b) { return a->id < b->id; });
    out << sep;
    for (const Vlan *v : list)
        out << QStringLiteral("  ") + rj(num(v->id), 4) + QStringLiteral("   ") + lj(v->type, 10) + v->attribute;
    out << sep << QStringLiteral("  Total: %1").arg(list.size());
    return out;
}

QStringList dbaTable(const OltModel &m)
{
    const QString sep = separator(2, 76);
    QStringList out;
    out << sep
        << QStringLiteral("  Profile-ID   type   Bandwidth      Fix        Assure        Max        Bind")
        << QStringLiteral("                     compensation    (kbps)     (kbps)        (kbps)     times")
        << sep;
    QList<DbaProfile> list = m.dbaProfiles;
    std::sort(list.begin(), list.end(), [](const DbaProfile &a, const DbaProfile &b) { return a.id < b.id; });
    for (const DbaProfile &d : list) {
        out << QStringLiteral("  ") + rj(num(d.id), 10) + rj(num(d.type), 7) + rj(d.compensation ? QStringLiteral("Yes") : QStringLiteral("No"), 13)
                + rj(num(d.fix), 11) + rj(num(d.assure), 11) + rj(num(d.max), 14) + rj(num(m.dbaBindings(d.id)), 10);
    }
    out << sep;
    return out;
}

namespace {
template<typename P>
QStringList profileTable(const QList<P> &all, bool epon, int hyphens, const std::function<int(const P &)> &bind)
{
    const QString sep = separator(2, hyphens);
    QStringList out;
    out << sep << QStringLiteral("  Profile-ID  Profile-name                                Binding times") << sep;
    QList<const P *> list;
    for (const P &p : all) {
        if (p.epon == epon)
            list.append(&p);
    }
    std::sort(list.begin(), list.end(), [](const P *a, const P *b) { return a->id < b->id; });
    for (const P *p : list)
        out << QStringLiteral("  ") + lj(QString::number(p->id), 12) + lj(p->name, 44) + lj(QString::number(bind(*p)), 13);
    out << sep << QStringLiteral("  Total: %1").arg(list.size());
    return out;
}
} // namespace

QStringList lineProfileTable(const OltModel &m, bool epon)
{
    return profileTable<LineProfile>(m.lineProfiles, epon, 78, [&](const LineProfile &p) { return m.lineBindings(p.id, p.epon); });
}

QStringList srvProfileTable(const OltModel &m, bool epon)
{
    return profileTable<SrvProfile>(m.srvProfiles, epon, 77, [&](const SrvProfile &p) { return m.srvBindings(p.id, p.epon); });
}

QStringList igmpUsers(const OltModel &m)
{
    const QString sep = separator(2, 77);
    QStringList out;
    if (m.igmpUsers.isEmpty()) {
        out << QStringLiteral("  Failure: The multicast user does not exist");
        return out;
    }
    out << sep
        << QStringLiteral("  User            State    Auth     Quick  IGMP-flow  Video-flow  Log  Max")
        << QStringLiteral("                                    leave  ID         ID               programs")
        << sep;
    QList<IgmpUser> list = m.igmpUsers;
    std::sort(list.begin(), list.end(), [](const IgmpUser &a, const IgmpUser &b) { return a.servicePort < b.servicePort; });
    QHash<int, const ServicePort *> ports;
    for (const ServicePort &sp : m.servicePorts)
        ports.insert(sp.index, &sp);
    QHash<QString, const Ont *> onts;
    for (const Ont &o : m.onts)
        onts.insert(QStringLiteral("%1/%2/%3/%4").arg(o.frame).arg(o.slot).arg(o.port).arg(o.id), &o);
    for (const IgmpUser &u : list) {
        const ServicePort *sp = ports.value(u.servicePort);
        if (!sp)
            continue;
        const Ont *o = onts.value(QStringLiteral("%1/%2/%3/%4").arg(sp->frame).arg(sp->slot).arg(sp->port).arg(sp->ont));
        const QString user = QStringLiteral("%1/%2/%3/%4").arg(sp->frame).arg(sp->slot).arg(sp->port).arg(sp->index);
        out << QStringLiteral("  ") + lj(user, 16) + lj(o && o->online() ? QStringLiteral("online") : QStringLiteral("offline"), 9)
                + lj(u.auth, 9) + lj(QStringLiteral("off"), 7) + lj(QStringLiteral("-"), 11) + lj(QStringLiteral("-"), 12)
                + lj(QStringLiteral("off"), 5) + num(u.maxPrograms);
    }
    out << sep << QStringLiteral("  Total: %1").arg(list.size());
    return out;
}

QStringList elabelBackplane(const OltModel &m)
{
    return {QStringLiteral("/$[System Integration Version]"),
            QStringLiteral("/$SystemIntegrationVersion=3.0"),
            QString(),
            QStringLiteral("[Backplane_0]"),
            QStringLiteral("/$[Board Integration Version]"),
            QStringLiteral("/$BoardIntegrationVersion=3.0"),
            QString(),
            QStringLiteral("[Board Properties]"),
            QStringLiteral("BoardType=H801MABO"),
            QStringLiteral("BarCode=") + m.barCode,
            QStringLiteral("Item=02113130"),
            QStringLiteral("Description=") + m.labelDescription,
            QStringLiteral("Manufactured=2019-03-14"),
            QStringLiteral("VendorName=Huawei"),
            QStringLiteral("IssueNumber=00"),
            QStringLiteral("CLEICode="),
            QStringLiteral("BOM=")};
}

QStringList time(const OltModel &m)
{
    return {QStringLiteral("  ") + m.formatTime(m.now())};
}

QStringList autosave(const OltModel &m)
{
    const Autosave &a = m.autosave;
    auto onOff = [](bool b) { return b ? QStringLiteral("on") : QStringLiteral("off"); };
    return {QStringLiteral("  System autosave interval switch: %1").arg(onOff(a.intervalOn)),
            QStringLiteral("  Autosave interval: %1 minutes").arg(a.intervalMinutes),
            QStringLiteral("  System autosave modification switch: %1").arg(onOff(a.modificationOn)),
            QStringLiteral("  Autosave modification interval: %1 minutes").arg(a.modificationMinutes),
            QStringLiteral("  System autosave time switch: %1").arg(onOff(a.timeOn)),
            QStringLiteral("  Autosave time: %1").arg(a.time),
            QStringLiteral("  Autosave type: %1").arg(a.type)};
}

QStringList version(const OltModel &m, qint64 uptimeSecs)
{
    const QString line50 = separator(2, 50);
    return {QStringLiteral("  VERSION : %1").arg(m.banner),
            QStringLiteral("  PATCH   : SPC200"),
            QStringLiteral("  PRODUCT : %1").arg(m.product),
            QString(),
            QStringLiteral("  Active Mainboard Running Area Information: "),
            line50,
            QStringLiteral("  Current Program Area : Area A "),
            QStringLiteral("  Current Data Area : Area A"),
            QString(),
            QStringLiteral("  Program Area A Version : %1 ").arg(m.banner),
            QStringLiteral("  Program Area B Version : %1").arg(m.banner),
            QString(),
            QStringLiteral("  Data Area A Version : %1 ").arg(m.banner),
            QStringLiteral("  Data Area B Version : %1 ").arg(m.banner),
            line50,
            QString(),
            QStringLiteral("  Standby Mainboard Running Area Information: "),
            line50,
            QStringLiteral("  Current Program Area : Area A "),
            QStringLiteral("  Current Data Area : Area A"),
            line50,
            QString(),
            QStringLiteral("  Uptime is %1").arg(onlineDuration(uptimeSecs))};
}

} // namespace oltsim::listings
