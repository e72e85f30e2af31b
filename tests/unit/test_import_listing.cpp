#include "core/import_listing.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <functional>

namespace {

using tervix::core::applyImport;
using tervix::core::dataFileBackupName;
using tervix::core::ImportList;
using tervix::core::ImportRow;
using tervix::core::ImportSummary;
using tervix::core::isImportFrame;
using tervix::core::OntRecord;
using tervix::test::crlf;
using tervix::test::readSample;

const QString kSep = QStringLiteral("  -----------------------------------------------------------------------------");
const QString kPrompt = QStringLiteral("MA5608T(config)#");

// A listing as the console collects it: the OLT's lines with CR LF, then the prompt.
QString collected(const QStringList &lines, bool prompt = true)
{
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n") + (prompt ? kPrompt : QString());
}

QString withPrompt(const QString &sample)
{
    QString text = crlf(sample);
    if (!text.endsWith(QStringLiteral("\r\n")))
        text += QStringLiteral("\r\n");
    return text + kPrompt;
}

struct Ont
{
    int slot, port, id;
    QString serial;
    bool online = true;
    QString description = QStringLiteral("Klient");
};

QString place(int slot, int port)
{
    return QStringLiteral("0/%1/%2").arg(slot, 2).arg(port).leftJustified(7);
}

// "display ont info 0 all" as the OLT lays it out: per port a state table, a
// description table and the footer. `describe` picks the ONTs that get a
// description row, and descriptions may come in another order than the states.
QStringList ontListingLines(const QList<Ont> &onts, const std::function<bool(const Ont &)> &describe = {},
                            bool reverseDescriptions = false)
{
    QStringList out{QStringLiteral("display ont info 0 all")};
    QList<QPair<int, int>> ports;
    for (const Ont &o : onts) {
        if (!ports.contains(qMakePair(o.slot, o.port)))
            ports << qMakePair(o.slot, o.port);
    }
    for (const auto &[slot, port] : ports) {
        QList<Ont> here;
        for (const Ont &o : onts) {
            if (o.slot == slot && o.port == port)
                here << o;
        }
        out << kSep << QStringLiteral("  F/S/P   ONT         SN         Control     Run      Config   Match    Protect")
            << QStringLiteral("          ID                     flag        state    state    state    side ") << kSep;
        int online = 0;
        for (const Ont &o : here) {
            online += o.online ? 1 : 0;
            out << QStringLiteral("  ") + place(slot, port) + QStringLiteral("%1  ").arg(o.id, 4) + o.serial.leftJustified(16)
                    + (o.online ? QStringLiteral("  active      online   normal   match    no ")
                                : QStringLiteral("  active      offline  initial  initial  no "));
        }
        out << kSep << QStringLiteral("  F/S/P   ONT-ID   Description") << kSep;
        QList<Ont> described = here;
        if (reverseDescriptions)
            std::reverse(described.begin(), described.end());
        for (const Ont &o : described) {
            if (!describe || describe(o))
                out << QStringLiteral("  ") + place(slot, port) + QStringLiteral("%1   ").arg(o.id, 7) + o.description;
        }
        out << kSep
            << QStringLiteral("  In port 0/%1/%2, the total of ONTs are: %3, online: %4")
                   .arg(slot, 2)
                   .arg(QString::number(port).leftJustified(2))
                   .arg(here.size())
                   .arg(online)
            << kSep << QString();
    }
    return out;
}

struct ServicePort
{
    int index, vlan;
    QString place; // as printed: "0/2 /0", "0/10/0"
    int ont;
    QString gem = QStringLiteral("1");
};

QStringList servicePortLines(const QList<ServicePort> &rows, int total = -1)
{
    QStringList out{QStringLiteral("display service-port all"), QStringLiteral("  Switch-Oriented Flow List"), kSep,
                    QStringLiteral("   INDEX VLAN VLAN     PORT F/ S/ P VPI  VCI   FLOW  FLOW       RX   TX   STATE"),
                    QStringLiteral("         ID   ATTR     TYPE                    TYPE  PARA"), kSep};
    for (const ServicePort &s : rows) {
        out << QStringLiteral("%1 %2 common   gpon ").arg(s.index, 8).arg(s.vlan, 4) + s.place.leftJustified(8)
                + QString::number(s.ont).leftJustified(5) + s.gem.leftJustified(6) + QStringLiteral("vlan  -          6    6    up   ");
    }
    out << kSep << QStringLiteral("   Total : %1  (Up/Down : %2/0)").arg(total < 0 ? rows.size() : total).arg(rows.size(), 4)
        << QStringLiteral("   Note : F--Frame, S--Slot, P--Port,");
    return out;
}

QStringList igmpLines(const QStringList &users, int total = -1)
{
    QStringList out{QStringLiteral("display igmp user all"), kSep,
                    QStringLiteral("  User            State    Auth     Quick  IGMP-flow  Video-flow  Log  Max"),
                    QStringLiteral("                                    leave  ID         ID               programs"), kSep};
    for (const QString &u : users)
        out << QStringLiteral("  ") + u.leftJustified(16) + QStringLiteral("online   no-auth  off    -          -           off  8");
    out << kSep << QStringLiteral("  Total: %1").arg(total < 0 ? users.size() : total);
    return out;
}

const ImportRow *rowAt(const ImportList &list, const QString &slot, const QString &port, const QString &id)
{
    for (const ImportRow &r : list.rows()) {
        if (r.slot == slot && r.port == port && r.ontId == id)
            return &r;
    }
    return nullptr;
}

// ---- The ONT listing ---------------------------------------------------------

struct SampleCase
{
    const char *file;
    int rows;
    int checked;            // index of the row checked below
    ImportRow expected;
};

void PrintTo(const SampleCase &c, std::ostream *os)
{
    *os << c.file;
}

ImportRow imported(const char *type, const char *slot, const char *port, const char *id, const char *name, const char *serial,
                   const char *online)
{
    ImportRow r;
    r.ponType = QString::fromLatin1(type);
    r.frame = QStringLiteral("0");
    r.slot = QString::fromLatin1(slot);
    r.port = QString::fromLatin1(port);
    r.ontId = QString::fromLatin1(id);
    r.name = QString::fromLatin1(name);
    r.serialOrMac = QString::fromLatin1(serial);
    r.active = QStringLiteral("0");
    r.online = QString::fromLatin1(online);
    return r;
}

class RealOntListing : public ::testing::TestWithParam<SampleCase> {};

TEST_P(RealOntListing, GivesOneDescribedRowPerOnt)
{
    ImportList list(QStringLiteral("0"));
    list.readOntListing(withPrompt(readSample(QString::fromLatin1(GetParam().file))));
    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(u'\n').toStdString();
    ASSERT_EQ(int(list.rows().size()), GetParam().rows);
    EXPECT_EQ(list.rows()[size_t(GetParam().checked)], GetParam().expected);
    for (const ImportRow &r : list.rows())
        EXPECT_NE(r.name, QStringLiteral("-")) << r.slot.toStdString() << "/" << r.port.toStdString() << "/" << r.ontId.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RealOntListing,
    ::testing::Values(
        // The two-line description header.
        SampleCase{"display_ont_info_0__ntc1.txt", 31, 30, imported("G.PON", "1", "0", "30", "Generic_description", "1234567890ABCDEF", "-1")},
        // The description keeps the OLT's padding, as every reader of these lines does.
        SampleCase{"display_ont_info_0__ntc2.txt", 16, 2,
                   imported("G.PON", "2", "0", "2", "The damaging nerve nests.      ", "X64PWIUVU5TGONE1", "0")},
        // A run state of "-" is not online.
        SampleCase{"display_ont_info_0__ntc3.txt", 14, 4, imported("G.PON", "0", "0", "4", "The wise emanate snows.", "PVDWI3METQ3PRRLV", "0")},
        // Two ports; the second one's ONT 0 gets the second port's description.
        SampleCase{"display_ont_info_0__ntc4.txt", 2, 1, imported("G.PON", "1", "2", "0", "ONT_NO_DESCRIPTION", "1234567890ABCDEF", "-1")}));

TEST(ImportOntListing, MatchesDescriptionsByPlaceNotByOrder)
{
    const QList<Ont> onts{{1, 0, 0, QStringLiteral("48575443A0000000"), true, QStringLiteral("Kowalski")},
                          {1, 0, 1, QStringLiteral("48575443A0000001"), false, QStringLiteral("Nowak")},
                          {1, 0, 2, QStringLiteral("e067-b3aa-0102"), true, QStringLiteral("Wisniewska")},
                          {1, 1, 0, QStringLiteral("48575443A0000003"), true, QStringLiteral("Szkola")}};
    // The descriptions come in reverse order and the one of 0/1/0/1 is lost.
    ImportList list(QStringLiteral("0"));
    list.readOntListing(collected(ontListingLines(onts, [](const Ont &o) { return !(o.port == 0 && o.id == 1); }, true)));

    ASSERT_EQ(list.rows().size(), size_t(4));
    EXPECT_EQ(rowAt(list, "1", "0", "0")->name, QStringLiteral("Kowalski"));
    EXPECT_EQ(rowAt(list, "1", "0", "1")->name, QStringLiteral("-"));
    EXPECT_EQ(rowAt(list, "1", "0", "2")->name, QStringLiteral("Wisniewska"));
    EXPECT_EQ(rowAt(list, "1", "1", "0")->name, QStringLiteral("Szkola"));
    // A 14-character MAC is an EPON ONT.
    EXPECT_EQ(rowAt(list, "1", "0", "2")->ponType, QStringLiteral("E.PON"));
    EXPECT_EQ(list.problems(),
              QStringList{QStringLiteral("Opisy ONT niepelne / ONT descriptions are missing: no description row for 0/1/0/1")});
}

// ---- Service ports and IGMP users ---------------------------------------------

TEST(ImportServicePorts, RealSampleGivesTheGroupOfItsOnt)
{
    ImportList list(QStringLiteral("0"));
    list.readOntListing(withPrompt(readSample(QStringLiteral("display_ont_info_0__ntc1.txt"))));
    list.readServicePortListing(withPrompt(readSample(QStringLiteral("display_service-port_all__ntc1.txt"))));
    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(u'\n').toStdString();
    EXPECT_EQ(rowAt(list, "1", "0", "0")->servicePorts, QStringLiteral("-1;5827;2;?;0;1;^"));
    EXPECT_EQ(rowAt(list, "1", "0", "1")->servicePorts, QStringLiteral("-"));
}

TEST(ImportServicePorts, ReadsEveryPlaceLayoutAndKeepsListingOrder)
{
    const QList<Ont> onts{{2, 0, 3, QStringLiteral("48575443A0000001")},
                          {10, 0, 3, QStringLiteral("48575443A0000002")},
                          {12, 15, 7, QStringLiteral("48575443A0000003")}};
    ImportList list(QStringLiteral("0"));
    list.readOntListing(collected(ontListingLines(onts)));
    list.readServicePortListing(collected(servicePortLines({{40, 300, QStringLiteral("0/10/0"), 3, QStringLiteral("2")},
                                                            {4, 2250, QStringLiteral("0/2 /0"), 3},
                                                            {41, 301, QStringLiteral("0/10/0"), 3, QStringLiteral("1")},
                                                            {50, 100, QStringLiteral("0/12/15"), 7},
                                                            {5, 2250, QStringLiteral("0/2 /0"), 3, QStringLiteral("3")},
                                                            // An ONT the state listing does not have.
                                                            {6, 2250, QStringLiteral("0/2 /1"), 3}})));

    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(u'\n').toStdString();
    EXPECT_EQ(rowAt(list, "2", "0", "3")->servicePorts, QStringLiteral("-1;4;2250;?;0;1;^-1;5;2250;?;0;3;^"));
    EXPECT_EQ(rowAt(list, "10", "0", "3")->servicePorts, QStringLiteral("-1;40;300;?;0;2;^-1;41;301;?;0;1;^"));
    EXPECT_EQ(rowAt(list, "12", "15", "7")->servicePorts, QStringLiteral("-1;50;100;?;0;1;^"));
    EXPECT_EQ(list.servicePortsWithoutOnt(), 1);
}

TEST(ImportIgmpUsers, FlagOnlyTheGroupWithThatIndex)
{
    // ONT 0 has service port 7 in VLAN 100; ONT 1 has service port 100 in VLAN 7.
    const QList<Ont> onts{{1, 0, 0, QStringLiteral("48575443A0000000")}, {1, 0, 1, QStringLiteral("48575443A0000001")}};
    ImportList list(QStringLiteral("0"));
    list.readOntListing(collected(ontListingLines(onts)));
    list.readServicePortListing(collected(servicePortLines({{7, 100, QStringLiteral("0/1 /0"), 0}, {100, 7, QStringLiteral("0/1 /0"), 1}})));
    const QString untouched = rowAt(list, "1", "0", "0")->servicePorts;

    list.readIgmpListing(collected(igmpLines({QStringLiteral("0/1/0/100"), QStringLiteral("0/1/0/999")})));

    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(u'\n').toStdString();
    EXPECT_EQ(rowAt(list, "1", "0", "0")->servicePorts, untouched);
    EXPECT_EQ(untouched, QStringLiteral("-1;7;100;?;0;1;^"));
    EXPECT_EQ(rowAt(list, "1", "0", "1")->servicePorts, QStringLiteral("-1;100;7;?;-1;1;7;^"));
    EXPECT_EQ(list.igmpUsersWithoutServicePort(), 1);
}

struct FiveCase
{
    const char *name;
    QString user;
    QString field;
};

void PrintTo(const FiveCase &c, std::ostream *os)
{
    *os << c.name;
}

class FiveServicePorts : public ::testing::TestWithParam<FiveCase> {};

TEST_P(FiveServicePorts, KeepAllGroupsWithAnIgmpUser)
{
    ImportList list(QStringLiteral("0"));
    list.readOntListing(collected(ontListingLines({{1, 0, 0, QStringLiteral("48575443A0000000")}})));
    QList<ServicePort> ports;
    for (int i = 0; i < 5; ++i)
        ports << ServicePort{10 + i, 100 + i, QStringLiteral("0/1 /0"), 0, QString::number(1 + i)};
    list.readServicePortListing(collected(servicePortLines(ports)));
    list.readIgmpListing(collected(igmpLines({GetParam().user})));
    EXPECT_TRUE(list.problems().isEmpty()) << list.problems().join(u'\n').toStdString();
    EXPECT_EQ(list.rows()[0].servicePorts, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FiveServicePorts,
    ::testing::Values(
        FiveCase{"user_in_the_first_four", QStringLiteral("0/1/0/11"),
                 QStringLiteral("-1;10;100;?;0;1;100;^-1;11;101;?;-1;2;101;^-1;12;102;?;0;3;102;^-1;13;103;?;0;4;103;^-1;14;104;?;0;5;^")},
        FiveCase{"user_on_the_fifth", QStringLiteral("0/1/0/14"),
                 QStringLiteral("-1;10;100;?;0;1;100;^-1;11;101;?;0;2;101;^-1;12;102;?;0;3;102;^-1;13;103;?;0;4;103;^-1;14;104;?;-1;5;^")}));

// ---- Wholeness -----------------------------------------------------------------

struct WholeCase
{
    const char *name;
    QString onts;
    QString servicePorts;
    QString igmp;
    QStringList problems;
};

void PrintTo(const WholeCase &c, std::ostream *os)
{
    *os << c.name;
}

const QList<Ont> kTwoPorts{{1, 0, 0, QStringLiteral("48575443A0000000")},
                           {1, 0, 1, QStringLiteral("48575443A0000001")},
                           {1, 2, 0, QStringLiteral("48575443A0000002")}};
const QList<ServicePort> kPorts{{1, 10, QStringLiteral("0/1 /0"), 0}, {2, 10, QStringLiteral("0/1 /2"), 0}};

QString cutStateListing()
{
    // The read stopped inside the second port's state table.
    QStringList lines = ontListingLines(kTwoPorts);
    lines = lines.mid(0, lines.indexOf(QStringLiteral("  ") + place(1, 2) + QStringLiteral("   0  48575443A0000002  active      online   normal   match    no ")) + 1);
    return collected(lines);
}

QString footerDisagrees()
{
    QStringList lines = ontListingLines(kTwoPorts);
    lines.replaceInStrings(QStringLiteral("In port 0/ 1/0 , the total of ONTs are: 2"), QStringLiteral("In port 0/ 1/0 , the total of ONTs are: 3"));
    return collected(lines);
}

QString servicePortsWithoutTotal()
{
    QStringList lines = servicePortLines(kPorts);
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const QString &l) { return l.contains(QStringLiteral("Total")); }), lines.end());
    return collected(lines);
}

QString igmpWithoutTotal()
{
    QStringList lines = igmpLines({QStringLiteral("0/1/0/1")});
    lines.removeLast();
    return collected(lines);
}

class ImportWholeness : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ImportWholeness, NamesWhatDisagreed)
{
    ImportList list(QStringLiteral("0"));
    list.readOntListing(GetParam().onts);
    list.readServicePortListing(GetParam().servicePorts);
    list.readIgmpListing(GetParam().igmp);
    EXPECT_EQ(list.problems(), GetParam().problems);
}

const QString kOnts = collected(ontListingLines(kTwoPorts));
const QString kServicePorts = collected(servicePortLines(kPorts));
const QString kIgmp = collected(igmpLines({QStringLiteral("0/1/0/1")}));

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportWholeness,
    ::testing::Values(
        WholeCase{"whole", kOnts, kServicePorts, kIgmp, {}},
        // An OLT without service ports or IGMP users says so instead of a table.
        WholeCase{"no_service_ports_nor_users", kOnts,
                  collected({QStringLiteral("display service-port all"), QStringLiteral("  Failure: No service virtual port can be operated")}),
                  collected({QStringLiteral("display igmp user all"), QStringLiteral("  Failure: The multicast user does not exist")}),
                  {}},
        WholeCase{"cut_state_listing", cutStateListing(), kServicePorts, kIgmp,
                  {QStringLiteral("Lista ONT niepelna / The ONT listing is incomplete: ONT rows follow the last port total"),
                   QStringLiteral("Opisy ONT niepelne / ONT descriptions are missing: no description row for 0/1/2/0")}},
        WholeCase{"port_total_disagrees", footerDisagrees(), kServicePorts, kIgmp,
                  {QStringLiteral("Lista ONT niepelna / The ONT listing is incomplete: port 0/1/0 lists 2 of 3 ONTs")}},
        WholeCase{"ont_listing_without_prompt", collected(ontListingLines(kTwoPorts), false), kServicePorts, kIgmp,
                  {QStringLiteral("Lista ONT nie zakonczona / The ONT listing did not end at a prompt")}},
        WholeCase{"service_ports_without_total", kOnts, servicePortsWithoutTotal(), kIgmp,
                  {QStringLiteral("Lista service-portow niepelna / The service-port listing is incomplete: no Total line")}},
        WholeCase{"service_port_total_disagrees", kOnts, collected(servicePortLines(kPorts, 3)), kIgmp,
                  {QStringLiteral("Lista service-portow niepelna / The service-port listing is incomplete: Total : 3, 2 rows read")}},
        WholeCase{"service_ports_without_prompt", kOnts, collected(servicePortLines(kPorts), false), kIgmp,
                  {QStringLiteral("Lista service-portow nie zakonczona / The service-port listing did not end at a prompt")}},
        WholeCase{"igmp_without_total", kOnts, kServicePorts, igmpWithoutTotal(),
                  {QStringLiteral("Lista uzytkownikow IGMP niepelna / The IGMP user listing is incomplete: no Total line")}},
        WholeCase{"igmp_without_prompt", kOnts, kServicePorts, collected(igmpLines({QStringLiteral("0/1/0/1")}), false),
                  {QStringLiteral("Lista uzytkownikow IGMP nie zakonczona / The IGMP user listing did not end at a prompt")}}));

// ---- The frame, applying, the backup -----------------------------------------

TEST(ImportFrame, OnlyOneToThreeDigits)
{
    for (const char *ok : {"0", "7", "12", "255"})
        EXPECT_TRUE(isImportFrame(QString::fromLatin1(ok))) << ok;
    for (const QString &bad : {QString(), QStringLiteral("1000"), QStringLiteral(" 0"), QStringLiteral("0 "), QStringLiteral("0 all"),
                               QStringLiteral("-1"), QStringLiteral("+1"), QStringLiteral("a"), QStringLiteral("0\r\n"),
                               QStringLiteral("0;quit"), QString::fromUtf16(u"\uff11")})
        EXPECT_FALSE(isImportFrame(bad)) << bad.toStdString();
}

OntRecord localRow(const char *slot, const char *port, const char *id, const char *serial)
{
    OntRecord r;
    r.origin = QStringLiteral("+");
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = QString::fromLatin1(slot);
    r.port = QString::fromLatin1(port);
    r.ontId = QString::fromLatin1(id);
    r.name = QStringLiteral("old name");
    r.serialOrMac = QString::fromLatin1(serial);
    r.lineProfile = QStringLiteral("10");
    r.serviceProfile = QStringLiteral("20");
    r.catv = QStringLiteral("-1;1;^");
    r.subscriberId = QStringLiteral("K-1234");
    r.active = QStringLiteral("0");
    return r;
}

TEST(ApplyImport, CarriesLocalFieldsOfTheSameOntAndDefaultsTheRest)
{
    ImportRow same = imported("G.PON", "1", "0", "0", "Kowalski", "48575443A0000000", "-1");
    same.servicePorts = QStringLiteral("-1;5;100;?;0;1;^-1;6;200;?;0;2;^-1;7;300;?;-1;3;300;^");
    // The same place, another ONT: nothing of the old one may stick to it.
    ImportRow replaced = imported("G.PON", "1", "0", "1", "Nowak ^! *^", "48575443B0000001", "0");

    OntRecord local = localRow("1", "0", "0", "48575443a0000000");
    // Index 5 was native untagged, 7 tagged; 6 is not on the list, 9 no longer on the OLT.
    local.servicePorts = QStringLiteral("-1;5;100;-1;0;1;100;^-1;7;300;0;0;3;300;^-1;9;900;-1;0;4;900;^");
    const std::vector<OntRecord> current{local, localRow("1", "0", "1", "48575443A0000001"), localRow("3", "0", "0", "48575443C0000000")};

    const tervix::core::ImportResult result = applyImport({same, replaced}, current);

    EXPECT_EQ(result.summary, (ImportSummary{3, 2, 1, 1, 2}));
    ASSERT_EQ(result.rows.size(), size_t(2));
    const OntRecord &kept = result.rows[0];
    EXPECT_EQ(kept.name, QStringLiteral("Kowalski"));
    EXPECT_EQ(kept.serialOrMac, QStringLiteral("48575443A0000000"));
    EXPECT_EQ(kept.origin, QStringLiteral("+"));
    EXPECT_EQ(kept.lineProfile, QStringLiteral("10"));
    EXPECT_EQ(kept.serviceProfile, QStringLiteral("20"));
    EXPECT_EQ(kept.catv, QStringLiteral("-1;1;^"));
    EXPECT_EQ(kept.subscriberId, QStringLiteral("K-1234"));
    EXPECT_EQ(kept.servicePorts, QStringLiteral("-1;5;100;-1;0;1;^-1;6;200;?;0;2;^-1;7;300;0;-1;3;300;^"));
    EXPECT_EQ(kept.image, tervix::core::RowImage::Online);
    EXPECT_EQ(kept.nameNote, QStringLiteral("K-1234"));
    EXPECT_EQ(kept.rowIndex, QStringLiteral("0"));

    const OntRecord &fresh = result.rows[1];
    EXPECT_EQ(fresh.origin, QStringLiteral("-"));
    EXPECT_EQ(fresh.lineProfile, QStringLiteral("-"));
    EXPECT_EQ(fresh.serviceProfile, QStringLiteral("-"));
    EXPECT_EQ(fresh.catv, QStringLiteral("0;1;^"));
    EXPECT_EQ(fresh.subscriberId, QString());
    EXPECT_EQ(fresh.servicePorts, QStringLiteral("-"));
    EXPECT_EQ(fresh.image, tervix::core::RowImage::Offline);
    EXPECT_EQ(fresh.basicImage, tervix::core::RowImage::Offline);
    EXPECT_EQ(fresh.rowIndex, QStringLiteral("1"));
    EXPECT_EQ(fresh.signalCell, QStringLiteral("G.PON\nChecking signal..\nONT: ? OLT: ?"));
    // A description cannot split a record of the data file.
    EXPECT_EQ(fresh.name, QStringLiteral("Nowak ^ ! *^"));
}

TEST(ImportBackup, NameCarriesDateAndTime)
{
    EXPECT_EQ(dataFileBackupName(QStringLiteral("data-10.0.0.1.ph"), QDateTime(QDate(2025, 1, 7), QTime(9, 3, 5))),
              QStringLiteral("data-10.0.0.1.ph.20250107-090305.bak"));
}

} // namespace
