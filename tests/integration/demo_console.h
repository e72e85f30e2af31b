#pragma once

#include "../gui/console_fixture.h"

#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "simulator.h"
#include "test_paths.h"

#include <QPlainTextEdit>
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
    }

    app::Tanc1 &start()
    {
        return startConsole(QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()), QStringLiteral("admin"),
                            QStringLiteral("admin123"));
    }

    // Shows the window, presses "Polacz" and waits for the working session
    // to have listed every waiting ONT.
    ::testing::AssertionResult connectAndListWaiting(app::Tanc1 &w)
    {
        w.show();
        w.bt_polaczClick();
        if (QTest::qWaitFor(
                [&] { return w.login().sessionReady() && w.unauthorisedTab().model().rowCount() == kWaitingOnts; },
                30000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << w.Memo1->toPlainText().toStdString();
    }

    oltsim::Simulator sim;
};

} // namespace tervix::test
