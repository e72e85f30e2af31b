#include "scenario.h"

#include "command_line.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimeZone>

namespace oltsim {

namespace {

QString str(const QJsonObject &o, const char *key, const QString &def = {})
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isString() ? v.toString() : def;
}

int integer(const QJsonObject &o, const char *key, int def = 0)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toInt() : def;
}

double real(const QJsonObject &o, const char *key, double def)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? v.toDouble() : def;
}

bool boolean(const QJsonObject &o, const char *key, bool def)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isBool() ? v.toBool() : def;
}

bool parsePlaceText(const QString &text, Place *out)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+)/(\\d+)/(\\d+)$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    *out = parsePlace(text);
    return true;
}

Optics readOpticsObject(const QJsonObject &o, const Optics &def)
{
    Optics v = def;
    v.ontRx = real(o, "ontRx", v.ontRx);
    v.ontTx = real(o, "ontTx", v.ontTx);
    v.bias = real(o, "bias", v.bias);
    v.temperature = real(o, "temperature", v.temperature);
    v.voltage = real(o, "voltage", v.voltage);
    v.oltRx = real(o, "oltRx", v.oltRx);
    // "-" instead of a number: the ONT is online and the OLT has no reading of that level.
    const QLatin1String unread("-");
    v.ontRxUnread = o.value(QLatin1String("ontRx")).toString() == unread;
    v.oltRxUnread = o.value(QLatin1String("oltRx")).toString() == unread;
    v.ontRxRemark = str(o, "ontRxRemark", v.ontRxRemark);
    v.oltRxRemark = str(o, "oltRxRemark", v.oltRxRemark);
    return v;
}

void readHardware(const QJsonObject &o, OntHardware &hw)
{
    hw.vendorId = str(o, "vendorId", hw.vendorId);
    hw.version = str(o, "version", hw.version);
    hw.softwareVersion = str(o, "softwareVersion", hw.softwareVersion);
    hw.equipmentId = str(o, "equipmentId", hw.equipmentId);
    hw.customizedInfo = str(o, "customizedInfo", hw.customizedInfo);
    hw.ontMac = str(o, "ontMac", hw.ontMac);
    hw.equipmentSn = str(o, "equipmentSn", hw.equipmentSn);
    hw.password = str(o, "password", hw.password);
    hw.distance = integer(o, "distance", hw.distance);
    hw.optics = readOpticsObject(o.value(QLatin1String("optics")).toObject(), hw.optics);
    for (const QJsonValue &m : o.value(QLatin1String("macs")).toArray()) {
        const QJsonObject mo = m.toObject();
        hw.macs.append({str(mo, "mac"), integer(mo, "vlan"), integer(mo, "eth", 1)});
    }
}

// Where an ONT (authorised or waiting in autofind) sits and how it is known:
// the PON type of its board decides whether the scenario names it by MAC or SN.
struct OntPlacement
{
    Place place;
    const Board *board = nullptr;
    QString serial;             // SN upper case, MAC lower case, as the OLT prints them
    QString error;              // empty when the entry is usable
};

OntPlacement readOntPlacement(const QJsonObject &o, const OltModel &m, const QString &what)
{
    OntPlacement r;
    const QString place = str(o, "place");
    if (!parsePlaceText(place, &r.place)) {
        r.error = QStringLiteral("%1 place \"%2\" is not F/S/P").arg(what, place);
        return r;
    }
    r.board = m.board(r.place.slot);
    if (!r.board || !r.board->pon || r.place.port >= r.board->ports) {
        r.error = QStringLiteral("%1 at %2 is not on a PON port of a board").arg(what, place);
        return r;
    }
    r.serial = r.board->epon ? str(o, "mac").toLower() : str(o, "sn").toUpper();
    if (r.serial.isEmpty())
        r.error = QStringLiteral("%1 at %2 has no %3").arg(what, place, r.board->epon ? QStringLiteral("mac") : QStringLiteral("sn"));
    return r;
}

} // namespace

QString loadScenario(const QByteArray &json, const QString &baseDir, OltModel &m, Settings &s, Faults &f)
{
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    if (pe.error != QJsonParseError::NoError)
        return QStringLiteral("scenario is not valid JSON: %1 at offset %2").arg(pe.errorString()).arg(pe.offset);
    if (!doc.isObject())
        return QStringLiteral("scenario must be a JSON object");
    const QJsonObject root = doc.object();
    m = OltModel{};
    s = Settings{};
    f = Faults{};

    m.hostname = str(root, "hostname", m.hostname);
    m.product = str(root, "product", m.product);
    m.barCode = str(root, "barCode", m.barCode);
    m.labelDescription = str(root, "labelDescription", m.labelDescription);
    m.banner = str(root, "version", m.banner);
    static const QRegularExpression hostRe(QStringLiteral("^[A-Za-z0-9_.-]{1,30}$"));
    if (!hostRe.match(m.hostname).hasMatch())
        return QStringLiteral("hostname \"%1\" is not a device name").arg(m.hostname);

    const QString layout = str(root, "autofindLayout", QStringLiteral("new"));
    if (layout != QLatin1String("new") && layout != QLatin1String("old"))
        return QStringLiteral("autofindLayout must be \"new\" or \"old\"");
    s.autofindLayout = layout == QLatin1String("old") ? listings::AutofindLayout::Old : listings::AutofindLayout::New;
    s.twoLineDescriptionHeader = str(root, "descriptionHeader", QStringLiteral("one-line")) == QLatin1String("two-line");
    const QJsonObject sl = root.value(QLatin1String("stateListing")).toObject();
    s.stateFooterOffline = boolean(sl, "footerOffline", false);
    s.descriptionPadding = std::clamp(integer(sl, "descriptionPadding", 0), 0, 256);
    s.descriptionWrap = std::max(0, integer(sl, "descriptionWrap", 0));
    s.emptyPortFooters = boolean(sl, "emptyPortFooters", false);
    s.defaultScroll = std::clamp(integer(root, "scroll", s.defaultScroll), 10, 512);
    s.idleTimeoutMinutes = integer(root, "idleTimeoutMinutes", s.idleTimeoutMinutes);
    s.saveReminderSeconds = integer(root, "saveReminderSeconds", 0);
    s.opticsDriftDb = real(root, "opticsDriftDb", 0);
    s.confirmTimeChange = boolean(root, "confirmTimeChange", true);
    s.maxLoginAttempts = std::max(1, integer(root, "maxLoginAttempts", s.maxLoginAttempts));
    s.randomSeed = quint32(integer(root, "randomSeed", 1));
    if (const QString ftp = str(root, "ftpFolder"); !ftp.isEmpty())
        s.ftpFolder = QDir(baseDir).absoluteFilePath(ftp);

    const QString utc = str(root, "utcOffset", QStringLiteral("+01:00"));
    static const QRegularExpression utcRe(QStringLiteral("^([+-])(\\d\\d):(\\d\\d)$"));
    const auto um = utcRe.match(utc);
    if (!um.hasMatch())
        return QStringLiteral("utcOffset must look like +01:00");
    m.utcOffsetMinutes = (um.captured(2).toInt() * 60 + um.captured(3).toInt()) * (um.captured(1) == QLatin1String("-") ? -1 : 1);
    if (const QString t = str(root, "time"); !t.isEmpty()) {
        const QDateTime wanted = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!wanted.isValid())
            return QStringLiteral("time must look like 2024-05-01 10:00:00");
        QDateTime w(wanted.date(), wanted.time(), Qt::UTC);
        m.clockOffsetSecs = m.now().secsTo(w);
    }

    for (const QJsonValue &v : root.value(QLatin1String("users")).toArray()) {
        const QJsonObject o = v.toObject();
        User u;
        u.name = str(o, "name");
        u.password = str(o, "password");
        u.level = integer(o, "level", 3);
        u.reenter = integer(o, "reenter", 4);
        u.profile = str(o, "profile", u.profile);
        u.ssh = boolean(o, "ssh", false);
        if (u.name.isEmpty())
            return QStringLiteral("a user without a name");
        m.users.append(u);
    }

    for (const QJsonValue &v : root.value(QLatin1String("boards")).toArray()) {
        const QJsonObject o = v.toObject();
        Board b;
        b.slot = integer(o, "slot", -1);
        if (b.slot < 0 || b.slot > 21)
            return QStringLiteral("board slot missing or out of range");
        b.name = str(o, "name");
        b.status = str(o, "status", b.name.isEmpty() ? QString() : QStringLiteral("Normal"));
        b.subType0 = str(o, "subType0");
        b.subType1 = str(o, "subType1");
        b.onlineState = str(o, "online");
        const QString type = str(o, "type");
        b.pon = type == QLatin1String("gpon") || type == QLatin1String("epon");
        b.epon = type == QLatin1String("epon");
        b.ports = integer(o, "ports", b.pon ? (b.epon ? 8 : 16) : 4);
        for (int p = 0; p < b.ports; ++p) {
            b.autofind.insert(p, true);
            b.fec.insert(p, false);
        }
        m.boards.append(b);
    }

    for (const QJsonValue &v : root.value(QLatin1String("vlans")).toArray()) {
        const QJsonObject o = v.toObject();
        Vlan vl;
        vl.id = integer(o, "id");
        if (vl.id < 1 || vl.id > 4093 || m.vlan(vl.id))
            return QStringLiteral("VLAN %1 is out of range or listed twice").arg(vl.id);
        vl.type = str(o, "type", vl.type);
        vl.attribute = str(o, "attribute", vl.attribute);
        vl.description = str(o, "description");
        for (const QJsonValue &u : o.value(QLatin1String("uplinks")).toArray())
            vl.uplinkPorts << u.toString();
        vl.multicast = boolean(o, "multicast", false);
        vl.igmpMode = str(o, "igmpMode", vl.igmpMode);
        vl.igmpVersion = str(o, "igmpVersion", vl.igmpVersion);
        for (const QJsonValue &u : o.value(QLatin1String("members")).toArray())
            vl.members.insert(u.toInt());
        vl.vlanifAddress = str(o, "address");
        vl.vlanif = !vl.vlanifAddress.isEmpty();
        m.vlans.append(vl);
    }

    for (const QJsonValue &v : root.value(QLatin1String("dbaProfiles")).toArray()) {
        const QJsonObject o = v.toObject();
        DbaProfile d;
        d.id = integer(o, "id");
        d.name = str(o, "name", QStringLiteral("dba-profile_%1").arg(d.id));
        d.type = integer(o, "type", 4);
        d.fix = integer(o, "fix");
        d.assure = integer(o, "assure");
        d.max = integer(o, "max");
        m.dbaProfiles.append(d);
    }

    for (const QJsonValue &v : root.value(QLatin1String("lineProfiles")).toArray()) {
        const QJsonObject o = v.toObject();
        LineProfile p;
        p.id = integer(o, "id");
        p.epon = str(o, "pon", QStringLiteral("gpon")) == QLatin1String("epon");
        p.name = str(o, "name", QStringLiteral("line-profile_%1").arg(p.id));
        p.fec = boolean(o, "fec", false);
        for (const QJsonValue &t : o.value(QLatin1String("tconts")).toArray())
            p.tconts.append({integer(t.toObject(), "id"), integer(t.toObject(), "dba")});
        for (const QJsonValue &g : o.value(QLatin1String("gems")).toArray()) {
            Gem gem;
            gem.index = integer(g.toObject(), "index");
            gem.tcont = integer(g.toObject(), "tcont");
            for (const QJsonValue &mp : g.toObject().value(QLatin1String("mappings")).toArray())
                gem.mappings.append({integer(mp.toObject(), "index"), integer(mp.toObject(), "vlan")});
            p.gems.append(gem);
        }
        m.lineProfiles.append(p);
    }

    for (const QJsonValue &v : root.value(QLatin1String("srvProfiles")).toArray()) {
        const QJsonObject o = v.toObject();
        SrvProfile p;
        p.id = integer(o, "id");
        p.epon = str(o, "pon", QStringLiteral("gpon")) == QLatin1String("epon");
        p.name = str(o, "name", QStringLiteral("srv-profile_%1").arg(p.id));
        p.ethPorts = integer(o, "eth", 4);
        p.potsPorts = integer(o, "pots", 0);
        p.adaptive = boolean(o, "adaptive", false);
        m.srvProfiles.append(p);
    }

    // Indexes for the checks below: scenarios of tens of thousands of ONTs load in linear time.
    QSet<QString> places;
    QSet<QString> serials;
    QHash<QString, bool> ontIsEpon;
    auto placeKey = [](const Place &p, int id) { return QStringLiteral("%1/%2/%3/%4").arg(p.frame).arg(p.slot).arg(p.port).arg(id); };
    for (const QJsonValue &v : root.value(QLatin1String("onts")).toArray()) {
        const QJsonObject o = v.toObject();
        Ont ont;
        ont.id = integer(o, "id");
        const OntPlacement at = readOntPlacement(o, m, QStringLiteral("ONT %1").arg(ont.id));
        if (!at.error.isEmpty())
            return at.error;
        const Place &p = at.place;
        ont.frame = p.frame;
        ont.slot = p.slot;
        ont.port = p.port;
        ont.epon = at.board->epon;
        ont.sn = at.serial;
        const QString key = placeKey(p, ont.id);
        if (places.contains(key) || serials.contains(ont.sn.toUpper()))
            return QStringLiteral("ONT %1 %2 (%3) is listed twice").arg(str(o, "place")).arg(ont.id).arg(ont.sn);
        ont.description = str(o, "description", QStringLiteral("ONT_NO_DESCRIPTION"));
        ont.lineProfile = integer(o, "lineProfile", 0);
        ont.srvProfile = integer(o, "srvProfile", 0);
        ont.active = boolean(o, "active", true);
        ont.present = boolean(o, "online", true);
        ont.configuring = boolean(o, "configuring", false);
        ont.stateUnknown = boolean(o, "stateUnknown", false);
        readHardware(o, ont.hw);
        ont.lastUpTime = str(o, "lastUpTime", QStringLiteral("-"));
        ont.lastDownTime = str(o, "lastDownTime", QStringLiteral("-"));
        ont.lastDownCause = str(o, "lastDownCause", QStringLiteral("-"));
        ont.lastDyingGasp = str(o, "lastDyingGaspTime", QStringLiteral("-"));
        if (ont.online()) {
            ont.upSince = m.now().addSecs(-qint64(integer(o, "upSeconds", 86400)));
            if (ont.lastUpTime == QLatin1String("-"))
                ont.lastUpTime = m.formatTime(ont.upSince);
        }
        const QJsonObject native = o.value(QLatin1String("nativeVlan")).toObject();
        for (auto it = native.begin(); it != native.end(); ++it)
            ont.nativeVlan.insert(it.key().toInt(), it.value().toInt());
        const QJsonObject catv = o.value(QLatin1String("catv")).toObject();
        for (auto it = catv.begin(); it != catv.end(); ++it)
            ont.catv.insert(it.key().toInt(), it.value().toBool());
        if (const int after = integer(o, "offlineAfterSeconds", -1); after >= 0)
            ont.dropOfflineAtMs = qint64(after) * 1000;
        places.insert(key);
        serials.insert(ont.sn.toUpper());
        ontIsEpon.insert(key, ont.epon);
        m.onts.append(ont);
    }

    for (const QJsonValue &v : root.value(QLatin1String("autofind")).toArray()) {
        const QJsonObject o = v.toObject();
        const OntPlacement at = readOntPlacement(o, m, QStringLiteral("autofind ONT"));
        if (!at.error.isEmpty())
            return at.error;
        AutofindOnt a;
        a.frame = at.place.frame;
        a.slot = at.place.slot;
        a.port = at.place.port;
        a.epon = at.board->epon;
        a.sn = at.serial;
        a.foundAt = str(o, "foundAt", m.formatTime(m.now().addSecs(-600)));
        readHardware(o, a.hw);
        m.autofind.append(a);
    }

    QSet<int> spIndexes;
    int nextFreeIndex = 0;   // only grows: asking the model for each unnumbered port would be quadratic
    for (const QJsonValue &v : root.value(QLatin1String("servicePorts")).toArray()) {
        const QJsonObject o = v.toObject();
        Place p;
        if (!parsePlaceText(str(o, "place"), &p))
            return QStringLiteral("service port place \"%1\" is not F/S/P").arg(str(o, "place"));
        ServicePort sp;
        sp.index = integer(o, "index", -1);
        sp.vlan = integer(o, "vlan");
        sp.frame = p.frame;
        sp.slot = p.slot;
        sp.port = p.port;
        sp.ont = integer(o, "ont");
        const auto ont = ontIsEpon.constFind(placeKey(p, sp.ont));
        if (ont == ontIsEpon.cend())
            return QStringLiteral("service port %1 names no ONT").arg(sp.index);
        sp.epon = ont.value();
        sp.gemport = sp.epon ? -1 : integer(o, "gemport", 1);
        sp.userVlan = integer(o, "userVlan", sp.vlan);
        sp.tagTransform = str(o, "tagTransform", sp.tagTransform);
        sp.rxTraffic = integer(o, "rx", sp.rxTraffic);
        sp.txTraffic = integer(o, "tx", sp.txTraffic);
        if (sp.index < 0) {
            while (spIndexes.contains(nextFreeIndex))
                ++nextFreeIndex;
            sp.index = nextFreeIndex;
        }
        if (spIndexes.contains(sp.index))
            return QStringLiteral("service port %1 is listed twice").arg(sp.index);
        spIndexes.insert(sp.index);
        if (!m.vlan(sp.vlan))
            return QStringLiteral("service port %1 uses VLAN %2, which is not listed").arg(sp.index).arg(sp.vlan);
        m.servicePorts.append(sp);
    }

    for (const QJsonValue &v : root.value(QLatin1String("igmpUsers")).toArray()) {
        const QJsonObject o = v.toObject();
        IgmpUser u;
        u.servicePort = integer(o, "servicePort", -1);
        u.auth = str(o, "auth", u.auth);
        u.maxPrograms = integer(o, "maxPrograms", u.maxPrograms);
        if (!spIndexes.contains(u.servicePort))
            return QStringLiteral("IGMP user names service port %1, which is not listed").arg(u.servicePort);
        m.igmpUsers.append(u);
    }

    const QJsonObject as = root.value(QLatin1String("autosave")).toObject();
    m.autosave.intervalOn = boolean(as, "intervalOn", m.autosave.intervalOn);
    m.autosave.intervalMinutes = integer(as, "intervalMinutes", m.autosave.intervalMinutes);
    m.autosave.modificationOn = boolean(as, "modificationOn", m.autosave.modificationOn);
    m.autosave.timeOn = boolean(as, "timeOn", m.autosave.timeOn);
    m.autosave.time = str(as, "time", m.autosave.time);
    m.autosave.type = str(as, "type", m.autosave.type);

    const QJsonObject fo = root.value(QLatin1String("faults")).toObject();
    f.lineLatencyMs = integer(fo, "lineLatencyMs", 0);
    f.byteLatencyUs = integer(fo, "byteLatencyUs", 0);
    f.fragmentBytes = integer(fo, "fragmentBytes", 0);
    f.fragmentDelayMs = integer(fo, "fragmentDelayMs", 0);
    f.dropAfterCommands = integer(fo, "dropAfterCommands", -1);
    f.noQuitEcho = boolean(fo, "noQuitEcho", false);
    f.garbageEveryLines = integer(fo, "garbageEveryLines", 0);
    f.loginNeverAnswers = boolean(fo, "loginNeverAnswers", false);
    f.pauseAfterText = str(fo, "pauseAfterText");
    f.pauseMs = std::max(0, integer(fo, "pauseMs", 0));
    f.alarmAnswers = std::max(-1, integer(fo, "alarmAnswers", 0));
    f.alarmCommandText = str(fo, "alarmCommandText");
    f.dropListingAfterLines = std::max(-1, integer(fo, "dropListingAfterLines", -1));
    f.dropListingTimes = std::max(-1, integer(fo, "dropListingTimes", 1));
    f.dropListingCommandText = str(fo, "dropListingCommandText");
    m.unsaved = false;
    return {};
}

GeneratedSignal generatedSignal(int n)
{
    // Residues that never coincide: n % 25 == 7 or 11 leaves n % 5 at 2 or 1,
    // n % 10 == 3 at 3.
    if (n % 25 == 7)
        return GeneratedSignal::Offline;
    if (n % 25 == 11)
        return GeneratedSignal::Critical;
    if (n % 10 == 3)
        return GeneratedSignal::Bad;
    return GeneratedSignal::Good;
}

QJsonObject generateScenario(int onts, quint32 seed)
{
    QRandomGenerator rnd(seed);
    const int perPort = onts <= 8192 ? 64 : 128;
    const int eponOnts = std::min(onts / 20, 8 * 64);
    const int gponOnts = onts - eponOnts;
    const int boardsNeeded = std::max(1, (gponOnts + 16 * perPort - 1) / (16 * perPort));
    QJsonArray boards;
    boards.append(QJsonObject{{QStringLiteral("slot"), 0}, {QStringLiteral("name"), QStringLiteral("H801MCUD")},
                              {QStringLiteral("status"), QStringLiteral("Active_normal")}, {QStringLiteral("subType0"), QStringLiteral("CPCF")},
                              {QStringLiteral("type"), QStringLiteral("control")}});
    int slot = 1;
    QList<int> gponSlots;
    for (int i = 0; i < boardsNeeded; ++i, ++slot) {
        gponSlots << slot;
        boards.append(QJsonObject{{QStringLiteral("slot"), slot}, {QStringLiteral("name"), QStringLiteral("H805GPFD")},
                                  {QStringLiteral("type"), QStringLiteral("gpon")}, {QStringLiteral("ports"), 16}});
    }
    const int eponSlot = slot++;
    boards.append(QJsonObject{{QStringLiteral("slot"), eponSlot}, {QStringLiteral("name"), QStringLiteral("H802EPBD")},
                              {QStringLiteral("type"), QStringLiteral("epon")}, {QStringLiteral("ports"), 8}});

    QJsonArray ontList;
    QJsonArray sps;
    int index = 0;
    // Levels in hundredths of a dBm between two bounds.
    auto between = [&](int highest, int lowest) { return (highest - int(rnd.bounded(highest - lowest + 1))) / 100.0; };
    auto addOnt = [&](int s, int p, int id, bool epon, int n) {
        const GeneratedSignal kind = generatedSignal(n);
        double ontRx = between(-1500, -2440);
        double oltRx = between(-1400, -2540);
        if (kind == GeneratedSignal::Bad) {
            // one of the two levels weak, the other good
            if ((n / 10) % 2 == 0)
                ontRx = between(-2560, -2740);
            else
                oltRx = between(-2660, -2840);
        } else if (kind == GeneratedSignal::Critical) {
            ontRx = between(-2860, -3100);
            oltRx = between(-2700, -3200);
        }
        QJsonObject o{{QStringLiteral("place"), QStringLiteral("0/%1/%2").arg(s).arg(p)},
                      {QStringLiteral("id"), id},
                      {QStringLiteral("description"), QStringLiteral("client_%1").arg(n, 6, 10, QLatin1Char('0'))},
                      {QStringLiteral("lineProfile"), epon ? 101 : 1},
                      {QStringLiteral("srvProfile"), epon ? 101 : 1},
                      {QStringLiteral("online"), kind != GeneratedSignal::Offline},
                      {QStringLiteral("distance"), 200 + int(rnd.bounded(9000))},
                      {QStringLiteral("optics"), QJsonObject{{QStringLiteral("ontRx"), ontRx}, {QStringLiteral("oltRx"), oltRx}}}};
        if (epon)
            o.insert(QStringLiteral("mac"), QStringLiteral("00e0-fc%1-%2").arg(n / 65536 % 256, 2, 16, QLatin1Char('0')).arg(n % 65536, 4, 16, QLatin1Char('0')));
        else
            o.insert(QStringLiteral("sn"), QStringLiteral("48575443%1").arg(quint32(0x10000000 + n), 8, 16, QLatin1Char('0')).toUpper());
        ontList.append(o);
        QJsonObject sp{{QStringLiteral("index"), index++}, {QStringLiteral("vlan"), 100}, {QStringLiteral("place"), QStringLiteral("0/%1/%2").arg(s).arg(p)},
                       {QStringLiteral("ont"), id}, {QStringLiteral("userVlan"), 100}};
        if (!epon)
            sp.insert(QStringLiteral("gemport"), 1);
        sps.append(sp);
    };
    for (int n = 0; n < gponOnts; ++n) {
        const int s = gponSlots.at(n / (16 * perPort));
        const int p = (n / perPort) % 16;
        addOnt(s, p, n % perPort, false, n);
    }
    for (int n = 0; n < eponOnts; ++n)
        addOnt(eponSlot, (n / 64) % 8, n % 64, true, gponOnts + n);

    QJsonArray autofind;
    for (int k = 0; k < 4; ++k) {
        autofind.append(QJsonObject{{QStringLiteral("place"), QStringLiteral("0/%1/%2").arg(gponSlots.first()).arg(k)},
                                    {QStringLiteral("sn"), QStringLiteral("48575443%1").arg(0xA0000000u + quint32(k), 8, 16, QLatin1Char('0')).toUpper()}});
    }
    return QJsonObject{
        {QStringLiteral("hostname"), QStringLiteral("OLT-LOAD")},
        {QStringLiteral("barCode"), QStringLiteral("2102354446LOAD%1").arg(onts)},
        {QStringLiteral("users"), QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("admin")}, {QStringLiteral("password"), QStringLiteral("admin123")}}}},
        {QStringLiteral("boards"), boards},
        {QStringLiteral("vlans"), QJsonArray{QJsonObject{{QStringLiteral("id"), 100}, {QStringLiteral("uplinks"), QJsonArray{QStringLiteral("0/0/0")}}}}},
        {QStringLiteral("dbaProfiles"), QJsonArray{QJsonObject{{QStringLiteral("id"), 10}, {QStringLiteral("type"), 4}, {QStringLiteral("max"), 1024000}}}},
        {QStringLiteral("lineProfiles"),
         QJsonArray{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("ftth")}, {QStringLiteral("tconts"), QJsonArray{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("dba"), 10}}}}},
                    QJsonObject{{QStringLiteral("id"), 101}, {QStringLiteral("name"), QStringLiteral("epon_ftth")}, {QStringLiteral("pon"), QStringLiteral("epon")}}}},
        {QStringLiteral("srvProfiles"),
         QJsonArray{QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("ftth")}},
                    QJsonObject{{QStringLiteral("id"), 101}, {QStringLiteral("name"), QStringLiteral("epon_ftth")}, {QStringLiteral("pon"), QStringLiteral("epon")}}}},
        {QStringLiteral("onts"), ontList},
        {QStringLiteral("servicePorts"), sps},
        {QStringLiteral("autofind"), autofind},
    };
}

} // namespace oltsim
