#include "core/batch_answers.h"

#include "test_paths.h"

#include <gtest/gtest.h>

using namespace tervix::core;
using tervix::test::crlf;
using tervix::test::readSample;

namespace {

const QString kConfig = QStringLiteral("MA5608T(config)#");
const QString kGpon = QStringLiteral("MA5608T(config-if-gpon-0/1)#");
const QString kOntAdd = QStringLiteral(
    "ont add 1 5 sn-auth 48575443DE135E2D omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"Jan Kowalski\"");
const QString kNativeVlan = QStringLiteral("ont port native-vlan 1 5 eth 1 vlan 1010");
const QStringList kAddLines{QStringLiteral("config"), QStringLiteral("interface gpon 0/1"), kOntAdd, kNativeVlan,
                            QStringLiteral("quit")};

// The OLT's echo of a typed line after a prompt: the text, the closing space
// and the line break.
QString echo(const QString &prompt, const QString &line)
{
    return prompt + line + QStringLiteral(" \r\n");
}

// A command that printed nothing: the empty line before the next prompt.
const QString kNothing = QStringLiteral("\r\n");

QString sample(const char *name)
{
    const QString text = readSample(QString::fromLatin1(name));
    EXPECT_FALSE(text.isEmpty()) << "missing sample " << name;
    return crlf(text);
}

// The add batch as the OLT answers it once the buffer was emptied before
// "config": that echo has no prompt in front of it.
QString addOutput(const QString &ontAddAnswer, const QString &nativeVlanAnswer)
{
    return QStringLiteral("\r\nconfig \r\n") + kNothing + echo(kConfig, QStringLiteral("interface gpon 0/1")) + kNothing
        + echo(kGpon, kOntAdd) + ontAddAnswer + QStringLiteral("\r\n") + kNothing + echo(kGpon, kNativeVlan)
        + nativeVlanAnswer + QStringLiteral("\r\n") + kNothing + echo(kGpon, QStringLiteral("quit")) + kNothing
        + kConfig;
}

QList<LineOutcome> outcomes(const BatchAnswers &a)
{
    QList<LineOutcome> out;
    for (const LineAnswer &l : a.lines)
        out.append(l.outcome);
    return out;
}

constexpr LineOutcome A = LineOutcome::Accepted;
constexpr LineOutcome R = LineOutcome::Refused;
constexpr LineOutcome U = LineOutcome::Unanswered;

TEST(BatchAnswers, AcceptedAddReadsEveryAnswerFromTheRealResultTexts)
{
    const QString added = sample("ont_add__ntc1.txt");
    const QString vlanSet = sample("ont_port_native-vlan__ntc1.txt");
    const BatchAnswers a = checkBatchAnswers(kAddLines, addOutput(added, vlanSet));
    EXPECT_EQ(outcomes(a), (QList<LineOutcome>{A, A, A, A, A}));
    EXPECT_TRUE(a.allAccepted());
    EXPECT_EQ(a.lines[2].typed, kOntAdd);
    EXPECT_EQ(a.lines[2].answer, QStringLiteral("  Number of ONTs that can be added: 1, success: 1\n  PortID :6, ONTID :2"));
    EXPECT_EQ(a.lines[3].answer, QStringLiteral("Set ONT port(s) VLAN configuration, success: 1, failed: 0"));
    EXPECT_TRUE(a.lines[0].answer.isEmpty());
    EXPECT_TRUE(a.lines[2].reason.isEmpty());
}

TEST(BatchAnswers, RefusalsOfTheFirstAndOfALaterLine)
{
    // The real syntax error: the caret under the echo, then the "%" line.
    const QString unknown = sample("DOC_unknown_command__netmiko_issue1620.txt");
    const BatchAnswers first = checkBatchAnswers({QStringLiteral("screen-length0temporary")}, unknown);
    EXPECT_EQ(outcomes(first), QList<LineOutcome>{R});
    EXPECT_EQ(first.lines[0].reason, QStringLiteral("% Unknown command, the error locates at '^'"));
    EXPECT_EQ(first.firstNotAccepted(), 0);

    // The add refused: the counter of the result and the reason after it; the
    // ONT's port then refused as well.
    const BatchAnswers later = checkBatchAnswers(
        kAddLines, addOutput(QStringLiteral("  Number of ONTs that can be added: 1, success: 0\r\n  Failure: SN already exists"),
                             QStringLiteral("Set ONT port(s) VLAN configuration, success: 0, failed: 1\r\n"
                                            "  Failure: The ONT does not exist")));
    EXPECT_EQ(outcomes(later), (QList<LineOutcome>{A, A, R, R, A}));
    EXPECT_EQ(later.lines[2].reason, QStringLiteral("Failure: SN already exists"));
    EXPECT_EQ(later.lines[3].reason, QStringLiteral("Failure: The ONT does not exist"));
    EXPECT_EQ(later.firstNotAccepted(), 2);
    EXPECT_EQ(later.withOutcome(R), (QList<int>{2, 3}));
}

TEST(BatchAnswers, RefusalTextsOfTheOlt)
{
    const struct
    {
        const char *answer;
        const char *reason;
    } cases[] = {
        {"  Failure: The line profile does not exist", "Failure: The line profile does not exist"},
        {"  Failure: The service virtual port has existed already\n  Conflicted service virtual port index: 12",
         "Failure: The service virtual port has existed already"},
        {"                   ^\n  % Parameter error, the error locates at '^'", "% Parameter error, the error locates at '^'"},
        {"  % Incomplete command, the error locates at '^'", "% Incomplete command, the error locates at '^'"},
        {"  Error: The board is not in position", "Error: The board is not in position"},
        {"  Failure: System is busy, please retry after a while", "Failure: System is busy, please retry after a while"},
        // A counter alone refuses; the explicit reason wins when both are there.
        {"Set ONT port(s) VLAN configuration, success: 0, failed: 1",
         "Set ONT port(s) VLAN configuration, success: 0, failed: 1"},
        {"  Number of ONTs that can be added: 1, success: 0\n  Failure: The ONT ID has already existed",
         "Failure: The ONT ID has already existed"},
        // What is no refusal.
        {"  Number of ONTs that can be added: 1, success: 1\n  PortID :6, ONTID :2", ""},
        {"Set ONT port(s) VLAN configuration, success: 1, failed: 0", ""},
        {"  The number of service virtual ports released: 2", ""},
        {"  Errors of the last hour : 0", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(refusalIn(QString::fromLatin1(c.answer)), QString::fromLatin1(c.reason)) << c.answer;
}

TEST(BatchAnswers, LinesWithoutAnEchoAreUnanswered)
{
    const QString added = QStringLiteral("  Number of ONTs that can be added: 1, success: 1\r\n  PortID :1, ONTID :5");
    const QString full = addOutput(added, QStringLiteral("Set ONT port(s) VLAN configuration, success: 1, failed: 0"));

    // The output cut in the middle of the add's answer: no prompt closed it.
    const qsizetype cut = full.indexOf(QStringLiteral("  PortID"));
    const BatchAnswers cutShort = checkBatchAnswers(kAddLines, QStringView(full).left(cut));
    EXPECT_EQ(outcomes(cutShort), (QList<LineOutcome>{A, A, U, U, U}));

    // The output cut right after the echo of "ont add".
    const BatchAnswers afterEcho =
        checkBatchAnswers(kAddLines, QStringView(full).left(full.indexOf(kOntAdd) + kOntAdd.size() + 3));
    EXPECT_EQ(outcomes(afterEcho), (QList<LineOutcome>{A, A, U, U, U}));

    // A cut answer that already refuses is a refusal.
    const QString refused = addOutput(QStringLiteral("  Failure: SN already exists"), QString());
    const BatchAnswers cutRefusal =
        checkBatchAnswers(kAddLines, QStringView(refused).left(refused.indexOf(u"exists") + 6));
    EXPECT_EQ(outcomes(cutRefusal), (QList<LineOutcome>{A, A, R, U, U}));

    // A line that never reached the OLT: its neighbours are judged by their own answers.
    QString dropped = full;
    dropped.remove(dropped.indexOf(echo(kGpon, kNativeVlan)),
                   echo(kGpon, kNativeVlan).size()
                       + QStringLiteral("Set ONT port(s) VLAN configuration, success: 1, failed: 0\r\n").size()
                       + kNothing.size());
    EXPECT_EQ(outcomes(checkBatchAnswers(kAddLines, dropped)), (QList<LineOutcome>{A, A, A, U, A}));

    // Nothing at all came back.
    EXPECT_EQ(outcomes(checkBatchAnswers(kAddLines, QString())), (QList<LineOutcome>{U, U, U, U, U}));
}

TEST(BatchAnswers, PagedAnswerWrappedEchoAndUnechoedQuit)
{
    // An answer longer than a page: the page prompt, the key's erase sequence
    // and the rest on the same line.
    const QString more = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    const QString display = QStringLiteral("display service-port port 0/1/1 ont 5");
    const QString paged = QStringLiteral("\r\n") + echo(kConfig, display) + QStringLiteral("  Switch-Oriented Flow List\r\n  ----\r\n")
        + more + erase + QStringLiteral("     8 1010 common   gpon 0/1 /1  5    100   vlan  1010       6    6    up\r\n")
        + more + erase + QStringLiteral("  Failure: not a page of this line\r\n") + kNothing + kConfig;
    const BatchAnswers p = checkBatchAnswers({display}, paged);
    ASSERT_EQ(outcomes(p), QList<LineOutcome>{R});
    EXPECT_EQ(p.lines[0].answer, QStringLiteral("  Switch-Oriented Flow List\n  ----\n"
                                                "     8 1010 common   gpon 0/1 /1  5    100   vlan  1010       6    6    up\n"
                                                "  Failure: not a page of this line"));
    EXPECT_FALSE(p.lines[0].answer.contains(u"More"));

    // The OLT wraps an echo reaching the 80th column with a space and one step back.
    QString wrapped = echo(kGpon, kOntAdd);
    const qsizetype column80 = 80 - kGpon.size();
    wrapped.insert(kGpon.size() + column80, QStringLiteral(" \x1b[1D"));
    const BatchAnswers w = checkBatchAnswers(
        {kOntAdd}, kGpon + QStringLiteral("\r\n") + wrapped + QStringLiteral("  Failure: SN already exists\r\n") + kNothing + kGpon);
    EXPECT_EQ(outcomes(w), QList<LineOutcome>{R});

    // "quit" closed by the OLT without its text still counts as read.
    const QStringList quitThenPort{QStringLiteral("quit"),
                                   QStringLiteral("service-port 8 vlan 1010 gpon 0/1/1 ont 5 gemport 100 multi-service "
                                                  "user-vlan 1010 tag-transform translate")};
    const QString noQuitEcho = QStringLiteral("\r\n") + kGpon + QStringLiteral(" \r\n") + kNothing + echo(kConfig, quitThenPort[1])
        + QStringLiteral("  Failure: The VLAN does not exist\r\n") + kNothing + kConfig;
    const BatchAnswers q = checkBatchAnswers(quitThenPort, noQuitEcho);
    EXPECT_EQ(outcomes(q), (QList<LineOutcome>{A, R}));
    EXPECT_EQ(q.lines[1].reason, QStringLiteral("Failure: The VLAN does not exist"));
}

TEST(BatchAnswers, ConfirmationAnswersAndForeignLines)
{
    // The answer to a question is echoed after it, not after a prompt.
    const QStringList reset{QStringLiteral("ont reset 1 5"), QStringLiteral("y")};
    const QString out = QStringLiteral("\r\n") + echo(kGpon, reset[0])
        + QStringLiteral("  Resetting the ONT(s) will interrupt all services on the ONT(s)\r\n"
                         "  Are you sure to reset the ONT(s)? (y/n)[n]:y\r\n  Failure: The ONT is not online\r\n")
        + kNothing + kGpon;
    const BatchAnswers a = checkBatchAnswers(reset, out);
    EXPECT_EQ(outcomes(a), (QList<LineOutcome>{A, R}));
    EXPECT_EQ(a.lines[0].answer, QStringLiteral("  Resetting the ONT(s) will interrupt all services on the ONT(s)\n"
                                                "  Are you sure to reset the ONT(s)? (y/n)[n]:"));

    // A line typed by someone else between two of ours answers for none of
    // them; the same text typed twice is matched in order.
    const QStringList twice{QStringLiteral("quit"), QStringLiteral("quit")};
    const QString foreign = QStringLiteral("\r\n") + echo(kGpon, QStringLiteral("display time"))
        + QStringLiteral("  Failure: not ours\r\n") + kNothing + echo(kGpon, QStringLiteral("quit")) + kNothing
        + echo(kConfig, QStringLiteral("quit")) + kNothing + QStringLiteral("MA5608T#");
    EXPECT_EQ(outcomes(checkBatchAnswers(twice, foreign)), (QList<LineOutcome>{A, A}));
}

TEST(BatchAnswers, EchoOfLettersTheConnectionCouldNotCarry)
{
    // A Polish letter the connection's code page lacked is echoed as "?";
    // the line was read all the same. Any other difference is another line.
    const QString typed = QStringLiteral("ont add 1 5 sn-auth 48575443DE135E2D omci ont-lineprofile-id 1 "
                                         "ont-srvprofile-id 1 desc \"Zieli\u0144ska\"");
    QString lossy = typed;
    lossy.replace(u'\u0144', u'?');
    QString other = typed;
    other.replace(u'\u0144', u'n');
    for (const auto &[echoed, outcome] : {std::pair{typed, A}, std::pair{lossy, A}, std::pair{other, U}}) {
        const QString out = QStringLiteral("\r\n") + echo(kGpon, echoed) + kNothing + kGpon;
        EXPECT_EQ(outcomes(checkBatchAnswers({typed}, out)), QList<LineOutcome>{outcome}) << echoed.toStdString();
    }
}

} // namespace
