#pragma once

#include "command_line.h"
#include "olt_core.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

namespace oltsim {

// One login on the simulated OLT: the login dialogue, the command modes and
// prompts, echo, smart prompts, paging, confirmations and dialogues. It reads
// the client's decoded bytes and writes the device's bytes; it knows nothing
// of sockets or Telnet.
class CliSession : public QObject
{
    Q_OBJECT
public:
    enum class Mode {
        User,
        Privileged,
        Config,
        IfGpon,
        IfEpon,
        Btv,
        Mvlan,
        Vlanif,
        LineProfile,
        SrvProfile,
        Diagnose,
    };

    CliSession(OltCore &core, const QString &peerAddress, QObject *parent = nullptr);
    ~CliSession() override;

    int id() const { return m_id; }
    QString prompt() const;

    void start();
    void feed(const QByteArray &bytes);
    // Printed while the session waits at a prompt, then the prompt again.
    void notify(const QStringList &lines);

Q_SIGNALS:
    void output(const QByteArray &bytes);
    void closeRequested();

private:
    enum class State { LoginUser, LoginPassword, Command, Smart, Ask, More, Silent, Closed };

    struct Args
    {
        QStringList v;
        QList<Token> rest;
        QList<Token> tokens;
        QString line;
        int n(int i) const { return v.value(i).toInt(); }
        Place place(int i) const { return parsePlace(v.value(i)); }
    };
    using Handler = void (CliSession::*)(const Args &);
    struct Command
    {
        quint32 modes = 0;
        Pattern pattern;
        Handler handler = nullptr;
        QString hint;            // smart-prompt hint, empty when the command takes no optional keywords
    };
    static const QList<Command> &commands();
    static quint32 bit(Mode m) { return 1u << int(m); }

    // input
    void processInput();
    void completeLine();
    void lineCompleted(const QString &line);
    void afterLatency(std::function<void()> then);
    void moreKey(char c);
    void handleLogin(const QString &line);
    void handleCommandLine(const QString &line, bool wait);
    void runCommand(const QString &line, bool afterSmart);
    void finishCommand();
    void writeSyntaxError(const QString &line, const MatchResult &r);

    // output
    void write(const QString &latin1);
    void writeBytes(const QByteArray &bytes);
    void say(const QString &line) { m_out << line; }
    void say(const QStringList &lines) { m_out << lines; }
    void sayListing(const QStringList &lines);
    void ask(const QString &question, std::function<void(const QString &)> answer, bool echo = true);
    void confirm(const QString &question, std::function<void()> onYes);
    void emitPage(int lines);
    void endOfOutput();
    // faults that change an answer on its way out
    bool cutListing(QStringList &page) const;
    void dropInListing();
    void insertAlarm(QStringList &page);
    void printPrompt();
    void close(const QString &lastWords);
    void restartIdleTimer();
    void sendReminder();

    // helpers for the handlers
    OltModel &model() { return m_core.model; }
    void changed() { m_core.model.markChanged(); }
    bool ponSlotOk(int frame, int slot, bool epon);
    Ont *ontHere(int port, int id);
    QString garble(const QString &line);

    // handlers (cli_commands.cpp)
    void cmdEnable(const Args &);
    void cmdConfig(const Args &);
    void cmdQuit(const Args &);
    void cmdUndoSmart(const Args &);
    void cmdSmart(const Args &);
    void cmdScroll(const Args &);
    void cmdScrollDefault(const Args &);
    void cmdIdleTimeout(const Args &);
    void cmdSave(const Args &);
    void cmdDiagnose(const Args &);
    void cmdInterfaceGpon(const Args &);
    void cmdInterfaceEpon(const Args &);
    void cmdInterfaceVlanif(const Args &);
    void cmdUndoInterfaceVlanif(const Args &);
    void cmdBtv(const Args &);
    void cmdMulticastVlan(const Args &);
    void cmdUndoMulticastVlan(const Args &);
    void cmdVlan(const Args &);
    void cmdVlanTyped(const Args &);
    void cmdVlanDesc(const Args &);
    void cmdUndoVlan(const Args &);
    void cmdPortVlan(const Args &);
    void cmdUndoPortVlan(const Args &);
    void cmdServicePort(const Args &);
    void cmdUndoServicePortOfOnt(const Args &);
    void cmdUndoServicePort(const Args &);
    void cmdSrvProfile(const Args &);
    void cmdSrvProfileEpon(const Args &);
    void cmdLineProfile(const Args &);
    void cmdLineProfileEpon(const Args &);
    void cmdUndoSrvProfile(const Args &);
    void cmdUndoSrvProfileEpon(const Args &);
    void cmdUndoLineProfile(const Args &);
    void cmdUndoLineProfileEpon(const Args &);
    void openSrvProfile(const Args &a, bool epon);
    void openLineProfile(const Args &a, bool epon);
    void undoSrvProfile(int id, bool epon);
    void undoLineProfile(int id, bool epon);
    void cmdDbaAdd(const Args &);
    void cmdDbaDelete(const Args &);
    void cmdAntiRogue(const Args &);
    void cmdBoardReset(const Args &);
    void cmdBoardDelete(const Args &);
    void cmdBoardConfirm(const Args &);
    void cmdReboot(const Args &);
    void cmdTime(const Args &);
    void cmdAutosaveTime(const Args &);
    void cmdAutosaveType(const Args &);
    void cmdAutosaveInterval(const Args &);
    void cmdAutosaveModification(const Args &);
    void cmdSshUser(const Args &);
    void cmdTerminalUserName(const Args &);
    // interface gpon/epon
    void cmdOntAddSn(const Args &);
    void cmdOntAddSnNoDesc(const Args &);
    void cmdOntAddMac(const Args &);
    void cmdOntAddMacNoDesc(const Args &);
    void ontAdd(int port, int id, const QString &serial, int lp, int sp, const QString &desc, bool epon);
    void cmdOntDelete(const Args &);
    void cmdOntDeleteAll(const Args &);
    void cmdOntModifyDesc(const Args &);
    void cmdOntModifySn(const Args &);
    void cmdOntModifyMac(const Args &);
    void modifySerial(const Args &a, bool epon);
    void cmdOntModifyLine(const Args &);
    void cmdOntModifySrv(const Args &);
    void cmdOntActivate(const Args &);
    void cmdOntDeactivate(const Args &);
    void cmdOntReset(const Args &);
    void cmdOntFactoryRestore(const Args &);
    void cmdOntNativeVlan(const Args &);
    void cmdOntCatv(const Args &);
    void cmdPortAutofind(const Args &);
    void cmdPortFec(const Args &);
    void cmdIfOntInfo(const Args &);
    void cmdIfOntInfoAll(const Args &);
    void cmdIfOptical(const Args &);
    void cmdIfOpticalAll(const Args &);
    // btv / multicast VLAN / vlanif
    void cmdIgmpUserAdd(const Args &);
    void cmdIgmpUserDelete(const Args &);
    void cmdMvlanMember(const Args &);
    void cmdUndoMvlanMember(const Args &);
    void cmdIgmpMode(const Args &);
    void cmdIgmpVersion(const Args &);
    void cmdIgmpDefaultUplink(const Args &);
    void cmdIgmpMatch(const Args &);
    void cmdIgmpUplink(const Args &);
    void cmdIpAddress(const Args &);
    // profile modes
    void cmdFecUpstream(const Args &);
    void cmdTcont(const Args &);
    void cmdGemAdd(const Args &);
    void cmdGemMapping(const Args &);
    void cmdCommit(const Args &);
    void cmdOntPortEth(const Args &);
    void cmdOntPortPotsEth(const Args &);
    void cmdSrvSetting(const Args &);
    // diagnose
    void cmdElabel(const Args &);
    void cmdElabelShort(const Args &);
    void cmdOntLoadStop(const Args &);
    void cmdOntLoadInfo(const Args &);
    void cmdOntLoadSelect(const Args &);
    void cmdOntLoadStart(const Args &);
    // displays
    void cmdShowAutofind(const Args &);
    void cmdShowOntFrame(const Args &);
    void cmdShowOntPort(const Args &);
    void cmdShowOnt(const Args &);
    void cmdShowServicePortAll(const Args &);
    void cmdShowServicePort(const Args &);
    void cmdShowServicePortOfOnt(const Args &);
    void cmdShowServicePortOfPort(const Args &);
    void cmdShowServicePortVlan(const Args &);
    void cmdShowNextFree(const Args &);
    void cmdShowMac(const Args &);
    void cmdShowMacOnt(const Args &);
    void cmdShowSummary(const Args &);
    void cmdShowBoard(const Args &);
    void cmdShowVlanAll(const Args &);
    void cmdShowPortVlan(const Args &);
    void cmdShowDba(const Args &);
    void cmdShowLineProfiles(const Args &);
    void cmdShowLineProfilesEpon(const Args &);
    void cmdShowSrvProfiles(const Args &);
    void cmdShowSrvProfilesEpon(const Args &);
    void cmdShowIgmpUsers(const Args &);
    void cmdShowTime(const Args &);
    void cmdShowAutosave(const Args &);
    void cmdShowVersion(const Args &);

    void enterMode(Mode m, int a = 0, int b = 0);
    void showOnt(const Ont &o);

    OltCore &m_core;
    const int m_id;
    const QString m_peer;
    State m_state = State::LoginUser;
    Mode m_mode = Mode::User;
    int m_modeA = 0;             // interface: frame; mvlan/vlanif: VLAN; profiles: id
    int m_modeB = 0;             // interface: slot
    Mode m_diagnoseReturn = Mode::Privileged;
    bool m_smart = true;
    int m_scroll = 24;
    int m_idleMinutes = 10;
    QString m_user;
    QString m_pendingUser;
    int m_failedLogins = 0;
    int m_commandCount = 0;

    QByteArray m_in;
    QByteArray m_lineBuf;
    QByteArray m_rawLine;                 // for the log of received lines
    bool m_rawLastCr = false;
    bool m_lastWasCr = false;
    bool m_busy = false;
    bool m_echoChars = true;
    bool m_latencyPaid = false;           // the line being typed has waited the line latency already

    QStringList m_out;                    // output of the running command
    QStringList m_page;                   // listing being paged
    qsizetype m_pagePos = 0;
    int m_listingLines = 0;               // for the garbage fault
    QString m_runningLine;                // the command line being answered
    bool m_answerIsListing = false;       // its answer holds a listing
    bool m_cutListing = false;            // the connection closes once m_page is out

    QString m_smartLine;                  // command waiting at the smart prompt
    QString m_question;
    std::function<void(const QString &)> m_answer;
    bool m_answerEcho = true;

    QTimer m_idleTimer;
    QTimer m_reminderTimer;

    // drafts of profile modes (committed by "commit")
    std::optional<LineProfile> m_lineDraft;
    std::optional<SrvProfile> m_srvDraft;
    // "ont-load" preparation of this session
    OntLoadRecord m_load;
    bool m_loadInfoSet = false;
};

} // namespace oltsim
