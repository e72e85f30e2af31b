#include "core/ont_info.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <optional>

namespace tervix::core {

void PrintTo(const OntInfo &i, std::ostream *os)
{
    *os << "{state=" << i.runState.toStdString() << " distance=" << i.distance.toStdString()
        << " cause=" << i.lastDownCause.toStdString() << " up=" << i.lastUpTime.toStdString()
        << " down=" << i.lastDownTime.toStdString() << " duration=" << i.onlineDuration.toStdString()
        << " line=" << i.lineProfile.toStdString() << " srv=" << i.serviceProfile.toStdString() << '}';
}

void PrintTo(const OntOptics &o, std::ostream *os)
{
    *os << "{ontRx=" << o.ontRx.toStdString() << " ontTx=" << o.ontTx.toStdString() << " oltRx=" << o.oltRx.toStdString()
        << " bias=" << o.bias.toStdString() << " temp=" << o.temperature.toStdString() << " failed=" << o.failed << '}';
}

void PrintTo(const OntServicePortRow &r, std::ostream *os)
{
    *os << '{' << r.index.toStdString() << " vlan " << r.vlan.toStdString() << " state '" << r.state.toStdString()
        << "' up=" << r.up << '}';
}

void PrintTo(const OntMacRow &r, std::ostream *os)
{
    *os << '{' << r.mac.toStdString() << " vlan '" << r.vlan.toStdString() << "'}";
}

} // namespace tervix::core

namespace {

using tervix::core::signalLevel;
using tervix::core::kAddressesMarker;
using tervix::core::kEndMarker;
using tervix::core::kOpticsMarker;
using tervix::core::OntDiagnosis;
using tervix::core::OntInfo;
using tervix::core::OntMacRow;
using tervix::core::OntOptics;
using tervix::core::OntServicePortRow;
using tervix::core::opticsComplete;
using tervix::core::parseOntDiagnosis;
using tervix::core::parseOntInfo;
using tervix::test::crlf;

// Test names from the cases' own names.
template<typename Case>
std::string caseName(const ::testing::TestParamInfo<Case> &info)
{
    return info.param.name;
}

const QString kConfigPrompt = QStringLiteral("MA5608T(config)#");
const QString kInterfacePrompt = QStringLiteral("MA5608T(config-if-gpon-0/1)#");

// What the console holds after a command: the echo (the OLT adds a space), the
// answer's lines, an empty line and the prompt.
QString answer(const QString &command, const QStringList &lines, const QString &prompt)
{
    return command + QStringLiteral(" \r\n") + lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n") + prompt;
}

// The three answers joined as a diagnosis run joins them.
QString joined(const QString &servicePorts, const QString &macs, const QString &optics)
{
    const QString cr = QStringLiteral("\r");
    return QStringLiteral("  ") + servicePorts + cr + kAddressesMarker + cr + QStringLiteral("  ") + macs + cr + kOpticsMarker
        + cr + QStringLiteral("  ") + optics + cr + kEndMarker;
}

QString servicePortAnswer(const QStringList &rows)
{
    const QString sep = QStringLiteral("  ") + QString(77, u'-');
    QStringList lines{QStringLiteral("  Switch-Oriented Flow List"), sep,
                      QStringLiteral("   INDEX VLAN VLAN     PORT F/ S/ P VPI  VCI   FLOW  FLOW       RX   TX   STATE"),
                      QStringLiteral("         ID   ATTR     TYPE                    TYPE  PARA"), sep};
    lines << rows << sep << QStringLiteral("   Total : %1  (Up/Down :    1/1)").arg(rows.size())
          << QStringLiteral("   Note : F--Frame, S--Slot, P--Port,")
          << QStringLiteral("          VPI indicates ONT ID for PON, VCI indicates GEM index for GPON,");
    return answer(QStringLiteral("display service-port port 0/1/0 ont 3"), lines, kConfigPrompt);
}

QString macAnswer(const QStringList &rows)
{
    const QString sep = QStringLiteral("  ") + QString(71, u'-');
    QStringList lines{QStringLiteral("  It will take some time, please wait..."), sep,
                      QStringLiteral("   SRV-P BUNDLE TYPE MAC            MAC TYPE F /S /P   VPI  VCI   VLAN ID"),
                      QStringLiteral("   INDEX INDEX"), sep};
    lines << rows << sep << QStringLiteral("  Total: %1").arg(rows.size())
          << QStringLiteral("  Note: F--Frame, S--Slot, P--Port, F/S/P indicates PW Index for PW,");
    return answer(QStringLiteral("display mac-address port 0/1/0 ont 3"), lines, kConfigPrompt);
}

struct Levels
{
    const char *ontRx, *ontTx, *bias, *temperature, *oltRx;
};

// "display ont optical-info P ID" of an online ONT, laid out as the OLT lays it out.
QString opticalAnswer(const Levels &v)
{
    auto f = [](const char *label, const char *value) {
        return QStringLiteral("  ") + QString::fromLatin1(label).leftJustified(39) + QStringLiteral(": ") + QString::fromLatin1(value);
    };
    const QString sep = QStringLiteral("  ") + QString(77, u'-');
    const QStringList lines{sep,
                            f("ONU NNI port ID", "0"),
                            f("Module type", "GPON"),
                            f("Vendor name", "HUAWEI          "),
                            f("Vendor PN", "HW-BOB-0007     "),
                            f("Date Code", "19-12-22"),
                            f("Rx optical power(dBm)", v.ontRx),
                            f("Rx power current warning threshold(dBm)", "[-,-]"),
                            f("Rx power current alarm threshold(dBm)", "[-29.0,-7.0]"),
                            f("Tx optical power(dBm)", v.ontTx),
                            f("Tx power current warning threshold(dBm)", "[-,-]"),
                            f("Tx power current alarm threshold(dBm)", "[0.0,5.0]"),
                            f("Laser bias current(mA)", v.bias),
                            f("Tx bias current alarm threshold(mA)", "[0.000,90.000]"),
                            f("Temperature(C)", v.temperature),
                            f("Temperature alarm threshold(C)", "[-45,110]"),
                            f("Voltage(V)", "3.280"),
                            f("Supply voltage alarm threshold(V)", "[3.000,3.600]"),
                            f("OLT Rx ONT optical power(dBm)", v.oltRx),
                            f("CATV Rx optical power(dBm)", "-"),
                            sep};
    return answer(QStringLiteral("display ont optical-info 0 3"), lines, kInterfacePrompt);
}

QString opticalRefusal(const char *failure)
{
    return answer(QStringLiteral("display ont optical-info 0 3"), {QString::fromLatin1(failure)}, kInterfacePrompt);
}

const Levels kOnline{"-19.95", "2.31", "6", "38", "-22.68"};
const OntOptics kOnlineOptics{QStringLiteral("-19.95"), QStringLiteral("2.31"), QStringLiteral("-22.68"), QStringLiteral("6"),
                              QStringLiteral("38"), false};
const OntOptics kOff{QStringLiteral("off"), QStringLiteral("off"), QStringLiteral("off"), QStringLiteral("off"),
                     QStringLiteral("off"), true};

// Service-port rows: index, VLAN, place, state column as the OLT pads it.
const QString kPortUp = QStringLiteral("     120  100 common   gpon 0/1 /0  3    1     vlan  100        6    6    up   ");
const QString kPortDown = QStringLiteral("     121  200 common   gpon 0/1 /0  3    2     vlan  200        6    6    down ");
const QString kPortOtherSlot = QStringLiteral("     122  300 common   gpon 0/2 /0  3    1     vlan  300        6    6    up   ");
const QString kPortSlot10 = QStringLiteral("     123  400 common   gpon 0/10/0  3    1     vlan  400        6    6    up   ");
const OntServicePortRow kRowUp{QStringLiteral("up"), true, QStringLiteral("120"), QStringLiteral("100")};
const OntServicePortRow kRowDown{QStringLiteral("down"), false, QStringLiteral("121"), QStringLiteral("200")};

const QString kMac1 = QStringLiteral("     120     -  gpon 00e0-fc11-2233 dynamic  0 /1 /0   3    1        100");
const QString kMac2 = QStringLiteral("     121     -  gpon 00e0-fc44-5566 dynamic  0 /1 /0   3    2        200");
const QString kMacOtherSlot = QStringLiteral("     122     -  gpon 00e0-fc77-8899 dynamic  0 /2 /0   3    1        300");
const OntMacRow kMacRow1{QStringLiteral("100"), QStringLiteral("00e0-fc11-2233")};
const OntMacRow kMacRow2{QStringLiteral("200"), QStringLiteral("00e0-fc44-5566")};

// ---------------------------------------------------------------------------
// "display ont info P ID"

struct InfoCase
{
    const char *name;
    const char *sample; // a captured answer, or nullptr for the hand-made one
    bool lineFeedsOnly;
    QString answer;
    OntInfo expected;
};

void PrintTo(const InfoCase &c, std::ostream *os)
{
    *os << c.name;
}

class OntInfoAnswer : public ::testing::TestWithParam<InfoCase> {};

TEST_P(OntInfoAnswer, ReadsTheFieldsInOrder)
{
    const InfoCase &c = GetParam();
    QString text = c.answer;
    if (c.sample) {
        text = tervix::test::readSample(QString::fromLatin1(c.sample));
        ASSERT_FALSE(text.isEmpty()) << "missing sample " << c.sample;
        if (!c.lineFeedsOnly)
            text = crlf(text);
    }
    EXPECT_EQ(parseOntInfo(text), c.expected);
}

const OntInfo kNtc1{QStringLiteral("online"),
                    QStringLiteral("47"),
                    QStringLiteral("dying-gasp"),
                    QStringLiteral("2023-01-05 08:56:12+08:00"),
                    QStringLiteral("2023-01-05 08:55:28+08:00"),
                    QStringLiteral("0 day(s), 0 hour(s), 3 minute(s), 0 second(s)"),
                    QStringLiteral("500"),
                    QStringLiteral("500")};

INSTANTIATE_TEST_SUITE_P(
    Cases, OntInfoAnswer,
    ::testing::Values(
        InfoCase{"ntc1", "display_ont_info_0_1_2_3__ntc1.txt", false, {}, kNtc1},
        // A line that ends with LF alone still ends the value there.
        InfoCase{"ntc1_line_feeds", "display_ont_info_0_1_2_3__ntc1.txt", true, {}, kNtc1},
        // DD/MM/YYYY dates, units after numbers; the duration keeps the OLT's trailing blank.
        InfoCase{"ntc2",
                 "display_ont_info_0_1_2_3__ntc2.txt",
                 false,
                 {},
                 OntInfo{QStringLiteral("online"), QStringLiteral("100"), QStringLiteral("dying-gasp"),
                         QStringLiteral("09/02/2019 01:58:52+00:00"), QStringLiteral("22/01/2019 01:57:55+00:00"),
                         QStringLiteral("22 day(s), 1 hour(s), 23 minute(s), 23 second(s) "), QStringLiteral("100"),
                         QStringLiteral("100")}},
        InfoCase{"offline",
                 nullptr,
                 false,
                 answer(QStringLiteral("display ont info 0 3"),
                        {QStringLiteral("  ") + QString(77, u'-'), QStringLiteral("  F/S/P                   : 0/ 1/0"),
                         QStringLiteral("  Control flag            : active"),
                         QStringLiteral("  Run state               : offline"),
                         QStringLiteral("  Config state            : initial"),
                         QStringLiteral("  ONT distance(m)         : -"),
                         QStringLiteral("  Last down cause         : LOSi/LOBi"),
                         QStringLiteral("  Last up time            : 2024-03-01 10:00:00+01:00"),
                         QStringLiteral("  Last down time          : 2024-03-02 11:30:00+01:00"),
                         QStringLiteral("  Last dying gasp time    : -"),
                         QStringLiteral("  ONT online duration     : -"),
                         QStringLiteral("  Line profile ID      : 10"),
                         QStringLiteral("  Line profile name    : ftth"),
                         QStringLiteral("  Service profile ID   : 20"),
                         QStringLiteral("  Service profile name : ftth")},
                        QStringLiteral("MA5608T(config-if-gpon-0/1)#")),
                 OntInfo{QStringLiteral("offline"), QStringLiteral("-"), QStringLiteral("losi/lobi"),
                         QStringLiteral("2024-03-01 10:00:00+01:00"), QStringLiteral("2024-03-02 11:30:00+01:00"),
                         QStringLiteral("-"), QStringLiteral("10"), QStringLiteral("20")}}),
    caseName<InfoCase>);

// ---------------------------------------------------------------------------
// The joined answers of a diagnosis run

struct DiagnosisCase
{
    const char *name;
    QString joined;
    QList<OntServicePortRow> servicePorts;
    QList<OntMacRow> macs;
    OntOptics optics;
    const char *ponType = "gpon";
};

void PrintTo(const DiagnosisCase &c, std::ostream *os)
{
    *os << c.name;
}

class OntDiagnosisAnswers : public ::testing::TestWithParam<DiagnosisCase> {};

TEST_P(OntDiagnosisAnswers, ReadTablesAndLevels)
{
    const DiagnosisCase &c = GetParam();
    const OntDiagnosis d = parseOntDiagnosis(c.joined, QStringLiteral("0/1"), QString::fromLatin1(c.ponType));
    EXPECT_EQ(d.servicePorts, c.servicePorts);
    EXPECT_EQ(d.macs, c.macs);
    EXPECT_EQ(d.optics, c.optics);
}

const QString kNoMacs = answer(QStringLiteral("display mac-address port 0/1/0 ont 3"),
                               {QStringLiteral("  It will take some time, please wait..."),
                                QStringLiteral("  Failure: There is not any MAC address record")},
                               kConfigPrompt);

INSTANTIATE_TEST_SUITE_P(
    Cases, OntDiagnosisAnswers,
    ::testing::Values(
        DiagnosisCase{"online",
                      joined(servicePortAnswer({kPortUp, kPortDown}), macAnswer({kMac1, kMac2}), opticalAnswer(kOnline)),
                      {kRowUp, kRowDown},
                      {kMacRow1, kMacRow2},
                      kOnlineOptics},
        // The OLT refuses the optical listing of an offline ONT: no levels, and
        // nothing of the prompt that follows the refusal.
        DiagnosisCase{"offline",
                      joined(servicePortAnswer({kPortDown}), kNoMacs, opticalRefusal("  Failure: The ONT is not online")),
                      {kRowDown},
                      {},
                      kOff},
        DiagnosisCase{"ont_missing",
                      joined(servicePortAnswer({}), kNoMacs, opticalRefusal("  Failure: The ONT does not exist")),
                      {},
                      {},
                      kOff},
        // A refusal repeated by the polling of an unfinished answer.
        DiagnosisCase{"refusal_twice",
                      joined(servicePortAnswer({}), kNoMacs,
                             opticalRefusal("  Failure: The ONT is not online") + QStringLiteral("  ")
                                 + opticalRefusal("  Failure: The ONT is not online")),
                      {},
                      {},
                      kOff},
        DiagnosisCase{"olt_rx_with_range",
                      joined(servicePortAnswer({kPortUp}), macAnswer({kMac1}),
                             opticalAnswer({"-19.95", "2.31", "6", "38", "-22.68, range [-30.00,-8.00]"})),
                      {kRowUp},
                      {kMacRow1},
                      kOnlineOptics},
        DiagnosisCase{"long_bias_is_off",
                      joined(servicePortAnswer({kPortUp}), macAnswer({kMac1}),
                             opticalAnswer({"-19.95", "2.31", "12.345", "38", "-22.68"})),
                      {kRowUp},
                      {kMacRow1},
                      OntOptics{QStringLiteral("-19.95"), QStringLiteral("2.31"), QStringLiteral("-22.68"), QStringLiteral("off"),
                                QStringLiteral("38"), false}},
        // Only the rows of the ONT's frame/slot; slot 10 is not slot 1.
        DiagnosisCase{"rows_of_other_slots",
                      joined(servicePortAnswer({kPortOtherSlot, kPortUp, kPortSlot10, kPortDown}),
                             macAnswer({kMac1, kMacOtherSlot, kMac2}), opticalAnswer(kOnline)),
                      {kRowUp, kRowDown},
                      {kMacRow1, kMacRow2},
                      kOnlineOptics},
        // A state that ends the line without the OLT's padding.
        DiagnosisCase{"state_ends_the_line",
                      joined(servicePortAnswer({kPortUp.trimmed().prepend(u' '), kPortDown.trimmed().prepend(u' ')}),
                             macAnswer({}), opticalAnswer(kOnline)),
                      {kRowUp, kRowDown},
                      {},
                      kOnlineOptics},
        // Rows are read between the header and the table's "Total" line only.
        DiagnosisCase{"no_header",
                      joined(answer(QStringLiteral("display service-port port 0/1/0 ont 3"),
                                    {QStringLiteral("  ") + QString(77, u'-'), kPortUp, QStringLiteral("  ") + QString(77, u'-'),
                                     QStringLiteral("   Total : 1  (Up/Down :    1/0)")},
                                    kConfigPrompt),
                             answer(QStringLiteral("display mac-address port 0/1/0 ont 3"),
                                    {QStringLiteral("  ") + QString(71, u'-'), kMac1, QStringLiteral("  ") + QString(71, u'-'),
                                     QStringLiteral("  Total: 1")},
                                    kConfigPrompt),
                             opticalAnswer(kOnline)),
                      {},
                      {},
                      kOnlineOptics},
        DiagnosisCase{"no_total",
                      joined(servicePortAnswer({kPortUp}).section(QStringLiteral("   Total"), 0, 0),
                             macAnswer({kMac1}).section(QStringLiteral("  Total"), 0, 0), opticalAnswer(kOnline)),
                      {},
                      {},
                      kOnlineOptics},
        DiagnosisCase{"epon",
                      joined(servicePortAnswer({QStringLiteral("     130  100 common   epon 0/1/0   3    -     vlan  100        6    6    up   ")}),
                             macAnswer({QStringLiteral("     130     -  epon 00e0-fc11-2233 dynamic  0 /1 /0   3    -        100"),
                                        kMac2}),
                             opticalAnswer(kOnline)),
                      {OntServicePortRow{QStringLiteral("up"), true, QStringLiteral("130"), QStringLiteral("100")}},
                      {kMacRow1},
                      kOnlineOptics,
                      "epon"},
        DiagnosisCase{"line_feeds_only",
                      joined(servicePortAnswer({kPortUp}), macAnswer({kMac1}), opticalAnswer(kOnline))
                          .replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                      {kRowUp},
                      {kMacRow1},
                      kOnlineOptics},
        DiagnosisCase{"empty", QString(), {}, {}, kOff},
        DiagnosisCase{"markers_only",
                      QString(kAddressesMarker) + u'\r' + kOpticsMarker + u'\r' + kEndMarker,
                      {},
                      {},
                      OntOptics{QString(), QStringLiteral("off"), QStringLiteral("off"), QString(), QString(), false}}),
    caseName<DiagnosisCase>);

// The captured listings: "display service-port all" holds one port on 0/1,
// "display mac-address" one GPON row among Ethernet ones; the per-ONT MAC
// table of another firmware has no row the console can read.
TEST(OntDiagnosisSamples, ReadTheCapturedTables)
{
    const QString servicePorts = crlf(tervix::test::readSample(QStringLiteral("display_service-port_all__ntc1.txt")));
    const QString macs = crlf(tervix::test::readSample(QStringLiteral("display_mac-address__ntc1.txt")));
    const QString ontMacs = crlf(tervix::test::readSample(QStringLiteral("display_mac-address_ont_0_1_2_0__ntc1.txt")));
    ASSERT_FALSE(servicePorts.isEmpty());
    ASSERT_FALSE(macs.isEmpty());
    ASSERT_FALSE(ontMacs.isEmpty());

    const OntDiagnosis d = parseOntDiagnosis(joined(servicePorts, macs, opticalAnswer(kOnline)), QStringLiteral("0/1"),
                                             QStringLiteral("gpon"));
    EXPECT_EQ(d.servicePorts,
              (QList<OntServicePortRow>{{QStringLiteral("up"), true, QStringLiteral("5827"), QStringLiteral("2")}}));
    EXPECT_EQ(d.macs, (QList<OntMacRow>{{QStringLiteral("1"), QStringLiteral("aaaa-aaaa-aaaa")}}));
    EXPECT_EQ(d.optics, kOnlineOptics);

    EXPECT_TRUE(parseOntDiagnosis(joined(servicePorts, ontMacs, opticalAnswer(kOnline)), QStringLiteral("0/1"),
                                  QStringLiteral("gpon"))
                    .macs.isEmpty());
}

// ---------------------------------------------------------------------------
// When the optical part is complete

struct CompleteCase
{
    const char *name;
    QString joined;
    bool complete;
};

void PrintTo(const CompleteCase &c, std::ostream *os)
{
    *os << c.name;
}

class OpticsComplete : public ::testing::TestWithParam<CompleteCase> {};

TEST_P(OpticsComplete, WaitsForTheTemperatureOrARefusal)
{
    EXPECT_EQ(opticsComplete(GetParam().joined), GetParam().complete);
}

const QString kBeforeOptics = QStringLiteral("  x\r") + kAddressesMarker + QStringLiteral("\r  y\r");

INSTANTIATE_TEST_SUITE_P(
    Cases, OpticsComplete,
    ::testing::Values(
        CompleteCase{"listing", kBeforeOptics + kOpticsMarker + QStringLiteral("\r  ") + opticalAnswer(kOnline), true},
        CompleteCase{"refusal", kBeforeOptics + kOpticsMarker + QStringLiteral("\r  ") + opticalRefusal("  Failure: The ONT is not online"), true},
        CompleteCase{"first_lines_only",
                     kBeforeOptics + kOpticsMarker + QStringLiteral("\r  ") + opticalAnswer(kOnline).section(QStringLiteral("Laser"), 0, 0),
                     false},
        // Words of the earlier answers do not count.
        CompleteCase{"temperature_before_the_marker",
                     QStringLiteral("  Temperature  Failure: x\r") + kAddressesMarker + QStringLiteral("\r") + kOpticsMarker
                         + QStringLiteral("\r  display ont optical-info 0 3 \r\n"),
                     false},
        CompleteCase{"no_optical_part", kBeforeOptics + QStringLiteral("Temperature(C) : 38\r\n"), false}),
    caseName<CompleteCase>);

// ---------------------------------------------------------------------------
// Level to gauge position

struct GaugeCase
{
    const char *level;
    std::optional<int> position;
};

void PrintTo(const GaugeCase &c, std::ostream *os)
{
    *os << '"' << c.level << '"';
}

class SignalLevel : public ::testing::TestWithParam<GaugeCase> {};

TEST_P(SignalLevel, RoundsHalvesToEven)
{
    EXPECT_EQ(signalLevel(QString::fromLatin1(GetParam().level)), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Cases, SignalLevel,
                         ::testing::Values(GaugeCase{"-19.95", -20}, GaugeCase{"-18.5", -18}, GaugeCase{"-17.5", -18},
                                           GaugeCase{"2.5", 2}, GaugeCase{"3.5", 4}, GaugeCase{"-19,95", -20},
                                           GaugeCase{"2.31", 2}, GaugeCase{"38", 38}, GaugeCase{"0", 0},
                                           // No number: the gauge stays at its minimum instead of
                                           // showing an offline ONT near full scale.
                                           GaugeCase{"off", std::nullopt}, GaugeCase{"?", std::nullopt},
                                           GaugeCase{"", std::nullopt}, GaugeCase{"-", std::nullopt},
                                           GaugeCase{"nan", std::nullopt}, GaugeCase{"1.2.3", std::nullopt}));

} // namespace
