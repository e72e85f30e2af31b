#pragma once

#include <QString>

#include <array>

namespace tervix::core {

// Columns of the advanced view lv1 (column 0 is the item caption).
namespace kol {
inline constexpr int Stan = 0;        // "+" added here, "-" imported
inline constexpr int Typ = 1;         // "G.PON" / "E.PON"
inline constexpr int Buda = 2;        // frame
inline constexpr int Karta = 3;       // slot
inline constexpr int Port = 4;
inline constexpr int OntId = 5;
inline constexpr int Nazwa = 6;
inline constexpr int MacSn = 7;
inline constexpr int LineProfile = 8;
inline constexpr int SrvProfile = 9;
inline constexpr int Vlan = 10;       // the vlan_field
inline constexpr int Rx = 11;         // last signal reading; never stored
inline constexpr int Atrr = 12;       // CATV attribute
inline constexpr int IdUrzKL = 13;    // subscriber id of the customer system
inline constexpr int Active = 14;     // "0" active, "1" disabled
inline constexpr int Count = 15;
} // namespace kol

// Columns of the basic view lv1b; row i describes lv1 row i.
namespace kolb {
inline constexpr int Ikona = 0;
inline constexpr int IdLv1 = 1;
inline constexpr int Gepon = 2;       // type / signal class / levels, three lines
inline constexpr int Port = 3;        // "OLT: f" / "Slot: s/p" / "ID: id"
inline constexpr int Nazwa = 4;       // name / "SN: ..." / third line
inline constexpr int Vlan = 5;
inline constexpr int Info = 6;        // "bad", "critical" or empty
inline constexpr int IdLv1b = 7;
inline constexpr int Active = 8;
inline constexpr int Count = 9;
} // namespace kolb

// Image indexes of the shared image list that rows use.
namespace obraz {
inline constexpr int Brak = -1;
inline constexpr int Dodany = 0;
inline constexpr int Online = 2;
inline constexpr int Offline = 3;
inline constexpr int Wolny = 6;
} // namespace obraz

using Lv1Cells = std::array<QString, kol::Count>;
using Lv1bCells = std::array<QString, kolb::Count>;

// One row of the authorised-ONT list: the lv1 row and its lv1b twin, kept
// together so that the two views can never fall out of step.
struct OntListRow
{
    Lv1Cells lv1;
    int image = obraz::Brak;
    Lv1bCells lv1b;
    int imageB = obraz::Brak;

    friend bool operator==(const OntListRow &, const OntListRow &) = default;
};

// The three-line cells of the basic view as every writer of a row fills them.
QString geponStartowy(const QString &typ);                       // type / "Checking signal.." / "ONT: ? OLT: ?"
QString portTrzyLinie(const QString &buda, const QString &karta, const QString &port, const QString &ontId);
QString nazwaTrzyLinie(const QString &nazwa, const QString &macSn, const QString &trzeciaLinia);

// The lv1b twin of an lv1 row: idLv1 goes to the hidden index column (the
// loader and the import write the row's index, the add form leaves it empty),
// trzeciaLinia is the name cell's third line.
Lv1bCells wierszBasic(const Lv1Cells &lv1, const QString &idLv1, const QString &trzeciaLinia);

} // namespace tervix::core
