#include "core/scan_list.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tervix::core {
// Readable failures for the rows and groups compared below.
void PrintTo(const ScanRow &r, std::ostream *os)
{
    *os << '{' << r.ponType.toStdString() << ' ' << r.key().toStdString() << " \"" << r.name.toStdString() << "\" day "
        << r.lastDay.toStdString() << " olt " << r.oltKey.toStdString() << " source " << r.sourceRow << " levels \""
        << r.levels.toStdString() << "\" image " << r.image << '}';
}
void PrintTo(const PortGroup &g, std::ostream *os)
{
    *os << '{' << g.ponType.toStdString() << ' ' << g.frame.toStdString() << '/' << g.slot.toStdString() << '/'
        << g.port.toStdString() << " rows";
    for (int i : g.rows)
        *os << ' ' << i;
    *os << '}';
}
} // namespace tervix::core

namespace {

using tervix::core::buildScanList;
using tervix::core::findRowNear;
using tervix::core::groupByPort;
using tervix::core::OntRecord;
using tervix::core::PortGroup;
using tervix::core::ScanRow;

OntRecord ont(const QString &ponType, const QString &frame, const QString &slot, const QString &port, const QString &id,
              const QString &name = QString())
{
    OntRecord r;
    r.origin = QStringLiteral("-");
    r.ponType = ponType;
    r.frame = frame;
    r.slot = slot;
    r.port = port;
    r.ontId = id;
    r.name = name;
    r.serialOrMac = QStringLiteral("48575443") + slot + port + id;
    r.levels = QStringLiteral("-21.30/-23.50"); // a reading of the main list never carries over
    r.image = tervix::core::RowImage::Online;
    tervix::core::initBasicTexts(r, QString(), QString());
    return r;
}

ScanRow scanRow(const QString &type, const QString &f, const QString &s, const QString &p, const QString &id,
                const QString &name, const QString &day, int source)
{
    ScanRow r;
    r.ponType = type;
    r.frame = f;
    r.slot = s;
    r.port = p;
    r.ontId = id;
    r.name = name;
    r.lastDay = day;
    r.oltKey = QStringLiteral("10.0.0.1");
    r.sourceRow = source;
    return r;
}

TEST(ScanList, KeyIsFrameSlotPortIdWithDots)
{
    EXPECT_EQ(scanRow("gpon", "0", "1", "12", "127", {}, {}, 0).key(), QStringLiteral("0.1.12.127"));
}

TEST(ScanList, BuiltFromEveryPlacedRowInListOrder)
{
    const std::vector<OntRecord> rows = {
        ont("G.PON", "0", "1", "0", "5", "Kowalski"),
        ont("E.PON", "0", "2", "3", "1", "Nowak"),
        ont("G.PON", "-", "-", "-", "-", "freed"), // a freed place: nothing to read
        ont("e.pon", "0", "2", "3", "2", "lower-case E"),
        ont("gpon", "0", "1", "0", "6", "lower-case G"),
        ont("", "0", "1", "1", "0", "no type"),
    };
    // The history store knows one ONT; every other row has no reading yet.
    const auto lastDay = [](const ScanRow &r) {
        return r.key() == QStringLiteral("0.2.3.1") ? QStringLiteral("2025-01-17") : QStringLiteral("-");
    };
    const QList<ScanRow> expected = {
        scanRow("gpon", "0", "1", "0", "5", "Kowalski", "-", 0),
        scanRow("epon", "0", "2", "3", "1", "Nowak", "2025-01-17", 1),
        scanRow("epon", "0", "2", "3", "2", "lower-case E", "-", 3),
        scanRow("gpon", "0", "1", "0", "6", "lower-case G", "-", 4),
        scanRow("gpon", "0", "1", "1", "0", "no type", "-", 5),
    };
    EXPECT_EQ(buildScanList(rows, QStringLiteral("10.0.0.1"), lastDay), expected);
    EXPECT_TRUE(buildScanList({}, QStringLiteral("10.0.0.1"), lastDay).isEmpty());
}

TEST(ScanList, ReadingFindsItsRowWithinTwoPlaces)
{
    // A reading remembered row 5 as 0.1.0.99. Rows come and go while the
    // pass runs; the row is looked for where it was and up to two places
    // either way.
    struct Case
    {
        const char *what;
        int size;
        int remembered;
        std::vector<int> at; // rows that hold the key
        int expected;
    };
    const Case cases[] = {
        {"still in place", 12, 5, {5}, 5},
        {"one row added before it", 12, 5, {6}, 6},
        {"one row removed before it", 12, 5, {4}, 4},
        {"two rows added", 12, 5, {7}, 7},
        {"two rows removed", 12, 5, {3}, 3},
        {"three rows added: lost", 12, 5, {8}, -1},
        {"three rows removed: lost", 12, 5, {2}, -1},
        {"gone", 12, 5, {}, -1},
        {"the remembered row wins over its neighbours", 12, 5, {3, 4, 5, 6, 7}, 5},
        {"one after wins over one before", 12, 5, {4, 6}, 6},
        {"one before wins over two after", 12, 5, {4, 7}, 4},
        {"two after wins over two before", 12, 5, {3, 7}, 7},
        {"first row, nothing before it", 12, 0, {2}, 2},
        {"the list shrank below the remembered row", 4, 5, {3}, 3},
        {"an empty list", 0, 5, {}, -1},
    };
    for (const Case &c : cases) {
        std::vector<OntRecord> rows;
        for (int i = 0; i < c.size; ++i)
            rows.push_back(ont("G.PON", "0", "1", "0", QString::number(i)));
        for (int i : c.at)
            rows[size_t(i)].ontId = QStringLiteral("99");
        EXPECT_EQ(findRowNear(rows, c.remembered, QStringLiteral("0.1.0.99")), c.expected) << c.what;
    }
}

TEST(ScanList, RowMatchesOnlyItsWholeKey)
{
    const std::vector<OntRecord> rows = {
        ont("G.PON", "0", "1", "0", "3"),  // the key's prefix
        ont("G.PON", "0", "1", "0", "30"), // the key plus one digit
        ont("G.PON", "0", "10", "0", "3"),
        ont("G.PON", "-", "-", "-", "-"),
        ont("G.PON", "0", "1", "0", "31"),
    };
    EXPECT_EQ(findRowNear(rows, 2, QStringLiteral("0.1.0.31")), 4);
    EXPECT_EQ(findRowNear(rows, 2, QStringLiteral("0.1.0.30")), 1);
    EXPECT_EQ(findRowNear(rows, 2, QStringLiteral("0.1.0.301")), -1);
    EXPECT_EQ(findRowNear(rows, 2, QStringLiteral("0.1.0")), -1);
    EXPECT_EQ(findRowNear(rows, 2, QStringLiteral("0.10.0.3")), 2);
}

TEST(ScanList, PortGroupsInOrderOfFirstAppearance)
{
    // The list is in no particular order: a port's ONTs need not stand together.
    const std::vector<OntRecord> rows = {
        ont("G.PON", "0", "1", "0", "1"),
        ont("G.PON", "0", "1", "1", "1"),
        ont("G.PON", "0", "1", "0", "2"),
        ont("E.PON", "0", "1", "0", "1"), // same place numbers, another kind of port
        ont("G.PON", "-", "-", "-", "-"),
        ont("G.PON", "0", "11", "0", "1"),
        ont("G.PON", "0", "1", "1", "2"),
        ont("G.PON", "0", "1", "0", "3"),
    };
    const QList<ScanRow> scan = buildScanList(rows, QStringLiteral("olt"), {});
    // Indexes are scan-list indexes (the freed row is not in the scan list).
    const QList<PortGroup> expected = {
        {"gpon", "0", "1", "0", {0, 2, 6}},
        {"gpon", "0", "1", "1", {1, 5}},
        {"epon", "0", "1", "0", {3}},
        {"gpon", "0", "11", "0", {4}},
    };
    EXPECT_EQ(groupByPort(scan), expected);
    EXPECT_TRUE(groupByPort({}).isEmpty());
}

} // namespace
