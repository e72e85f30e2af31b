// The device's session behaviour seen through the console's Telnet client:
// login, prompts, echo, smart prompt, errors, paging and confirmations.
#include "core/paging.h"
#include "sim_client.h"

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {
const QString kErase = QStringLiteral("\x1b[37D") + QString(37, QLatin1Char(' ')) + QStringLiteral("\x1b[37D");
const QString kMore = QStringLiteral("---- More ( Press 'Q' to break ) ----");

struct Prepared
{
    Simulator sim;
    SentOutput sent;
    std::unique_ptr<SimClient> client;
};

// Logged in, "enable" typed; smart prompts still on unless asked otherwise.
void prepare(Prepared &p, bool undoSmart = true)
{
    test::startDemo(p.sim);
    ASSERT_TRUE(p.sent.start(p.sim));
    p.client = std::make_unique<SimClient>(p.sim, &p.sent);
    ASSERT_TRUE(p.client->login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    p.client->run(QStringLiteral("enable"), kPriv);
    if (undoSmart)
        p.client->run(QStringLiteral("undo smart"), kPriv);
}
} // namespace

TEST(SimSession, LoginTypedBlindThenPromptsEchoAndBlankLine)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient c(sim);
    // The console types both lines at once, without reading the prompts.
    c.type(QStringLiteral("admin"));
    c.type(QStringLiteral("admin123"));
    ASSERT_TRUE(c.waitPrompt(kUser));
    const QString login = c.take();
    EXPECT_TRUE(login.contains(QStringLiteral(">>User name:admin\r\n>>User password:\r\n")));
    EXPECT_FALSE(login.contains(QStringLiteral("admin123")));
    EXPECT_TRUE(login.contains(QStringLiteral("  Huawei Integrated Access Software (MA5608T).\r\n")));
    EXPECT_TRUE(login.endsWith(QStringLiteral("\r\n\r\n") + kUser));

    EXPECT_EQ(c.run(QStringLiteral("enable"), kPriv), QStringLiteral("enable \r\n\r\n") + kPriv);
    EXPECT_EQ(c.run(QStringLiteral("config"), kConfig), QStringLiteral("config \r\n\r\n") + kConfig);
    EXPECT_EQ(c.run(QStringLiteral("interface gpon 0/1"), QStringLiteral("(config-if-gpon-0/1)#")),
              QStringLiteral("interface gpon 0/1 \r\n\r\nMA5608T-DEMO(config-if-gpon-0/1)#"));
    EXPECT_TRUE(c.run(QStringLiteral("quit"), kConfig).endsWith(QStringLiteral("quit \r\n\r\n") + kConfig));
    EXPECT_TRUE(c.run(QStringLiteral("btv"), QStringLiteral("(config-btv)#")).endsWith(QStringLiteral("MA5608T-DEMO(config-btv)#")));
    c.run(QStringLiteral("quit"), kConfig);
    EXPECT_TRUE(c.run(QStringLiteral("diagnose"), QStringLiteral("%%")).endsWith(QStringLiteral("MA5608T-DEMO(diagnose)%%")));
    EXPECT_TRUE(c.run(QStringLiteral("quit"), kConfig).endsWith(kConfig));

    // A second login of the same account is a separate session over the same OLT.
    SimClient second(sim);
    ASSERT_TRUE(second.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    EXPECT_EQ(sim.sessionCount(), 2);
}

TEST(SimSession, WrongPasswordIsInvalidAndAsksAgain)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient c(sim);
    c.type(QStringLiteral("admin"));
    c.type(QStringLiteral("nope"));
    ASSERT_TRUE(c.waitFor(QStringLiteral("invalid")));
    ASSERT_TRUE(c.waitPrompt(QStringLiteral(">>User name:")));
    EXPECT_TRUE(c.take().contains(QStringLiteral("Username or password invalid.\r\n")));
    EXPECT_TRUE(c.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
}

TEST(SimSession, ReenterLimitRefusesOneLoginTooMany)
{
    Simulator sim;
    test::startDemo(sim);
    sim.mutableModel().user(QStringLiteral("operator"))->reenter = 0;
    SimClient first(sim);
    ASSERT_TRUE(first.login(QStringLiteral("operator"), QStringLiteral("oper1234"), kUser));
    SimClient second(sim);
    second.type(QStringLiteral("operator"));
    second.type(QStringLiteral("oper1234"));
    EXPECT_TRUE(second.waitFor(QStringLiteral("Reenter times have reached the upper limit.")));
}

TEST(SimSession, SmartPromptWaitsForEnterThenPrintsCommandBlock)
{
    Prepared p;
    prepare(p, false);
    SimClient &c = *p.client;
    const qsizetype lines = p.sim.receivedLines().size();
    c.type(QStringLiteral("display service-port next-free-index"));
    ASSERT_TRUE(c.waitAnswered(lines));
    EXPECT_TRUE(c.text.endsWith(QStringLiteral("{ <cr>||<K> }: ")));
    EXPECT_FALSE(c.text.contains(QStringLiteral("Next valid")));
    c.take();
    const QString answer = c.run(QString(), kPriv);
    EXPECT_EQ(answer, QStringLiteral("\r\n\r\n  Command:\r\n          display service-port next-free-index\r\n"
                                     "  Next valid free service virtual port ID: 77\r\n\r\n")
                          + kPriv);
    c.run(QStringLiteral("undo smart"), kPriv);
    EXPECT_EQ(c.run(QStringLiteral("display service-port next-free-index"), kPriv),
              QStringLiteral("display service-port next-free-index \r\n  Next valid free service virtual port ID: 77\r\n\r\n") + kPriv);
}

TEST(SimSession, SyntaxErrorsPutTheCaretUnderTheFaultAndChangeNothing)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    c.run(QStringLiteral("config"), kConfig);
    struct Case
    {
        QString line;
        int caretColumn;
        QString message;
    };
    const QList<Case> cases = {
        {QStringLiteral("dispaly vlan all"), 21, QStringLiteral("Unknown command")},
        {QStringLiteral("display vlan al"), 34, QStringLiteral("Unknown command")},
        {QStringLiteral("vlan 5000 smart"), 26, QStringLiteral("Parameter error")},
        {QStringLiteral("interface gpon"), 35, QStringLiteral("Incomplete command")},
        {QStringLiteral("btv now"), 25, QStringLiteral("Too many parameters")},
    };
    const auto vlansBefore = p.sim.model().vlans.size();
    for (const Case &k : cases) {
        const QString answer = c.run(k.line, kConfig);
        const QStringList lines = answer.split(QStringLiteral("\r\n"));
        ASSERT_GE(lines.size(), 4) << k.line.toStdString();
        EXPECT_EQ(lines.at(1), QString(k.caretColumn, QLatin1Char(' ')) + QLatin1Char('^')) << k.line.toStdString();
        EXPECT_EQ(lines.at(2), QStringLiteral("  % %1, the error locates at '^'").arg(k.message)) << k.line.toStdString();
        EXPECT_EQ(lines.at(3), QString()) << k.line.toStdString();
    }
    EXPECT_EQ(p.sim.model().vlans.size(), vlansBefore);
}

TEST(SimSession, PagingWithTheConsolesContinuationKey)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    // The default page length, as the captures measure it: 23 lines after the echo, then 24.
    qsizetype lines = p.sim.receivedLines().size();
    c.type(QStringLiteral("display ont info 0 all"));
    ASSERT_TRUE(c.waitAnswered(lines));
    const QString first = c.take();
    EXPECT_TRUE(first.endsWith(QStringLiteral("\r\n") + kMore));
    EXPECT_EQ(first.count(QStringLiteral("\r\n")), 1 + 23);

    // The double quote brings the next page, the carriage return one more line.
    lines = p.sim.receivedLines().size();
    c.key(QStringLiteral("\"\r"));
    ASSERT_TRUE(c.waitAnswered(lines)); // the key and its carriage return
    const QString next = c.take();
    const QStringList parts = next.split(kMore);
    ASSERT_EQ(parts.size(), 3);
    EXPECT_TRUE(parts.at(0).startsWith(kErase));
    EXPECT_EQ(parts.at(0).count(QStringLiteral("\r\n")), 24);
    EXPECT_TRUE(parts.at(1).startsWith(kErase));
    EXPECT_EQ(parts.at(1).count(QStringLiteral("\r\n")), 1);

    // "q" breaks off: erase, line break, prompt.
    c.key(QStringLiteral("q"));
    ASSERT_TRUE(c.waitPrompt(kPriv));
    EXPECT_EQ(c.take(), kErase + QStringLiteral("\r\n") + kPriv);

    // "scroll 512" keeps the whole listing on one page.
    c.run(QStringLiteral("scroll 512"), kPriv);
    const QString whole = c.run(QStringLiteral("display ont info 0 all"), kPriv);
    EXPECT_FALSE(whole.contains(kMore));
    EXPECT_TRUE(whole.contains(QStringLiteral("In port 0/ 3/1 , the total of ONTs are: 5, online: 4")));
}

TEST(SimSession, ConfirmationActsOnlyOnY)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    c.run(QStringLiteral("config"), kConfig);
    const auto count = [&] { return p.sim.model().servicePorts.size(); };
    const auto before = count();
    c.type(QStringLiteral("undo service-port port 0/1/0 ont 0"));
    ASSERT_TRUE(c.waitFor(QStringLiteral("(y/n)[n]:")));
    c.run(QStringLiteral("n"), kConfig);
    EXPECT_EQ(count(), before);
    c.type(QStringLiteral("undo service-port port 0/1/0 ont 0"));
    ASSERT_TRUE(c.waitFor(QStringLiteral("(y/n)[n]:")));
    c.run(QStringLiteral("y"), kConfig);
    EXPECT_EQ(count(), before - 2);
    // The IGMP user of the released port went with it.
    EXPECT_FALSE(p.sim.model().isIgmpUser(1));
}

TEST(SimSession, IdentificationSequenceReadsTheBackplaneLabel)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient c(sim);
    // Typed blind on the console's schedule.
    for (const char *line : {"admin", "admin123", "enable", "undo smart", "scroll 512", "diagnose", "display elabel backplane 0"})
        c.type(QString::fromLatin1(line));
    ASSERT_TRUE(c.waitPrompt(QStringLiteral("MA5608T-DEMO(diagnose)%%")));
    const QString all = c.take();
    EXPECT_TRUE(all.contains(QStringLiteral("\r\nDescription=Function Module,H801MABO")));
    const QString lower = all.toLower();
    const qsizetype at = lower.indexOf(QStringLiteral("barcode"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(lower.mid(at + 8, lower.indexOf(QLatin1Char('\r'), at) - at - 8), QStringLiteral("2102113130p0b7000123"));
    EXPECT_EQ(sim.receivedTexts(1),
              (QStringList{QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                           QStringLiteral("scroll 512"), QStringLiteral("diagnose"), QStringLiteral("display elabel backplane 0")}));
}

TEST(SimSession, LogoutAsksAndRemindsOfUnsavedData)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    c.run(QStringLiteral("config"), kConfig);
    c.run(QStringLiteral("vlan 77 smart"), kConfig);
    c.run(QStringLiteral("quit"), kPriv);
    c.type(QStringLiteral("quit"));
    ASSERT_TRUE(c.waitFor(QStringLiteral("Are you sure to log out? (y/n)[n]:")));
    EXPECT_TRUE(c.take().contains(QStringLiteral("  Check whether system data has been changed. Please save data before logout.\r\n")));
    // The guard's answer: "x" keeps the session, "save" saves.
    c.run(QStringLiteral("x"), kPriv);
    c.run(QStringLiteral("save"), kPriv);
    EXPECT_FALSE(p.sim.model().unsaved);
    c.type(QStringLiteral("quit"));
    ASSERT_TRUE(c.waitFor(QStringLiteral("(y/n)[n]:")));
    EXPECT_FALSE(c.take().contains(QStringLiteral("save data before")));
    c.type(QStringLiteral("y"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.dropped; }, 20000));
}

TEST(SimSession, FourSessionsKeepTheirOwnModeAndPageLengthOverOneOlt)
{
    Simulator sim;
    test::startDemo(sim);
    std::vector<std::unique_ptr<SimClient>> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(std::make_unique<SimClient>(sim));
        ASSERT_TRUE(clients.back()->login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
        clients.back()->run(QStringLiteral("enable"), kPriv);
        clients.back()->run(QStringLiteral("undo smart"), kPriv);
    }
    clients[0]->run(QStringLiteral("config"), kConfig);
    clients[1]->run(QStringLiteral("scroll 512"), kPriv);
    clients[2]->run(QStringLiteral("diagnose"), QStringLiteral("%%"));
    // A change typed in one session shows in the listing of another.
    clients[0]->run(QStringLiteral("vlan 1234 standard"), kConfig);
    EXPECT_TRUE(clients[1]->run(QStringLiteral("display vlan all"), kPriv).contains(QStringLiteral("  1234   standard  common")));
    // Session 2 pages at 512 lines, session 4 at the default.
    EXPECT_FALSE(clients[1]->run(QStringLiteral("display ont info 0 all"), kPriv).contains(kMore));
    clients[3]->type(QStringLiteral("display ont info 0 all"));
    EXPECT_TRUE(clients[3]->waitFor(kMore));
    EXPECT_TRUE(clients[2]->run(QStringLiteral("display elabel backplane 0"), QStringLiteral("%%")).contains(QStringLiteral("BarCode=")));
    EXPECT_EQ(sim.sessionCount(), 4);
}

// The console's own page assembly over the simulator's paging gives back the
// listing exactly as an unpaged session receives it.
TEST(SimSession, ConsolePageAssemblyRestoresEveryRow)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    // The console takes a page once the OLT has fallen quiet; here, once the
    // simulator has seen the line (a page key logs with its carriage return)
    // and everything it answered has arrived.
    qsizetype lines = 0;
    auto answer = [&] {
        EXPECT_TRUE(c.waitAnswered(lines));
        return c.take();
    };
    lines = p.sim.receivedLines().size();
    c.type(QStringLiteral("display ont info 0 all"));
    QString listing;
    int pages = 0;
    while (tervix::core::collectPage(answer(), listing)) {
        ++pages;
        lines = p.sim.receivedLines().size();
        c.key(QStringLiteral("\"\r"));
    }
    EXPECT_GE(pages, 4);
    c.run(QStringLiteral("scroll 512"), kPriv);
    const QString whole = c.run(QStringLiteral("display ont info 0 all"), kPriv);
    // The console cuts lines at carriage returns (the extra line of a page
    // arrives without its line feed).
    auto rows = [](QString text) {
        text.remove(QLatin1Char('\n'));
        QStringList out;
        for (const QString &l : text.split(QLatin1Char('\r'))) {
            if (l.startsWith(QStringLiteral("  0/ ")) || l.startsWith(QStringLiteral("  In port")))
                out << l;
        }
        return out;
    };
    EXPECT_EQ(rows(listing), rows(whole));
    EXPECT_EQ(rows(whole).size(), 60 * 2 + 9); // state and description rows, one summary line a port
}

TEST(SimSession, LongLinesWrapTheirEchoAtColumnEighty)
{
    Prepared p;
    prepare(p);
    SimClient &c = *p.client;
    c.run(QStringLiteral("config"), kConfig);
    c.run(QStringLiteral("interface gpon 0/1"), QStringLiteral("(config-if-gpon-0/1)#"));
    const QString line = QStringLiteral("ont add 6 0 sn-auth 48575443AAAA0002 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"Anna Nowak\"");
    const QString out = c.run(line, QStringLiteral("(config-if-gpon-0/1)#"));
    const int firstPart = 80 - int(QStringLiteral("MA5608T-DEMO(config-if-gpon-0/1)#").size());
    EXPECT_TRUE(out.startsWith(line.left(firstPart) + QStringLiteral(" \x1b[1D") + line.mid(firstPart) + QStringLiteral(" \r\n")));
    EXPECT_NE(p.sim.model().findOnt(0, 1, 6, 0), nullptr);
    EXPECT_EQ(p.sim.receivedTexts(1).last(), line);
}
