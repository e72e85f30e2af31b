// Wall time on purpose, so it runs alone (see tests/CMakeLists.txt): a whole
// pass over a thousand ONTs must never hold the console's event loop for
// more than 50 ms. The simulated OLT runs on a thread of its own, as a real
// one runs elsewhere, so that only the console's own work is measured.
#include "core/ont_record.h"
#include "listed_ont.h"
#include "core/timing.h"
#include "registry/ont_list.h"
#include "scenario.h"
#include "signal/scan_controller.h"
#include "simulator.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace tervix;

TEST(ScanPass, WallClockEventLoopStaysResponsiveDuringAWholePortPass)
{
    timing::setScale(0.1);
    QThread oltThread;
    QObject anchor;
    anchor.moveToThread(&oltThread);
    oltThread.start();
    oltsim::Simulator *sim = nullptr;
    bool ready = false;
    QMetaObject::invokeMethod(&anchor, [&] {
        sim = new oltsim::Simulator;
        ready = sim->loadJson(QJsonDocument(oltsim::generateScenario(1000)).toJson());
        sim->addUser(QStringLiteral("scan"), QStringLiteral("scan1234"));
        ready = ready && sim->listen(QHostAddress::LocalHost);
    }, Qt::BlockingQueuedConnection);
    ASSERT_TRUE(ready);

    registry::OntList list;
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim->model().onts)
        rows.push_back(test::listedOnt(o));
    list.replaceAll(std::move(rows));

    QTemporaryDir dir;
    signal::ScanController scanner(list, dir.path());
    const QString address = QStringLiteral("127.0.0.1:%1").arg(sim->serverPort());
    scanner.hooks().sessionReady = [] { return true; };
    scanner.hooks().oltKey = [] { return QStringLiteral("stall"); };
    scanner.hooks().credentials = [address] {
        return session::LoginCredentials{address, QStringLiteral("scan"), QStringLiteral("scan1234"), false};
    };

    qint64 worst = 0;
    QElapsedTimer gap;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] { worst = qMax(worst, gap.restart()); });
    QSignalSpy finished(&scanner, &signal::ScanController::passFinished);
    gap.start();
    probe.start();
    scanner.startPass();
    const bool done = QTest::qWaitFor([&] { return finished.count() > 0; }, 120000);
    probe.stop();
    QMetaObject::invokeMethod(&anchor, [&] { delete sim; }, Qt::BlockingQueuedConnection);
    oltThread.quit();
    oltThread.wait();
    timing::setScale(0);
    ASSERT_TRUE(done);
    EXPECT_EQ(scanner.lastPass().readings, list.size());
    EXPECT_LT(worst, 50) << "longest event-loop stall in ms";
}
