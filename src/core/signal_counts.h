#pragma once

#include "core/ont_record.h"

#include <QString>

#include <array>
#include <vector>

namespace tervix::core {

// The counts of one PON port for the OLT view.
struct PortCounts
{
    int total = 0;
    int online = 0;
    int offline = 0;
    int critical = 0;
    bool operator==(const PortCounts &) const = default;
};

// The counters strip of the main window and the per-port work table of the OLT view.
struct SignalCounts
{
    static constexpr int kBoards = 64;
    static constexpr int kPorts = 16;

    int all = 0;
    int online = 0;
    int offline = 0;
    int bad = 0;
    int critical = 0;
    int disabled = 0;
    std::array<int, kBoards> boardTotals{};
    std::array<std::array<PortCounts, kPorts>, kBoards> ports{};

    bool operator==(const SignalCounts &) const = default;
};

// Counts the rows of the main list. A row whose slot is "-" is left out.
// Every other row counts in "all" (and in "disabled" when its Active column
// is "1"). The row's tile image says online (2) or offline (3); the tile's
// class text ("critical"/"bad" in its signal cell, any letter case) makes an
// online row critical or bad as well. An offline row is offline whatever
// class its last reading left in the tile: a class is a reading of a live
// ONT. Rows with a slot outside 0..63 or a port outside 0..15 count in the
// panels but not in the work table.
SignalCounts countSignals(const std::vector<OntRecord> &rows);

// The captions of the strip: "All: N", "Online: N", "Offline: N",
// "Bad Signal: N", "Critical Signal: N!", "Disabled ONT: N".
struct SignalCaptions
{
    QString all, online, offline, bad, critical, disabled;
};
SignalCaptions signalCaptions(const SignalCounts &counts);

} // namespace tervix::core
