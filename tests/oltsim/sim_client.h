#pragma once

#include "simulator.h"
#include "session/olt_connection.h"
#include "test_paths.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace oltsim::test {

// The console's own Telnet client against a simulator in this process: lines
// are typed the way the console types them (text, then a lone carriage return).
class SimClient
{
public:
    explicit SimClient(const Simulator &sim)
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
    // Types a line and returns the answer up to and including the next prompt.
    QString run(const QString &line, const QString &prompt)
    {
        type(line);
        waitPrompt(prompt);
        return take();
    }

    tervix::session::OltConnection conn;
    QString text;
    bool dropped = false;

private:
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
