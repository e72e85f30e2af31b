// The OLT's state listing applied to the authorised-ONT list and its views.
#include "core/ont_state_listing.h"
#include "core/paging.h"
#include "registry/ont_list.h"
#include "ui/ont_list_model.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tervix;

namespace {

core::OntRecord row(const char *pon, const char *serial, const char *name, const char *levels)
{
    core::OntRecord r;
    r.origin = QStringLiteral("-");
    r.ponType = QString::fromLatin1(pon);
    r.frame = QStringLiteral("0");
    r.slot = QStringLiteral("1");
    r.port = QStringLiteral("0");
    r.name = QString::fromUtf8(name);
    r.serialOrMac = QString::fromLatin1(serial);
    r.levels = QString::fromLatin1(levels);
    r.active = QStringLiteral("0");
    core::initBasicTexts(r, QString(), QString());
    return r;
}

core::OntLine line(const char *serial, bool online)
{
    core::OntLine l;
    l.frame = QStringLiteral("0");
    l.serialOrMac = QString::fromLatin1(serial);
    l.online = online;
    return l;
}

core::StateListing listing(std::vector<core::OntLine> states, bool whole)
{
    core::StateListing l;
    l.states = std::move(states);
    l.count = int(l.states.size());
    l.whole = whole;
    return l;
}

enum Rows { Unmeasured, Measured, Epon, Freed, NotListed, SameSerialLater };

class OntListStates : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::vector<core::OntRecord> rows;
        rows.push_back(row("G.PON", "48575443A1B2C3D4", "Kowalski", "-"));
        core::OntRecord measured = row("G.PON", "48575443A1B2C3D5", "Nowak", "-21.30/-23.50");
        measured.signalCell = QStringLiteral("G.PON\n> Signal Bad\nONT: -27.1 OLT: -29.0");
        measured.signalClass = QStringLiteral("bad");
        rows.push_back(measured);
        rows.push_back(row("E.PON", "00e0-fc12-3456", "Wiśniewska", "-"));
        core::OntRecord freed = row("G.PON", "--WOLNY--", "--WOLNY--", "-");
        freed.image = core::RowImage::Freed;
        rows.push_back(freed);
        rows.push_back(row("G.PON", "48575443A1B2C3D7", "Zielinski", "-"));
        rows.push_back(row("G.PON", "48575443A1B2C3D4", "Kowalski (copy)", "-"));
        list.replaceAll(std::move(rows));
    }

    registry::OntList list;
};

TEST_F(OntListStates, ListedRowsTakeTheirStateAndOnlyUnmeasuredOnesTheirTileText)
{
    const core::OntRecord measuredBefore = list.record(Measured);
    const core::OntRecord notListedBefore = list.record(NotListed);
    const core::OntRecord laterBefore = list.record(SameSerialLater);

    const int found = list.applyStateListing(listing({line("48575443a1b2c3d4", true), line("48575443A1B2C3D5", false),
                                                      line("00E0-FC12-3456", true), line("4857544399999999", true)},
                                                     true));
    EXPECT_EQ(found, 3);

    const core::OntRecord &a = list.record(Unmeasured);
    EXPECT_EQ(a.image, core::RowImage::Online);
    EXPECT_EQ(a.basicImage, core::RowImage::Online);
    EXPECT_EQ(a.signalCell, QStringLiteral("G.PON\n> Signal Normal\nONT: ? OLT: ?"));

    const core::OntRecord &b = list.record(Measured);
    EXPECT_EQ(b.image, core::RowImage::Offline);
    EXPECT_EQ(b.basicImage, core::RowImage::Offline);
    EXPECT_EQ(b.signalCell, measuredBefore.signalCell);
    EXPECT_EQ(b.signalClass, measuredBefore.signalClass);

    const core::OntRecord &e = list.record(Epon);
    EXPECT_EQ(e.image, core::RowImage::Online);
    EXPECT_EQ(e.signalCell, QStringLiteral("E.PON\n> Signal Normal\nONT: ? OLT: ?"));

    EXPECT_EQ(list.record(Freed).image, core::RowImage::Freed);
    EXPECT_EQ(list.record(NotListed), notListedBefore);
    // The first row of an SN is the one the listing speaks of.
    EXPECT_EQ(list.record(SameSerialLater), laterBefore);

    list.applyStateListing(listing({line("48575443A1B2C3D4", false)}, true));
    EXPECT_EQ(list.record(Unmeasured).image, core::RowImage::Offline);
    EXPECT_EQ(list.record(Unmeasured).basicImage, core::RowImage::Offline);
    EXPECT_EQ(list.record(Unmeasured).signalCell, QStringLiteral("G.PON\n> OFF ONT\nONT: off OLT: off"));
}

TEST_F(OntListStates, BothViewsRedrawTheChangedRowsAtOnce)
{
    ui::OntListModel advanced(list, ui::OntListModel::View::Advanced);
    ui::OntListModel basic(list, ui::OntListModel::View::Basic);
    QSignalSpy advancedSpy(&advanced, &QAbstractItemModel::dataChanged);
    QSignalSpy basicSpy(&basic, &QAbstractItemModel::dataChanged);

    list.applyStateListing(listing({line("48575443A1B2C3D5", false), line("48575443A1B2C3D4", true), line("00e0-fc12-3456", false)}, true));

    for (QSignalSpy *spy : {&advancedSpy, &basicSpy}) {
        ASSERT_EQ(spy->count(), 1);
        const QModelIndex topLeft = spy->at(0).at(0).toModelIndex();
        const QModelIndex bottomRight = spy->at(0).at(1).toModelIndex();
        EXPECT_EQ(topLeft.row(), int(Unmeasured));
        EXPECT_EQ(topLeft.column(), 0);
        EXPECT_EQ(bottomRight.row(), int(Epon));
        EXPECT_EQ(bottomRight.column(), bottomRight.model()->columnCount() - 1);
    }
    EXPECT_EQ(advanced.index(Measured, 0).data(ui::OntListModel::ImageRole).toInt(), core::RowImage::Offline);
    EXPECT_EQ(basic.index(Epon, 0).data(ui::OntListModel::ImageRole).toInt(), core::RowImage::Offline);
    EXPECT_EQ(basic.index(Epon, core::BasicColumn::Signal).data().toString(),
              QStringLiteral("E.PON\n> OFF ONT\nONT: off OLT: off"));

    // Nothing of the list listed: nothing to redraw.
    list.applyStateListing(listing({line("4857544399999999", true)}, true));
    EXPECT_EQ(advancedSpy.count(), 1);
    EXPECT_EQ(basicSpy.count(), 1);
}

TEST_F(OntListStates, OltCountComesFromWholeListingsOnly)
{
    EXPECT_EQ(list.oltOntCount(), 0);
    struct Step
    {
        const char *what;
        core::StateListing listing;
        int count;
    };
    const Step steps[] = {
        {"whole", listing({line("A1", true), line("A2", true), line("A3", false), line("A4", true)}, true), 4},
        {"cut short", listing({line("A1", true), line("A2", true)}, false), 4},
        {"whole without any ONT", listing({}, true), 4},
        {"nothing read", listing({}, false), 4},
        {"whole again", listing({line("A1", true), line("A2", true), line("A3", true), line("A4", true), line("A5", true)}, true), 5},
    };
    for (const Step &s : steps) {
        list.applyStateListing(s.listing);
        EXPECT_EQ(list.oltOntCount(), s.count) << s.what;
    }

    list.setFile(QStringLiteral("/nonexistent"), QStringLiteral("olt-b"));
    EXPECT_EQ(list.oltOntCount(), 0) << "a count read from another OLT";
}

TEST_F(OntListStates, OccupiedRowsAreAllButTheFreedOnes)
{
    EXPECT_EQ(list.occupiedRowCount(), 5);
    list.remove(Freed);
    EXPECT_EQ(list.occupiedRowCount(), 5);
    list.clear();
    EXPECT_EQ(list.occupiedRowCount(), 0);
}

} // namespace

namespace {

// A frame listing as the console collects it: the OLT's pages joined, each
// page but the first starting after the erased page prompt.
QString collectedPages(const QStringList &lines, int pageLines)
{
    const QString prompt = QStringLiteral("---- More ( Press 'Q' to break ) ----");
    const QString erase = QStringLiteral("\x1b[37D") + QString(37, u' ') + QStringLiteral("\x1b[37D");
    QString paged;
    qsizetype at = 0;
    bool first = true;
    while (true) {
        QString memo = first ? QStringLiteral("\r\ndisplay ont info 0 all \r\n") : erase;
        for (qsizetype i = at; i < std::min(lines.size(), at + pageLines); ++i)
            memo += lines[i] + QStringLiteral("\r\n");
        at += pageLines;
        first = false;
        if (at >= lines.size()) {
            core::collectPage(memo + QStringLiteral("\r\nOLT(config)#"), paged);
            return paged;
        }
        core::collectPage(memo + prompt, paged);
    }
}

QStringList portLines(const QStringList &serials, const QStringList &descriptions, int port, bool withFooter)
{
    const QString sep = QStringLiteral("  -----------------------------------------------------------------------------");
    QStringList out{sep, QStringLiteral("  F/S/P   ONT         SN         Control     Run      Config   Match    Protect"),
                    QStringLiteral("          ID                     flag        state    state    state    side "), sep};
    for (int i = 0; i < serials.size(); ++i)
        out << QStringLiteral("  0/ 1/%1   %2  %3  active      %4   normal   match    no ")
                   .arg(port)
                   .arg(i, 3)
                   .arg(serials[i])
                   .arg(i % 2 ? QStringLiteral("offline") : QStringLiteral("online "));
    out << sep << QStringLiteral("  F/S/P   ONT-ID   Description") << sep;
    for (int i = 0; i < descriptions.size(); ++i)
        out << QStringLiteral("  0/ 1/%1   %2   %3").arg(port).arg(i, 7).arg(descriptions[i]);
    out << sep;
    if (withFooter)
        out << QStringLiteral("  In port 0/ 1/%1 , the total of ONTs are: %2, online: %3")
                   .arg(port)
                   .arg(serials.size())
                   .arg((serials.size() + 1) / 2)
            << sep;
    return out;
}

} // namespace

TEST(OntListStatesFromTheOlt, AThreePageListingWithHostileDescriptionsRefreshesTheListAndACutOneKeepsTheCount)
{
    const QStringList serials{QStringLiteral("48575443000000A1"), QStringLiteral("48575443000000A2"),
                              QStringLiteral("48575443000000A3"), QStringLiteral("48575443000000A4")};
    // Descriptions that say what the listing's own lines say.
    const QStringList hostile{QStringLiteral("pays online: 5"), QStringLiteral("Description"),
                              QStringLiteral("In port 0/ 1/0 , the total of ONTs are: 9, online: 9"),
                              QStringLiteral("  0/ 1/0    7  48575443DEADBEEF  active      online")};
    const QStringList lines = portLines(serials.mid(0, 2), hostile.mid(0, 2), 0, true)
        + portLines(serials.mid(2), hostile.mid(2), 1, true);
    ASSERT_GT(lines.size(), 3 * 9);
    const QString listing = collectedPages(lines, 9); // more than three pages of nine lines

    registry::OntList list;
    std::vector<core::OntRecord> rows;
    for (const QString &sn : serials)
        rows.push_back(row("G.PON", sn.toLatin1().constData(), "Klient", "-"));
    list.replaceAll(std::move(rows));

    const core::StateListing whole = core::parseStateListing(listing, QStringLiteral("0"));
    ASSERT_TRUE(whole.whole);
    EXPECT_EQ(list.applyStateListing(whole), 4);
    EXPECT_EQ(list.oltOntCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.record(i).image, i % 2 ? core::RowImage::Offline : core::RowImage::Online) << i;

    // A read that timed out before the second port's footer: the rows it has
    // are shown, but the OLT's count stays what the whole listing said.
    const QStringList cut = portLines(serials.mid(0, 2), hostile.mid(0, 2), 0, true)
        + portLines(serials.mid(2, 1), hostile.mid(2, 1), 1, false);
    const core::StateListing partial = core::parseStateListing(collectedPages(cut, 9), QStringLiteral("0"));
    EXPECT_FALSE(partial.whole);
    list.applyStateListing(partial);
    EXPECT_EQ(list.oltOntCount(), 4);
}
