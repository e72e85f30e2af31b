// One full scanning pass against oltsim, timed with the production timings:
//   scan_pass_run [--onts N] [--latency-ms MS] [--mode whole-port|per-ont]
// Prints the pass's wall time, what it typed, and the longest stall of the
// event loop while the pass ran (a 5 ms probe timer).
#include "core/ont_record.h"
#include "registry/ont_list.h"
#include "scenario.h"
#include "signal/scan_controller.h"
#include "simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>

using namespace tervix;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    const QCommandLineOption onts(QStringLiteral("onts"), QStringLiteral("ONTs of the generated OLT"), QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption latency(QStringLiteral("latency-ms"), QStringLiteral("delay before each answer"), QStringLiteral("MS"), QStringLiteral("20"));
    const QCommandLineOption mode(QStringLiteral("mode"), QStringLiteral("whole-port or per-ont"), QStringLiteral("MODE"), QStringLiteral("whole-port"));
    p.addOptions({onts, latency, mode});
    p.addHelpOption();
    p.process(app);

    // The simulated OLT runs on a thread of its own, as a real one would be
    // elsewhere: its work must not count as the console's stalls.
    QThread oltThread;
    QObject anchor;
    anchor.moveToThread(&oltThread);
    oltThread.start();
    oltsim::Simulator *simPtr = nullptr;
    const QString login = QStringLiteral("bench");
    const QString password = QStringLiteral("bench123");
    bool ready = false;
    QMetaObject::invokeMethod(&anchor, [&] {
        simPtr = new oltsim::Simulator;
        QObject::connect(&oltThread, &QThread::finished, simPtr, &QObject::deleteLater);
        oltsim::Simulator &sim = *simPtr;
        ready = sim.loadJson(QJsonDocument(oltsim::generateScenario(p.value(onts).toInt())).toJson());
        if (!ready)
            return;
        sim.setLineLatencyMs(p.value(latency).toInt());
        sim.addUser(login, password);
        ready = sim.listen(QHostAddress::LocalHost);
    }, Qt::BlockingQueuedConnection);
    if (!ready) {
        std::fprintf(stderr, "the simulator did not start: %s\n", simPtr ? qPrintable(simPtr->error()) : "");
        return 1;
    }
    oltsim::Simulator &sim = *simPtr;

    registry::OntList list;
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts) {
        core::OntRecord r;
        r.origin = QStringLiteral("-");
        r.ponType = o.epon ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
        r.frame = QString::number(o.frame);
        r.slot = QString::number(o.slot);
        r.port = QString::number(o.port);
        r.ontId = QString::number(o.id);
        r.name = o.description;
        r.serialOrMac = o.sn;
        r.active = QStringLiteral("0");
        core::initBasicTexts(r, QString(), QString());
        rows.push_back(r);
    }
    list.replaceAll(std::move(rows));

    QTemporaryDir dir;
    signal::ScanController scanner(list, dir.path());
    const QString address = QStringLiteral("127.0.0.1:%1").arg(sim.serverPort());
    scanner.hooks().sessionReady = [] { return true; };
    scanner.hooks().oltKey = [] { return QStringLiteral("bench"); };
    scanner.hooks().credentials = [=] { return session::LoginCredentials{address, login, password, false}; };
    scanner.setMode(p.value(mode) == QStringLiteral("per-ont") ? signal::ScanMode::PerOnt : signal::ScanMode::WholePort);

    qint64 worst = 0;
    qint64 worstAt = 0;
    QElapsedTimer sinceStart;
    QElapsedTimer gap;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 g = gap.restart();
        if (g > worst) {
            worst = g;
            worstAt = sinceStart.elapsed();
        }
    });
    QObject::connect(&scanner, &signal::ScanController::passFinished, &app, [&] {
        probe.stop();
        const auto &f = scanner.lastPass();
        std::printf("mode %s, %d ONTs, %d ms per line: pass %.1f s; %d readings, %d without; "
                    "%d port tables, %d single-ONT reads; longest event-loop stall %lld ms (at %.1f s)\n",
                    qPrintable(p.value(mode)), list.size(), p.value(latency).toInt(), f.elapsedMs / 1000.0,
                    f.readings, f.noReading, f.portTables, f.perOntReads, static_cast<long long>(worst), worstAt / 1000.0);
        app.quit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        oltThread.quit();
        oltThread.wait();
    });
    sinceStart.start();
    gap.start();
    probe.start();
    scanner.startPass();
    return app.exec();
}
