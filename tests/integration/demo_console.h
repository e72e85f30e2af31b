#pragma once

#include "../gui/console_fixture.h"

#include "provisioning/add_ont_form.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "simulator.h"
#include "test_paths.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

namespace tervix::test {

// The whole console against oltsim serving the demo scenario, logged in as
// the demo's operator.
class DemoConsole : public ConsoleFixture
{
protected:
    static constexpr int kWaitingOnts = 5; // in the demo's autofind table

    void SetUp() override
    {
        ConsoleFixture::SetUp();
        ASSERT_TRUE(sim.loadFile(sourceDir() + QStringLiteral("/tools/oltsim/scenarios/demo.json")))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.listen());
        // A transcript of what the OLT received, for comparing the dialogue of two builds.
        if (const QString path = qEnvironmentVariable("TERVIX_TEST_TRANSCRIPT"); !path.isEmpty()) {
            ASSERT_TRUE(sim.setTranscriptFile(path));
        }
    }

    app::MainWindow &start()
    {
        return startConsole(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()), QStringLiteral("admin"),
                            QStringLiteral("admin123"));
    }

    // Shows the window, presses "Polacz" and waits for the working session
    // to have listed every waiting ONT.
    ::testing::AssertionResult connectAndListWaiting(app::MainWindow &w)
    {
        w.show();
        w.connectToOlt();
        if (QTest::qWaitFor(
                [&] { return w.login().sessionReady() && w.unauthorisedTab().model().rowCount() == kWaitingOnts; },
                30000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << w.outputMemo->toPlainText().toStdString();
    }

    // Selects the waiting ONT with this SN and presses "Dodaj jako nowe";
    // succeeds once the form holds the proposals.
    ::testing::AssertionResult takeToTheForm(app::MainWindow &w, QStringView sn, int *rowOut = nullptr)
    {
        provisioning::UnauthorisedTab &tab = w.unauthorisedTab();
        const auto &rows = tab.model().rows();
        int row = 0;
        while (row < rows.size() && rows[row].ont.serialOrMac != sn)
            ++row;
        if (row == rows.size())
            return ::testing::AssertionFailure() << "not waiting: " << sn.toString().toStdString();
        tab.unauthorisedView->selectionModel()->select(tab.model().index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tab.addAsNewAction->trigger();
        const provisioning::AddOntForm &form = w.addForm();
        if (!QTest::qWaitFor(
                [&] {
                    return provisioning::AddOntForm::colour(form.ontId) == provisioning::AddOntForm::kProposalColour
                        && w.engine().pending() == session::StepEngine::kNoStep && w.session().pacer().isIdle();
                },
                20000))
            return ::testing::AssertionFailure() << w.outputMemo->toPlainText().toStdString();
        if (rowOut)
            *rowOut = row;
        return ::testing::AssertionSuccess();
    }

    oltsim::Simulator sim;
};

} // namespace tervix::test
