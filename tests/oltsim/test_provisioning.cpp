// The console's provisioning batches typed blind into the simulator, and the
// state the OLT holds afterwards.
#include "sim_client.h"

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {
class Provisioning : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::startDemo(sim);
        ASSERT_TRUE(sent.start(sim));
        client = std::make_unique<SimClient>(sim, &sent);
        // The working session's preparation, typed blind like the console does.
        ASSERT_TRUE(client->typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                                       QStringLiteral("idle-timeout 255"), QStringLiteral("scroll 512"), QStringLiteral("config")},
                                      kConfig));
    }
    QString batch(const QStringList &lines, const QString &finalPrompt) { return client->batch(lines, finalPrompt); }
    QString run(const QString &line, const QString &prompt = kConfig) { return client->run(line, prompt); }

    Simulator sim;
    SentOutput sent;
    std::unique_ptr<SimClient> client;
};
} // namespace

TEST_F(Provisioning, GponAddBatchAuthorisesTheFoundOntWithServicePortsAndIgmp)
{
    const QString sn = QStringLiteral("485754430B086EA9"); // waiting in autofind on 0/1/4
    ASSERT_EQ(sim.model().autofind.size(), 5);
    const QString out = batch({QStringLiteral("config"),
                               QStringLiteral("interface gpon 0/1"),
                               QStringLiteral("ont add 4 0 sn-auth %1 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"Anna Nowak\"").arg(sn),
                               QStringLiteral("ont port native-vlan 4 0 eth 1 vlan 1010"),
                               QStringLiteral("ont port attribute 4 0 catv 1 operational-state off"),
                               QStringLiteral("quit"),
                               QStringLiteral("service-port 80 vlan 1010 gpon 0/1/4 ont 0 gemport 100 multi-service user-vlan 1010 tag-transform transparent"),
                               QStringLiteral("service-port 81 vlan 942 gpon 0/1/4 ont 0 gemport 100 multi-service user-vlan 942 tag-transform translate"),
                               QStringLiteral("btv"),
                               QStringLiteral("igmp user add service-port 81 no-auth"),
                               QStringLiteral("multicast-vlan 942"),
                               QStringLiteral("igmp multicast-vlan member service-port 81"),
                               QStringLiteral("quit")},
                              kConfig);
    EXPECT_TRUE(out.contains(QStringLiteral("  Number of ONTs that can be added: 1, success: 1\r\n  PortID :4, ONTID :0\r\n")));
    EXPECT_TRUE(out.contains(QStringLiteral("Set ONT port(s) VLAN configuration, success: 1, failed: 0")));
    EXPECT_FALSE(out.contains(QStringLiteral("% ")));
    EXPECT_FALSE(out.contains(QStringLiteral("Failure")));

    const Ont *o = sim.model().findOnt(0, 1, 4, 0);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->sn, sn);
    EXPECT_EQ(o->description, QStringLiteral("Anna Nowak"));
    EXPECT_TRUE(o->online());
    EXPECT_EQ(o->hw.distance, 2300);
    EXPECT_EQ(o->nativeVlan.value(1), 1010);
    EXPECT_EQ(o->catv.value(1, true), false);
    EXPECT_EQ(sim.model().autofind.size(), 4);
    const ServicePort *a = sim.model().servicePort(80);
    const ServicePort *b = sim.model().servicePort(81);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->tagTransform, QStringLiteral("transparent"));
    EXPECT_EQ(a->gemport, 100);
    EXPECT_EQ(b->vlan, 942);
    EXPECT_EQ(b->tagTransform, QStringLiteral("translate"));
    EXPECT_TRUE(sim.model().isIgmpUser(81));
    EXPECT_TRUE(sim.model().vlan(942)->members.contains(81));

    // The listings the console reads show it at once, also in another session.
    SimClient other(sim);
    ASSERT_TRUE(other.login(QStringLiteral("admin"), QStringLiteral("admin123"), kUser));
    other.run(QStringLiteral("enable"), kPriv);
    other.run(QStringLiteral("undo smart"), kPriv);
    other.run(QStringLiteral("scroll 512"), kPriv); // the autofind listing whole, not its first page
    const QString port = other.run(QStringLiteral("display ont info 0 1 4 all"), kPriv);
    EXPECT_TRUE(port.contains(QStringLiteral("  0/ 1/4    0  485754430B086EA9  active      online   normal   match    no")));
    EXPECT_TRUE(port.contains(QStringLiteral("  0/ 1/4       0   Anna Nowak\r\n")));
    EXPECT_TRUE(port.contains(QStringLiteral("  In port 0/ 1/4 , the total of ONTs are: 1, online: 1\r\n")));
    const QString sps = other.run(QStringLiteral("display service-port port 0/1/4 ont 0"), kPriv);
    EXPECT_TRUE(sps.contains(QStringLiteral("      80 1010 common   gpon 0/1 /4  0    100   vlan  1010       6    6    up   \r\n")));
    EXPECT_TRUE(sps.contains(QStringLiteral("   Total : 2  (Up/Down :    2/0)")));
    EXPECT_FALSE(other.run(QStringLiteral("display ont autofind all"), kPriv).contains(sn));
}

TEST_F(Provisioning, EponAddBatchDisabledOnt)
{
    batch({QStringLiteral("config"),
           QStringLiteral("interface epon 0/3"),
           QStringLiteral("ont add 2 1 mac-auth 00E0-FC3A-9B01 oam ont-lineprofile-id 101 ont-srvprofile-id 101 desc \"Sklep Lipowa\""),
           QStringLiteral("ont port native-vlan 2 1 eth 1 vlan 1010"),
           QStringLiteral("ont port attribute 2 1 catv 1 operational-state on"),
           QStringLiteral("ont deactivate 2 1"),
           QStringLiteral("quit"),
           QStringLiteral("service-port 90 vlan 1010 epon 0/3/2 ont 1 multi-service user-vlan 1010 tag-transform translate"),
           QStringLiteral("btv"),
           QStringLiteral("igmp user add service-port 90 no-auth"),
           QStringLiteral("multicast-vlan 942"),
           QStringLiteral("igmp multicast-vlan member service-port 90"),
           QStringLiteral("quit")},
          kConfig);
    const Ont *o = sim.model().findOnt(0, 3, 2, 1);
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->epon);
    EXPECT_EQ(o->sn, QStringLiteral("00e0-fc3a-9b01"));
    EXPECT_FALSE(o->active);
    EXPECT_FALSE(o->online());
    EXPECT_TRUE(o->present);
    EXPECT_TRUE(o->catv.value(1));
    const ServicePort *sp = sim.model().servicePort(90);
    ASSERT_NE(sp, nullptr);
    EXPECT_TRUE(sp->epon);
    EXPECT_EQ(sp->gemport, -1);
    EXPECT_TRUE(sim.model().vlan(942)->members.contains(90));
    const QString listing = run(QStringLiteral("display service-port vlan 1010"));
    EXPECT_TRUE(listing.contains(QStringLiteral("      90 1010 common   epon 0/3/2   1    -     vlan  1010       6    6    down \r\n")));
    const QString state = run(QStringLiteral("display ont info 0 3 2 all"));
    EXPECT_TRUE(state.contains(QStringLiteral("  0/ 3/2    1  00e0-fc3a-9b01    deactivated offline  initial  initial  no")));
}

TEST_F(Provisioning, DeleteBatchReleasesPortsAndTheOntReturnsToAutofind)
{
    // 0/1/0 ONT 0 carries service ports 0 and 1 (1 is an IGMP user).
    const QString sn = sim.model().findOnt(0, 1, 0, 0)->sn;
    batch({QStringLiteral("config"), QStringLiteral("undo service-port port 0/1/0 ont 0"), QStringLiteral("y"),
           QStringLiteral("interface gpon 0/1"), QStringLiteral("ont delete 0 0"), QStringLiteral("quit")},
          kConfig);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0), nullptr);
    EXPECT_EQ(sim.model().servicePort(0), nullptr);
    EXPECT_EQ(sim.model().servicePort(1), nullptr);
    EXPECT_FALSE(sim.model().isIgmpUser(1));
    EXPECT_FALSE(sim.model().vlan(942)->members.contains(1));
    const bool found = std::any_of(sim.model().autofind.begin(), sim.model().autofind.end(), [&](const AutofindOnt &a) { return a.sn == sn && a.slot == 1 && a.port == 0; });
    EXPECT_TRUE(found);
    // The next free index is the lowest unused one.
    EXPECT_TRUE(run(QStringLiteral("display service-port next-free-index")).contains(QStringLiteral("  Next valid free service virtual port ID: 0\r\n")));
}

TEST_F(Provisioning, ChangeBatchAndReset)
{
    const QString newSn = QStringLiteral("48575443FFEE0001");
    const QString out = batch({QStringLiteral("config"), QStringLiteral("interface gpon 0/1"), QStringLiteral("ont deactivate 1 2"),
                               QStringLiteral("ont port attribute 1 2 catv 1 operational-state on"), QStringLiteral("ont modify 1 2 desc Nowy_Opis"),
                               QStringLiteral("ont modify 1 2 sn %1").arg(newSn), QStringLiteral("1"), QStringLiteral("ont modify 1 2 ont-lineprofile-id 2"),
                               QStringLiteral("ont modify 1 2 ont-srvprofile-id 2"), QStringLiteral("quit")},
                              kConfig);
    const Ont *o = sim.model().findOnt(0, 1, 1, 2);
    ASSERT_NE(o, nullptr);
    EXPECT_FALSE(o->active);
    EXPECT_TRUE(o->catv.value(1));
    EXPECT_EQ(o->description, QStringLiteral("Nowy_Opis"));
    EXPECT_EQ(o->sn, newSn);
    EXPECT_EQ(o->lineProfile, 2);
    EXPECT_EQ(o->srvProfile, 2);
    // The lone "1" the console types after a serial-number change is not a command.
    EXPECT_TRUE(out.contains(QStringLiteral("  % Unknown command, the error locates at '^'")));

    const int before = sim.model().findOnt(0, 1, 0, 1)->resets;
    batch({QStringLiteral("config"), QStringLiteral("interface gpon 0/1"), QStringLiteral("ont reset 0 1"), QStringLiteral("y"), QStringLiteral("quit")}, kConfig);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 1)->resets, before + 1);
}

TEST_F(Provisioning, AddRefusalsChangeNothing)
{
    run(QStringLiteral("interface gpon 0/1"), QStringLiteral("(config-if-gpon-0/1)#"));
    const auto count = sim.model().onts.size();
    struct Case
    {
        QString line;
        QString failure;
    };
    const QString taken = sim.model().findOnt(0, 1, 0, 0)->sn;
    const QList<Case> cases = {
        {QStringLiteral("ont add 0 0 sn-auth 48575443AAAA0001 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\""), QStringLiteral("  Failure: The ONT ID has already existed")},
        {QStringLiteral("ont add 0 50 sn-auth %1 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\"").arg(taken), QStringLiteral("  Failure: SN already exists")},
        {QStringLiteral("ont add 0 50 sn-auth 48575443AAAA0001 omci ont-lineprofile-id 77 ont-srvprofile-id 1 desc \"x\""), QStringLiteral("  Failure: The line profile does not exist")},
        {QStringLiteral("ont add 0 50 sn-auth 48575443AAAA0001 omci ont-lineprofile-id 1 ont-srvprofile-id 77 desc \"x\""), QStringLiteral("  Failure: The service profile does not exist")},
        {QStringLiteral("ont add 0 50 sn-auth XYZ omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\""), QStringLiteral("  Failure: The SN is invalid")},
    };
    for (const Case &k : cases)
        EXPECT_TRUE(run(k.line, QStringLiteral("(config-if-gpon-0/1)#")).contains(k.failure + QStringLiteral("\r\n"))) << k.line.toStdString();
    EXPECT_EQ(sim.model().onts.size(), count);
    // An ONT added without being on the fibre stays offline.
    run(QStringLiteral("ont add 5 0 sn-auth 48575443AAAA0001 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"nowy\""), QStringLiteral("(config-if-gpon-0/1)#"));
    ASSERT_NE(sim.model().findOnt(0, 1, 5, 0), nullptr);
    EXPECT_FALSE(sim.model().findOnt(0, 1, 5, 0)->online());
    EXPECT_TRUE(run(QStringLiteral("display ont optical-info 5 0"), QStringLiteral("(config-if-gpon-0/1)#")).contains(QStringLiteral("\r\n  Failure: The ONT is not online\r\n")));
}

TEST_F(Provisioning, SerialChangeRefusalsKeepTheOntAsItWas)
{
    const QString gpon = QStringLiteral("MA5608T-DEMO(config-if-gpon-0/1)#");
    const QString epon = QStringLiteral("MA5608T-DEMO(config-if-epon-0/3)#");
    const QString takenSn = sim.model().findOnt(0, 1, 0, 0)->sn;
    const QString takenMac = sim.model().findOnt(0, 3, 0, 2)->sn.toUpper();
    struct Case
    {
        QString interface;
        QString prompt;
        int slot;
        QString line;
        QString failure;
    };
    const QList<Case> cases = {
        {QStringLiteral("interface gpon 0/1"), gpon, 1, QStringLiteral("ont modify 0 1 sn %1").arg(takenSn), QStringLiteral("  Failure: SN already exists")},
        {QStringLiteral("interface gpon 0/1"), gpon, 1, QStringLiteral("ont modify 0 1 sn 48575443ZZ"), QStringLiteral("  Failure: The SN is invalid")},
        {QStringLiteral("interface epon 0/3"), epon, 3, QStringLiteral("ont modify 0 1 mac %1").arg(takenMac), QStringLiteral("  Failure: MAC already exists")},
        {QStringLiteral("interface epon 0/3"), epon, 3, QStringLiteral("ont modify 0 1 mac 00e0-fc2d"), QStringLiteral("  Failure: The MAC address is invalid")},
    };
    for (const Case &k : cases) {
        const Ont before = *sim.model().findOnt(0, k.slot, 0, 1);
        run(k.interface, k.prompt);
        EXPECT_TRUE(run(k.line, k.prompt).contains(k.failure + QStringLiteral("\r\n"))) << k.line.toStdString();
        run(QStringLiteral("quit"));
        const Ont *after = sim.model().findOnt(0, k.slot, 0, 1);
        EXPECT_EQ(after->sn, before.sn) << k.line.toStdString();
        EXPECT_EQ(after->online(), before.online()) << k.line.toStdString();
    }
}

TEST_F(Provisioning, AccountDialogueThenSsh)
{
    // Typed blind after quiet periods, as the account window does.
    const QString out = batch({QStringLiteral("terminal user name"), QStringLiteral("nowyadmin"), QStringLiteral("tajne123"), QStringLiteral("tajne123"),
                               QString(), QStringLiteral("3"), QStringLiteral("4"), QString(), QStringLiteral("n"),
                               QStringLiteral("ssh user nowyadmin authentication-type password")},
                              kConfig);
    for (const char *q : {"  User Name(length<6,15>):", "  User Password(length<6,15>):", "  Confirm Password(length<6,15>):",
                          "  User profile name(<=15 chars)[root]:", "  User's Level:", "    1. Common User  2. Operator  3. Administrator:",
                          "  Permitted Reenter Number(0--4):", "  User's Appended Info(<=30 chars):", "  Adding user succeeds",
                          "  Repeat this operation? (y/n)[n]:", "successfully"})
        EXPECT_TRUE(out.contains(QString::fromLatin1(q))) << q;
    EXPECT_FALSE(out.contains(QStringLiteral("tajne123")));
    const User *u = sim.model().user(QStringLiteral("nowyadmin"));
    ASSERT_NE(u, nullptr);
    EXPECT_EQ(u->password, QStringLiteral("tajne123"));
    EXPECT_EQ(u->level, 3);
    EXPECT_EQ(u->reenter, 4);
    EXPECT_TRUE(u->ssh);
    // The new account logs in.
    SimClient c(sim);
    EXPECT_TRUE(c.login(QStringLiteral("nowyadmin"), QStringLiteral("tajne123"), kUser));
}

TEST_F(Provisioning, ListingsTheConsoleReads)
{
    // (command, texts the answer must hold)
    const QList<QPair<QString, QStringList>> cases = {
        {QStringLiteral("display ont autofind all"),
         {QStringLiteral("   Ont SN              : 485754430B086EA9 (HWTC-0B086EA9)\r\n"), QStringLiteral("   Ont MAC             : 00E0-FC3A-9B01\r\n"),
          QStringLiteral("   The number of GPON autofind ONT is 3\r\n"), QStringLiteral("   The number of EPON autofind ONT is 2\r\n")}},
        {QStringLiteral("display ont-lineprofile gpon all"), {QStringLiteral("  1           ftth_1010                                   49           \r\n"), QStringLiteral("  Total: 2\r\n")}},
        {QStringLiteral("display ont-srvprofile epon all"), {QStringLiteral("  101         epon_sfu                                    11           \r\n")}},
        {QStringLiteral("display igmp user all"), {QStringLiteral("programs\r\n"), QStringLiteral("\r\n  0/1/0/1         online")}},
        {QStringLiteral("display ont info 0 1 0 0"),
         {QStringLiteral("  Run state               : online\r\n"), QStringLiteral("  ONT distance(m)         : "), QStringLiteral("  Last down cause         : -\r\n"),
          QStringLiteral("  Line profile ID      : 1\r\n"), QStringLiteral("  Service profile ID   : 1\r\n")}},
        {QStringLiteral("display mac-address port 0/1/0 ont 0"), {QStringLiteral("  It will take some time, please wait...\r\n"), QStringLiteral("  Total: 1\r\n")}},
        {QStringLiteral("display time"), {QStringLiteral("+01:00\r\n")}},
        {QStringLiteral("display autosave configuration"), {QStringLiteral("interval switch: off"), QStringLiteral("  System autosave time switch: on\r\n  Autosave time: 04:01:01\r\n")}},
        {QStringLiteral("display board 0"), {QStringLiteral("  0       H801MCUD   Active_normal   CPCF"), QStringLiteral("  SlotID  BoardName  Status")}},
        {QStringLiteral("display port vlan 0/0/0"), {QStringLiteral("  1010   smart     common\r\n"), QStringLiteral("   942   smart     common\r\n")}},
        {QStringLiteral("display dba-profile all"), {QStringLiteral("          11      4           No          0          0       1024000         2\r\n")}},
    };
    for (const auto &k : cases) {
        const QString answer = run(k.first);
        for (const QString &needle : k.second)
            EXPECT_TRUE(answer.contains(needle)) << k.first.toStdString() << " lacks " << needle.toStdString() << "\n" << answer.toStdString();
    }
    run(QStringLiteral("interface gpon 0/1"), QStringLiteral("(config-if-gpon-0/1)#"));
    const QString optical = run(QStringLiteral("display ont optical-info 0 0"), QStringLiteral("(config-if-gpon-0/1)#"));
    for (const char *label : {"  Rx optical power(dBm)                  : ", "  Tx optical power(dBm)                  : ", "  Laser bias current(mA)                 : ",
                              "  Temperature(C)                         : ", "  OLT Rx ONT optical power(dBm)          : "})
        EXPECT_TRUE(optical.contains(QString::fromLatin1(label))) << label;
}

TEST_F(Provisioning, OlderFirmwareAutofindLayout)
{
    sim.settings().autofindLayout = listings::AutofindLayout::Old;
    const QString answer = run(QStringLiteral("display ont autofind all"));
    EXPECT_TRUE(answer.contains(QStringLiteral("   Ont SN              : 485754430B086EA9\r\n")));
    EXPECT_TRUE(answer.contains(QStringLiteral("   Ont EquipmentID     : EG8145V5\r\n   Ont autofind time   : 2024-05-03 09:12:44+01:00\r\n   ---")));
    // GPON records of this layout carry no "Ont MAC" line; EPON records do.
    EXPECT_EQ(answer.count(QStringLiteral("Ont MAC")), 2);
    EXPECT_FALSE(answer.contains(QStringLiteral("Multi channel")));
}
