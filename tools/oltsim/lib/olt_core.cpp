#include "olt_core.h"

namespace oltsim {

namespace {
// "N" as a count, "*" as every time (-1).
bool readTimes(const QString &text, int *times)
{
    if (text == QLatin1String("*")) {
        *times = -1;
        return true;
    }
    bool ok = false;
    *times = text.toInt(&ok);
    return ok && *times >= 0;
}
} // namespace

QString applyFaultOption(Faults &f, const QString &option)
{
    const QString name = option.section(QLatin1Char('='), 0, 0);
    const QString value = option.section(QLatin1Char('='), 1);
    // Forms that end in ":TEXT" take the text last, as it may hold any character.
    const QString head = value.section(QLatin1Char(':'), 0, 0);
    const QString text = value.section(QLatin1Char(':'), 1);
    const QString bad = QStringLiteral("bad fault %1").arg(option);
    if (name == QLatin1String("byte-latency-us"))
        f.byteLatencyUs = value.toInt();
    else if (name == QLatin1String("fragments")) {
        f.fragmentBytes = value.section(QLatin1Char('/'), 0, 0).toInt();
        f.fragmentDelayMs = value.section(QLatin1Char('/'), 1, 1).toInt();
    } else if (name == QLatin1String("drop-after"))
        f.dropAfterCommands = value.toInt();
    else if (name == QLatin1String("no-quit-echo"))
        f.noQuitEcho = true;
    else if (name == QLatin1String("garbage"))
        f.garbageEveryLines = value.isEmpty() ? 7 : value.toInt();
    else if (name == QLatin1String("login-never-answers"))
        f.loginNeverAnswers = true;
    else if (name == QLatin1String("pause-after")) {
        f.pauseMs = head.toInt();
        f.pauseAfterText = text;
    } else if (name == QLatin1String("alarm")) {
        // alarm=N[:TEXT], N or "*"
        if (!readTimes(head, &f.alarmAnswers))
            return bad;
        f.alarmCommandText = text;
    } else if (name == QLatin1String("drop-in-listing")) {
        // drop-in-listing=LINES[/TIMES][:TEXT], TIMES a count or "*"
        bool ok = false;
        f.dropListingAfterLines = head.section(QLatin1Char('/'), 0, 0).toInt(&ok);
        if (!ok || f.dropListingAfterLines < 0)
            return bad;
        f.dropListingTimes = 1;
        if (head.contains(QLatin1Char('/')) && !readTimes(head.section(QLatin1Char('/'), 1), &f.dropListingTimes))
            return bad;
        f.dropListingCommandText = text;
    } else
        return QStringLiteral("unknown fault %1").arg(option);
    return {};
}

OltCore::OltCore(QObject *parent)
    : QObject(parent)
    , m_random(1)
{
    m_clock.start();
}

OltCore::~OltCore() = default;

void OltCore::recordLine(int session, const QString &line)
{
    received.append({session, line, m_clock.elapsed(), QDateTime::currentDateTime()});
    transcript(session, '<', line.toLatin1());
    Q_EMIT lineReceived(session, line);
}

bool OltCore::openTranscript(const QString &path)
{
    auto f = std::make_unique<QFile>(path);
    if (!f->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    m_transcript = std::move(f);
    return true;
}

void OltCore::transcript(int session, char direction, const QByteArray &bytes)
{
    if (!m_transcript)
        return;
    // One record per line received or per piece sent; control bytes are written
    // escaped so that the file stays one record per line.
    QByteArray text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\\')
            text += "\\\\";
        else if (u < 0x20 || u >= 0x7f)
            text += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
        else
            text += c;
    }
    const QByteArray stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    m_transcript->write(stamp + " s" + QByteArray::number(session) + ' ' + direction + ' ' + text + '\n');
    m_transcript->flush();
}

Optics OltCore::readOptics(const Ont &o)
{
    Optics v = o.hw.optics;
    const double d = settings.opticsDriftDb;
    if (d > 0) {
        v.ontRx += (m_random.generateDouble() * 2 - 1) * d;
        v.oltRx += (m_random.generateDouble() * 2 - 1) * d;
        v.ontTx += (m_random.generateDouble() * 2 - 1) * d / 4;
    }
    return v;
}

void OltCore::applyTimedEvents()
{
    const qint64 now = m_clock.elapsed();
    for (Ont &o : model.onts) {
        if (o.dropOfflineAtMs >= 0 && now >= o.dropOfflineAtMs) {
            o.dropOfflineAtMs = -1;
            model.dropOnt(o, QStringLiteral("LOSi/LOBi"));
        }
    }
}

void OltCore::setSessionUser(int session, const QString &user)
{
    m_sessionUsers.insert(session, user);
}

void OltCore::sessionClosed(int session)
{
    m_sessionUsers.remove(session);
}

int OltCore::sessionsOf(const QString &user) const
{
    int n = 0;
    for (const QString &u : m_sessionUsers) {
        if (u == user)
            ++n;
    }
    return n;
}

} // namespace oltsim
