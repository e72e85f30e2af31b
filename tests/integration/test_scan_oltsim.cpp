// The signal scanner against oltsim: passes in both modes fill the list's
// levels and classes, the history files and the critical list from the
// simulator's optical values; answers that hold no reading store nothing;
// a stalled pass is reopened at the ONT it was reading; a refused login stops
// the scanner instead of typing blind into the OLT.
#include "core/optical_reading.h"
#include "core/ont_record.h"
#include "core/signal_class.h"
#include "core/signal_history.h"
#include "core/timing.h"
#include "listed_ont.h"
#include "registry/ont_list.h"
#include "session/olt_connection.h"
#include "signal/scan_controller.h"
#include "simulator.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tervix;
using signal::ScanController;
using signal::ScanMode;

namespace {

const QString kOltKey = QStringLiteral("scanolt");

class ScanOnOltsim : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.1);
        ASSERT_TRUE(dataDir.isValid());
        ASSERT_TRUE(sim.loadFile(test::sourceDir() + QStringLiteral("/tools/oltsim/scenarios/demo.json")))
            << sim.error().toStdString();
        sim.settings().opticsDriftDb = 0;
        ASSERT_TRUE(sim.listen());
    }
    void TearDown() override { timing::setScale(0); }

    // The console's list holds the OLT's ONTs of the given ports.
    void listOnts(const QList<int> &slots = {})
    {
        std::vector<core::OntRecord> rows;
        for (const auto &o : sim.model().onts) {
            if (!slots.isEmpty() && !slots.contains(o.slot))
                continue;
            rows.push_back(test::listedOnt(o));
        }
        list.replaceAll(std::move(rows));
    }

    static core::OntRecord record(bool epon, int frame, int slot, int port, int id, const QString &name)
    {
        core::OntRecord r;
        r.origin = QStringLiteral("-");
        r.ponType = epon ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
        r.frame = QString::number(frame);
        r.slot = QString::number(slot);
        r.port = QString::number(port);
        r.ontId = QString::number(id);
        r.name = name;
        r.serialOrMac = QStringLiteral("X");
        r.active = QStringLiteral("0");
        core::initBasicTexts(r, QString(), QString());
        return r;
    }

    std::unique_ptr<ScanController> makeScanner(ScanMode mode, const QString &password = QStringLiteral("admin123"))
    {
        auto s = std::make_unique<ScanController>(list, dataDir.path());
        s->hooks().sessionReady = [] { return true; };
        s->hooks().oltKey = [] { return kOltKey; };
        const QString address = QStringLiteral("127.0.0.1:%1").arg(sim.serverPort());
        s->hooks().credentials = [address, password] {
            return session::LoginCredentials{address, QStringLiteral("admin"), password, false};
        };
        s->setMode(mode);
        return s;
    }

    static bool runPass(ScanController &s, int timeoutMs = 60000)
    {
        QSignalSpy finished(&s, &ScanController::passFinished);
        s.startPass();
        return QTest::qWaitFor([&] { return finished.count() > 0; }, timeoutMs);
    }

    // The level pair the console must store for what the simulator holds.
    QString expectedLevels(const QString &key) const
    {
        for (const auto &o : sim.model().onts) {
            if (QStringLiteral("%1.%2.%3.%4").arg(o.frame).arg(o.slot).arg(o.port).arg(o.id) != key)
                continue;
            if (!o.online())
                return core::OpticalLevels::offline().text();
            const auto ont = core::leadingLevel(QString::number(o.hw.optics.ontRx, 'f', 2));
            const auto olt = core::leadingLevel(QString::number(o.hw.optics.oltRx, 'f', 2));
            return core::OpticalLevels::of(*ont, *olt).text();
        }
        return QString();
    }

    QString historyOf(const QString &key) const
    {
        QFile f(dataDir.path() + u'/' + kOltKey + QStringLiteral("/data-") + key + QStringLiteral(".ph"));
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(f.readAll());
    }

    static QString keyOf(const core::OntRecord &r)
    {
        return r.frame + u'.' + r.slot + u'.' + r.port + u'.' + r.ontId;
    }

    // Makes some ONTs of slot 1 bad, critical and offline.
    void varyLevels()
    {
        auto &onts = sim.mutableModel().onts;
        int n = 0;
        for (auto &o : onts) {
            if (o.slot != 1)
                continue;
            switch (n++ % 5) {
            case 1: o.hw.optics.ontRx = -26.2; break;            // bad
            case 2: o.hw.optics.oltRx = -30.4; break;            // critical
            case 3: o.present = false; break;                    // off
            default: break;
            }
        }
    }

    QTemporaryDir dataDir;
    oltsim::Simulator sim;
    registry::OntList list;
};

class ScanModes : public ScanOnOltsim, public ::testing::WithParamInterface<ScanMode>
{};

TEST_P(ScanModes, APassStoresTheSimulatorsLevelsClassesAndHistory)
{
    varyLevels();
    // Slot 3 holds the demo's EPON board.
    listOnts({1, 3});
    ASSERT_GT(list.size(), 5);
    ASSERT_TRUE(std::any_of(list.rows().begin(), list.rows().end(),
                            [](const core::OntRecord &r) { return r.ponType == QStringLiteral("E.PON"); }));
    auto scanner = makeScanner(GetParam());
    ASSERT_TRUE(runPass(*scanner)) << scanner->memo().toStdString();

    const QString today = core::historyDate(QDate::currentDate());
    int critical = 0;
    for (int i = 0; i < list.size(); ++i) {
        const core::OntRecord &r = list.record(i);
        const QString key = keyOf(r);
        SCOPED_TRACE(key.toStdString());
        const QString expected = expectedLevels(key);
        EXPECT_EQ(r.levels, expected);
        const auto levels = core::OpticalLevels::fromText(expected);
        ASSERT_TRUE(levels);
        const core::SignalClass cls = core::classifySignal(*levels, core::SignalThresholds{});
        EXPECT_EQ(r.signalClass, core::signalInfoText(cls));
        EXPECT_TRUE(r.signalCell.contains(core::signalStatusText(cls)));
        EXPECT_EQ(r.basicImage, levels->off ? core::RowImage::Offline : core::RowImage::Online);
        if (levels->off) {
            EXPECT_EQ(historyOf(key), QString()) << "an off reading is never recorded";
        } else {
            EXPECT_EQ(historyOf(key), QStringLiteral("**%1**\r\n#%1#%2##\r\n").arg(today, expected));
        }
        if (cls == core::SignalClass::Critical)
            ++critical;
    }
    EXPECT_GT(critical, 0);
    EXPECT_EQ(scanner->criticalRows().size(), critical);
    EXPECT_EQ(scanner->position(), list.size());
    EXPECT_EQ(scanner->lastPass().readings, list.size());

    // A second pass the same day adds no record.
    const QString before = historyOf(keyOf(list.record(0)));
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(historyOf(keyOf(list.record(0))), before);
}

INSTANTIATE_TEST_SUITE_P(, ScanModes, ::testing::Values(ScanMode::WholePort, ScanMode::PerOnt),
                         [](const auto &info) {
                             return info.param == ScanMode::WholePort ? std::string("WholePort")
                                                                      : std::string("PerOnt");
                         });

TEST_F(ScanOnOltsim, WholePortPassReadsEachPortWithOneTable)
{
    listOnts({1});
    auto scanner = makeScanner(ScanMode::WholePort);
    ASSERT_TRUE(runPass(*scanner));
    int perOnt = 0;
    int tables = 0;
    for (const QString &l : sim.receivedTexts(0)) {
        if (l.startsWith(QStringLiteral("display ont optical-info ")))
            (l.endsWith(QStringLiteral(" all")) ? tables : perOnt)++;
    }
    EXPECT_EQ(perOnt, 0);
    EXPECT_EQ(tables, scanner->lastPass().portTables);
    EXPECT_GT(tables, 0);
}

TEST_F(ScanOnOltsim, AnswersWithoutAReadingStoreNothingAndThePassGoesOn)
{
    listOnts({1});
    // An ONT the OLT does not have, and one on a board that is not there: the
    // refused "interface" must not leave the line in configuration mode for
    // the ONTs after it.
    std::vector<core::OntRecord> rows(list.rows());
    rows.insert(rows.begin() + 1, record(false, 0, 1, 0, 99, QStringLiteral("ghost")));
    rows.insert(rows.begin() + 3, record(false, 0, 9, 0, 1, QStringLiteral("no board")));
    list.replaceAll(rows);
    auto scanner = makeScanner(ScanMode::PerOnt);
    ASSERT_TRUE(runPass(*scanner));
    for (int i = 0; i < list.size(); ++i) {
        const core::OntRecord &r = list.record(i);
        SCOPED_TRACE(keyOf(r).toStdString());
        if (r.name == QStringLiteral("ghost") || r.name == QStringLiteral("no board")) {
            EXPECT_EQ(r.levels, QString());
            EXPECT_EQ(historyOf(keyOf(r)), QString());
        } else {
            EXPECT_EQ(r.levels, expectedLevels(keyOf(r)));
        }
    }
    EXPECT_EQ(scanner->lastPass().noReading, 2);
}

TEST_F(ScanOnOltsim, AStalledPassIsReopenedAtTheOntItWasReading)
{
    listOnts({1});
    ASSERT_GT(list.size(), 6);
    auto scanner = makeScanner(ScanMode::PerOnt);
    // The OLT hangs up in the middle of the pass (login, preparation and a few ONTs in).
    sim.setDropAfterCommands(7 + 2 * 4);
    QSignalSpy status(scanner.get(), &ScanController::passStatusChanged);
    QSignalSpy finished(scanner.get(), &ScanController::passFinished);
    scanner->startPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner->passStatus().contains(QStringLiteral("dropped")); }, 30000));
    sim.setDropAfterCommands(-1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() > 0; }, 90000)) << scanner->passStatus().toStdString();

    QString resumed;
    for (const auto &args : status)
        if (args.at(0).toString().contains(QStringLiteral("continue skan od/from ")))
            resumed = args.at(0).toString();
    ASSERT_FALSE(resumed.isEmpty()) << [&] {
        QStringList all;
        for (const auto &args : status)
            all << args.at(0).toString();
        for (const auto &l : sim.receivedLines())
            all << QString::number(l.session) + QStringLiteral(": ") + l.line;
        return all.join(u'\n').toStdString();
    }();
    const int resumeRow = resumed.section(QStringLiteral("from "), 1).toInt();
    EXPECT_GT(resumeRow, 0);
    // The second line's first optical read is the ONT the first line was reading.
    const core::OntRecord &r = list.record(resumeRow);
    QString firstRead;
    for (const auto &l : sim.receivedLines())
        if (l.session == 2 && l.line.startsWith(QStringLiteral("display ont optical-info "))) {
            firstRead = l.line;
            break;
        }
    EXPECT_EQ(firstRead, QStringLiteral("display ont optical-info %1 %2").arg(r.port, r.ontId));
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.record(i).levels, expectedLevels(keyOf(list.record(i))));
}

TEST_F(ScanOnOltsim, ARefusedLoginStopsScanningWithoutTypingIntoIt)
{
    listOnts({1});
    auto scanner = makeScanner(ScanMode::WholePort, QStringLiteral("wrong"));
    QSignalSpy refused(scanner.get(), &ScanController::loginRefused);
    scanner->startPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return refused.count() > 0; }, 30000));
    EXPECT_TRUE(refused.first().at(0).toString().contains(QStringLiteral("invalid")));
    EXPECT_FALSE(scanner->running());
    // Nothing after the password, and no new attempt for longer than the
    // watchdog would wait.
    QTest::qWait(timing::scaled((timing::kScanWatchdogLimit + 4) * timing::kScanWatchdogTickMs));
    QStringList typed;
    int sessions = 0;
    for (const auto &l : sim.receivedLines()) {
        typed << l.line;
        sessions = std::max(sessions, l.session);
    }
    EXPECT_EQ(typed, (QStringList{QStringLiteral("admin"), QStringLiteral("wrong")}));
    EXPECT_EQ(sessions, 1);
    EXPECT_TRUE(scanner->passStatus().contains(QStringLiteral("Login refused")));
}

} // namespace

namespace {

QStringList opticalReads(const oltsim::Simulator &sim)
{
    QStringList reads;
    for (const QString &l : sim.receivedTexts(0))
        if (l.startsWith(QStringLiteral("display ont optical-info ")))
            reads << l;
    return reads;
}

QString readOf(const core::OntRecord &r)
{
    return QStringLiteral("display ont optical-info %1 %2").arg(r.port, r.ontId);
}

TEST_F(ScanOnOltsim, ScanFromReadsTheChosenOntFirstOutsideAPassAndOnceInsideOne)
{
    listOnts({1});
    const int n = list.size();
    ASSERT_GT(n, 8);
    auto scanner = makeScanner(ScanMode::PerOnt);

    // Outside a pass: the chosen ONT, then the whole list from the top.
    QSignalSpy finished(scanner.get(), &ScanController::passFinished);
    scanner->scanFrom(4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 60000));
    QStringList reads = opticalReads(sim);
    ASSERT_EQ(reads.size(), n + 1);
    EXPECT_EQ(reads.first(), readOf(list.record(4)));
    EXPECT_EQ(reads.mid(1, 2), (QStringList{readOf(list.record(0)), readOf(list.record(1))}));

    // During a pass: once, then back to the ONT being read, and on from there.
    const qsizetype before = reads.size();
    scanner->startPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner->position() >= 3; }, 30000));
    const int being = scanner->position();
    scanner->scanFrom(n - 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 60000));
    reads = opticalReads(sim).mid(before);
    EXPECT_EQ(reads.size(), n + 2);
    const qsizetype at = reads.indexOf(readOf(list.record(n - 1)));
    ASSERT_GT(at, 0);
    EXPECT_EQ(reads.mid(at - 1, 4), (QStringList{readOf(list.record(being)), readOf(list.record(n - 1)),
                                                 readOf(list.record(being)), readOf(list.record(being + 1))}));
}

TEST_F(ScanOnOltsim, StatusReadsComeFirstOnceAndEveryTenReadingsWithTheFastOption)
{
    listOnts({1});
    const int n = list.size();
    auto statusReads = [&] { return sim.receivedTexts(0).count(QStringLiteral("display ont info 0 all")); };
    auto scanner = makeScanner(ScanMode::PerOnt);
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(statusReads(), 1) << "the first pass after the start begins with one";
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(statusReads(), 1) << "later passes read the levels only";
    scanner->setFastStatus(true);
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(statusReads(), 1 + n / 10);
    EXPECT_EQ(list.oltOntCount(), int(sim.model().onts.size()));
}

} // namespace

namespace {

struct OddAnswer
{
    const char *name;
    ScanMode mode;
    std::function<void(oltsim::Simulator &)> fault;
};

class OddAnswers : public ScanOnOltsim, public ::testing::WithParamInterface<OddAnswer>
{};

// An alarm in the middle of an answer and stray bytes on the lines: every
// reading is the simulator's or none, never a level made of the noise.
TEST_P(OddAnswers, NoReadingIsMadeOfNoise)
{
    listOnts({1, 3});
    GetParam().fault(sim);
    auto scanner = makeScanner(GetParam().mode);
    ASSERT_TRUE(runPass(*scanner));
    int read = 0;
    for (int i = 0; i < list.size(); ++i) {
        const core::OntRecord &r = list.record(i);
        SCOPED_TRACE(keyOf(r).toStdString());
        if (r.levels.isEmpty())
            continue;
        ++read;
        EXPECT_EQ(r.levels, expectedLevels(keyOf(r)));
    }
    EXPECT_GT(read, list.size() / 2);
}

INSTANTIATE_TEST_SUITE_P(
    , OddAnswers,
    ::testing::Values(
        OddAnswer{"AlarmInEveryOpticalAnswerPerOnt", ScanMode::PerOnt,
                  [](oltsim::Simulator &s) { s.setAlarmInAnswers(-1, QStringLiteral("optical-info")); }},
        OddAnswer{"AlarmInEveryAnswerWholePort", ScanMode::WholePort,
                  [](oltsim::Simulator &s) { s.setAlarmInAnswers(-1); }},
        OddAnswer{"StrayBytesPerOnt", ScanMode::PerOnt, [](oltsim::Simulator &s) { s.setGarbageEveryLines(3); }},
        OddAnswer{"StrayBytesWholePort", ScanMode::WholePort,
                  [](oltsim::Simulator &s) { s.setGarbageEveryLines(2); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScanOnOltsim, AnUnreadLevelIsAskedForAloneAndStoresNothingWhileARemarkIsPassedOver)
{
    auto &onts = sim.mutableModel().onts;
    core::OntRecord unread, remarked;
    for (auto &o : onts) {
        if (o.slot != 1 || !o.online())
            continue;
        if (unread.slot.isEmpty()) {
            o.hw.optics.oltRxUnread = true;
            unread = record(false, o.frame, o.slot, o.port, o.id, o.description);
        } else if (remarked.slot.isEmpty()) {
            o.hw.optics.oltRx = -30.12;
            o.hw.optics.oltRxRemark = QStringLiteral("out of range");
            remarked = record(false, o.frame, o.slot, o.port, o.id, o.description);
            break;
        }
    }
    ASSERT_FALSE(remarked.slot.isEmpty());
    list.replaceAll({unread, remarked});
    auto scanner = makeScanner(ScanMode::WholePort);
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(list.record(0).levels, QString());
    EXPECT_EQ(historyOf(keyOf(unread)), QString());
    EXPECT_EQ(opticalReads(sim).count(readOf(unread)), 1) << "the table's \"-\" is asked for alone";
    EXPECT_EQ(list.record(1).levels, expectedLevels(keyOf(remarked)));

    // The single ONT's answer carries the remark after the number.
    scanner->setMode(ScanMode::PerOnt);
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_TRUE(list.record(1).levels.endsWith(QStringLiteral("*-30*")));
    EXPECT_EQ(list.record(1).signalClass, QStringLiteral("critical"));
}

TEST_F(ScanOnOltsim, AListingCutByADropIsNeverTakenWhole)
{
    listOnts({1, 2});
    auto scanner = makeScanner(ScanMode::WholePort);
    ASSERT_TRUE(runPass(*scanner));
    const int count = list.oltOntCount();
    ASSERT_EQ(count, int(sim.model().onts.size()));
    for (int i = 0; i < list.size(); ++i)
        list.setLevels(i, QString());

    auto lines = [&] {
        int last = 0;
        for (const auto &l : sim.receivedLines())
            last = std::max(last, l.session);
        return last;
    };
    // The next pass loses its line in the state listing, and again in a port's table.
    sim.setDropInListing(8, QStringLiteral("display ont info"), 1);
    ASSERT_TRUE(runPass(*scanner, 90000));
    EXPECT_EQ(lines(), 2);
    EXPECT_EQ(list.oltOntCount(), count);
    sim.setDropInListing(6, QStringLiteral("optical-info"), 1);
    ASSERT_TRUE(runPass(*scanner, 90000));
    EXPECT_EQ(lines(), 3);
    EXPECT_EQ(list.oltOntCount(), count);
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.record(i).levels, expectedLevels(keyOf(list.record(i))));
}

} // namespace

namespace {

// Wall time (the spacing of the attempts), so it runs alone. An OLT that never
// answers the login is tried again after the watchdog's wait, and each later
// attempt waits twice as long, so an account is not hammered every half minute.
TEST_F(ScanOnOltsim, WallClockALoginThatIsNeverAnsweredIsRetriedLessAndLessOften)
{
    listOnts({1});
    sim.setLoginNeverAnswers(true);
    auto scanner = makeScanner(ScanMode::WholePort);
    auto sessions = [&] {
        int last = 0;
        for (const auto &l : sim.receivedLines())
            last = std::max(last, l.session);
        return last;
    };
    scanner->startPass();
    // Attempts start at about 0, 3.8 and 10.5 s at this scale; at a fixed
    // half-minute pace (scaled) the third would come at about 7.6 s.
    ASSERT_TRUE(QTest::qWaitFor([&] { return sessions() >= 2; }, 20000));
    QTest::qWait(timing::scaled(45'000));
    EXPECT_EQ(sessions(), 2);
    EXPECT_TRUE(scanner->passStatus().contains(QStringLiteral("does not answer the login")))
        << scanner->passStatus().toStdString();
    for (const QString &l : sim.receivedTexts(0))
        EXPECT_NE(l, QStringLiteral("enable")) << "nothing is typed into a login that was not answered";
}

} // namespace

namespace {

// After the main window's login the first pass starts by itself once the
// working session is ready; the import's stop request ends a pass after the
// ONT being read, and the next pass starts at the first ONT.
TEST_F(ScanOnOltsim, APassFollowsTheLoginAndAStopRequestEndsIt)
{
    listOnts({1});
    auto scanner = makeScanner(ScanMode::PerOnt);
    bool ready = false;
    scanner->hooks().sessionReady = [&ready] { return ready; };
    QSignalSpy finished(scanner.get(), &ScanController::passFinished);

    scanner->afterWorkingLogin();
    QTest::qWait(timing::scaled(3 * timing::kScanDelayedStartMs));
    EXPECT_FALSE(scanner->running());
    EXPECT_TRUE(sim.receivedLines().isEmpty()) << "nothing before the session is ready";
    ready = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 60000));

    scanner->startPass();
    ASSERT_TRUE(QTest::qWaitFor([&] { return scanner->position() >= 3; }, 30000));
    const qsizetype readsBefore = opticalReads(sim).size();
    scanner->stopRequest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !scanner->running(); }, 30000));
    QTest::qWait(timing::scaled(2000));
    EXPECT_LE(opticalReads(sim).size(), readsBefore + 1) << "at most the ONT being read";
    EXPECT_EQ(finished.count(), 1) << "an ended pass is not a finished one";

    const qsizetype before = opticalReads(sim).size();
    ASSERT_TRUE(runPass(*scanner));
    EXPECT_EQ(opticalReads(sim).mid(before).first(), readOf(list.record(0)));
}

} // namespace
