// What the simulated OLT refuses of a service port and of an ONT's
// authorisation, with the device's texts, and that a refusal changes nothing.
#include "sim_client.h"

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {

class Refusals : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::startDemo(sim);
        client = std::make_unique<SimClient>(sim);
        ASSERT_TRUE(client->typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"),
                                       QStringLiteral("undo smart"), QStringLiteral("scroll 512"), QStringLiteral("config")},
                                      kConfig));
    }
    QString run(const QString &line, const QString &prompt = kConfig) { return client->run(line, prompt); }

    Simulator sim;
    std::unique_ptr<SimClient> client;
};

TEST_F(Refusals, ServicePortsTheOltCannotCreate)
{
    const ServicePort &existing = sim.model().servicePorts.first();
    const Ont *ont = sim.model().findOnt(existing.frame, existing.slot, existing.port, existing.ont);
    ASSERT_NE(ont, nullptr);
    ASSERT_FALSE(ont->epon);
    const int freeIndex = sim.model().nextFreeServicePort();
    int missingVlan = 4000;
    while (sim.model().vlan(missingVlan))
        ++missingVlan;
    const QString place = QStringLiteral("%1/%2/%3").arg(existing.frame).arg(existing.slot).arg(existing.port);
    auto line = [&](int index, int vlan, int userVlan, int ontId) {
        return QStringLiteral("service-port %1 vlan %2 gpon %3 ont %4 gemport %5 multi-service user-vlan %6 "
                              "tag-transform translate")
            .arg(index)
            .arg(vlan)
            .arg(place)
            .arg(ontId)
            .arg(existing.gemport)
            .arg(userVlan);
    };
    int freeOnt = 0;
    while (sim.model().findOnt(existing.frame, existing.slot, existing.port, freeOnt))
        ++freeOnt;
    const struct
    {
        const char *name;
        QString line;
        QString answer;
    } cases[] = {
        {"VLAN missing", line(freeIndex, missingVlan, 1010, existing.ont), QStringLiteral("  Failure: The VLAN does not exist\r\n")},
        {"index taken", line(existing.index, existing.vlan, 2000, existing.ont),
         QStringLiteral("  Failure: The service virtual port has existed already\r\n"
                        "  Conflicted service virtual port index: %1\r\n")
             .arg(existing.index)},
        {"same flow under another index", line(freeIndex, existing.vlan, existing.userVlan, existing.ont),
         QStringLiteral("  Failure: The service virtual port has existed already\r\n"
                        "  Conflicted service virtual port index: %1\r\n")
             .arg(existing.index)},
        {"ONT missing", line(freeIndex, existing.vlan, 1010, freeOnt), QStringLiteral("  Failure: The ONT does not exist\r\n")},
    };
    const auto before = sim.model().servicePorts;
    for (const auto &c : cases) {
        const QString out = run(c.line);
        // The echo of a line this long is wrapped; what follows it is the answer.
        EXPECT_TRUE(out.endsWith(QStringLiteral(" \r\n") + c.answer + QStringLiteral("\r\n") + kConfig))
            << c.name << ": " << out.toStdString();
    }
    EXPECT_EQ(sim.model().servicePorts.size(), before.size());
    EXPECT_EQ(sim.model().servicePort(freeIndex), nullptr);
}

TEST_F(Refusals, RefusedAuthorisationPrintsItsReasonAlone)
{
    const QString gpon = QStringLiteral("MA5608T-DEMO(config-if-gpon-0/1)#");
    run(QStringLiteral("interface gpon 0/1"), gpon);
    const QString line = QStringLiteral("ont add 0 0 sn-auth 48575443AAAA0001 omci ont-lineprofile-id 1 ont-srvprofile-id 1 desc \"x\"");
    const QString out = run(line, gpon);
    EXPECT_TRUE(out.endsWith(QStringLiteral(" \r\n  Failure: The ONT ID has already existed\r\n\r\n") + gpon)) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("success")));
}

} // namespace
