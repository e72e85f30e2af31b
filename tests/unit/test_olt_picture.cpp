#include "core/olt_picture.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tervix::core {
// Readable failures: the shown boards and their used ports.
void PrintTo(const OltPicture &p, std::ostream *os)
{
    *os << "{shownBoards " << p.shownBoards;
    for (int s = 0; s < OltPicture::kBoards; ++s) {
        const PictureBoard &b = p.boards[size_t(s)];
        if (b == PictureBoard{})
            continue;
        *os << " board" << s << "={shown " << b.shown << " total " << b.total << " highest " << b.highestPort
            << " shownPorts " << b.shownPorts;
        for (int q = 0; q < OltPicture::kPorts; ++q) {
            const PicturePort &pp = b.ports[size_t(q)];
            if (pp != PicturePort{})
                *os << " port" << q << "={" << pp.total << ',' << pp.online << ',' << pp.offline << ',' << pp.critical
                    << '}';
        }
        *os << '}';
    }
    *os << '}';
}
} // namespace tervix::core

namespace {

using namespace tervix::core;

OntRecord at(const QString &frame, const QString &slot, const QString &port)
{
    OntRecord r;
    r.ponType = QStringLiteral("G.PON");
    r.frame = frame;
    r.slot = slot;
    r.port = port;
    r.ontId = QStringLiteral("1");
    return r;
}

OntRecord at(const QString &slot, const QString &port)
{
    return at(QStringLiteral("0"), slot, port);
}

TEST(OltPicture, BoardShowsSixteenPortsOnlyOncePortEightIsUsed)
{
    std::vector<OntRecord> rows;
    for (int p = 0; p < 8; ++p)
        rows.push_back(at(QStringLiteral("2"), QString::number(p)));
    rows.push_back(at(QStringLiteral("2"), QStringLiteral("3")));
    rows.push_back(at(QStringLiteral("23"), QStringLiteral("0")));

    OltPicture expected;
    expected.shownBoards = 2;
    PictureBoard &two = expected.boards[2];
    two.shown = true;
    two.total = 9;
    two.highestPort = 7;
    two.shownPorts = 8;
    for (int p = 0; p < 8; ++p)
        two.ports[size_t(p)].total = p == 3 ? 2 : 1;
    PictureBoard &last = expected.boards[23];
    last.shown = true;
    last.total = 1;
    last.highestPort = 0;
    last.shownPorts = 8;
    last.ports[0].total = 1;
    EXPECT_EQ(pictureTotals(rows), expected);

    rows.push_back(at(QStringLiteral("2"), QStringLiteral("8")));
    two.total = 10;
    two.highestPort = 8;
    two.shownPorts = 16;
    two.ports[8].total = 1;
    EXPECT_EQ(pictureTotals(rows), expected);

    EXPECT_EQ(pictureTotals({}), OltPicture{});
}

TEST(OltPicture, RowsWithoutAPlaceThePictureHasCountNowhere)
{
    struct Case
    {
        const char *what;
        OntRecord row;
    };
    const Case cases[] = {
        {"freed row", at(QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"))},
        {"slot \"-\"", at(QStringLiteral("-"), QStringLiteral("0"))},
        {"slot 24", at(QStringLiteral("24"), QStringLiteral("0"))},
        {"port 16", at(QStringLiteral("0"), QStringLiteral("16"))},
        {"slot not a number", at(QStringLiteral("x"), QStringLiteral("0"))},
        {"frame \"-\"", at(QStringLiteral("-"), QStringLiteral("0"), QStringLiteral("0"))},
        {"signed slot", at(QStringLiteral("+1"), QStringLiteral("0"))},
        {"slot with a space", at(QStringLiteral(" 1"), QStringLiteral("0"))},
        {"empty port", at(QStringLiteral("1"), QString())},
        {"slot too long for an int", at(QStringLiteral("99999999999"), QStringLiteral("0"))},
    };
    for (const Case &c : cases) {
        int slot = -7;
        int port = -7;
        EXPECT_FALSE(pictureCounts(c.row, &slot, &port)) << c.what;
        EXPECT_EQ(slot, -7) << c.what;
        EXPECT_EQ(pictureTotals({c.row}), OltPicture{}) << c.what;
    }

    int slot = -1;
    int port = -1;
    EXPECT_TRUE(pictureCounts(at(QStringLiteral("23"), QStringLiteral("15")), &slot, &port));
    EXPECT_EQ(slot, 23);
    EXPECT_EQ(port, 15);
    EXPECT_TRUE(pictureCounts(at(QStringLiteral("1"), QStringLiteral("02"), QStringLiteral("07"))));
}

TEST(OltPicture, SignalCountsFillEveryPortButLeaveTheTotals)
{
    OltPicture picture = pictureTotals({at(QStringLiteral("1"), QStringLiteral("2"))});
    SignalCounts counts;
    counts.ports[1][2] = {9, 5, 3, 1};    // the recount's table may hold rows the picture left out
    counts.ports[23][15] = {4, 4, 0, 2};  // a board the list does not show
    counts.ports[40][0] = {1, 1, 0, 1};   // past the picture's boards
    applySignalCounts(picture, counts);

    OltPicture expected = pictureTotals({at(QStringLiteral("1"), QStringLiteral("2"))});
    expected.boards[1].ports[2] = {1, 5, 3, 1};
    expected.boards[23].ports[15] = {0, 4, 0, 2};
    EXPECT_EQ(picture, expected);

    // A later recount replaces the counts rather than adding to them.
    SignalCounts later;
    later.ports[1][2] = {1, 0, 1, 0};
    applySignalCounts(picture, later);
    expected.boards[1].ports[2] = {1, 0, 1, 0};
    expected.boards[23].ports[15] = {};
    EXPECT_EQ(picture, expected);
}

TEST(OltPicture, SignalCountsOfARecountOfTheList)
{
    auto tile = [](const QString &slot, const QString &port, int image, const QString &cell) {
        OntRecord r = at(slot, port);
        r.image = r.basicImage = image;
        r.signalCell = cell;
        return r;
    };
    const QString critical = QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21");
    const QString normal = QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
    const std::vector<OntRecord> rows = {
        tile("0", "0", RowImage::Online, critical), tile("0", "0", RowImage::Online, normal),
        tile("0", "0", RowImage::Offline, critical), tile("5", "9", RowImage::Offline, normal),
    };
    OltPicture picture = pictureTotals(rows);
    applySignalCounts(picture, countSignals(rows));
    EXPECT_EQ(picture.boards[0].ports[0], (PicturePort{3, 2, 1, 1}));
    EXPECT_EQ(picture.boards[5].ports[9], (PicturePort{1, 0, 1, 0}));
    EXPECT_EQ(picture.boards[5].shownPorts, 16);
}

TEST(OltPicture, PortColour)
{
    namespace colours = picture_colours;
    struct Case
    {
        const char *what;
        PicturePort port;
        bool blinkOn;
        int colour;
    };
    const Case cases[] = {
        {"no ONTs", {0, 0, 0, 0}, true, colours::kNeutral},
        {"no ONTs, stale critical count", {0, 0, 0, 1}, true, colours::kNeutral},
        {"ONTs, none critical", {5, 3, 2, 0}, true, colours::kWithOnts},
        {"all offline", {5, 0, 5, 0}, false, colours::kWithOnts},
        {"critical, blink on", {5, 5, 0, 1}, true, colours::kBlinkA},
        {"critical, blink off", {5, 5, 0, 1}, false, colours::kBlinkB},
    };
    for (const Case &c : cases)
        EXPECT_EQ(portColour(c.port, c.blinkOn), c.colour) << c.what;
}

} // namespace
