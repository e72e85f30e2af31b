#pragma once

#include "core/ont_record.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace tervix::core {

// The per-OLT data file "data-<oltKey>.ph": one line holding "^!", then one
// record per ONT, each the 14 stored fields followed by "^!" and then "*^".
// The stored fields are those the advanced view shows, in its column order, but
// for the signal reading, which is never stored. The format has no escape:
// storableField keeps the separators out of every field instead.
inline constexpr int kStoredFields = 14;
using OntDataRecord = std::array<QString, kStoredFields>;

// The record field each stored field comes from, in file order.
inline constexpr std::array<QString OntRecord::*, kStoredFields> kStoredMembers{
    &OntRecord::origin,      &OntRecord::ponType,        &OntRecord::frame,        &OntRecord::slot,
    &OntRecord::port,        &OntRecord::ontId,          &OntRecord::name,         &OntRecord::serialOrMac,
    &OntRecord::lineProfile, &OntRecord::serviceProfile, &OntRecord::servicePorts, &OntRecord::catv,
    &OntRecord::subscriberId, &OntRecord::active};

// A field as it may be stored: the text is unchanged unless it could split or
// end a record, that is unless it holds "^!", begins with "*^" or is a lone
// "*" (which, before a field beginning with "^", would read as a record end).
// Those get a space between the two characters that would form the separator.
// Idempotent, and a no-op on every text the console writes itself.
QString storableField(const QString &field);
bool isStorableField(QStringView field);

// The file text of a list, line break included.
QString dataFileText(const std::vector<OntRecord> &rows);

struct DataFileContent
{
    // The text held at least one "^!*^"; without one the list must be imported.
    bool hasRecords = false;
    std::vector<OntDataRecord> records;
};

// The records of a file text. Fields missing at the end of a
// record are empty, an empty "Active?" reads "0", fields after the 14th and
// text after the last record are ignored.
DataFileContent parseDataFile(QStringView text);

// The stored fields of a row, in file order, as they stand (storableField is
// the list's business on the way in).
OntDataRecord storedFields(const OntRecord &row);
// The row of a loaded record: signal reading "-", no image, index in rowIndex,
// the subscriber id as the name cell's third line.
OntRecord rowFromRecord(const OntDataRecord &record, int index);
// The rows of a whole file, in file order.
std::vector<OntRecord> rowsFromRecords(const std::vector<OntDataRecord> &records);

// File bytes to text: UTF-8 (a byte-order mark is dropped); a file that is not
// valid UTF-8 was written by an older console in the Windows code page and is
// read as Windows-1250.
QString decodeDataFile(const QByteArray &bytes);
QByteArray encodeDataFile(const QString &text);

} // namespace tervix::core
