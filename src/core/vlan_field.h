#pragma once

#include <QString>

#include <array>

namespace tervix::core {

// An ONT's up to four service ports, as kept in the list column
// "ServicePort/VLAN/U-TAG/IGMP" and in the data file. The stored text is up to
// four groups "act;serviceport;vlan;native;igmp;gemport;uservlan;^" (the import
// writes groups without the user VLAN); the record holds the text and the
// seven values of each group.
struct Tvlan_ont
{
    QString vln_zakodowane;

    QString vln_act, vln_serviceport, vln_id, vln_native, vln_igmp, vln_gemport, vln_user_id;
    QString vln2_act, vln2_serviceport, vln2_id, vln2_native, vln2_igmp, vln2_gemport, vln2_user_id;
    QString vln3_act, vln3_serviceport, vln3_id, vln3_native, vln3_igmp, vln3_gemport, vln3_user_id;
    QString vln4_act, vln4_serviceport, vln4_id, vln4_native, vln4_igmp, vln4_gemport, vln4_user_id;

    static constexpr int kGroups = 4;
    static constexpr int kValues = 7;
    // The values of group g (0..3) in stored order: act, service port, VLAN id,
    // native, IGMP, GEM port, user VLAN.
    std::array<QString *, kValues> grupa(int g);
    std::array<const QString *, kValues> grupa(int g) const;

    friend bool operator==(const Tvlan_ont &, const Tvlan_ont &) = default;
};

// dekoduj_vlan: with dek_odkoduj true, decodes dek_dane (the result's
// vln_zakodowane stays empty); with false, encodes dek_zakoduj into
// vln_zakodowane. Both give every group an empty or "-" user VLAN the group's
// VLAN id. Encoding leaves out the groups whose VLAN id is empty.
Tvlan_ont dekoduj_vlan(const Tvlan_ont &dek_zakoduj, const QString &dek_dane, bool dek_odkoduj);

// zamien_dane: zaz_stary when zaz_zamien holds, else zaz_nowy.
QString zamien_dane(bool zaz_zamien, const QString &zaz_stary, const QString &zaz_nowy);

} // namespace tervix::core
