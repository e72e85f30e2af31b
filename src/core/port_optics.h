#pragma once

#include "core/optical_reading.h"

#include <QList>
#include <QStringView>

#include <optional>

namespace tervix::core {

// One row of the whole-port table "display ont optical-info P all".
struct PortOpticsRow
{
    int ontId = 0;
    // Absent when the row holds "-" (or anything but a number) for either
    // receive level: the ONT has no reading, not a level of 0.
    std::optional<OpticalLevels> levels;
    bool operator==(const PortOpticsRow &) const = default;
};

// Reads the table's rows in listing order, in one pass. Rows count only
// between the table's header and its closing separator; an alarm the OLT
// prints in the middle of the table, and the pager's prompt and erase
// sequence where two pages join, are passed over.
QList<PortOpticsRow> parsePortOptics(QStringView listing);

} // namespace tervix::core
