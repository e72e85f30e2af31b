#pragma once

#include "core/ont_record.h"
#include "core/signal_counts.h"

#include <QString>

#include <array>
#include <vector>

namespace tervix::core {

// The OLT picture: one strip per service board that has listed ONTs, one
// panel per PON port with its counts. Boards 0..23, ports 0..15.
struct PicturePort
{
    int total = 0;      // listed ONTs on the port
    int online = 0;
    int offline = 0;
    int critical = 0;
    bool operator==(const PicturePort &) const = default;
};

struct PictureBoard
{
    bool shown = false;       // the board has listed ONTs
    int total = 0;
    int highestPort = -1;     // the highest port with a listed ONT
    int shownPorts = 0;       // 8 while only ports 0..7 are used, else 16
    std::array<PicturePort, 16> ports{};
    bool operator==(const PictureBoard &) const = default;
};

struct OltPicture
{
    static constexpr int kBoards = 24;
    static constexpr int kPorts = 16;
    std::array<PictureBoard, kBoards> boards{};
    int shownBoards = 0;
    bool operator==(const OltPicture &) const = default;
};

// Whether a row has a place the picture can show: frame, slot and port are
// plain decimal numbers, the slot 0..23 and the port 0..15. Any other row
// ("-", a slot of 30, a port of 16, text) is left out, never counted as 0/0.
bool pictureCounts(const OntRecord &row, int *slot = nullptr, int *port = nullptr);

// The boards and port totals of the list (no signal counts yet).
OltPicture pictureTotals(const std::vector<OntRecord> &rows);

// The signal counts of a recount written into the picture's ports (online,
// offline and critical from the counts' work table; totals stay the list's).
void applySignalCounts(OltPicture &picture, const SignalCounts &counts);

// The colour (a BGR integer, as the widgets take them) of a port panel: grey without ONTs, light green
// with ONTs and no critical one; a port with critical ONTs blinks between the
// two pinks (blinkOn picks which).
namespace picture_colours {
inline constexpr int kNeutral = 13224393;
inline constexpr int kWithOnts = 12320699;
inline constexpr int kBlinkA = 14671871;
inline constexpr int kBlinkB = 10461183;
inline constexpr int kOutage = 42495;      // orange (255, 165, 0): a port most of whose ONTs went offline at once
inline constexpr int kBoardNumber = 4210816;
inline constexpr int kPortNumber = 128;
inline constexpr int kOnlineCount = 32768;
inline constexpr int kOfflineCount = 8421504;
inline constexpr int kCriticalCount = 255;
inline constexpr int kStripBackground = 14342874;
inline constexpr int kPortMenu = 14211288;
} // namespace picture_colours
int portColour(const PicturePort &port, bool blinkOn);

} // namespace tervix::core
