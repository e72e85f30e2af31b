#include "core/ont_search.h"

#include "qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace tervix::core;

OntRecord ont(const char *frame, const char *slot, const char *port, const char *id, const QString &name,
              const char *serialOrMac, const char *ponType)
{
    OntRecord r;
    r.frame = QString::fromLatin1(frame);
    r.slot = QString::fromLatin1(slot);
    r.port = QString::fromLatin1(port);
    r.ontId = QString::fromLatin1(id);
    r.name = name;
    r.serialOrMac = QString::fromLatin1(serialOrMac);
    r.ponType = QString::fromLatin1(ponType);
    return r;
}

// Places chosen so that, run together, some of them read alike.
std::vector<OntRecord> list()
{
    return {
        ont("0", "1", "0", "5", QStringLiteral("Jan Kowalski"), "HWTC1234ABCD", "G.PON"),
        ont("0", "10", "5", "0", QStringLiteral("Kowalski Sklep"), "48575443AABBCCDD", "G.PON"),
        ont("0", "1", "10", "3", QStringLiteral("Łukasz Żółć"), "aa:bb:cc:dd:ee:ff", "E.PON"),
        ont("0", "11", "0", "3", QStringLiteral("jan"), "HWTC0000FFFF", "G.PON"),
    };
}

// Each hit as "F/S/P id", in the order found.
QStringList places(const std::vector<OntSearchHit> &hits)
{
    QStringList out;
    for (const OntSearchHit &h : hits)
        out << h.caption() + u' ' + h.ontId;
    return out;
}

TEST(OntSearch, EachModeComparesItsOwnTextIgnoringCase)
{
    struct Case
    {
        SearchMode mode;
        const char *text;
        bool whole;
        QStringList found;
    };
    const Case cases[] = {
        {SearchMode::Name, "kowalski", false, {"0/1/0 5", "0/10/5 0"}},
        {SearchMode::Name, "KOWALSKI", false, {"0/1/0 5", "0/10/5 0"}},
        {SearchMode::Name, "jan", false, {"0/1/0 5", "0/11/0 3"}},
        {SearchMode::Name, "JAN", true, {"0/11/0 3"}},
        {SearchMode::Name, "kowal", true, {}},
        {SearchMode::Name, "ŁUKASZ ŻÓŁĆ", true, {"0/1/10 3"}},
        {SearchMode::SerialOrMac, "hwtc", false, {"0/1/0 5", "0/11/0 3"}},
        {SearchMode::SerialOrMac, "AA:BB", false, {"0/1/10 3"}},
        {SearchMode::SerialOrMac, "hwtc1234abcd", true, {"0/1/0 5"}},
        {SearchMode::SerialOrMac, "hwtc1234", true, {}},
        {SearchMode::PonType, "e.pon", false, {"0/1/10 3"}},
        {SearchMode::PonType, "pon", false, {"0/1/0 5", "0/10/5 0", "0/1/10 3", "0/11/0 3"}},
        {SearchMode::PonType, "G.PON", true, {"0/1/0 5", "0/10/5 0", "0/11/0 3"}},
        // The place modes run the numbers together, so different places can read alike.
        {SearchMode::PlaceWithId, "0105", false, {"0/1/0 5", "0/10/5 0"}},
        {SearchMode::PlaceWithId, "0105", true, {"0/1/0 5"}},
        {SearchMode::PlaceWithId, "01103", true, {"0/1/10 3", "0/11/0 3"}},
        {SearchMode::Port, "0110", true, {"0/1/10 3", "0/11/0 3"}},
        {SearchMode::Port, "010", true, {"0/1/0 5"}},
        {SearchMode::Port, "105", false, {"0/10/5 0"}},
    };
    const std::vector<OntRecord> rows = list();
    for (const Case &c : cases) {
        const OntSearchQuery query{QString::fromUtf8(c.text), c.mode, c.whole};
        EXPECT_EQ(places(searchOnts(rows, query)), c.found)
            << "mode " << int(c.mode) << " text " << c.text << (c.whole ? " whole" : " part");
    }
}

TEST(OntSearch, EmptyTextOrListFindsNothing)
{
    const std::vector<OntRecord> rows = list();
    for (int mode = 0; mode <= int(SearchMode::Port); ++mode) {
        for (bool whole : {false, true}) {
            EXPECT_TRUE(searchOnts(rows, {QString(), SearchMode(mode), whole}).empty())
                << "mode " << mode << (whole ? " whole" : " part");
        }
    }
    // An ONT without a name is not found by an empty whole-name search either.
    std::vector<OntRecord> unnamed = rows;
    unnamed[0].name.clear();
    EXPECT_TRUE(searchOnts(unnamed, {QString(), SearchMode::Name, true}).empty());

    const std::vector<OntSearchHit> none = searchOnts({}, {QStringLiteral("jan"), SearchMode::Name, false});
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(searchBoxCaption(qsizetype(none.size())), QStringLiteral("Znaleziono: 0 "));
}

TEST(OntSearch, ResultShowsThePlaceWithSeparators)
{
    const std::vector<OntSearchHit> hits =
        searchOnts(list(), {QStringLiteral("0110"), SearchMode::Port, true});
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].cells(), (QStringList{QStringLiteral("0/1/10"), QStringLiteral("3"),
                                            QStringLiteral("Łukasz Żółć"), QStringLiteral("aa:bb:cc:dd:ee:ff"),
                                            QStringLiteral("E.PON")}));
    EXPECT_EQ(hits[1].caption(), QStringLiteral("0/11/0"));
    EXPECT_EQ(searchBoxCaption(qsizetype(hits.size())), QStringLiteral("Znaleziono: 2 "));
}

TEST(OntSearch, ResultFindsItsOntAfterTheListChanged)
{
    std::vector<OntRecord> rows = list();
    const std::vector<OntSearchHit> hits = searchOnts(rows, {QStringLiteral("hwtc"), SearchMode::SerialOrMac, false});
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(findHitRow(rows, hits[0]), 0);
    EXPECT_EQ(findHitRow(rows, hits[1]), 3);

    // Reloaded in another order, with the SN/MAC written in another case.
    std::reverse(rows.begin(), rows.end());
    rows[0].serialOrMac = rows[0].serialOrMac.toLower();
    EXPECT_EQ(findHitRow(rows, hits[0]), 3);
    EXPECT_EQ(findHitRow(rows, hits[1]), 0);

    // The ONT was removed.
    rows.erase(rows.begin() + 3);
    EXPECT_EQ(findHitRow(rows, hits[0]), -1);

    // Another ONT now sits at the found one's place.
    rows[0].serialOrMac = QStringLiteral("HWTC9999EEEE");
    EXPECT_EQ(findHitRow(rows, hits[1]), -1);
}

} // namespace
