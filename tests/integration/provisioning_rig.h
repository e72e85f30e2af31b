#pragma once

#include "app/olt_login_controller.h"
#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_wiring.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"
#include "simulator.h"
#include "test_paths.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QLineEdit>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace tervix::test {

// The console's provisioning half wired to its session and login by the
// same ProvisioningWiring the main window uses, against the simulated OLT of
// the demo, with scripted dialogs and the timings scaled down.
class ProvisioningRig : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.1);
        ui::DialogService::install(&dialogs);
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(sim.loadFile(sourceDir() + QStringLiteral("/tools/oltsim/scenarios/demo.json")))
            << sim.error().toStdString();
        ASSERT_TRUE(sim.listen(QHostAddress::LocalHost));

        session = std::make_unique<session::OltSession>(timing::kQuietMs);
        engine = std::make_unique<session::StepEngine>(*session, &trace);
        login = std::make_unique<app::OltLoginController>(*session, *engine, trace, dir.path() + u'/');
        list = std::make_unique<registry::OntList>(&trace);
        window = std::make_unique<QWidget>();
        auto *column = new QVBoxLayout(window.get());
        form = new provisioning::AddOntForm(window.get());
        tab = new provisioning::UnauthorisedTab(window.get());
        column->addWidget(form);
        column->addWidget(tab);
        wiring = std::make_unique<provisioning::ProvisioningWiring>(*session, *engine, *list, *tab, *form, &trace);
        wiring->connectLogin(*login);
        QObject::connect(login.get(), &app::OltLoginController::ontListLoadRequested, list.get(),
                         [this](const QString &appDir, const QString &key) { list->load(appDir, key); });
        window->resize(1000, 700);
        window->show();
    }
    void TearDown() override
    {
        wiring.reset();
        window.reset();
        list.reset();
        login.reset();
        engine.reset();
        session.reset();
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }

    // Logs in as the demo's operator and waits for the waiting ONTs.
    void connectAndList()
    {
        login->connectToOlt({QStringLiteral("127.0.0.1:%1").arg(sim.serverPort()), QStringLiteral("admin"),
                             QStringLiteral("admin123"), false});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return login->sessionReady() && tab->model().rowCount() > 0 && idle(); }, 20000));
    }

    bool idle() const
    {
        return engine->pending() == session::StepEngine::kNoStep && session->pacer().isIdle()
            && !wiring->adding().batchInProgress();
    }

    int rowOf(const QString &serialOrMac) const
    {
        const auto &rows = tab->model().rows();
        for (int i = 0; i < rows.size(); ++i) {
            if (rows[i].ont.serialOrMac == serialOrMac)
                return i;
        }
        return -1;
    }

    // "Dodaj jako nowe" on the row, then the proposals of the OLT.
    void takeAsNew(const QString &serialOrMac)
    {
        const int row = rowOf(serialOrMac);
        ASSERT_GE(row, 0) << serialOrMac.toStdString();
        tab->unauthorisedView->selectionModel()->select(tab->model().index(row, 0),
                                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tab->addAsNewAction->trigger();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return provisioning::AddOntForm::colour(form->ontId) == provisioning::AddOntForm::kProposalColour
                    && idle();
            },
            20000));
    }

    ui::ScriptedDialogService dialogs;
    QTemporaryDir dir;
    oltsim::Simulator sim;
    session::TraceLog trace;
    std::unique_ptr<session::OltSession> session;
    std::unique_ptr<session::StepEngine> engine;
    std::unique_ptr<app::OltLoginController> login;
    std::unique_ptr<registry::OntList> list;
    std::unique_ptr<QWidget> window;
    provisioning::AddOntForm *form = nullptr;
    provisioning::UnauthorisedTab *tab = nullptr;
    std::unique_ptr<provisioning::ProvisioningWiring> wiring;
};

} // namespace tervix::test
