#pragma once

#include "core/ont_record.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

namespace tervix::core {

// One row of the scanning window's list: an ONT of the main list that the
// pass reads, with where it came from so that a reading finds its way back.
struct ScanRow
{
    QString ponType;     // "gpon" or "epon" (the command's interface type)
    QString frame, slot, port, ontId;
    QString name;
    QString levels;      // the last reading's pair text, empty until read
    QString lastDay;     // date of the ONT's newest history record, or "-"
    QString oltKey;      // the OLT the row was built for
    int sourceRow = -1;  // index of the row in the main list when the scan list was built
    int image = 0;       // 0 not read yet, 2 read with levels, 3 read as off

    // "F.S.P.ID", the key of the history file and of the main-list row.
    QString key() const;
    bool operator==(const ScanRow &) const = default;
};

// The scan list of the main list: every row whose frame is not "-", in list
// order, "epon" when the row's PON type holds an "E", else "gpon". lastDay
// gives the "Data/Day" column of a row (the history store's newest date).
QList<ScanRow> buildScanList(const std::vector<OntRecord> &rows, const QString &oltKey,
                             const std::function<QString(const ScanRow &)> &lastDay);

// The main-list row that a reading of key "F.S.P.ID" belongs to: the
// remembered index, then +1, -1, +2, -2 (indexes outside the list skipped),
// the first whose frame.slot.port.id equals key; -1 when none does (the
// list changed too much since the pass began).
int findRowNear(const std::vector<OntRecord> &rows, int remembered, const QString &key);

// The groups of a whole-port pass: consecutive runs of scan rows are not
// enough (a list is in no particular order), so rows are grouped by
// type/frame/slot/port in order of first appearance; each group lists its
// scan-row indexes in list order.
struct PortGroup
{
    QString ponType, frame, slot, port;
    QList<int> rows;
    bool operator==(const PortGroup &) const = default;
};
QList<PortGroup> groupByPort(const QList<ScanRow> &rows);

} // namespace tervix::core
