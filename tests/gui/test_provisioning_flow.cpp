#include "core/ont_record.h"
#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/profile_picker.h"
#include "provisioning/provisioning_wiring.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "registry/ont_list.h"
#include "scripted_telnet_peer.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"
#include "test_paths.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace tervix;
using provisioning::AddOntForm;
using provisioning::ProvisioningWiring;
using provisioning::UnauthorisedModel;

namespace {

using tervix::test::crlf;

// Answers the few listings of an add the way the OLT prints them, and keeps
// every line the console typed.
class ListingOlt : public QObject
{
public:
    ListingOlt()
    {
        QObject::connect(&peer, &test::ScriptedTelnetPeer::lineReceived, this, [this](const QString &l) {
            QString body;
            if (l == u"display ont autofind all")
                body = crlf(test::readSample(QStringLiteral("display_ont_autofind__ntc2.txt")));
            else if (l == u"display service-port next-free-index")
                body = QStringLiteral("  Next valid free service virtual port ID: 7\r\n");
            else if (l == u"display ont info 0 1 0 all")
                body = QStringLiteral("  -----------------------------------------------------------------------------\r\n"
                                      "  F/S/P   ONT-ID   Description\r\n"
                                      "  -----------------------------------------------------------------------------\r\n"
                                      "  0/ 1/0       0   ONT_NO_DESCRIPTION\r\n"
                                      "  0/ 1/0       1   ONT_NO_DESCRIPTION\r\n"
                                      "  0/ 1/0       5   ONT_NO_DESCRIPTION\r\n"
                                      "  -----------------------------------------------------------------------------\r\n"
                                      "  In port 0/ 1/0 , the total of ONTs are: 3, online: 3\r\n");
            else if (l == u"display ont-lineprofile gpon all")
                body = crlf(test::readSample(QStringLiteral("display_ont-lineprofile_gpon_all__ntc1.txt")));
            peer.sendText(l + QStringLiteral(" \r\n") + body + QStringLiteral("\r\nOLT(config)#"));
        });
    }

    QStringList lines() const
    {
        QStringList out;
        for (const auto &l : peer.lines())
            out.append(l.text);
        return out;
    }

    test::ScriptedTelnetPeer peer;
};

class ProvisioningFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.1);
        ui::DialogService::install(&dialogs);
        ASSERT_TRUE(dir.isValid());
        session = std::make_unique<session::OltSession>(timing::kQuietMs);
        engine = std::make_unique<session::StepEngine>(*session, &trace);
        list = std::make_unique<registry::OntList>(&trace);
        list->setFile(dir.path() + u'/', QStringLiteral("tiny01"));
        window = std::make_unique<QWidget>();
        auto *column = new QVBoxLayout(window.get());
        form = new AddOntForm(window.get());
        tab = new provisioning::UnauthorisedTab(window.get());
        column->addWidget(form);
        column->addWidget(tab);
        wiring = std::make_unique<ProvisioningWiring>(*session, *engine, *list, *tab, *form, &trace);
        auto &h = wiring->hooks();
        h.sessionReady = [this] { return ready; };
        h.setSessionReady = [this](bool r) { ready = r; };
        QObject::connect(&wiring->adding(), &provisioning::AddOntController::duplicateRefused, [this] { ++refusalsToSibling; });
        window->resize(900, 700);
        window->show();
    }
    void TearDown() override
    {
        wiring.reset();
        window.reset();
        list.reset();
        engine.reset();
        session.reset();
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }

    // Connected and logged in, as step 1 leaves the session; then step 2 runs.
    void connectAndList()
    {
        ASSERT_TRUE(olt.peer.listen());
        session->connection().connectTo(olt.peer.address());
        ASSERT_TRUE(QTest::qWaitFor([&] { return session->connection().isConnected(); }, 20000));
        ready = true;
        wiring->onWorkingSessionReady();
        engine->arm(session::MainStep::kFirstUnauthorisedListing);
        ASSERT_TRUE(QTest::qWaitFor([&] { return tab->model().rowCount() == 2 && ready; }, 10000));
    }

    void takeRow(int row)
    {
        tab->unauthorisedView->selectionModel()->select(tab->model().index(row, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tab->addAsNewAction->trigger();
    }

    bool waitIdle()
    {
        return QTest::qWaitFor(
            [&] { return engine->pending() == session::StepEngine::kNoStep && session->pacer().isIdle() && !wiring->adding().batchInProgress(); },
            10000);
    }

    QString dataFile() const { return dir.filePath(QStringLiteral("data-tiny01.ph")); }

    // Once nothing is pending, whatever the console typed has gone to the
    // socket; a line typed after it arrives after it. Returns the lines the
    // OLT received from `from` on, without that last one.
    QStringList linesSettledFrom(qsizetype from)
    {
        if (!waitIdle()) {
            ADD_FAILURE() << "the console did not fall idle";
            return {};
        }
        const QString marker = QStringLiteral("marker %1").arg(++markers);
        session->connection().sendText(marker + u'\r');
        if (!QTest::qWaitFor([&] { return olt.lines().contains(marker); }, 20000)) {
            ADD_FAILURE() << "the marker line never arrived";
            return {};
        }
        QStringList out = olt.lines().mid(from);
        out.removeAll(marker);
        return out;
    }

    ui::ScriptedDialogService dialogs;
    QTemporaryDir dir;
    session::TraceLog trace;
    std::unique_ptr<session::OltSession> session;
    std::unique_ptr<session::StepEngine> engine;
    std::unique_ptr<registry::OntList> list;
    std::unique_ptr<QWidget> window;
    AddOntForm *form = nullptr;
    provisioning::UnauthorisedTab *tab = nullptr;
    std::unique_ptr<ProvisioningWiring> wiring;
    ListingOlt olt;
    bool ready = false;
    int refusalsToSibling = 0;
    int markers = 0;
};

TEST_F(ProvisioningFlow, FromTheAutofindTableToTheListedOnt)
{
    connectAndList();
    EXPECT_EQ(tab->countLabel->text(), QStringLiteral("Nieautoryzowane koncowki!: [2]"));
    EXPECT_TRUE(tab->isBlinking());
    EXPECT_EQ(tab->model().index(1, 3).data().toString(), QStringLiteral("48575443DE135E2D"));

    takeRow(1);
    EXPECT_FALSE(tab->isBlinking());
    EXPECT_EQ(tab->listColour(), provisioning::UnauthorisedTab::kListColour);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ontId->text() == u"6"; }, 10000));
    EXPECT_EQ(form->ponType->currentText(), QStringLiteral("G.PON"));
    EXPECT_EQ(form->serialOrMac->text(), QStringLiteral("48575443DE135E2D"));
    EXPECT_EQ(form->slot->text(), QStringLiteral("1"));
    EXPECT_EQ(form->port->text(), QStringLiteral("0"));
    EXPECT_EQ(form->servicePort[0]->text(), QStringLiteral("8"));
    EXPECT_EQ(form->servicePort[3]->text(), QStringLiteral("11"));
    EXPECT_EQ(AddOntForm::colour(form->ontId), AddOntForm::kProposalColour);
    EXPECT_EQ(AddOntForm::colour(form->servicePort[0]), AddOntForm::kProposalColour);
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("1"));

    // A profile picked from the OLT's own table.
    form->lineProfilesButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return wiring->lineProfilePicker().isVisible(); }, 10000));
    EXPECT_EQ(wiring->lineProfilePicker().title(), QStringLiteral("G.PON LineProfile: 2"));
    EXPECT_TRUE(form->lineProfilesButton->isEnabled());
    wiring->lineProfilePicker().choose(1);
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("429"));
    EXPECT_FALSE(wiring->lineProfilePicker().isVisible());

    form->name->setText(QStringLiteral("Jan Kowalski"));
    form->servicePortEnabled[0]->setChecked(true);
    form->nativeVlan[0]->setChecked(true);
    ASSERT_TRUE(waitIdle());
    const qsizetype before = olt.lines().size();
    ASSERT_TRUE(form->addButton->isEnabled());
    form->addButton->click();
    // A second press while the batch is typed starts nothing.
    form->ponType->setCurrentIndex(2);
    form->onPonTypeChanged();
    form->addButton->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->size() == 1; }, 10000));
    EXPECT_EQ(linesSettledFrom(before),
              (QStringList{QStringLiteral("config"), QStringLiteral("interface gpon 0/1"),
                           QStringLiteral("ont add 0 6 sn-auth 48575443DE135E2D omci ont-lineprofile-id 429 "
                                          "ont-srvprofile-id 1 desc \"Jan Kowalski\""),
                           QStringLiteral("ont port native-vlan 0 6 eth 1 vlan 1010"),
                           QStringLiteral("ont port attribute 0 6 catv 1 operational-state off"), QStringLiteral("quit"),
                           QStringLiteral("service-port 8 vlan 1010 gpon 0/1/0 ont 6 gemport 100 multi-service "
                                          "user-vlan 1010 tag-transform transparent"),
                           QStringLiteral("quit")}));
    EXPECT_EQ(list->record(0).serialOrMac, QStringLiteral("48575443DE135E2D"));
    EXPECT_EQ(list->record(0).servicePorts,
              QStringLiteral("-1;8;1010;-1;0;100;1010;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^"));
    EXPECT_EQ(tab->model().rows().at(1).icon, UnauthorisedModel::kIconAdded);
    EXPECT_EQ(tab->model().rows().at(0).icon, UnauthorisedModel::kIconFound);
    QFile f(dataFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("^!0^!1^!0^!6^!Jan Kowalski^!48575443DE135E2D^!429^!1^!"));
    // The form is cleared for the next ONT and the memo keeps the OLT's answers.
    EXPECT_EQ(form->ontId->text(), QStringLiteral("Auto"));
    EXPECT_TRUE(form->serialOrMac->text().isEmpty());
    EXPECT_TRUE(session->buffer().contains(QStringLiteral("ont add 0 6")));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ProvisioningFlow, RefusedAddsSendNothing)
{
    connectAndList();
    core::OntRecord existing;
    existing.frame = QStringLiteral("0");
    existing.slot = QStringLiteral("1");
    existing.port = QStringLiteral("0");
    existing.ontId = QStringLiteral("6");
    existing.name = QStringLiteral("Sasiad");
    existing.serialOrMac = QStringLiteral("4857544300000001");
    list->add(existing);

    takeRow(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ontId->text() == u"6"; }, 10000));
    ASSERT_TRUE(waitIdle());
    form->servicePortEnabled[0]->setChecked(true);

    const struct
    {
        const char *name;
        std::function<void()> change;
        const char *caption;
        const char *text;
    } cases[] = {
        {"same place", [] {}, "ONT exists! Koncowka powtarza sie!",
         "ONT Exists! Nie mozesz zmienic tej koncowce id. Poniewaz zaproponowany loid -> 6 <- znajduje sie juz na "
         "liscie jako\nSasiad\nmac-sn: 4857544300000001"},
        {"same SN elsewhere",
         [&] {
             form->ontId->setText(QStringLiteral("7"));
             form->serialOrMac->setText(QStringLiteral("4857544300000001"));
         },
         "ONT exists MAC-SN! Koncowka powtarza sie!",
         "ONT Exists MAC-SN! ONT znajaduje sie juz na liscie: mac-sn -> 4857544300000001 znajduje sie juz na liscie "
         "loid: 7\nSasiad\nAby dodac usun ten sn/mac z listy. IF you want add ont, you must delete sn/mac from list!"},
        {"no type",
         [&] {
             form->serialOrMac->setText(QStringLiteral("4857544311E70E9A"));
             form->ponType->setCurrentIndex(0);
         },
         "Bledne dane! / Invalid input!", "E.PON lub G.PON"},
        {"name with a quote",
         [&] {
             form->setPonType(2);
             form->name->setText(QStringLiteral("x\" \nquit"));
         },
         "Bledne dane! / Invalid input!", "cudzyslow"},
        {"port with words",
         [&] {
             form->name->setText(QStringLiteral("Ok"));
             form->port->setText(QStringLiteral("0 sn-auth X"));
         },
         "Bledne dane! / Invalid input!", "\"Port\""},
    };
    const qsizetype before = olt.lines().size();
    int refusals = 0;
    for (const auto &c : cases) {
        dialogs.clear();
        c.change();
        wiring->adding().addOrSave();
        ASSERT_EQ(dialogs.shown().size(), 1) << c.name;
        EXPECT_EQ(dialogs.shown().first().caption, QString::fromLatin1(c.caption)) << c.name;
        EXPECT_TRUE(dialogs.shown().first().text.contains(QString::fromLatin1(c.text)))
            << c.name << ": " << dialogs.shown().first().text.toStdString();
        EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Error) << c.name;
        refusals += QString::fromLatin1(c.caption).startsWith(u"ONT exists") ? 1 : 0;
    }
    EXPECT_EQ(AddOntForm::colour(form->port), AddOntForm::kErrorColour);
    EXPECT_EQ(refusalsToSibling, refusals);
    EXPECT_EQ(linesSettledFrom(before), QStringList());
    EXPECT_EQ(list->size(), 1);
}

TEST_F(ProvisioningFlow, FormChecksAskTheOltForWhatIsMissing)
{
    connectAndList();
    form->setPonType(2);
    form->slot->setText(QStringLiteral("1"));
    form->port->setText(QStringLiteral("0"));
    form->serialOrMac->setText(QStringLiteral("4857544311E70E9A"));
    ASSERT_EQ(form->servicePort[0]->text(), QStringLiteral("Auto"));
    wiring->adding().addOrSave();
    EXPECT_EQ(AddOntForm::colour(form->servicePort[0]), AddOntForm::kErrorColour);
    // The free service ports come back, then the next id.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ontId->text() == u"6"; }, 10000));
    EXPECT_EQ(form->servicePort[0]->text(), QStringLiteral("8"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

} // namespace
