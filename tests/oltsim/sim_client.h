#pragma once

#include "simulator.h"
#include "session/olt_connection.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace oltsim::test {

// Prompts of the demo OLT.
inline const QString kUser = QStringLiteral("MA5608T-DEMO>");
inline const QString kPriv = QStringLiteral("MA5608T-DEMO#");
inline const QString kConfig = QStringLiteral("MA5608T-DEMO(config)#");

// What the simulator has written to its clients, counted from its transcript:
// it records every piece as it sends it, so the count is exact at any moment.
// A client has read everything once its text is that long (the console's
// client decodes one byte to one character and strips only Telnet commands,
// which the transcript leaves out too). Started before the first client connects.
class SentOutput
{
public:
    bool start(Simulator &sim)
    {
        if (!m_dir.isValid())
            return false;
        m_path = m_dir.filePath(QStringLiteral("transcript.log"));
        return sim.setTranscriptFile(m_path);
    }

    // Bytes sent to all sessions so far.
    qsizetype bytes() const
    {
        QFile f(m_path);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        qsizetype n = 0;
        // A record: "<date> <time> s<session> <direction> <escaped bytes>".
        for (const QByteArray &record : f.readAll().split('\n')) {
            qsizetype field = 0, at = 0;
            while (field < 4 && at < record.size())
                field += record.at(at++) == ' ' ? 1 : 0;
            if (field < 4 || !record.mid(at - 3, 3).startsWith(" >"))
                continue;
            for (; at < record.size(); ++n)
                at += record.at(at) != '\\' ? 1 : record.mid(at + 1, 1) == "x" ? 4 : 2;
        }
        return n;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// The console's own Telnet client against a simulator in this process: lines
// are typed the way the console types them (text, then a lone carriage return).
class SimClient
{
public:
    // With the count of what the simulator sent (see SentOutput), batch() and
    // waitAnswered() know when an answer is complete.
    explicit SimClient(const Simulator &sim, const SentOutput *sent = nullptr)
        : m_sim(sim)
        , m_sent(sent)
    {
        QObject::connect(&conn, &tervix::session::OltConnection::received, [this](const QString &t) { text += t; });
        QObject::connect(&conn, &tervix::session::OltConnection::disconnected, [this] { dropped = true; });
        conn.connectTo(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()));
        const bool up = QTest::qWaitFor([this] { return conn.isConnected(); }, 20000);
        EXPECT_TRUE(up) << "no connection to the simulator";
    }

    void type(const QString &line) { conn.sendText(line + QLatin1Char('\r')); }
    void key(const QString &keys) { conn.sendText(keys); }

    // Waits until the text received since the last take() contains needle.
    bool waitFor(const QString &needle, int ms = 20000)
    {
        return QTest::qWaitFor([&] { return text.indexOf(needle, m_mark) >= 0; }, ms);
    }
    // Waits until the output ends with the prompt (the answer is complete).
    bool waitPrompt(const QString &prompt, int ms = 20000)
    {
        return QTest::qWaitFor([&] { return text.size() > m_mark && text.endsWith(prompt); }, ms);
    }
    QString take()
    {
        const QString out = text.mid(m_mark);
        m_mark = text.size();
        return out;
    }
    // Logs in and waits for the user prompt.
    bool login(const QString &user, const QString &password, const QString &prompt)
    {
        type(user);
        type(password);
        const bool ok = waitPrompt(prompt);
        take();
        return ok;
    }
    // Types lines without reading the answers in between, as the console types
    // a session's preparation, and waits for the prompt the last one ends at.
    bool typeBlind(const QStringList &lines, const QString &prompt)
    {
        for (const QString &l : lines)
            type(l);
        const bool ok = waitPrompt(prompt);
        take();
        return ok;
    }
    // Types a line and returns the answer up to and including the next prompt.
    QString run(const QString &line, const QString &prompt)
    {
        type(line);
        EXPECT_TRUE(waitPrompt(prompt)) << "no prompt " << prompt.toStdString() << " after " << line.toStdString();
        return take();
    }
    // Waits until the simulator has logged `lines` more lines than `linesBefore`
    // and this client has read everything it sent. The simulator logs a line
    // as it arrives and answers it at once (no latency fault on), so the
    // answers are complete then. Needs the count of what was sent, and this
    // being the simulator's only client.
    bool waitAnswered(qsizetype linesBefore, qsizetype lines = 1, int ms = 20000)
    {
        if (!m_sent) {
            ADD_FAILURE() << "waitAnswered needs a SimClient made with a SentOutput";
            return false;
        }
        return QTest::qWaitFor(
            [&] { return m_sim.receivedLines().size() >= linesBefore + lines && text.size() == m_sent->bytes(); }, ms);
    }
    // Types every line at once, as the console types a batch, and returns the
    // answers up to the prompt after the last one. The same prompt also follows
    // the earlier lines, and lines that reach the simulator in two pieces are
    // answered in two pieces, so neither the prompt nor the echo of the last
    // line ("y" and "quit" repeat, passwords are not echoed) tells that the
    // answer is complete: the count of what was sent does.
    QString batch(const QStringList &lines, const QString &prompt)
    {
        const qsizetype before = m_sim.receivedLines().size();
        for (const QString &l : lines)
            type(l);
        EXPECT_TRUE(waitAnswered(before, lines.size())) << "the batch was not answered whole";
        EXPECT_TRUE(text.endsWith(prompt)) << "no prompt " << prompt.toStdString() << " after the batch";
        return take();
    }

    tervix::session::OltConnection conn;
    QString text;
    bool dropped = false;

private:
    const Simulator &m_sim;
    const SentOutput *m_sent = nullptr;
    qsizetype m_mark = 0;
};

inline QString demoScenario()
{
    return tervix::test::sourceDir() + QStringLiteral("/tools/oltsim/scenarios/demo.json");
}

// The demo OLT listening on an ephemeral loopback port.
inline void startDemo(Simulator &sim)
{
    ASSERT_TRUE(sim.loadFile(demoScenario())) << sim.error().toStdString();
    ASSERT_TRUE(sim.listen(QHostAddress::LocalHost, 0)) << sim.error().toStdString();
}

} // namespace oltsim::test
