// A Polish name typed into the OLT comes back intact from its listings.
#include "core/timing.h"
#include "session/olt_session.h"
#include "simulator.h"
#include "test_paths.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace tervix;

TEST(PolishNamesOnOltsim, ADescriptionIsStoredAndListedBackIntact)
{
    timing::setScale(0.1);
    oltsim::Simulator sim;
    ASSERT_TRUE(sim.loadFile(test::sourceDir() + QStringLiteral("/tools/oltsim/scenarios/demo.json")))
        << sim.error().toStdString();
    ASSERT_TRUE(sim.listen());
    session::OltSession s(timing::kQuietMs);
    QSignalSpy up(&s.connection(), &session::OltConnection::connected);
    s.connection().connectTo(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()));
    ASSERT_TRUE(up.wait(5000));

    const QString name = QStringLiteral("Paweł Żółć");
    s.send(core::batchOf({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"),
                          QStringLiteral("undo smart"), QStringLiteral("scroll 512"), QStringLiteral("config"),
                          QStringLiteral("interface gpon 0/1"),
                          QStringLiteral("ont add 15 120 sn-auth 48575443ABCD0120 omci ont-lineprofile-id 1 "
                                         "ont-srvprofile-id 1 desc \"%1\"").arg(name),
                          QStringLiteral("quit")},
                         100));
    s.send({core::PacedLine::send(QStringLiteral("display ont info 0 1 15 120"), 0, true)});
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.buffer().contains(QStringLiteral("Description")); }, 10000))
        << s.buffer().toStdString();
    EXPECT_TRUE(s.buffer().contains(QStringLiteral(": ") + name)) << s.buffer().toStdString();
    timing::setScale(0);
}
