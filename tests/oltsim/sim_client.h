#pragma once

#include "simulator.h"
#include "session/olt_connection.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace oltsim::test {

// Prompts of the demo OLT.
inline const QString kUser = QStringLiteral("MA5608T-DEMO>");
inline const QString kPriv = QStringLiteral("MA5608T-DEMO#");
inline const QString kConfig = QStringLiteral("MA5608T-DEMO(config)#");

// The console's own Telnet client against a simulator in this process: lines
// are typed the way the console types them (text, then a lone carriage return).
class SimClient
{
public:
    explicit SimClient(const Simulator &sim)
        : m_sim(sim)
    {
        QObject::connect(&conn, &tervix::session::OltConnection::received, [this](const QString &t) { text += t; });
        QObject::connect(&conn, &tervix::session::OltConnection::disconnected, [this] { dropped = true; });
        conn.connectTo(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()));
        const bool up = QTest::qWaitFor([this] { return conn.isConnected(); }, 5000);
        EXPECT_TRUE(up) << "no connection to the simulator";
    }

    void type(const QString &line) { conn.sendText(line + QLatin1Char('\r')); }
    void key(const QString &keys) { conn.sendText(keys); }

    // Waits until the text received since the last take() contains needle.
    bool waitFor(const QString &needle, int ms = 5000)
    {
        return QTest::qWaitFor([&] { return text.indexOf(needle, m_mark) >= 0; }, ms);
    }
    // Waits until the output ends with the prompt (the answer is complete).
    bool waitPrompt(const QString &prompt, int ms = 5000)
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
    // Types every line at once, as the console types a batch, and returns the
    // answers up to the prompt after the last one. The same prompt also follows
    // the earlier lines, so it only counts once the simulator has logged every
    // line: it logs a line as it arrives and answers it right away. Assumes no
    // other client types meanwhile.
    QString batch(const QStringList &lines, const QString &prompt)
    {
        const qsizetype before = m_sim.receivedLines().size();
        for (const QString &l : lines)
            type(l);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_sim.receivedLines().size() >= before + lines.size(); }, 5000))
            << "the simulator did not receive the whole batch";
        // Lines that reached the simulator in two pieces are answered in two
        // pieces: let the second reach this client before the prompt is trusted.
        // The echo of the last line cannot tell this, as "y" or "quit" repeat and
        // password answers are not echoed.
        QTest::qWait(20);
        EXPECT_TRUE(waitPrompt(prompt)) << "no prompt " << prompt.toStdString() << " after the batch";
        return take();
    }

    tervix::session::OltConnection conn;
    QString text;
    bool dropped = false;

private:
    const Simulator &m_sim;
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
