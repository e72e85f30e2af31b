// Every captured listing beside the project against the simulator's answer to
// the same command, both read through one structural comparison: separator
// lines (indent and length), table headers (the first one column for column),
// label columns of key/value blocks, closing and summary lines, last line.
#include "sim_client.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace oltsim;
using oltsim::test::SimClient;

namespace {

struct Shape
{
    QStringList separators;   // "indent+hyphens", first occurrence order
    QStringList headers;      // lines without digits or colons
    QStringList firstHeaders; // the first header line after each separator run, exactly
    QStringList labels;       // "indent|label|colon column" of key/value lines
    QStringList footers;      // lines with numbers that start with a word, numbers as '#'
    QString last;             // the last non-empty line, numbers as '#'
};

// A header line has no value in it: no word starts with a digit.
bool startsWithDigit(const QString &line)
{
    for (const QString &w : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (w.at(0).isDigit() || (w.size() > 1 && w.at(0) == QLatin1Char('-') && w.at(1).isDigit()))
            return true;
    }
    return false;
}

QString numbersOut(QString s)
{
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    s.replace(digits, QStringLiteral("#"));
    s = s.simplified();
    s.replace(QStringLiteral(" ,"), QStringLiteral(","));
    return s;
}

Shape shapeOf(const QString &text)
{
    static const QRegularExpression sep(QStringLiteral("^( *)(-{10,}) *$"));
    static const QRegularExpression kv(QStringLiteral("^( *)([A-Za-z][^:\\d]*?) *:( |$)"));
    Shape s;
    bool afterSeparator = false;
    QString t = text;
    t.remove(QLatin1Char('\r'));
    for (QString line : t.split(QLatin1Char('\n'))) {
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        s.last = numbersOut(line);
        if (const auto m = sep.match(line); m.hasMatch()) {
            const QString key = QStringLiteral("%1+%2").arg(m.capturedLength(1)).arg(m.capturedLength(2));
            if (!s.separators.contains(key))
                s.separators << key;
            afterSeparator = true;
            continue;
        }
        if (const auto m = kv.match(line); m.hasMatch()) {
            s.labels << QStringLiteral("%1|%2|%3").arg(m.capturedLength(1)).arg(m.captured(2)).arg(line.indexOf(QLatin1Char(':')));
        } else if (line.trimmed().remove(QLatin1Char('-')).remove(QLatin1Char(' ')).isEmpty()) {
            // a separator damaged by hand in one capture
        } else if (!startsWithDigit(line)) {
            s.headers << line.simplified();
            if (afterSeparator)
                s.firstHeaders << line;
        } else if (line.trimmed().at(0).isLetter()) {
            s.footers << numbersOut(line);
        }
        afterSeparator = false;
    }
    s.labels.removeDuplicates();
    s.headers.removeDuplicates();
    s.footers.removeDuplicates();
    s.firstHeaders.removeDuplicates();
    return s;
}

enum Check { Separators = 1, Headers = 2, Labels = 4, Footers = 8, Last = 16, LabelColumns = 32 };

struct SampleCase
{
    const char *file;
    const char *command;
    const char *mode;       // "" privileged, "if" interface gpon 0/1
    int checks;
    const char *scenarioTweak = nullptr;
    const char *notThisCommand = nullptr; // a sample line that belongs to another form of the command
};

void expectSubset(const QStringList &sample, const QStringList &sim, const char *what, const char *file)
{
    for (const QString &x : sample)
        EXPECT_TRUE(sim.contains(x)) << file << ": " << what << " of the sample missing from the simulator: [" << x.toStdString() << "]";
}

QStringList columnsOnly(const QStringList &labels)
{
    QStringList out;
    for (const QString &l : labels)
        out << l.section(QLatin1Char('|'), 0, 0) + QLatin1Char('|') + l.section(QLatin1Char('|'), 2, 2);
    out.removeDuplicates();
    return out;
}

class SampleStructure : public ::testing::TestWithParam<SampleCase>
{
};

} // namespace

TEST_P(SampleStructure, SimulatorMatchesCapture)
{
    const SampleCase &k = GetParam();
    QString sample = tervix::test::readSample(QString::fromLatin1(k.file));
    if (k.notThisCommand) {
        QStringList kept;
        for (const QString &l : sample.split(QLatin1Char('\n'))) {
            if (!l.contains(QLatin1String(k.notThisCommand)))
                kept << l;
        }
        sample = kept.join(QLatin1Char('\n'));
    }
    ASSERT_FALSE(sample.isEmpty()) << k.file;

    Simulator sim;
    ASSERT_TRUE(sim.loadFile(test::demoScenario()));
    if (k.scenarioTweak && QByteArrayView(k.scenarioTweak) == "two-line") {
        sim.settings().twoLineDescriptionHeader = true;
    }
    ASSERT_TRUE(sim.listen());
    SimClient c(sim);
    ASSERT_TRUE(c.typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                             QStringLiteral("scroll 512"), QStringLiteral("config")},
                            test::kConfig));
    QString prompt = test::kConfig;
    if (QByteArrayView(k.mode) == "if") {
        prompt = QStringLiteral("MA5608T-DEMO(config-if-gpon-0/1)#");
        c.run(QStringLiteral("interface gpon 0/1"), prompt);
    }
    QString answer = c.run(QString::fromLatin1(k.command), prompt);
    // The listing alone: without the echo line and the closing blank line and prompt.
    answer = answer.mid(answer.indexOf(QLatin1Char('\n')) + 1);
    answer.chop(prompt.size());
    ASSERT_FALSE(answer.contains(QStringLiteral("Failure"))) << answer.toStdString();
    ASSERT_FALSE(answer.contains(QStringLiteral("% "))) << answer.toStdString();

    const Shape want = shapeOf(sample);
    const Shape got = shapeOf(answer);
    if (k.checks & Separators)
        expectSubset(want.separators, got.separators, "separator", k.file);
    if (k.checks & Headers) {
        expectSubset(want.headers, got.headers, "header", k.file);
        ASSERT_FALSE(want.firstHeaders.isEmpty());
        expectSubset({want.firstHeaders.first()}, got.firstHeaders, "first header line (exact columns)", k.file);
    }
    if (k.checks & Labels)
        expectSubset(want.labels, got.labels, "label", k.file);
    if (k.checks & LabelColumns)
        expectSubset(columnsOnly(want.labels), columnsOnly(got.labels), "label column", k.file);
    if (k.checks & Footers)
        expectSubset(want.footers, got.footers, "closing line", k.file);
    if (k.checks & Last) {
        EXPECT_EQ(got.last, want.last) << k.file;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCapture, SampleStructure,
    ::testing::Values(
        SampleCase{"display_board__ntc1.txt", "display board 0", "", Separators | Headers | Last},
        SampleCase{"display_mac-address__ntc1.txt", "display mac-address port 0/1/0 ont 0", "", Separators | Headers | Labels | Footers | Last},
        SampleCase{"display_mac-address_ont_0_1_2_0__ntc1.txt", "display mac-address ont 0/1/0 0", "", Separators | Headers | Labels | Last},
        SampleCase{"display_mac-address_ont_0_1_2_0__ntc2.txt", "display mac-address ont 0/1/0 0", "", Separators | Headers},
        SampleCase{"display_ont-lineprofile_gpon_all__ntc1.txt", "display ont-lineprofile gpon all", "", Separators | Headers | Labels | Last},
        SampleCase{"display_ont-srvprofile_gpon_all__ntc1.txt", "display ont-srvprofile gpon all", "", Separators | Headers | Labels | Last},
        SampleCase{"display_ont_autofind__ntc1.txt", "display ont autofind all", "", Separators | Labels},
        SampleCase{"display_ont_autofind__ntc2.txt", "display ont autofind all", "", Separators | Labels},
        SampleCase{"display_ont_info_0_1_2_3__ntc1.txt", "display ont info 0 1 0 0", "", Separators | Labels},
        // an older firmware's answer to "display ont info by-sn": the label columns agree
        SampleCase{"display_ont_info_0_1_2_3__ntc2.txt", "display ont info 0 1 0 0", "", LabelColumns, nullptr, "The number of required ONTs"},
        SampleCase{"display_ont_info_0__ntc1.txt", "display ont info 0 all", "", Separators | Headers, "two-line"},
        SampleCase{"display_ont_info_0__ntc2.txt", "display ont info 0 all", "", Separators | Headers},
        SampleCase{"display_ont_info_0__ntc3.txt", "display ont info 0 all", "", Separators | Headers},
        SampleCase{"display_ont_info_0__ntc4.txt", "display ont info 0 all", "", Separators | Headers | Footers | Last},
        SampleCase{"display_ont_info_summary_ont__ntc1.txt", "display ont info summary 0/1/0", "", Separators | Headers | Footers | Last},
        SampleCase{"display_ont_info_summary_ont__ntc3.txt", "display ont info summary 0/1/0", "", Separators | Headers | Footers | Last},
        SampleCase{"display_ont_info_summary_ont__ntc4.txt", "display ont info summary 0/1/0", "", Separators | Headers | Footers | Last},
        SampleCase{"display_ont_info_summary_ont__ntc5.txt", "display ont info summary 0/1/0", "", Separators | Headers | Footers | Last},
        SampleCase{"display_ont_optical-info_0_all__ntc1.txt", "display ont optical-info 0 all", "if", Separators | Headers | Last},
        SampleCase{"display_service-port_all__ntc1.txt", "display service-port all", "", Separators | Headers | Labels | Footers | Last},
        SampleCase{"display_version__ntc1.txt", "display version", "", Separators | Labels | Footers},
        SampleCase{"ont_add__ntc1.txt", "ont add 4 9 sn-auth 485754430B086EA9 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\"", "if", Labels | Footers | Last},
        SampleCase{"ont_port_native-vlan__ntc1.txt", "ont port native-vlan 0 0 eth 1 vlan 1010", "if", Labels | Last}),
    [](const ::testing::TestParamInfo<SampleCase> &info) {
        QString n = QString::fromLatin1(info.param.file).section(QLatin1Char('.'), 0, 0);
        n.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
        return n.toStdString();
    });
