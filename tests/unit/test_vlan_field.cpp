#include "core/vlan_field.h"

#include <gtest/gtest.h>

#include <QStringList>

using tervix::core::dekoduj_vlan;
using tervix::core::Tvlan_ont;

namespace {

// The seven values of each of the four groups, joined by "|" per group.
QStringList groups(const Tvlan_ont &r)
{
    QStringList out;
    for (int g = 0; g < Tvlan_ont::kGroups; ++g) {
        QStringList v;
        for (const QString *s : r.grupa(g))
            v << *s;
        out << v.join(u'|');
    }
    return out;
}

struct DecodeCase
{
    const char *name;
    const char *field;
    QStringList expected;
};

const QString kNone = QStringLiteral("||||||");

class VlanDecode : public ::testing::TestWithParam<DecodeCase>
{};

TEST_P(VlanDecode, GivesTheGroupValues)
{
    const DecodeCase &c = GetParam();
    const Tvlan_ont r = dekoduj_vlan(Tvlan_ont{}, QString::fromUtf8(c.field), true);
    EXPECT_EQ(groups(r), c.expected);
    EXPECT_TRUE(r.vln_zakodowane.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, VlanDecode,
    ::testing::Values(
        DecodeCase{"EnabledAndDisabledGroups", "-1;12;1010;0;-1;100;1010;^0;13;-;0;0;100;-;^",
                   {QStringLiteral("-1|12|1010|0|-1|100|1010"), QStringLiteral("0|13|-|0|0|100|-"), kNone, kNone}},
        DecodeCase{"SixValueGroupFromTheImport", "-1;20;300;?;0;100;^",
                   {QStringLiteral("-1|20|300|?|0|100|300"), kNone, kNone, kNone}},
        DecodeCase{"SixAndSevenValueGroupsMixed", "-1;20;300;?;0;100;^-1;21;400;-1;0;101;77;^-1;22;500;0;-1;102;^",
                   {QStringLiteral("-1|20|300|?|0|100|300"), QStringLiteral("-1|21|400|-1|0|101|77"),
                    QStringLiteral("-1|22|500|0|-1|102|500"), kNone}},
        DecodeCase{"DashUserVlanTakesTheVlanId", "-1;5;600;0;0;9;-;^",
                   {QStringLiteral("-1|5|600|0|0|9|600"), kNone, kNone, kNone}},
        DecodeCase{"FourGroups",
                   "-1;1;10;0;0;1;11;^-1;2;20;0;0;2;22;^-1;3;30;0;0;3;33;^-1;4;40;0;0;4;44;^",
                   {QStringLiteral("-1|1|10|0|0|1|11"), QStringLiteral("-1|2|20|0|0|2|22"),
                    QStringLiteral("-1|3|30|0|0|3|33"), QStringLiteral("-1|4|40|0|0|4|44")}},
        DecodeCase{"EmptyText", "", {kNone, kNone, kNone, kNone}},
        DecodeCase{"GroupCutShortLosesTheUnendedValue", "-1;12;1010", {QStringLiteral("-1|12|||||"), kNone, kNone, kNone}}),
    [](const auto &info) { return std::string(info.param.name); });

struct RoundTrip
{
    const char *field;
    const char *encoded;
};

class VlanRoundTrip : public ::testing::TestWithParam<RoundTrip>
{};

TEST_P(VlanRoundTrip, EncodingADecodedFieldGivesItBack)
{
    const RoundTrip &c = GetParam();
    const Tvlan_ont decoded = dekoduj_vlan(Tvlan_ont{}, QString::fromUtf8(c.field), true);
    const Tvlan_ont encoded = dekoduj_vlan(decoded, QString(), false);
    EXPECT_EQ(encoded.vln_zakodowane, QString::fromUtf8(c.encoded));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, VlanRoundTrip,
    ::testing::Values(RoundTrip{"-1;12;1010;0;-1;100;1010;^", "-1;12;1010;0;-1;100;1010;^"},
                      RoundTrip{"-1;1;10;0;0;1;11;^-1;2;20;-1;0;2;22;^0;3;-;0;0;3;-;^-1;4;40;0;-1;4;44;^",
                                "-1;1;10;0;0;1;11;^-1;2;20;-1;0;2;22;^0;3;-;0;0;3;-;^-1;4;40;0;-1;4;44;^"},
                      // A "-" user VLAN comes back as the group's VLAN id.
                      RoundTrip{"-1;7;300;0;0;5;-;^", "-1;7;300;0;0;5;300;^"},
                      // Six-value groups gain their user VLAN.
                      RoundTrip{"-1;20;300;?;0;100;^", "-1;20;300;?;0;100;300;^"},
                      RoundTrip{"", ""}));

TEST(VlanEncode, DropsGroupsWithoutVlanIdAndKeepsDashVlans)
{
    Tvlan_ont r;
    r.vln_act = QStringLiteral("-1");
    r.vln_serviceport = QStringLiteral("12");
    r.vln_id = QStringLiteral("1010");
    r.vln_native = QStringLiteral("0");
    r.vln_igmp = QStringLiteral("-1");
    r.vln_gemport = QStringLiteral("100");
    // Group 2 has everything but its VLAN id: dropped.
    r.vln2_act = QStringLiteral("-1");
    r.vln2_serviceport = QStringLiteral("13");
    r.vln2_gemport = QStringLiteral("100");
    // Group 3 is a disabled row written with "-".
    r.vln3_act = QStringLiteral("0");
    r.vln3_serviceport = QStringLiteral("-");
    r.vln3_id = QStringLiteral("-");
    r.vln3_native = QStringLiteral("0");
    r.vln3_igmp = QStringLiteral("0");
    r.vln3_gemport = QStringLiteral("-");

    const Tvlan_ont e = dekoduj_vlan(r, QString(), false);
    EXPECT_EQ(e.vln_zakodowane, QStringLiteral("-1;12;1010;0;-1;100;1010;^0;-;-;0;0;-;-;^"));
    EXPECT_EQ(e.vln_user_id, QStringLiteral("1010"));
    EXPECT_EQ(e.vln3_user_id, QStringLiteral("-"));
}

} // namespace
