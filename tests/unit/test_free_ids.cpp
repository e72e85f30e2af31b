#include "core/free_ids_parser.h"

#include "test_paths.h"

#include <gtest/gtest.h>

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
        IdCase{"no_number", portListing({QStringLiteral("  0/ 1/0       --  flat")}), "1", "0", std::nullopt}),
    [](const ::testing::TestParamInfo<IdCase> &i) { return std::string(i.param.name); });

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
