// oltsim: the simulated OLT served over Telnet.
#include "scenario.h"
#include "simulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

namespace {
bool parseListen(const QString &text, QHostAddress *address, quint16 *port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (!ok || p > 65535)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (!address->setAddress(host))
        return false;
    *port = quint16(p);
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("oltsim"));
    QTextStream err(stderr);
    QTextStream out(stdout);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("A simulated Huawei MA56xx/MA58xx OLT served over Telnet."));
    p.addHelpOption();
    const QCommandLineOption listen(QStringLiteral("listen"), QStringLiteral("Address and port to listen on (default 127.0.0.1:2323; port 0 picks one)."), QStringLiteral("host:port"), QStringLiteral("127.0.0.1:2323"));
    const QCommandLineOption scenario(QStringLiteral("scenario"), QStringLiteral("Scenario file (JSON)."), QStringLiteral("file"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("An extra account."), QStringLiteral("name"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Its password."), QStringLiteral("password"));
    const QCommandLineOption latency(QStringLiteral("latency-ms"), QStringLiteral("Delay before each answer."), QStringLiteral("ms"));
    const QCommandLineOption fault(QStringLiteral("fault"), QStringLiteral("A fault: byte-latency-us=N, fragments=BYTES/MS, drop-after=N, no-quit-echo, garbage=N, login-never-answers, pause-after=MS:TEXT, alarm=N|*[:TEXT], drop-in-listing=LINES[/N|*][:TEXT] (repeatable)."), QStringLiteral("fault"));
    const QCommandLineOption transcript(QStringLiteral("transcript"), QStringLiteral("Write every received line and every answer, time-stamped, to this file."), QStringLiteral("file"));
    const QCommandLineOption generate(QStringLiteral("generate"), QStringLiteral("Write a generated scenario of N ONTs to the --scenario file and exit."), QStringLiteral("N"));
    p.addOptions({listen, scenario, user, password, latency, fault, transcript, generate});
    p.process(app);

    if (p.isSet(generate)) {
        bool ok = false;
        const int n = p.value(generate).toInt(&ok);
        if (!ok || n < 1 || !p.isSet(scenario)) {
            err << "oltsim: --generate needs a number of ONTs and --scenario FILE to write\n";
            return 2;
        }
        QFile f(p.value(scenario));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << "oltsim: cannot write " << p.value(scenario) << "\n";
            return 1;
        }
        f.write(QJsonDocument(oltsim::generateScenario(n)).toJson(QJsonDocument::Indented));
        return 0;
    }

    oltsim::Simulator sim;
    if (p.isSet(scenario) && !sim.loadFile(p.value(scenario))) {
        err << "oltsim: " << sim.error() << "\n";
        return 1;
    }
    if (p.isSet(user) != p.isSet(password)) {
        err << "oltsim: --user and --password go together\n";
        return 2;
    }
    if (p.isSet(user))
        sim.addUser(p.value(user), p.value(password));
    if (sim.users().isEmpty())
        err << "oltsim: warning: no accounts; give --user and --password or a scenario with users\n";

    oltsim::Faults f = sim.faults();
    if (p.isSet(latency))
        f.lineLatencyMs = p.value(latency).toInt();
    for (const QString &option : p.values(fault)) {
        if (const QString problem = oltsim::applyFaultOption(f, option); !problem.isEmpty()) {
            err << "oltsim: " << problem << "\n";
            return 2;
        }
    }
    sim.setFaults(f);
    if (p.isSet(transcript) && !sim.setTranscriptFile(p.value(transcript))) {
        err << "oltsim: " << sim.error() << "\n";
        return 1;
    }

    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(p.value(listen), &address, &port)) {
        err << "oltsim: --listen wants host:port, not " << p.value(listen) << "\n";
        return 2;
    }
    if (!sim.listen(address, port)) {
        err << "oltsim: cannot listen on " << p.value(listen) << ": " << sim.error() << "\n";
        return 1;
    }
    out << "oltsim: " << sim.model().hostname << " listening on " << sim.serverAddress().toString() << ":" << sim.serverPort() << "\n";
    out.flush();
    return app.exec();
}
