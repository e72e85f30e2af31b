// The OLT picture inside the console: the demo's boards and ports after a
// pass, and a port whose ONTs all drop at once shown as one outage, listed
// first in its slot's all-ONT view.
#include "demo_console.h"
#include "listed_ont.h"

#include "core/olt_picture.h"
#include "registry/ont_list.h"
#include "signal/all_ont_window.h"
#include "signal/olt_picture_controller.h"
#include "signal/olt_view_panel.h"
#include "signal/olt_view_window.h"
#include "signal/scan_controller.h"
#include "ui/colors.h"

#include <QSignalSpy>
#include <QCheckBox>
#include <QPushButton>
#include <QWidget>

using namespace tervix;

namespace {

class PictureInConsole : public test::DemoConsole
{
protected:
    bool runPass(app::MainWindow &w)
    {
        QSignalSpy finished(&w.scanner(), &signal::ScanController::passFinished);
        w.scanner().startPass();
        return QTest::qWaitFor([&] { return finished.count() > 0; }, 60000);
    }
};

TEST_F(PictureInConsole, APortWhoseOntsDropTogetherIsShownAsOneOutage)
{
    app::MainWindow &w = start();
    w.resize(1400, 1100);
    sim.settings().opticsDriftDb = 0;
    ASSERT_TRUE(connectAndListWaiting(w));
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts)
        rows.push_back(test::listedOnt(o));
    w.ontList().replaceAll(rows);
    ASSERT_TRUE(runPass(w));

    signal::OltViewPanel &panel = w.oltViewPanel();
    const core::OltPicture &picture = w.oltPicture().picture();
    EXPECT_TRUE(panel.isBoardShown(1));
    EXPECT_TRUE(panel.isBoardShown(3));
    EXPECT_FALSE(panel.isBoardShown(4));
    EXPECT_EQ(picture.boards[2].ports[0].total, 10);
    EXPECT_EQ(panel.shownPortCount(1), 8);
    EXPECT_TRUE(w.oltPicture().outages().isEmpty());
    const QString shots = qEnvironmentVariable("TERVIX_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        panel.grab().save(shots + QStringLiteral("/olt-picture.png"));

    // The splitter of port 0/2/0 dies: all its ten ONTs leave the fibre.
    int wereOnline = 0;
    for (auto &o : sim.mutableModel().onts)
        if (o.slot == 2 && o.port == 0) {
            wereOnline += o.online() ? 1 : 0;
            o.present = false;
        }
    ASSERT_GE(wereOnline, 4);
    ASSERT_TRUE(runPass(w));
    ASSERT_TRUE(w.oltPicture().outages().contains(QStringLiteral("0/2/0")));
    EXPECT_EQ(w.oltPicture().outages().size(), 1);
    EXPECT_EQ(panel.portColourNow(2, 0), ui::colorFromBgr(core::picture_colours::kOutage));
    EXPECT_TRUE(panel.portPanel(2, 0)->toolTip().contains(
        QStringLiteral("Port outage: %1 z/of 10 ONT offline").arg(wereOnline)))
        << panel.portPanel(2, 0)->toolTip().toStdString();

    if (!shots.isEmpty())
        panel.grab().save(shots + QStringLiteral("/olt-picture-outage.png"));

    // The slot's view lists the dead port first.
    signal::AllOntWindow &view = w.allOntWindow();
    view.showPort(2, 1);
    view.wholeSlotBox->setChecked(true);
    view.listButton->click();
    ASSERT_GT(view.rowCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(view.entry(i).port, QStringLiteral("0"));

    // Back on the fibre: the outage ends.
    for (auto &o : sim.mutableModel().onts)
        if (o.slot == 2 && o.port == 0)
            o.present = true;
    ASSERT_TRUE(runPass(w));
    EXPECT_TRUE(w.oltPicture().outages().isEmpty());
    EXPECT_NE(panel.portColourNow(2, 0), ui::colorFromBgr(core::picture_colours::kOutage));
}

} // namespace

namespace {

TEST_F(PictureInConsole, TheUndockedPictureRefusesToCloseButTheProgramStillEnds)
{
    app::MainWindow &w = start();
    signal::OltViewPanel &panel = w.oltViewPanel();
    signal::OltViewWindow &window = w.oltViewWindow();
    panel.undockButton->click();
    EXPECT_EQ(window.hosted(), nullptr) << "no picture of its own without a working session";

    ASSERT_TRUE(connectAndListWaiting(w));
    panel.undockButton->click();
    ASSERT_EQ(window.hosted(), &panel);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());

    panel.undockButton->click();
    EXPECT_EQ(window.hosted(), nullptr);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(panel.window(), &w);

    panel.undockButton->click();
    ASSERT_TRUE(window.isVisible());
    QSignalSpy ended(&w, &app::MainWindow::closeAccepted);
    w.close();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

} // namespace
