#pragma once

#include "core/optical_reading.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace tervix::core {

// One ONT's history file: a header line "**<newest date>**" and one record
// "#<date>#<ont>*<olt>*##" per calendar day, oldest first. Dates read
// "d.M.yy". The console writes CR LF; files with LF line ends are read too.

// The file's name inside the OLT's folder, "data-F.S.P.ID.ph". Each number comes
// from OLT output and must be digits only; anything else (a separator, "..",
// an empty field) gets no name, so no file can be named outside the folder.
std::optional<QString> historyFileName(QStringView frame, QStringView slot, QStringView port, QStringView ontId);

// A date as the history writes it ("5.3.24" for 5 March 2024).
QString historyDate(QDate date);

struct HistoryRecord
{
    QString date;
    int ontRx = 0;
    int oltRx = 0;
    bool operator==(const HistoryRecord &) const = default;
};

struct History
{
    QString newestDate;
    QList<HistoryRecord> records;
    bool operator==(const History &) const = default;
};

// Reads a whole file. Nothing when it has no header line; lines that are not
// records (a torn last line) are left out.
std::optional<History> parseHistory(const QByteArray &bytes);

// The header's date, for the scan list's "last day" column; "-" without a header.
QString historyNewestDate(const QByteArray &bytes);

// What the store found when it opened the file.
enum class HistoryFileState { Absent, Read, Unreadable };

struct HistoryUpdate
{
    enum class Action {
        Write,     // replace the file with bytes
        Keep,      // nothing to add today
        Refuse,    // the old file cannot be kept: do not touch it (error says why)
    };
    Action action = Action::Keep;
    QByteArray bytes;
    QString error;
};

// Adds today's record to a file. The first reading of a day that is not
// "off" is the day's record; later readings that day leave the file alone.
// The old records are kept byte for byte; the new header and record use the
// file's own line end. A file that could not be read, or has text but no
// header, is refused rather than rewritten, so its history is never lost.
HistoryUpdate updateHistory(HistoryFileState state, const QByteArray &bytes, QDate today,
                            const OpticalLevels &levels);

} // namespace tervix::core
