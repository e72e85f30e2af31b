// The OLT picture, its undocked window, the all-ONT window and the port
// critical list, driven offscreen over pictures and lists built by hand.

#include "core/all_ont_view.h"
#include "core/olt_picture.h"
#include "core/ont_record.h"
#include "core/port_outage.h"
#include "core/signal_class.h"
#include "registry/ont_list.h"
#include "signal/all_ont_window.h"
#include "signal/critical_signal_window.h"
#include "signal/olt_view_panel.h"
#include "signal/olt_view_window.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace tervix;
using signal::OltViewPanel;
using PortText = OltViewPanel::PortText;
namespace colours = core::picture_colours;

namespace {

core::PicturePort port(int total, int online, int offline, int critical)
{
    return {total, online, offline, critical};
}

// Board 1 uses ports 0..7 only; board 5 has an ONT on port 12.
core::OltPicture twoBoards()
{
    core::OltPicture p;
    core::PictureBoard &one = p.boards[1];
    one.shown = true;
    one.total = 5;
    one.highestPort = 2;
    one.shownPorts = 8;
    one.ports[0] = port(3, 2, 1, 0);
    one.ports[2] = port(2, 2, 0, 1);
    core::PictureBoard &five = p.boards[5];
    five.shown = true;
    five.total = 1;
    five.highestPort = 12;
    five.shownPorts = 16;
    five.ports[12] = port(1, 1, 0, 0);
    p.shownBoards = 2;
    return p;
}

QColor colour(int value)
{
    return OltViewPanel::pictureColour(value);
}

} // namespace

TEST(OltViewPanel, ShowsTheBoardsInUseWithTheirPortsCountsAndColours)
{
    OltViewPanel panel;
    const QList<QWidget *> built = panel.findChildren<QWidget *>();
    panel.setPicture(twoBoards());

    for (int b = 0; b < OltViewPanel::kBoards; ++b)
        EXPECT_EQ(panel.isBoardShown(b), b == 1 || b == 5) << b;
    EXPECT_EQ(panel.shownPortCount(1), 8);
    EXPECT_EQ(panel.shownPortCount(5), 16);
    EXPECT_EQ(panel.boardTotalLabel(1)->text(), QStringLiteral("5"));

    EXPECT_EQ(panel.portText(1, 0, PortText::Number), QStringLiteral("0"));
    EXPECT_EQ(panel.portText(1, 0, PortText::Total), QStringLiteral("3"));
    EXPECT_EQ(panel.portText(1, 0, PortText::Online), QStringLiteral("2"));
    EXPECT_EQ(panel.portText(1, 0, PortText::Offline), QStringLiteral("1"));
    EXPECT_EQ(panel.portText(1, 2, PortText::Critical), QStringLiteral("1"));
    EXPECT_EQ(panel.portText(5, 12, PortText::Number), QStringLiteral("12"));

    struct Case
    {
        int board, port;
        int colour;
    };
    for (const Case &c : {Case{1, 1, colours::kNeutral}, Case{1, 0, colours::kWithOnts},
                          Case{5, 12, colours::kWithOnts}, Case{5, 3, colours::kNeutral}}) {
        SCOPED_TRACE(testing::Message() << c.board << '/' << c.port);
        EXPECT_EQ(panel.portColourNow(c.board, c.port), colour(c.colour));
        EXPECT_TRUE(panel.criticalButton(c.board, c.port)->isHidden());
    }

    // The port with a critical ONT blinks between the two pinks and offers "?".
    EXPECT_FALSE(panel.criticalButton(1, 2)->isHidden());
    const QColor before = panel.portColourNow(1, 2);
    EXPECT_TRUE(before == colour(colours::kBlinkA) || before == colour(colours::kBlinkB));
    panel.blink();
    const QColor after = panel.portColourNow(1, 2);
    EXPECT_TRUE(after == colour(colours::kBlinkA) || after == colour(colours::kBlinkB));
    EXPECT_NE(before, after);
    EXPECT_EQ(panel.portColourNow(1, 0), colour(colours::kWithOnts));

    // The next recount finds no critical ONT there, and board 5 is emptied:
    // the same widgets are reused, none is made.
    core::OltPicture next = twoBoards();
    next.boards[1].ports[2].critical = 0;
    next.boards[5] = {};
    next.shownBoards = 1;
    panel.setPicture(next);
    EXPECT_TRUE(panel.criticalButton(1, 2)->isHidden());
    EXPECT_EQ(panel.portColourNow(1, 2), colour(colours::kWithOnts));
    EXPECT_FALSE(panel.isBoardShown(5));
    EXPECT_EQ(panel.findChildren<QWidget *>(), built);
}

TEST(OltViewPanel, APortInAnOutageTakesTheOutageColourAndSaysWhy)
{
    OltViewPanel panel;
    panel.setPicture(twoBoards());
    core::PortOutage cut;
    cut.wentOffline = 6;
    cut.listed = 8;
    cut.since = QDateTime(QDate(2024, 5, 6), QTime(7, 30));
    panel.setOutages({{QStringLiteral("0/1/2"), cut}});

    EXPECT_EQ(panel.portColourNow(1, 2), colour(colours::kOutage));
    panel.blink();
    EXPECT_EQ(panel.portColourNow(1, 2), colour(colours::kOutage));
    EXPECT_EQ(panel.portPanel(1, 2)->toolTip(), core::outageText(cut));
    EXPECT_EQ(panel.portPanel(1, 0)->toolTip(), QString());

    panel.setOutages({});
    EXPECT_EQ(panel.portPanel(1, 2)->toolTip(), QString());
    EXPECT_NE(panel.portColourNow(1, 2), colour(colours::kOutage));
}

TEST(OltViewPanel, APortsMenuAndQuestionMarkNameTheirPort)
{
    OltViewPanel panel;
    // Wide enough for all sixteen ports, so the click lands on the port itself.
    panel.resize(1400, 400);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    panel.setPicture(twoBoards());
    QSignalSpy allOnts(&panel, &OltViewPanel::allOntsRequested);
    QSignalSpy critical(&panel, &OltViewPanel::portCriticalRequested);

    QTest::mouseClick(panel.portPanel(5, 12), Qt::LeftButton, {}, QPoint(40, 35));
    EXPECT_EQ(panel.menuBoard(), 5);
    EXPECT_EQ(panel.menuPort(), 12);
    panel.drawSplitterAction->trigger();
    EXPECT_TRUE(allOnts.isEmpty());
    panel.allOntsAction->trigger();
    ASSERT_EQ(allOnts.size(), 1);
    EXPECT_EQ(allOnts.first(), (QList<QVariant>{5, 12}));

    QTest::mouseClick(panel.criticalButton(1, 2), Qt::LeftButton);
    ASSERT_EQ(critical.size(), 1);
    EXPECT_EQ(critical.first(), (QList<QVariant>{1, 2}));
}

TEST(OltViewPanel, ExpandedItShowsItsStripsUnlessTheListBelowWouldGetTooShort)
{
    OltViewPanel panel;
    core::OltPicture three = twoBoards();
    three.boards[7] = three.boards[5];
    three.shownBoards = 3;
    panel.setPicture(three);
    ASSERT_TRUE(panel.isExpanded());
    const int allStrips = panel.maximumHeight();

    panel.collapseButton->click();
    EXPECT_EQ(panel.maximumHeight(), panel.collapsedHeight());
    EXPECT_LT(panel.maximumHeight(), allStrips - 2 * OltViewPanel::kStripHeight);

    panel.setAvailableHeight(300);
    panel.expandButton->click();
    EXPECT_EQ(panel.maximumHeight(), allStrips - OltViewPanel::kStripHeight);
}

TEST(OltViewWindow, RefusesToCloseWhileItHoldsThePictureUnlessTheProgramEnds)
{
    signal::OltViewWindow window;
    auto *panel = new OltViewPanel;
    QSignalSpy undock(panel, &OltViewPanel::undockRequested);
    window.host(panel);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(panel->window(), &window);

    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    panel->undockButton->click();
    EXPECT_EQ(undock.size(), 1);

    EXPECT_EQ(window.release(), panel);
    EXPECT_EQ(panel->parent(), nullptr);
    window.host(panel);
    window.setClosingAllowed(true);
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

namespace {

core::OntRecord ont(const QString &frame, const QString &slot, const QString &portNumber, const QString &id,
                    const QString &serial)
{
    core::OntRecord r;
    r.ponType = QStringLiteral("G.PON");
    r.frame = frame;
    r.slot = slot;
    r.port = portNumber;
    r.ontId = id;
    r.name = QStringLiteral("ont ") + serial;
    r.serialOrMac = serial;
    core::initBasicTexts(r, id, QString());
    r.image = core::RowImage::Online;
    r.basicImage = core::RowImage::Online;
    return r;
}

class AllOntWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { ui::DialogService::install(&dialogs); }
    void TearDown() override { ui::DialogService::install(nullptr); }

    QStringList listedSerials() const
    {
        QStringList s;
        for (int i = 0; i < window.rowCount(); ++i)
            s.append(window.entry(i).serialOrMac);
        return s;
    }

    ui::ScriptedDialogService dialogs;
    registry::OntList list;
    signal::AllOntWindow window{list};
};

} // namespace

TEST_F(AllOntWindowTest, AnActionReachesTheChosenOntWhereverTheReloadedListHoldsItOrNone)
{
    const core::OntRecord a = ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1"),
                                  QStringLiteral("AAAA0001"));
    const core::OntRecord b = ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"),
                                  QStringLiteral("BBBB0002"));
    const core::OntRecord otherPort = ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("4"),
                                          QStringLiteral("1"), QStringLiteral("CCCC0003"));
    const core::OntRecord otherFrame = ont(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("3"),
                                           QStringLiteral("3"), QStringLiteral("DDDD0004"));
    list.replaceAll({a, otherPort, b, otherFrame});

    window.showPort(1, 3);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(listedSerials(), (QStringList{QStringLiteral("AAAA0001"), QStringLiteral("BBBB0002")}));
    EXPECT_EQ(window.summaryTexts().value(0), QStringLiteral("All: 2"));

    using Request = void (signal::AllOntWindow::*)(int);
    struct Case
    {
        const char *name;
        QAction *action;
        Request signal;
    };
    for (const Case &c : {Case{"chart", window.chartAction, &signal::AllOntWindow::chartRequested},
                          Case{"diagnose", window.diagnoseAction, &signal::AllOntWindow::diagnoseRequested}}) {
        SCOPED_TRACE(c.name);
        list.replaceAll({a, otherPort, b, otherFrame});
        window.showPort(1, 3);
        window.selectRow(1);
        QSignalSpy requested(&window, c.signal);

        // Reloaded in another order: the action follows the ONT, not the row.
        list.replaceAll({otherFrame, a, otherPort, b});
        c.action->trigger();
        ASSERT_EQ(requested.size(), 1);
        EXPECT_EQ(requested.takeFirst().value(0).toInt(), 3);

        // Gone from the list: nothing is acted on, the operator is told.
        list.replaceAll({otherFrame, a, otherPort});
        dialogs.clear();
        c.action->trigger();
        EXPECT_TRUE(requested.isEmpty());
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad!"));
        EXPECT_EQ(dialogs.shown().first().text,
                  QStringLiteral("Tego ONT nie ma juz na liscie / This ONT is no longer in the list."));
    }
}

TEST_F(AllOntWindowTest, AWholeSlotListsThePortsInAnOutageFirst)
{
    list.replaceAll({ont(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1"),
                         QStringLiteral("P0A")),
                     ont(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("1"),
                         QStringLiteral("P5A")),
                     ont(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("2"),
                         QStringLiteral("P0B")),
                     ont(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("2"),
                         QStringLiteral("P5B"))});
    window.showPort(2, 0);
    window.wholeSlotBox->setChecked(true);
    window.listButton->click();
    const QStringList inListOrder{QStringLiteral("P0A"), QStringLiteral("P5A"), QStringLiteral("P0B"),
                                  QStringLiteral("P5B")};
    EXPECT_EQ(listedSerials(), inListOrder);

    window.setOutages({{QStringLiteral("0/2/5"), core::PortOutage{4, 4, QDateTime()}}});
    EXPECT_EQ(listedSerials(), (QStringList{QStringLiteral("P5A"), QStringLiteral("P5B"), QStringLiteral("P0A"),
                                            QStringLiteral("P0B")}));

    // One port is listed as it is, outage or not.
    window.showPort(2, 5);
    EXPECT_EQ(listedSerials(), (QStringList{QStringLiteral("P5A"), QStringLiteral("P5B")}));
}

TEST(CriticalSignalWindow, APortListsItsOnlineCriticalOntsUnderItsPlace)
{
    const auto read = [](core::OntRecord r, core::OpticalLevels levels, int image) {
        r.signalCell = core::tileDescriptionAfterReading(r.signalCell, levels, core::SignalThresholds{});
        r.basicImage = image;
        return r;
    };
    using core::OpticalLevels;
    using core::RowImage::Offline;
    using core::RowImage::Online;
    registry::OntList list;
    list.add(read(ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1"),
                      QStringLiteral("NORMAL13")),
                  OpticalLevels::of(-20, -22), Online));
    list.add(read(ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("2"),
                      QStringLiteral("WEAK13")),
                  OpticalLevels::of(-30, -22), Online));
    list.add(read(ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("3"),
                      QStringLiteral("GONE13")),
                  OpticalLevels::of(-31, -30), Offline));
    list.add(read(ont(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("1"),
                      QStringLiteral("WEAK14")),
                  OpticalLevels::of(-20, -33), Online));

    signal::CriticalSignalWindow w(list);
    struct Case
    {
        int slot, port;
        int rows;
        const char *place;
    };
    for (const Case &c : {Case{1, 3, 1, "0/1/3"}, Case{1, 4, 1, "0/1/4"}, Case{2, 0, 0, "//"}}) {
        SCOPED_TRACE(testing::Message() << c.slot << '/' << c.port);
        w.showPortCritical(QStringLiteral("0"), c.slot, c.port);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.rowCount(), c.rows);
        EXPECT_FALSE(w.placeLabel->isHidden());
        EXPECT_EQ(w.placeLabel->text(), QString::fromLatin1(c.place));
        EXPECT_EQ(w.panel->text(), QStringLiteral("Critical: %1!").arg(c.rows));
        EXPECT_EQ(w.windowTitle(), w.panel->text());
    }
    w.showPortCritical(QStringLiteral("0"), 1, 3);
    EXPECT_EQ(w.listView->model()->index(0, 3).data().toString(), core::cellText(list.record(1), core::BasicColumn::Name));

    // The all-critical use of the same class is unchanged.
    w.showCritical();
    EXPECT_EQ(w.rowCount(), 2);
    EXPECT_TRUE(w.placeLabel->isHidden());
    EXPECT_EQ(w.panel->text(), QStringLiteral("Critical Signal: 2!"));
}
