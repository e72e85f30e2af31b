#include "core/catv_attribute.h"
#include "core/column_widths.h"
#include "core/ont_record.h"
#include "core/ont_list_texts.h"
#include "test_paths.h"

#include <gtest/gtest.h>

using namespace tervix::core;

namespace {

struct ColourCase
{
    const char *name;
    const char *active;
    const char *gepon;
    int image;
    unsigned text;
    std::optional<unsigned> background;
};

class BasicViewColours : public ::testing::TestWithParam<ColourCase>
{};

TEST_P(BasicViewColours, FollowTheRowsStateAndSignalClass)
{
    const ColourCase &c = GetParam();
    const BasicCellColours k =
        basicCellColours(QString::fromUtf8(c.active), QString::fromUtf8(c.gepon), c.image);
    EXPECT_EQ(k.text, c.text);
    EXPECT_EQ(k.background, c.background);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BasicViewColours,
    ::testing::Values(
        ColourCase{"DisabledIsGreyOnBlackWhateverItsSignal", "1", "G.PON\nCritical\n-29 -31", 2, 0xC0C0C0, 0x000000},
        ColourCase{"DisabledOfflineNormal", "1", "G.PON\nNormal\noff", 3, 0xC0C0C0, 0x000000},
        ColourCase{"OnlyExactlyOneMeansDisabled", " 1", "G.PON\nNormal", 2, 0x000000, 0xAEFFAE},
        ColourCase{"Normal", "0", "G.PON\nNormal\nONT: -21 OLT: -24", 2, 0x000000, 0xAEFFAE},
        ColourCase{"Bad", "0", "G.PON\nBad\nONT: -27 OLT: -28", 2, 0x000000, 0xD7B0B0},
        ColourCase{"CriticalOnline", "0", "G.PON\nCritical\nONT: -30 OLT: -31", 2, 0x000000, 0xFF9797},
        ColourCase{"CriticalOffline", "0", "G.PON\nCritical\nONT: -30 OLT: -31", 3, 0x000000, 0xD6D6D6},
        ColourCase{"NormalAndOffIsGrey", "0", "G.PON\nNormal\noff", 2, 0x000000, 0xD6D6D6},
        ColourCase{"CheckingKeepsTheViewsBackground", "0", "G.PON\nChecking signal..\nONT: ? OLT: ?", -1, 0x000000,
                   std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ColumnWidths, ABadEntryStopsEveryLaterColumn)
{
    struct Case
    {
        QString text;
        QList<std::optional<int>> widths;
    };
    const auto none = std::optional<int>();
    const Case cases[] = {
        {QStringLiteral("30;47;x;24;"), {30, 47, none, none, none, none, none, none, none, none, none, none, none, none}},
        {QStringLiteral("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {QStringLiteral("50;60;"), {50, 60, none, none, none, none, none, none, none, none, none, none, none, none}},
        {QString(), QList<std::optional<int>>(14, none)},
        {QStringLiteral(";40;"), QList<std::optional<int>>(14, none)},
        {QStringLiteral("-5;40;"), {none, 40, none, none, none, none, none, none, none, none, none, none, none, none}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseColumnWidths(c.text, Column::Count), c.widths) << qPrintable(c.text);
}

TEST(ColumnWidths, WrittenWidthsReadBack)
{
    const QList<int> widths{40, 60, 40, 40, 40, 50, 180, 140, 75, 75, 280, 90, 1, 0};
    const QString text = columnWidthsText(widths);
    EXPECT_EQ(text, QStringLiteral("40;60;40;40;40;50;180;140;75;75;280;90;1;0;"));
    QList<std::optional<int>> back;
    for (int w : widths)
        back << w;
    EXPECT_EQ(parseColumnWidths(text, Column::Count), back);
}

TEST(WindowCaption, AnEarlierAddressIsReplaced)
{
    struct Case
    {
        QString caption, name, result;
    };
    const Case cases[] = {
        {QStringLiteral("Tervix 0.1.26"), QStringLiteral("10.0.0.1"), QStringLiteral("Tervix 0.1.26 #.10.0.0.1")},
        {QStringLiteral("Tervix 0.1.26 #.10.0.0.1"), QStringLiteral("10.0.0.2"),
         QStringLiteral("Tervix 0.1.26 #.10.0.0.2")},
        {QStringLiteral("Tervix 0.1.26 #."), QStringLiteral("olt-b"), QStringLiteral("Tervix 0.1.26 #.olt-b")},
        {QStringLiteral("Tervix #.a #.b"), QStringLiteral("c"), QStringLiteral("Tervix #.c")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(captionWithSuffix(c.caption, c.name), c.result) << qPrintable(c.caption);
}

TEST(ListCaption, PrefixCountAndTrailingSpace)
{
    EXPECT_EQ(listCaption(kDefaultListCaptionPrefix, 57), QStringLiteral("Autoryzowane koncowki: 57 "));
    EXPECT_EQ(listCaption(QStringLiteral("Authorised ONTs:"), 0), QStringLiteral("Authorised ONTs: 0 "));
}

TEST(CatvAttribute, TwoValuesBeforeTheirSemicolons)
{
    struct Case
    {
        QString text, catv, port;
    };
    const Case cases[] = {
        {QStringLiteral("-1;4;^"), QStringLiteral("-1"), QStringLiteral("4")},
        {QStringLiteral("0;1;^"), QStringLiteral("0"), QStringLiteral("1")},
        {QStringLiteral("-1;48"), QStringLiteral("-1"), QString()},
        {QStringLiteral("garbage"), QString(), QString()},
        {QString(), QString(), QString()},
    };
    for (const Case &c : cases) {
        const CatvAttribute a = parseCatvAttribute(c.text);
        EXPECT_EQ(a.catv, c.catv) << qPrintable(c.text);
        EXPECT_EQ(a.catvPort, c.port) << qPrintable(c.text);
    }
}

TEST(SaveReminder, FoundInTheOltsLogoutText)
{
    const QString logout = tervix::test::readSample(QStringLiteral("DOC_smart_prompt_and_logout__netmiko_issue609.txt"));
    ASSERT_FALSE(logout.isEmpty());
    EXPECT_TRUE(isSaveReminder(logout));
    EXPECT_TRUE(isSaveReminder(QStringLiteral("PLEASE SAVE DATA BEFORE LOGOUT")));
    EXPECT_FALSE(isSaveReminder(tervix::test::readSample(QStringLiteral("display_board__ntc1.txt"))));
    EXPECT_FALSE(isSaveReminder(QStringLiteral("save data  before")));
}

} // namespace
