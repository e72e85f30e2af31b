#pragma once

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace oltsim {

// Optical levels of one ONT as the OLT reads them. The scenario seeds them;
// drift (if enabled) is applied when they are read, not stored.
struct Optics
{
    double ontRx = -19.5;       // ONT receive level, dBm
    double ontTx = 2.3;         // ONT transmit level, dBm
    double bias = 12;           // laser bias current, mA
    double temperature = 45;    // C
    double voltage = 3.3;       // V
    double oltRx = -21.5;       // OLT receive level for this ONT, dBm
    // An online ONT whose level the OLT cannot read: "-" where the number goes.
    bool ontRxUnread = false;
    bool oltRxUnread = false;
    // Said after the number in the single-ONT answer: "-30.12, out of range".
    QString ontRxRemark;
    QString oltRxRemark;
};

struct LearnedMac
{
    QString mac;   // xxxx-xxxx-xxxx
    int vlan = 0;
    int ethPort = 1;
};

// What a physically connected ONT reports about itself; shared by authorised
// ONTs and by the autofind table, so an ONT keeps its identity when it is added.
struct OntHardware
{
    QString vendorId = QStringLiteral("HWTC");
    QString version = QStringLiteral("10C7.A");
    QString softwareVersion = QStringLiteral("V5R019C10S125");
    QString equipmentId = QStringLiteral("EG8145V5");
    QString customizedInfo = QStringLiteral("COMMON");
    QString ontMac = QStringLiteral("-");        // GPON ONT's own MAC in the newer autofind layout
    QString equipmentSn = QStringLiteral("-");
    QString password = QStringLiteral("0x00000000000000000000");
    int distance = 1200;
    Optics optics;
    QList<LearnedMac> macs;
};

struct Ont
{
    int frame = 0;
    int slot = 0;
    int port = 0;
    int id = 0;
    bool epon = false;
    QString sn;                 // GPON: 16 hex digits; EPON: MAC written xxxx-xxxx-xxxx
    QString description;
    int lineProfile = 0;
    int srvProfile = 0;
    bool active = true;         // control flag: false after "ont deactivate"
    bool configuring = false;   // control flag "configuring" while the OLT still sets the ONT up
    bool stateUnknown = false;  // the state listing prints "-" for its run, config and match states
    bool present = false;       // on the fibre and answering; online when also active
    QString lastUpTime = QStringLiteral("-");
    QString lastDownTime = QStringLiteral("-");
    QString lastDownCause = QStringLiteral("-");
    QString lastDyingGasp = QStringLiteral("-");
    QDateTime upSince;          // OLT clock, for the online duration
    QMap<int, int> nativeVlan;  // eth port -> VLAN
    QMap<int, bool> catv;       // CATV port -> operational state on
    OntHardware hw;
    int resets = 0;
    qint64 dropOfflineAtMs = -1; // simulator time at which the ONT leaves the fibre (-1: never)

    bool online() const { return active && present; }
    QString place() const { return QStringLiteral("%1/%2/%3").arg(frame).arg(slot).arg(port); }
};

struct AutofindOnt
{
    int frame = 0;
    int slot = 0;
    int port = 0;
    bool epon = false;
    QString sn;                 // GPON SN or EPON MAC, as for Ont
    QString foundAt;            // autofind time, as printed
    OntHardware hw;
};

struct ServicePort
{
    int index = 0;
    int vlan = 0;
    bool epon = false;
    int frame = 0;
    int slot = 0;
    int port = 0;
    int ont = 0;
    int gemport = -1;           // -1 for EPON
    int userVlan = -1;          // -1: untagged / not given
    QString tagTransform = QStringLiteral("translate");
    int rxTraffic = 6;
    int txTraffic = 6;
};

struct IgmpUser
{
    int servicePort = 0;
    QString auth = QStringLiteral("no-auth");
    int maxPrograms = 8;
};

struct Vlan
{
    int id = 0;
    QString type = QStringLiteral("smart");
    QString attribute = QStringLiteral("common");
    QString description;
    QStringList uplinkPorts;    // "F/S/P"
    bool multicast = false;
    QString igmpMode = QStringLiteral("off");
    QString igmpVersion = QStringLiteral("v2");
    QString igmpMatch = QStringLiteral("disable");
    QString igmpDefaultUplink;
    QStringList igmpUplinks;
    QSet<int> members;          // service ports joined as multicast members
    bool vlanif = false;
    QString vlanifAddress;      // "A.B.C.D M"
};

struct Tcont
{
    int id = 0;
    int dba = 0;
};

struct GemMapping
{
    int index = 0;
    int vlan = 0;
};

struct Gem
{
    int index = 0;
    int tcont = 0;
    QList<GemMapping> mappings;
};

struct LineProfile
{
    int id = 0;
    bool epon = false;
    QString name;
    bool fec = false;
    QList<Tcont> tconts;
    QList<Gem> gems;
};

struct SrvProfile
{
    int id = 0;
    bool epon = false;
    QString name;
    int ethPorts = 4;
    int potsPorts = 0;
    bool adaptive = false;
    QStringList settings;       // further lines as typed in the profile's mode, kept for inspection
};

struct DbaProfile
{
    int id = 0;
    QString name;
    int type = 4;
    int fix = 0;
    int assure = 0;
    int max = 0;
    bool compensation = false;
};

struct User
{
    QString name;
    QString password;
    QString profile = QStringLiteral("root");
    int level = 3;              // 1 common, 2 operator, 3 administrator
    int reenter = 4;            // permitted simultaneous logins
    QString info;
    bool ssh = false;
    QString sshAuth;
};

struct Board
{
    int slot = 0;
    QString name;               // empty: no board in the slot
    QString status = QStringLiteral("Normal");
    QString subType0;
    QString subType1;
    QString onlineState;        // "Offline" or empty
    int ports = 0;              // PON ports (service boards)
    bool epon = false;
    bool pon = false;
    QMap<int, bool> autofind;   // port -> ont-auto-find enabled
    QMap<int, bool> fec;        // port -> fec enabled
    int resets = 0;
};

struct OntLoadRecord
{
    QString file;
    QString server;
    QStringList targets;        // "F/S P ID"
    bool ok = false;
    QString detail;
};

struct Autosave
{
    bool intervalOn = false;
    int intervalMinutes = 1440;
    bool modificationOn = false;
    int modificationMinutes = 60;
    bool timeOn = false;
    QString time = QStringLiteral("00:00:00");
    QString type = QStringLiteral("configuration");
};

// The whole state of the simulated OLT. Every session works on this one
// object, so a change typed in one session shows in the listings of the others.
class OltModel
{
public:
    QString hostname = QStringLiteral("MA5608T");
    QString product = QStringLiteral("MA5608T");
    QString barCode = QStringLiteral("21023544460000000001");
    QString labelDescription = QStringLiteral("Function Module,H801MABO,MA5608T Backplane");
    QString banner = QStringLiteral("MA5600V800R018C10");

    QList<Board> boards;
    QList<Ont> onts;
    QList<AutofindOnt> autofind;
    QList<ServicePort> servicePorts;
    QList<IgmpUser> igmpUsers;
    QList<Vlan> vlans;
    QList<LineProfile> lineProfiles;
    QList<SrvProfile> srvProfiles;
    QList<DbaProfile> dbaProfiles;
    QList<User> users;
    QList<OntLoadRecord> ontLoads;
    Autosave autosave;

    qint64 clockOffsetSecs = 0;   // OLT clock minus the host clock
    int utcOffsetMinutes = 60;
    bool unsaved = false;         // changed since the last "save"
    int saves = 0;
    int reboots = 0;

    // --- lookups ---
    Ont *findOnt(int f, int s, int p, int id);
    const Ont *findOnt(int f, int s, int p, int id) const;
    Ont *findOntBySn(const QString &sn);
    Board *board(int slot);
    const Board *board(int slot) const;
    Vlan *vlan(int id);
    const Vlan *vlan(int id) const;
    ServicePort *servicePort(int index);
    const ServicePort *servicePort(int index) const;
    LineProfile *lineProfile(int id, bool epon);
    const LineProfile *lineProfile(int id, bool epon) const;
    SrvProfile *srvProfile(int id, bool epon);
    const SrvProfile *srvProfile(int id, bool epon) const;
    DbaProfile *dbaProfile(int id);
    const DbaProfile *dbaProfile(int id) const;
    User *user(const QString &name);
    const User *user(const QString &name) const;
    bool isIgmpUser(int servicePort) const;

    int lineBindings(int id, bool epon) const;
    int srvBindings(int id, bool epon) const;
    int dbaBindings(int id) const;
    int nextFreeServicePort() const;
    // The service port a new one would clash with (its index taken, or the
    // same ONT, GEM port and user VLAN under another index), or -1.
    int conflictingServicePort(const ServicePort &sp) const;
    QList<const Ont *> ontsOnPort(int f, int s, int p) const;
    QList<const Ont *> sortedOnts() const;
    QList<const ServicePort *> sortedServicePorts() const;

    QDateTime now() const;                       // the OLT clock
    QString formatTime(const QDateTime &t) const; // "YYYY-MM-DD HH:MM:SS+HH:MM"
    QString utcOffsetText() const;

    // --- state changes; each returns the device's failure text, or an empty string ---
    QString addOnt(Ont ont);
    QString deleteOnt(int f, int s, int p, int id);
    QString setOntActive(int f, int s, int p, int id, bool active);
    QString resetOnt(int f, int s, int p, int id);
    QString factoryRestoreOnt(int f, int s, int p, int id);
    QString addServicePort(const ServicePort &sp);
    int deleteServicePortsOfOnt(int f, int s, int p, int id);   // returns how many
    QString deleteServicePort(int index);
    QString addIgmpUser(int servicePort, const QString &auth);
    QString deleteIgmpUser(int servicePort);
    void markChanged() { unsaved = true; }
    // The ONT leaves the fibre (cause as the OLT records it).
    void dropOnt(Ont &ont, const QString &cause);
};

} // namespace oltsim
