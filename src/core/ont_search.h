#pragma once

#include "core/ont_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tervix::core {

// What the search box compares the operator's text with; the values are the
// indexes of the box's mode list.
enum class SearchMode : int {
    Name = 0,
    SerialOrMac = 1,
    PonType = 2,
    PlaceWithId = 3,  // frame, slot, port and ONT id run together: "0105"
    Port = 4,         // frame, slot and port run together: "010"
};

struct OntSearchQuery
{
    QString text;
    SearchMode mode = SearchMode::Name;
    bool wholeText = false;   // "char = char": the whole text must match, not a part of it
};

// One found ONT. It names the ONT by place and SN/MAC, not by a row index: the
// list may be reloaded, imported or shortened while the results stay on show,
// and picking a result must reach the ONT that was found or none.
struct OntSearchHit
{
    QString frame, slot, port, ontId, serialOrMac;
    QString name, ponType;

    // "F/S/P": the place is shown with its separators even though the modes
    // match it without them, so that 0/1/10 and 0/11/0 read apart.
    QString caption() const;
    // The result row's cells: "buda", "ID", "Nazwa", "MAC-SN", "e/p".
    QStringList cells() const;

    bool operator==(const OntSearchHit &) const = default;
};

// The rows that match, in list order. Both sides are lower-cased, so the
// search ignores letter case in every mode; an empty text matches nothing.
std::vector<OntSearchHit> searchOnts(const std::vector<OntRecord> &rows, const OntSearchQuery &query);

// The row of a result in the list as it is now: the row with its place and
// SN/MAC (any letter case), or -1 when the list no longer holds that ONT.
int findHitRow(const std::vector<OntRecord> &rows, const OntSearchHit &hit);

// The box's caption after a search: "Znaleziono: N ".
QString searchBoxCaption(qsizetype found);

} // namespace tervix::core
