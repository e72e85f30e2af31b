#include "core/service_templates.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tervix::core;

namespace {

// Row 1 on VLAN 1010 (GEM 100, user VLAN 1010, IGMP off), rows 2-4 off.
TemplateValues internetOnly()
{
    TemplateValues v;
    v.name = QStringLiteral("Internet");
    v.lineProfile = QStringLiteral("10");
    v.serviceProfile = QStringLiteral("20");
    const char *const vlans[] = {"1010", "942", "945", "950"};
    for (int i = 0; i < kTemplateRows; ++i) {
        TemplateRow &r = v.rows[size_t(i)];
        r.enabled = i == 0;
        r.vlan = QString::fromLatin1(vlans[i]);
        r.userVlan = r.vlan;
        r.gemPort = QStringLiteral("100");
    }
    return v;
}

TEST(TemplateSettings, DisabledRowsStoreDashesButKeepTheirGemPort)
{
    EXPECT_EQ(templateSettings(internetOnly().rows),
              QStringLiteral("-1;-;1010;0;0;100;1010;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^"));
}

TEST(TemplateSettings, ReadBackGivesEveryRowWithDashesForDisabledOnes)
{
    TemplateValues v = internetOnly();
    v.rows[1].enabled = true;
    v.rows[1].nativeVlan = true;
    v.rows[1].igmp = true;
    v.rows[1].userVlan = QStringLiteral("4000");
    const auto rows = templateRows(templateSettings(v.rows));
    ASSERT_TRUE(rows[0] && rows[1] && rows[2] && rows[3]);
    EXPECT_EQ(*rows[0], v.rows[0]);
    EXPECT_EQ(*rows[1], v.rows[1]);
    // A disabled row comes back with "-" where the add form gets its VLANs.
    EXPECT_EQ(*rows[3], (TemplateRow{false, QStringLiteral("-"), QStringLiteral("100"), false, false, QStringLiteral("-")}));
}

TEST(TemplateSettings, GroupsThatAreMissingGiveNoRow)
{
    const auto rows = templateRows(QStringLiteral("-1;-;300;-1;0;7;;^"));
    ASSERT_TRUE(rows[0].has_value());
    EXPECT_EQ(rows[0]->userVlan, QStringLiteral("300")); // an empty user VLAN is the VLAN
    EXPECT_TRUE(rows[0]->nativeVlan);
    EXPECT_FALSE(rows[1] || rows[2] || rows[3]);
}

// ---- The template file --------------------------------------------------------

TEST(TemplateFile, WrittenThenReadGivesTheSameTemplatesAndTheSameBytes)
{
    const std::vector<ServiceTemplate> list{
        makeServiceTemplate(internetOnly()),
        ServiceTemplate{QString(), QStringLiteral("Telewizja żółć (G.PON)"), QStringLiteral("-1;-;942;0;-1;100;942;^"),
                        QString(), QString()},
        ServiceTemplate{QStringLiteral("x"), QStringLiteral("Internet + TV (E/G.PON)"),
                        templateSettings(internetOnly().rows), QStringLiteral("1"), QString()},
    };
    const QByteArray bytes = templateFileBytes(list);
    const auto read = parseTemplateFile(bytes);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, list);
    EXPECT_EQ(templateFileBytes(*read), bytes);
}

TEST(TemplateFile, AnEmptyListIsAFileToo)
{
    const auto read = parseTemplateFile(templateFileBytes({}));
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->empty());
}

TEST(TemplateFile, TakesLineFeedsAndAByteOrderMark)
{
    const auto read = parseTemplateFile(QByteArray("\xEF\xBB\xBF^!\n^!A^!-1;-;5;0;0;1;5;^^!^!^!*^\n"));
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ(read->front().name, QStringLiteral("A"));
    EXPECT_EQ(read->front().settings, QStringLiteral("-1;-;5;0;0;1;5;^"));
}

struct ForeignFileCase
{
    const char *name;
    QByteArray bytes;
};

class ForeignTemplateFile : public ::testing::TestWithParam<ForeignFileCase>
{};

// What the console did not write is not read as an empty list: saving over it
// would lose it.
TEST_P(ForeignTemplateFile, IsNotReadAsTemplates)
{
    EXPECT_FALSE(parseTemplateFile(GetParam().bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ForeignTemplateFile,
    ::testing::Values(
        ForeignFileCase{"Empty", QByteArray()},
        ForeignFileCase{"ListControlSnapshot", QByteArray("TPF0\x0b" "TListView\x05" "Items\x00\x01\x02", 23)},
        ForeignFileCase{"NotUtf8", QByteArray("^!\r\n^!Profil \xb9^!-1;^!^!^!*^\r\n")},
        ForeignFileCase{"NoOpeningLine", QByteArray("^!A^!s^!1^!2^!*^\r\n")},
        ForeignFileCase{"RecordNotClosed", QByteArray("^!\r\n^!A^!s^!1^!2^!\r\n")},
        ForeignFileCase{"FourFields", QByteArray("^!\r\n^!A^!s^!1^!*^\r\n")},
        ForeignFileCase{"SixFields", QByteArray("^!\r\n^!A^!s^!1^!2^!3^!*^\r\n")},
        ForeignFileCase{"BlankLineBetween", QByteArray("^!\r\n^!A^!s^!1^!2^!*^\r\n\r\n^!B^!s^!1^!2^!*^\r\n")},
        ForeignFileCase{"TornLastRecord", QByteArray("^!\r\n^!A^!s^!1^!2^!*^\r\n^!B^!s^!")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TemplateFile, NameIsProfiPlusTheOltKey)
{
    EXPECT_EQ(templateFileName(QStringLiteral("021NKE10A1234")), QStringLiteral("profi021NKE10A1234.ph"));
}

// ---- Checks -------------------------------------------------------------------

struct CheckCase
{
    const char *name;
    std::function<void(TemplateValues &)> change;
    std::optional<FieldRef> refused; // nothing: accepted
};

class TemplateCheck : public ::testing::TestWithParam<CheckCase>
{};

TEST_P(TemplateCheck, RefusesTheFirstBadFieldOnly)
{
    TemplateValues v = internetOnly();
    GetParam().change(v);
    const std::optional<FormError> e = checkTemplateValues(v);
    if (!GetParam().refused) {
        EXPECT_FALSE(e.has_value()) << e->message.toStdString();
        return;
    }
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->field, *GetParam().refused);
    EXPECT_FALSE(e->message.isEmpty());
}

TemplateRow &row(TemplateValues &v, int i)
{
    return v.rows[size_t(i)];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateCheck,
    ::testing::Values(
        CheckCase{"AsTheFormStartsOut", [](TemplateValues &) {}, std::nullopt},
        CheckCase{"PolishName", [](TemplateValues &v) { v.name = QStringLiteral("Światłowód żółty"); }, std::nullopt},
        CheckCase{"EmptyProfiles", [](TemplateValues &v) { v.lineProfile.clear(); v.serviceProfile.clear(); }, std::nullopt},
        CheckCase{"VlanLimits", [](TemplateValues &v) { row(v, 0).vlan = QStringLiteral("1"); row(v, 0).userVlan = QStringLiteral("4094"); }, std::nullopt},
        CheckCase{"DisabledRowVlanIsNotStored", [](TemplateValues &v) { row(v, 2).vlan = QStringLiteral("abc"); row(v, 2).userVlan.clear(); }, std::nullopt},
        CheckCase{"DisabledRowWithoutGemPort", [](TemplateValues &v) { row(v, 3).gemPort.clear(); }, std::nullopt},
        CheckCase{"SiblingSeparatorInName", [](TemplateValues &v) { v.name = QStringLiteral("Internet&^TV"); }, FieldRef{Field::Name}},
        CheckCase{"AmpersandInName", [](TemplateValues &v) { v.name = QStringLiteral("Internet & TV"); }, FieldRef{Field::Name}},
        CheckCase{"CaretInName", [](TemplateValues &v) { v.name = QStringLiteral("TV^"); }, FieldRef{Field::Name}},
        CheckCase{"EmptyName", [](TemplateValues &v) { v.name = QStringLiteral("  "); }, FieldRef{Field::Name}},
        CheckCase{"LineBreakInName", [](TemplateValues &v) { v.name = QStringLiteral("A\nB"); }, FieldRef{Field::Name}},
        CheckCase{"QuoteInName", [](TemplateValues &v) { v.name = QStringLiteral("\"TV\""); }, FieldRef{Field::Name}},
        CheckCase{"LineProfileWithWords", [](TemplateValues &v) { v.lineProfile = QStringLiteral("10 desc x"); }, FieldRef{Field::LineProfile}},
        CheckCase{"ServiceProfileWithSeparator", [](TemplateValues &v) { v.serviceProfile = QStringLiteral("1^!"); }, FieldRef{Field::SrvProfile}},
        CheckCase{"VlanZero", [](TemplateValues &v) { row(v, 0).vlan = QStringLiteral("0"); }, FieldRef{Field::Vlan, 0}},
        CheckCase{"VlanReserved", [](TemplateValues &v) { row(v, 0).vlan = QStringLiteral("4095"); }, FieldRef{Field::Vlan, 0}},
        CheckCase{"VlanEmpty", [](TemplateValues &v) { row(v, 0).vlan.clear(); }, FieldRef{Field::Vlan, 0}},
        CheckCase{"VlanWithSeparator", [](TemplateValues &v) { row(v, 0).vlan = QStringLiteral("10;^"); }, FieldRef{Field::Vlan, 0}},
        CheckCase{"VlanOfALaterRow", [](TemplateValues &v) { row(v, 3).enabled = true; row(v, 3).vlan = QStringLiteral("12 34"); }, FieldRef{Field::Vlan, 3}},
        CheckCase{"GemPortTooHigh", [](TemplateValues &v) { row(v, 0).gemPort = QStringLiteral("1024"); }, FieldRef{Field::Gemport, 0}},
        CheckCase{"GemPortEmptyOnAnEnabledRow", [](TemplateValues &v) { row(v, 0).gemPort.clear(); }, FieldRef{Field::Gemport, 0}},
        CheckCase{"GemPortOfADisabledRow", [](TemplateValues &v) { row(v, 1).gemPort = QStringLiteral("1;^"); }, FieldRef{Field::Gemport, 1}},
        CheckCase{"UserVlanTooHigh", [](TemplateValues &v) { row(v, 0).userVlan = QStringLiteral("5000"); }, FieldRef{Field::UserVlan, 0}},
        CheckCase{"UserVlanDash", [](TemplateValues &v) { row(v, 0).userVlan = QStringLiteral("-"); }, FieldRef{Field::UserVlan, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TemplateNames, ADuplicateIsFoundIgnoringItselfAndSurroundingSpaces)
{
    std::vector<ServiceTemplate> list(3);
    list[0].name = QStringLiteral("Internet");
    list[1].name = QStringLiteral("TV");
    list[2].name = QStringLiteral("Internet 2");
    EXPECT_EQ(findTemplateName(list, QStringLiteral("TV")), 1);
    EXPECT_EQ(findTemplateName(list, QStringLiteral(" Internet ")), 0);
    EXPECT_EQ(findTemplateName(list, QStringLiteral("TV"), 1), -1);
    EXPECT_EQ(findTemplateName(list, QStringLiteral("tv")), -1);
}

TEST(TemplateNames, TheChooserStartsWithThePlaceholder)
{
    std::vector<ServiceTemplate> list(2);
    list[0].name = QStringLiteral("A");
    list[1].name = QStringLiteral("B");
    EXPECT_EQ(chooserEntries(list), (QStringList{QStringLiteral("-WYBIERZ PROFIL USLUGOWY-"), QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(chooserEntries({}), QStringList{QStringLiteral("-WYBIERZ PROFIL USLUGOWY-")});
}

// ---- The names messages for the sibling program ----------------------------------

struct MessagesCase
{
    const char *name;
    QStringList names;
    QStringList messages;
};

class TemplateNamesMessages : public ::testing::TestWithParam<MessagesCase>
{};

TEST_P(TemplateNamesMessages, GoOutInGroupsOfFive)
{
    EXPECT_EQ(templateNamesMessages(QStringLiteral("H"), GetParam().names), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateNamesMessages,
    ::testing::Values(
        MessagesCase{"Seven", {"A", "B", "C", "D", "E", "F", "G"},
                     {"d2s&^H&^&^", "d2&^H&^&^0:A&^1:B&^2:C&^3:D&^4:E&^", "d2e&^H&^&^5:F&^6:G&^"}},
        MessagesCase{"Five", {"A", "B", "C", "D", "E"},
                     {"d2s&^H&^&^", "d2&^H&^&^0:A&^1:B&^2:C&^3:D&^4:E&^", "d2e&^H&^&^"}},
        MessagesCase{"One", {"Internet + TV"}, {"d2s&^H&^&^", "d2e&^H&^&^0:Internet + TV&^"}},
        MessagesCase{"None", {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
