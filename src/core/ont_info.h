#pragma once

#include <QLatin1StringView>
#include <QList>
#include <QString>

#include <optional>

namespace tervix::core {

// What "display ont info P ID" tells about one ONT. Each value is the text the
// OLT printed after the field's label, lower-cased (run state "online",
// "offline", ...).
struct OntInfo
{
    QString runState, distance, lastDownCause, lastUpTime, lastDownTime, onlineDuration, lineProfile, serviceProfile;
    bool operator==(const OntInfo &) const = default;
};

// Reads the fields of an answer to "display ont info P ID". Never fails: a
// field whose label is missing gets whatever text the reading rule finds.
OntInfo parseOntInfo(const QString &answer);

// The three joined answers of a diagnosis run: service ports, MAC addresses,
// optical levels, separated by the markers below (the controller builds this
// text; each marker stands on a line of its own).
inline constexpr QLatin1StringView kAddressesMarker{"<-adresy->"};
inline constexpr QLatin1StringView kOpticsMarker{"<-moc-optyczna->"};
inline constexpr QLatin1StringView kEndMarker{"<-koniec->"};

struct OntServicePortRow
{
    QString state;
    bool up = false; // the state says "up"
    QString index;
    QString vlan;
    bool operator==(const OntServicePortRow &) const = default;
};

struct OntMacRow
{
    QString vlan;
    QString mac;
    bool operator==(const OntMacRow &) const = default;
};

struct OntOptics
{
    QString ontRx, ontTx, oltRx, bias, temperature;
    // The OLT gave no levels (it answered "Failure:", typically because the
    // ONT is offline, or the optical answer is missing): every value is "off".
    bool failed = false;
    bool operator==(const OntOptics &) const = default;
};

struct OntDiagnosis
{
    QList<OntServicePortRow> servicePorts;
    QList<OntMacRow> macs;
    OntOptics optics;
    bool operator==(const OntDiagnosis &) const = default;
};

// Reads the joined answers. frameSlot ("0/1") picks the table rows of the
// ONT's slot; ponType ("gpon" or "epon") is the word that marks a MAC row.
// Table rows are read only between a table's header and its "Total" line.
OntDiagnosis parseOntDiagnosis(const QString &joined, const QString &frameSlot, const QString &ponType);

// Whether the optical part of a joined text is complete: holds the
// temperature line or the OLT's "Failure:". False while the optical marker
// has not been appended yet.
bool opticsComplete(const QString &joined);

// A level text as a gauge position: "." or "," as the decimal separator,
// rounded half to even (-19.95 -> -20, -18.5 -> -18, 2.5 -> 2). No number
// ("off", "?", "") gives std::nullopt: the panel then shows the gauge at its
// minimum, not at the position of a level of 0.
std::optional<int> signalLevel(const QString &level);

} // namespace tervix::core
