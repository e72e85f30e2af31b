#include "core/autofind_parser.h"
#include "core/paging.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tervix::core {
inline void PrintTo(const UnauthorisedOnt &o, std::ostream *os)
{
    *os << '{' << o.ponType.toStdString() << ", " << o.port.toStdString() << ", " << o.serialOrMac.toStdString() << ", "
        << o.model.toStdString() << ", " << o.vr.toStdString() << '}';
}
} // namespace tervix::core

namespace {

using tervix::core::UnauthorisedOnt;
using tervix::core::parseAutofind;

using tervix::test::crlf;

const QString kSep = QStringLiteral("   ----------------------------------------------------------------------------\r\n");

// An MA5683T-era record: hex SN only, no MAC, Customized Info, Equipment SN or
// Multi channel, and "Ont autofind time" as the last field.
QString olderRecord(const char *number, const char *fsp, const char *sn, const char *equipment, const char *soft)
{
    return QStringLiteral("   Number              : %1\r\n"
                          "   F/S/P               : %2\r\n"
                          "   Ont SN              : %3\r\n"
                          "   Password            : 0x00000000000000000000\r\n"
                          "   Loid                :\r\n"
                          "   Checkcode           :\r\n"
                          "   VendorID            : HWTC\r\n"
                          "   Ont Version         : 260F.A\r\n"
                          "   Ont SoftwareVersion : %5\r\n"
                          "   Ont EquipmentID     : %4\r\n"
                          "   Ont autofind time   : 2016-03-12 02:33:42+08:00\r\n")
        .arg(QLatin1StringView(number), QLatin1StringView(fsp), QLatin1StringView(sn), QLatin1StringView(equipment),
             QLatin1StringView(soft));
}

// An EPON record: MAC instead of SN.
QString eponRecord(const char *fsp, const char *mac, const char *modelLine)
{
    return QStringLiteral("   Number              : 1\r\n"
                          "   F/S/P               : %1\r\n"
                          "   Ont MAC             : %2\r\n"
                          "   Password            :\r\n"
                          "   Loid                :\r\n"
                          "   VendorID            : HWTC\r\n"
                          "%3"
                          "   Ont SoftwareVersion : V1R005C01S102\r\n"
                          "   Ont autofind time   : 2016-03-12 02:33:42+08:00\r\n")
        .arg(QLatin1StringView(fsp), QLatin1StringView(mac), QLatin1StringView(modelLine));
}

struct AutofindCase
{
    const char *name;
    QString answer;
    QList<UnauthorisedOnt> rows;
};

void PrintTo(const AutofindCase &c, std::ostream *os)
{
    *os << c.name;
}

UnauthorisedOnt row(const char *ponType, const char *port, const char *mac, const char *model, const char *vr)
{
    return {QString::fromLatin1(ponType), QString::fromLatin1(port), QString::fromLatin1(mac), QString::fromLatin1(model),
            QString::fromLatin1(vr)};
}

class Autofind : public ::testing::TestWithParam<AutofindCase> {};

TEST_P(Autofind, ListsEveryRecordInOltOrder)
{
    EXPECT_EQ(parseAutofind(GetParam().answer), GetParam().rows);
}

const QList<UnauthorisedOnt> kNtc1{row("G.PON", "0/0/0", "12345678A12BC3AB", "EG8145X6-10", "A1B123D12E123")};
const QList<UnauthorisedOnt> kNtc2{row("G.PON", "0/1/0", "4857544311E70E9A", "245H", "V3R015C10S150"),
                                      row("G.PON", "0/1/0", "48575443DE135E2D", "010H", "V3R012C00S103")};

INSTANTIATE_TEST_SUITE_P(
    Cases, Autofind,
    ::testing::Values(
        // Newer firmware: an "Ont MAC" line inside GPON records; the SN stays the
        // identity and its bracketed vendor form goes.
        AutofindCase{"ntc1_crlf", crlf(tervix::test::readSample(QStringLiteral("display_ont_autofind__ntc1.txt"))),
                     kNtc1},
        AutofindCase{"ntc1_lf", tervix::test::readSample(QStringLiteral("display_ont_autofind__ntc1.txt")), kNtc1},
        // Two records: neither swallows the other.
        AutofindCase{"ntc2_crlf", crlf(tervix::test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt"))),
                     kNtc2},
        AutofindCase{"ntc2_lf", tervix::test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt")), kNtc2},
        // The same answer as it arrives in the receive buffer: echo, trailer, prompt.
        AutofindCase{"ntc2_in_session",
                     QStringLiteral("\r\ndisplay ont autofind all\r\n")
                         + crlf(tervix::test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt")))
                         + QStringLiteral("\r\n   The number of GPON autofind ONT is 2\r\n\r\nMA5608T(config)#"),
                     kNtc2},
        // The older layout: the SN is what the line after the port holds.
        AutofindCase{"older_layout_two_records",
                     kSep + olderRecord("1", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106") + kSep
                         + olderRecord("2", "0/10/12", "4857544300000001", "EG8010HV6", "V5R020C10S035") + kSep,
                     {row("G.PON", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106"),
                      row("G.PON", "0/10/12", "4857544300000001", "EG8010HV6", "V5R020C10S035")}},
        // EPON: a MAC of three groups of four hex digits (14 characters).
        AutofindCase{"epon_with_model_line",
                     kSep + eponRecord("0/2/1", "00e0-fc12-3456", "   Ont Model           : 240\r\n") + kSep,
                     {row("E.PON", "0/2/1", "00E0-FC12-3456", "240", "V1R005C01S102")}},
        AutofindCase{"epon_with_equipment_id",
                     kSep + eponRecord("0/2/1", "00E0-FC12-3456", "   Ont EquipmentID     : HG8010E\r\n") + kSep,
                     {row("E.PON", "0/2/1", "00E0-FC12-3456", "HG8010E", "V1R005C01S102")}},
        // Mixed types keep the OLT's order; a record without "Ont autofind time"
        // (cut off) is not listed.
        AutofindCase{"mixed_and_cut_off",
                     kSep + eponRecord("0/2/1", "00E0-FC12-3456", "") + kSep
                         + olderRecord("2", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106") + kSep
                         + QStringLiteral("   Number              : 3\r\n   F/S/P               : 0/1/4\r\n"),
                     {row("E.PON", "0/2/1", "00E0-FC12-3456", "", "V1R005C01S102"),
                      row("G.PON", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106")}},
        // Newest firmware puts "ONT NNI type" between the port and the SN.
        AutofindCase{"nni_type_line",
                     kSep
                         + QStringLiteral("   Number              : 1\r\n"
                                          "   F/S/P               : 0/1/3\r\n"
                                          "   ONT NNI type        : 2.5G/1.25G\r\n"
                                          "   Ont SN              : 485754430B086EA9 (HWTC-0B086EA9)\r\n"
                                          "   Ont SoftwareVersion : V5R020C10S035\r\n"
                                          "   Ont EquipmentID     : EG8010Hv6\r\n"
                                          "   Ont MAC             : -\r\n"
                                          "   Ont autofind time   : 2024-03-12 02:33:42-04:00\r\n"
                                          "   Multi channel       : -\r\n")
                         + kSep,
                     {row("G.PON", "0/1/3", "485754430B086EA9", "EG8010HV6", "V5R020C10S035")}},
        // Padded values do not carry their blanks into the form.
        AutofindCase{"padded_values",
                     kSep + QStringLiteral("   F/S/P               : 0/1/3   \r\n"
                                           "   Ont SN              : 48575443C39BEC6F  \r\n"
                                           "   Ont autofind time   : 2016-03-12 02:33:42+08:00 \r\n")
                         + kSep,
                     {row("G.PON", "0/1/3", "48575443C39BEC6F", "", "")}},
        AutofindCase{"no_record", QStringLiteral("\r\n  Failure: There is no autofind ONT\r\n\r\nOLT(config)#"), {}},
        AutofindCase{"empty", QString(), {}}),
    [](const ::testing::TestParamInfo<AutofindCase> &i) { return std::string(i.param.name); });

// A listing longer than a page: the line after a page prompt is kept up to its
// carriage return and the next page follows it directly, so a record may be
// cut between the port line and the SN line.
TEST(Autofind, RecordCutByAPagePromptReadsAsOne)
{
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    const QString first = olderRecord("1", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106");
    const QString second = olderRecord("2", "0/1/4", "4857544300000001", "EG8010HV6", "V5R020C10S035");
    const qsizetype portLine = second.indexOf(QStringLiteral("   F/S/P"));
    const qsizetype snLine = second.indexOf(QStringLiteral("   Ont SN"));
    const QString page1 = QStringLiteral("\r\ndisplay ont autofind all \r\n") + kSep + first + kSep;
    const QString page2 = second.left(portLine);
    const QString extraLine = second.mid(portLine, snLine - portLine);
    const QString page3 = second.mid(snLine) + kSep + QStringLiteral("\r\nOLT(config)#");

    QString paged;
    ASSERT_TRUE(tervix::core::collectPage(page1 + prompt, paged));
    ASSERT_TRUE(tervix::core::collectPage(erase + page2 + prompt + erase + extraLine + prompt, paged));
    ASSERT_FALSE(tervix::core::collectPage(erase + page3, paged));
    EXPECT_EQ(parseAutofind(paged),
              (QList<UnauthorisedOnt>{row("G.PON", "0/1/3", "48575443C39BEC6F", "HG8245H", "V3R013C00S106"),
                                          row("G.PON", "0/1/4", "4857544300000001", "EG8010HV6", "V5R020C10S035")}));
}

struct PortCase
{
    const char *text;
    const char *frame, *slot, *port;
};

TEST(Autofind, PortSplitsIntoFrameSlotAndPort)
{
    const PortCase cases[] = {
        {"0/1/0", "0", "1", "0"},
        {"0/10/12", "0", "10", "12"},
        {"7", "", "", "7"},   // no "/" at all: all port
        {"", "", "", ""},
    };
    for (const PortCase &c : cases) {
        const tervix::core::OntPlace m = tervix::core::splitPlace(QString::fromLatin1(c.text));
        EXPECT_EQ(m.frame, QString::fromLatin1(c.frame)) << c.text;
        EXPECT_EQ(m.slot, QString::fromLatin1(c.slot)) << c.text;
        EXPECT_EQ(m.port, QString::fromLatin1(c.port)) << c.text;
    }
}

} // namespace
