#pragma once

#include "core/optical_reading.h"
#include "signal/signal_history_store.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThreadPool>

namespace tervix::signal {

// The scanner's file work off the GUI thread. Every history rewrite is
// synced to disk, and a port's table brings a hundred readings at once: done
// on the GUI thread that would freeze the console for as long as the disk
// takes. Jobs run one at a time in the order given, on a thread of their own,
// so two writes of one file never overlap; results come back as signals on
// the owner's thread.
class HistoryWriter : public QObject
{
    Q_OBJECT
public:
    explicit HistoryWriter(QString dataDir, QObject *parent = nullptr);
    // Waits for the job under way (one file) so that no write is cut short.
    ~HistoryWriter() override;

    struct Reading
    {
        QString oltKey, frame, slot, port, ontId;
        core::OpticalLevels levels;
        QDate day;
        int row = -1;   // the caller's, handed back with the result
    };
    void record(const Reading &reading, quint64 generation);
    // The newest date of each "F.S.P.ID" key's history ("-" without one), in order.
    void readNewestDates(const QString &oltKey, const QStringList &ontKeys, quint64 generation);

    // Jobs given and not yet reported back.
    int pending() const { return m_pending; }

Q_SIGNALS:
    void recorded(int row, quint64 generation, const SignalHistoryStore::RecordResult &result);
    void newestDatesRead(quint64 generation, const QStringList &dates);

private:
    SignalHistoryStore m_store;
    QThreadPool m_pool;
    int m_pending = 0;
};

} // namespace tervix::signal
