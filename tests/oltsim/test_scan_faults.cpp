// What the signal scanner meets on a real OLT, switched on in the simulator:
// an alarm report in the middle of an answer, levels with a remark or without
// a reading, offline ONTs, EPON port tables, a listing that breaks off with
// the connection, a generated site of every signal class, and the line
// latency on every kind of line typed.
#include "core/port_optics.h"
#include "core/signal_class.h"
#include "scenario.h"
#include "sim_client.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {

const QString kScanPriv = QStringLiteral("OLT-SCAN#");
const QString kGpon = QStringLiteral("OLT-SCAN(config-if-gpon-0/1)#");
const QString kEpon = QStringLiteral("OLT-SCAN(config-if-epon-0/3)#");
const QString kMore = QStringLiteral("---- More ( Press 'Q' to break ) ----");

const QByteArray kSite = R"({
    "hostname": "OLT-SCAN",
    "users": [{"name": "admin", "password": "admin123"}],
    "boards": [{"slot": 0, "name": "H801MCUD", "type": "control"},
               {"slot": 1, "name": "H805GPFD", "type": "gpon", "ports": 4},
               {"slot": 3, "name": "H802EPBD", "type": "epon", "ports": 4}],
    "onts": [
        {"place": "0/1/0", "id": 0, "sn": "48575443A0000000", "optics": {"ontRx": -21.30, "oltRx": -23.50}},
        {"place": "0/1/0", "id": 1, "sn": "48575443A0000001",
         "optics": {"ontRx": -29.40, "oltRx": -30.12, "ontRxRemark": "out of range", "oltRxRemark": "out of range"}},
        {"place": "0/1/0", "id": 2, "sn": "48575443A0000002", "optics": {"ontRx": "-", "oltRx": "-"}},
        {"place": "0/1/0", "id": 3, "sn": "48575443A0000003", "online": false},
        {"place": "0/1/0", "id": 4, "sn": "48575443A0000004", "optics": {"ontRx": -19.75, "oltRx": "-"}},
        {"place": "0/1/1", "id": 0, "sn": "48575443A0000005", "online": false},
        {"place": "0/3/0", "id": 0, "mac": "00e0-fc00-0001", "optics": {"ontRx": -18.40, "oltRx": -20.10}},
        {"place": "0/3/0", "id": 1, "mac": "00e0-fc00-0002", "online": false},
        {"place": "0/3/0", "id": 2, "mac": "00e0-fc00-0003", "optics": {"ontRx": -26.05, "oltRx": "-"}}
    ]})";

// The lines of an answer: without the echo line, the closing empty line and the prompt.
QStringList answerLines(QString answer, const QString &prompt)
{
    answer = answer.mid(answer.indexOf(QLatin1Char('\n')) + 1);
    answer.chop(prompt.size());
    QStringList lines = answer.split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The blank-separated fields of the table row of ONT id.
QStringList rowOf(const QStringList &lines, int id)
{
    for (const QString &l : lines) {
        const QStringList fields = l.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!fields.isEmpty() && l.startsWith(QStringLiteral("  ")) && fields.first() == QString::number(id) && fields.size() >= 8)
            return fields;
    }
    return {};
}

// Where each field of a line starts.
QList<int> fieldStarts(const QString &line)
{
    QList<int> starts;
    for (int i = 0; i < line.size(); ++i) {
        if (line.at(i) != QLatin1Char(' ') && (i == 0 || line.at(i - 1) == QLatin1Char(' ')))
            starts << i;
    }
    return starts;
}

class ScanSite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.loadJson(kSite)) << sim.error().toStdString();
        ASSERT_TRUE(sim.listen(QHostAddress::LocalHost, 0)) << sim.error().toStdString();
        client = std::make_unique<SimClient>(sim);
        // Each line's prompt differs from the one before, so the last prompt
        // means every line is answered.
        ASSERT_TRUE(client->typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("undo smart"), QStringLiteral("scroll 512"),
                                       QStringLiteral("enable")},
                                      kScanPriv));
    }
    // Answer lines of a command typed in interface mode of board `slot` (1 GPON, 3 EPON).
    QStringList inInterface(int slot, const QString &command)
    {
        const QString prompt = slot == 3 ? kEpon : kGpon;
        if (m_slot != slot) {
            const QString enter = slot == 3 ? QStringLiteral("interface epon 0/3") : QStringLiteral("interface gpon 0/1");
            EXPECT_TRUE(client->typeBlind({m_slot ? QStringLiteral("quit") : QStringLiteral("config"), enter}, prompt));
            m_slot = slot;
        }
        return answerLines(client->run(command, prompt), prompt);
    }
    Simulator sim;
    std::unique_ptr<SimClient> client;

private:
    int m_slot = 0;
};

// An alarm report read into its parts, for comparing a capture with the simulator.
struct AlarmParts
{
    QString opening;                 // "  ! N [date]:", digits and signs masked
    QString alarmLine;               // the ALARM line joined, digits and signs masked
    QStringList labels;              // in order
    QMap<QString, QString> text;     // label -> its text, continuation lines joined
    QSet<int> continuationIndents;   // of labelled fields' further lines
    QSet<int> alarmLineIndents;      // of the ALARM line's further lines
    QString closing;
};

QString masked(QString s)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    s.replace(digits, QStringLiteral("#"));
    s.replace(QRegularExpression(QStringLiteral("[+-]#:#")), QStringLiteral("~#:#"));
    return s;
}

int indentOf(const QString &line)
{
    int n = 0;
    while (n < line.size() && line.at(n) == QLatin1Char(' '))
        ++n;
    return n;
}

AlarmParts alarmParts(const QStringList &block)
{
    static const QRegularExpression labelled(QStringLiteral("^  ([A-Z][A-Z ]*[A-Z]) *: (.*)$"));
    AlarmParts a;
    if (block.size() < 4)
        return a;
    a.opening = masked(block.at(0));
    EXPECT_TRUE(block.at(1).isEmpty()) << "no empty line after the opening line";
    QString label;
    for (qsizetype i = 2; i < block.size(); ++i) {
        const QString &line = block.at(i);
        if (line.startsWith(QStringLiteral("  --- END"))) {
            a.closing = line;
            break;
        }
        if (const auto m = labelled.match(line); m.hasMatch()) {
            label = m.captured(1);
            a.labels << label;
            a.text[label] = m.captured(2).simplified();
        } else if (label.isEmpty()) {
            if (i > 2)
                a.alarmLineIndents << indentOf(line);
            a.alarmLine = (a.alarmLine + QLatin1Char(' ') + line).simplified();
        } else {
            a.continuationIndents << indentOf(line);
            a.text[label] = (a.text[label] + QLatin1Char(' ') + line).simplified();
        }
    }
    a.alarmLine = masked(a.alarmLine);
    return a;
}

QStringList blockAt(const QStringList &lines, qsizetype *from)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(QStringLiteral("  ! "))) {
            start = i;
            break;
        }
    }
    *from = start;
    if (start < 0)
        return {};
    for (qsizetype i = start; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(QStringLiteral("  --- END")))
            return lines.mid(start, i - start + 1);
    }
    return lines.mid(start);
}

} // namespace

TEST_F(ScanSite, AlarmReportSitsInTheMiddleOfAnAnswerInTheCapturedLayout)
{
    const QStringList plain = inInterface(1, QStringLiteral("display ont optical-info 0 all"));
    sim.setAlarmInAnswers(1);
    const QStringList noisy = inInterface(1, QStringLiteral("display ont optical-info 0 all"));

    qsizetype at = -1;
    const QStringList block = blockAt(noisy, &at);
    ASSERT_GT(at, 0) << noisy.join(u'\n').toStdString();
    // Answer lines on both sides, and without the report the answer is whole.
    const qsizetype after = at + block.size();
    EXPECT_LT(after, noisy.size());
    EXPECT_EQ(noisy.mid(0, at) + noisy.mid(after), plain);

    const QStringList capture = tervix::test::readSample(QStringLiteral("DOC_alarm_interleaved__netmiko_issue3559.txt")).split(u'\n');
    qsizetype captureAt = -1;
    const AlarmParts want = alarmParts(blockAt(capture, &captureAt));
    const AlarmParts got = alarmParts(block);
    ASSERT_FALSE(want.labels.isEmpty());
    EXPECT_EQ(got.opening, want.opening);
    EXPECT_EQ(got.alarmLine, want.alarmLine);
    EXPECT_EQ(got.labels, want.labels);
    EXPECT_EQ(got.continuationIndents, want.continuationIndents);
    EXPECT_EQ(got.alarmLineIndents, want.alarmLineIndents);
    EXPECT_EQ(block.last(), QStringLiteral("  --- END"));
    for (const QString &label : want.labels) {
        if (label != QLatin1String("PARAMETERS")) {
            EXPECT_EQ(got.text.value(label), want.text.value(label)) << label.toStdString();
        }
    }
    // The report names the ONT that is off the fibre.
    EXPECT_EQ(got.text.value(QStringLiteral("PARAMETERS")), QStringLiteral("FrameID: 0, SlotID: 1, PortID: 0, ONT ID: 3, Equipment ID: EG8145V5"));
    // Lines fill up to column 78 as the capture's do; a line whose text goes
    // on on the next one keeps the space after its last word.
    static const QRegularExpression paragraph(QStringLiteral("^ {16}\\(\\d\\) "));
    for (qsizetype i = 2; i + 1 < block.size(); ++i) {
        const QString &line = block.at(i);
        EXPECT_LE(line.trimmed().size() + indentOf(line), 78) << line.toStdString();
        const QString &next = block.at(i + 1);
        const bool goesOn = indentOf(next) == 0 || (indentOf(next) == 16 && !paragraph.match(next).hasMatch());
        EXPECT_EQ(line.endsWith(QLatin1Char(' ')), goesOn) << line.toStdString();
    }

    // One answer asked for: the next is plain again.
    EXPECT_EQ(inInterface(1, QStringLiteral("display ont optical-info 0 all")), plain);
}

TEST_F(ScanSite, AlarmGoesIntoTheAnswersItIsAskedFor)
{
    struct Case
    {
        const char *fault;
        QList<QPair<QString, bool>> commands; // command, alarm expected
    };
    const QList<Case> cases = {
        {"alarm=1", {{QStringLiteral("display ont info 0 all"), true}, {QStringLiteral("display ont optical-info 0 all"), false}}},
        {"alarm=*:optical-info",
         {{QStringLiteral("display ont info 0 all"), false},
          {QStringLiteral("display ont optical-info 0 all"), true},
          {QStringLiteral("display ont optical-info 0 0"), true}}},
        // A one-line answer has no middle: it neither gets a report nor uses one up.
        {"alarm=1:optical-info", {{QStringLiteral("display ont optical-info 0 3"), false}, {QStringLiteral("display ont optical-info 0 4"), true}}},
    };
    for (const Case &k : cases) {
        Faults f;
        ASSERT_EQ(applyFaultOption(f, QString::fromLatin1(k.fault)), QString());
        sim.setFaults(f);
        for (const auto &[command, expected] : k.commands) {
            qsizetype at = -1;
            blockAt(inInterface(1, command), &at);
            EXPECT_EQ(at > 0, expected) << k.fault << ": " << command.toStdString();
        }
    }
}

TEST_F(ScanSite, LevelsWithARemarkOrWithoutAReading)
{
    struct Case
    {
        int slot;
        QString command;
        QStringList lines;
    };
    const QList<Case> cases = {
        {1, QStringLiteral("display ont optical-info 0 1"),
         {QStringLiteral("  Rx optical power(dBm)                  : -29.40, out of range"),
          QStringLiteral("  OLT Rx ONT optical power(dBm)          : -30.12, out of range")}},
        {1, QStringLiteral("display ont optical-info 0 2"),
         {QStringLiteral("  Rx optical power(dBm)                  : -"), QStringLiteral("  OLT Rx ONT optical power(dBm)          : -")}},
        {1, QStringLiteral("display ont optical-info 0 4"),
         {QStringLiteral("  Rx optical power(dBm)                  : -19.75"), QStringLiteral("  OLT Rx ONT optical power(dBm)          : -")}},
        {3, QStringLiteral("display ont optical-info 0 2"),
         {QStringLiteral("  Module type                            : EPON"), QStringLiteral("  Rx optical power(dBm)                  : -26.05"),
          QStringLiteral("  OLT Rx ONT optical power(dBm)          : -")}},
    };
    for (const Case &k : cases) {
        const QStringList answer = inInterface(k.slot, k.command);
        for (const QString &line : k.lines)
            EXPECT_TRUE(answer.contains(line)) << k.command.toStdString() << ": no line [" << line.toStdString() << "] in\n"
                                               << answer.join(u'\n').toStdString();
    }

    // The port table: "-" in the level columns; a remark is the single answer's alone.
    const QStringList table = inInterface(1, QStringLiteral("display ont optical-info 0 all"));
    const QList<QPair<int, QStringList>> rows = {
        {1, {QStringLiteral("-29.40"), QStringLiteral("-30.12")}},
        {2, {QStringLiteral("-"), QStringLiteral("-")}},
        {4, {QStringLiteral("-19.75"), QStringLiteral("-")}},
    };
    for (const auto &[id, levels] : rows) {
        const QStringList row = rowOf(table, id);
        ASSERT_FALSE(row.isEmpty()) << "no row of ONT " << id;
        EXPECT_EQ((QStringList{row.at(1), row.at(3)}), levels) << "ONT " << id;
    }
}

TEST_F(ScanSite, OfflineOntsAreNotOnlineAndOutOfThePortTable)
{
    struct Case
    {
        int slot;
        QString command;
        QStringList answer;     // the whole answer, or empty for a table
        QList<int> rows;        // the table's ONTs
    };
    const QList<Case> cases = {
        {1, QStringLiteral("display ont optical-info 0 3"), {QStringLiteral("  Failure: The ONT is not online")}, {}},
        {3, QStringLiteral("display ont optical-info 0 1"), {QStringLiteral("  Failure: The ONT is not online")}, {}},
        {1, QStringLiteral("display ont optical-info 0 all"), {}, {0, 1, 2, 4}},
        {3, QStringLiteral("display ont optical-info 0 all"), {}, {0, 2}},
        // a port whose every ONT is offline, and one without ONTs
        {1, QStringLiteral("display ont optical-info 1 all"), {QStringLiteral("  Failure: The ONT is not online")}, {}},
        {1, QStringLiteral("display ont optical-info 2 all"), {QStringLiteral("  Failure: The ONT does not exist")}, {}},
    };
    for (const Case &k : cases) {
        const QStringList answer = inInterface(k.slot, k.command);
        if (!k.answer.isEmpty()) {
            EXPECT_EQ(answer, k.answer) << k.command.toStdString();
            continue;
        }
        QList<int> ids;
        for (const tervix::core::PortOpticsRow &r : tervix::core::parsePortOptics(answer.join(u'\n')))
            ids << r.ontId;
        EXPECT_EQ(ids, k.rows) << k.command.toStdString();
    }
}

TEST_F(ScanSite, EponPortTableHasTheCapturedGponLayout)
{
    const QStringList capture = tervix::test::readSample(QStringLiteral("display_ont_optical-info_0_all__ntc1.txt")).split(u'\n');
    qsizetype header = -1;
    for (qsizetype i = 0; i < capture.size() && header < 0; ++i) {
        if (capture.at(i).startsWith(QStringLiteral("  ONT  Rx power")))
            header = i;
    }
    ASSERT_GT(header, 0);
    const QStringList table = inInterface(3, QStringLiteral("display ont optical-info 0 all"));
    ASSERT_GE(table.size(), 6) << table.join(u'\n').toStdString();
    // Separators, both header lines and the separator under them, character for character.
    EXPECT_EQ(table.mid(0, 4), capture.mid(header - 1, 4));
    const QList<int> columns = fieldStarts(capture.at(header + 3));
    for (const int id : {0, 2}) {
        const auto row = std::find_if(table.begin(), table.end(), [&](const QString &l) { return l.startsWith(QStringLiteral("    %1  ").arg(id)); });
        ASSERT_NE(row, table.end()) << "no row of ONT " << id;
        EXPECT_EQ(fieldStarts(*row), columns) << row->toStdString();
    }
    // The console's reader of the GPON table reads it.
    const QList<tervix::core::PortOpticsRow> rows = tervix::core::parsePortOptics(table.join(u'\n'));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).levels, tervix::core::OpticalLevels::of(-18, -20));
    EXPECT_EQ(rows.at(1).ontId, 2);
    EXPECT_FALSE(rows.at(1).levels.has_value());
}

TEST(SimFaults, ListingBreaksOffAndTheConnectionCloses)
{
    struct Case
    {
        QJsonObject faults;
        QStringList preparation;
        QString prompt;
        QString command;
        int lines;
    };
    const QString priv = QStringLiteral("OLT-LOAD#");
    const QString gpon = QStringLiteral("OLT-LOAD(config-if-gpon-0/1)#");
    const QList<Case> cases = {
        // paged: the cut comes on the second page
        {{{QStringLiteral("dropListingAfterLines"), 30}, {QStringLiteral("dropListingCommandText"), QStringLiteral("display ont info")}},
         {},
         priv,
         QStringLiteral("display ont info 0 all"),
         30},
        {{{QStringLiteral("dropListingAfterLines"), 6}},
         {QStringLiteral("config"), QStringLiteral("interface gpon 0/1")},
         gpon,
         QStringLiteral("display ont optical-info 0 all"),
         6},
    };
    for (const Case &k : cases) {
        QJsonObject site = generateScenario(1000);
        site.insert(QStringLiteral("faults"), k.faults);
        Simulator sim;
        ASSERT_TRUE(sim.loadJson(QJsonDocument(site).toJson())) << sim.error().toStdString();
        ASSERT_TRUE(sim.listen(QHostAddress::LocalHost, 0));
        const QStringList login{QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("undo smart"), QStringLiteral("enable")};

        SimClient cut(sim);
        ASSERT_TRUE(cut.typeBlind(login + k.preparation, k.prompt));
        cut.type(k.command);
        // Paged as the console pages: a double quote and a carriage return at each page prompt.
        qsizetype pages = 0;
        while (QTest::qWaitFor([&] { return cut.dropped || cut.text.count(kMore) > pages; }, 20000) && !cut.dropped) {
            ++pages;
            cut.type(QStringLiteral("\""));
        }
        ASSERT_TRUE(cut.dropped) << k.command.toStdString();
        QString got = cut.take();
        got.remove(kMore + QStringLiteral("\x1b[37D") + QString(37, QLatin1Char(' ')) + QStringLiteral("\x1b[37D"));
        QStringList gotLines = got.split(QStringLiteral("\r\n")).mid(1);
        EXPECT_EQ(gotLines.takeLast(), QString()) << "the cut ends with a whole line and no prompt";

        // The fault is used up: a second session gets past that line, its
        // first page (or the whole listing) coming without a cut.
        SimClient whole(sim);
        ASSERT_TRUE(whole.typeBlind(QStringList{QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("undo smart"),
                                                QStringLiteral("scroll 512"), QStringLiteral("enable")}
                                        + k.preparation,
                                    k.prompt));
        const qsizetype mark = whole.text.size();
        whole.type(k.command);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return whole.text.size() > mark + k.command.size() && (whole.text.endsWith(kMore) || whole.text.endsWith(k.prompt)); }, 20000));
        EXPECT_FALSE(whole.dropped);
        const QStringList reference = whole.take().split(QStringLiteral("\r\n")).mid(1);
        ASSERT_GT(reference.size(), k.lines);
        EXPECT_EQ(gotLines, reference.mid(0, k.lines)) << k.command.toStdString();
    }
}

TEST(SimScenario, GeneratedThousandOntSiteHasEverySignalClassOverSixteenPorts)
{
    Simulator sim;
    ASSERT_TRUE(sim.loadGenerated(1000)) << sim.error().toStdString();
    ASSERT_EQ(sim.model().onts.size(), 1000);
    using tervix::core::SignalClass;
    QSet<QString> ports;
    QSet<QString> eponPorts;
    QMap<SignalClass, int> classes;
    for (const Ont &o : sim.model().onts) {
        ports.insert(o.place());
        if (o.epon)
            eponPorts.insert(o.place());
        const auto level = [](double v) { return *tervix::core::leadingLevel(QString::number(v, 'f', 2)); };
        const tervix::core::OpticalLevels levels = o.online()
            ? tervix::core::OpticalLevels::of(level(o.hw.optics.ontRx), level(o.hw.optics.oltRx))
            : tervix::core::OpticalLevels::offline();
        ++classes[tervix::core::classifySignal(levels, tervix::core::SignalThresholds{})];
    }
    EXPECT_EQ(ports.size(), 16);
    EXPECT_FALSE(eponPorts.isEmpty());
    for (const SignalClass c : {SignalClass::Normal, SignalClass::Bad, SignalClass::Critical, SignalClass::Off})
        EXPECT_GT(classes.value(c), 0) << "class " << int(c);
}

TEST(SimFaults, FaultOptionsAreRefusedWhenMalformed)
{
    for (const char *option : {"alarm=", "alarm=x:optical-info", "drop-in-listing=", "drop-in-listing=-3", "drop-in-listing=5/x", "sunspots"}) {
        Faults f;
        EXPECT_FALSE(applyFaultOption(f, QString::fromLatin1(option)).isEmpty()) << option;
    }
}

TEST(SimFaults, LineLatencyDelaysEveryKindOfLineWallClock)
{
    constexpr int kLatencyMs = 200;
    Simulator sim;
    test::startDemo(sim);
    sim.setLineLatencyMs(kLatencyMs);
    SimClient c(sim);
    ASSERT_TRUE(c.waitFor(QStringLiteral(">>User name:")));
    const QString gpon = QStringLiteral("MA5608T-DEMO(config-if-gpon-0/1)#");
    struct Step
    {
        QString line;
        QString until;      // output that comes only once the line is acted on
        bool measured;
    };
    const QList<Step> steps = {
        {QStringLiteral("admin"), QStringLiteral(">>User password:"), true},
        {QStringLiteral("admin123"), kUser, true},
        {QString(), QStringLiteral("\r\n") + kUser, true},                       // an empty line
        {QStringLiteral("enable"), kPriv, true},
        {QStringLiteral("display ont info 0 all"), QStringLiteral("{ <cr>||<K> }: "), true},
        {QString(), QStringLiteral("  Command:"), true},                         // Enter at the smart prompt
        {QStringLiteral("\""), QStringLiteral("\x1b[37D"), true},                // the page key
        {QStringLiteral("q"), kPriv, false},
        {QStringLiteral("config"), kConfig, false},
        {QStringLiteral("interface gpon 0/1"), gpon, false},
        {QStringLiteral("ont reset 0 0"), QStringLiteral("(y/n)[n]:"), false},
        {QStringLiteral("n"), gpon, true},                                       // a confirmation's answer
    };
    for (const Step &s : steps) {
        c.take();
        QElapsedTimer clock;
        clock.start();
        c.type(s.line);
        ASSERT_TRUE(c.waitFor(s.until)) << "after [" << s.line.toStdString() << "]";
        // The timer may end up to 5 % early; a busy machine only adds.
        if (s.measured) {
            EXPECT_GE(clock.elapsed(), kLatencyMs - kLatencyMs / 10) << "[" << s.line.toStdString() << "] was answered at once";
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return c.text.endsWith(s.until) || c.text.endsWith(kMore); }, 20000));
    }
}
