#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_controller.h"
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
using provisioning::ProvisioningController;
using provisioning::UnauthorisedModel;
using provisioning::UnauthorisedTab;

namespace {

using tervix::test::crlf;

// The tab and the form with their controller, without an OLT: nothing typed
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
        controller = std::make_unique<ProvisioningController>(*session, *engine, *list, *tab, *form);
        controller->hooks().sessionReady = [this] { return ready; };
        window->show();
    }
    void TearDown() override
    {
        controller.reset();
        window.reset();
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }

    void select(int row)
    {
        tab->lv2->selectionModel()->select(tab->model().index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    ui::ScriptedDialogService dialogs;
    std::unique_ptr<session::OltSession> session;
    std::unique_ptr<session::StepEngine> engine;
    std::unique_ptr<registry::OntList> list;
    std::unique_ptr<QWidget> window;
    AddOntForm *form = nullptr;
    UnauthorisedTab *tab = nullptr;
    std::unique_ptr<ProvisioningController> controller;
    bool ready = false;
};

TEST_F(ProvisioningTab, ListBlinksUntilEveryOntIsDealtWith)
{
    controller->czytaj_nielegalne(crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt"))));
    EXPECT_EQ(tab->Label12->text(), QStringLiteral("Nieautoryzowane koncowki!: [2]"));
    ASSERT_TRUE(tab->miga());
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->kolorListy() == UnauthorisedTab::kKolorMigniecia; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->kolorListy() == UnauthorisedTab::kKolorTla; }, 5000));

    // The sibling program's lookup: MAC/SN then port, only for ONTs not yet added.
    const QString key = QStringLiteral("4857544311E70E9A0/1/0");
    EXPECT_TRUE(controller->a1_sprawdz_czy_istnieje_nieautoryzowany(key));
    controller->odznacz_nielegalne(QStringLiteral("4857544311e70e9a"));  // exact comparison: no row
    EXPECT_EQ(tab->model().wiersze().at(0).ikona, UnauthorisedModel::kIkonaZnaleziony);
    controller->odznacz_nielegalne(QStringLiteral("4857544311E70E9A"));
    EXPECT_EQ(tab->model().wiersze().at(0).ikona, UnauthorisedModel::kIkonaDodany);
    EXPECT_FALSE(controller->a1_sprawdz_czy_istnieje_nieautoryzowany(key));

    // Nothing waiting: no blinking, an empty list.
    tab->stopMigania();
    controller->czytaj_nielegalne(QStringLiteral("\r\n  Failure: There is no autofind ONT\r\n"));
    EXPECT_EQ(tab->model().rowCount(), 0);
    EXPECT_EQ(tab->Label12->text(), QStringLiteral("Nieautoryzowane koncowki!: [0]"));
    EXPECT_FALSE(tab->miga());
}

TEST_F(ProvisioningTab, MenuEntriesNeedASessionAndCopyTheRow)
{
    const QString sep = QStringLiteral("   ----------------------------------------------------------------------------\r\n");
    controller->czytaj_nielegalne(
        crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc1.txt"))) + u'\n' + sep
        + QStringLiteral("   F/S/P               : 7\r\n   Ont MAC             : 00E0-FC12-3456\r\n"
                         "   Ont autofind time   : 2016-03-12 02:33:42+08:00\r\n")
        + sep);
    ASSERT_EQ(tab->model().rowCount(), 2);

    select(0);
    tab->Dodaj1->trigger();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
    EXPECT_TRUE(tab->miga());

    ready = true;
    tab->ylkokopjujdoedycji1->trigger();
    EXPECT_FALSE(tab->miga());
    EXPECT_EQ(form->a_mac->text(), QStringLiteral("12345678A12BC3AB"));
    EXPECT_EQ(form->a_buda->text() + u'|' + form->a_karta->text() + u'|' + form->a_port->text(), QStringLiteral("0|0|0"));
    EXPECT_EQ(form->a_typ->currentText(), QStringLiteral("G.PON"));
    EXPECT_EQ(form->a_lineprofile->text(), QStringLiteral("1"));
    EXPECT_EQ(form->a_id->text(), QStringLiteral("Auto"));
    EXPECT_EQ(engine->pending(), session::StepEngine::kNoStep);

    select(1);
    tab->ylkokopjujdoedycji1->trigger();
    EXPECT_EQ(form->a_typ->currentText(), QStringLiteral("E.PON"));
    EXPECT_EQ(form->a_lineprofile->text(), QStringLiteral("101"));
    EXPECT_EQ(form->a_buda->text() + u'|' + form->a_karta->text() + u'|' + form->a_port->text(), QStringLiteral("||7"));
    EXPECT_EQ(dialogs.shown().size(), 1);
}

TEST_F(ProvisioningTab, PeriodicRefreshCountsFromTheLastOltActivity)
{
    tab->sp_nieautoryzowane_min->setValue(3);
    controller->naPodtrzymanie();
    EXPECT_TRUE(controller->tim_nieautoryzowane().isActive());
    EXPECT_EQ(controller->tim_nieautoryzowane().interval(), timing::scaled(3 * 60'000));
    tab->automatycznie_nieautoryzowane->setChecked(false);
    controller->naPodtrzymanie();
    EXPECT_FALSE(controller->tim_nieautoryzowane().isActive());
}

TEST_F(ProvisioningTab, ClearingKeepsThePlaceAndReEnablesTheAddButtonLater)
{
    form->ustawTyp(1);
    form->a_nazwa->setText(QStringLiteral("Klient7"));
    form->a_karta->setText(QStringLiteral("3"));
    form->a_id->setText(QStringLiteral("9"));
    AddOntForm::maluj(form->a_id, AddOntForm::kKolorPropozycji);
    form->a_mac->setText(QStringLiteral("00E0-FC12-3456"));
    form->czy_catv->setChecked(true);
    form->czy_igmp[1]->setChecked(true);
    form->a1e_dodaj_czy_aktywny->setCurrentIndex(1);
    form->tagDodaj = 4;
    form->bt_dodaj_egpon->setEnabled(false);
    ready = true;

    controller->czysc_dodawanie_ont();
    EXPECT_EQ(form->a_id->text(), QStringLiteral("Auto"));
    EXPECT_EQ(AddOntForm::kolor(form->a_id), -1);
    EXPECT_EQ(form->a_serviceport[0]->text(), QStringLiteral("Auto"));
    EXPECT_EQ(form->a_serviceport[2]->text(), QStringLiteral("Auto+1"));
    EXPECT_TRUE(form->a_mac->text().isEmpty());
    EXPECT_FALSE(form->czy_catv->isChecked() || form->czy_igmp[1]->isChecked() || form->czy_vlan[0]->isChecked());
    EXPECT_EQ(form->a1e_dodaj_czy_aktywny->currentIndex(), 0);
    EXPECT_EQ(form->tagDodaj, -1);
    // Place, name, type and profiles stay for the next ONT.
    EXPECT_EQ(form->a_karta->text(), QStringLiteral("3"));
    EXPECT_EQ(form->a_nazwa->text(), QStringLiteral("Klient7"));
    EXPECT_EQ(form->a_typ->currentIndex(), 1);
    EXPECT_FALSE(form->bt_dodaj_egpon->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->bt_dodaj_egpon->isEnabled(); }, 5000));

    // Back to no type: nothing can be added and no profile asked for.
    form->ustawTyp(0);
    EXPECT_FALSE(form->bt_dodaj_egpon->isEnabled() || form->bt_profil1->isEnabled() || form->bt_profil2->isEnabled());
}

} // namespace
