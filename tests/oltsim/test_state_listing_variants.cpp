// The ONT state listing in the layouts the captures show beside the plain one
// (unknown states, the "configuring" flag, footers with the offline count,
// padded and wrapped descriptions, empty ports as their footer alone), read
// back by the console's parser; and a pause in the middle of one answer.
#include "core/ont_state_listing.h"
#include "core/paging.h"
#include "sim_client.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace oltsim;
using namespace oltsim::test;

namespace {

const QString kHostUser = QStringLiteral("OLT-STATES>");
const QString kHostPriv = QStringLiteral("OLT-STATES#");
const QString kLongDescription = QStringLiteral("Spoldzielnia Mieszkaniowa Przyszlosc, klatka B, mieszkanie 12");

QByteArray scenario(const QJsonObject &stateListing)
{
    QJsonObject root = QJsonDocument::fromJson(R"({
        "hostname": "OLT-STATES",
        "users": [{"name": "admin", "password": "admin123", "level": 3, "reenter": 4}],
        "boards": [{"slot": 0, "name": "H801MCUD", "type": "control", "ports": 4},
                   {"slot": 1, "name": "H805GPFD", "type": "gpon", "ports": 4}],
        "onts": [
            {"place": "0/1/0", "id": 0, "sn": "48575443A0000000", "description": "Kowalski"},
            {"place": "0/1/0", "id": 1, "sn": "48575443A0000001", "description": "Nowak", "online": false},
            {"place": "0/1/0", "id": 2, "sn": "48575443A0000002", "description": "Unknown", "stateUnknown": true},
            {"place": "0/1/0", "id": 3, "sn": "48575443A0000003", "description": "Setting up", "configuring": true},
            {"place": "0/1/0", "id": 4, "sn": "48575443A0000004", "active": false,
             "description": "Spoldzielnia Mieszkaniowa Przyszlosc, klatka B, mieszkanie 12"},
            {"place": "0/1/2", "id": 0, "sn": "48575443A0000005", "description": "Zielinski"}
        ]})").object();
    root.insert(QStringLiteral("stateListing"), stateListing);
    return QJsonDocument(root).toJson();
}

const QJsonObject kAllVariants{{QStringLiteral("footerOffline"), true},
                               {QStringLiteral("descriptionPadding"), 31},
                               {QStringLiteral("descriptionWrap"), 40},
                               {QStringLiteral("emptyPortFooters"), true}};

class SimStateListing : public ::testing::Test
{
protected:
    void start(const QJsonObject &stateListing)
    {
        ASSERT_TRUE(sim.loadJson(scenario(stateListing))) << sim.error().toStdString();
        ASSERT_TRUE(sim.listen(QHostAddress::LocalHost, 0)) << sim.error().toStdString();
        client = std::make_unique<SimClient>(sim);
        ASSERT_TRUE(client->typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"),
                                       QStringLiteral("undo smart")},
                                      kHostPriv));
    }
    // The listing unpaged, its lines without their ends.
    QStringList listingLines()
    {
        client->run(QStringLiteral("scroll 512"), kHostPriv);
        QString text = client->run(QStringLiteral("display ont info 0 all"), kHostPriv);
        return text.remove(u'\r').split(u'\n');
    }
    // The listing paged at the default length and joined as the console joins pages.
    QString pagedListing()
    {
        const QString more = QStringLiteral("---- More ( Press 'Q' to break ) ----");
        SimClient &c = *client;
        c.run(QStringLiteral("scroll"), kHostPriv);
        QString paged;
        int pages = 0;
        c.type(QStringLiteral("display ont info 0 all"));
        while (true) {
            const qsizetype before = c.text.size();
            EXPECT_TRUE(QTest::qWaitFor([&] { return c.text.size() > before && (c.text.endsWith(more) || c.text.endsWith(kHostPriv)); }, 5000));
            if (!tervix::core::collectPage(c.take(), paged))
                break;
            ++pages;
            c.key(QStringLiteral("\""));
        }
        EXPECT_GE(pages, 1);
        return paged;
    }

    Simulator sim;
    std::unique_ptr<SimClient> client;
};

} // namespace

TEST_F(SimStateListing, VariantsLaidOutAsTheCapturesShowThem)
{
    start(kAllVariants);
    const QStringList lines = listingLines();
    const QString indent(19, u' ');
    const QStringList expected{
        // ntc3: what the OLT cannot tell is "-"
        QStringLiteral("  0/ 1/0    2  48575443A0000002  active      -        -        -        no "),
        // ntc2: the control flag of an ONT being set up
        QStringLiteral("  0/ 1/0    3  48575443A0000003  configuring online   normal   match    no "),
        QStringLiteral("  0/ 1/0    4  48575443A0000004  deactivated offline  initial  initial  no "),
        // ntc2: descriptions padded to the column
        QStringLiteral("  0/ 1/0       0   Kowalski                       "),
        // a description longer than its column goes on under it
        QStringLiteral("  0/ 1/0       4   ") + kLongDescription.left(40),
        indent + kLongDescription.mid(40),
        // ntc3: the offline count; the unknown ONT is neither
        QStringLiteral("  In port 0/ 1/0 , the total number of ONTs are: 5, online: 2, offline: 2"),
        // "display board": an empty port is its footer alone
        QStringLiteral("  In port 0/ 1/1 , the total number of ONTs are: 0, online: 0, offline: 0"),
        QStringLiteral("  In port 0/ 1/2 , the total number of ONTs are: 1, online: 1, offline: 0"),
        QStringLiteral("  In port 0/ 1/3 , the total number of ONTs are: 0, online: 0, offline: 0"),
    };
    for (const QString &l : expected)
        EXPECT_EQ(lines.count(l), 1) << l.toStdString();
    // Lone footers have no tables around them.
    const qsizetype lone = lines.indexOf(expected[7]);
    ASSERT_GT(lone, 0);
    EXPECT_TRUE(lines[lone - 1].isEmpty());
    EXPECT_TRUE(lines[lone + 1].isEmpty());
}

TEST_F(SimStateListing, PlainLayoutWithoutTheOptions)
{
    start({});
    const QStringList lines = listingLines();
    EXPECT_TRUE(lines.contains(QStringLiteral("  In port 0/ 1/0 , the total of ONTs are: 5, online: 2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  0/ 1/0       0   Kowalski")));
    EXPECT_TRUE(lines.contains(QStringLiteral("  0/ 1/0       4   ") + kLongDescription));
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(QStringLiteral("  In port 0/ 1/1")); }));
}

// Whatever the layout, the console reads every ONT once, with its state, and
// takes the listing for whole.
class SimStateListingLayouts : public SimStateListing, public ::testing::WithParamInterface<bool> {};

TEST_P(SimStateListingLayouts, ConsoleReadsTheListingWholeOverPages)
{
    start(GetParam() ? kAllVariants : QJsonObject{});
    const tervix::core::StateListing l = tervix::core::parseStateListing(pagedListing(), QStringLiteral("0"));
    EXPECT_EQ(l.count, 6);
    EXPECT_TRUE(l.whole);
    QStringList states;
    for (const tervix::core::OntLine &o : l.states)
        states << o.serialOrMac + (o.online ? QStringLiteral(" on") : QStringLiteral(" off")) + (o.deactivated ? QStringLiteral(" deactivated") : QString());
    EXPECT_EQ(states, (QStringList{QStringLiteral("48575443A0000000 on"), QStringLiteral("48575443A0000001 off"),
                                   QStringLiteral("48575443A0000002 off"), QStringLiteral("48575443A0000003 on"),
                                   QStringLiteral("48575443A0000004 off deactivated"), QStringLiteral("48575443A0000005 on")}));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimStateListingLayouts, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &i) { return std::string(i.param ? "all_variants" : "plain"); });

// The MAC-address answer announces itself, then the table comes: with a pause
// after the announcement the two arrive apart, and nothing is lost.
TEST(SimFaults, PauseAfterTextHoldsTheRestOfTheAnswerBack)
{
    Simulator sim;
    test::startDemo(sim);
    SimClient c(sim);
    ASSERT_TRUE(c.typeBlind({QStringLiteral("admin"), QStringLiteral("admin123"), QStringLiteral("enable"), QStringLiteral("undo smart"),
                             QStringLiteral("scroll 512")},
                            kPriv));
    const QString command = QStringLiteral("display mac-address port 0/1/0 ont 0");
    const QString reference = c.run(command, kPriv);
    const QString preamble = QStringLiteral("please wait...");
    ASSERT_TRUE(reference.contains(preamble));
    const QString afterPreamble = reference.mid(reference.indexOf(preamble) + preamble.size());
    ASSERT_TRUE(afterPreamble.contains(QStringLiteral("-----")));

    sim.setPauseAfter(preamble, 1500);
    c.type(command);
    ASSERT_TRUE(c.waitFor(preamble));
    EXPECT_FALSE(c.text.mid(c.text.lastIndexOf(preamble)).contains(QStringLiteral("-----")))
        << "the table came with its announcement";
    ASSERT_TRUE(c.waitPrompt(kPriv, 10000));
    EXPECT_EQ(c.take(), reference);

    // What the OLT says meanwhile waits behind the held part.
    const qsizetype prompts = c.text.count(kPriv);
    c.type(command);
    c.type(QStringLiteral("display time"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.text.count(kPriv) >= prompts + 2; }, 10000));
    const QString both = c.take();
    ASSERT_GE(both.indexOf(QStringLiteral("-----")), 0);
    EXPECT_LT(both.indexOf(QStringLiteral("-----")), both.indexOf(QStringLiteral("display time")));
}
