#include "core/ont_state_listing.h"
#include "core/paging.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

using tervix::core::OntLine;
using tervix::core::parseOntLine;
using tervix::core::parseStateListing;
using tervix::core::StateListing;

const QString kSep = QStringLiteral("  -----------------------------------------------------------------------------");

// ---- One line ------------------------------------------------------------

struct LineCase
{
    const char *name;
    QString line;
    bool description;
    OntLine expected;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

OntLine state(const char *f, const char *s, const char *p, const char *id, const char *sn, bool deactivated, bool online)
{
    OntLine l;
    l.frame = QString::fromLatin1(f);
    l.slot = QString::fromLatin1(s);
    l.port = QString::fromLatin1(p);
    l.id = QString::fromLatin1(id);
    l.serialOrMac = QString::fromLatin1(sn);
    l.deactivated = deactivated;
    l.online = online;
    return l;
}

OntLine described(const char *f, const char *s, const char *p, const char *id, const QString &name)
{
    OntLine l;
    l.frame = QString::fromLatin1(f);
    l.slot = QString::fromLatin1(s);
    l.port = QString::fromLatin1(p);
    l.id = QString::fromLatin1(id);
    l.name = name;
    return l;
}

class OntLineRules : public ::testing::TestWithParam<LineCase> {};

TEST_P(OntLineRules, ReadPlaceAndStateOrDescription)
{
    EXPECT_EQ(parseOntLine(GetParam().line, GetParam().description), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OntLineRules,
    ::testing::Values(
        LineCase{"online", QStringLiteral("  0/ 1/0    0  1234567890ABCDEF  active      online   normal   match    no "), false,
                 state("0", "1", "0", "0", "1234567890ABCDEF", false, true)},
        LineCase{"offline_two_digit_slot_and_port", QStringLiteral("  0/10/13   7  495442538BAB819B  active      offline  initial  initial  no"), false,
                 state("0", "10", "13", "7", "495442538BAB819B", false, false)},
        // The OLT prints "-" when it does not know the state: not online.
        LineCase{"unknown_run_state", QStringLiteral("  0/ 0/0    4  PVDWI3METQ3PRRLV  active      -        -        -        yes"), false,
                 state("0", "0", "0", "4", "PVDWI3METQ3PRRLV", false, false)},
        LineCase{"configuring_flag_online", QStringLiteral("  0/ 2/0    1  PBFGXVIPMQZN0E1T  configuring online   online   mismatch yes    "), false,
                 state("0", "2", "0", "1", "PBFGXVIPMQZN0E1T", false, true)},
        LineCase{"deactivated_any_case", QStringLiteral("  0/ 1/3   12  48575443A1B2C3D4  DeActivated offline  initial  initial  no"), false,
                 state("0", "1", "3", "12", "48575443A1B2C3D4", true, false)},
        LineCase{"run_state_in_capitals", QStringLiteral("  0/ 1/3   12  48575443A1B2C3D4  active      ONLINE   normal   match    no"), false,
                 state("0", "1", "3", "12", "48575443A1B2C3D4", false, true)},
        LineCase{"epon_mac", QStringLiteral("  0/ 3/2    5  00e0-fc12-3456    active      online   normal   match    no"), false,
                 state("0", "3", "2", "5", "00e0-fc12-3456", false, true)},
        // What the old cut leaves in front of a line of a CR LF listing.
        LineCase{"after_a_cut_line_feed", QStringLiteral("\n  0/ 1/0    3  1234567890ABCDEF  active      offline  initial  initial  no "), false,
                 state("0", "1", "0", "3", "1234567890ABCDEF", false, false)},
        LineCase{"description_up_to_cr", QStringLiteral("  0/ 1/0       0   Generic_description\r\n"), true,
                 described("0", "1", "0", "0", QStringLiteral("Generic_description"))},
        LineCase{"description_without_cr_is_the_rest", QStringLiteral("  0/ 1/0      10   Kowalski Jan, ul. Polna 3"), true,
                 described("0", "1", "0", "10", QStringLiteral("Kowalski Jan, ul. Polna 3"))},
        // The OLT's column padding stays: the import decides what a name is.
        LineCase{"description_padding_kept", QStringLiteral("  0/ 2/0       2   The damaging nerve nests.      "), true,
                 described("0", "2", "0", "2", QStringLiteral("The damaging nerve nests.      "))}),
    [](const ::testing::TestParamInfo<LineCase> &i) { return std::string(i.param.name); });

// ---- The captured listings --------------------------------------------------

struct SampleCase
{
    const char *file;
    bool crlf;
    int count;
    int online;
    bool whole;
};

void PrintTo(const SampleCase &c, std::ostream *os)
{
    *os << c.file << (c.crlf ? " CR LF" : " LF");
}

class StateListingSamples : public ::testing::TestWithParam<SampleCase> {};

TEST_P(StateListingSamples, EveryStateRowReadOnce)
{
    const SampleCase &c = GetParam();
    const QString raw = tervix::test::readSample(QString::fromLatin1(c.file));
    ASSERT_FALSE(raw.isEmpty()) << "missing sample " << c.file;
    const StateListing l = parseStateListing(c.crlf ? tervix::test::crlf(raw) : raw, QStringLiteral("0"));
    EXPECT_EQ(l.count, c.count);
    EXPECT_EQ(int(l.states.size()), c.count);
    EXPECT_EQ(int(std::count_if(l.states.begin(), l.states.end(), [](const OntLine &s) { return s.online; })), c.online);
    EXPECT_EQ(l.whole, c.whole);
    for (const OntLine &s : l.states) {
        EXPECT_EQ(s.serialOrMac.size(), 16) << s.serialOrMac.toStdString();
        EXPECT_TRUE(s.name.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Captures, StateListingSamples,
    ::testing::Values(SampleCase{"display_ont_info_0__ntc1.txt", true, 31, 31, true},
                      SampleCase{"display_ont_info_0__ntc1.txt", false, 31, 31, true},
                      // "configuring" flags, padded descriptions, "total number of ONTs is".
                      SampleCase{"display_ont_info_0__ntc2.txt", true, 16, 8, true},
                      SampleCase{"display_ont_info_0__ntc3.txt", true, 14, 8, true},
                      SampleCase{"display_ont_info_0__ntc3.txt", false, 14, 8, true},
                      // Two ports, a closing separator broken by a space.
                      SampleCase{"display_ont_info_0__ntc4.txt", true, 2, 2, true},
                      SampleCase{"display_ont_info_0__ntc4.txt", false, 2, 2, true}));

TEST(StateListing, Ntc3RowsInOrderWithTheUnknownOneNotOnline)
{
    const QString raw = tervix::test::readSample(QStringLiteral("display_ont_info_0__ntc3.txt"));
    ASSERT_FALSE(raw.isEmpty());
    const StateListing l = parseStateListing(tervix::test::crlf(raw), QStringLiteral("0"));
    ASSERT_EQ(l.count, 14);
    EXPECT_EQ(l.states[0], state("0", "0", "0", "0", "F6JO2SI8TTKDYDRC", false, false));
    EXPECT_EQ(l.states[4], state("0", "0", "0", "4", "PVDWI3METQ3PRRLV", false, false));
    EXPECT_EQ(l.states[13], state("0", "0", "0", "13", "X8ZIIV5P0F6XJJQD", false, true));
}

// ---- Hand-made listings ------------------------------------------------------

struct Row
{
    QString sn;
    QString description;
    bool online = true;
};

// One port's part of "display ont info 0 all" as the OLT prints it, with the
// footer's port field padded as the OLT pads it.
QStringList portPart(int slot, int port, const QList<Row> &rows)
{
    QStringList out;
    const QString place = QStringLiteral("0/%1/%2").arg(slot, 2).arg(port);
    int online = 0;
    out << kSep << QStringLiteral("  F/S/P   ONT         SN         Control     Run      Config   Match    Protect")
        << QStringLiteral("          ID                     flag        state    state    state    side ") << kSep;
    for (int i = 0; i < rows.size(); ++i) {
        online += rows[i].online ? 1 : 0;
        out << QStringLiteral("  %1%2  %3  active      %4normal   match    no ")
                   .arg(place, -7)
                   .arg(i, 4)
                   .arg(rows[i].sn, -16)
                   .arg(rows[i].online ? QStringLiteral("online   ") : QStringLiteral("offline  "));
    }
    out << kSep << QStringLiteral("  F/S/P   ONT-ID   Description") << kSep;
    for (int i = 0; i < rows.size(); ++i)
        out << QStringLiteral("  %1%2   %3").arg(place, -7).arg(i, 7).arg(rows[i].description);
    out << kSep
        << QStringLiteral("  In port 0/%1/%2, the total of ONTs are: %3, online: %4")
               .arg(slot, 2)
               .arg(QString::number(port), -2)
               .arg(rows.size())
               .arg(online)
        << kSep;
    return out;
}

QString lines(const QStringList &l)
{
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QList<Row> plainRows(const char *prefix, int n)
{
    QList<Row> rows;
    for (int i = 0; i < n; ++i)
        rows << Row{QStringLiteral("%1%2").arg(QString::fromLatin1(prefix)).arg(i, 16 - int(qstrlen(prefix)), 10, QLatin1Char('0')),
                    QStringLiteral("Client %1").arg(i), i % 3 != 1};
    return rows;
}

QStringList serials(const StateListing &l)
{
    QStringList s;
    for (const OntLine &o : l.states)
        s << o.serialOrMac;
    return s;
}

QStringList serials(const QList<Row> &rows)
{
    QStringList s;
    for (const Row &r : rows)
        s << r.sn;
    return s;
}

// Descriptions are the operator's free text: whatever words they hold, each
// port's rows are read once and the listing stays whole.
TEST(StateListing, DescriptionsHoldingListingWordsAreData)
{
    const QList<Row> first{
        {QStringLiteral("48575443000000A1"), QStringLiteral("pays online: yes")},
        {QStringLiteral("48575443000000A2"), QStringLiteral("Description of flat 2"), false},
        {QStringLiteral("48575443000000A3"), QStringLiteral("In port 0/ 1/0, the total of ONTs are: 9, online: 9")},
        {QStringLiteral("48575443000000A4"), QStringLiteral("F/S/P   ONT         SN   Control")},
    };
    const QList<Row> second{
        {QStringLiteral("48575443000000B1"), QStringLiteral("  0/ 1/0    7  48575443DEADBEEF  active      online")},
        {QStringLiteral("48575443000000B2"), QStringLiteral("---------- Description online: ----------")},
    };
    const QString listing = QStringLiteral("\r\ndisplay ont info 0 all \r\n") + lines(portPart(1, 0, first))
        + QStringLiteral("\r\n") + lines(portPart(1, 1, second)) + QStringLiteral("\r\nOLT(config)#");

    const StateListing l = parseStateListing(listing, QStringLiteral("0"));
    EXPECT_EQ(serials(l), serials(first) + serials(second));
    EXPECT_EQ(l.count, 6);
    EXPECT_TRUE(l.whole);
    EXPECT_FALSE(l.states[1].online);
}

// A description too long for its column goes on on a further line indented
// to the column; that line is data too.
TEST(StateListing, WrappedDescriptionLineIsData)
{
    QStringList part = portPart(1, 0, plainRows("4857544310", 2));
    const qsizetype footer = part.indexOf(QStringLiteral("  In port 0/ 1/0 , the total of ONTs are: 2, online: 1"));
    ASSERT_GT(footer, 0);
    part.insert(footer - 1, QString(19, u' ') + QStringLiteral("In port 0/ 1/0 , the total of ONTs are: 5, online: 5"));
    part.insert(footer - 1, QString(19, u' ') + QStringLiteral("------------------------------"));
    const StateListing l = parseStateListing(lines(part) + lines(portPart(1, 2, plainRows("4857544312", 3))), QStringLiteral("0"));
    EXPECT_EQ(l.count, 5);
    EXPECT_TRUE(l.whole);
}

struct ShapeCase
{
    const char *name;
    QString listing;
    int count;
    bool whole;
};

void PrintTo(const ShapeCase &c, std::ostream *os)
{
    *os << c.name;
}

class StateListingShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(StateListingShapes, CountAndWholeness)
{
    const StateListing l = parseStateListing(GetParam().listing, QStringLiteral("0"));
    EXPECT_EQ(l.count, GetParam().count);
    EXPECT_EQ(int(l.states.size()), GetParam().count);
    EXPECT_EQ(l.whole, GetParam().whole);
}

QString twoPorts()
{
    return lines(portPart(1, 0, plainRows("4857544310", 4))) + QStringLiteral("\r\n")
        + lines(portPart(1, 10, plainRows("4857544311", 3)));
}

QString withoutLine(QString text, const QString &line)
{
    return text.remove(line + QStringLiteral("\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StateListingShapes,
    ::testing::Values(
        ShapeCase{"two_ports", twoPorts(), 7, true},
        ShapeCase{"lf_only", QString(twoPorts()).remove(u'\r'), 7, true},
        ShapeCase{"cr_only", QString(twoPorts()).remove(u'\n'), 7, true},
        // The last line without any line end, the prompt's empty line lost.
        ShapeCase{"no_line_end_after_the_footer",
                  lines(portPart(1, 0, plainRows("4857544310", 4)))
                      + QStringLiteral("  In port 0/ 1/1 , the total of ONTs are: 0, online: 0"),
                  4, true},
        // An empty port is its footer alone.
        ShapeCase{"empty_ports_as_lone_footers",
                  QStringLiteral("  In port 0/ 1/0 , the total of ONTs are: 0, online: 0\r\n"
                                 "  In port 0/ 1/1 , the total of ONTs are: 0, online: 0\r\n")
                      + lines(portPart(1, 2, plainRows("4857544312", 2))),
                  2, true},
        ShapeCase{"footer_with_offline_count",
                  QString(lines(portPart(1, 0, plainRows("4857544310", 3))))
                      .replace(QStringLiteral("total of ONTs are: 3, online: 2"),
                               QStringLiteral("total number of ONTs are: 3, online: 2, offline: 1")),
                  3, true},
        // A read that timed out: the last port has no footer.
        ShapeCase{"cut_before_the_last_footer",
                  twoPorts().left(twoPorts().indexOf(QStringLiteral("  In port 0/ 1/10"))), 7, false},
        ShapeCase{"cut_inside_the_state_table",
                  twoPorts().left(twoPorts().indexOf(QStringLiteral("  0/ 1/10   2"))), 6, false},
        // A page lost in the middle: the footer no longer agrees.
        ShapeCase{"row_missing",
                  withoutLine(twoPorts(), QStringLiteral("  0/ 1/0    2  4857544310000002  active      online   normal   match    no ")),
                  6, false},
        ShapeCase{"footer_of_another_port",
                  QString(twoPorts()).replace(QStringLiteral("In port 0/ 1/10"), QStringLiteral("In port 0/ 1/11")), 7, false},
        ShapeCase{"no_footer_at_all", QStringLiteral("  Failure: The ONT does not exist\r\n\r\nOLT(config)#"), 0, false},
        ShapeCase{"empty", QString(), 0, false},
        // Rows of another frame belong to another listing.
        ShapeCase{"other_frame",
                  QString(lines(portPart(1, 0, plainRows("4857544310", 2)))).replace(QStringLiteral("0/ 1/0"), QStringLiteral("1/ 1/0")),
                  0, false}),
    [](const ::testing::TestParamInfo<ShapeCase> &i) { return std::string(i.param.name); });

// The console reads a long listing page by page; the joined pages, a line
// brought by the carriage return included, read like the listing unpaged.
TEST(StateListing, ThreeJoinedPagesReadWhole)
{
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    const QList<Row> first = plainRows("4857544310", 20);
    const QList<Row> second = plainRows("4857544311", 12);
    const QStringList all = portPart(1, 0, first) + QStringList{QString()} + portPart(1, 1, second);
    auto text = [&](qsizetype from, qsizetype to) { return lines(all.mid(from, to - from)); };

    QString paged;
    ASSERT_TRUE(tervix::core::collectPage(QStringLiteral("\r\ndisplay ont info 0 all \r\n") + text(0, 23) + prompt, paged));
    ASSERT_TRUE(tervix::core::collectPage(erase + text(23, 47) + prompt + erase + text(47, 48) + prompt, paged));
    ASSERT_FALSE(tervix::core::collectPage(erase + text(48, all.size()) + QStringLiteral("\r\nOLT(config)#"), paged));

    const StateListing l = parseStateListing(paged, QStringLiteral("0"));
    EXPECT_EQ(serials(l), serials(first) + serials(second));
    EXPECT_TRUE(l.whole);
}

} // namespace
