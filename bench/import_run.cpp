// One import of a generated OLT through the main session, timed with the
// production timings:
//   import_run [--onts N]
// Prints the wall time of each listing, the time spent in the console's own
// work (parsing and merging, applying), and the longest stall of the event
// loop while reading and while applying (a 5 ms probe timer).
#include "core/timing.h"
#include "provisioning/controller_context.h"
#include "registry/import_controller.h"
#include "registry/ont_list.h"
#include "scenario.h"
#include "session/login_sequence.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "simulator.h"
#include "ui/dialog_service.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>

using namespace tervix;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCommandLineParser p;
    const QCommandLineOption onts(QStringLiteral("onts"), QStringLiteral("ONTs of the generated OLT"), QStringLiteral("N"), QStringLiteral("32000"));
    p.addOptions({onts});
    p.addHelpOption();
    p.process(app);

    // The simulated OLT on a thread of its own, as a real one is elsewhere.
    QThread oltThread;
    QObject anchor;
    anchor.moveToThread(&oltThread);
    oltThread.start();
    oltsim::Simulator *sim = nullptr;
    bool ready = false;
    const int count = p.value(onts).toInt();
    QMetaObject::invokeMethod(&anchor, [&] {
        sim = new oltsim::Simulator;
        ready = sim->loadGenerated(count);
        sim->addUser(QStringLiteral("bench"), QStringLiteral("bench123"));
        ready = ready && sim->listen(QHostAddress::LocalHost);
    }, Qt::BlockingQueuedConnection);
    if (!ready) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }

    ui::ScriptedDialogService dialogs;
    ui::DialogService::install(&dialogs);
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    QTemporaryDir dir;
    session::OltSession session(timing::kQuietMs);
    session::StepEngine engine(session, nullptr);
    registry::OntList list;
    list.setFile(dir.path() + u'/', QStringLiteral("bench"));
    provisioning::ControllerContext context(session, engine, list);
    context.hooks().sessionReady = [] { return true; };
    registry::ImportController importer(context);

    qint64 worst = 0;
    QElapsedTimer gap;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] { worst = std::max(worst, gap.restart()); });
    QElapsedTimer clock;
    QElapsedTimer applyClock;
    qint64 stageStart = 0;
    QObject::connect(&importer, &registry::ImportController::stageChanged, [&](registry::ImportController::Stage s) {
        const qint64 now = clock.elapsed();
        static const char *names[] = {"idle", "ONT listing", "service ports", "IGMP users", "ready", "failed"};
        std::printf("  %-14s began at %6.1f s (the one before took %.1f s)\n", names[int(s)], now / 1000.0,
                    (now - stageStart) / 1000.0);
        stageStart = now;
        if (s == registry::ImportController::Stage::Ready || s == registry::ImportController::Stage::Failed) {
            probe.stop();
            std::printf("import of %d ONTs: %zu rows read in %.1f s, longest event-loop stall while reading %lld ms\n",
                        count, importer.rows().size(), now / 1000.0, static_cast<long long>(worst));
            for (const QString &why : importer.problems())
                std::printf("  problem: %s\n", qPrintable(why));
            if (s == registry::ImportController::Stage::Failed) {
                app.quit();
                return;
            }
            worst = 0;
            applyClock.start();
            gap.start();
            probe.start();
            importer.apply();
        }
    });
    QObject::connect(&importer, &registry::ImportController::applied, [&](bool replaced) {
        probe.stop();
        std::printf("applied: %s, %zu rows, in %lld ms; longest event-loop stall while applying %lld ms\n",
                    replaced ? "yes" : "no", list.rows().size(), static_cast<long long>(applyClock.elapsed()),
                    static_cast<long long>(worst));
        app.quit();
    });

    QObject::connect(&session.connection(), &session::OltConnection::connected, [&] {
        session::enqueueLogin(session, {QString(), QStringLiteral("bench"), QStringLiteral("bench123"), false},
                              session::LoginPacing::mainSession(false), [&] {
                                  session.send(core::batchOf(session::terminalPreparation(10), timing::kPrepLineWaitMs));
                                  session.pacer().enqueueAction([&] {
                                      clock.start();
                                      gap.start();
                                      probe.start();
                                      importer.start(QStringLiteral("0"));
                                  });
                              });
    });
    session.connection().connectTo(QStringLiteral("127.0.0.1:%1").arg(sim->serverPort()));
    const int rc = app.exec();
    QMetaObject::invokeMethod(&anchor, [&] { delete sim; }, Qt::BlockingQueuedConnection);
    oltThread.quit();
    oltThread.wait();
    ui::DialogService::install(nullptr);
    return rc;
}
