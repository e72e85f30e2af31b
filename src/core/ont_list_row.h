#pragma once

#include <QString>

#include <array>

namespace tervix::core {

// Columns of the advanced list view (column 0 carries the row's image).
namespace Column {
inline constexpr int Origin = 0;        // "+" added here, "-" imported
inline constexpr int PonType = 1;       // "G.PON" / "E.PON"
inline constexpr int Frame = 2;
inline constexpr int Slot = 3;
inline constexpr int Port = 4;
inline constexpr int OntId = 5;
inline constexpr int Name = 6;
inline constexpr int SerialOrMac = 7;
inline constexpr int LineProfile = 8;
inline constexpr int SrvProfile = 9;
inline constexpr int ServicePorts = 10; // the service-port field
inline constexpr int Levels = 11;       // last signal reading; never stored
inline constexpr int Catv = 12;         // CATV attribute
inline constexpr int SubscriberId = 13; // subscriber id of the customer system
inline constexpr int Active = 14;       // "0" active, "1" disabled
inline constexpr int Count = 15;
} // namespace Column

// Columns of the basic list view; its row i describes row i of the advanced view.
namespace BasicColumn {
inline constexpr int Icon = 0;
inline constexpr int RowIndex = 1;
inline constexpr int Signal = 2;        // type / signal class / levels, three lines
inline constexpr int Port = 3;          // "OLT: f" / "Slot: s/p" / "ID: id"
inline constexpr int Name = 4;          // name / "SN: ..." / third line
inline constexpr int ServicePorts = 5;
inline constexpr int SignalClass = 6;   // "bad", "critical" or empty
inline constexpr int BasicIndex = 7;
inline constexpr int Active = 8;
inline constexpr int Count = 9;
} // namespace BasicColumn

// Image indexes of the shared image list that rows use.
namespace RowImage {
inline constexpr int NoImage = -1;
inline constexpr int Added = 0;
inline constexpr int Online = 2;
inline constexpr int Offline = 3;
inline constexpr int Freed = 6;
} // namespace RowImage

using AdvancedCells = std::array<QString, Column::Count>;
using BasicCells = std::array<QString, BasicColumn::Count>;

// One row of the authorised-ONT list: the advanced row and its basic twin, kept
// together so that the two views can never fall out of step.
struct OntListRow
{
    AdvancedCells advanced;
    int image = RowImage::NoImage;
    BasicCells basic;
    int basicImage = RowImage::NoImage;

    friend bool operator==(const OntListRow &, const OntListRow &) = default;
};

// The three-line cells of the basic view as every writer of a row fills them.
QString signalCellBeforeScan(const QString &ponType);                       // type / "Checking signal.." / "ONT: ? OLT: ?"
QString placeCell(const QString &frame, const QString &slot, const QString &port, const QString &ontId);
QString nameCell(const QString &name, const QString &serialOrMac, const QString &thirdLine);

// The basic twin of an advanced row: rowIndex goes to the hidden index column (the
// loader and the import write the row's index, the add form leaves it empty),
// thirdLine is the name cell's third line.
BasicCells basicCellsFor(const AdvancedCells &advanced, const QString &rowIndex, const QString &thirdLine);

} // namespace tervix::core
