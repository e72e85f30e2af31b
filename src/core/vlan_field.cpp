#include "core/vlan_field.h"

#include "core/scanner.h"

namespace tervix::core {

namespace {
constexpr int kUserVlan = 6;
constexpr int kVlanId = 2;

void applyUserVlanDefault(Tvlan_ont &r)
{
    for (int g = 0; g < Tvlan_ont::kGroups; ++g) {
        auto v = r.grupa(g);
        if (v[kUserVlan]->isEmpty() || *v[kUserVlan] == u"-")
            *v[kUserVlan] = *v[kVlanId];
    }
}
} // namespace

std::array<QString *, Tvlan_ont::kValues> Tvlan_ont::grupa(int g)
{
    switch (g) {
    case 0:
        return {&vln_act, &vln_serviceport, &vln_id, &vln_native, &vln_igmp, &vln_gemport, &vln_user_id};
    case 1:
        return {&vln2_act, &vln2_serviceport, &vln2_id, &vln2_native, &vln2_igmp, &vln2_gemport, &vln2_user_id};
    case 2:
        return {&vln3_act, &vln3_serviceport, &vln3_id, &vln3_native, &vln3_igmp, &vln3_gemport, &vln3_user_id};
    default:
        return {&vln4_act, &vln4_serviceport, &vln4_id, &vln4_native, &vln4_igmp, &vln4_gemport, &vln4_user_id};
    }
}

std::array<const QString *, Tvlan_ont::kValues> Tvlan_ont::grupa(int g) const
{
    auto v = const_cast<Tvlan_ont *>(this)->grupa(g);
    std::array<const QString *, kValues> out{};
    for (int i = 0; i < kValues; ++i)
        out[i] = v[i];
    return out;
}

Tvlan_ont dekoduj_vlan(const Tvlan_ont &dek_zakoduj, const QString &dek_dane, bool dek_odkoduj)
{
    if (dek_odkoduj) {
        Tvlan_ont r;
        Scanner s(dek_dane);
        for (int g = 0; g < Tvlan_ont::kGroups; ++g) {
            auto v = r.grupa(g);
            // The first six values are always there; the user VLAN only when
            // something stands before the group's end.
            for (int i = 0; i < kUserVlan; ++i)
                *v[i] = s.takeBefore(u";");
            if (!s.before(u"^").isEmpty())
                *v[kUserVlan] = s.before(u";");
            s.cutThrough(u"^");
        }
        applyUserVlanDefault(r);
        return r;
    }

    Tvlan_ont r = dek_zakoduj;
    applyUserVlanDefault(r);
    QString out;
    for (int g = 0; g < Tvlan_ont::kGroups; ++g) {
        auto v = r.grupa(g);
        if (v[kVlanId]->isEmpty())
            continue;
        for (int i = 0; i < Tvlan_ont::kValues; ++i) {
            out += *v[i];
            out += u';';
        }
        out += u'^';
    }
    r.vln_zakodowane = out;
    return r;
}

QString zamien_dane(bool zaz_zamien, const QString &zaz_stary, const QString &zaz_nowy)
{
    return zaz_zamien ? zaz_stary : zaz_nowy;
}

} // namespace tervix::core
