#pragma once

#include <QString>

namespace tervix::core {

// Columns of the advanced list view (column 0 carries the row's image).
namespace Column {
enum Id : int {
    Origin,         // "+" added here, "-" imported
    PonType,        // "G.PON" / "E.PON"
    Frame,
    Slot,
    Port,
    OntId,
    Name,
    SerialOrMac,
    LineProfile,
    ServiceProfile,
    ServicePorts,   // the service-port field
    Levels,         // last signal reading; never stored
    Catv,           // CATV attribute
    SubscriberId,   // subscriber id of the customer system
    Active,         // "0" active, "1" disabled
    Count
};
} // namespace Column

// Columns of the basic list view; its row i describes row i of the advanced view.
namespace BasicColumn {
enum Id : int {
    Icon,           // the basic image only, no text
    RowIndex,
    Signal,         // type / signal class / levels, three lines
    Port,           // "OLT: f" / "Slot: s/p" / "ID: id"
    Name,           // name / "SN: ..." / third line
    ServicePorts,
    SignalClass,    // "bad", "critical" or empty
    BasicIndex,
    Active,
    Count
};
} // namespace BasicColumn

// Image indexes of the shared image list that rows use.
namespace RowImage {
inline constexpr int NoImage = -1;
inline constexpr int Added = 0;
inline constexpr int Online = 2;
inline constexpr int Offline = 3;
inline constexpr int Freed = 6;
} // namespace RowImage

// One authorised ONT as both list views show it. The views are two readings of
// the same record, so they can never fall out of step; only what the basic view
// shows and cannot work out from the ONT itself is kept apart for it.
//
// The texts the data file stores stay text: the file must read back and write
// out byte for byte, whatever an older console or the operator left in it.
struct OntRecord
{
    QString origin;         // "+" added here, "-" imported
    QString ponType;        // "G.PON" / "E.PON"
    QString frame;
    QString slot;
    QString port;
    QString ontId;
    QString name;
    QString serialOrMac;
    QString lineProfile;
    QString serviceProfile;
    QString servicePorts;   // the service-port field as stored
    QString levels;         // last signal reading; never stored
    QString catv;           // CATV attribute as stored
    QString subscriberId;   // subscriber id of the customer system
    QString active;         // "0" active, "1" disabled
    int image = RowImage::NoImage;

    // The basic view's own.
    QString rowIndex;       // hidden index column: the row's index when loaded or imported, empty when added here
    QString signalCell;     // type / signal class / levels, as the last signal check left it
    QString signalClass;    // "bad", "critical" or empty
    QString basicIndex;
    QString nameNote;       // third line of the name cell
    int basicImage = RowImage::NoImage;

    friend bool operator==(const OntRecord &, const OntRecord &) = default;
};

// The three-line cells of the basic view.
QString signalCellBeforeScan(const QString &ponType);                       // type / "Checking signal.." / "ONT: ? OLT: ?"
QString placeCell(const QString &frame, const QString &slot, const QString &port, const QString &ontId);
QString nameCell(const QString &name, const QString &serialOrMac, const QString &thirdLine);

// Fills the basic view's own texts of a record whose ONT fields are set, as
// every writer of a new row does: rowIndex for the hidden index column (the
// loader and the import write the row's index, the add form leaves it empty),
// nameNote for the name cell's third line, and the signal cell before any check.
void initBasicTexts(OntRecord &record, const QString &rowIndex, const QString &nameNote);

// The text a view shows in a cell of the record.
QString cellText(const OntRecord &record, Column::Id column);
QString cellText(const OntRecord &record, BasicColumn::Id column);

} // namespace tervix::core
