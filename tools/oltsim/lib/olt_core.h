#pragma once

#include "listings.h"
#include "olt_model.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QList>
#include <QObject>
#include <QRandomGenerator>
#include <QString>

#include <memory>

namespace oltsim {

// Misbehaviour a test can switch on; every field off by default.
struct Faults
{
    int lineLatencyMs = 0;        // delay before the OLT answers each line typed at a prompt
    int byteLatencyUs = 0;        // extra delay per output byte (answers trickle out)
    int fragmentBytes = 0;        // >0: output leaves in pieces of at most this many bytes ...
    int fragmentDelayMs = 0;      // ... with this pause between pieces
    int dropAfterCommands = -1;   // >=0: close the connection when this many command lines were read
    bool noQuitEcho = false;      // "quit" is not echoed
    int garbageEveryLines = 0;    // >0: every n-th listing line carries stray bytes, 8-bit ones included
    bool loginNeverAnswers = false; // the password is read and nothing ever comes back
    QString pauseAfterText;       // output stops for pauseMs right after this text (within one piece of output) ...
    int pauseMs = 0;              // ... so a preamble and what it announces come apart
    // An alarm report printed in the middle of answers (answers of two lines or more):
    int alarmAnswers = 0;         // how many answers still get one (-1: every answer) ...
    QString alarmCommandText;     // ... counting only answers to command lines that contain this text (empty: any)
    // A listing that breaks off: the connection closes after this many of its lines (-1: off) ...
    int dropListingAfterLines = -1;
    int dropListingTimes = 1;     // ... in this many listings (-1: every listing) ...
    QString dropListingCommandText; // ... counting only listings of command lines that contain this text (empty: any)
};

// Applies one "--fault" option ("drop-after=3", "alarm=2:optical-info", ...) to
// f. Returns what is wrong with the option, or an empty string.
QString applyFaultOption(Faults &f, const QString &option);

// Behaviour of the device that a scenario chooses.
struct Settings
{
    int defaultScroll = 24;           // page length of a fresh session
    int idleTimeoutMinutes = 10;      // of a fresh session
    listings::AutofindLayout autofindLayout = listings::AutofindLayout::New;
    bool twoLineDescriptionHeader = false; // firmware that heads the ONT description table with two lines
    bool stateFooterOffline = false;  // state listing footers add ", offline: K" (and say "total number of")
    int descriptionPadding = 0;       // state listing descriptions padded with spaces to this width
    int descriptionWrap = 0;          // >0: longer state listing descriptions wrap onto lines of this width
    bool emptyPortFooters = false;    // frame state listings print each empty PON port as its footer alone

    listings::StateListingStyle stateListingStyle() const
    {
        return {twoLineDescriptionHeader, stateFooterOffline, descriptionPadding, descriptionWrap, emptyPortFooters};
    }
    int saveReminderSeconds = 0;      // >0: sessions at a prompt get the save reminder while changes are unsaved
    QString ftpFolder;                // stands in for the operator's FTP server ("ont-load")
    double opticsDriftDb = 0;         // levels wander by up to this much on each read
    bool confirmTimeChange = true;    // "time" asks before it sets the clock
    int maxLoginAttempts = 3;
    quint32 randomSeed = 1;
};

struct ReceivedLine
{
    int session = 0;
    QString line;
    qint64 msSinceStart = 0;
    QDateTime at;
};

struct LastLogin
{
    QString address;
    QString loginTime;
    QString logoutTime;
};

// What all sessions of one simulator share: the OLT, its settings and faults,
// the log of received lines and the optional transcript.
class OltCore : public QObject
{
    Q_OBJECT
public:
    explicit OltCore(QObject *parent = nullptr);
    ~OltCore() override;

    OltModel model;
    Settings settings;
    Faults faults;
    QList<ReceivedLine> received;
    QHash<QString, LastLogin> lastLogins;

    qint64 elapsedMs() const { return m_clock.elapsed(); }
    QRandomGenerator &random() { return m_random; }
    void reseed(quint32 seed) { m_random.seed(seed); }

    void recordLine(int session, const QString &line);
    void transcript(int session, char direction, const QByteArray &bytes);
    bool openTranscript(const QString &path);

    // Levels as the OLT reads them now (with drift), and ONTs whose scenario
    // time to leave the fibre has come.
    Optics readOptics(const Ont &o);
    void applyTimedEvents();

    int newSessionId() { return ++m_lastSession; }
    int nextAlarmSequence() { return ++m_lastAlarm; }
    void setSessionUser(int session, const QString &user);
    void sessionClosed(int session);
    int sessionsOf(const QString &user) const;

Q_SIGNALS:
    void lineReceived(int session, const QString &line);

private:
    QElapsedTimer m_clock;
    QRandomGenerator m_random;
    std::unique_ptr<QFile> m_transcript;
    QHash<int, QString> m_sessionUsers;  // session -> logged-in user (empty before login)
    int m_lastSession = 0;
    int m_lastAlarm = 0;
};

} // namespace oltsim
