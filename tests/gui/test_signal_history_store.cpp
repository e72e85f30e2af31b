#include "signal/signal_history_store.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tervix;
using Outcome = signal::SignalHistoryStore::RecordResult::Outcome;
using State = signal::SignalHistoryStore::Loaded::State;

namespace {

const QString kOlt = QStringLiteral("OLT01");
const QDate kDay(2024, 3, 5);

class SignalHistoryStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString historyFile() const { return dir.filePath(kOlt + QStringLiteral("/data-0.1.2.5.ph")); }
    Outcome record(const core::OpticalLevels &levels, QDate day) const
    {
        return store.record(kOlt, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                            levels, day)
            .outcome;
    }
    QByteArray fileBytes() const
    {
        QFile f(historyFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    void putFile(const QByteArray &bytes) const
    {
        ASSERT_TRUE(QDir().mkpath(dir.filePath(kOlt)));
        QFile f(historyFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // Every file and folder under the data folder, to show nothing was made.
    QStringList everything() const
    {
        QStringList found;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }

    QTemporaryDir dir;
    signal::SignalHistoryStore store{dir.path()};
};

TEST_F(SignalHistoryStoreTest, FirstReadingOfADayIsWrittenLaterOnesAndOffAreKept)
{
    EXPECT_EQ(record(core::OpticalLevels::offline(), kDay), Outcome::Kept);
    EXPECT_FALSE(QFile::exists(historyFile()));

    EXPECT_EQ(record(core::OpticalLevels::of(-20, -22), kDay), Outcome::Written);
    const QByteArray first = "**5.3.24**\r\n#5.3.24#-20*-22*##\r\n";
    EXPECT_EQ(fileBytes(), first);

    EXPECT_EQ(record(core::OpticalLevels::of(-30, -31), kDay), Outcome::Kept);
    EXPECT_EQ(fileBytes(), first);

    EXPECT_EQ(record(core::OpticalLevels::of(-21, -23), kDay.addDays(1)), Outcome::Written);
    EXPECT_EQ(fileBytes(), "**6.3.24**\r\n#5.3.24#-20*-22*##\r\n#6.3.24#-21*-23*##\r\n");

    const signal::SignalHistoryStore::Loaded loaded = store.load(kOlt, QStringLiteral("0.1.2.5"));
    ASSERT_EQ(loaded.state, State::Read);
    EXPECT_EQ(loaded.history.records,
              (QList<core::HistoryRecord>{{QStringLiteral("5.3.24"), -20, -22}, {QStringLiteral("6.3.24"), -21, -23}}));
}

TEST_F(SignalHistoryStoreTest, HeaderlessFileIsRefusedAndLeftAsItIs)
{
    const QByteArray old = "written by hand\r\n#1.3.24#-20*-22*##\r\n";
    putFile(old);
    const signal::SignalHistoryStore::RecordResult r =
        store.record(kOlt, QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"),
                     core::OpticalLevels::of(-20, -22), kDay);
    EXPECT_EQ(r.outcome, Outcome::Refused);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(fileBytes(), old);
    EXPECT_EQ(store.load(kOlt, QStringLiteral("0.1.2.5")).state, State::NoHeader);
}

TEST_F(SignalHistoryStoreTest, UnreadableFileIsRefusedAndLeftAsItIs)
{
    // A folder where the file should be cannot be read as one, whoever runs
    // the test; replacing it would throw away whatever it holds.
    ASSERT_TRUE(QDir().mkpath(historyFile()));
    QFile inside(historyFile() + QStringLiteral("/keep"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.close();

    EXPECT_EQ(record(core::OpticalLevels::of(-20, -22), kDay), Outcome::Refused);
    EXPECT_TRUE(QFileInfo(historyFile()).isDir());
    EXPECT_TRUE(QFile::exists(historyFile() + QStringLiteral("/keep")));
    EXPECT_EQ(store.load(kOlt, QStringLiteral("0.1.2.5")).state, State::Unreadable);
}

TEST_F(SignalHistoryStoreTest, NamesThatCouldLeaveTheFolderWriteNothing)
{
    struct Case
    {
        QString olt, frame, slot, port, id;
    };
    const Case cases[] = {
        {QStringLiteral(".."), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {QStringLiteral("../x"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {QStringLiteral("a/b"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {QStringLiteral("a\\b"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {QString(), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {kOlt, QStringLiteral(".."), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")},
        {kOlt, QStringLiteral("0"), QStringLiteral("1/../../x"), QStringLiteral("2"), QStringLiteral("5")},
        {kOlt, QStringLiteral("0"), QStringLiteral("1"), QString(), QStringLiteral("5")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((QStringList{c.olt, c.frame, c.slot, c.port, c.id}.join(u'|').toStdString()));
        EXPECT_EQ(store.record(c.olt, c.frame, c.slot, c.port, c.id, core::OpticalLevels::of(-20, -22), kDay).outcome,
                  Outcome::Refused);
    }
    EXPECT_EQ(everything(), QStringList());
    // Writing nothing outside either: the temporary folder's parent has no
    // stray history file.
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).absoluteFilePath(QStringLiteral("../data-0.1.2.5.ph"))));
}

TEST_F(SignalHistoryStoreTest, ChartKeysMapToTheOltFolderOnly)
{
    EXPECT_EQ(store.historyPath(kOlt, QStringLiteral("0.1.2.5")), QDir::cleanPath(historyFile()));
    for (const QString &key : {QStringLiteral("0.1.2"), QStringLiteral("0.1.2.5.6"), QStringLiteral("0.1/...2.5"),
                               QStringLiteral("0.1.2.x"), QString()})
        EXPECT_TRUE(store.historyPath(kOlt, key).isEmpty()) << key.toStdString();
    EXPECT_TRUE(store.historyPath(QStringLiteral(".."), QStringLiteral("0.1.2.5")).isEmpty());
    EXPECT_EQ(store.load(kOlt, QStringLiteral("0.1.2.5")).state, State::Absent);
}

} // namespace
