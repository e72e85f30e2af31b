#include "core/free_ids_parser.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

using tervix::core::highestServicePort;
using tervix::core::proposeOntId;
using tervix::core::proposeServicePorts;

using tervix::test::crlf;

// "display ont info 0 1 0 all" with the given description rows.
QString portListing(const QStringList &descriptionRows)
{
    QString s = QStringLiteral("\r\ndisplay ont info 0 1 0 all\r\n"
                               "  -----------------------------------------------------------------------------\r\n"
                               "  F/S/P   ONT-ID   Description\r\n"
                               "  -----------------------------------------------------------------------------\r\n");
    for (const QString &r : descriptionRows)
        s += r + QStringLiteral("\r\n");
    s += QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                        "  In port 0/ 1/0 , the total of ONTs are: 3, online: 3\r\n"
                        "  -----------------------------------------------------------------------------\r\n"
                        "\r\nOLT(config)#");
    return s;
}

struct IdCase
{
    const char *name;
    QString answer;
    const char *slot;
    const char *port;
    std::optional<int> proposal;
};

void PrintTo(const IdCase &c, std::ostream *os)
{
    *os << c.name;
}

class NextOntId : public ::testing::TestWithParam<IdCase> {};

TEST_P(NextOntId, IsOneAboveTheLastListedId)
{
    const IdCase &c = GetParam();
    EXPECT_EQ(proposeOntId(c.answer, QString::fromLatin1(c.slot), QString::fromLatin1(c.port)), c.proposal);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextOntId,
    ::testing::Values(
        IdCase{"ntc1", crlf(tervix::test::readSample(QStringLiteral("display_ont_info_0__ntc1.txt"))), "1", "0", 31},
        IdCase{"ntc1_lf", tervix::test::readSample(QStringLiteral("display_ont_info_0__ntc1.txt")), "1", "0", 31},
        IdCase{"ntc2", crlf(tervix::test::readSample(QStringLiteral("display_ont_info_0__ntc2.txt"))), "2", "0", 16},
        IdCase{"ntc3", crlf(tervix::test::readSample(QStringLiteral("display_ont_info_0__ntc3.txt"))), "0", "0", 14},
        // Ids freed inside the range are not reused.
        IdCase{"ids_0_1_5",
               portListing({QStringLiteral("  0/ 1/0       0   flat 1"), QStringLiteral("  0/ 1/0       1   flat 2"),
                            QStringLiteral("  0/ 1/0       5   flat 3")}),
               "1", "0", 6},
        // A row whose description is empty ends with its id.
        IdCase{"id_ends_the_line", portListing({QStringLiteral("  0/ 1/0       7")}), "1", "0", 8},
        IdCase{"empty_port_failure", QStringLiteral("\r\n  Failure: The ONT does not exist\r\n\r\nOLT(config)#"), "1",
               "0", 1},
        IdCase{"empty_port_footer_only",
               QStringLiteral("  In port 0/ 1/0 , the total of ONTs are: 0, online: 0\r\n"), "1", "0", 1},
        IdCase{"no_number", portListing({QStringLiteral("  0/ 1/0       --  flat")}), "1", "0", std::nullopt},
        // A description may say "in port" in any case; only the port's closing
        // line, first on its line and followed by the place, ends the table.
        IdCase{"description_says_in_port",
               portListing({QStringLiteral("  0/ 1/0       0   flat 1"), QStringLiteral("  0/ 1/0       4   cable in port room"),
                            QStringLiteral("  0/ 1/0       5   flat 3")}),
               "1", "0", 6},
        IdCase{"description_says_In_port_like_the_footer",
               portListing({QStringLiteral("  0/ 1/0       2   flat 1"),
                            QStringLiteral("  0/ 1/0       9   In port 0/ 1/0 , the total of ONTs are: 1, online: 1")}),
               "1", "0", 10},
        IdCase{"footer_of_a_two_digit_port",
               QStringLiteral("  F/S/P   ONT-ID   Description\n  0/ 1/10      3   In Port B\n"
                              "  In port 0/ 1/10, the total of ONTs are: 1, online: 1\n"),
               "1", "10", 4},
        IdCase{"no_footer_no_table", QStringLiteral("  F/S/P   ONT-ID   Description\n  0/ 1/0       3   in port\n"), "1",
               "0", 1}),
    [](const ::testing::TestParamInfo<IdCase> &i) { return std::string(i.param.name); });

// Numbers the OLT cannot give are no numbers: the form shows "?" instead of
// an id or index the OLT would refuse (or a negative one, from an overflow).
TEST(NextOntIdLimits, StaysWithinTheOltsIds)
{
    const struct
    {
        const char *id;
        std::optional<int> proposal;
    } cases[] = {
        {"0", 1},
        {"254", 255},
        {"255", std::nullopt},
        {"256", std::nullopt},
        {"2147483647", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto &c : cases) {
        const QString row = QStringLiteral("  0/ 1/0  %1   flat").arg(QString::fromLatin1(c.id));
        EXPECT_EQ(proposeOntId(portListing({row}), QStringLiteral("1"), QStringLiteral("0")), c.proposal) << c.id;
    }
}

TEST(FreeServicePorts, StayWithinTheOltsIndexes)
{
    const struct
    {
        const char *name;
        const char *freeIndex;
        QString recorded;
        std::optional<std::array<int, 4>> fields;
    } cases[] = {
        {"last four from the OLT", "65532", {}, std::array{65532, 65533, 65534, 65535}},
        {"odd, raised to the last four", "65531", {}, std::array{65532, 65533, 65534, 65535}},
        {"four do not fit", "65533", {}, std::nullopt},
        {"last index", "65535", {}, std::nullopt},
        {"first beyond", "65536", {}, std::nullopt},
        {"largest int", "2147483647", {}, std::nullopt},
        {"longer than int", "99999999999999999999", {}, std::nullopt},
        {"negative", "-1", {}, std::nullopt},
        {"list raises to the last four", "7", QStringLiteral("-1;65531;1;^"), std::array{65532, 65533, 65534, 65535}},
        {"list leaves no four", "7", QStringLiteral("-1;65532;1;^"), std::nullopt},
        {"list holds the last index", "7", QStringLiteral("-1;65535;1;^"), std::nullopt},
        // A recorded index the OLT cannot hold cannot clash with one it gives.
        {"list beyond the range", "7", QStringLiteral("-1;65536;1;^"), std::array{8, 9, 10, 11}},
        {"list holds the largest int", "7", QStringLiteral("-1;2147483647;1;^"), std::array{8, 9, 10, 11}},
        {"list longer than int", "7", QStringLiteral("-1;99999999999;1;^"), std::array{8, 9, 10, 11}},
    };
    for (const auto &c : cases) {
        const QString answer = QStringLiteral("  Next valid free service virtual port ID: %1\r\n").arg(QString::fromLatin1(c.freeIndex));
        EXPECT_EQ(proposeServicePorts(answer, highestServicePort({c.recorded})), c.fields) << c.name;
    }
    // A caller's own highest index cannot overflow either.
    EXPECT_EQ(proposeServicePorts(QStringLiteral("Next valid free service virtual port ID: 7\r\n"), INT_MAX), std::nullopt);
}

struct FreeIndexCase
{
    const char *answer;
    QStringList vlanFields;
    std::optional<std::array<int, 4>> fields;
};

TEST(FreeServicePorts, StartAboveTheListAndOnAnEvenNumber)
{
    const QString group12 = QStringLiteral("-1;12;1010;0;-1;100;1010;^0;-;-;0;0;100;-;^");
    const FreeIndexCase cases[] = {
        {"Next valid free service virtual port ID: 7\r\n", {QStringLiteral("-1;4;1010;0;0;100;1010;^")},
         std::array{8, 9, 10, 11}},
        {"Next valid free service virtual port ID: 7\r\n", {group12}, std::array{14, 15, 16, 17}},
        {"Next valid free service virtual port ID: 20\r\n", {group12}, std::array{20, 21, 22, 23}},
        {"Next valid free service virtual port ID: 7  \r\n", {}, std::array{8, 9, 10, 11}},
        {"next valid free service virtual port id: 9", {}, std::array{10, 11, 12, 13}},
        {"  Failure: Unknown command\r\n", {group12}, std::nullopt},
        {"", {}, std::nullopt},
    };
    for (const FreeIndexCase &c : cases) {
        const int max = highestServicePort(c.vlanFields);
        EXPECT_EQ(proposeServicePorts(QString::fromLatin1(c.answer), max), c.fields) << c.answer;
    }
}

TEST(FreeServicePorts, HighestRecordedIndexReadsEveryGroupOfEveryRow)
{
    const struct
    {
        QStringList fields;
        int max;
    } cases[] = {
        {{}, 0},
        {{QStringLiteral("-1;12;1010;0;-1;100;1010;^0;13;-;0;0;100;-;^")}, 13},
        // A disabled port's "-" counts as 0.
        {{QStringLiteral("0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^")}, 0},
        // Six-value groups written by the import.
        {{QStringLiteral("-1;20;300;?;0;100;^-1;22;301;?;0;100;^")}, 22},
        {{QStringLiteral("-1;3;10;0;0;100;10;^"), QString(), QStringLiteral("-1;40;10;0;0;100;10;^"),
          QStringLiteral("--WOLNY--")},
         40},
    };
    for (const auto &c : cases)
        EXPECT_EQ(highestServicePort(c.fields), c.max) << c.fields.join(u'|').toStdString();
}

// Fields the console never writes (hand-edited or damaged files) still read
// as the cut-and-search walk has always read them: a group's first value is
// skipped, a missing ";^" advances by one character and the value before it
// counts, and a value without a ";" after it is not read.
TEST(FreeServicePorts, OddFieldsReadAsTheWalkAlwaysReadThem)
{
    const struct
    {
        const char *field;
        int max;
    } cases[] = {
        {"", 0},
        {";", 0},
        {";;;;;", 0},
        {"5", 0},
        {"-1;7", 0},
        {"-1;7;", 7},
        {"-1;7;8;9;", 9},
        {"1;2;3;^;4;5;^", 4},
        {";^;^", 0},
        {"^;^5;6;^", 0},
        {"9;^8;7;^", 0},
        {"-1;12;x;^0;30;-;^", 30},
        {"1;;2;^", 0},
        {"1;2;^^3;4;^", 4},
        {"x;1;2^;3;^", 1},
        {";;;;;;;;;;5;", 0},
        {";;;;;;;;;5;", 5},
        {";5;;6;;;7", 5},
        {";^5;^", 0},
        {";-3;", 0},
        {";a5;6;", 6},
        {"; 12 ;", 12},
        {";+12;", 12},
    };
    for (const auto &c : cases)
        EXPECT_EQ(highestServicePort({QString::fromLatin1(c.field)}), c.max) << c.field;
}

} // namespace
