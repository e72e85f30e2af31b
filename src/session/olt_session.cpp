#include "session/olt_session.h"

#include "core/timing.h"

#include <algorithm>
#include <utility>

namespace tervix::session {

OltSession::OltSession(int quietMs, QObject *parent)
    : QObject(parent)
    , m_connection(this)
    , m_pacer([this](const QString &l, bool c) { typeLine(l, c); }, this)
    , m_quietMs(quietMs)
{
    m_quietTimer.setSingleShot(true);
    // A coarse timer may end the quiet period up to 5 % early; the OLT gets
    // the whole of it.
    m_quietTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_quietTimer, &QTimer::timeout, this, [this] {
        m_outputArriving = false;
        Q_EMIT quiet();
    });
    connect(&m_connection, &OltConnection::received, this, &OltSession::onReceived);
}

void OltSession::sendLine(const QString &line, bool clearFirst)
{
    m_pacer.enqueue({core::PacedLine::send(line, 0, clearFirst)});
}

void OltSession::typeLine(const QString &line, bool clearFirst)
{
    if (clearFirst)
        clearBuffer();
    if (!m_connection.isConnected()) {
        ++m_droppedLines;
        return;
    }
    m_connection.sendText(line + QLatin1Char('\r'));
}

void OltSession::applyDeferredClear()
{
    const qsizetype at = std::exchange(m_deferredClearAt, -1);
    if (at < 0)
        return;
    m_buffer.remove(0, std::min(at, m_buffer.size()));
    Q_EMIT bufferReplaced(m_buffer);
}

void OltSession::clearBuffer()
{
    m_deferredClearAt = -1;
    if (m_buffer.isEmpty())
        return;
    m_buffer.clear();
    Q_EMIT bufferReplaced(m_buffer);
}

void OltSession::replaceBuffer(const QString &text)
{
    m_deferredClearAt = -1;
    m_buffer = text;
    Q_EMIT bufferReplaced(m_buffer);
}

void OltSession::appendLine(const QString &line)
{
    QString add;
    if (!m_buffer.isEmpty() && !m_buffer.endsWith(u'\n'))
        add = QStringLiteral("\r\n");
    add += line + QStringLiteral("\r\n");
    m_buffer += add;
    Q_EMIT textAppended(add);
}

void OltSession::onReceived(const QString &text)
{
    m_outputArriving = true;
    // An empty receive memo gets one empty line before the first text, as the
    // console has always shown it.
    QString add = m_buffer.isEmpty() ? QStringLiteral("\r\n") + text : text;
    m_buffer += add;
    Q_EMIT textAppended(add);
    m_quietTimer.start(timing::scaled(m_quietMs));
}

} // namespace tervix::session
