#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/add_form_view.h"
#include "provisioning/add_ont_controller.h"
#include "provisioning/controller_context.h"
#include "provisioning/provisioning_wiring.h"
#include "provisioning/unauthorised_controller.h"
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

#include <map>

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->listColour() == UnauthorisedTab::kBlinkColour; }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tab->listColour() == UnauthorisedTab::kListColour; }, 20000));

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->addButton->isEnabled(); }, 20000));

    // Back to no type: nothing can be added and no profile asked for.
    form->setPonType(0);
    EXPECT_FALSE(form->addButton->isEnabled() || form->lineProfilesButton->isEnabled() || form->serviceProfilesButton->isEnabled());
}

// The form as a plain record: the controllers run with no widget at all.
class RecordedForm : public provisioning::AddFormView
{
public:
    core::AddOntValues values() const override { return shown; }
    QString ponTypeText() const override { return shown.ponTypeText(); }
    int editedRowIndex() const override { return -1; }
    void setPonType(int index) override { shown.ponTypeIndex = index; }
    void setFieldText(core::FieldRef field, const QString &text) override
    {
        texts[key(field)] = text;
        if (field.field == core::Field::SerialOrMac)
            shown.mac = text;
    }
    void paintField(core::FieldRef field, int bgr) override { colours[key(field)] = bgr; }
    void resetFieldColour(core::FieldRef field) override { colours.erase(key(field)); }
    void setActiveState(int) override {}
    void focusName() override { ++nameFocused; }
    void clearForNextOnt() override { ++cleared; }
    void setAddEnabled(bool enabled) override { addEnabled = enabled; }
    void setProfilesButtonEnabled(core::ProfileKind, bool) override {}

    static std::pair<int, int> key(core::FieldRef f) { return {int(f.field), f.row}; }

    core::AddOntValues shown;
    std::map<std::pair<int, int>, QString> texts;
    std::map<std::pair<int, int>, int> colours;
    int nameFocused = 0;
    int cleared = 0;
    bool addEnabled = true;
};

TEST(ProvisioningControllers, WorkWithoutWidgets)
{
    ui::ScriptedDialogService dialogs;
    ui::DialogService::install(&dialogs);
    // Uninstalled on every way out, a failed assertion included.
    const std::unique_ptr<ui::DialogService, void (*)(ui::DialogService *)> uninstall(
        &dialogs, [](ui::DialogService *) { ui::DialogService::install(nullptr); });
    session::OltSession session(timing::kQuietMs);
    session::StepEngine engine(session, nullptr);
    registry::OntList list;
    provisioning::ControllerContext context(session, engine, list);
    bool ready = false;
    context.hooks().sessionReady = [&] { return ready; };
    RecordedForm form;
    provisioning::UnauthorisedController unauthorised(context, form);
    provisioning::AddOntController adding(context, form);

    // A listing: the rows, their count and the need to blink reach whoever listens.
    QList<core::UnauthorisedOnt> shownRows;
    int shownCount = -1;
    QList<bool> blinks;
    QObject::connect(&unauthorised, &provisioning::UnauthorisedController::rowsReplaced,
                     [&](const QList<core::UnauthorisedOnt> &r) { shownRows = r; });
    QObject::connect(&unauthorised, &provisioning::UnauthorisedController::countChanged, [&](int n) { shownCount = n; });
    QObject::connect(&unauthorised, &provisioning::UnauthorisedController::blinkNeededChanged,
                     [&](bool on) { blinks.append(on); });
    unauthorised.parseAutofind(crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt"))));
    ASSERT_EQ(unauthorised.rows().size(), 2);
    EXPECT_EQ(shownRows.size(), 2);
    EXPECT_EQ(shownCount, 2);
    EXPECT_EQ(blinks, QList<bool>{true});
    EXPECT_TRUE(unauthorised.blinkNeeded());

    // Without a session a row is refused with the box, the form untouched.
    unauthorised.copyToForm(1);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_TRUE(form.texts.empty());

    // With one, the row's type, MAC/SN and place go into the form.
    ready = true;
    unauthorised.copyToForm(1);
    EXPECT_EQ(form.shown.ponTypeIndex, 2);
    EXPECT_EQ(form.texts[RecordedForm::key({core::Field::SerialOrMac})], QStringLiteral("48575443DE135E2D"));
    EXPECT_EQ(form.texts[RecordedForm::key({core::Field::Slot})], QStringLiteral("1"));
    EXPECT_EQ(form.texts[RecordedForm::key({core::Field::Port})], QStringLiteral("0"));
    EXPECT_EQ(form.nameFocused, 1);
    EXPECT_EQ(blinks, (QList<bool>{true, false}));
    EXPECT_FALSE(unauthorised.blinkNeeded());
    EXPECT_EQ(engine.pending(), session::StepEngine::kNoStep);

    // The add checks paint the form through the view and send nothing: a
    // service port left to the OLT is asked for, a missing type is refused.
    int servicePortRequests = 0;
    QObject::connect(&adding, &provisioning::AddOntController::servicePortsNeeded, [&] { ++servicePortRequests; });
    dialogs.clear();
    adding.addOrSave();
    EXPECT_EQ(servicePortRequests, 1);
    EXPECT_EQ(form.colours[RecordedForm::key({core::Field::ServicePort, 0})], provisioning::AddFormView::kErrorColour);
    EXPECT_TRUE(dialogs.shown().isEmpty());

    form.shown.rows[0].serviceport = QStringLiteral("8");
    form.shown.frame = QStringLiteral("0");
    form.shown.slot = QStringLiteral("1");
    form.shown.port = QStringLiteral("0");
    form.shown.id = QStringLiteral("6");
    form.shown.ponTypeIndex = 0;
    adding.addOrSave();
    EXPECT_EQ(servicePortRequests, 1);
    EXPECT_EQ(form.colours.count(RecordedForm::key({core::Field::ServicePort, 0})), 0u);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Bledne dane! / Invalid input!"));
    EXPECT_EQ(form.colours[RecordedForm::key({core::Field::PonType})], provisioning::AddFormView::kErrorColour);
    EXPECT_TRUE(form.addEnabled);
    EXPECT_FALSE(adding.batchInProgress());
    EXPECT_TRUE(session.buffer().isEmpty());
}

} // namespace
