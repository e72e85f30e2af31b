#pragma once

#include "core/ont_record.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace tervix::core {

// The class of a listed ONT in the all-ONT view, from its tile text (lower
// case; later rules win): "normal" on, "off" off, "critical" err, "bad" bad.
enum class TileClass { None, On, Off, Bad, Critical };
TileClass tileClass(const QString &signalCell);

// What the operator asks the view to list.
struct AllOntQuery
{
    int slot = 0;
    int port = 0;
    bool wholeSlot = false;
    bool critical = true;
    bool bad = true;
    bool online = true;   // normal ONTs
    bool offline = true;
};

// One listed ONT. It names its ONT by place and SN/MAC, not by a row index:
// the main list may be reloaded, imported or shortened while the view is
// open, and an action must reach the ONT the operator chose or none.
struct AllOntEntry
{
    QString frame, slot, port, ontId, serialOrMac;
    int image = RowImage::NoImage; // the tile's image
    QString signal, place, name;   // the tile's three cells
    TileClass tileClass = TileClass::None;
    bool operator==(const AllOntEntry &) const = default;
};

struct AllOntListing
{
    QList<AllOntEntry> entries;
    int online = 0;    // listed rows whose main-list image is online
    int offline = 0;   // ... offline
    int bad = 0;
    int critical = 0;
};

// The rows of frame 0 on the slot (and port, unless wholeSlot) that the
// filters let through; a row without a class is always listed. Slot and
// port are compared as decimal text, as the list stores them.
AllOntListing listAllOnts(const std::vector<OntRecord> &rows, const AllOntQuery &query);

// The main-list row of an entry now: the row with its place and SN/MAC
// (any letter case), or -1 when the list no longer holds that ONT.
int findEntryRow(const std::vector<OntRecord> &rows, const AllOntEntry &entry);

// The row's background (a BGR integer) by its tile text, case-sensitive, later rules
// winning: "Normal", "Bad", "Critical", "off"; -1 for none.
int allOntRowColour(const QString &signalCell);

// The summary captions: "All: N", "Critical: N!", "Bad: N!", "Online: N", "Offline: N".
QStringList allOntSummary(const AllOntListing &listing);

} // namespace tervix::core
