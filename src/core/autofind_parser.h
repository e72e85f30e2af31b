#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace tervix::core {

// One ONT of the OLT's autofind table as the unauthorised list shows it.
// Texts are upper case, as the console has always listed them.
struct UnauthorisedOnt
{
    QString ponType;    // "E.PON" or "G.PON"
    QString port;   // frame/slot/port as printed after "F/S/P", e.g. 0/1/0
    QString serialOrMac;  // EPON MAC address or GPON serial number
    QString model;
    QString vr;     // software version

    friend bool operator==(const UnauthorisedOnt &, const UnauthorisedOnt &) = default;
};

// The ONTs of an answer to "display ont autofind all", in
// the OLT's order.
//
// The table is read record by record; a record is what lies between two
// hyphen separator lines (a second "F/S/P" line also starts a new record, for
// answers whose separators went missing) and counts only when it carries an
// "Ont autofind time" line. Within a record:
// - port: the "F/S/P" value;
// - MAC/SN: the "Ont SN" value when the record has one (GPON), else the
//   "Ont MAC" value (EPON), else the value of the line after the port line;
//   a value longer than 14 characters keeps what precedes its first space and
//   then its first "(" (the bracketed vendor form goes);
// - type: "G.PON" for a record with "Ont SN"; otherwise "E.PON" when the
//   MAC/SN has fewer than 15 characters, else "G.PON";
// - model: "Ont Model" when present, else "Ont EquipmentID";
// - VR: the first "Ont Soft..." value (the software version).
// Newer firmware prints "Ont MAC" inside GPON records as well, and no firmware
// prints "Ont Model" in GPON records: searching for those labels across the
// whole answer instead would type a GPON ONT as EPON with its MAC and run
// into the next record.
QList<UnauthorisedOnt> parseAutofind(QStringView listing);

// A GPON value "4857544311E70E9A (HWTC-11E70E9A)" shortened to its 16
// characters; values of up to 14 characters stay as they are.
QString shortenSerial(const QString &mac);

// The place of an ONT as the add form holds it.
struct OntPlace
{
    QString frame;   // frame
    QString slot;  // slot
    QString port;

    friend bool operator==(const OntPlace &, const OntPlace &) = default;
};

// A port text split at its "/" characters: frame before the first, slot
// between the first and the second, port after the second. A text without
// "/" is all port.
OntPlace splitPlace(QStringView port);

// isWaitingUnauthorised's key: the MAC/SN followed directly
// by frame/slot/port.
QString unauthorisedKey(const UnauthorisedOnt &ont);

inline constexpr QLatin1StringView kAutofindCommand{"display ont autofind all"};

} // namespace tervix::core
