#pragma once

#include "core/ont_list_row.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <vector>

namespace tervix::core {

// The per-OLT data file "data-<olt_key>.ph": one line holding "^!", then one
// record per lv1 row, each the 14 stored fields followed by "^!" and then "*^".
// The stored fields are lv1 columns 0 to 10, 12, 13 and 14; the signal reading
// (column 11) is never stored. The format has no escape: ont_data_pole keeps
// the separators out of every field instead.
inline constexpr int kStoredFields = 14;
using OntDataRecord = std::array<QString, kStoredFields>;

// The lv1 column each stored field comes from, in file order.
inline constexpr std::array<int, kStoredFields> kStoredColumns{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14};

// A field as it may be stored: the text is unchanged unless it could split or
// end a record, that is unless it holds "^!", begins with "*^" or is a lone
// "*" (which, before a field beginning with "^", would read as a record end).
// Those get a space between the two characters that would form the separator.
// Idempotent, and a no-op on every text the console writes itself.
QString ont_data_pole(const QString &field);
bool ont_data_pole_bezpieczne(QStringView field);

// zapisz1: the file text of a list, line break included.
QString zapisz1_tekst(const std::vector<OntListRow> &rows);

struct OdczytDanych
{
    // The text held at least one "^!*^"; without one the list must be imported.
    bool maRekordy = false;
    std::vector<OntDataRecord> rekordy;
};

// odczytaj1_nowe: the records of a file text. Fields missing at the end of a
// record are empty, an empty "Active?" reads "0", fields after the 14th and
// text after the last record are ignored.
OdczytDanych odczytaj1_nowe(QStringView text);

// The lv1 row of a loaded record (signal reading "-", no image) and its lv1b
// twin (index in idLv1, the subscriber id as the name cell's third line).
OntListRow wierszZPliku(const OntDataRecord &rekord, int index);
// The rows of a whole file, in file order.
std::vector<OntListRow> wierszeZPliku(const std::vector<OntDataRecord> &rekordy);

// File bytes to text: UTF-8 (a byte-order mark is dropped); a file that is not
// valid UTF-8 was written by an older console in the Windows code page and is
// read as Windows-1250.
QString ont_data_tekst(const QByteArray &bytes);
QByteArray ont_data_bajty(const QString &text);

} // namespace tervix::core
