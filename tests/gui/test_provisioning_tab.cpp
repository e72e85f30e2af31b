#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_wiring.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "test_paths.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace tervix;
using provisioning::AddOntForm;
using provisioning::ProvisioningWiring;
using provisioning::UnauthorisedModel;
using provisioning::UnauthorisedTab;

namespace {

using tervix::test::crlf;

// The tab and the form wired to their controllers, without an OLT: nothing typed
// here reaches anyone.
class ProvisioningTab : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.1);
        ui::DialogService::install(&dialogs);
        session = std::make_unique<session::OltSession>(timing::kQuietMs);
        engine = std::make_unique<session::StepEngine>(*session, nullptr);
        list = std::make_unique<registry::OntList>();
        window = std::make_unique<QWidget>();
        auto *column = new QVBoxLayout(window.get());
        form = new AddOntForm(window.get());
        tab = new UnauthorisedTab(window.get());
        column->addWidget(form);
        column->addWidget(tab);
        wiring = std::make_unique<ProvisioningWiring>(*session, *engine, *list, *tab, *form);
        wiring->hooks().sessionReady = [this] { return ready; };
        window->show();
    }
    void TearDown() override
    {
        wiring.reset();
        window.reset();
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }

    void select(int row)
    {
        tab->unauthorisedView->selectionModel()->select(tab->model().index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    ui::ScriptedDialogService dialogs;
    std::unique_ptr<session::OltSession> session;
    std::unique_ptr<session::StepEngine> engine;
    std::unique_ptr<registry::OntList> list;
    std::unique_ptr<QWidget> window;
    AddOntForm *form = nullptr;
    UnauthorisedTab *tab = nullptr;
    std::unique_ptr<ProvisioningWiring> wiring;
    bool ready = false;
};

TEST_F(ProvisioningTab, ListBlinksUntilEveryOntIsDealtWith)
{
    wiring->unauthorised().parseAutofind(crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt"))));
    EXPECT_EQ(tab->countLabel->text(), QStringLiteral("Nieautoryzowane koncowki!: [2]"));
    ASSERT_TRUE(tab->isBlinking());
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->listColour() == UnauthorisedTab::kBlinkColour; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->listColour() == UnauthorisedTab::kListColour; }, 5000));

    // The sibling program's lookup: MAC/SN then port, only for ONTs not yet added.
    const QString key = QStringLiteral("4857544311E70E9A0/1/0");
    EXPECT_TRUE(wiring->unauthorised().isWaitingUnauthorised(key));
    wiring->unauthorised().markAdded(QStringLiteral("4857544311e70e9a"));  // exact comparison: no row
    EXPECT_EQ(tab->model().rows().at(0).icon, UnauthorisedModel::kIconFound);
    wiring->unauthorised().markAdded(QStringLiteral("4857544311E70E9A"));
    EXPECT_EQ(tab->model().rows().at(0).icon, UnauthorisedModel::kIconAdded);
    EXPECT_FALSE(wiring->unauthorised().isWaitingUnauthorised(key));

    // Nothing waiting: no blinking, an empty list.
    tab->stopBlinking();
    wiring->unauthorised().parseAutofind(QStringLiteral("\r\n  Failure: There is no autofind ONT\r\n"));
    EXPECT_EQ(tab->model().rowCount(), 0);
    EXPECT_EQ(tab->countLabel->text(), QStringLiteral("Nieautoryzowane koncowki!: [0]"));
    EXPECT_FALSE(tab->isBlinking());
}

TEST_F(ProvisioningTab, MenuEntriesNeedASessionAndCopyTheRow)
{
    const QString sep = QStringLiteral("   ----------------------------------------------------------------------------\r\n");
    wiring->unauthorised().parseAutofind(
        crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc1.txt"))) + u'\n' + sep
        + QStringLiteral("   F/S/P               : 7\r\n   Ont MAC             : 00E0-FC12-3456\r\n"
                         "   Ont autofind time   : 2016-03-12 02:33:42+08:00\r\n")
        + sep);
    ASSERT_EQ(tab->model().rowCount(), 2);

    select(0);
    tab->addAsNewAction->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
    EXPECT_TRUE(tab->isBlinking());

    ready = true;
    tab->copyToFormAction->trigger();
    EXPECT_FALSE(tab->isBlinking());
    EXPECT_EQ(form->serialOrMac->text(), QStringLiteral("12345678A12BC3AB"));
    EXPECT_EQ(form->frame->text() + u'|' + form->slot->text() + u'|' + form->port->text(), QStringLiteral("0|0|0"));
    EXPECT_EQ(form->ponType->currentText(), QStringLiteral("G.PON"));
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("1"));
    EXPECT_EQ(form->ontId->text(), QStringLiteral("Auto"));
    EXPECT_EQ(engine->pending(), session::StepEngine::kNoStep);

    select(1);
    tab->copyToFormAction->trigger();
    EXPECT_EQ(form->ponType->currentText(), QStringLiteral("E.PON"));
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("101"));
    EXPECT_EQ(form->frame->text() + u'|' + form->slot->text() + u'|' + form->port->text(), QStringLiteral("||7"));
    EXPECT_EQ(dialogs.shown().size(), 1);
}

TEST_F(ProvisioningTab, PeriodicRefreshCountsFromTheLastOltActivity)
{
    tab->autoRefreshMinutes->setValue(3);
    wiring->unauthorised().onKeepAlive();
    EXPECT_TRUE(wiring->unauthorised().periodicRefreshTimer().isActive());
    EXPECT_EQ(wiring->unauthorised().periodicRefreshTimer().interval(), timing::scaled(3 * 60'000));
    tab->autoRefresh->setChecked(false);
    wiring->unauthorised().onKeepAlive();
    EXPECT_FALSE(wiring->unauthorised().periodicRefreshTimer().isActive());
}

TEST_F(ProvisioningTab, ClearingKeepsThePlaceAndReEnablesTheAddButtonLater)
{
    form->setPonType(1);
    form->name->setText(QStringLiteral("Klient7"));
    form->slot->setText(QStringLiteral("3"));
    form->ontId->setText(QStringLiteral("9"));
    AddOntForm::paint(form->ontId, AddOntForm::kProposalColour);
    form->serialOrMac->setText(QStringLiteral("00E0-FC12-3456"));
    form->catvEnabled->setChecked(true);
    form->igmp[1]->setChecked(true);
    form->activeState->setCurrentIndex(1);
    form->editedRow = 4;
    form->addButton->setEnabled(false);
    ready = true;

    wiring->adding().clearAddForm();
    EXPECT_EQ(form->ontId->text(), QStringLiteral("Auto"));
    EXPECT_EQ(AddOntForm::colour(form->ontId), -1);
    EXPECT_EQ(form->servicePort[0]->text(), QStringLiteral("Auto"));
    EXPECT_EQ(form->servicePort[2]->text(), QStringLiteral("Auto+1"));
    EXPECT_TRUE(form->serialOrMac->text().isEmpty());
    EXPECT_FALSE(form->catvEnabled->isChecked() || form->igmp[1]->isChecked() || form->servicePortEnabled[0]->isChecked());
    EXPECT_EQ(form->activeState->currentIndex(), 0);
    EXPECT_EQ(form->editedRow, -1);
    // Place, name, type and profiles stay for the next ONT.
    EXPECT_EQ(form->slot->text(), QStringLiteral("3"));
    EXPECT_EQ(form->name->text(), QStringLiteral("Klient7"));
    EXPECT_EQ(form->ponType->currentIndex(), 1);
    EXPECT_FALSE(form->addButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->addButton->isEnabled(); }, 5000));

    // Back to no type: nothing can be added and no profile asked for.
    form->setPonType(0);
    EXPECT_FALSE(form->addButton->isEnabled() || form->lineProfilesButton->isEnabled() || form->serviceProfilesButton->isEnabled());
}

} // namespace
