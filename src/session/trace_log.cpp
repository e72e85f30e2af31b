#include "session/trace_log.h"

namespace tervix::session {

void TraceLog::add(const QString &tag)
{
    if (!m_keepAll)
        return;
    m_entries.push_back(tag);
    while (m_entries.size() > size_t(kMaxEntries))
        m_entries.pop_front();
    if (!m_mirror)
        return;
    while (m_mirrorLines.size() > kMirrorLines)
        m_mirrorLines.removeFirst();
    m_mirrorLines.append(tag);
    Q_EMIT mirrorChanged();
}

void TraceLog::clearMirror()
{
    m_mirrorLines.clear();
    Q_EMIT mirrorChanged();
}

QStringList TraceLog::newestFirst(const QString &heading, int count) const
{
    QStringList out{heading};
    int taken = 0;
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        out.append(*it);
        if (++taken > count)
            break;
    }
    return out;
}

} // namespace tervix::session
