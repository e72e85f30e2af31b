#include "signal/history_writer.h"

namespace tervix::signal {

HistoryWriter::HistoryWriter(QString dataDir, QObject *parent)
    : QObject(parent)
    , m_store(std::move(dataDir))
{
    m_pool.setMaxThreadCount(1);
    // The thread stays while readings keep coming, and goes when idle.
    m_pool.setExpiryTimeout(30'000);
}

HistoryWriter::~HistoryWriter()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void HistoryWriter::record(const Reading &reading, quint64 generation)
{
    ++m_pending;
    const SignalHistoryStore store = m_store;
    m_pool.start([this, store, reading, generation] {
        const SignalHistoryStore::RecordResult result = store.record(
            reading.oltKey, reading.frame, reading.slot, reading.port, reading.ontId, reading.levels, reading.day);
        QMetaObject::invokeMethod(this, [this, row = reading.row, generation, result] {
            --m_pending;
            Q_EMIT recorded(row, generation, result);
        }, Qt::QueuedConnection);
    });
}

void HistoryWriter::readNewestDates(const QString &oltKey, const QStringList &ontKeys, quint64 generation)
{
    ++m_pending;
    const SignalHistoryStore store = m_store;
    m_pool.start([this, store, oltKey, ontKeys, generation] {
        QStringList dates;
        dates.reserve(ontKeys.size());
        for (const QString &key : ontKeys) {
            const SignalHistoryStore::Loaded loaded = store.load(oltKey, key);
            dates << (loaded.state == SignalHistoryStore::Loaded::State::Read ? loaded.history.newestDate
                                                                             : QStringLiteral("-"));
        }
        QMetaObject::invokeMethod(this, [this, generation, dates] {
            --m_pending;
            Q_EMIT newestDatesRead(generation, dates);
        }, Qt::QueuedConnection);
    });
}

} // namespace tervix::signal
