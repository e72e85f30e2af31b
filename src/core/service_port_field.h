#pragma once

#include <QString>

#include <array>

namespace tervix::core {

// One of an ONT's up to four service ports as the list keeps it: one group
// "act;serviceport;vlan;native;igmp;gemport;uservlan;^" of the stored field
// (the import writes groups without the user VLAN).
struct ServicePortSlot
{
    QString active;     // "-1" on, "0" off
    QString index;      // the OLT's service-port index, "-" when off
    QString vlanId;
    QString nativeVlan; // "-1" / "0"
    QString igmp;       // "-1" / "0"
    QString gemPort;
    QString userVlan;

    static constexpr int kValues = 7;
    // The values in stored order.
    std::array<QString *, kValues> values();
    std::array<const QString *, kValues> values() const;

    friend bool operator==(const ServicePortSlot &, const ServicePortSlot &) = default;
};

// The four slots of the list column "ServicePort/VLAN/U-TAG/IGMP".
struct ServicePortField
{
    static constexpr int kSlots = 4;
    std::array<ServicePortSlot, kSlots> slots;

    friend bool operator==(const ServicePortField &, const ServicePortField &) = default;
};

// The slots of a stored field. Every slot with an empty or "-" user VLAN gets
// its VLAN id; a group cut short loses the value that has no ";" after it.
ServicePortField decodeServicePortField(const QString &stored);

// The stored text of the slots that have a VLAN id, each with an empty or "-"
// user VLAN replaced by its VLAN id.
QString encodeServicePortField(const ServicePortField &field);

// The user VLAN a slot is stored with: its own, or its VLAN id when it has none.
QString effectiveUserVlan(const ServicePortSlot &slot);

} // namespace tervix::core
