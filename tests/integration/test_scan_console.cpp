// The scanner inside the console: "Diagnostyka ont / Diagnose all" needs a
// working session, a pass started from the scanning window fills the
// counters strip, and the critical panel blinks until its list is opened.
#include "demo_console.h"
#include "listed_ont.h"

#include "core/signal_class.h"
#include "core/signal_counts.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "signal/critical_signal_window.h"
#include "signal/scan_controller.h"
#include "signal/scan_window.h"
#include "signal/signal_counts_controller.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using namespace tervix;

namespace {

class ScanInConsole : public test::DemoConsole
{};

TEST_F(ScanInConsole, DiagnoseAllNeedsASessionThenAPassFillsTheCountersAndTheCriticalList)
{
    app::MainWindow &w = start();
    w.diagnoseAllButton->click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_FALSE(w.scanWindow().isVisible());

    sim.settings().opticsDriftDb = 0;
    // At least two ONTs of slot 1 port 0 with a critical OLT level, one offline.
    auto &onts = sim.mutableModel().onts;
    int n = 0;
    for (auto &o : onts) {
        if (o.slot != 1 || o.port != 0)
            continue;
        if (n < 2)
            o.hw.optics.oltRx = -31;
        else if (n == 2)
            o.present = false;
        ++n;
    }
    ASSERT_TRUE(connectAndListWaiting(w));
    dialogs.clear();
    w.diagnoseAllButton->click();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(w.scanWindow().isVisible());

    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts) {
        if (o.slot == 1 && o.port == 0)
            rows.push_back(test::listedOnt(o));
    }
    w.ontList().replaceAll(rows);

    QSignalSpy finished(&w.scanner(), &signal::ScanController::passFinished);
    w.scanWindow().refreshButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() > 0; }, 60000)) << w.scanner().memo().toStdString();

    const core::SignalCounts counts = core::countSignals(w.ontList().rows());
    const core::SignalCaptions expected = core::signalCaptions(counts);
    EXPECT_GE(counts.critical, 2);
    EXPECT_GE(counts.offline, 1);
    registry::OntListPanel &panel = w.ontListPanel();
    EXPECT_EQ(panel.criticalCounter->text(), expected.critical);
    EXPECT_EQ(panel.offlineCounter->text(), expected.offline);
    EXPECT_EQ(panel.onlineCounter->text(), expected.online);
    EXPECT_EQ(panel.allCounter->text(), QStringLiteral("All: %1").arg(rows.size()));
    EXPECT_EQ(w.scanWindow().criticalCountLabel->text(), QStringLiteral(":%1").arg(counts.critical));
    EXPECT_TRUE(w.signalCounts().blinking());
    EXPECT_FALSE(panel.criticalListButton->isHidden());

    panel.criticalListButton->click();
    EXPECT_FALSE(w.signalCounts().blinking());
    EXPECT_EQ(w.signalCounts().criticalColour(), core::signal_colours::kCriticalPanel);
    EXPECT_TRUE(w.criticalWindow().isVisible());
    EXPECT_EQ(w.criticalWindow().rowCount(), counts.critical);
}

} // namespace
