// Configuration batches of the OLT window, the time/autosave/ont-load/reboot
// commands, the injectable faults, the transcript and the scenario generator.
#include "scenario.h"
#include "sim_client.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {
class Config : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::startDemo(sim);
        ASSERT_TRUE(sent.start(sim));
        client = std::make_unique<SimClient>(sim, &sent);
        ASSERT_TRUE(client->typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                                       QStringLiteral("scroll 512"), QStringLiteral("config")},
                                      kConfig));
    }
    QString batch(const QStringList &lines, const QString &prompt = kConfig) { return client->batch(lines, prompt); }
    Simulator sim;
    SentOutput sent;
    std::unique_ptr<SimClient> client;
};
} // namespace

TEST_F(Config, VlanWithUplinkMulticastAndInterfaceThenDeleted)
{
    const QString out = batch({QStringLiteral("vlan 150 mux"), QStringLiteral("vlan desc 150 description \"Office\""), QStringLiteral("port vlan 150 0/0 1"),
                               QStringLiteral("multicast-vlan 150"), QStringLiteral("igmp mode off"), QStringLiteral("y"), QStringLiteral("igmp version v3"),
                               QStringLiteral("y"), QStringLiteral("igmp default uplink-port 0/0/1"), QStringLiteral("igmp match mode enable"),
                               QStringLiteral("igmp mode snooping"), QStringLiteral("y"), QStringLiteral("igmp uplink-port 0/0/1"), QStringLiteral("quit"),
                               QStringLiteral("interface vlanif 150"), QStringLiteral("ip address 192.168.55.77 24"), QStringLiteral("quit")});
    EXPECT_FALSE(out.contains(QStringLiteral("% "))) << out.toStdString();
    const Vlan *v = sim.model().vlan(150);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, QStringLiteral("mux"));
    EXPECT_EQ(v->description, QStringLiteral("Office"));
    EXPECT_EQ(v->uplinkPorts, QStringList{QStringLiteral("0/0/1")});
    EXPECT_TRUE(v->multicast);
    EXPECT_EQ(v->igmpMode, QStringLiteral("snooping"));
    EXPECT_EQ(v->igmpVersion, QStringLiteral("v3"));
    EXPECT_EQ(v->igmpMatch, QStringLiteral("enable"));
    EXPECT_EQ(v->igmpUplinks, QStringList{QStringLiteral("0/0/1")});
    EXPECT_EQ(v->vlanifAddress, QStringLiteral("192.168.55.77 24"));
    EXPECT_TRUE(client->run(QStringLiteral("display port vlan 0/0/1"), kConfig).contains(QStringLiteral("   150   mux       common\r\n")));

    // Deleting: the removal lines for every uplink port are typed whether or not they apply.
    const QString del = batch({QStringLiteral("undo port vlan 150 0/0 0"), QStringLiteral("undo port vlan 150 0/0 1"), QStringLiteral("undo multicast-vlan 150"),
                               QStringLiteral("y"), QStringLiteral("undo interface vlanif 150"), QStringLiteral("undo vlan 150")});
    EXPECT_TRUE(del.contains(QStringLiteral("  Failure: The port is not in the VLAN")));
    EXPECT_EQ(sim.model().vlan(150), nullptr);
}

TEST_F(Config, ProfilesAndDbaCreatedInTheirModesAndCommitted)
{
    batch({QStringLiteral("dba-profile add profile-id 501 profile-name \"net_1G\" type4 max 1000000")});
    ASSERT_NE(sim.model().dbaProfile(501), nullptr);
    EXPECT_EQ(sim.model().dbaProfile(501)->max, 1000000);
    // A type that needs more than a maximum is refused, as the device refuses it.
    EXPECT_TRUE(batch({QStringLiteral("dba-profile add profile-id 502 profile-name \"x\" type3 max 1000000")}).contains(QStringLiteral("  Failure:")));
    EXPECT_EQ(sim.model().dbaProfile(502), nullptr);

    batch({QStringLiteral("ont-srvprofile gpon profile-id 20 profile-name \"Huawei_1p_0x5\""), QStringLiteral("ont-port eth 1"),
           QStringLiteral("multicast mode igmp-snooping"), QStringLiteral("multicast-forward tag transparent"), QStringLiteral("igmp-forward transparent"),
           QStringLiteral("port vlan eth 1 translation 1010 user-vlan 1010"), QStringLiteral("commit"), QStringLiteral("quit"),
           QStringLiteral("ont-lineprofile gpon profile-id 20 profile-name \"Huawei_1p_0x5\""), QStringLiteral("fec-upstream enable"),
           QStringLiteral("tcont 1 dba-profile-id 501"), QStringLiteral("gem add 100 eth tcont 1"), QStringLiteral("gem mapping 100 0 vlan 1010"),
           QStringLiteral("gem mapping 100 1 vlan 942"), QStringLiteral("commit"), QStringLiteral("quit")});
    const SrvProfile *sp = sim.model().srvProfile(20, false);
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->name, QStringLiteral("Huawei_1p_0x5"));
    EXPECT_EQ(sp->ethPorts, 1);
    EXPECT_EQ(sp->settings.size(), 4);
    const LineProfile *lp = sim.model().lineProfile(20, false);
    ASSERT_NE(lp, nullptr);
    EXPECT_TRUE(lp->fec);
    ASSERT_EQ(lp->gems.size(), 1);
    EXPECT_EQ(lp->gems.first().mappings.size(), 2);
    EXPECT_EQ(sim.model().dbaBindings(501), 1);

    // Leaving a profile's mode without "commit" keeps nothing.
    batch({QStringLiteral("ont-lineprofile gpon profile-id 21 profile-name \"draft\""), QStringLiteral("fec-upstream enable"), QStringLiteral("quit")});
    EXPECT_EQ(sim.model().lineProfile(21, false), nullptr);

    // A bound profile cannot go; an unbound one can.
    EXPECT_TRUE(batch({QStringLiteral("undo ont-lineprofile gpon profile-id 1")}).contains(QStringLiteral("Failure")));
    batch({QStringLiteral("undo ont-srvprofile gpon profile-id 20"), QStringLiteral("undo ont-lineprofile gpon profile-id 20"),
           QStringLiteral("dba-profile delete profile-id 501")});
    EXPECT_EQ(sim.model().srvProfile(20, false), nullptr);
    EXPECT_EQ(sim.model().lineProfile(20, false), nullptr);
    EXPECT_EQ(sim.model().dbaProfile(501), nullptr);
}

TEST_F(Config, EponProfilesAreApartFromGponProfilesOfTheSameId)
{
    // GPON line profile 1 has FEC, a T-CONT and a GEM: a new EPON profile 1 starts empty.
    const QString open = batch({QStringLiteral("ont-lineprofile epon profile-id 1 profile-name \"epon_one\"")},
                               QStringLiteral("MA5608T-DEMO(config-epon-lineprofile-1)#"));
    EXPECT_FALSE(open.contains(QStringLiteral("% "))) << open.toStdString();
    batch({QStringLiteral("commit"), QStringLiteral("quit")});
    const LineProfile *epon = sim.model().lineProfile(1, true);
    ASSERT_NE(epon, nullptr);
    EXPECT_EQ(epon->name, QStringLiteral("epon_one"));
    EXPECT_FALSE(epon->fec);
    EXPECT_TRUE(epon->tconts.isEmpty());
    EXPECT_TRUE(epon->gems.isEmpty());

    // Reopening an existing EPON profile keeps its content and takes the name typed.
    batch({QStringLiteral("ont-srvprofile epon profile-id 101 profile-name \"epon_2eth\""), QStringLiteral("ont-port eth 2"), QStringLiteral("commit"),
           QStringLiteral("quit")});
    const SrvProfile *srv = sim.model().srvProfile(101, true);
    ASSERT_NE(srv, nullptr);
    EXPECT_EQ(srv->name, QStringLiteral("epon_2eth"));
    EXPECT_EQ(srv->ethPorts, 2);

    // Removing the EPON profile leaves the GPON one of the same id alone.
    batch({QStringLiteral("undo ont-lineprofile epon profile-id 1")});
    EXPECT_EQ(sim.model().lineProfile(1, true), nullptr);
    ASSERT_NE(sim.model().lineProfile(1, false), nullptr);
    EXPECT_EQ(sim.model().lineProfile(1, false)->name, QStringLiteral("ftth_1010"));
    EXPECT_EQ(sim.model().srvProfile(101, false), nullptr);
}

TEST_F(Config, TimeAutosaveBoardsSlotsAndSave)
{
    batch({QStringLiteral("time 11:00:00 2018-06-27"), QStringLiteral("y")});
    EXPECT_TRUE(client->run(QStringLiteral("display time"), kConfig).contains(QStringLiteral("\r\n  2018-06-27 11:0")));
    batch({QStringLiteral("autosave time off"), QStringLiteral("autosave type all"), QStringLiteral("autosave time 05:06:07"), QStringLiteral("autosave time on"),
           QStringLiteral("autosave interval off")});
    const QString as = client->run(QStringLiteral("display autosave configuration"), kConfig);
    EXPECT_TRUE(as.contains(QStringLiteral("  System autosave time switch: on\r\n  Autosave time: 05:06:07\r\n")));
    EXPECT_TRUE(as.contains(QStringLiteral("interval switch: off")));

    batch({QStringLiteral("board reset 0/1"), QStringLiteral("y")});
    EXPECT_EQ(sim.model().board(1)->resets, 1);
    QStringList slot{QStringLiteral("interface gpon 0/1")};
    for (int p = 0; p < 16; ++p)
        slot << QStringLiteral("port %1 ont-auto-find disable").arg(p) << QStringLiteral("port %1 fec enable").arg(p);
    slot << QStringLiteral("quit");
    batch(slot);
    EXPECT_FALSE(sim.model().board(1)->autofind.value(15));
    EXPECT_TRUE(sim.model().board(1)->fec.value(0));
    EXPECT_TRUE(sim.model().unsaved);
    batch({QStringLiteral("quit"), QStringLiteral("save configuration")}, kPriv);
    EXPECT_FALSE(sim.model().unsaved);
}

TEST_F(Config, OntLoadFindsTheFileInTheScenariosFtpFolder)
{
    batch({QStringLiteral("diagnose"), QStringLiteral("ont-load stop"), QStringLiteral("ont-load info configuration ont-0110.xml ftp 10.0.0.9 ftp ftp"),
           QStringLiteral("ont-load select 0/1 1 0"), QStringLiteral("ont-load start"), QStringLiteral("ont-load stop"),
           QStringLiteral("ont-load info configuration ont-0111.xml ftp 10.0.0.9 ftp ftp"), QStringLiteral("ont-load select 0/1 1 1"),
           QStringLiteral("ont-load start"), QStringLiteral("quit")});
    ASSERT_EQ(sim.model().ontLoads.size(), 2);
    EXPECT_TRUE(sim.model().ontLoads.at(0).ok);
    EXPECT_EQ(sim.model().ontLoads.at(0).targets, QStringList{QStringLiteral("0/1 1 0")});
    EXPECT_FALSE(sim.model().ontLoads.at(1).ok);
}

TEST_F(Config, RebootAsksThenEndsTheSession)
{
    batch({QStringLiteral("reboot system"), QStringLiteral("n")});
    EXPECT_EQ(sim.model().reboots, 0);
    client->type(QStringLiteral("reboot system"));
    client->type(QStringLiteral("y"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return client->dropped; }, 20000));
    EXPECT_EQ(sim.model().reboots, 1);
}

TEST_F(Config, OntLeavesTheFibreAtItsScenarioTime)
{
    sim.mutableModel().findOnt(0, 1, 0, 2)->dropOfflineAtMs = 0;
    const QString state = client->run(QStringLiteral("display ont info 0 1 0 2"), kConfig);
    EXPECT_TRUE(state.contains(QStringLiteral("  Run state               : offline\r\n")));
    EXPECT_TRUE(state.contains(QStringLiteral("  Last down cause         : LOSi/LOBi\r\n")));
}

TEST_F(Config, SaveReminderWhileChangesAreUnsaved)
{
    sim.settings().saveReminderSeconds = 1;
    SimClient other(sim);
    ASSERT_TRUE(other.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    client->run(QStringLiteral("vlan 151 smart"), kConfig);
    EXPECT_TRUE(other.waitFor(QStringLiteral("save data before"), 5000));
    EXPECT_TRUE(other.waitPrompt(kUser));
}

TEST(SimFaults, LatencyFragmentsGarbageAndMissingQuitEcho)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient plain(sim);
    ASSERT_TRUE(plain.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    plain.run(QStringLiteral("enable"), kPriv);
    plain.run(QStringLiteral("undo smart"), kPriv);
    plain.run(QStringLiteral("scroll 512"), kPriv);
    const QString reference = plain.run(QStringLiteral("display board 0"), kPriv);

    // Small pieces with pauses, and an answer that starts late: the same bytes
    // in the end. Late is a lower bound from the moment the line was typed (a
    // busy machine only adds to it); the latency timer may end 5 % early.
    constexpr int kLatencyMs = 150;
    sim.setOutputFragments(7, 1);
    sim.setLineLatencyMs(kLatencyMs);
    const qsizetype mark = plain.text.size();
    QElapsedTimer clock;
    qint64 answerAtMs = -1;
    const QMetaObject::Connection watch =
        QObject::connect(&plain.conn, &tervix::session::OltConnection::received, [&] {
            if (answerAtMs < 0 && plain.text.indexOf(QStringLiteral("SlotID"), mark) >= 0)
                answerAtMs = clock.elapsed();
        });
    clock.start();
    plain.type(QStringLiteral("display board 0"));
    ASSERT_TRUE(plain.waitPrompt(kPriv, 20000));
    QObject::disconnect(watch);
    EXPECT_EQ(plain.take(), reference);
    EXPECT_GE(answerAtMs, kLatencyMs - kLatencyMs / 10);

    sim.setOutputFragments(0, 0);
    sim.setLineLatencyMs(0);
    sim.setGarbageEveryLines(3);
    const QString noisy = plain.run(QStringLiteral("display service-port all"), kPriv);
    EXPECT_TRUE(std::any_of(noisy.begin(), noisy.end(), [](QChar ch) { return ch.unicode() >= 0x80; }));
    EXPECT_TRUE(noisy.contains(QChar(0x02d9))); // the data byte 0xFF, read as Windows-1250
    sim.setGarbageEveryLines(0);

    sim.setQuitEchoMissing(true);
    plain.run(QStringLiteral("config"), kConfig);
    const QString quit = plain.run(QStringLiteral("quit"), kPriv);
    EXPECT_FALSE(quit.contains(QStringLiteral("quit")));
    EXPECT_EQ(quit, QStringLiteral(" \r\n\r\n") + kPriv);
}

TEST(SimFaults, ByteLatencyAddsUpOverPiecesShorterThanAMillisecond)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient c(sim);
    ASSERT_TRUE(c.typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                             QStringLiteral("scroll 512")},
                            kPriv));
    const QString reference = c.run(QStringLiteral("display board 0"), kPriv);

    // Two bytes at 400 us each: every piece owes less than a millisecond. A
    // plain event loop here, as waiting with pauses would hide the delays.
    sim.setOutputFragments(2, 0);
    sim.setByteLatencyUs(400);
    QEventLoop loop;
    QObject::connect(&c.conn, &tervix::session::OltConnection::received, &loop, [&] {
        if (c.text.endsWith(kPriv))
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    c.type(QStringLiteral("display board 0"));
    loop.exec();
    const qint64 elapsed = clock.elapsed();
    EXPECT_EQ(c.take(), reference);
    const qint64 owedMs = reference.size() * 400 / 1000;
    EXPECT_GE(elapsed, owedMs * 8 / 10) << "owed " << owedMs << " ms";
}

TEST(SimFaults, DroppedAfterCommandsAndSilentLogin)
{
    Simulator sim;
    test::startDemo(sim);
    sim.setDropAfterCommands(2);
    SimClient a(sim);
    ASSERT_TRUE(a.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    a.run(QStringLiteral("enable"), kPriv);
    EXPECT_FALSE(a.dropped);
    a.type(QStringLiteral("undo smart"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return a.dropped; }, 20000));

    sim.setDropAfterCommands(-1);
    sim.setLoginNeverAnswers(true);
    SimClient b(sim);
    b.type(QStringLiteral("admin"));
    b.type(QStringLiteral("admin123"));
    ASSERT_TRUE(b.waitFor(QStringLiteral(">>User password:")));
    b.take();
    b.type(QStringLiteral("enable"));
    QTest::qWait(300);
    EXPECT_EQ(b.take(), QString());
    EXPECT_FALSE(b.dropped);
}

TEST(SimTranscript, EveryLineAndAnswerTimeStamped)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.log"));
    Simulator sim;
    test::startDemo(sim);
    ASSERT_TRUE(sim.setTranscriptFile(path));
    SimClient c(sim);
    ASSERT_TRUE(c.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    c.run(QStringLiteral("enable"), kPriv);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString log = QString::fromLatin1(f.readAll());
    EXPECT_TRUE(log.contains(QStringLiteral(" s1 < admin\n")));
    EXPECT_TRUE(log.contains(QStringLiteral(" s1 < enable\n")));
    EXPECT_TRUE(log.contains(QStringLiteral(" s1 > \\r\\n>>User name:\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("MA5608T-DEMO#")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} s1 ")).match(log).hasMatch());
}

TEST(SimScenario, GeneratedSitesLoadAtEverySize)
{
    for (const int n : {1000, 8000, 32000}) {
        Simulator sim;
        ASSERT_TRUE(sim.loadJson(QJsonDocument(generateScenario(n)).toJson())) << sim.error().toStdString();
        EXPECT_EQ(sim.model().onts.size(), n);
        EXPECT_EQ(sim.model().servicePorts.size(), n);
        EXPECT_LE(sim.model().boards.size(), 22);
    }
}

TEST(SimScenario, ErrorsAreReportedNotThrown)
{
    const QList<QPair<QByteArray, QString>> cases = {
        {"{", QStringLiteral("not valid JSON")},
        {"[]", QStringLiteral("JSON object")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"onts":[{"place":"0/2/0","id":0,"sn":"48575443A1B2C3D4"}]})", QStringLiteral("not on a PON port")},
        {R"({"vlans":[{"id":5},{"id":5}]})", QStringLiteral("listed twice")},
        {R"({"hostname":"bad name"})", QStringLiteral("not a device name")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"onts":[{"place":"0/1/0","id":0}]})", QStringLiteral("ONT 0 at 0/1/0 has no sn")},
        {R"({"boards":[{"slot":3,"name":"H802EPBD","type":"epon"}],"onts":[{"place":"0/3/0","id":0,"sn":"48575443A1B2C3D4"}]})", QStringLiteral("has no mac")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"onts":[{"place":"0/1/0","id":0,"sn":"48575443A1B2C3D4"},{"place":"0/1/1","id":0,"sn":"48575443a1b2c3d4"}]})",
         QStringLiteral("listed twice")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"autofind":[{"place":"0/1","sn":"48575443A1B2C3D4"}]})", QStringLiteral("is not F/S/P")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"autofind":[{"place":"0/1/16","sn":"48575443A1B2C3D4"}]})", QStringLiteral("not on a PON port")},
        {R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],"onts":[{"place":"0/1/0","id":0,"sn":"48575443A1B2C3D4"}],"vlans":[{"id":100}],
             "servicePorts":[{"vlan":100,"place":"0/1/0","ont":0},{"index":0,"vlan":100,"place":"0/1/0","ont":0}]})",
         QStringLiteral("service port 0 is listed twice")},
    };
    for (const auto &k : cases) {
        Simulator sim;
        EXPECT_FALSE(sim.loadJson(k.first));
        EXPECT_TRUE(sim.error().contains(k.second)) << sim.error().toStdString();
    }
    Simulator sim;
    EXPECT_FALSE(sim.loadFile(QStringLiteral("/nonexistent/scenario.json")));
    EXPECT_FALSE(sim.error().isEmpty());
}

TEST(SimScenario, UnnumberedServicePortsTakeTheLowestFreeIndexes)
{
    Simulator sim;
    ASSERT_TRUE(sim.loadJson(R"({"boards":[{"slot":1,"name":"H805GPFD","type":"gpon"}],
        "onts":[{"place":"0/1/0","id":0,"sn":"48575443A1B2C3D4"}],"vlans":[{"id":100}],
        "servicePorts":[{"index":1,"vlan":100,"place":"0/1/0","ont":0},{"index":3,"vlan":100,"place":"0/1/0","ont":0},
                        {"vlan":100,"place":"0/1/0","ont":0},{"vlan":100,"place":"0/1/0","ont":0},{"vlan":100,"place":"0/1/0","ont":0}]})"))
        << sim.error().toStdString();
    QList<int> indexes;
    for (const ServicePort &sp : sim.model().servicePorts)
        indexes << sp.index;
    EXPECT_EQ(indexes, (QList<int>{1, 3, 0, 2, 4}));
}

TEST(SimThirdParty, NetmikoReadsAPagedListingWhole)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import netmiko")});
    if (!probe.waitForFinished(20000) || probe.exitCode() != 0)
        GTEST_SKIP() << "python3-netmiko is not installed";
    Simulator sim;
    test::startDemo(sim);
    QProcess p;
    p.start(python, {tervix::test::sourceDir() + QStringLiteral("/tests/oltsim/scripts/netmiko_paged_display.py"), QString::number(sim.serverPort())});
    // The simulator lives on this thread: keep the event loop running while netmiko talks to it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.state() == QProcess::NotRunning; }, 90000));
    const QString out = QString::fromLatin1(p.readAllStandardOutput());
    EXPECT_EQ(p.exitCode(), 0) << out.toStdString() << p.readAllStandardError().toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("In port 0/ 3/1 , the total of ONTs are: 5, online: 4")));
}
