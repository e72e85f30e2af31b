#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

namespace tervix::session {

// The in-memory trace of what the console did: operations write a short tag on
// entry ("a1", "a13b", ...) and the tag with "-end" on a normal exit. Off by
// default and never written to a file. keepAll ("LOG TSL - ALL") keeps the last
// 5000 entries; mirror ("LOGI?") additionally shows the last 30 in a memo.
class TraceLog : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 5000;
    static constexpr int kMirrorLines = 30;

    explicit TraceLog(QObject *parent = nullptr) : QObject(parent) {}

    void add(const QString &tag);

    void setKeepAll(bool on) { m_keepAll = on; }
    bool keepAll() const { return m_keepAll; }
    void setMirror(bool on) { m_mirror = on; }
    bool mirror() const { return m_mirror; }

    qsizetype size() const { return qsizetype(m_entries.size()); }
    const std::deque<QString> &entries() const { return m_entries; }
    const QStringList &mirrorLines() const { return m_mirrorLines; }
    void clearMirror();

    // "pokaz ostatnie": a heading line, then entries newest first, stopping
    // after count + 1 entries.
    QStringList newestFirst(const QString &heading, int count) const;

Q_SIGNALS:
    void mirrorChanged();

private:
    std::deque<QString> m_entries;
    QStringList m_mirrorLines;
    bool m_keepAll = false;
    bool m_mirror = false;
};

} // namespace tervix::session
