// Deleting, rebooting and editing authorised ONTs against the simulated OLT:
// what the OLT holds afterwards, and what the list and the operator get.
#include "provisioning_rig.h"

#include "core/ont_record.h"
#include "provisioning/edit_ont_controller.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>

using namespace tervix;

namespace {

// The demo's ONT 0/1/0 id 0 as the add form lists it: service port 0 on
// VLAN 1010 (transparent) and 1 on VLAN 942.
core::OntRecord listedOnt()
{
    core::OntRecord r;
    r.origin = QStringLiteral("+");
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = QStringLiteral("1");
    r.port = QStringLiteral("0");
    r.ontId = QStringLiteral("0");
    r.name = QStringLiteral("Mazur_Michal_Lakowa_15");
    r.serialOrMac = QStringLiteral("485754435A3C0000");
    r.lineProfile = r.serviceProfile = QStringLiteral("1");
    r.servicePorts = QStringLiteral("-1;0;1010;-1;0;100;1010;^-1;1;942;0;-1;100;942;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^");
    r.levels = QStringLiteral("-");
    r.catv = QStringLiteral("0;1;^");
    r.active = QStringLiteral("0");
    core::initBasicTexts(r, QString(), QStringLiteral("Opis"));
    return r;
}

// The demo's ONT 0/1/0 id 3 as the import lists it: profiles and native flags unknown.
core::OntRecord importedOnt()
{
    core::OntRecord r = listedOnt();
    r.origin = QStringLiteral("-");
    r.ontId = QStringLiteral("3");
    r.name = QStringLiteral("Zielinski_Anna_Kwiatowa_68");
    r.serialOrMac = QStringLiteral("485754435A3C5CCD");
    r.lineProfile = r.serviceProfile = QStringLiteral("-");
    r.servicePorts = QStringLiteral("-1;4;1010;?;0;100;^-1;5;942;?;0;100;^");
    return r;
}

class EditOnt : public test::ProvisioningRig
{
protected:
    void SetUp() override
    {
        ProvisioningRig::SetUp();
        ASSERT_NO_FATAL_FAILURE(connectAndList());
        list->add(listedOnt());
        list->add(importedOnt());
        dialogs.clear();
    }

    provisioning::EditOntController &editing() { return wiring->editing(); }

    bool settled() { return idle() && !editing().busy() && !editing().loading(); }

    // "Edytuj" on a row, then the OLT's answers about it.
    void load(int row)
    {
        editing().editRow(row);
        ASSERT_TRUE(QTest::qWaitFor([&] { return settled() && form->addButton->isEnabled(); }, 20000))
            << session->buffer().toStdString();
        ASSERT_EQ(form->editedRow, row);
    }

    void pressAndWait()
    {
        form->addButton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 30000)) << session->buffer().toStdString();
    }

    bool received(const QString &start) const
    {
        for (const QString &l : sim.receivedTexts())
            if (l.startsWith(start))
                return true;
        return false;
    }

    QString shownText() const
    {
        QStringList all;
        for (const auto &s : dialogs.shown())
            all << s.caption + QStringLiteral(": ") + s.text;
        return all.join(u'\n');
    }
};

TEST_F(EditOnt, MultiWordRenameReachesTheOlt)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    form->name->setText(QStringLiteral("Jan Maria Nowak"));
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    ASSERT_NE(sim.model().findOnt(0, 1, 0, 0), nullptr);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0)->description, QStringLiteral("Jan Maria Nowak"));
    EXPECT_EQ(list->record(0).name, QStringLiteral("Jan Maria Nowak"));
    EXPECT_FALSE(received(QStringLiteral("ont delete")));
    EXPECT_TRUE(dialogs.shown().isEmpty()) << shownText().toStdString();
    EXPECT_EQ(form->editedRow, -1);
}

TEST_F(EditOnt, ProfileChangesTakeOnlyWhatTheOltAccepted)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    form->lineProfile->setText(QStringLiteral("2"));
    form->serviceProfile->setText(QStringLiteral("77")); // no such service profile on the OLT
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    const auto *ont = sim.model().findOnt(0, 1, 0, 0);
    ASSERT_NE(ont, nullptr);
    EXPECT_EQ(ont->lineProfile, 2);
    EXPECT_EQ(ont->srvProfile, 1);
    EXPECT_EQ(list->record(0).lineProfile, QStringLiteral("2"));
    EXPECT_EQ(list->record(0).serviceProfile, QStringLiteral("1"));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("Failure: The service profile does not exist")))
        << shownText().toStdString();
    // The form stays on the ONT for another try.
    EXPECT_EQ(form->editedRow, 0);
    EXPECT_TRUE(form->addButton->isEnabled());
}

TEST_F(EditOnt, NewIdDeletesAndAddsTheOntAgain)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    form->ontId->setText(QStringLiteral("20"));
    form->addButton->click();
    // The change works from the values pressed: the form is locked, and what
    // it shows by the second step does not count.
    EXPECT_FALSE(form->isEnabled());
    form->ontId->setText(QStringLiteral("99"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 30000)) << session->buffer().toStdString();

    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 99), nullptr);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0), nullptr);
    const auto *ont = sim.model().findOnt(0, 1, 0, 20);
    ASSERT_NE(ont, nullptr);
    EXPECT_EQ(ont->sn, QStringLiteral("485754435A3C0000"));
    ASSERT_NE(sim.model().servicePort(0), nullptr);
    EXPECT_EQ(sim.model().servicePort(0)->ont, 20);
    EXPECT_EQ(sim.model().servicePort(0)->tagTransform, QStringLiteral("transparent"));
    ASSERT_NE(sim.model().servicePort(1), nullptr);
    EXPECT_EQ(sim.model().servicePort(1)->ont, 20);
    EXPECT_EQ(list->record(0).ontId, QStringLiteral("20"));
    EXPECT_TRUE(list->incompleteNote(0).isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty()) << shownText().toStdString();
    EXPECT_EQ(form->editedRow, -1);
}

TEST_F(EditOnt, RefusedReAddKeepsTheRowAndOffersTheOldOntBack)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    form->ontId->setText(QStringLiteral("21"));
    form->lineProfile->setText(QStringLiteral("77")); // the OLT refuses the add
    dialogs.scriptAnswer(ui::DialogService::Answer::No);
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0), nullptr);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 21), nullptr);
    const core::OntRecord kept = list->record(0);
    EXPECT_EQ(kept.ontId, QStringLiteral("0"));
    EXPECT_EQ(kept.lineProfile, QStringLiteral("1"));
    EXPECT_FALSE(list->incompleteNote(0).isEmpty());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Question);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("Failure: The line profile does not exist")))
        << shownText().toStdString();
    EXPECT_TRUE(form->isEnabled());
}

TEST_F(EditOnt, RefusedReAddRecreatesTheOldOntOnYes)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    form->ontId->setText(QStringLiteral("21"));
    form->lineProfile->setText(QStringLiteral("77"));
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    const auto *ont = sim.model().findOnt(0, 1, 0, 0);
    ASSERT_NE(ont, nullptr) << shownText().toStdString();
    EXPECT_EQ(ont->lineProfile, 1);
    ASSERT_NE(sim.model().servicePort(0), nullptr);
    EXPECT_EQ(sim.model().servicePort(0)->ont, 0);
    EXPECT_NE(sim.model().servicePort(1), nullptr);
    EXPECT_EQ(list->record(0).ontId, QStringLiteral("0"));
    EXPECT_TRUE(list->incompleteNote(0).isEmpty());
    ASSERT_EQ(dialogs.shown().size(), 2) << shownText().toStdString();
    EXPECT_EQ(dialogs.shown().last().icon, ui::DialogService::Icon::Information);
    EXPECT_EQ(form->editedRow, -1);
}

TEST_F(EditOnt, LineDroppedBetweenDeleteAndAddKeepsTheRowMarked)
{
    ASSERT_NO_FATAL_FAILURE(load(0));
    QObject::connect(&sim, &oltsim::Simulator::lineReceived, &sim, [this](int, const QString &line) {
        if (line.startsWith(QStringLiteral("ont delete")))
            sim.setDropAfterCommands(1); // the OLT hangs up once it has answered it
    });
    form->ontId->setText(QStringLiteral("22"));
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0), nullptr);
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 22), nullptr);
    EXPECT_EQ(list->record(0).ontId, QStringLiteral("0"));
    EXPECT_EQ(list->record(0).serialOrMac, QStringLiteral("485754435A3C0000"));
    EXPECT_FALSE(list->incompleteNote(0).isEmpty());
    ASSERT_FALSE(dialogs.shown().isEmpty());
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("(brak odpowiedzi / no answer) ont add")))
        << shownText().toStdString();
}

TEST_F(EditOnt, ImportedOntIsRenamedWithoutADelete)
{
    ASSERT_NO_FATAL_FAILURE(load(1));
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("1"));
    EXPECT_FALSE(form->nativeVlan[0]->isChecked());
    EXPECT_TRUE(received(QStringLiteral("display service-port 4")));
    form->name->setText(QStringLiteral("Zielinska Anna Kwiatowa 68"));
    ASSERT_NO_FATAL_FAILURE(pressAndWait());

    EXPECT_FALSE(received(QStringLiteral("ont delete")));
    EXPECT_FALSE(received(QStringLiteral("undo service-port")));
    const auto *ont = sim.model().findOnt(0, 1, 0, 3);
    ASSERT_NE(ont, nullptr);
    EXPECT_EQ(ont->description, QStringLiteral("Zielinska Anna Kwiatowa 68"));
    EXPECT_NE(sim.model().servicePort(4), nullptr);
    EXPECT_NE(sim.model().servicePort(5), nullptr);
    const core::OntRecord row = list->record(1);
    EXPECT_EQ(row.name, QStringLiteral("Zielinska Anna Kwiatowa 68"));
    EXPECT_EQ(row.lineProfile, QStringLiteral("1"));
    EXPECT_FALSE(row.servicePorts.contains(u'?')) << row.servicePorts.toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty()) << shownText().toStdString();
}

TEST_F(EditOnt, DeleteFreesTheRowOnlyWhenTheOltConfirms)
{
    core::OntRecord ghost = listedOnt(); // listed, but not on the OLT
    ghost.ontId = QStringLiteral("50");
    ghost.serialOrMac = QStringLiteral("4857544300000050");
    list->add(ghost);

    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    editing().deleteRow(2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 20000));
    EXPECT_EQ(list->record(2).ontId, QStringLiteral("50"));
    ASSERT_EQ(dialogs.shown().size(), 2) << shownText().toStdString();
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Usunac?"));
    EXPECT_TRUE(dialogs.shown().last().text.contains(QStringLiteral("Failure: The ONT does not exist")))
        << shownText().toStdString();

    dialogs.clear();
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    editing().deleteRow(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(); }, 20000));
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0), nullptr);
    EXPECT_EQ(sim.model().servicePort(0), nullptr);
    EXPECT_EQ(list->size(), 3);
    EXPECT_EQ(list->record(0).name, QStringLiteral("--WOLNY--"));
    EXPECT_TRUE(core::isFreeRow(list->record(0)));
    EXPECT_EQ(dialogs.shown().size(), 1) << shownText().toStdString();

    // A free row goes without a question and without a line to the OLT.
    sim.clearReceivedLines();
    dialogs.clear();
    editing().deleteRow(0);
    EXPECT_EQ(list->size(), 2);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(sim.receivedTexts().isEmpty());
}

TEST_F(EditOnt, RebootIsOkOnlyWhenTheOltResets)
{
    QSignalSpy finished(&editing(), &provisioning::EditOntController::rebootFinished);
    ASSERT_TRUE(editing().reboot({QStringLiteral("gpon"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                                  QStringLiteral("50")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 1; }, 20000));
    EXPECT_FALSE(finished.last().first().toBool());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("Failure: The ONT does not exist")))
        << shownText().toStdString();

    dialogs.clear();
    const int resets = sim.model().findOnt(0, 1, 0, 0)->resets;
    ASSERT_TRUE(editing().reboot({QStringLiteral("gpon"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"),
                                  QStringLiteral("0")}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.size() == 2; }, 20000));
    EXPECT_TRUE(finished.last().first().toBool());
    EXPECT_EQ(sim.model().findOnt(0, 1, 0, 0)->resets, resets + 1);
    EXPECT_TRUE(dialogs.shown().isEmpty()) << shownText().toStdString();
}

TEST_F(EditOnt, EditingAFreeRowSaysSo)
{
    list->setRecord(0, core::freedOntRow(list->record(0)));
    editing().editRow(0);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Wolny wiersz / Free row"));
    EXPECT_EQ(form->editedRow, -1);
    EXPECT_FALSE(editing().loading());
}

} // namespace
