#include "core/profiles_parser.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tervix::core {
inline void PrintTo(const OltProfile &p, std::ostream *os)
{
    *os << '{' << p.id.toStdString() << ", " << p.name.toStdString() << ", " << p.bindings.toStdString() << '}';
}
} // namespace tervix::core

namespace {

using tervix::core::OltProfile;
using tervix::core::parseProfiles;

using tervix::test::crlf;

OltProfile p(const char *id, const char *name, const char *bindings)
{
    return {QString::fromLatin1(id), QString::fromLatin1(name), QString::fromLatin1(bindings)};
}

struct ProfileCase
{
    const char *name;
    QString listing;
    QList<OltProfile> rows;
};

void PrintTo(const ProfileCase &c, std::ostream *os)
{
    *os << c.name;
}

class Profiles : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(Profiles, RowsOfTheTable)
{
    EXPECT_EQ(parseProfiles(GetParam().listing), GetParam().rows);
}

const QString kHeader = QStringLiteral("\r\ndisplay ont-lineprofile gpon all\r\n"
                                       "  -----------------------------------------------------------------------------\r\n"
                                       "  Profile-ID  Profile-name                                Binding times\r\n"
                                       "  -----------------------------------------------------------------------------\r\n");
const QString kFooter = QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                                       "  Total: 2\r\n\r\nOLT(config)#");

INSTANTIATE_TEST_SUITE_P(
    Cases, Profiles,
    ::testing::Values(
        ProfileCase{"lineprofile_ntc1",
                    crlf(tervix::test::readSample(QStringLiteral("display_ont-lineprofile_gpon_all__ntc1.txt"))),
                    {p("0", "LINE-PROFILE_DEFAULT_0", "0"), p("429", "EXAMPLE", "12")}},
        ProfileCase{"srvprofile_ntc1_lf",
                    tervix::test::readSample(QStringLiteral("display_ont-srvprofile_gpon_all__ntc1.txt")),
                    {p("0", "SRV-PROFILE_DEFAULT_0", "0"), p("1", "20221019172007514", "0")}},
        // Firmware that does not pad its rows: the binding count ends the line.
        ProfileCase{"count_ends_the_line",
                    kHeader
                        + QStringLiteral("  0           line-profile_default_0                      0\r\n"
                                         "  5           line-profile_5                              73\r\n")
                        + kFooter,
                    {p("0", "LINE-PROFILE_DEFAULT_0", "0"), p("5", "LINE-PROFILE_5", "73")}},
        // Two pages as the step engine joins them (two spaces between pages).
        ProfileCase{"joined_pages",
                    kHeader + QStringLiteral("  10          ftth                                        4\r\n") + QStringLiteral("  ")
                        + QStringLiteral("  11          iptv                                        0\r\n") + kFooter,
                    {p("10", "FTTH", "4"), p("11", "IPTV", "0")}},
        ProfileCase{"no_table", QStringLiteral("\r\n  % Unknown command, the error locates at '^'\r\n"), {}}),
    [](const ::testing::TestParamInfo<ProfileCase> &i) { return std::string(i.param.name); });

// Firmware that does not pad its rows ends a row with the binding count. The
// count is the cell's whole text whichever line end follows it, and reads the
// same as on padded rows; it never takes in the line end or the next row.
TEST(ProfileBindingTimes, CountEndingTheLineIsTheCell)
{
    const QString rows = QStringLiteral("  0           line-profile_default_0                      0\r\n"
                                        "  5           line-profile_5                              73\r\n"
                                        "  6           line-profile_6                              8          \r\n");
    const QList<OltProfile> expected{p("0", "LINE-PROFILE_DEFAULT_0", "0"), p("5", "LINE-PROFILE_5", "73"),
                                     p("6", "LINE-PROFILE_6", "8")};
    const struct
    {
        const char *name;
        const char *lineEnd;
    } ends[] = {{"CR LF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}, {"CR CR LF", "\r\r\n"}};
    for (const auto &e : ends) {
        const QString listing = QString(kHeader + rows + kFooter).replace(QStringLiteral("\r\n"), QString::fromLatin1(e.lineEnd));
        EXPECT_EQ(parseProfiles(listing), expected) << e.name;
    }
}

} // namespace
