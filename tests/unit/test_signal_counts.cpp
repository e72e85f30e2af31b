#include "core/signal_counts.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace tervix::core {
// Readable failures: the panels and the non-empty cells of the work table.
void PrintTo(const SignalCounts &c, std::ostream *os)
{
    *os << "{all " << c.all << " online " << c.online << " offline " << c.offline << " bad " << c.bad << " critical "
        << c.critical << " disabled " << c.disabled;
    for (int s = 0; s < SignalCounts::kBoards; ++s) {
        if (c.boardTotals[size_t(s)])
            *os << " board" << s << '=' << c.boardTotals[size_t(s)];
        for (int p = 0; p < SignalCounts::kPorts; ++p) {
            const PortCounts &pc = c.ports[size_t(s)][size_t(p)];
            if (pc != PortCounts{})
                *os << " port" << s << '/' << p << "={" << pc.total << ',' << pc.online << ',' << pc.offline << ','
                    << pc.critical << '}';
        }
    }
    *os << '}';
}
} // namespace tervix::core

namespace {

using tervix::core::countSignals;
using tervix::core::OntRecord;
using tervix::core::PortCounts;
using tervix::core::signalCaptions;
using tervix::core::SignalCounts;
namespace RowImage = tervix::core::RowImage;

OntRecord tile(const QString &slot, const QString &port, int image, const QString &cell, const QString &active = QStringLiteral("0"))
{
    OntRecord r;
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = slot;
    r.port = port;
    r.ontId = QStringLiteral("1");
    r.active = active;
    r.image = image;
    r.basicImage = image;
    r.signalCell = cell;
    return r;
}

const QString kNormal = QStringLiteral("GPON\n> Signal Normal\nONT: -20 OLT: -22");
const QString kCritical = QStringLiteral("GPON\n> Critical Signal!\nONT: -29 OLT: -21");
const QString kBad = QStringLiteral("GPON\n> Bad Signal!\nONT: -26 OLT: -21");

struct Panels
{
    int all, online, offline, bad, critical, disabled;
};

struct CountCase
{
    const char *what;
    OntRecord row;
    Panels panels;
    // The row's cell of the work table at its slot and port; nothing when
    // the place is outside the table.
    std::optional<PortCounts> cell;
};

TEST(SignalCounts, EachRowCountsWhereItsStateSays)
{
    const CountCase cases[] = {
        {"online, normal", tile("1", "2", RowImage::Online, kNormal), {1, 1, 0, 0, 0, 0}, PortCounts{1, 1, 0, 0}},
        {"online, critical: online and critical", tile("1", "2", RowImage::Online, kCritical), {1, 1, 0, 0, 1, 0},
         PortCounts{1, 1, 0, 1}},
        {"online, bad: online and bad", tile("1", "2", RowImage::Online, kBad), {1, 1, 0, 1, 0, 0}, PortCounts{1, 1, 0, 0}},
        {"class text in capitals", tile("1", "2", RowImage::Online, QStringLiteral("GPON\n> CRITICAL\nONT: -30 OLT: -21")),
         {1, 1, 0, 0, 1, 0}, PortCounts{1, 1, 0, 1}},
        {"critical is looked for before bad", tile("1", "2", RowImage::Online, QStringLiteral("bad\n> Critical Signal!\n")),
         {1, 1, 0, 0, 1, 0}, PortCounts{1, 1, 0, 1}},
        {"offline", tile("1", "2", RowImage::Offline, QStringLiteral("GPON\n> OFF ONT\nONT: off OLT: off")), {1, 0, 1, 0, 0, 0},
         PortCounts{1, 0, 1, 0}},
        {"offline with a stale critical class: offline only", tile("1", "2", RowImage::Offline, kCritical), {1, 0, 1, 0, 0, 0},
         PortCounts{1, 0, 1, 0}},
        {"offline with a stale bad class: offline only", tile("1", "2", RowImage::Offline, kBad), {1, 0, 1, 0, 0, 0},
         PortCounts{1, 0, 1, 0}},
        {"the tile's image decides, not the advanced view's",
         [] {
             OntRecord r = tile("1", "2", RowImage::Offline, kCritical);
             r.image = RowImage::Online;
             return r;
         }(),
         {1, 0, 1, 0, 0, 0}, PortCounts{1, 0, 1, 0}},
        {"added, never read: in all only", tile("1", "2", RowImage::Added, kCritical), {1, 0, 0, 0, 0, 0}, PortCounts{1, 0, 0, 0}},
        {"no image: in all only", tile("1", "2", RowImage::NoImage, kBad), {1, 0, 0, 0, 0, 0}, PortCounts{1, 0, 0, 0}},
        {"disabled and online", tile("1", "2", RowImage::Online, kNormal, QStringLiteral("1")), {1, 1, 0, 0, 0, 1},
         PortCounts{1, 1, 0, 0}},
        {"disabled, never read", tile("1", "2", RowImage::Added, kNormal, QStringLiteral("1")), {1, 0, 0, 0, 0, 1},
         PortCounts{1, 0, 0, 0}},
        {"the table's last place", tile("63", "15", RowImage::Online, kCritical), {1, 1, 0, 0, 1, 0}, PortCounts{1, 1, 0, 1}},
        {"slot past the table: panels only", tile("64", "2", RowImage::Online, kCritical), {1, 1, 0, 0, 1, 0}, std::nullopt},
        {"port past the table: panels only", tile("1", "16", RowImage::Offline, kNormal), {1, 0, 1, 0, 0, 0}, std::nullopt},
        {"slot not a number: panels only", tile("x", "2", RowImage::Online, kBad), {1, 1, 0, 1, 0, 0}, std::nullopt},
        {"freed row: left out", tile("-", "-", RowImage::Freed, kCritical, QStringLiteral("1")), {0, 0, 0, 0, 0, 0},
         std::nullopt},
    };
    for (const CountCase &c : cases) {
        SignalCounts expected;
        expected.all = c.panels.all;
        expected.online = c.panels.online;
        expected.offline = c.panels.offline;
        expected.bad = c.panels.bad;
        expected.critical = c.panels.critical;
        expected.disabled = c.panels.disabled;
        if (c.cell) {
            const int slot = c.row.slot.toInt();
            const int port = c.row.port.toInt();
            expected.boardTotals[size_t(slot)] = 1;
            expected.ports[size_t(slot)][size_t(port)] = *c.cell;
        }
        EXPECT_EQ(countSignals({c.row}), expected) << c.what;
    }
}

TEST(SignalCounts, ListAddsUpPerBoardAndPort)
{
    const std::vector<OntRecord> rows = {
        tile("0", "0", RowImage::Online, kCritical),
        tile("0", "0", RowImage::Online, kBad),
        tile("0", "0", RowImage::Offline, kCritical),
        tile("0", "1", RowImage::Online, kNormal, QStringLiteral("1")),
        tile("2", "7", RowImage::Added, kNormal),
        tile("2", "7", RowImage::Offline, kBad),
        tile("70", "0", RowImage::Online, kCritical),
        tile("-", "-", RowImage::Freed, kNormal),
    };
    SignalCounts expected;
    expected.all = 7;
    expected.online = 4;
    expected.offline = 2;
    expected.bad = 1;
    expected.critical = 2;
    expected.disabled = 1;
    expected.boardTotals[0] = 4;
    expected.boardTotals[2] = 2;
    expected.ports[0][0] = {3, 2, 1, 1};
    expected.ports[0][1] = {1, 1, 0, 0};
    expected.ports[2][7] = {2, 0, 1, 0};
    EXPECT_EQ(countSignals(rows), expected);
    EXPECT_EQ(countSignals({}), SignalCounts{});
}

TEST(SignalCounts, Captions)
{
    SignalCounts c;
    c.all = 1200;
    c.online = 1100;
    c.offline = 95;
    c.bad = 12;
    c.critical = 3;
    c.disabled = 5;
    const auto s = signalCaptions(c);
    EXPECT_EQ(s.all, QStringLiteral("All: 1200"));
    EXPECT_EQ(s.online, QStringLiteral("Online: 1100"));
    EXPECT_EQ(s.offline, QStringLiteral("Offline: 95"));
    EXPECT_EQ(s.bad, QStringLiteral("Bad Signal: 12"));
    EXPECT_EQ(s.critical, QStringLiteral("Critical Signal: 3!"));
    EXPECT_EQ(s.disabled, QStringLiteral("Disabled ONT: 5"));
}

} // namespace
