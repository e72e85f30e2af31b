#pragma once

#include "core/command_batch.h"
#include "core/ont_list_row.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tervix::core {

// One of the add form's four service-port rows.
struct WierszUslugi
{
    bool wlacz = false;       // czy_vlanN
    QString serviceport;      // a_serviceportN
    QString vlan;             // a_vlanN
    QString gemport;          // a_gemportN
    QString userVlan;         // a_user_vlanN
    bool native_ = false;     // czy_nativeN
    bool igmp = false;        // czy_igmpN
};

// The add form's values, as plain texts and flags.
struct FormularzOnt
{
    int typIndex = 0;         // a_typ: 0 "-- Wykryj E/G PON --", 1 "E.PON", 2 "G.PON"
    QString buda, karta, port, id;
    QString mac;
    QString nazwa;
    QString lineProfile, srvProfile;
    bool aktywny = true;      // a1e_dodaj_czy_aktywny: "Active ONT" (0) / "Disable/Zablokuj" (1)
    QString idKlienta;        // a1_kl_urz_id
    bool catv = false;
    int catvPort = 1;
    std::array<WierszUslugi, 4> wiersze;

    bool epon() const { return typIndex == 1; }
    QString typTekst() const;   // "E.PON", "G.PON" or the placeholder of index 0
};

inline constexpr int kWaitPoPoleceniu = 200;

// The stored texts of an added ONT.
QString pole_vlan_formularza(const FormularzOnt &f);   // the vlan_field, all four groups
QString atrybut_formularza(const FormularzOnt &f);     // "-1;N;^" / "0;N;^"
QString stan_aktywnosci(const FormularzOnt &f);        // "0" active, "1" disabled

// The command batches that authorise the ONT and create its service ports,
// typed blind on a fixed schedule. Only the first line empties the receive
// buffer, so that it shows everything the OLT answered to the batch.
CommandBatch partia_dodaj_gpon(const FormularzOnt &f);
CommandBatch partia_dodaj_epon(const FormularzOnt &f);

// The new row of the authorised-ONT list (lv1 and its lv1b twin).
OntListRow wiersz_dodanego_ont(const FormularzOnt &f);

// The list already holds this place or this MAC/SN.
struct Duplikat
{
    enum class Rodzaj { Miejsce, MacSn } rodzaj;
    int wiersz;
};
// Rows are walked from the first, skipping pominWiersz (-1 skips none); on a
// row the place is compared first. MAC/SN comparison is exact.
std::optional<Duplikat> szukaj_duplikatu(const std::vector<OntListRow> &rows, int pominWiersz,
                                         const FormularzOnt &f);
// The refusal boxes: caption and text.
QString podpis_duplikatu(Duplikat::Rodzaj r);
QString tekst_duplikatu(Duplikat::Rodzaj r, const OntListRow &row, const FormularzOnt &f);

// The fields the press checks, in the order it checks them.
enum class Pole {
    Serviceport, Vlan, Gemport, UserVlan,   // with a row index
    Buda, Karta, Port, Mac, Id, Typ, Nazwa, LineProfile, SrvProfile, IdKlienta,
};
struct PoleWiersza
{
    Pole pole;
    int wiersz = 0;
    friend bool operator==(const PoleWiersza &, const PoleWiersza &) = default;
};

struct BladFormularza
{
    PoleWiersza pole;
    // Empty for the form's historic checks, which only paint the field; the
    // refusal text for the rest.
    QString komunikat;
};

struct SprawdzenieFormularza
{
    // Every field whose check ran, the failing one last: their colours are
    // reset before the failing one is painted.
    QList<PoleWiersza> sprawdzone;
    std::optional<BladFormularza> blad;
};

// The checks of "[+] Dodaj" in order. First the historic ones (first service
// port, frame, slot and port start with a digit, MAC/SN of at least 6
// characters, in add mode an id starting with a digit); then a type must be
// chosen, every number that goes onto the command line must hold only its
// number, the MAC/SN only its characters, and the name and subscriber id
// nothing that breaks the quoted description, the command line or the data
// file.
SprawdzenieFormularza sprawdz_formularz(const FormularzOnt &f, bool trybDodawania);

inline constexpr QLatin1StringView kPodpisBledneDane{"Bledne dane! / Invalid input!"};

} // namespace tervix::core
