#include "provisioning/add_form_view.h"
#include "registry/templates_controller.h"
#include "ui/dialog_service.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace tervix;
using registry::TemplatesController;

namespace {

// The add form as the controller reaches it, without a widget: what was set.
class RecordingForm : public provisioning::AddFormView
{
public:
    core::AddOntValues values() const override { return {}; }
    QString ponTypeText() const override { return {}; }
    int editedRowIndex() const override { return -1; }
    void setPonType(int) override {}
    void setFieldText(core::FieldRef field, const QString &text) override
    {
        texts[{int(field.field), field.row}] = text;
    }
    void paintField(core::FieldRef, int) override {}
    void resetFieldColour(core::FieldRef) override {}
    void setActiveState(int) override {}
    void focusName() override {}
    void clearForNextOnt() override {}
    void setAddEnabled(bool) override {}
    void setProfilesButtonEnabled(core::ProfileKind, bool) override {}
    void setServicePortFlags(int row, bool enabled, bool nativeVlan, bool igmp) override
    {
        flags[row] = {enabled, nativeVlan, igmp};
    }

    QString text(core::Field f, int row = 0) const
    {
        const auto it = texts.find({int(f), row});
        return it == texts.end() ? QStringLiteral("<untouched>") : it->second;
    }

    std::map<std::pair<int, int>, QString> texts;
    std::map<int, std::array<bool, 3>> flags;
};

const QString kOltA = QStringLiteral("021NKE10A0001");
const QString kOltB = QStringLiteral("021NKE10B0002");

core::TemplateValues named(const QString &name, const QString &vlan = QStringLiteral("1010"))
{
    core::TemplateValues v;
    v.name = name;
    v.lineProfile = QStringLiteral("10");
    v.serviceProfile = QStringLiteral("20");
    for (int i = 0; i < core::kTemplateRows; ++i) {
        core::TemplateRow &r = v.rows[size_t(i)];
        r.enabled = i == 0;
        r.vlan = vlan;
        r.userVlan = vlan;
        r.gemPort = QStringLiteral("100");
    }
    return v;
}

class Templates : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ui::DialogService::install(&dialogs);
        templates.setSessionReadyHook([this] { return ready; });
        templates.load(dir.path(), kOltA);
    }
    void TearDown() override { ui::DialogService::install(nullptr); }

    QString fileOf(const QString &key) const { return dir.filePath(core::templateFileName(key)); }
    QByteArray bytesOf(const QString &key) const
    {
        QFile f(fileOf(key));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    std::vector<core::ServiceTemplate> stored(const QString &key) const
    {
        return core::parseTemplateFile(bytesOf(key)).value_or(std::vector<core::ServiceTemplate>{});
    }
    void add(std::initializer_list<const char *> names)
    {
        for (const char *n : names)
            ASSERT_TRUE(templates.submit(named(QString::fromUtf8(n))));
    }
    bool removeConfirmed(int index)
    {
        dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
        return templates.remove(index);
    }

    QTemporaryDir dir;
    ui::ScriptedDialogService dialogs;
    TemplatesController templates;
    bool ready = true;
};

TEST_F(Templates, EveryChangeIsWrittenAndReadBackAtTheNextLogin)
{
    add({"Internet", "TV", "Internet + TV"});
    ASSERT_TRUE(templates.beginEdit(1));
    ASSERT_TRUE(templates.submit(named(QStringLiteral("Telewizja"), QStringLiteral("942"))));
    ASSERT_TRUE(removeConfirmed(0));

    TemplatesController again;
    EXPECT_EQ(again.load(dir.path(), kOltA), TemplatesController::LoadResult::Loaded);
    EXPECT_EQ(again.templates(), templates.templates());
    EXPECT_EQ(again.names(), (QStringList{QStringLiteral("Telewizja"), QStringLiteral("Internet + TV")}));
    EXPECT_EQ(again.templates().front().settings, core::templateSettings(named({}, QStringLiteral("942")).rows));
}

TEST_F(Templates, ADeleteAnsweredNoKeepsEverything)
{
    add({"A", "B"});
    dialogs.scriptAnswer(ui::DialogService::Answer::No);
    EXPECT_FALSE(templates.remove(0));
    EXPECT_EQ(templates.names(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    ASSERT_FALSE(dialogs.shown().isEmpty());
}

struct EditDeleteCase
{
    const char *name;
    int edited;
    int removed;
    QStringList afterSave; // the names once the form's template ("X") is saved
};

class TemplatesEditedThenDeleted : public Templates, public ::testing::WithParamInterface<EditDeleteCase>
{};

// The form keeps changing the template it showed, whichever other one goes;
// when its own goes, saving makes a new one instead of overwriting a neighbour
// or writing past the end.
TEST_P(TemplatesEditedThenDeleted, SavingChangesTheTemplateTheFormShowed)
{
    const EditDeleteCase &c = GetParam();
    add({"A", "B", "C"});
    ASSERT_TRUE(templates.beginEdit(c.edited));
    ASSERT_TRUE(removeConfirmed(c.removed));
    ASSERT_TRUE(templates.submit(named(QStringLiteral("X"))));
    EXPECT_EQ(templates.names(), c.afterSave);
    EXPECT_EQ(templates.editedIndex(), -1);
    EXPECT_EQ(stored(kOltA), templates.templates());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplatesEditedThenDeleted,
    ::testing::Values(EditDeleteCase{"EarlierOneDeleted", 2, 0, {"B", "X"}},
                      EditDeleteCase{"MiddleEditedFirstDeleted", 1, 0, {"X", "C"}},
                      EditDeleteCase{"LaterOneDeleted", 0, 2, {"X", "B"}},
                      EditDeleteCase{"TheEditedOneDeleted", 1, 1, {"A", "C", "X"}},
                      EditDeleteCase{"TheLastEditedAndDeleted", 2, 2, {"A", "B", "X"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Templates, ADeleteRebuildsTheChooserAndTheSiblingPositions)
{
    add({"A", "B", "C"});
    QSignalSpy chooser(&templates, &TemplatesController::chooserEntriesChanged);
    ASSERT_TRUE(removeConfirmed(1));
    ASSERT_EQ(chooser.size(), 1);
    EXPECT_EQ(chooser.last().at(0).toStringList(),
              (QStringList{QStringLiteral("-WYBIERZ PROFIL USLUGOWY-"), QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(templates.siblingNamesMessages(QStringLiteral("H")),
              (QStringList{QStringLiteral("d2s&^H&^&^"), QStringLiteral("d2e&^H&^&^0:A&^1:C&^")}));

    // Position 1 is now C, whose VLAN the form gets.
    core::TemplateValues c = named(QStringLiteral("C"), QStringLiteral("945"));
    ASSERT_TRUE(templates.beginEdit(1));
    ASSERT_TRUE(templates.submit(c));
    RecordingForm form;
    EXPECT_TRUE(templates.applyAtSiblingPosition(1, form));
    EXPECT_EQ(form.text(core::Field::Vlan, 0), QStringLiteral("945"));

    // Position 2 no longer exists: the form is left alone, so the caller can
    // refuse rather than add an ONT without its service ports.
    RecordingForm untouched;
    EXPECT_FALSE(templates.applyAtSiblingPosition(2, untouched));
    EXPECT_TRUE(untouched.texts.empty());
    EXPECT_TRUE(untouched.flags.empty());
}

TEST_F(Templates, ApplyingCopiesProfilesAndRowsButNotServicePorts)
{
    core::TemplateValues v = named(QStringLiteral("Internet"), QStringLiteral("300"));
    v.rows[0].nativeVlan = true;
    v.rows[0].userVlan = QStringLiteral("301");
    v.rows[1].igmp = true;
    ASSERT_TRUE(templates.submit(v));

    RecordingForm form;
    EXPECT_TRUE(templates.applyToAddForm(1, form));
    EXPECT_EQ(form.text(core::Field::LineProfile), QStringLiteral("10"));
    EXPECT_EQ(form.text(core::Field::SrvProfile), QStringLiteral("20"));
    EXPECT_EQ(form.text(core::Field::Vlan, 0), QStringLiteral("300"));
    EXPECT_EQ(form.text(core::Field::UserVlan, 0), QStringLiteral("301"));
    EXPECT_EQ(form.text(core::Field::Gemport, 3), QStringLiteral("100"));
    EXPECT_EQ(form.text(core::Field::Vlan, 1), QStringLiteral("-"));
    EXPECT_EQ(form.text(core::Field::UserVlan, 1), QStringLiteral("-"));
    EXPECT_EQ(form.text(core::Field::ServicePort, 0), QStringLiteral("<untouched>"));
    EXPECT_EQ(form.flags[0], (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(form.flags[1], (std::array<bool, 3>{false, false, true}));

    RecordingForm placeholder;
    EXPECT_TRUE(templates.applyToAddForm(0, placeholder));
    EXPECT_TRUE(placeholder.texts.empty());
    for (int i = 0; i < core::kTemplateRows; ++i)
        EXPECT_EQ(placeholder.flags[i], (std::array<bool, 3>{false, false, false})) << i;
}

struct RefusedCase
{
    const char *name;
    core::TemplateValues values;
};

class TemplatesRefused : public Templates, public ::testing::WithParamInterface<RefusedCase>
{};

// A refused template is told to the operator and changes neither the list
// nor the file.
TEST_P(TemplatesRefused, LeaveListAndFileAsTheyWere)
{
    add({"Internet", "TV"});
    const QByteArray before = bytesOf(kOltA);
    dialogs.clear();
    EXPECT_FALSE(templates.submit(GetParam().values));
    EXPECT_EQ(templates.names(), (QStringList{QStringLiteral("Internet"), QStringLiteral("TV")}));
    EXPECT_EQ(bytesOf(kOltA), before);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().front().caption, QStringLiteral("Bledne dane! / Invalid input!"));
    EXPECT_TRUE(templates.refusedField().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplatesRefused,
    ::testing::Values(RefusedCase{"DuplicateName", named(QStringLiteral("TV"))},
                      RefusedCase{"DuplicateNameWithSpaces", named(QStringLiteral("Internet "))},
                      RefusedCase{"SiblingSeparatorInName", named(QStringLiteral("Internet&^TV"))},
                      RefusedCase{"VlanOutOfRange", named(QStringLiteral("Nowy"), QStringLiteral("4095"))},
                      RefusedCase{"VlanNotANumber", named(QStringLiteral("Nowy"), QStringLiteral("10 20"))}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Templates, ATemplateKeepsItsOwnNameWhenChanged)
{
    add({"Internet", "TV"});
    ASSERT_TRUE(templates.beginEdit(1));
    EXPECT_TRUE(templates.submit(named(QStringLiteral("TV"), QStringLiteral("942"))));
    EXPECT_EQ(templates.names(), (QStringList{QStringLiteral("Internet"), QStringLiteral("TV")}));
}

TEST_F(Templates, ANewOltStartsWithoutThePreviousOltsTemplates)
{
    add({"Internet", "TV"});
    ASSERT_TRUE(templates.beginEdit(0));
    QSignalSpy chooser(&templates, &TemplatesController::chooserEntriesChanged);

    EXPECT_EQ(templates.load(dir.path(), kOltB), TemplatesController::LoadResult::NoFile);
    EXPECT_TRUE(templates.templates().empty());
    EXPECT_EQ(templates.editedIndex(), -1);
    ASSERT_EQ(chooser.size(), 1);
    EXPECT_EQ(chooser.last().at(0).toStringList(), QStringList{QStringLiteral("-WYBIERZ PROFIL USLUGOWY-")});

    ASSERT_TRUE(templates.submit(named(QStringLiteral("Tylko B"))));
    EXPECT_EQ(stored(kOltB).size(), 1u);
    EXPECT_EQ(stored(kOltB).front().name, QStringLiteral("Tylko B"));
    EXPECT_EQ(stored(kOltA).size(), 2u);

    // And back: the first OLT's own file.
    EXPECT_EQ(templates.load(dir.path(), kOltA), TemplatesController::LoadResult::Loaded);
    EXPECT_EQ(templates.names(), (QStringList{QStringLiteral("Internet"), QStringLiteral("TV")}));
}

TEST_F(Templates, AnUnreadableFileIsToldAndNeverWrittenOver)
{
    add({"Internet"});
    const QByteArray foreign("TPF0\x0b" "TListView garbage that no console wrote");
    {
        QFile f(fileOf(kOltB));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(foreign);
    }
    dialogs.clear();
    EXPECT_EQ(templates.load(dir.path(), kOltB), TemplatesController::LoadResult::Unreadable);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().front().text.contains(fileOf(kOltB)));
    EXPECT_TRUE(templates.templates().empty());

    dialogs.clear();
    EXPECT_FALSE(templates.submit(named(QStringLiteral("Nowy"))));
    EXPECT_TRUE(templates.templates().empty());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().front().text.contains(QStringLiteral("nie jest nadpisywany")));
    EXPECT_EQ(bytesOf(kOltB), foreign);

    // Once the cause is gone, the next login reads and writes it again.
    QFile::remove(fileOf(kOltB));
    EXPECT_EQ(templates.load(dir.path(), kOltB), TemplatesController::LoadResult::NoFile);
    EXPECT_TRUE(templates.submit(named(QStringLiteral("Nowy"))));
    EXPECT_EQ(stored(kOltB).size(), 1u);
}

TEST_F(Templates, NothingChangesWithoutAWorkingSessionOrBeforeTheFirstLogin)
{
    ready = false;
    EXPECT_FALSE(templates.mayOpenWindow());
    EXPECT_FALSE(templates.submit(named(QStringLiteral("Internet"))));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(1).caption, QStringLiteral("Blad polaczenia!"));
    EXPECT_EQ(dialogs.shown().at(1).text, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));

    ready = true;
    TemplatesController fresh;
    fresh.setSessionReadyHook([] { return true; });
    dialogs.clear();
    EXPECT_FALSE(fresh.mayOpenWindow());
    EXPECT_FALSE(fresh.submit(named(QStringLiteral("Internet"))));
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(1).caption, QStringLiteral("Blad!"));
    EXPECT_EQ(dialogs.shown().at(1).text, QStringLiteral("Najpierw polacz sie z oltem"));
    EXPECT_TRUE(templates.templates().empty());
    EXPECT_TRUE(fresh.templates().empty());
}

} // namespace
