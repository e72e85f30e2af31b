#include "simulator.h"

#include "scenario.h"
#include "telnet_server.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

namespace oltsim {

Simulator::Simulator(QObject *parent)
    : QObject(parent)
{
    m_server = new TelnetServer(m_core, this);
    connect(&m_core, &OltCore::lineReceived, this, &Simulator::lineReceived);
}

Simulator::~Simulator()
{
    delete m_server;
    m_server = nullptr;
}

bool Simulator::loadFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read scenario %1: %2").arg(path, f.errorString());
        return false;
    }
    return loadJson(f.readAll(), QFileInfo(path).absolutePath());
}

bool Simulator::loadJson(const QByteArray &json, const QString &baseDir)
{
    OltModel model;
    Settings settings;
    Faults faults;
    const QString err = loadScenario(json, baseDir, model, settings, faults);
    if (!err.isEmpty()) {
        m_error = err;
        return false;
    }
    m_core.model = std::move(model);
    m_core.settings = settings;
    m_core.faults = faults;
    m_core.reseed(settings.randomSeed);
    m_error.clear();
    return true;
}

bool Simulator::loadGenerated(int onts, quint32 seed)
{
    return loadJson(QJsonDocument(generateScenario(onts, seed)).toJson(QJsonDocument::Compact));
}

bool Simulator::listen(const QHostAddress &address, quint16 port)
{
    if (!m_server->listen(address, port)) {
        m_error = m_server->errorString();
        return false;
    }
    return true;
}

quint16 Simulator::serverPort() const
{
    return m_server->serverPort();
}

QHostAddress Simulator::serverAddress() const
{
    return m_server->serverAddress();
}

int Simulator::sessionCount() const
{
    return int(m_server->connections().size());
}

void Simulator::addUser(const QString &name, const QString &password)
{
    if (User *u = m_core.model.user(name)) {
        u->password = password;
        return;
    }
    User u;
    u.name = name;
    u.password = password;
    m_core.model.users.append(u);
}

QStringList Simulator::receivedTexts(int session) const
{
    QStringList out;
    for (const ReceivedLine &l : m_core.received) {
        if (session == 0 || l.session == session)
            out << l.line;
    }
    return out;
}

bool Simulator::setTranscriptFile(const QString &path)
{
    if (!m_core.openTranscript(path)) {
        m_error = QStringLiteral("cannot write transcript %1").arg(path);
        return false;
    }
    return true;
}

} // namespace oltsim
