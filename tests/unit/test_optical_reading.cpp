#include "core/optical_reading.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace tervix::core {

void PrintTo(const OpticalReading &r, std::ostream *os)
{
    *os << '{' << (r.levels ? r.levels->text().toStdString() : std::string("no reading")) << " reason='"
        << r.reason.toStdString() << "'}";
}

} // namespace tervix::core

namespace {

using tervix::core::OpticalLevels;
using tervix::core::OpticalReading;
using tervix::core::readOntOptics;
using tervix::test::crlf;

const QString kPrompt = QStringLiteral("MA5608T(config-if-gpon-0/1)#");

QString field(const char *label, const char *value)
{
    return QStringLiteral("  ") + QString::fromLatin1(label).leftJustified(39) + QStringLiteral(": ")
        + QString::fromLatin1(value);
}

// The whole exchange for one ONT as the scanning connection collects it:
// echo, answer, prompt, "quit" and its prompt.
QString exchange(const QStringList &answer, const QString &prompt = kPrompt)
{
    return prompt + QStringLiteral("display ont optical-info 2 5\n") + answer.join(u'\n') + QStringLiteral("\n\n")
        + prompt + QStringLiteral("quit\nMA5608T(config)#");
}

// The single-ONT answer laid out as the OLT lays it out.
QStringList onlineAnswer(const char *ontRx, const char *oltRx)
{
    const QString sep = QStringLiteral("  ") + QString(77, u'-');
    return {sep,
            field("ONU NNI port ID", "0"),
            field("Module type", "GPON"),
            field("Vendor name", "HUAWEI          "),
            field("Rx optical power(dBm)", ontRx),
            field("Rx power current warning threshold(dBm)", "[-,-]"),
            field("Rx power current alarm threshold(dBm)", "[-29.0,-7.0]"),
            field("Tx optical power(dBm)", "2.27"),
            field("Laser bias current(mA)", "16"),
            field("Temperature(C)", "58"),
            field("Voltage(V)", "3.360"),
            field("OLT Rx ONT optical power(dBm)", oltRx),
            field("CATV Rx optical power(dBm)", "-"),
            field("CATV Rx power alarm threshold(dBm)", "[-,-]"),
            sep};
}

const QStringList kAlarm{
    QStringLiteral("  ! 1 [01/01/2000 00:00:00-00:00]:"),
    QString(),
    QStringLiteral("  ALARM 11111 FAULT WARNING 0x2e112007 SERVICE QUALITY 17/01/2025 "),
    QStringLiteral("00:00:00-00:00"),
    QStringLiteral("  ALARM NAME  : The distribute fiber is broken or the OLT cannot receive "),
    QStringLiteral("                expected optical signals from the ONT(LOSi/LOBi)"),
    QStringLiteral("  PARAMETERS  : FrameID: 0, SlotID: 0, PortID: 1, ONT ID: 1, Equipment ID: "),
    QStringLiteral("  --- END-"),
    QStringLiteral("****"),
};

QStringList withAlarmAfter(QStringList lines, qsizetype at)
{
    for (qsizetype i = 0; i < kAlarm.size(); ++i)
        lines.insert(at + 1 + i, kAlarm[i]);
    return lines;
}

struct ReadingCase
{
    const char *name;
    QString exchange;
    std::optional<OpticalLevels> levels;
    const char *reasonHas; // text the log reason holds when there is no reading
};

void PrintTo(const ReadingCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<ReadingCase> readingCases()
{
    const QStringList online = onlineAnswer("-18.18", "-22.22");
    const QString rxHost = QStringLiteral("rx-olt-warszawa(config-if-gpon-0/1)#");
    return {
        {"Online", exchange(online), OpticalLevels::of(-18, -22), ""},
        {"OnlineCrLf", crlf(exchange(online)), OpticalLevels::of(-18, -22), ""},
        {"LabelsInOtherCase", exchange(exchange(online).toLower().split(u'\n')), OpticalLevels::of(-18, -22), ""},
        {"RemarkAfterLevel", exchange(onlineAnswer("-20.10", "-24.45, out of range")), OpticalLevels::of(-20, -24), ""},
        {"HalfRoundsDownToEven", exchange(onlineAnswer("-27.5", "-26.5")), OpticalLevels::of(-28, -26), ""},
        {"AlarmBetweenTheLevels", exchange(withAlarmAfter(online, 5)), OpticalLevels::of(-18, -22), ""},
        {"RxInHostName", exchange(online, rxHost), OpticalLevels::of(-18, -22), ""},
        {"NotOnline", exchange({QStringLiteral("  Failure: The ONT is not online")}), OpticalLevels::offline(), ""},
        {"NotOnlineBehindRxHost", exchange({QStringLiteral("  Failure: The ONT is not online")}, rxHost),
         OpticalLevels::offline(), ""},
        // Answers that hold no levels: none of them may become a pair.
        {"BoardDoesNotExist", exchange({QStringLiteral("  Failure: The board does not exist")}), std::nullopt,
         "The board does not exist"},
        {"UnknownCommand",
         exchange({QStringLiteral("                                   ^"),
                   QStringLiteral("  % Unknown command, the error locates at '^'")}),
         std::nullopt, "Unknown command"},
        {"OnlyAnAlarm", exchange(kAlarm), std::nullopt, "no optical levels"},
        {"HostNameWithRxAndNoAnswer", exchange({}, rxHost), std::nullopt, "no optical levels"},
        {"LevelsMissing", exchange(onlineAnswer("-", "-")), std::nullopt, "no level"},
        {"OltLevelMissing", exchange(onlineAnswer("-19.00", "-")), std::nullopt, "no level"},
        {"NotANumber", exchange(onlineAnswer("-19.5x", "-21")), std::nullopt, "no level"},
        {"AnswerCutBeforeOltLevel", exchange(online.mid(0, 8)), std::nullopt, "lacks one"},
        {"Empty", QString(), std::nullopt, "no optical levels"},
    };
}

class OpticalReadingTest : public ::testing::TestWithParam<ReadingCase>
{};

TEST_P(OpticalReadingTest, ReadsOnlyLabelledNumbers)
{
    const ReadingCase &c = GetParam();
    const OpticalReading r = readOntOptics(c.exchange);
    EXPECT_EQ(r.levels, c.levels) << r.reason.toStdString();
    if (c.levels) {
        EXPECT_TRUE(r.reason.isEmpty());
    } else {
        EXPECT_TRUE(r.reason.contains(QString::fromLatin1(c.reasonHas))) << r.reason.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, OpticalReadingTest, ::testing::ValuesIn(readingCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(OpticalLevelsText, StoredFormRoundTrips)
{
    const struct
    {
        OpticalLevels levels;
        const char *text;
    } cases[] = {
        {OpticalLevels::of(-21, -24), "-21*-24*"},
        {OpticalLevels::of(0, 3), "0*3*"},
        {OpticalLevels::offline(), "off*off*"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.levels.text(), QString::fromLatin1(c.text));
        EXPECT_EQ(OpticalLevels::fromText(QString::fromLatin1(c.text)), c.levels) << c.text;
    }
}

TEST(OpticalLevelsText, OtherTextIsNoPair)
{
    for (const char *text : {"", "*", "0*0", "-21*-24", "-21*x*", "a*b*", "off*", "-21*-24**", "--1*2*", "-21.5*-24*"})
        EXPECT_EQ(OpticalLevels::fromText(QString::fromLatin1(text)), std::nullopt) << text;
}

} // namespace
