#include "core/port_optics.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace tervix::core {

void PrintTo(const PortOpticsRow &r, std::ostream *os)
{
    *os << '{' << r.ontId << ' ' << (r.levels ? r.levels->text().toStdString() : std::string("no reading")) << '}';
}

} // namespace tervix::core

namespace {

using tervix::core::OpticalLevels;
using tervix::core::parsePortOptics;
using tervix::core::PortOpticsRow;
using tervix::test::crlf;
using tervix::test::readSample;

const QString kSample = QStringLiteral("display_ont_optical-info_0_all__ntc1.txt");
const QString kAlarmSample = QStringLiteral("DOC_alarm_interleaved__netmiko_issue3559.txt");
const QString kSeparator = QStringLiteral("  ----------------------------------------------------------------------------- ");
const QString kPager = QStringLiteral("---- More ( Press 'Q' to break ) ----\x1b[37D") + QString(37, u' ')
    + QStringLiteral("\x1b[37D");

PortOpticsRow row(int id, int ont, int olt)
{
    return {id, OpticalLevels::of(ont, olt)};
}

// The ten rows of the captured table, levels rounded to whole dBm.
QList<PortOpticsRow> sampleRows()
{
    return {row(0, -25, -23), row(1, -25, -23), row(2, -26, -24), row(3, -25, -22), row(4, -25, -22),
            row(5, -27, -24), row(6, -25, -23), row(7, -25, -24), row(8, -25, -23), row(9, -24, -24)};
}

QString header()
{
    return kSeparator + QStringLiteral("\n  ONT  Rx power  Tx power  OLT Rx ONT  Temperature  Voltage  Current  Distance  \n"
                                       "  ID   (dBm)     (dBm)     power(dBm)  (C)          (V)      (mA)     (m)       \n")
        + kSeparator + u'\n';
}

QString tableRow(const char *id, const char *rx, const char *oltRx)
{
    return QStringLiteral("  %1  %2    3.68      %3      38           3.200    6        171       \n")
        .arg(QString::fromLatin1(id).rightJustified(3), QString::fromLatin1(rx).leftJustified(6),
             QString::fromLatin1(oltRx).leftJustified(6));
}

TEST(PortOptics, CapturedTable)
{
    const QString sample = readSample(kSample);
    EXPECT_EQ(parsePortOptics(sample), sampleRows());
    EXPECT_EQ(parsePortOptics(crlf(sample)), sampleRows());
}

// An alarm the OLT prints between two rows: its lines (some starting with
// numbers and dates) are not rows, and the rows after it still count.
TEST(PortOptics, AlarmInTheMiddle)
{
    const QString sample = readSample(kSample);
    const QString alarm = readSample(kAlarmSample);
    const qsizetype cut = sample.indexOf(QStringLiteral("    5  -26.57"));
    ASSERT_GT(cut, 0);
    const QString alarmBlock = alarm.mid(alarm.indexOf(QStringLiteral("  ! 1 [")));
    const QString listing = sample.left(cut) + alarmBlock.left(alarmBlock.indexOf(QStringLiteral("****")) + 5)
        + QStringLiteral("   12  -19.5, 7 x\n 17/01/2025 00:00:00 -1 -2\n") + sample.mid(cut);
    EXPECT_EQ(parsePortOptics(listing), sampleRows());
}

TEST(PortOptics, PagesJoinedOnOneLine)
{
    const QString sample = readSample(kSample);
    const qsizetype cut = sample.indexOf(QStringLiteral("    5  -26.57"));
    ASSERT_GT(cut, 0);
    EXPECT_EQ(parsePortOptics(sample.left(cut) + kPager + sample.mid(cut)), sampleRows());
}

TEST(PortOptics, OnlyRowsInsideTheTable)
{
    const struct
    {
        const char *name;
        QString listing;
        QList<PortOpticsRow> expected;
    } cases[] = {
        {"DashForALevelIsNoReading",
         header() + tableRow("0", "-", "-22.68") + tableRow("1", "-24.68", "-") + tableRow("2", "-", "-")
             + tableRow("3", "-19.20", "-21.50") + kSeparator,
         {{0, std::nullopt}, {1, std::nullopt}, {2, std::nullopt}, row(3, -19, -22)}},
        {"RowsBeforeTheHeaderOrAfterTheTableIgnored",
         tableRow("7", "-20.00", "-20.00") + header() + tableRow("8", "-21.00", "-21.00") + kSeparator + u'\n'
             + tableRow("9", "-22.00", "-22.00"),
         {row(8, -21, -21)}},
        {"NoHeaderNoRows", kSeparator + u'\n' + tableRow("1", "-20.00", "-20.00") + kSeparator, {}},
        {"FailureInsteadOfTable", QStringLiteral("  Failure: The port does not exist\n"), {}},
        {"Empty", QString(), {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parsePortOptics(c.listing), c.expected) << c.name;
}

} // namespace
