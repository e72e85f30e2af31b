#include "core/service_port_field.h"

#include <gtest/gtest.h>

#include <QStringList>

using tervix::core::decodeServicePortField;
using tervix::core::encodeServicePortField;
using tervix::core::ServicePortField;

namespace {

// The seven values of each of the four groups, joined by "|" per group.
QStringList groups(const ServicePortField &f)
{
    QStringList out;
    for (const auto &slot : f.slots) {
        QStringList v;
        for (const QString *s : slot.values())
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
    EXPECT_EQ(groups(decodeServicePortField(QString::fromUtf8(c.field))), c.expected);
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
    EXPECT_EQ(encodeServicePortField(decodeServicePortField(QString::fromUtf8(c.field))), QString::fromUtf8(c.encoded));
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
    ServicePortField f;
    f.slots[0] = {QStringLiteral("-1"), QStringLiteral("12"), QStringLiteral("1010"), QStringLiteral("0"),
                  QStringLiteral("-1"), QStringLiteral("100"), QString()};
    // Slot 2 has everything but its VLAN id: dropped.
    f.slots[1].active = QStringLiteral("-1");
    f.slots[1].index = QStringLiteral("13");
    f.slots[1].gemPort = QStringLiteral("100");
    // Slot 3 is a disabled row written with "-".
    f.slots[2] = {QStringLiteral("0"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("0"),
                  QStringLiteral("0"), QStringLiteral("-"), QString()};

    EXPECT_EQ(encodeServicePortField(f), QStringLiteral("-1;12;1010;0;-1;100;1010;^0;-;-;0;0;-;-;^"));
}

} // namespace
