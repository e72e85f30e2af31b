#include "core/signal_history.h"

#include "test_paths.h"

#include <gtest/gtest.h>

namespace tervix::core {

void PrintTo(const HistoryRecord &r, std::ostream *os)
{
    *os << '#' << r.date.toStdString() << '#' << r.ontRx << '*' << r.oltRx << "*##";
}

} // namespace tervix::core

namespace {

using tervix::core::History;
using tervix::core::historyDate;
using tervix::core::HistoryFileState;
using tervix::core::historyFileName;
using tervix::core::historyNewestDate;
using tervix::core::HistoryRecord;
using tervix::core::HistoryUpdate;
using tervix::core::OpticalLevels;
using tervix::core::parseHistory;
using tervix::core::updateHistory;
using Action = HistoryUpdate::Action;

const QDate kToday(2024, 3, 5);

TEST(SignalHistoryName, DigitsOnly)
{
    EXPECT_EQ(historyFileName(u"0", u"1", u"2", u"5"), QStringLiteral("data-0.1.2.5.ph"));
    EXPECT_EQ(historyFileName(u"0", u"17", u"15", u"127"), QStringLiteral("data-0.17.15.127.ph"));
    // Fields read from the OLT that could name a file elsewhere, or an empty field.
    const QString refused[] = {QStringLiteral(""), QStringLiteral(".."), QStringLiteral("../1"), QStringLiteral("1/2"),
                               QStringLiteral("1\\2"), QStringLiteral(" 1"), QStringLiteral("-1"), QStringLiteral("1.2"),
                               QStringLiteral("1\n"), QStringLiteral("\u0661"), QStringLiteral("12345678901")};
    for (const QString &field : refused) {
        EXPECT_EQ(historyFileName(field, u"1", u"2", u"5"), std::nullopt) << field.toStdString();
        EXPECT_EQ(historyFileName(u"0", field, u"2", u"5"), std::nullopt) << field.toStdString();
        EXPECT_EQ(historyFileName(u"0", u"1", field, u"5"), std::nullopt) << field.toStdString();
        EXPECT_EQ(historyFileName(u"0", u"1", u"2", field), std::nullopt) << field.toStdString();
    }
}

TEST(SignalHistoryDate, DayAndMonthWithoutLeadingZeros)
{
    EXPECT_EQ(historyDate(QDate(2024, 3, 5)), QStringLiteral("5.3.24"));
    EXPECT_EQ(historyDate(QDate(2009, 12, 31)), QStringLiteral("31.12.09"));
}

TEST(SignalHistoryRead, BothLineEnds)
{
    const History expected{QStringLiteral("5.3.24"),
                           {{QStringLiteral("4.3.24"), -20, -22}, {QStringLiteral("5.3.24"), -21, -23}}};
    const QByteArray texts[] = {
        "**5.3.24**\r\n#4.3.24#-20*-22*##\r\n#5.3.24#-21*-23*##\r\n",
        "**5.3.24**\n#4.3.24#-20*-22*##\n#5.3.24#-21*-23*##\n",
        "**5.3.24**\r\n#4.3.24#-20*-22*##\r\n#5.3.24#-21*-23*##",  // no last line end
        "**5.3.24**\r#4.3.24#-20*-22*###5.3.24#-21*-23*##",        // records run together
        "**5.3.24**\r\n#4.3.24#-20*-22*##\r\n#5.3.24#-21*-23*##\r\n#6.3.24#-2", // torn last line
    };
    for (const QByteArray &text : texts) {
        EXPECT_EQ(parseHistory(text), expected) << text.toStdString();
        EXPECT_EQ(historyNewestDate(text), QStringLiteral("5.3.24"));
    }
}

TEST(SignalHistoryRead, NoHeaderIsNoHistory)
{
    for (const QByteArray &text : {QByteArray(), QByteArray("#4.3.24#-20*-22*##\r\n"), QByteArray("garbage"),
                                  QByteArray("*5.3.24*\r\n"), QByteArray("**5.3.24\r\n#4.3.24#-20*-22*##**")}) {
        EXPECT_EQ(parseHistory(text), std::nullopt) << text.toStdString();
        EXPECT_EQ(historyNewestDate(text), QStringLiteral("-"));
    }
}

struct UpdateCase
{
    const char *name;
    HistoryFileState state;
    QByteArray before;
    OpticalLevels levels;
    Action action;
    QByteArray after; // when written
};

void PrintTo(const UpdateCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<UpdateCase> updateCases()
{
    const OpticalLevels reading = OpticalLevels::of(-20, -22);
    const QByteArray yesterday = "**4.3.24**\r\n#3.3.24#-19*-21*##\r\n#4.3.24#-20*-21*##\r\n";
    return {
        {"NoFileGetsHeaderAndRecord", HistoryFileState::Absent, {}, reading, Action::Write,
         "**5.3.24**\r\n#5.3.24#-20*-22*##\r\n"},
        {"EmptyFileHasNothingToLose", HistoryFileState::Read, {}, reading, Action::Write,
         "**5.3.24**\r\n#5.3.24#-20*-22*##\r\n"},
        {"YesterdayGainsToday", HistoryFileState::Read, yesterday, reading, Action::Write,
         "**5.3.24**\r\n#3.3.24#-19*-21*##\r\n#4.3.24#-20*-21*##\r\n#5.3.24#-20*-22*##\r\n"},
        {"LineFeedFileKeepsLineFeeds", HistoryFileState::Read, "**4.3.24**\n#4.3.24#-20*-21*##\n", reading,
         Action::Write, "**5.3.24**\n#4.3.24#-20*-21*##\n#5.3.24#-20*-22*##\n"},
        {"OldRecordsKeptByteForByte", HistoryFileState::Read, "**4.3.24**\r\n#4.3.24#-20*-21*##\n#x#\r\n", reading,
         Action::Write, "**5.3.24**\r\n#4.3.24#-20*-21*##\n#x#\r\n#5.3.24#-20*-22*##\r\n"},
        {"LastRecordWithoutLineEnd", HistoryFileState::Read, "**4.3.24**\r\n#4.3.24#-20*-21*##", reading,
         Action::Write, "**5.3.24**\r\n#4.3.24#-20*-21*##\r\n#5.3.24#-20*-22*##\r\n"},
        {"SecondReadingOfTheDay", HistoryFileState::Read, "**5.3.24**\r\n#5.3.24#-25*-25*##\r\n", reading,
         Action::Keep, {}},
        {"OffAddsNothing", HistoryFileState::Read, yesterday, OpticalLevels::offline(), Action::Keep, {}},
        {"OffWithoutFileAddsNothing", HistoryFileState::Absent, {}, OpticalLevels::offline(), Action::Keep, {}},
        // The history is never thrown away for a file the console cannot read.
        {"UnreadableFileRefused", HistoryFileState::Unreadable, {}, reading, Action::Refuse, {}},
        {"NoHeaderRefused", HistoryFileState::Read, "#3.3.24#-19*-21*##\r\n#4.3.24#-20*-21*##\r\n", reading,
         Action::Refuse, {}},
        {"ForeignTextRefused", HistoryFileState::Read, "\xEF\xBB\xBF**4.3.24**\r\n", reading, Action::Refuse, {}},
    };
}

class SignalHistoryUpdate : public ::testing::TestWithParam<UpdateCase>
{};

TEST_P(SignalHistoryUpdate, OneRecordPerDayAndNoLoss)
{
    const UpdateCase &c = GetParam();
    const HistoryUpdate u = updateHistory(c.state, c.before, kToday, c.levels);
    EXPECT_EQ(u.action, c.action);
    EXPECT_EQ(u.bytes, c.after);
    EXPECT_EQ(u.error.isEmpty(), c.action != Action::Refuse) << u.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, SignalHistoryUpdate, ::testing::ValuesIn(updateCases()),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SignalHistoryUpdateThenRead, WrittenFileReadsBack)
{
    QByteArray file;
    QDate day(2024, 12, 30);
    const OpticalLevels levels[] = {OpticalLevels::of(-20, -22), OpticalLevels::of(-21, -23), OpticalLevels::of(-3, 1)};
    for (const OpticalLevels &l : levels) {
        const HistoryUpdate u = updateHistory(file.isEmpty() ? HistoryFileState::Absent : HistoryFileState::Read, file, day, l);
        ASSERT_EQ(u.action, Action::Write);
        file = u.bytes;
        day = day.addDays(1);
    }
    const History expected{QStringLiteral("1.1.25"),
                           {{QStringLiteral("30.12.24"), -20, -22},
                            {QStringLiteral("31.12.24"), -21, -23},
                            {QStringLiteral("1.1.25"), -3, 1}}};
    EXPECT_EQ(parseHistory(file), expected);
}

} // namespace
