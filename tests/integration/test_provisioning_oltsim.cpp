#include "provisioning_rig.h"

#include "app/olt_login_controller.h"
#include "core/ont_record.h"
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
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace tervix;
using provisioning::AddOntForm;
using provisioning::ProvisioningWiring;
using provisioning::UnauthorisedModel;

namespace {

// The console's provisioning half wired to its session and login by the
// same ProvisioningWiring the main window uses, against the simulated OLT of
// the demo.
class ProvisioningOltsim : public test::ProvisioningRig
{
protected:
    void press()
    {
        const int rows = list->size();
        ASSERT_TRUE(form->addButton->isEnabled());
        form->addButton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->size() == rows + 1 && idle(); }, 20000));
        // The batch's last line has been typed; let the OLT take it.
        ASSERT_TRUE(QTest::qWaitFor([&] { return session->buffer().endsWith(u'#'); }, 20000));
    }

};

TEST_F(ProvisioningOltsim, AuthorisesWaitingGponAndEponOnts)
{
    connectAndList();
    // Both types of the OLT's autofind table, the SN without its vendor form.
    const auto &rows = tab->model().rows();
    ASSERT_EQ(rows.size(), 5);
    const int g = rowOf(QStringLiteral("485754430B086EA9"));
    const int e = rowOf(QStringLiteral("00E0-FC3A-9B01"));
    ASSERT_GE(g, 0);
    ASSERT_GE(e, 0);
    EXPECT_EQ(rows[g].ont, (core::UnauthorisedOnt{QStringLiteral("G.PON"), QStringLiteral("0/1/4"),
                                                     QStringLiteral("485754430B086EA9"), QStringLiteral("EG8145V5"),
                                                     QStringLiteral("V5R020C10S035")}));
    EXPECT_EQ(rows[e].ont.ponType, QStringLiteral("E.PON"));
    EXPECT_EQ(rows[e].ont.port, QStringLiteral("0/3/2"));
    EXPECT_EQ(rows[e].ont.model, QStringLiteral("HG8010"));

    // GPON: row 1 native on 1010, row 2 IGMP on 942, CATV on.
    takeAsNew(QStringLiteral("485754430B086EA9"));
    const int spFree = sim.model().nextFreeServicePort();
    const int sp1 = spFree % 2 ? spFree + 1 : spFree;
    EXPECT_EQ(form->servicePort[0]->text(), QString::number(sp1));
    EXPECT_EQ(form->ontId->text(), QStringLiteral("1"));  // port 0/1/4 holds no ONT yet
    form->name->setText(QStringLiteral("Nowak Anna, Polna 3"));
    form->servicePortEnabled[0]->setChecked(true);
    form->nativeVlan[0]->setChecked(true);
    form->servicePortEnabled[1]->setChecked(true);
    form->igmp[1]->setChecked(true);
    form->catvEnabled->setChecked(true);
    press();

    const oltsim::Ont *gont = sim.model().findOnt(0, 1, 4, 1);
    ASSERT_NE(gont, nullptr);
    EXPECT_FALSE(gont->epon);
    EXPECT_EQ(gont->sn, QStringLiteral("485754430B086EA9"));
    EXPECT_EQ(gont->description, QStringLiteral("Nowak Anna, Polna 3"));
    EXPECT_EQ(gont->lineProfile, 1);
    EXPECT_EQ(gont->srvProfile, 1);
    EXPECT_EQ(gont->nativeVlan.value(1), 1010);
    EXPECT_TRUE(gont->catv.value(1));
    EXPECT_TRUE(gont->active);
    const oltsim::ServicePort *s1 = sim.model().servicePort(sp1);
    const oltsim::ServicePort *s2 = sim.model().servicePort(sp1 + 1);
    ASSERT_NE(s1, nullptr);
    ASSERT_NE(s2, nullptr);
    EXPECT_EQ(std::tuple(s1->vlan, s1->gemport, s1->userVlan, s1->tagTransform, s1->ont, s1->port),
              std::tuple(1010, 100, 1010, QStringLiteral("transparent"), 1, 4));
    EXPECT_EQ(std::tuple(s2->vlan, s2->gemport, s2->userVlan, s2->tagTransform),
              std::tuple(942, 100, 942, QStringLiteral("translate")));
    EXPECT_FALSE(sim.model().isIgmpUser(sp1));
    EXPECT_TRUE(sim.model().isIgmpUser(sp1 + 1));
    EXPECT_TRUE(sim.model().vlan(942)->members.contains(sp1 + 1));

    // EPON, left disabled, one translated service port.
    takeAsNew(QStringLiteral("00E0-FC3A-9B01"));
    const int sp3 = form->servicePort[0]->text().toInt();
    const int eid = form->ontId->text().toInt();
    EXPECT_GT(sp3, sp1 + 1);
    EXPECT_EQ(sp3 % 2, 0);
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("101"));
    form->name->setText(QStringLiteral("Sklep"));
    form->servicePortEnabled[0]->setChecked(true);
    form->activeState->setCurrentIndex(1);
    press();

    const oltsim::Ont *eont = sim.model().findOnt(0, 3, 2, eid);
    ASSERT_NE(eont, nullptr);
    EXPECT_TRUE(eont->epon);
    EXPECT_EQ(eont->sn.toUpper(), QStringLiteral("00E0-FC3A-9B01"));
    EXPECT_EQ(eont->lineProfile, 101);
    EXPECT_FALSE(eont->active);
    EXPECT_FALSE(eont->catv.value(1, true));
    const oltsim::ServicePort *s3 = sim.model().servicePort(sp3);
    ASSERT_NE(s3, nullptr);
    EXPECT_TRUE(s3->epon);
    EXPECT_EQ(std::tuple(s3->vlan, s3->userVlan, s3->tagTransform), std::tuple(1010, 1010, QStringLiteral("translate")));

    // The list and its file, and the ticks in the unauthorised list.
    ASSERT_EQ(list->size(), 2);
    EXPECT_EQ(list->record(0).ponType, QStringLiteral("G.PON"));
    EXPECT_EQ(list->record(0).name, QStringLiteral("Nowak Anna, Polna 3"));
    EXPECT_EQ(list->record(0).servicePorts,
              QStringLiteral("-1;%1;1010;-1;0;100;1010;^-1;%2;942;0;-1;100;942;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^")
                  .arg(sp1)
                  .arg(sp1 + 1));
    EXPECT_EQ(list->record(0).catv, QStringLiteral("-1;1;^"));
    EXPECT_EQ(list->record(1).ponType, QStringLiteral("E.PON"));
    EXPECT_EQ(list->record(1).serialOrMac, QStringLiteral("00E0-FC3A-9B01"));
    EXPECT_EQ(list->record(1).active, QStringLiteral("1"));
    EXPECT_EQ(core::cellText(list->record(1), core::BasicColumn::Name), QStringLiteral("Sklep\nSN: 00E0-FC3A-9B01\nOpis"));
    QFile file(list->filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    EXPECT_TRUE(stored.contains("^!G.PON^!0^!1^!4^!1^!Nowak Anna, Polna 3^!485754430B086EA9^!1^!1^!"));
    EXPECT_TRUE(stored.contains("^!E.PON^!0^!3^!2^!"));
    EXPECT_EQ(rows[rowOf(QStringLiteral("485754430B086EA9"))].icon, UnauthorisedModel::kIconAdded);
    EXPECT_EQ(rows[rowOf(QStringLiteral("00E0-FC3A-9B01"))].icon, UnauthorisedModel::kIconAdded);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ProvisioningOltsim, DuplicatePlaceAndSnAreRefusedAndSendNothing)
{
    connectAndList();
    takeAsNew(QStringLiteral("48575443DE135E2D"));
    form->servicePortEnabled[0]->setChecked(true);
    press();
    ASSERT_EQ(list->size(), 1);
    const int onts = int(sim.model().onts.size());

    for (const bool samePlace : {true, false}) {
        SCOPED_TRACE(samePlace);
        takeAsNew(QStringLiteral("5A544547A0B1C2D3"));
        form->servicePortEnabled[0]->setChecked(true);
        if (samePlace) {
            form->slot->setText(list->record(0).slot);
            form->port->setText(list->record(0).port);
            form->ontId->setText(list->record(0).ontId);
        } else {
            form->serialOrMac->setText(list->record(0).serialOrMac);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->addButton->isEnabled(); }, 20000));
        dialogs.clear();
        const qsizetype typed = sim.receivedLines().size();
        form->addButton->click();
        EXPECT_FALSE(form->addButton->isEnabled());
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().caption, samePlace ? QStringLiteral("ONT exists! Koncowka powtarza sie!")
                                                             : QStringLiteral("ONT exists MAC-SN! Koncowka powtarza sie!"));
        QTest::qWait(200);
        EXPECT_EQ(sim.receivedLines().size(), typed);
    }
    EXPECT_EQ(int(sim.model().onts.size()), onts);
    EXPECT_EQ(list->size(), 1);
}

TEST_F(ProvisioningOltsim, AutofindTableLongerThanAPageIsReadWhole)
{
    // More waiting ONTs than one page of the OLT holds.
    for (int i = 0; i < 45; ++i) {
        oltsim::AutofindOnt a;
        a.slot = 1;
        a.port = 5 + i % 8;
        a.sn = QStringLiteral("48575443%1").arg(0xA000 + i, 8, 16, QLatin1Char('0')).toUpper();
        a.foundAt = QStringLiteral("2024-05-03 09:12:44+01:00");
        sim.mutableModel().autofind.append(a);
    }
    const int waiting = int(sim.model().autofind.size());
    connectAndList();
    ASSERT_EQ(tab->model().rowCount(), waiting);
    EXPECT_EQ(tab->model().rows().last().ont.serialOrMac, QStringLiteral("00E0-FC3A-9C77"));
    EXPECT_TRUE(sim.receivedTexts(2).contains(QStringLiteral("\"")));

    // The OLT is back at its prompt: the next request is answered.
    takeAsNew(QStringLiteral("485754430000A02C"));
    EXPECT_EQ(form->ontId->text(), QStringLiteral("1"));
}

} // namespace
