#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace tervix::core {

// One ONT line of "display ont info F all": a state line (place, SN/MAC,
// control flag, run state) or a description line (place, description).
struct OntLine
{
    QString frame, slot, port, id, serialOrMac, name;
    bool deactivated = false;   // control flag contains "deactiva" (any case)
    bool online = true;         // run state read as online

    friend bool operator==(const OntLine &, const OntLine &) = default;
};

// Reads one line the way the console has always read these lines: the place
// after the first two consecutive spaces, then the ONT id, then either the
// description (the rest of the line up to a carriage return, padding
// included) or SN/MAC, control flag and run state. Only a run state that says
// "online" reads as online: "offline", "-" (the OLT does not know) and
// anything else do not, so an ONT the OLT cannot vouch for is never shown up.
OntLine parseOntLine(QStringView line, bool descriptionLine);

struct StateListing
{
    std::vector<OntLine> states;  // every state line, in order
    int count = 0;                // state lines found
    bool whole = false;           // every port's footer total agrees with the rows read for it, and at least one footer
};

// Reads the state lines of frame `frame` out of a collected (page-joined)
// "display ont info F all". The listing is read once, line by line, by its
// structure: a port's part is a state table (a header line starting "F/S/P",
// a separator, the rows, a separator), a description table (the same with
// "Description" in its header) and the footer
// "In port F/S/P, the total of ONTs are: N, online: M[, offline: K]"; a port
// without ONTs may be the footer alone. Description rows are data whatever
// they say, so a description can neither end a table nor pose as a row or a
// footer.
//
// The listing is whole only when every footer's total equals the state rows
// read for its port since the previous footer, no rows come after the last
// footer and there is at least one footer: a listing cut short (a read that
// timed out, a lost page) must not pass for the OLT's ONT count.
StateListing parseStateListing(const QString &listing, const QString &frame);

} // namespace tervix::core
