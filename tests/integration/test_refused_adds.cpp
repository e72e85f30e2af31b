// Adds the OLT refuses, in whole or in part, against the simulated OLT: what
// the list, its file and the operator get.
#include "provisioning_rig.h"

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
#include "ui/ont_list_model.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace tervix;
using provisioning::AddOntForm;

namespace {

const QString kWaitingSn = QStringLiteral("485754430B086EA9"); // waits on 0/1/4 in the demo

class RefusedAdds : public test::ProvisioningRig
{
protected:
    void SetUp() override
    {
        ProvisioningRig::SetUp();
        ASSERT_NO_FATAL_FAILURE(connectAndList());
        ASSERT_NO_FATAL_FAILURE(takeAsNew(kWaitingSn));
        form->name->setText(QStringLiteral("Zielińska Ewa"));
        form->servicePortEnabled[0]->setChecked(true);
    }

    // Presses "[+] Dodaj" and waits for the OLT's answers to be judged.
    void pressAndWait()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->addButton->isEnabled(); }, 10000));
        dialogs.clear();
        form->addButton->click();
        ASSERT_TRUE(wiring->adding().batchInProgress());
        ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 20000));
    }

    QByteArray storedFile() const
    {
        QFile f(list->filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

};

TEST_F(RefusedAdds, MissingProfileListsNothingAndTheRetryIsNoDuplicate)
{
    const int id = form->ontId->text().toInt();
    form->lineProfile->setText(QStringLiteral("77")); // no such line profile on the OLT
    pressAndWait();

    EXPECT_EQ(sim.model().findOnt(0, 1, 4, id), nullptr);
    EXPECT_EQ(list->size(), 0);
    EXPECT_FALSE(storedFile().contains(kWaitingSn.toLatin1()));
    ASSERT_EQ(dialogs.shown().size(), 1);
    const ui::DialogService::Shown &box = dialogs.shown().first();
    EXPECT_EQ(box.caption, QStringLiteral("OLT odmowil dodania ONT / The OLT refused the ONT"));
    EXPECT_TRUE(box.text.contains(QStringLiteral("ont add 4 %1 sn-auth %2").arg(id).arg(kWaitingSn))) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral("Failure: The line profile does not exist"))) << box.text.toStdString();
    EXPECT_EQ(box.icon, ui::DialogService::Icon::Error);
    EXPECT_NE(tab->model().rows()[0].icon, provisioning::UnauthorisedModel::kIconAdded);
    // The form keeps the values for another try.
    EXPECT_EQ(form->serialOrMac->text(), kWaitingSn);
    EXPECT_TRUE(form->addButton->isEnabled());

    // The profile put right, the same ONT goes in: the list holds nothing to refuse it.
    form->lineProfile->setText(QStringLiteral("1"));
    pressAndWait();
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().first().caption.toStdString();
    ASSERT_NE(sim.model().findOnt(0, 1, 4, id), nullptr);
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->record(0).serialOrMac, kWaitingSn);
    EXPECT_TRUE(list->incompleteNote(0).isEmpty());
    EXPECT_TRUE(storedFile().contains(kWaitingSn.toLatin1()));
}

TEST_F(RefusedAdds, RefusedServicePortListsTheOntMarkedIncomplete)
{
    const int id = form->ontId->text().toInt();
    const int sp0 = form->servicePort[0]->text().toInt();
    const int sp1 = form->servicePort[1]->text().toInt();
    int missingVlan = 3990;
    while (sim.model().vlan(missingVlan))
        ++missingVlan;
    form->servicePortEnabled[1]->setChecked(true);
    form->vlan[1]->setText(QString::number(missingVlan));
    form->userVlan[1]->setText(QString::number(missingVlan));
    pressAndWait();

    // The OLT holds the ONT and its first service port only.
    ASSERT_NE(sim.model().findOnt(0, 1, 4, id), nullptr);
    EXPECT_NE(sim.model().servicePort(sp0), nullptr);
    EXPECT_EQ(sim.model().servicePort(sp1), nullptr);

    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->record(0).serialOrMac, kWaitingSn);
    const QString note = list->incompleteNote(0);
    EXPECT_TRUE(note.contains(QStringLiteral("service-port %1 vlan %2").arg(sp1).arg(missingVlan))) << note.toStdString();
    EXPECT_TRUE(note.contains(QStringLiteral("Failure: The VLAN does not exist"))) << note.toStdString();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("ONT dodany niekompletnie / ONT added incomplete"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("Failure: The VLAN does not exist")));
    EXPECT_EQ(tab->model().rows()[0].icon, provisioning::UnauthorisedModel::kIconAdded);

    // The list shows the mark; the file stores the row as any other.
    ui::OntListModel advanced(*list, ui::OntListModel::View::Advanced);
    ui::OntListModel basic(*list, ui::OntListModel::View::Basic);
    EXPECT_EQ(advanced.index(0, core::Column::Name).data(Qt::BackgroundRole).value<QColor>(),
              ui::OntListModel::incompleteBackground());
    EXPECT_TRUE(basic.index(0, core::BasicColumn::Name).data().toString().endsWith(ui::OntListModel::incompleteLine()));
    EXPECT_TRUE(advanced.index(0, core::Column::Origin).data(Qt::ToolTipRole).toString().contains(note));
    const QByteArray stored = storedFile();
    EXPECT_TRUE(stored.contains(kWaitingSn.toLatin1()));
    EXPECT_FALSE(stored.contains("INCOMPLETE"));
    EXPECT_FALSE(stored.contains("Failure"));
}

TEST_F(RefusedAdds, AnswersThatNeverCameListNothing)
{
    // The OLT takes far longer over every line than the console waits for it
    // to fall quiet: the batch is judged before most answers are there.
    sim.setLineLatencyMs(3000);
    pressAndWait();
    EXPECT_EQ(list->size(), 0);
    EXPECT_FALSE(storedFile().contains(kWaitingSn.toLatin1()));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Brak odpowiedzi OLT / No answer from the OLT"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("(brak odpowiedzi / no answer) ont add")))
        << dialogs.shown().first().text.toStdString();
    EXPECT_TRUE(form->addButton->isEnabled());
}

TEST_F(RefusedAdds, TheListButtonPressedDuringAnAddLeavesItsAnswersToBeJudged)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->addButton->isEnabled(); }, 10000));
    dialogs.clear();
    form->addButton->click();
    ASSERT_TRUE(wiring->adding().batchInProgress());
    tab->refreshButton->click(); // while the batch is still being typed
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, 20000));
    EXPECT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().first().text.toStdString();
    ASSERT_EQ(list->size(), 1);
    EXPECT_EQ(list->record(0).serialOrMac, kWaitingSn);
    EXPECT_TRUE(session->buffer().contains(QStringLiteral("ont add"))) << session->buffer().toStdString();
}

} // namespace
