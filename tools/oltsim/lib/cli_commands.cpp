// The commands of the simulated OLT: their syntax per mode and what each does
// to the shared model and prints.
#include "cli_session.h"

#include "listings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>

namespace oltsim {

namespace {
QString okFail(bool ok)
{
    return ok ? QString() : QStringLiteral("  Failure: The parameter is invalid");
}

// A GPON ONT is known by its 16-digit serial number, an EPON ONT by its MAC.
bool validSerial(const QString &text, bool epon)
{
    static const QRegularExpression snRe(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    static const QRegularExpression macRe(QStringLiteral("^[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}$"));
    return (epon ? macRe : snRe).match(text).hasMatch();
}

QString invalidSerialText(bool epon)
{
    return epon ? QStringLiteral("  Failure: The MAC address is invalid") : QStringLiteral("  Failure: The SN is invalid");
}
} // namespace

const QList<CliSession::Command> &CliSession::commands()
{
    using M = Mode;
    static const quint32 U = bit(M::User), P = bit(M::Privileged), C = bit(M::Config), IG = bit(M::IfGpon),
                         IE = bit(M::IfEpon), B = bit(M::Btv), MV = bit(M::Mvlan), VI = bit(M::Vlanif),
                         LP = bit(M::LineProfile), SP = bit(M::SrvProfile), D = bit(M::Diagnose);
    static const quint32 IF = IG | IE;
    static const quint32 CFG = C | IF | B | MV | VI | LP | SP;
    static const quint32 EN = P | CFG;
    static const quint32 ALL = U | EN | D;
    const QString anyKey = QStringLiteral("{ <cr>||<K> }:");
    static const QList<Command> list = {
        // interface modes first: their "display ont ..." forms take precedence there
        {IG, Pattern(QStringLiteral("ont add <int:0-127> <int:0-127> sn-auth <word> omci ont-lineprofile-id <int> ont-srvprofile-id <int> desc <text>")), &CliSession::cmdOntAddSn, QStringLiteral("{ <cr>|ont-type<K> }:")},
        {IG, Pattern(QStringLiteral("ont add <int:0-127> <int:0-127> sn-auth <word> omci ont-lineprofile-id <int> ont-srvprofile-id <int>")), &CliSession::cmdOntAddSnNoDesc, QStringLiteral("{ <cr>|desc<K>|ont-type<K> }:")},
        {IE, Pattern(QStringLiteral("ont add <int:0-127> <int:0-127> mac-auth <word> oam ont-lineprofile-id <int> ont-srvprofile-id <int> desc <text>")), &CliSession::cmdOntAddMac, QStringLiteral("{ <cr>|ont-type<K> }:")},
        {IE, Pattern(QStringLiteral("ont add <int:0-127> <int:0-127> mac-auth <word> oam ont-lineprofile-id <int> ont-srvprofile-id <int>")), &CliSession::cmdOntAddMacNoDesc, QStringLiteral("{ <cr>|desc<K>|ont-type<K> }:")},
        {IF, Pattern(QStringLiteral("ont delete <int:0-127> <int:0-127>")), &CliSession::cmdOntDelete, {}},
        {IF, Pattern(QStringLiteral("ont delete <int:0-127> all")), &CliSession::cmdOntDeleteAll, {}},
        {IF, Pattern(QStringLiteral("ont modify <int:0-127> <int:0-127> desc <text>")), &CliSession::cmdOntModifyDesc, {}},
        {IG, Pattern(QStringLiteral("ont modify <int:0-127> <int:0-127> sn <word>")), &CliSession::cmdOntModifySn, {}},
        {IE, Pattern(QStringLiteral("ont modify <int:0-127> <int:0-127> mac <word>")), &CliSession::cmdOntModifyMac, {}},
        {IF, Pattern(QStringLiteral("ont modify <int:0-127> <int:0-127> ont-lineprofile-id <int>")), &CliSession::cmdOntModifyLine, {}},
        {IF, Pattern(QStringLiteral("ont modify <int:0-127> <int:0-127> ont-srvprofile-id <int>")), &CliSession::cmdOntModifySrv, {}},
        {IF, Pattern(QStringLiteral("ont activate <int:0-127> <int:0-127>")), &CliSession::cmdOntActivate, {}},
        {IF, Pattern(QStringLiteral("ont deactivate <int:0-127> <int:0-127>")), &CliSession::cmdOntDeactivate, {}},
        {IF, Pattern(QStringLiteral("ont reset <int:0-127> <int:0-127>")), &CliSession::cmdOntReset, {}},
        {IF, Pattern(QStringLiteral("ont factory-setting-restore <int:0-127> <int:0-127>")), &CliSession::cmdOntFactoryRestore, {}},
        {IF, Pattern(QStringLiteral("ont port native-vlan <int:0-127> <int:0-127> eth <int:1-24> vlan <int:1-4093>")), &CliSession::cmdOntNativeVlan, anyKey},
        {IF, Pattern(QStringLiteral("ont port native-vlan <int:0-127> <int:0-127> eth <int:1-24> vlan <int:1-4093> priority <int:0-7>")), &CliSession::cmdOntNativeVlan, {}},
        {IF, Pattern(QStringLiteral("ont port attribute <int:0-127> <int:0-127> catv <int:1-48> operational-state <word>")), &CliSession::cmdOntCatv, {}},
        {IF, Pattern(QStringLiteral("port <int:0-15> ont-auto-find <word>")), &CliSession::cmdPortAutofind, {}},
        {IF, Pattern(QStringLiteral("port <int:0-15> fec <word>")), &CliSession::cmdPortFec, {}},
        {IF, Pattern(QStringLiteral("display ont info <int:0-127> <int:0-127>")), &CliSession::cmdIfOntInfo, anyKey},
        {IF, Pattern(QStringLiteral("display ont info <int:0-127> all")), &CliSession::cmdIfOntInfoAll, anyKey},
        {IF, Pattern(QStringLiteral("display ont optical-info <int:0-127> <int:0-127>")), &CliSession::cmdIfOptical, {}},
        {IF, Pattern(QStringLiteral("display ont optical-info <int:0-127> all")), &CliSession::cmdIfOpticalAll, anyKey},

        // session
        {ALL, Pattern(QStringLiteral("undo smart")), &CliSession::cmdUndoSmart, {}},
        {ALL, Pattern(QStringLiteral("smart")), &CliSession::cmdSmart, {}},
        {ALL, Pattern(QStringLiteral("scroll")), &CliSession::cmdScrollDefault, QStringLiteral("{ <cr>|<U><10,512> }:")},
        {ALL, Pattern(QStringLiteral("scroll <int:10-512>")), &CliSession::cmdScroll, {}},
        {ALL, Pattern(QStringLiteral("idle-timeout <int:0-255>")), &CliSession::cmdIdleTimeout, {}},
        {ALL, Pattern(QStringLiteral("quit")), &CliSession::cmdQuit, {}},
        {U, Pattern(QStringLiteral("enable")), &CliSession::cmdEnable, {}},
        {EN | D, Pattern(QStringLiteral("config")), &CliSession::cmdConfig, {}},
        {P | C, Pattern(QStringLiteral("diagnose")), &CliSession::cmdDiagnose, {}},
        {P | C, Pattern(QStringLiteral("save")), &CliSession::cmdSave, QStringLiteral("{ <cr>|configuration<K>|data<K> }:")},
        {P | C, Pattern(QStringLiteral("save configuration")), &CliSession::cmdSave, {}},
        {P | C, Pattern(QStringLiteral("terminal user name")), &CliSession::cmdTerminalUserName, {}},
        {C, Pattern(QStringLiteral("ssh user <word> authentication-type <word>")), &CliSession::cmdSshUser, {}},

        // configuration
        {C, Pattern(QStringLiteral("interface gpon <fs>")), &CliSession::cmdInterfaceGpon, {}},
        {C, Pattern(QStringLiteral("interface epon <fs>")), &CliSession::cmdInterfaceEpon, {}},
        {C, Pattern(QStringLiteral("interface vlanif <int:1-4093>")), &CliSession::cmdInterfaceVlanif, {}},
        {C, Pattern(QStringLiteral("undo interface vlanif <int:1-4093>")), &CliSession::cmdUndoInterfaceVlanif, {}},
        {C, Pattern(QStringLiteral("btv")), &CliSession::cmdBtv, {}},
        {C, Pattern(QStringLiteral("multicast-vlan <int:1-4093>")), &CliSession::cmdMulticastVlan, {}},
        {C, Pattern(QStringLiteral("undo multicast-vlan <int:1-4093>")), &CliSession::cmdUndoMulticastVlan, {}},
        {C, Pattern(QStringLiteral("vlan <int:1-4093>")), &CliSession::cmdVlan, {}},
        {C, Pattern(QStringLiteral("vlan <int:1-4093> <word>")), &CliSession::cmdVlanTyped, {}},
        {C, Pattern(QStringLiteral("vlan desc <int:1-4093> description <text>")), &CliSession::cmdVlanDesc, {}},
        {C, Pattern(QStringLiteral("undo vlan <int:1-4093>")), &CliSession::cmdUndoVlan, {}},
        {C, Pattern(QStringLiteral("port vlan <int:1-4093> <fs> <int:0-63>")), &CliSession::cmdPortVlan, {}},
        {C, Pattern(QStringLiteral("undo port vlan <int:1-4093> <fs> <int:0-63>")), &CliSession::cmdUndoPortVlan, {}},
        {C, Pattern(QStringLiteral("service-port <rest>")), &CliSession::cmdServicePort, {}},
        {C, Pattern(QStringLiteral("undo service-port port <fsp> ont <int:0-127>")), &CliSession::cmdUndoServicePortOfOnt, {}},
        {C, Pattern(QStringLiteral("undo service-port <int:0-65535>")), &CliSession::cmdUndoServicePort, {}},
        {C, Pattern(QStringLiteral("ont-srvprofile gpon profile-id <int:0-8192> profile-name <text>")), &CliSession::cmdSrvProfile, {}},
        {C, Pattern(QStringLiteral("ont-srvprofile gpon profile-id <int:0-8192>")), &CliSession::cmdSrvProfile, {}},
        {C, Pattern(QStringLiteral("ont-srvprofile epon profile-id <int:0-8192> profile-name <text>")), &CliSession::cmdSrvProfileEpon, {}},
        {C, Pattern(QStringLiteral("ont-srvprofile epon profile-id <int:0-8192>")), &CliSession::cmdSrvProfileEpon, {}},
        {C, Pattern(QStringLiteral("ont-lineprofile gpon profile-id <int:0-8192> profile-name <text>")), &CliSession::cmdLineProfile, {}},
        {C, Pattern(QStringLiteral("ont-lineprofile gpon profile-id <int:0-8192>")), &CliSession::cmdLineProfile, {}},
        {C, Pattern(QStringLiteral("ont-lineprofile epon profile-id <int:0-8192> profile-name <text>")), &CliSession::cmdLineProfileEpon, {}},
        {C, Pattern(QStringLiteral("ont-lineprofile epon profile-id <int:0-8192>")), &CliSession::cmdLineProfileEpon, {}},
        {C, Pattern(QStringLiteral("undo ont-srvprofile gpon profile-id <int:0-8192>")), &CliSession::cmdUndoSrvProfile, {}},
        {C, Pattern(QStringLiteral("undo ont-srvprofile epon profile-id <int:0-8192>")), &CliSession::cmdUndoSrvProfileEpon, {}},
        {C, Pattern(QStringLiteral("undo ont-lineprofile gpon profile-id <int:0-8192>")), &CliSession::cmdUndoLineProfile, {}},
        {C, Pattern(QStringLiteral("undo ont-lineprofile epon profile-id <int:0-8192>")), &CliSession::cmdUndoLineProfileEpon, {}},
        {C, Pattern(QStringLiteral("dba-profile add profile-id <int:0-512> profile-name <text> <word> <rest>")), &CliSession::cmdDbaAdd, {}},
        {C, Pattern(QStringLiteral("dba-profile delete profile-id <int:0-512>")), &CliSession::cmdDbaDelete, {}},
        {C, Pattern(QStringLiteral("xpon anti-rogueont autodetect <word>")), &CliSession::cmdAntiRogue, {}},
        {C, Pattern(QStringLiteral("board reset <fs>")), &CliSession::cmdBoardReset, {}},
        {C, Pattern(QStringLiteral("board delete <fs>")), &CliSession::cmdBoardDelete, {}},
        {C, Pattern(QStringLiteral("board confirm <int:0-0>")), &CliSession::cmdBoardConfirm, {}},
        {P | C, Pattern(QStringLiteral("reboot system")), &CliSession::cmdReboot, {}},
        {C, Pattern(QStringLiteral("time <rest>")), &CliSession::cmdTime, {}},
        {C, Pattern(QStringLiteral("autosave time <word>")), &CliSession::cmdAutosaveTime, {}},
        {C, Pattern(QStringLiteral("autosave type <word>")), &CliSession::cmdAutosaveType, {}},
        {C, Pattern(QStringLiteral("autosave interval <word>")), &CliSession::cmdAutosaveInterval, {}},
        {C, Pattern(QStringLiteral("autosave modification <word>")), &CliSession::cmdAutosaveModification, {}},

        // btv and multicast VLAN
        {B, Pattern(QStringLiteral("igmp user add service-port <int:0-65535> <word>")), &CliSession::cmdIgmpUserAdd, {}},
        {B, Pattern(QStringLiteral("igmp user delete service-port <int:0-65535>")), &CliSession::cmdIgmpUserDelete, {}},
        {MV, Pattern(QStringLiteral("igmp multicast-vlan member service-port <int:0-65535>")), &CliSession::cmdMvlanMember, {}},
        {MV, Pattern(QStringLiteral("undo igmp multicast-vlan member service-port <int:0-65535>")), &CliSession::cmdUndoMvlanMember, {}},
        {MV, Pattern(QStringLiteral("igmp mode <word>")), &CliSession::cmdIgmpMode, {}},
        {MV, Pattern(QStringLiteral("igmp version <word>")), &CliSession::cmdIgmpVersion, {}},
        {MV, Pattern(QStringLiteral("igmp default uplink-port <fsp>")), &CliSession::cmdIgmpDefaultUplink, {}},
        {MV, Pattern(QStringLiteral("igmp match mode <word>")), &CliSession::cmdIgmpMatch, {}},
        {MV, Pattern(QStringLiteral("igmp uplink-port <fsp>")), &CliSession::cmdIgmpUplink, {}},
        {VI, Pattern(QStringLiteral("ip address <word> <word>")), &CliSession::cmdIpAddress, {}},

        // profile modes
        {LP, Pattern(QStringLiteral("fec-upstream <word>")), &CliSession::cmdFecUpstream, {}},
        {LP, Pattern(QStringLiteral("tcont <int:0-7> dba-profile-id <int:0-512>")), &CliSession::cmdTcont, {}},
        {LP, Pattern(QStringLiteral("gem add <int:0-1023> eth tcont <int:0-7>")), &CliSession::cmdGemAdd, {}},
        {LP, Pattern(QStringLiteral("gem mapping <int:0-1023> <int:0-7> vlan <int:1-4095>")), &CliSession::cmdGemMapping, {}},
        {LP | SP, Pattern(QStringLiteral("commit")), &CliSession::cmdCommit, {}},
        {SP, Pattern(QStringLiteral("ont-port eth <int:0-24>")), &CliSession::cmdOntPortEth, {}},
        {SP, Pattern(QStringLiteral("ont-port pots <word> eth <word>")), &CliSession::cmdOntPortPotsEth, {}},
        {SP, Pattern(QStringLiteral("igmp-forward <word>")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("multicast-forward tag <word>")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("multicast-forward untag")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("multicast mode <word>")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("port multicast-vlan eth <int:1-24> <int:1-4093>")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("port vlan eth <int:1-24> translation <int:1-4093> user-vlan <int:1-4093>")), &CliSession::cmdSrvSetting, {}},
        {SP, Pattern(QStringLiteral("port vlan eth <int:1-24> <int:1-4093>")), &CliSession::cmdSrvSetting, {}},

        // diagnose
        {D | EN, Pattern(QStringLiteral("display elabel backplane <int:0-0>")), &CliSession::cmdElabel, {}},
        {D | EN, Pattern(QStringLiteral("display elabel")), &CliSession::cmdElabelShort, QStringLiteral("{ <cr>|backplane<K>|frameid/slotid<S><Length 3-15>||<K> }:")},
        {D, Pattern(QStringLiteral("ont-load stop")), &CliSession::cmdOntLoadStop, {}},
        {D, Pattern(QStringLiteral("ont-load info configuration <word> ftp <word> <word> <word>")), &CliSession::cmdOntLoadInfo, {}},
        {D, Pattern(QStringLiteral("ont-load select <fs> <int:0-127> <int:0-127>")), &CliSession::cmdOntLoadSelect, {}},
        {D, Pattern(QStringLiteral("ont-load start")), &CliSession::cmdOntLoadStart, {}},

        // displays
        {EN, Pattern(QStringLiteral("display ont autofind all")), &CliSession::cmdShowAutofind, anyKey},
        {EN, Pattern(QStringLiteral("display ont info <int:0-0> all")), &CliSession::cmdShowOntFrame, anyKey},
        {EN, Pattern(QStringLiteral("display ont info <int:0-0> <int:0-21> <int:0-15> all")), &CliSession::cmdShowOntPort, anyKey},
        {EN, Pattern(QStringLiteral("display ont info <int:0-0> <int:0-21> <int:0-15> <int:0-127>")), &CliSession::cmdShowOnt, anyKey},
        {EN, Pattern(QStringLiteral("display service-port all")), &CliSession::cmdShowServicePortAll, QStringLiteral("{ <cr>|sort-by<K>||<K> }:")},
        {EN, Pattern(QStringLiteral("display service-port next-free-index")), &CliSession::cmdShowNextFree, anyKey},
        {EN, Pattern(QStringLiteral("display service-port port <fsp> ont <int:0-127>")), &CliSession::cmdShowServicePortOfOnt, anyKey},
        {EN, Pattern(QStringLiteral("display service-port port <fsp>")), &CliSession::cmdShowServicePortOfPort, anyKey},
        {EN, Pattern(QStringLiteral("display service-port vlan <int:1-4093>")), &CliSession::cmdShowServicePortVlan, QStringLiteral("{ <cr>|e2e<K>|inner-vlan<K>|sort-by<K>||<K> }:")},
        {EN, Pattern(QStringLiteral("display service-port <int:0-65535>")), &CliSession::cmdShowServicePort, {}},
        {EN, Pattern(QStringLiteral("display mac-address port <fsp> ont <int:0-127>")), &CliSession::cmdShowMac, {}},
        {EN, Pattern(QStringLiteral("display mac-address ont <fsp> <int:0-127>")), &CliSession::cmdShowMacOnt, {}},
        {EN, Pattern(QStringLiteral("display ont info summary <fsp>")), &CliSession::cmdShowSummary, anyKey},
        {EN, Pattern(QStringLiteral("display board <int:0-0>")), &CliSession::cmdShowBoard, {}},
        {EN, Pattern(QStringLiteral("display vlan all")), &CliSession::cmdShowVlanAll, QStringLiteral("{ <cr>|vlanattr<K>|vlantype<E><mux,standard,smart,super>||<K> }:")},
        {EN, Pattern(QStringLiteral("display port vlan <fsp>")), &CliSession::cmdShowPortVlan, {}},
        {EN, Pattern(QStringLiteral("display dba-profile all")), &CliSession::cmdShowDba, {}},
        {EN, Pattern(QStringLiteral("display ont-lineprofile gpon all")), &CliSession::cmdShowLineProfiles, {}},
        {EN, Pattern(QStringLiteral("display ont-lineprofile epon all")), &CliSession::cmdShowLineProfilesEpon, {}},
        {EN, Pattern(QStringLiteral("display ont-srvprofile gpon all")), &CliSession::cmdShowSrvProfiles, {}},
        {EN, Pattern(QStringLiteral("display ont-srvprofile epon all")), &CliSession::cmdShowSrvProfilesEpon, {}},
        {EN, Pattern(QStringLiteral("display igmp user all")), &CliSession::cmdShowIgmpUsers, {}},
        {EN, Pattern(QStringLiteral("display time")), &CliSession::cmdShowTime, {}},
        {EN, Pattern(QStringLiteral("display autosave configuration")), &CliSession::cmdShowAutosave, {}},
        {U | EN, Pattern(QStringLiteral("display version")), &CliSession::cmdShowVersion, {}},
    };
    return list;
}

// ---------------------------------------------------------------- session

void CliSession::cmdEnable(const Args &) { enterMode(Mode::Privileged); }
void CliSession::cmdConfig(const Args &) { enterMode(Mode::Config); }
void CliSession::cmdUndoSmart(const Args &) { m_smart = false; }
void CliSession::cmdSmart(const Args &) { m_smart = true; }
void CliSession::cmdScroll(const Args &a) { m_scroll = a.n(0); }
void CliSession::cmdScrollDefault(const Args &) { m_scroll = m_core.settings.defaultScroll; }

void CliSession::cmdIdleTimeout(const Args &a)
{
    m_idleMinutes = a.n(0);
    restartIdleTimer();
}

void CliSession::cmdQuit(const Args &)
{
    switch (m_mode) {
    case Mode::IfGpon:
    case Mode::IfEpon:
    case Mode::Btv:
    case Mode::Mvlan:
    case Mode::Vlanif:
        enterMode(Mode::Config);
        break;
    case Mode::LineProfile:
    case Mode::SrvProfile:
        // Leaving without "commit" drops what was typed in the profile's mode.
        m_lineDraft.reset();
        m_srvDraft.reset();
        enterMode(Mode::Config);
        break;
    case Mode::Config:
        enterMode(Mode::Privileged);
        break;
    case Mode::Diagnose:
        enterMode(m_diagnoseReturn);
        break;
    case Mode::User:
    case Mode::Privileged:
        if (model().unsaved)
            say(QStringLiteral("  Check whether system data has been changed. Please save data before logout."));
        ask(QStringLiteral("Are you sure to log out? (y/n)[n]:"), [this](const QString &answer) {
            if (answer.trimmed().compare(QLatin1String("y"), Qt::CaseInsensitive) == 0)
                close(QStringLiteral("\r\n  Configuration console exit, please retry to log on\r\n"));
        });
        break;
    }
}

void CliSession::cmdSave(const Args &)
{
    model().unsaved = false;
    ++model().saves;
    say(QStringLiteral("  It will take several minutes to save configuration file, please wait..."));
}

void CliSession::cmdDiagnose(const Args &)
{
    m_diagnoseReturn = m_mode == Mode::Config ? Mode::Config : Mode::Privileged;
    enterMode(Mode::Diagnose);
}

void CliSession::cmdTerminalUserName(const Args &)
{
    // The device's account dialogue, one question per line typed.
    auto user = std::make_shared<User>();
    auto fail = [this](const QString &why) { say(QStringLiteral("  Failure: ") + why); };
    ask(QStringLiteral("  User Name(length<6,15>):"), [this, user, fail](const QString &name) {
        if (name.size() < 6 || name.size() > 15)
            return fail(QStringLiteral("The length of the user name is invalid"));
        if (model().user(name))
            return fail(QStringLiteral("The user already exists"));
        user->name = name;
        ask(QStringLiteral("  User Password(length<6,15>):"), [this, user, fail](const QString &pw) {
            if (pw.size() < 6 || pw.size() > 15)
                return fail(QStringLiteral("The length of the password is invalid"));
            user->password = pw;
            ask(QStringLiteral("  Confirm Password(length<6,15>):"), [this, user, fail](const QString &again) {
                if (again != user->password)
                    return fail(QStringLiteral("The two passwords are different"));
                ask(QStringLiteral("  User profile name(<=15 chars)[root]:"), [this, user](const QString &profile) {
                    user->profile = profile.trimmed().isEmpty() ? QStringLiteral("root") : profile.trimmed();
                    say(QStringLiteral("  User's Level:"));
                    ask(QStringLiteral("    1. Common User  2. Operator  3. Administrator:"), [this, user](const QString &level) {
                        user->level = std::clamp(level.trimmed().toInt(), 1, 3);
                        ask(QStringLiteral("  Permitted Reenter Number(0--4):"), [this, user](const QString &reenter) {
                            user->reenter = std::clamp(reenter.trimmed().toInt(), 0, 4);
                            ask(QStringLiteral("  User's Appended Info(<=30 chars):"), [this, user](const QString &info) {
                                user->info = info.left(30);
                                model().users.append(*user);
                                changed();
                                say(QStringLiteral("  Adding user succeeds"));
                                ask(QStringLiteral("  Repeat this operation? (y/n)[n]:"), [this](const QString &again) {
                                    if (again.trimmed().compare(QLatin1String("y"), Qt::CaseInsensitive) == 0)
                                        cmdTerminalUserName({});
                                });
                            });
                        });
                    }, true);
                });
            }, false);
        }, false);
    });
}

void CliSession::cmdSshUser(const Args &a)
{
    User *u = model().user(a.v.value(0));
    if (!u) {
        say(QStringLiteral("  Failure: The user does not exist"));
        return;
    }
    const QString type = a.v.value(1);
    static const QStringList types{QStringLiteral("password"), QStringLiteral("rsa"), QStringLiteral("all"), QStringLiteral("password-rsa")};
    if (!types.contains(type)) {
        say(QStringLiteral("  Failure: The parameter is invalid"));
        return;
    }
    u->ssh = true;
    u->sshAuth = type;
    changed();
    say(QStringLiteral("  Set SSH user authentication type successfully"));
}

// ---------------------------------------------------------------- modes

bool CliSession::ponSlotOk(int frame, int slot, bool epon)
{
    const Board *b = model().board(slot);
    if (frame != 0 || !b) {
        say(QStringLiteral("  Failure: The board does not exist"));
        return false;
    }
    if (!b->pon || b->epon != epon) {
        say(QStringLiteral("  Failure: The board type is not supported"));
        return false;
    }
    return true;
}

void CliSession::cmdInterfaceGpon(const Args &a)
{
    const Place p = a.place(0);
    if (ponSlotOk(p.frame, p.slot, false))
        enterMode(Mode::IfGpon, p.frame, p.slot);
}

void CliSession::cmdInterfaceEpon(const Args &a)
{
    const Place p = a.place(0);
    if (ponSlotOk(p.frame, p.slot, true))
        enterMode(Mode::IfEpon, p.frame, p.slot);
}

void CliSession::cmdInterfaceVlanif(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    if (!v) {
        say(QStringLiteral("  Failure: The VLAN does not exist"));
        return;
    }
    if (!v->vlanif) {
        v->vlanif = true;
        changed();
    }
    enterMode(Mode::Vlanif, v->id);
}

void CliSession::cmdUndoInterfaceVlanif(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    if (!v || !v->vlanif) {
        say(QStringLiteral("  Failure: The interface does not exist"));
        return;
    }
    v->vlanif = false;
    v->vlanifAddress.clear();
    changed();
}

void CliSession::cmdBtv(const Args &) { enterMode(Mode::Btv); }

void CliSession::cmdMulticastVlan(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    if (!v) {
        say(QStringLiteral("  Failure: The VLAN does not exist"));
        return;
    }
    if (!v->multicast) {
        v->multicast = true;
        changed();
    }
    enterMode(Mode::Mvlan, v->id);
}

void CliSession::cmdUndoMulticastVlan(const Args &a)
{
    const int id = a.n(0);
    confirm(QStringLiteral("  Are you sure to delete the multicast VLAN and all its configuration? (y/n)[n]:"), [this, id] {
        Vlan *v = model().vlan(id);
        if (!v || !v->multicast) {
            say(QStringLiteral("  Failure: The multicast VLAN does not exist"));
            return;
        }
        v->multicast = false;
        v->members.clear();
        v->igmpUplinks.clear();
        v->igmpDefaultUplink.clear();
        changed();
    });
}

void CliSession::cmdVlan(const Args &a)
{
    Args b = a;
    b.v << QStringLiteral("smart");
    cmdVlanTyped(b);
}

void CliSession::cmdVlanTyped(const Args &a)
{
    const int id = a.n(0);
    const QString type = a.v.value(1).toLower();
    static const QStringList types{QStringLiteral("smart"), QStringLiteral("standard"), QStringLiteral("mux"), QStringLiteral("super")};
    if (!types.contains(type)) {
        say(QStringLiteral("  Failure: The parameter is invalid"));
        return;
    }
    if (model().vlan(id)) {
        say(QStringLiteral("  Failure: The VLAN already exists"));
        return;
    }
    Vlan v;
    v.id = id;
    v.type = type;
    model().vlans.append(v);
    changed();
}

void CliSession::cmdVlanDesc(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    if (!v) {
        say(QStringLiteral("  Failure: The VLAN does not exist"));
        return;
    }
    v->description = a.v.value(1);
    changed();
}

void CliSession::cmdUndoVlan(const Args &a)
{
    const int id = a.n(0);
    const Vlan *v = model().vlan(id);
    if (!v) {
        say(QStringLiteral("  Failure: The VLAN does not exist"));
        return;
    }
    for (const ServicePort &sp : std::as_const(model().servicePorts)) {
        if (sp.vlan == id) {
            say(QStringLiteral("  Failure: The VLAN has service virtual ports"));
            return;
        }
    }
    if (!v->uplinkPorts.isEmpty()) {
        say(QStringLiteral("  Failure: The VLAN has member ports"));
        return;
    }
    if (v->multicast || v->vlanif) {
        say(QStringLiteral("  Failure: The VLAN is in use"));
        return;
    }
    for (qsizetype i = 0; i < model().vlans.size(); ++i) {
        if (model().vlans.at(i).id == id) {
            model().vlans.removeAt(i);
            break;
        }
    }
    changed();
}

void CliSession::cmdPortVlan(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    const Place fs = a.place(1);
    const Board *b = model().board(fs.slot);
    if (!v) {
        say(QStringLiteral("  Failure: The VLAN does not exist"));
        return;
    }
    if (fs.frame != 0 || !b || b->pon) {
        say(QStringLiteral("  Failure: The port does not exist"));
        return;
    }
    const QString port = QStringLiteral("%1/%2/%3").arg(fs.frame).arg(fs.slot).arg(a.n(2));
    if (v->uplinkPorts.contains(port)) {
        say(QStringLiteral("  Failure: The port is already in the VLAN"));
        return;
    }
    v->uplinkPorts.append(port);
    changed();
}

void CliSession::cmdUndoPortVlan(const Args &a)
{
    Vlan *v = model().vlan(a.n(0));
    const Place fs = a.place(1);
    const QString port = QStringLiteral("%1/%2/%3").arg(fs.frame).arg(fs.slot).arg(a.n(2));
    if (!v || !v->uplinkPorts.removeOne(port)) {
        say(QStringLiteral("  Failure: The port is not in the VLAN"));
        return;
    }
    changed();
}

void CliSession::cmdServicePort(const Args &a)
{
    // service-port [INDEX] vlan V gpon F/S/P ont ID gemport G multi-service user-vlan U [tag-transform T]
    //              [inbound traffic-table index N outbound traffic-table index N]
    // service-port [INDEX] vlan V epon F/S/P ont ID multi-service user-vlan U [tag-transform T] ...
    const QList<Token> &t = a.tokens;
    int i = 1;
    auto fail = [&](SyntaxError e, int token) {
        MatchResult r;
        r.error = e;
        r.token = token;
        writeSyntaxError(a.line, r);
    };
    auto word = [&](int k) { return k < t.size() ? t.at(k).text.toLower() : QString(); };
    auto number = [&](int k, int lo, int hi, int *out) {
        if (k >= t.size()) {
            fail(SyntaxError::Incomplete, int(t.size()));
            return false;
        }
        bool ok = false;
        const int v = t.at(k).text.toInt(&ok);
        if (!ok || v < lo || v > hi) {
            fail(SyntaxError::Parameter, k);
            return false;
        }
        *out = v;
        return true;
    };
    auto keyword = [&](int k, const char *kw) {
        if (k >= t.size()) {
            fail(SyntaxError::Incomplete, int(t.size()));
            return false;
        }
        if (word(k) != QLatin1String(kw)) {
            fail(SyntaxError::Unknown, k);
            return false;
        }
        return true;
    };
    ServicePort sp;
    sp.index = -1;
    if (word(i) != QLatin1String("vlan")) {
        if (!number(i, 0, 65535, &sp.index))
            return;
        ++i;
    }
    if (!keyword(i, "vlan") || !number(i + 1, 1, 4093, &sp.vlan))
        return;
    i += 2;
    if (word(i) != QLatin1String("gpon") && word(i) != QLatin1String("epon")) {
        fail(i < t.size() ? SyntaxError::Unknown : SyntaxError::Incomplete, int(std::min<qsizetype>(i, t.size())));
        return;
    }
    sp.epon = word(i) == QLatin1String("epon");
    ++i;
    static const QRegularExpression fspRe(QStringLiteral("^\\d+/\\d+/\\d+$"));
    if (i >= t.size()) {
        fail(SyntaxError::Incomplete, int(t.size()));
        return;
    }
    if (!fspRe.match(t.at(i).text).hasMatch()) {
        fail(SyntaxError::Parameter, i);
        return;
    }
    const Place p = parsePlace(t.at(i).text);
    sp.frame = p.frame;
    sp.slot = p.slot;
    sp.port = p.port;
    ++i;
    if (!keyword(i, "ont") || !number(i + 1, 0, 127, &sp.ont))
        return;
    i += 2;
    if (!sp.epon) {
        if (!keyword(i, "gemport") || !number(i + 1, 0, 1023, &sp.gemport))
            return;
        i += 2;
    }
    if (!keyword(i, "multi-service"))
        return;
    ++i;
    if (i < t.size() && word(i) == QLatin1String("user-vlan")) {
        if (!number(i + 1, 1, 4095, &sp.userVlan))
            return;
        i += 2;
    }
    while (i < t.size()) {
        if (word(i) == QLatin1String("tag-transform")) {
            static const QStringList transforms{QStringLiteral("translate"), QStringLiteral("transparent"), QStringLiteral("default"),
                                                QStringLiteral("add-double"), QStringLiteral("translate-and-add")};
            if (i + 1 >= t.size()) {
                fail(SyntaxError::Incomplete, int(t.size()));
                return;
            }
            if (!transforms.contains(word(i + 1))) {
                fail(SyntaxError::Unknown, i + 1);
                return;
            }
            sp.tagTransform = word(i + 1);
            i += 2;
        } else if (word(i) == QLatin1String("inbound") || word(i) == QLatin1String("outbound")) {
            int idx = 0;
            if (!keyword(i + 1, "traffic-table") || !keyword(i + 2, "index") || !number(i + 3, 0, 1023, &idx))
                return;
            (word(i) == QLatin1String("inbound") ? sp.rxTraffic : sp.txTraffic) = idx;
            i += 4;
        } else {
            fail(SyntaxError::Unknown, i);
            return;
        }
    }
    if (sp.index < 0)
        sp.index = model().nextFreeServicePort();
    const int conflicting = model().conflictingServicePort(sp);
    const QString err = model().addServicePort(sp);
    if (!err.isEmpty()) {
        say(QStringLiteral("  ") + err);
        // The device names the service port that is in the way.
        if (err.endsWith(QLatin1String("has existed already")) && conflicting >= 0)
            say(QStringLiteral("  Conflicted service virtual port index: %1").arg(conflicting));
    }
}

void CliSession::cmdUndoServicePortOfOnt(const Args &a)
{
    const Place p = a.place(0);
    const int id = a.n(1);
    confirm(QStringLiteral("  Are you sure to release the service virtual port(s)? (y/n)[n]:"), [this, p, id] {
        const int n = model().deleteServicePortsOfOnt(p.frame, p.slot, p.port, id);
        if (n == 0)
            say(QStringLiteral("  Failure: The service virtual port does not exist"));
        else
            say(QStringLiteral("  The number of service virtual ports released: %1").arg(n));
    });
}

void CliSession::cmdUndoServicePort(const Args &a)
{
    const QString err = model().deleteServicePort(a.n(0));
    if (!err.isEmpty())
        say(QStringLiteral("  ") + err);
}

// ---------------------------------------------------------------- profiles

// GPON and EPON profiles with the same id are separate profiles: the draft
// starts from the one of the mode's PON type only, and a typed name always wins.
void CliSession::openSrvProfile(const Args &a, bool epon)
{
    const int id = a.n(0);
    const SrvProfile *existing = model().srvProfile(id, epon);
    SrvProfile p = existing ? *existing : SrvProfile{};
    p.id = id;
    p.epon = epon;
    if (a.v.size() > 1)
        p.name = a.v.value(1);
    else if (!existing)
        p.name = QStringLiteral("srv-profile_%1").arg(id);
    m_srvDraft = p;
    enterMode(Mode::SrvProfile, id, epon ? 1 : 0);
}

void CliSession::openLineProfile(const Args &a, bool epon)
{
    const int id = a.n(0);
    const LineProfile *existing = model().lineProfile(id, epon);
    LineProfile p = existing ? *existing : LineProfile{};
    p.id = id;
    p.epon = epon;
    if (a.v.size() > 1)
        p.name = a.v.value(1);
    else if (!existing)
        p.name = QStringLiteral("line-profile_%1").arg(id);
    m_lineDraft = p;
    enterMode(Mode::LineProfile, id, epon ? 1 : 0);
}

void CliSession::undoSrvProfile(int id, bool epon)
{
    if (!model().srvProfile(id, epon)) {
        say(QStringLiteral("  Failure: The service profile does not exist"));
        return;
    }
    if (model().srvBindings(id, epon) > 0) {
        say(QStringLiteral("  Failure: The profile has been bound"));
        return;
    }
    model().srvProfiles.removeIf([&](const SrvProfile &p) { return p.id == id && p.epon == epon; });
    changed();
}

void CliSession::undoLineProfile(int id, bool epon)
{
    if (!model().lineProfile(id, epon)) {
        say(QStringLiteral("  Failure: The line profile does not exist"));
        return;
    }
    if (model().lineBindings(id, epon) > 0) {
        say(QStringLiteral("  Failure: The profile has been bound"));
        return;
    }
    model().lineProfiles.removeIf([&](const LineProfile &p) { return p.id == id && p.epon == epon; });
    changed();
}

void CliSession::cmdSrvProfile(const Args &a) { openSrvProfile(a, false); }
void CliSession::cmdSrvProfileEpon(const Args &a) { openSrvProfile(a, true); }
void CliSession::cmdLineProfile(const Args &a) { openLineProfile(a, false); }
void CliSession::cmdLineProfileEpon(const Args &a) { openLineProfile(a, true); }
void CliSession::cmdUndoSrvProfile(const Args &a) { undoSrvProfile(a.n(0), false); }
void CliSession::cmdUndoSrvProfileEpon(const Args &a) { undoSrvProfile(a.n(0), true); }
void CliSession::cmdUndoLineProfile(const Args &a) { undoLineProfile(a.n(0), false); }
void CliSession::cmdUndoLineProfileEpon(const Args &a) { undoLineProfile(a.n(0), true); }

void CliSession::cmdFecUpstream(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    if (w != QLatin1String("enable") && w != QLatin1String("disable")) {
        say(okFail(false));
        return;
    }
    if (m_lineDraft)
        m_lineDraft->fec = w == QLatin1String("enable");
}

void CliSession::cmdTcont(const Args &a)
{
    if (!model().dbaProfile(a.n(1))) {
        say(QStringLiteral("  Failure: The DBA profile does not exist"));
        return;
    }
    if (!m_lineDraft)
        return;
    m_lineDraft->tconts.removeIf([&](const Tcont &t) { return t.id == a.n(0); });
    m_lineDraft->tconts.append({a.n(0), a.n(1)});
}

void CliSession::cmdGemAdd(const Args &a)
{
    if (!m_lineDraft)
        return;
    const bool haveTcont = std::any_of(m_lineDraft->tconts.begin(), m_lineDraft->tconts.end(), [&](const Tcont &t) { return t.id == a.n(1); });
    if (!haveTcont) {
        say(QStringLiteral("  Failure: The T-CONT does not exist"));
        return;
    }
    m_lineDraft->gems.removeIf([&](const Gem &g) { return g.index == a.n(0); });
    m_lineDraft->gems.append({a.n(0), a.n(1), {}});
}

void CliSession::cmdGemMapping(const Args &a)
{
    if (!m_lineDraft)
        return;
    for (Gem &g : m_lineDraft->gems) {
        if (g.index == a.n(0)) {
            g.mappings.removeIf([&](const GemMapping &m) { return m.index == a.n(1); });
            g.mappings.append({a.n(1), a.n(2)});
            return;
        }
    }
    say(QStringLiteral("  Failure: The GEM index does not exist"));
}

void CliSession::cmdCommit(const Args &)
{
    if (m_mode == Mode::LineProfile && m_lineDraft) {
        model().lineProfiles.removeIf([&](const LineProfile &p) { return p.id == m_lineDraft->id && p.epon == m_lineDraft->epon; });
        model().lineProfiles.append(*m_lineDraft);
        changed();
    } else if (m_mode == Mode::SrvProfile && m_srvDraft) {
        model().srvProfiles.removeIf([&](const SrvProfile &p) { return p.id == m_srvDraft->id && p.epon == m_srvDraft->epon; });
        model().srvProfiles.append(*m_srvDraft);
        changed();
    }
}

void CliSession::cmdOntPortEth(const Args &a)
{
    if (m_srvDraft) {
        m_srvDraft->ethPorts = a.n(0);
        m_srvDraft->adaptive = false;
    }
}

void CliSession::cmdOntPortPotsEth(const Args &a)
{
    if (!m_srvDraft)
        return;
    const QString pots = a.v.value(0).toLower();
    const QString eth = a.v.value(1).toLower();
    if (pots == QLatin1String("adaptive") && eth == QLatin1String("adaptive")) {
        m_srvDraft->adaptive = true;
        return;
    }
    bool ok1 = false;
    bool ok2 = false;
    const int p = pots.toInt(&ok1);
    const int e = eth.toInt(&ok2);
    if (!ok1 || !ok2) {
        say(okFail(false));
        return;
    }
    m_srvDraft->potsPorts = p;
    m_srvDraft->ethPorts = e;
    m_srvDraft->adaptive = false;
}

void CliSession::cmdSrvSetting(const Args &a)
{
    if (m_srvDraft)
        m_srvDraft->settings << a.line.simplified();
}

void CliSession::cmdDbaAdd(const Args &a)
{
    // dba-profile add profile-id N profile-name "X" typeK [fix F] [assure A] [max M]
    const int id = a.n(0);
    static const QRegularExpression typeRe(QStringLiteral("^type([1-5])$"), QRegularExpression::CaseInsensitiveOption);
    const auto tm = typeRe.match(a.v.value(2));
    if (!tm.hasMatch()) {
        MatchResult r;
        r.error = SyntaxError::Unknown;
        r.token = 6;
        writeSyntaxError(a.line, r);
        return;
    }
    DbaProfile d;
    d.id = id;
    d.name = a.v.value(1);
    d.type = tm.captured(1).toInt();
    const QList<Token> &rest = a.rest;
    for (qsizetype k = 0; k + 1 < rest.size(); k += 2) {
        const QString key = rest.at(k).text.toLower();
        bool ok = false;
        const int v = rest.at(k + 1).text.toInt(&ok);
        if (!ok) {
            MatchResult r;
            r.error = SyntaxError::Parameter;
            r.token = int(7 + k + 1);
            writeSyntaxError(a.line, r);
            return;
        }
        if (key == QLatin1String("fix"))
            d.fix = v;
        else if (key == QLatin1String("assure"))
            d.assure = v;
        else if (key == QLatin1String("max"))
            d.max = v;
        else {
            MatchResult r;
            r.error = SyntaxError::Unknown;
            r.token = int(7 + k);
            writeSyntaxError(a.line, r);
            return;
        }
    }
    if (rest.size() % 2 != 0) {
        MatchResult r;
        r.error = SyntaxError::Incomplete;
        r.token = int(a.tokens.size());
        writeSyntaxError(a.line, r);
        return;
    }
    // Each type needs its own bandwidths.
    const bool valid = (d.type == 1 && d.fix > 0) || (d.type == 2 && d.assure > 0) || (d.type == 3 && d.assure > 0 && d.max >= d.assure)
        || (d.type == 4 && d.max > 0) || (d.type == 5 && d.fix > 0 && d.assure > 0 && d.max >= d.fix + d.assure);
    if (!valid) {
        say(QStringLiteral("  Failure: The bandwidth parameters do not match the DBA type"));
        return;
    }
    if (model().dbaProfile(id)) {
        say(QStringLiteral("  Failure: The DBA profile already exists"));
        return;
    }
    model().dbaProfiles.append(d);
    changed();
}

void CliSession::cmdDbaDelete(const Args &a)
{
    const int id = a.n(0);
    if (!model().dbaProfile(id)) {
        say(QStringLiteral("  Failure: The DBA profile does not exist"));
        return;
    }
    if (model().dbaBindings(id) > 0) {
        say(QStringLiteral("  Failure: The DBA profile has been bound"));
        return;
    }
    model().dbaProfiles.removeIf([&](const DbaProfile &d) { return d.id == id; });
    changed();
}

void CliSession::cmdAntiRogue(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    say(okFail(w == QLatin1String("on") || w == QLatin1String("off")));
}

// ---------------------------------------------------------------- boards, time, autosave

void CliSession::cmdBoardReset(const Args &a)
{
    const Place p = a.place(0);
    confirm(QStringLiteral("  Are you sure to reset the board? (y/n)[n]:"), [this, p] {
        Board *b = model().board(p.slot);
        if (p.frame != 0 || !b) {
            say(QStringLiteral("  Failure: The board does not exist"));
            return;
        }
        ++b->resets;
    });
}

void CliSession::cmdBoardDelete(const Args &a)
{
    const Place p = a.place(0);
    confirm(QStringLiteral("  Are you sure to delete the board? (y/n)[n]:"), [this, p] {
        Board *b = model().board(p.slot);
        if (p.frame != 0 || !b) {
            say(QStringLiteral("  Failure: The board does not exist"));
            return;
        }
        for (const Ont &o : std::as_const(model().onts)) {
            if (o.slot == p.slot) {
                say(QStringLiteral("  Failure: The board has configuration data, please delete it first"));
                return;
            }
        }
        b->name.clear();
        b->status.clear();
        changed();
    });
}

void CliSession::cmdBoardConfirm(const Args &)
{
    for (Board &b : model().boards) {
        if (b.status.compare(QLatin1String("Auto_find"), Qt::CaseInsensitive) == 0) {
            b.status = QStringLiteral("Normal");
            changed();
        }
    }
}

void CliSession::cmdReboot(const Args &)
{
    confirm(QStringLiteral("  Please check whether data has saved, the unsaved data will lose if reboot system, "
                           "are you sure to reboot system? (y/n)[n]:"),
            [this] {
                ++model().reboots;
                close(QStringLiteral("\r\n  System is rebooting, please wait...\r\n"));
            });
}

void CliSession::cmdTime(const Args &a)
{
    // "time HH:MM:SS [YYYY-MM-DD]" or the date first.
    QString timePart;
    QString datePart;
    for (const Token &t : a.rest) {
        if (t.text.contains(QLatin1Char(':')))
            timePart = t.text;
        else if (t.text.contains(QLatin1Char('-')))
            datePart = t.text;
        else {
            MatchResult r;
            r.error = SyntaxError::Parameter;
            for (int k = 0; k < a.tokens.size(); ++k) {
                if (a.tokens.at(k).pos == t.pos)
                    r.token = k;
            }
            writeSyntaxError(a.line, r);
            return;
        }
    }
    const QTime tm = QTime::fromString(timePart, QStringLiteral("HH:mm:ss"));
    const QDate current = model().now().date();
    const QDate d = datePart.isEmpty() ? current : QDate::fromString(datePart, QStringLiteral("yyyy-MM-dd"));
    if (!tm.isValid() || !d.isValid()) {
        say(QStringLiteral("  Failure: The time or date is invalid"));
        return;
    }
    auto apply = [this, d, tm] {
        const QDateTime wanted(d, tm, Qt::UTC);
        model().clockOffsetSecs += model().now().secsTo(wanted);
        changed();
    };
    if (m_core.settings.confirmTimeChange)
        confirm(QStringLiteral("  Are you sure to modify system time? (y/n)[n]:"), apply);
    else
        apply();
}

void CliSession::cmdAutosaveTime(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    Autosave &s = model().autosave;
    if (w == QLatin1String("on"))
        s.timeOn = true;
    else if (w == QLatin1String("off"))
        s.timeOn = false;
    else if (QTime::fromString(w, QStringLiteral("HH:mm:ss")).isValid())
        s.time = w;
    else {
        say(QStringLiteral("  Failure: The parameter is invalid"));
        return;
    }
    changed();
}

void CliSession::cmdAutosaveType(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    if (w != QLatin1String("all") && w != QLatin1String("configuration") && w != QLatin1String("data")) {
        say(okFail(false));
        return;
    }
    model().autosave.type = w;
    changed();
}

void CliSession::cmdAutosaveInterval(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    Autosave &s = model().autosave;
    bool ok = false;
    const int minutes = w.toInt(&ok);
    if (w == QLatin1String("on"))
        s.intervalOn = true;
    else if (w == QLatin1String("off"))
        s.intervalOn = false;
    else if (ok && minutes >= 10)
        s.intervalMinutes = minutes;
    else {
        say(okFail(false));
        return;
    }
    changed();
}

void CliSession::cmdAutosaveModification(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    Autosave &s = model().autosave;
    if (w == QLatin1String("on"))
        s.modificationOn = true;
    else if (w == QLatin1String("off"))
        s.modificationOn = false;
    else {
        say(okFail(false));
        return;
    }
    changed();
}

// ---------------------------------------------------------------- interface gpon/epon

Ont *CliSession::ontHere(int port, int id)
{
    Ont *o = model().findOnt(m_modeA, m_modeB, port, id);
    if (!o)
        say(QStringLiteral("  Failure: The ONT does not exist"));
    return o;
}

void CliSession::ontAdd(int port, int id, const QString &serial, int lp, int sp, const QString &desc, bool epon)
{
    if (!validSerial(serial, epon)) {
        say(invalidSerialText(epon));
        return;
    }
    Ont o;
    o.frame = m_modeA;
    o.slot = m_modeB;
    o.port = port;
    o.id = id;
    o.epon = epon;
    o.sn = epon ? serial.toLower() : serial.toUpper();
    o.description = desc.isEmpty() ? QStringLiteral("ONT_NO_DESCRIPTION") : desc;
    o.lineProfile = lp;
    o.srvProfile = sp;
    const QString err = model().addOnt(o);
    if (!err.isEmpty()) {
        // A refused add prints its reason alone, as captured from an MA5608T.
        say(QStringLiteral("  ") + err);
        return;
    }
    say(QStringLiteral("  Number of ONTs that can be added: 1, success: 1"));
    say(QStringLiteral("  PortID :%1, ONTID :%2").arg(port).arg(id));
}

void CliSession::cmdOntAddSn(const Args &a) { ontAdd(a.n(0), a.n(1), a.v.value(2), a.n(3), a.n(4), a.v.value(5), false); }
void CliSession::cmdOntAddSnNoDesc(const Args &a) { ontAdd(a.n(0), a.n(1), a.v.value(2), a.n(3), a.n(4), QString(), false); }
void CliSession::cmdOntAddMac(const Args &a) { ontAdd(a.n(0), a.n(1), a.v.value(2), a.n(3), a.n(4), a.v.value(5), true); }
void CliSession::cmdOntAddMacNoDesc(const Args &a) { ontAdd(a.n(0), a.n(1), a.v.value(2), a.n(3), a.n(4), QString(), true); }

void CliSession::cmdOntDelete(const Args &a)
{
    const QString err = model().deleteOnt(m_modeA, m_modeB, a.n(0), a.n(1));
    if (!err.isEmpty()) {
        say(QStringLiteral("  ") + err);
        return;
    }
    say(QStringLiteral("  Number of ONTs that can be deleted: 1, success: 1"));
}

void CliSession::cmdOntDeleteAll(const Args &a)
{
    const QList<const Ont *> list = model().ontsOnPort(m_modeA, m_modeB, a.n(0));
    QList<int> ids;
    for (const Ont *o : list)
        ids << o->id;
    int ok = 0;
    for (const int id : std::as_const(ids)) {
        if (model().deleteOnt(m_modeA, m_modeB, a.n(0), id).isEmpty())
            ++ok;
    }
    say(QStringLiteral("  Number of ONTs that can be deleted: %1, success: %2").arg(ids.size()).arg(ok));
}

void CliSession::cmdOntModifyDesc(const Args &a)
{
    if (Ont *o = ontHere(a.n(0), a.n(1))) {
        o->description = a.v.value(2);
        changed();
    }
}

void CliSession::modifySerial(const Args &a, bool epon)
{
    Ont *o = ontHere(a.n(0), a.n(1));
    if (!o)
        return;
    const QString serial = epon ? a.v.value(2).toLower() : a.v.value(2).toUpper();
    if (!validSerial(serial, epon)) {
        say(invalidSerialText(epon));
        return;
    }
    // The same identity on two ONTs would make the OLT unable to tell them apart.
    if (const Ont *other = model().findOntBySn(serial); other && other != o) {
        say(epon ? QStringLiteral("  Failure: MAC already exists") : QStringLiteral("  Failure: SN already exists"));
        return;
    }
    o->sn = serial;
    model().dropOnt(*o, epon ? QStringLiteral("ONT MAC changed") : QStringLiteral("ONT SN changed"));
    changed();
}

void CliSession::cmdOntModifySn(const Args &a) { modifySerial(a, false); }
void CliSession::cmdOntModifyMac(const Args &a) { modifySerial(a, true); }

void CliSession::cmdOntModifyLine(const Args &a)
{
    Ont *o = ontHere(a.n(0), a.n(1));
    if (!o)
        return;
    if (!model().lineProfile(a.n(2), o->epon)) {
        say(QStringLiteral("  Failure: The line profile does not exist"));
        return;
    }
    o->lineProfile = a.n(2);
    changed();
}

void CliSession::cmdOntModifySrv(const Args &a)
{
    Ont *o = ontHere(a.n(0), a.n(1));
    if (!o)
        return;
    if (!model().srvProfile(a.n(2), o->epon)) {
        say(QStringLiteral("  Failure: The service profile does not exist"));
        return;
    }
    o->srvProfile = a.n(2);
    changed();
}

void CliSession::cmdOntActivate(const Args &a)
{
    const QString err = model().setOntActive(m_modeA, m_modeB, a.n(0), a.n(1), true);
    if (!err.isEmpty())
        say(QStringLiteral("  ") + err);
}

void CliSession::cmdOntDeactivate(const Args &a)
{
    const QString err = model().setOntActive(m_modeA, m_modeB, a.n(0), a.n(1), false);
    if (!err.isEmpty())
        say(QStringLiteral("  ") + err);
}

void CliSession::cmdOntReset(const Args &a)
{
    const int port = a.n(0);
    const int id = a.n(1);
    say(QStringLiteral("  Resetting the ONT(s) will interrupt all services on the ONT(s)"));
    confirm(QStringLiteral("  Are you sure to reset the ONT(s)? (y/n)[n]:"), [this, port, id] {
        const QString err = model().resetOnt(m_modeA, m_modeB, port, id);
        if (!err.isEmpty())
            say(QStringLiteral("  ") + err);
    });
}

void CliSession::cmdOntFactoryRestore(const Args &a)
{
    const int port = a.n(0);
    const int id = a.n(1);
    confirm(QStringLiteral("  Are you sure to restore the factory settings of the ONT? (y/n)[n]:"), [this, port, id] {
        const QString err = model().factoryRestoreOnt(m_modeA, m_modeB, port, id);
        if (!err.isEmpty())
            say(QStringLiteral("  ") + err);
    });
}

void CliSession::cmdOntNativeVlan(const Args &a)
{
    Ont *o = model().findOnt(m_modeA, m_modeB, a.n(0), a.n(1));
    if (!o || !model().vlan(a.n(3))) {
        say(QStringLiteral("Set ONT port(s) VLAN configuration, success: 0, failed: 1"));
        say(o ? QStringLiteral("  Failure: The VLAN does not exist") : QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    o->nativeVlan.insert(a.n(2), a.n(3));
    changed();
    say(QStringLiteral("Set ONT port(s) VLAN configuration, success: 1, failed: 0"));
}

void CliSession::cmdOntCatv(const Args &a)
{
    const QString state = a.v.value(3).toLower();
    if (state != QLatin1String("on") && state != QLatin1String("off")) {
        MatchResult r;
        r.error = SyntaxError::Unknown;
        r.token = 8;
        writeSyntaxError(a.line, r);
        return;
    }
    if (Ont *o = ontHere(a.n(0), a.n(1))) {
        o->catv.insert(a.n(2), state == QLatin1String("on"));
        changed();
    }
}

void CliSession::cmdPortAutofind(const Args &a)
{
    const QString w = a.v.value(1).toLower();
    Board *b = model().board(m_modeB);
    if ((w != QLatin1String("enable") && w != QLatin1String("disable")) || !b || a.n(0) >= b->ports) {
        say(QStringLiteral("  Failure: The port does not exist"));
        return;
    }
    b->autofind.insert(a.n(0), w == QLatin1String("enable"));
    changed();
}

void CliSession::cmdPortFec(const Args &a)
{
    const QString w = a.v.value(1).toLower();
    Board *b = model().board(m_modeB);
    if ((w != QLatin1String("enable") && w != QLatin1String("disable")) || !b || a.n(0) >= b->ports) {
        say(QStringLiteral("  Failure: The port does not exist"));
        return;
    }
    b->fec.insert(a.n(0), w == QLatin1String("enable"));
    changed();
}

void CliSession::showOnt(const Ont &o)
{
    sayListing(listings::ontDetail(model(), o));
}

void CliSession::cmdIfOntInfo(const Args &a)
{
    if (const Ont *o = ontHere(a.n(0), a.n(1)))
        showOnt(*o);
}

void CliSession::cmdIfOntInfoAll(const Args &a)
{
    sayListing(listings::ontStateBlocks(model(), m_modeA, m_modeB, a.n(0), m_core.settings.stateListingStyle()));
}

void CliSession::cmdIfOptical(const Args &a)
{
    const Ont *o = ontHere(a.n(0), a.n(1));
    if (!o)
        return;
    if (!o->online()) {
        say(QStringLiteral("  Failure: The ONT is not online"));
        return;
    }
    sayListing(listings::opticalDetail(model(), *o, m_core.readOptics(*o)));
}

void CliSession::cmdIfOpticalAll(const Args &a)
{
    QList<Optics> levels;
    bool anyOnline = false;
    for (const Ont *o : model().ontsOnPort(m_modeA, m_modeB, a.n(0))) {
        levels << m_core.readOptics(*o);
        anyOnline = anyOnline || o->online();
    }
    if (levels.isEmpty()) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    // The table has rows for online ONTs only; with none it would be empty.
    if (!anyOnline) {
        say(QStringLiteral("  Failure: The ONT is not online"));
        return;
    }
    sayListing(listings::opticalPortAll(model(), m_modeA, m_modeB, a.n(0), levels));
}

// ---------------------------------------------------------------- btv, multicast VLAN, vlanif

void CliSession::cmdIgmpUserAdd(const Args &a)
{
    const QString auth = a.v.value(1).toLower();
    if (auth != QLatin1String("no-auth") && auth != QLatin1String("auth")) {
        MatchResult r;
        r.error = SyntaxError::Unknown;
        r.token = 5;
        writeSyntaxError(a.line, r);
        return;
    }
    const QString err = model().addIgmpUser(a.n(0), auth);
    if (!err.isEmpty())
        say(QStringLiteral("  ") + err);
}

void CliSession::cmdIgmpUserDelete(const Args &a)
{
    const QString err = model().deleteIgmpUser(a.n(0));
    if (!err.isEmpty())
        say(QStringLiteral("  ") + err);
}

void CliSession::cmdMvlanMember(const Args &a)
{
    Vlan *v = model().vlan(m_modeA);
    if (!v)
        return;
    if (!model().isIgmpUser(a.n(0))) {
        say(QStringLiteral("  Failure: The multicast user does not exist"));
        return;
    }
    v->members.insert(a.n(0));
    changed();
}

void CliSession::cmdUndoMvlanMember(const Args &a)
{
    Vlan *v = model().vlan(m_modeA);
    if (!v || !v->members.remove(a.n(0))) {
        say(QStringLiteral("  Failure: The member does not exist"));
        return;
    }
    changed();
}

void CliSession::cmdIgmpMode(const Args &a)
{
    const QString mode = a.v.value(0).toLower();
    if (mode != QLatin1String("off") && mode != QLatin1String("snooping") && mode != QLatin1String("proxy")) {
        say(okFail(false));
        return;
    }
    const int id = m_modeA;
    confirm(QStringLiteral("  Are you sure to change the IGMP mode? (y/n)[n]:"), [this, id, mode] {
        if (Vlan *v = model().vlan(id)) {
            v->igmpMode = mode;
            changed();
        }
    });
}

void CliSession::cmdIgmpVersion(const Args &a)
{
    const QString version = a.v.value(0).toLower();
    if (version != QLatin1String("v2") && version != QLatin1String("v3")) {
        say(okFail(false));
        return;
    }
    const int id = m_modeA;
    confirm(QStringLiteral("  Are you sure to change the IGMP version? (y/n)[n]:"), [this, id, version] {
        if (Vlan *v = model().vlan(id)) {
            v->igmpVersion = version;
            changed();
        }
    });
}

void CliSession::cmdIgmpDefaultUplink(const Args &a)
{
    if (Vlan *v = model().vlan(m_modeA)) {
        v->igmpDefaultUplink = a.v.value(0);
        changed();
    }
}

void CliSession::cmdIgmpMatch(const Args &a)
{
    const QString w = a.v.value(0).toLower();
    if (w != QLatin1String("enable") && w != QLatin1String("disable")) {
        say(okFail(false));
        return;
    }
    if (Vlan *v = model().vlan(m_modeA)) {
        v->igmpMatch = w;
        changed();
    }
}

void CliSession::cmdIgmpUplink(const Args &a)
{
    if (Vlan *v = model().vlan(m_modeA)) {
        if (!v->igmpUplinks.contains(a.v.value(0)))
            v->igmpUplinks << a.v.value(0);
        changed();
    }
}

void CliSession::cmdIpAddress(const Args &a)
{
    static const QRegularExpression ipRe(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QString ip = a.v.value(0);
    const QString mask = a.v.value(1);
    bool maskOk = false;
    const int len = mask.toInt(&maskOk);
    if (!ipRe.match(ip).hasMatch() || !((maskOk && len >= 1 && len <= 32) || ipRe.match(mask).hasMatch())) {
        say(QStringLiteral("  Failure: The IP address is invalid"));
        return;
    }
    if (Vlan *v = model().vlan(m_modeA)) {
        v->vlanifAddress = ip + QLatin1Char(' ') + mask;
        changed();
    }
}

// ---------------------------------------------------------------- diagnose

void CliSession::cmdElabel(const Args &) { sayListing(listings::elabelBackplane(model())); }
void CliSession::cmdElabelShort(const Args &) { sayListing(listings::elabelBackplane(model())); }

void CliSession::cmdOntLoadStop(const Args &)
{
    m_load = OntLoadRecord{};
    m_loadInfoSet = false;
}

void CliSession::cmdOntLoadInfo(const Args &a)
{
    m_load = OntLoadRecord{};
    m_load.file = a.v.value(0);
    m_load.server = a.v.value(1);
    m_loadInfoSet = true;
}

void CliSession::cmdOntLoadSelect(const Args &a)
{
    if (!m_loadInfoSet) {
        say(QStringLiteral("  Failure: Please configure the load information first"));
        return;
    }
    const Place p = a.place(0);
    if (!model().findOnt(p.frame, p.slot, a.n(1), a.n(2))) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    m_load.targets << QStringLiteral("%1/%2 %3 %4").arg(p.frame).arg(p.slot).arg(a.n(1)).arg(a.n(2));
}

void CliSession::cmdOntLoadStart(const Args &)
{
    if (!m_loadInfoSet || m_load.targets.isEmpty()) {
        say(QStringLiteral("  Failure: Please select the ONT(s) first"));
        return;
    }
    // The FTP server stands for a folder named by the scenario; the load
    // succeeds when the file is there (and stays inside that folder).
    const QString folder = m_core.settings.ftpFolder;
    const QString name = QFileInfo(m_load.file).fileName();
    const QString path = QDir(folder).filePath(name);
    const bool found = !folder.isEmpty() && name == m_load.file && QFileInfo(path).isFile();
    m_load.ok = found;
    m_load.detail = found ? QStringLiteral("loaded") : QStringLiteral("file not found on the FTP server");
    model().ontLoads << m_load;
    m_load.targets.clear();
}

// ---------------------------------------------------------------- displays

void CliSession::cmdShowAutofind(const Args &) { sayListing(listings::autofind(model(), m_core.settings.autofindLayout)); }
void CliSession::cmdShowOntFrame(const Args &a)
{
    sayListing(listings::ontStateBlocks(model(), a.n(0), -1, -1, m_core.settings.stateListingStyle()));
}

void CliSession::cmdShowOntPort(const Args &a)
{
    sayListing(listings::ontStateBlocks(model(), a.n(0), a.n(1), a.n(2), m_core.settings.stateListingStyle()));
}

void CliSession::cmdShowMacOnt(const Args &a)
{
    const Place p = a.place(0);
    const Ont *o = model().findOnt(p.frame, p.slot, p.port, a.n(1));
    if (!o) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    sayListing(listings::macAddressOntTable(model(), *o));
}

void CliSession::cmdShowSummary(const Args &a)
{
    const Place p = a.place(0);
    QList<Optics> levels;
    for (const Ont *o : model().ontsOnPort(p.frame, p.slot, p.port))
        levels << m_core.readOptics(*o);
    if (levels.isEmpty()) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    say(QStringLiteral("  Command is being executed. Please wait"));
    sayListing(listings::ontSummary(model(), p.frame, p.slot, p.port, levels));
}

void CliSession::cmdShowOnt(const Args &a)
{
    const Ont *o = model().findOnt(a.n(0), a.n(1), a.n(2), a.n(3));
    if (!o) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    showOnt(*o);
}

void CliSession::cmdShowServicePortAll(const Args &)
{
    const auto rows = model().sortedServicePorts();
    if (rows.isEmpty()) {
        say(QStringLiteral("  Failure: No service virtual port can be operated"));
        return;
    }
    sayListing(listings::servicePortTable(model(), rows));
}

void CliSession::cmdShowServicePort(const Args &a)
{
    const ServicePort *sp = model().servicePort(a.n(0));
    if (!sp) {
        say(QStringLiteral("  Failure: The service virtual port does not exist"));
        return;
    }
    sayListing(listings::servicePortDetail(model(), *sp));
}

void CliSession::cmdShowServicePortOfOnt(const Args &a)
{
    const Place p = a.place(0);
    QList<const ServicePort *> rows;
    for (const ServicePort *sp : model().sortedServicePorts()) {
        if (sp->frame == p.frame && sp->slot == p.slot && sp->port == p.port && sp->ont == a.n(1))
            rows << sp;
    }
    if (rows.isEmpty()) {
        say(QStringLiteral("  Failure: No service virtual port can be operated"));
        return;
    }
    sayListing(listings::servicePortTable(model(), rows));
}

void CliSession::cmdShowServicePortOfPort(const Args &a)
{
    const Place p = a.place(0);
    QList<const ServicePort *> rows;
    for (const ServicePort *sp : model().sortedServicePorts()) {
        if (sp->frame == p.frame && sp->slot == p.slot && sp->port == p.port)
            rows << sp;
    }
    if (rows.isEmpty()) {
        say(QStringLiteral("  Failure: No service virtual port can be operated"));
        return;
    }
    sayListing(listings::servicePortTable(model(), rows));
}

void CliSession::cmdShowServicePortVlan(const Args &a)
{
    QList<const ServicePort *> rows;
    for (const ServicePort *sp : model().sortedServicePorts()) {
        if (sp->vlan == a.n(0))
            rows << sp;
    }
    if (rows.isEmpty()) {
        say(QStringLiteral("  Failure: No service virtual port can be operated"));
        return;
    }
    sayListing(listings::servicePortTable(model(), rows));
}

void CliSession::cmdShowNextFree(const Args &) { sayListing(listings::nextFreeIndex(model())); }

void CliSession::cmdShowMac(const Args &a)
{
    const Place p = a.place(0);
    const Ont *o = model().findOnt(p.frame, p.slot, p.port, a.n(1));
    if (!o) {
        say(QStringLiteral("  Failure: The ONT does not exist"));
        return;
    }
    say(QStringLiteral("  It will take some time, please wait..."));
    sayListing(listings::macAddressOfOnt(model(), *o));
}

void CliSession::cmdShowBoard(const Args &) { sayListing(listings::boardTable(model())); }
void CliSession::cmdShowVlanAll(const Args &) { sayListing(listings::vlanTable(model())); }

void CliSession::cmdShowPortVlan(const Args &a)
{
    const Place p = a.place(0);
    const Board *b = model().board(p.slot);
    if (p.frame != 0 || !b || b->pon) {
        say(QStringLiteral("  Failure: The port does not exist"));
        return;
    }
    sayListing(listings::portVlan(model(), a.v.value(0)));
}

void CliSession::cmdShowDba(const Args &) { sayListing(listings::dbaTable(model())); }
void CliSession::cmdShowLineProfiles(const Args &) { sayListing(listings::lineProfileTable(model(), false)); }
void CliSession::cmdShowLineProfilesEpon(const Args &) { sayListing(listings::lineProfileTable(model(), true)); }
void CliSession::cmdShowSrvProfiles(const Args &) { sayListing(listings::srvProfileTable(model(), false)); }
void CliSession::cmdShowSrvProfilesEpon(const Args &) { sayListing(listings::srvProfileTable(model(), true)); }
void CliSession::cmdShowIgmpUsers(const Args &) { sayListing(listings::igmpUsers(model())); }
void CliSession::cmdShowTime(const Args &) { say(listings::time(model())); }
void CliSession::cmdShowAutosave(const Args &) { say(listings::autosave(model())); }
void CliSession::cmdShowVersion(const Args &) { say(listings::version(model(), m_core.elapsedMs() / 1000 + 86400 * 20)); }

} // namespace oltsim
