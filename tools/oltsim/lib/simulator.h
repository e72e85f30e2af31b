#pragma once

#include "olt_core.h"
#include "olt_model.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

namespace oltsim {

class TelnetServer;

// The simulated OLT as tests and the oltsim program use it: a scenario, a
// Telnet server on the caller's event loop, read access to the OLT's state,
// the log of every line clients typed, and fault switches.
//
//   oltsim::Simulator sim;
//   if (!sim.loadFile(path)) qFatal("%s", qPrintable(sim.error()));
//   sim.listen(QHostAddress::LocalHost);            // ephemeral port
//   ... console connects to 127.0.0.1:sim.serverPort() ...
//   EXPECT_EQ(sim.model().onts.size(), 61);
//   EXPECT_EQ(sim.receivedTexts(1), QStringList{...});
//
// Errors are reported through the return values and error(), never thrown.
class Simulator : public QObject
{
    Q_OBJECT
public:
    explicit Simulator(QObject *parent = nullptr);
    ~Simulator() override;

    // A scenario replaces the whole OLT state, its settings and faults.
    bool loadFile(const QString &path);
    bool loadJson(const QByteArray &json, const QString &baseDir = QString());
    QString error() const { return m_error; }

    bool listen(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = 0);
    quint16 serverPort() const;
    QHostAddress serverAddress() const;
    int sessionCount() const;

    const OltModel &model() const { return m_core.model; }
    OltModel &mutableModel() { return m_core.model; }
    Settings &settings() { return m_core.settings; }
    const Faults &faults() const { return m_core.faults; }
    void setFaults(const Faults &f) { m_core.faults = f; }

    // Fault switches (each also settable from the scenario's "faults" object).
    void setLineLatencyMs(int ms) { m_core.faults.lineLatencyMs = ms; }
    void setByteLatencyUs(int us) { m_core.faults.byteLatencyUs = us; }
    void setOutputFragments(int bytes, int delayMs)
    {
        m_core.faults.fragmentBytes = bytes;
        m_core.faults.fragmentDelayMs = delayMs;
    }
    void setDropAfterCommands(int n) { m_core.faults.dropAfterCommands = n; }
    void setQuitEchoMissing(bool on) { m_core.faults.noQuitEcho = on; }
    void setGarbageEveryLines(int n) { m_core.faults.garbageEveryLines = n; }
    void setLoginNeverAnswers(bool on) { m_core.faults.loginNeverAnswers = on; }
    // Output stops for ms right after text, once in each piece of output that holds it.
    void setPauseAfter(const QString &text, int ms)
    {
        m_core.faults.pauseAfterText = text;
        m_core.faults.pauseMs = ms;
    }

    // An alarm report in the middle of the next `answers` answers of two lines
    // or more (-1: of every one), counting only answers to command lines that
    // contain commandText (empty: any command).
    void setAlarmInAnswers(int answers, const QString &commandText = QString())
    {
        m_core.faults.alarmAnswers = answers;
        m_core.faults.alarmCommandText = commandText;
    }
    // The connection closes after `lines` lines of a listing (lines < 0: off),
    // in `times` listings (-1: every one) of command lines that contain
    // commandText (empty: any).
    void setDropInListing(int lines, const QString &commandText = QString(), int times = 1)
    {
        m_core.faults.dropListingAfterLines = lines;
        m_core.faults.dropListingCommandText = commandText;
        m_core.faults.dropListingTimes = times;
    }

    // A generated site of `onts` ONTs (see generateScenario), without a file.
    bool loadGenerated(int onts, quint32 seed = 7);

    // Accounts: the scenario's, those added here (--user/--password) and those
    // created on the OLT with "terminal user name".
    QList<User> users() const { return m_core.model.users; }
    void addUser(const QString &name, const QString &password);

    // Every line received from every client, in arrival order, with the session
    // that received it (sessions are numbered from 1 in connection order).
    const QList<ReceivedLine> &receivedLines() const { return m_core.received; }
    QStringList receivedTexts(int session = 0) const; // 0: all sessions
    void clearReceivedLines() { m_core.received.clear(); }

    bool setTranscriptFile(const QString &path);

Q_SIGNALS:
    void lineReceived(int session, const QString &line);

private:
    OltCore m_core;
    TelnetServer *m_server = nullptr;
    QString m_error;
};

} // namespace oltsim
