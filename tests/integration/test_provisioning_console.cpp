// The whole console against the demo OLT: a waiting ONT authorised with the
// mouse alone, as the main window hosts the provisioning tab and form. The
// same walk runs against an OLT that answers cleanly and against ones whose
// output trickles in, arrives late or leaves out the echo of "quit".
#include "demo_console.h"

#include "core/ont_record.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_wiring.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace tervix;

namespace {

struct OltBehaviour
{
    const char *name;
    oltsim::Faults faults;
};

void PrintTo(const OltBehaviour &b, std::ostream *os)
{
    *os << b.name;
}

oltsim::Faults fragments()
{
    oltsim::Faults f;
    f.fragmentBytes = 12;
    f.fragmentDelayMs = 1;
    return f;
}

// Late answers, within what the console's quiet period (scaled) tolerates
// after the echo: a busy OLT takes a few hundred milliseconds per command.
oltsim::Faults slowAnswers()
{
    oltsim::Faults f;
    f.lineLatencyMs = 25;
    f.byteLatencyUs = 20;
    return f;
}

oltsim::Faults quitNotEchoed()
{
    oltsim::Faults f;
    f.noQuitEcho = true;
    return f;
}

class ProvisioningConsole : public test::DemoConsole, public ::testing::WithParamInterface<OltBehaviour>
{
protected:
    void SetUp() override
    {
        DemoConsole::SetUp();
        sim.setFaults(GetParam().faults);
    }
};

INSTANTIATE_TEST_SUITE_P(OltBehaviours, ProvisioningConsole,
                         ::testing::Values(OltBehaviour{"Clean", {}}, OltBehaviour{"SmallFragments", fragments()},
                                           OltBehaviour{"SlowAnswers", slowAnswers()},
                                           OltBehaviour{"QuitNotEchoed", quitNotEchoed()}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(ProvisioningConsole, WaitingOntAuthorisedWithTheMouse)
{
    app::MainWindow &w = start();
    ASSERT_TRUE(connectAndListWaiting(w));
    provisioning::UnauthorisedTab &tab = w.unauthorisedTab();
    provisioning::AddOntForm &form = w.addForm();
    EXPECT_TRUE(tab.refreshButton->isEnabled());

    int row = -1;
    ASSERT_TRUE(takeToTheForm(w, u"48575443DE135E2D", &row));
    const auto &rows = tab.model().rows();
    const int id = form.ontId->text().toInt();
    const int sp = form.servicePort[0]->text().toInt();

    QTest::mouseClick(form.servicePortEnabled[0], Qt::LeftButton, {}, QPoint(6, form.servicePortEnabled[0]->height() / 2));
    ASSERT_TRUE(form.servicePortEnabled[0]->isChecked());
    ASSERT_TRUE(form.addButton->isEnabled());
    QTest::mouseClick(form.addButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ontList().size() == 1 && w.session().pacer().isIdle(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.model().servicePort(sp) != nullptr; }, 20000));

    const oltsim::Ont *ont = sim.model().findOnt(0, 2, 3, id);
    ASSERT_NE(ont, nullptr);
    EXPECT_EQ(ont->sn, QStringLiteral("48575443DE135E2D"));
    EXPECT_EQ(ont->description, QStringLiteral("Klient1"));
    EXPECT_EQ(sim.model().servicePort(sp)->vlan, 1010);
    EXPECT_EQ(w.ontListPanel().title(), QStringLiteral("Autoryzowane koncowki: 1 "));
    EXPECT_EQ(rows[row].icon, provisioning::UnauthorisedModel::kIconAdded);
    QFile f(w.ontList().filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("48575443DE135E2D"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

} // namespace
