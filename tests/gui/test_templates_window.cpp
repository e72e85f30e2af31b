#include "provisioning/add_ont_form.h"
#include "registry/templates_controller.h"
#include "registry/templates_window.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace tervix;
using provisioning::AddOntForm;
using registry::TemplatesController;
using registry::TemplatesWindow;

namespace {

// The add form and the templates wired as the main window wires them, over a
// ready session of a known OLT.
class TemplatesWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ui::DialogService::install(&dialogs);
        templates.setSessionReadyHook([] { return true; });
        templates.load(dir.path(), QStringLiteral("021NKE10A0001"));
        host = std::make_unique<QWidget>();
        auto *column = new QVBoxLayout(host.get());
        form = new AddOntForm(host.get());
        column->addWidget(form);
        registry::connectAddForm(templates, *form, host.get());
        host->show();
    }
    void TearDown() override
    {
        host.reset();
        ui::DialogService::install(nullptr);
    }

    TemplatesWindow *openWindow()
    {
        QTest::mouseClick(form->serviceTemplatesButton, Qt::LeftButton);
        return host->findChild<TemplatesWindow *>();
    }

    static void type(QLineEdit *e, const QString &text)
    {
        e->clear();
        QTest::keyClicks(e, text);
    }

    void choose(int entry)
    {
        form->serviceTemplateChooser->setCurrentIndex(entry);
        Q_EMIT form->serviceTemplateChooser->activated(entry);
    }

    QTemporaryDir dir;
    ui::ScriptedDialogService dialogs;
    TemplatesController templates;
    std::unique_ptr<QWidget> host;
    AddOntForm *form = nullptr;
};

TEST_F(TemplatesWindowTest, ATemplateMadeInTheWindowFillsTheAddForm)
{
    TemplatesWindow *w = openWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);

    type(w->nameEdit, QStringLiteral("Internet + TV"));
    type(w->lineProfileEdit, QStringLiteral("12"));
    type(w->serviceProfileEdit, QStringLiteral("34"));
    w->rowEnabled[0]->setChecked(true);
    w->nativeBox[0]->setChecked(true);
    type(w->vlanEdit[0], QStringLiteral("300"));
    type(w->gemPortEdit[0], QStringLiteral("7"));
    type(w->userVlanEdit[0], QStringLiteral("301"));
    w->rowEnabled[1]->setChecked(true);
    w->igmpBox[1]->setChecked(true);
    type(w->vlanEdit[1], QStringLiteral("942"));
    type(w->userVlanEdit[1], QStringLiteral("942"));
    QTest::mouseClick(w->addButton, Qt::LeftButton);
    ASSERT_TRUE(dialogs.shown().isEmpty()) << dialogs.shown().front().text.toStdString();

    ASSERT_EQ(w->templateList->topLevelItemCount(), 1);
    EXPECT_EQ(w->templateList->topLevelItem(0)->text(1), QStringLiteral("Internet + TV"));
    EXPECT_EQ(w->templateList->topLevelItem(0)->text(2),
              QStringLiteral("-1;-;300;-1;0;7;301;^-1;-;942;0;-1;100;942;^0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^"));
    EXPECT_EQ(w->vlanEdit[3]->text(), QStringLiteral("950")); // the form was reset
    ASSERT_EQ(form->serviceTemplateChooser->count(), 2);
    EXPECT_EQ(form->serviceTemplateChooser->itemText(1), QStringLiteral("Internet + TV"));
    EXPECT_EQ(form->serviceTemplateChooser->currentIndex(), 0);

    form->servicePortEnabled[2]->setChecked(true);
    form->vlan[2]->setText(QStringLiteral("777"));
    choose(1);
    EXPECT_EQ(form->lineProfile->text(), QStringLiteral("12"));
    EXPECT_EQ(form->serviceProfile->text(), QStringLiteral("34"));
    EXPECT_TRUE(form->servicePortEnabled[0]->isChecked());
    EXPECT_TRUE(form->nativeVlan[0]->isChecked());
    EXPECT_FALSE(form->igmp[0]->isChecked());
    EXPECT_EQ(form->vlan[0]->text(), QStringLiteral("300"));
    EXPECT_EQ(form->gemPort[0]->text(), QStringLiteral("7"));
    EXPECT_EQ(form->userVlan[0]->text(), QStringLiteral("301"));
    EXPECT_TRUE(form->igmp[1]->isChecked());
    // Rows the template has off are off, with "-" for their VLANs.
    EXPECT_FALSE(form->servicePortEnabled[2]->isChecked());
    EXPECT_EQ(form->vlan[2]->text(), QStringLiteral("-"));
    EXPECT_EQ(form->userVlan[2]->text(), QStringLiteral("-"));
    // Every ONT gets its own service ports.
    EXPECT_EQ(form->servicePort[0]->text(), QStringLiteral("Auto"));
    EXPECT_EQ(form->servicePort[1]->text(), QStringLiteral("Auto+1"));

    choose(0);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(form->servicePortEnabled[i]->isChecked()) << i;
        EXPECT_FALSE(form->nativeVlan[i]->isChecked()) << i;
        EXPECT_FALSE(form->igmp[i]->isChecked()) << i;
    }
    EXPECT_EQ(form->vlan[0]->text(), QStringLiteral("300"));
}

TEST_F(TemplatesWindowTest, EditingKeepsThePlaceAndDeletingEmptiesTheChooserEntry)
{
    core::TemplateValues v;
    v.rows[0] = {true, QStringLiteral("10"), QStringLiteral("1"), false, false, QStringLiteral("10")};
    for (const char *n : {"A", "B"}) {
        v.name = QString::fromLatin1(n);
        ASSERT_TRUE(templates.submit(v));
    }
    TemplatesWindow *w = openWindow();
    ASSERT_NE(w, nullptr);
    w->templateList->setCurrentItem(w->templateList->topLevelItem(0));
    w->editAction->trigger();
    EXPECT_EQ(w->nameEdit->text(), QStringLiteral("A"));
    EXPECT_EQ(w->vlanEdit[0]->text(), QStringLiteral("10"));
    type(w->nameEdit, QStringLiteral("A2"));
    QTest::mouseClick(w->addButton, Qt::LeftButton);
    EXPECT_EQ(templates.names(), (QStringList{QStringLiteral("A2"), QStringLiteral("B")}));
    EXPECT_EQ(form->serviceTemplateChooser->itemText(1), QStringLiteral("A2"));

    w->templateList->setCurrentItem(w->templateList->topLevelItem(0));
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    w->removeAction->trigger();
    ASSERT_EQ(w->templateList->topLevelItemCount(), 1);
    ASSERT_EQ(form->serviceTemplateChooser->count(), 2);
    EXPECT_EQ(form->serviceTemplateChooser->itemText(1), QStringLiteral("B"));
}

} // namespace
