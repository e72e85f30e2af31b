#include "core/service_port_field.h"

#include "core/scanner.h"

namespace tervix::core {

namespace {
constexpr int kUserVlan = 6;
} // namespace

std::array<QString *, ServicePortSlot::kValues> ServicePortSlot::values()
{
    return {&active, &index, &vlanId, &nativeVlan, &igmp, &gemPort, &userVlan};
}

std::array<const QString *, ServicePortSlot::kValues> ServicePortSlot::values() const
{
    return {&active, &index, &vlanId, &nativeVlan, &igmp, &gemPort, &userVlan};
}

QString effectiveUserVlan(const ServicePortSlot &slot)
{
    return slot.userVlan.isEmpty() || slot.userVlan == u"-" ? slot.vlanId : slot.userVlan;
}

ServicePortField decodeServicePortField(const QString &stored)
{
    ServicePortField field;
    Scanner s(stored);
    for (ServicePortSlot &slot : field.slots) {
        auto v = slot.values();
        // The first six values are always there; the user VLAN only when
        // something stands before the group's end.
        for (int i = 0; i < kUserVlan; ++i)
            *v[i] = s.takeBefore(u";");
        if (!s.before(u"^").isEmpty())
            *v[kUserVlan] = s.before(u";");
        s.cutThrough(u"^");
        slot.userVlan = effectiveUserVlan(slot);
    }
    return field;
}

QString encodeServicePortField(const ServicePortField &field)
{
    QString out;
    for (ServicePortSlot slot : field.slots) {
        if (slot.vlanId.isEmpty())
            continue;
        slot.userVlan = effectiveUserVlan(slot);
        for (const QString *v : slot.values()) {
            out += *v;
            out += u';';
        }
        out += u'^';
    }
    return out;
}

} // namespace tervix::core
