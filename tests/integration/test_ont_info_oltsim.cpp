// "Diagnozuj / Info / Reboot" against the demo OLT: what the panel shows is
// what the simulator holds about the ONT, an offline ONT shows "off", and a
// run that cannot finish ends with its reason and leaves the panel usable.
#include "demo_console.h"

#include "core/ont_info.h"
#include "core/ont_record.h"
#include "registry/ont_info_controller.h"
#include "registry/ont_info_panel.h"
#include "registry/ont_list.h"
#include "session/main_steps.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

using namespace tervix;

namespace {

class OntInfoOnOltsim : public test::DemoConsole
{
protected:
    void SetUp() override
    {
        DemoConsole::SetUp();
        sim.settings().opticsDriftDb = 0;
        w = &start();
        ASSERT_TRUE(connectAndListWaiting(*w));
        ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 10000));
    }

    bool idle() const
    {
        return w->engine().pending() == session::StepEngine::kNoStep && w->session().pacer().isIdle()
            && !w->ontInfo().running();
    }

    // A GPON ONT of the simulator with service ports, online or not.
    const oltsim::Ont *pickOnt(bool online) const
    {
        for (const oltsim::Ont &o : sim.model().onts) {
            if (o.epon || o.online() != online)
                continue;
            for (const oltsim::ServicePort &sp : sim.model().servicePorts) {
                if (sp.frame == o.frame && sp.slot == o.slot && sp.port == o.port && sp.ont == o.id)
                    return &o;
            }
        }
        return nullptr;
    }

    int listOnt(const oltsim::Ont &o, const QString &ponType = QStringLiteral("G.PON"))
    {
        core::OntRecord r;
        r.ponType = ponType;
        r.frame = QString::number(o.frame);
        r.slot = QString::number(o.slot);
        r.port = QString::number(o.port);
        r.ontId = QString::number(o.id);
        r.name = o.description;
        r.serialOrMac = o.sn;
        return w->ontList().add(r);
    }

    int servicePortsOf(const oltsim::Ont &o) const
    {
        int n = 0;
        for (const oltsim::ServicePort &sp : sim.model().servicePorts)
            n += sp.frame == o.frame && sp.slot == o.slot && sp.port == o.port && sp.ont == o.id;
        return n;
    }

    ::testing::AssertionResult runFor(int row)
    {
        w->showOntInfo(row);
        if (!w->ontInfo().running())
            return ::testing::AssertionFailure() << "no run started";
        if (!QTest::qWaitFor([&] { return idle(); }, 30000))
            return ::testing::AssertionFailure() << w->outputMemo->toPlainText().toStdString();
        return ::testing::AssertionSuccess();
    }

    static double levelOf(const QLabel *l) { return l->text().toDouble(); }

    app::MainWindow *w = nullptr;
};

TEST_F(OntInfoOnOltsim, AnOnlineOntShowsWhatTheOltHolds)
{
    const oltsim::Ont *o = pickOnt(true);
    ASSERT_NE(o, nullptr);
    const int row = listOnt(*o);
    ASSERT_TRUE(runFor(row));
    registry::OntInfoPanel &p = w->ontInfoPanel();
    EXPECT_TRUE(p.isVisible());
    EXPECT_FALSE(p.errorLabel->isVisible()) << p.errorLabel->text().toStdString();
    EXPECT_EQ(p.progressGauge->value(), 4);
    EXPECT_EQ(p.stateLabel->text(), QStringLiteral("online!"));
    EXPECT_EQ(p.distanceLabel->text(), QString::number(o->hw.distance) + QStringLiteral(" metr(ow)"));
    EXPECT_NEAR(levelOf(p.ontRxLabel), o->hw.optics.ontRx, 0.01) << p.ontRxLabel->text().toStdString();
    EXPECT_NEAR(levelOf(p.ontTxLabel), o->hw.optics.ontTx, 0.01) << p.ontTxLabel->text().toStdString();
    EXPECT_NEAR(levelOf(p.oltRxLabel), o->hw.optics.oltRx, 0.01) << p.oltRxLabel->text().toStdString();
    EXPECT_NEAR(levelOf(p.temperatureLabel), o->hw.optics.temperature, 0.5) << p.temperatureLabel->text().toStdString();
    EXPECT_EQ(p.ontRxGauge->value(), *core::signalLevel(p.ontRxLabel->text()));
    EXPECT_EQ(p.servicePortsView->topLevelItemCount(), servicePortsOf(*o));
    EXPECT_EQ(p.macsView->topLevelItemCount(), o->hw.macs.size());
    EXPECT_EQ(p.macCountLabel->text(), QString::number(o->hw.macs.size()));
    EXPECT_TRUE(p.refreshButton->isEnabled());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(OntInfoOnOltsim, AnOpticalAnswerThatPausesHalfwayIsWaitedFor)
{
    const oltsim::Ont *o = pickOnt(true);
    ASSERT_NE(o, nullptr);
    const int row = listOnt(*o);
    // The OLT falls quiet after the bias line for longer than the console's
    // quiet period: the first look finds no temperature yet.
    sim.setPauseAfter(QStringLiteral("Laser bias current(mA)"), 250);
    int diagnosisSteps = 0;
    QObject::connect(&w->engine(), &session::StepEngine::stepRan, [&](int code) {
        diagnosisSteps += code == session::MainStep::kOntDiagnosis;
    });
    ASSERT_TRUE(runFor(row));
    registry::OntInfoPanel &p = w->ontInfoPanel();
    EXPECT_FALSE(p.errorLabel->isVisible()) << p.errorLabel->text().toStdString();
    EXPECT_NEAR(levelOf(p.temperatureLabel), o->hw.optics.temperature, 0.5) << p.temperatureLabel->text().toStdString();
    EXPECT_GT(diagnosisSteps, 3); // service ports, MACs, and more than one look at the optics
}

TEST_F(OntInfoOnOltsim, AnOfflineOntShowsOffWithEmptyGauges)
{
    const oltsim::Ont *o = pickOnt(false);
    if (!o) {
        oltsim::Ont *online = const_cast<oltsim::Ont *>(pickOnt(true));
        ASSERT_NE(online, nullptr);
        sim.mutableModel().findOnt(online->frame, online->slot, online->port, online->id)->present = false;
        o = online;
    }
    const int row = listOnt(*o);
    ASSERT_TRUE(runFor(row));
    registry::OntInfoPanel &p = w->ontInfoPanel();
    EXPECT_EQ(p.stateLabel->text(), QStringLiteral("offline!"));
    for (const QLabel *l : {p.ontRxLabel, p.ontTxLabel, p.oltRxLabel, p.biasLabel, p.temperatureLabel})
        EXPECT_EQ(l->text(), QStringLiteral("off"));
    for (const QProgressBar *g : {p.ontRxGauge, p.ontTxGauge, p.oltRxGauge, p.temperatureGauge})
        EXPECT_EQ(g->value(), g->minimum());
    EXPECT_EQ(p.servicePortsView->topLevelItemCount(), servicePortsOf(*o));
    EXPECT_TRUE(p.refreshButton->isEnabled());
}

TEST_F(OntInfoOnOltsim, ARunThatCannotFinishEndsWithItsReasonAndThePanelWorksAgain)
{
    const oltsim::Ont *o = pickOnt(true);
    ASSERT_NE(o, nullptr);
    registry::OntInfoPanel &p = w->ontInfoPanel();

    // An error answer: the ONT's slot asked for as EPON, so the optical
    // listing is refused and never completes.
    const int wrongType = listOnt(*o, QStringLiteral("E.PON"));
    ASSERT_TRUE(runFor(wrongType));
    EXPECT_TRUE(p.errorLabel->isVisible());
    EXPECT_FALSE(p.errorLabel->text().isEmpty());
    EXPECT_TRUE(p.refreshButton->isEnabled());

    // Another request takes the engine's slot in the middle of a run.
    w->showOntInfo(listOnt(*o));
    ASSERT_TRUE(w->ontInfo().running());
    w->engine().arm(session::MainStep::kServiceProfiles);
    EXPECT_FALSE(w->ontInfo().running());
    EXPECT_TRUE(p.errorLabel->text().contains(QStringLiteral("Interrupted"))) << p.errorLabel->text().toStdString();
    EXPECT_TRUE(p.refreshButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 20000));

    // The line drops in the middle of a run.
    const int row = listOnt(*o);
    sim.setDropAfterCommands(1);
    w->showOntInfo(row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w->ontInfo().running(); }, 20000));
    EXPECT_TRUE(p.errorLabel->isVisible());
    EXPECT_TRUE(p.errorLabel->text().contains(QStringLiteral("dropped"))) << p.errorLabel->text().toStdString();
    EXPECT_TRUE(p.refreshButton->isEnabled());

    // After a new login (which loads the list afresh) the same panel runs to the end.
    sim.setDropAfterCommands(-1);
    dialogs.clear();
    w->connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->login().sessionReady() && idle(); }, 30000));
    w->showOntInfo(listOnt(*o));
    ASSERT_TRUE(w->ontInfo().running());
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 30000));
    EXPECT_FALSE(p.errorLabel->isVisible()) << p.errorLabel->text().toStdString() << w->outputMemo->toPlainText().toStdString();
    EXPECT_EQ(p.stateLabel->text(), QStringLiteral("online!"));
    EXPECT_EQ(p.progressGauge->value(), 4);
}

TEST_F(OntInfoOnOltsim, FromTheAllOntViewThePanelOpensInAWindowOfItsOwnUntilTheListAsksAgain)
{
    const oltsim::Ont *o = pickOnt(true);
    ASSERT_NE(o, nullptr);
    const int row = listOnt(*o);
    registry::OntInfoPanel &p = w->ontInfoPanel();
    QWidget *mainArea = p.parentWidget();

    w->showOntInfo(row, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 30000));
    ASSERT_NE(p.parentWidget(), mainArea);
    EXPECT_TRUE(p.window()->isVisible());
    EXPECT_NE(p.window(), w);
    EXPECT_EQ(p.stateLabel->text(), QStringLiteral("online!"));

    w->showOntInfo(row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 30000));
    EXPECT_EQ(p.parentWidget(), mainArea);
    EXPECT_EQ(p.window(), w);
}

} // namespace
