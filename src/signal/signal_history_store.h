#pragma once

#include "core/optical_reading.h"
#include "core/signal_history.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

namespace tervix::signal {

// The per-ONT history files of one data folder: "<dataDir>/<oltKey>/data-F.S.P.ID.ph".
// Headless, so the scanning pass and the chart share one way of finding,
// reading and rewriting them. Every path is checked: the OLT key must be a
// plain name inside dataDir and the file name comes from historyFileName, so
// no OLT text can reach a file outside the OLT's folder.
class SignalHistoryStore
{
public:
    explicit SignalHistoryStore(QString dataDir);

    struct RecordResult
    {
        enum class Outcome {
            Written, // today's record was added
            Kept,    // nothing to add (already recorded today, or the ONT is off)
            Refused, // nothing was written; reason says why
        };
        Outcome outcome = Outcome::Kept;
        QString reason;
    };

    // Adds one reading of ONT frame/slot/port/id to its history. A file that
    // cannot be read or has no header line is left untouched and refused,
    // so the caller logs it and the scan goes on.
    RecordResult record(const QString &oltKey, const QString &frame, const QString &slot, const QString &port,
                        const QString &ontId, const core::OpticalLevels &levels, QDate today) const;

    // The history file of key "F.S.P.ID" in the OLT's folder; empty when the
    // key or the OLT key could name a file anywhere else.
    QString historyPath(const QString &oltKey, const QString &ontKey) const;

    struct Loaded
    {
        enum class State { Absent, Unreadable, NoHeader, Read };
        State state = State::Absent;
        core::History history;
    };
    // The history of key "F.S.P.ID" for the chart. A path that is not allowed
    // counts as absent: there is nothing to show.
    Loaded load(const QString &oltKey, const QString &ontKey) const;

private:
    QString folderOf(const QString &oltKey) const;
    QString fileOf(const QString &oltKey, const QString &frame, const QString &slot, const QString &port,
                   const QString &ontId) const;

    QString m_dataDir;
};

} // namespace tervix::signal
