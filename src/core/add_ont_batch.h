#pragma once

#include "core/command_batch.h"
#include "core/ont_record.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace tervix::core {

// One of the add form's four service-port rows.
struct ServicePortRow
{
    bool enabled = false;
    QString serviceport;      // the OLT's service-port index
    QString vlan;
    QString gemport;
    QString userVlan;
    bool native_ = false;     // the VLAN is the ONT port's native one
    bool igmp = false;        // the port joins the VLAN's multicast
};

// The add form's values, as plain texts and flags.
struct AddOntValues
{
    int ponTypeIndex = 0;         // ponType: 0 "-- Wykryj E/G PON --", 1 "E.PON", 2 "G.PON"
    QString frame, slot, port, id;
    QString mac;
    QString name;
    QString lineProfile, srvProfile;
    bool active = true;      // activeState: "Active ONT" (0) / "Disable/Zablokuj" (1)
    QString subscriberId;        // subscriberId
    bool catv = false;
    int catvPort = 1;
    std::array<ServicePortRow, 4> rows;

    bool epon() const { return ponTypeIndex == 1; }
    QString ponTypeText() const;   // "E.PON", "G.PON" or the placeholder of index 0
};


// The stored texts of an added ONT.
QString servicePortsField(const AddOntValues &f);   // the service-port field, all four groups
QString catvAttribute(const AddOntValues &f);     // "-1;N;^" / "0;N;^"
QString activeFlagText(const AddOntValues &f);        // "0" active, "1" disabled

// The command batches that authorise the ONT and create its service ports,
// typed blind on a fixed schedule. Only the first line empties the receive
// buffer, so that it shows everything the OLT answered to the batch.
CommandBatch gponAddBatch(const AddOntValues &f);
CommandBatch eponAddBatch(const AddOntValues &f);

// The new row of the authorised-ONT list.
OntRecord addedOntRow(const AddOntValues &f);

// The list already holds this place or this MAC/SN.
struct Duplicate
{
    enum class Kind { Place, SerialOrMac } kind;
    int row;
};
// Rows are walked from the first, skipping skipRow (-1 skips none); on a
// row the place is compared first. MAC/SN comparison is exact.
std::optional<Duplicate> findDuplicate(const std::vector<OntRecord> &rows, int skipRow,
                                         const AddOntValues &f);
// The refusal boxes: caption and text.
QString duplicateCaption(Duplicate::Kind r);
QString duplicateText(Duplicate::Kind r, const OntRecord &row, const AddOntValues &f);

// The fields the press checks, in the order it checks them.
enum class Field {
    ServicePort, Vlan, Gemport, UserVlan,   // with a row index
    Frame, Slot, Port, SerialOrMac, OntId, PonType, Name, LineProfile, SrvProfile, SubscriberId,
};
struct FieldRef
{
    Field field;
    int row = 0;
    friend bool operator==(const FieldRef &, const FieldRef &) = default;
};

struct FormError
{
    FieldRef field;
    // Empty for the form's historic checks, which only paint the field; the
    // refusal text for the rest.
    QString message;
};

struct FormCheck
{
    // Every field whose check ran, the failing one last: their colours are
    // reset before the failing one is painted.
    QList<FieldRef> checked;
    std::optional<FormError> error;
};

// The checks of "[+] Dodaj" in order. First the historic ones (first service
// port, frame, slot and port start with a digit, MAC/SN of at least 6
// characters, in add mode an id starting with a digit); then a type must be
// chosen, every number that goes onto the command line must hold only its
// number, the MAC/SN only its characters, and the name and subscriber id
// nothing that breaks the quoted description, the command line or the data
// file.
FormCheck checkAddForm(const AddOntValues &f, bool addMode);

inline constexpr QLatin1StringView kInvalidInputCaption{"Bledne dane! / Invalid input!"};

} // namespace tervix::core
