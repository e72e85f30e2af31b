#include "core/all_ont_view.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

namespace {

using namespace tervix::core;

const QString kNormal = QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
const QString kOff = QStringLiteral("GPON\n> OFF ONT\nONT: off OLT: off");
const QString kCritical = QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21");
const QString kBad = QStringLiteral("GPON\n> Bad Signal!\nONT: -26 OLT: -21");
const QString kUnread = QStringLiteral("GPON\nChecking signal..\nONT: ? OLT: ?");

OntRecord ont(const QString &frame, const QString &slot, const QString &port, const QString &id, const QString &sn,
              const QString &cell, int image = RowImage::Online)
{
    OntRecord r;
    r.ponType = QStringLiteral("G.PON");
    r.frame = frame;
    r.slot = slot;
    r.port = port;
    r.ontId = id;
    r.name = QStringLiteral("Client ") + sn;
    r.serialOrMac = sn;
    r.nameNote = QStringLiteral("note");
    r.signalCell = cell;
    r.image = r.basicImage = image;
    return r;
}

QStringList serials(const AllOntListing &listing)
{
    QStringList out;
    for (const AllOntEntry &e : listing.entries)
        out << e.serialOrMac;
    return out;
}

TEST(AllOntView, TileClassLaterRulesWin)
{
    struct Case
    {
        const char *what;
        QString cell;
        TileClass cls;
    };
    const Case cases[] = {
        {"normal", kNormal, TileClass::On},
        {"offline", kOff, TileClass::Off},
        {"critical", kCritical, TileClass::Critical},
        {"bad", kBad, TileClass::Bad},
        {"never read", kUnread, TileClass::None},
        {"empty", QString(), TileClass::None},
        {"capitals", QStringLiteral("GPON\n> BAD SIGNAL\n"), TileClass::Bad},
        {"critical beats off", QStringLiteral("Critical\noff"), TileClass::Critical},
        {"bad beats critical", QStringLiteral("critical bad"), TileClass::Bad},
        {"off beats normal", QStringLiteral("Normal, now Off"), TileClass::Off},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tileClass(c.cell), c.cls) << c.what;
}

TEST(AllOntView, ListsThePlaceAndTheTickedClasses)
{
    const std::vector<OntRecord> rows = {
        ont("0", "1", "3", "0", "N13", kNormal),
        ont("0", "1", "3", "1", "F13", kOff, RowImage::Offline),
        ont("0", "1", "3", "2", "C13", kCritical),
        ont("0", "1", "3", "3", "B13", kBad),
        ont("0", "1", "3", "4", "U13", kUnread, RowImage::Added),
        ont("0", "1", "4", "0", "C14", kCritical),
        ont("0", "1", "13", "0", "N1_13", kNormal),
        ont("0", "2", "3", "0", "N23", kNormal),
        ont("0", "11", "3", "0", "N11_3", kNormal),
        ont("1", "1", "3", "0", "FRAME1", kCritical),
        ont("-", "1", "3", "0", "FREED", kUnread, RowImage::Freed),
        ont("0", "01", "3", "0", "PADDED", kNormal),
    };
    auto query = [](int slot, int port, bool wholeSlot) {
        AllOntQuery q;
        q.slot = slot;
        q.port = port;
        q.wholeSlot = wholeSlot;
        return q;
    };
    auto only = [&](AllOntQuery q, bool critical, bool bad, bool online, bool offline) {
        q.critical = critical;
        q.bad = bad;
        q.online = online;
        q.offline = offline;
        return q;
    };
    struct Case
    {
        const char *what;
        AllOntQuery query;
        QStringList listed;
    };
    const Case cases[] = {
        {"port 3 of slot 1", query(1, 3, false), {"N13", "F13", "C13", "B13", "U13"}},
        {"whole slot 1", query(1, 3, true), {"N13", "F13", "C13", "B13", "U13", "C14", "N1_13"}},
        {"only critical: critical and unclassed", only(query(1, 3, false), true, false, false, false), {"C13", "U13"}},
        {"only bad", only(query(1, 3, false), false, true, false, false), {"B13", "U13"}},
        {"only online", only(query(1, 3, false), false, false, true, false), {"N13", "U13"}},
        {"only offline", only(query(1, 3, false), false, false, false, true), {"F13", "U13"}},
        {"nothing ticked", only(query(1, 3, true), false, false, false, false), {"U13"}},
        {"slot 11 is not slot 1", query(11, 3, false), {"N11_3"}},
        {"an empty port", query(1, 5, false), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(serials(listAllOnts(rows, c.query)), c.listed) << c.what;
}

TEST(AllOntView, EntryCarriesTheTileAndItsPlace)
{
    OntRecord row = ont("0", "1", "3", "7", "HWTC1234ABCD", kCritical, RowImage::Online);
    row.basicImage = RowImage::Offline;
    AllOntQuery q;
    q.slot = 1;
    q.port = 3;
    const AllOntListing listing = listAllOnts({row}, q);
    ASSERT_EQ(listing.entries.size(), 1);
    const AllOntEntry &e = listing.entries.front();
    AllOntEntry expected;
    expected.frame = QStringLiteral("0");
    expected.slot = QStringLiteral("1");
    expected.port = QStringLiteral("3");
    expected.ontId = QStringLiteral("7");
    expected.serialOrMac = QStringLiteral("HWTC1234ABCD");
    expected.image = RowImage::Offline;
    expected.signal = kCritical;
    expected.place = QStringLiteral("OLT: 0\nSlot: 1/3\nID: 7");
    expected.name = QStringLiteral("Client HWTC1234ABCD\nSN: HWTC1234ABCD\nnote");
    expected.tileClass = TileClass::Critical;
    EXPECT_EQ(e, expected);
}

TEST(AllOntView, CountsAndSummary)
{
    std::vector<OntRecord> rows = {
        ont("0", "4", "0", "0", "A", kNormal, RowImage::Online),
        ont("0", "4", "0", "1", "B", kCritical, RowImage::Online),
        ont("0", "4", "0", "2", "C", kCritical, RowImage::Online),
        ont("0", "4", "0", "3", "D", kBad, RowImage::Online),
        ont("0", "4", "0", "4", "E", kOff, RowImage::Offline),
        ont("0", "4", "0", "5", "F", kUnread, RowImage::Added),
        ont("0", "4", "1", "0", "G", kCritical, RowImage::Online), // another port: not counted
    };
    // The main list's image says the state, whatever the tile still shows.
    rows[2].image = RowImage::Offline;
    AllOntQuery q;
    q.slot = 4;
    const AllOntListing listing = listAllOnts(rows, q);
    EXPECT_EQ(listing.online, 3);
    EXPECT_EQ(listing.offline, 2);
    EXPECT_EQ(listing.critical, 2);
    EXPECT_EQ(listing.bad, 1);
    EXPECT_EQ(allOntSummary(listing),
              (QStringList{"All: 6", "Critical: 2!", "Bad: 1!", "Online: 3", "Offline: 2"}));

    q.critical = false;
    const AllOntListing unticked = listAllOnts(rows, q);
    EXPECT_EQ(allOntSummary(unticked), (QStringList{"All: 4", "Critical: 0!", "Bad: 1!", "Online: 2", "Offline: 1"}));
}

TEST(AllOntView, EntryFindsItsOntAfterTheListChanged)
{
    std::vector<OntRecord> rows = {
        ont("0", "1", "3", "0", "FIRST", kNormal),
        ont("0", "1", "3", "1", "HWTC0000AAAA", kNormal),
        ont("0", "1", "3", "2", "THIRD", kBad),
        ont("0", "1", "3", "3", "FOURTH", kCritical),
    };
    AllOntQuery q;
    q.slot = 1;
    q.port = 3;
    const AllOntListing listing = listAllOnts(rows, q);
    const AllOntEntry fourth = listing.entries.at(3);
    const AllOntEntry second = listing.entries.at(1);
    EXPECT_EQ(findEntryRow(rows, fourth), 3);

    // Rows removed before it and the rest reordered.
    rows.erase(rows.begin());
    std::swap(rows[0], rows[2]);
    EXPECT_EQ(findEntryRow(rows, fourth), 0);
    EXPECT_EQ(findEntryRow(rows, second), 2);

    // The SN in another letter case is still the ONT.
    rows[2].serialOrMac = QStringLiteral("hwtc0000aaaa");
    EXPECT_EQ(findEntryRow(rows, second), 2);

    // Its place now holds another ONT: not the one the operator chose.
    rows[2].serialOrMac = QStringLiteral("HWTC0000BBBB");
    EXPECT_EQ(findEntryRow(rows, second), -1);

    // The same SN at another ONT id is not it either.
    rows[2].serialOrMac = QStringLiteral("HWTC0000AAAA");
    rows[2].ontId = QStringLiteral("9");
    EXPECT_EQ(findEntryRow(rows, second), -1);
    EXPECT_EQ(findEntryRow({}, second), -1);
}

TEST(AllOntView, RowColour)
{
    struct Case
    {
        const char *what;
        QString cell;
        int colour;
    };
    const Case cases[] = {
        {"normal", kNormal, 11468718},
        {"bad", kBad, 11579607},
        {"critical", kCritical, 9934847},
        {"offline", kOff, 14079702},
        {"never read", kUnread, -1},
        {"lower-case class words are no colour", QStringLiteral("normal bad critical"), -1},
        {"off beats critical", QStringLiteral("Critical\noff"), 14079702},
        {"critical beats bad", QStringLiteral("Bad Critical"), 9934847},
        {"bad beats normal", QStringLiteral("Normal Bad"), 11579607},
    };
    for (const Case &c : cases)
        EXPECT_EQ(allOntRowColour(c.cell), c.colour) << c.what;
}

} // namespace
