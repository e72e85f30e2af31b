// The sibling program's request holds for one add: however that add ends,
// the operator's next duplicate is refused with the box again.
#include "core/timing.h"
#include "provisioning/add_form_view.h"
#include "provisioning/add_ont_controller.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "ui/dialog_service.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tervix;

namespace {

// The add form as a plain record.
class FormRecord : public provisioning::AddFormView
{
public:
    core::AddOntValues values() const override { return shown; }
    QString ponTypeText() const override { return shown.ponTypeText(); }
    int editedRowIndex() const override { return editedRow; }
    void setPonType(int index) override { shown.ponTypeIndex = index; }
    void setFieldText(core::FieldRef, const QString &) override {}
    void paintField(core::FieldRef, int) override {}
    void resetFieldColour(core::FieldRef) override {}
    void setActiveState(int) override {}
    void focusName() override {}
    void clearForNextOnt() override {}
    void setAddEnabled(bool) override {}
    void setProfilesButtonEnabled(core::ProfileKind, bool) override {}

    core::AddOntValues shown;
    int editedRow = -1;
};

core::AddOntValues listedOnt()
{
    core::AddOntValues f;
    f.ponTypeIndex = 2;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("0");
    f.id = QStringLiteral("6");
    f.mac = QStringLiteral("4857544300000001");
    f.name = QStringLiteral("Sasiad");
    f.lineProfile = QStringLiteral("1");
    f.srvProfile = QStringLiteral("1");
    f.rows[0].serviceport = QStringLiteral("8");
    return f;
}

class SiblingRequest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui::DialogService::install(&dialogs);
        context.hooks().sessionReady = [this] { return ready; };
        list.add(core::addedOntRow(listedOnt()));
        QObject::connect(&adding, &provisioning::AddOntController::duplicateRefused, [this] { ++toldTheSibling; });
        QObject::connect(&adding, &provisioning::AddOntController::ontIdNeeded, [this] { ++idRequests; });
    }
    void TearDown() override { ui::DialogService::install(nullptr); }

    // The operator presses "[+] Dodaj" on the place the list holds already.
    void operatorAddsADuplicate()
    {
        ready = true;
        form.editedRow = -1;
        form.shown = listedOnt();
        dialogs.clear();
        adding.addOrSave();
    }

    ui::ScriptedDialogService dialogs;
    session::OltSession session{timing::kQuietMs};
    session::StepEngine engine{session, nullptr};
    registry::OntList list;
    provisioning::ControllerContext context{session, engine, list};
    FormRecord form;
    provisioning::AddOntController adding{context, form};
    bool ready = true;
    int toldTheSibling = 0;
    int idRequests = 0;
};

TEST_F(SiblingRequest, EveryWayAnAddEndsClearsIt)
{
    const struct
    {
        const char *name;
        std::function<void()> end;
    } cases[] = {
        {"not connected", [&] { ready = false; adding.addOrSave(); }},
        {"form refused", [&] { form.shown.name = QStringLiteral("a\"b"); adding.addOrSave(); }},
        {"service ports left to the OLT", [&] { form.shown.rows[0].serviceport = QStringLiteral("Auto"); adding.addOrSave(); }},
        {"edit mode", [&] { form.editedRow = 0; adding.addOrSave(); }},
        {"form cleared", [&] { adding.clearAddForm(); }},
        {"duplicate told to the sibling", [&] { adding.addOrSave(); }},
        {"id asked for, then the operator pressed", [&] {
             form.shown.id = QStringLiteral("Auto");
             adding.addOrSave();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        form.shown = listedOnt();
        form.editedRow = -1;
        ready = true;
        adding.setSiblingRequest(true);
        c.end();
        operatorAddsADuplicate();
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("ONT exists! Koncowka powtarza sie!"));
        EXPECT_FALSE(adding.siblingRequest());
    }
    // The id proposed after the operator's own press starts nothing.
    const int told = toldTheSibling;
    adding.onOntIdProposed();
    EXPECT_EQ(toldTheSibling, told);
}

TEST_F(SiblingRequest, ItWaitsForTheProposedIdAndStillHoldsThen)
{
    adding.setSiblingRequest(true);
    form.shown = listedOnt();
    form.shown.id = QStringLiteral("Auto");
    adding.addOrSave();
    EXPECT_EQ(idRequests, 1);
    EXPECT_TRUE(adding.siblingRequest());

    // The OLT proposed the id the list holds already: the sibling is told, no box.
    form.shown.id = QStringLiteral("6");
    dialogs.clear();
    adding.onOntIdProposed();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(toldTheSibling, 1);
    EXPECT_FALSE(adding.siblingRequest());
}

} // namespace
