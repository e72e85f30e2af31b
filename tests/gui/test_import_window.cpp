#include "../integration/provisioning_rig.h"

#include "core/timing.h"
#include "provisioning/controller_context.h"
#include "registry/import_controller.h"
#include "registry/import_window.h"
#include "registry/ont_list.h"
#include "session/olt_connection.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "ui/dialog_service.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tervix;
using registry::ImportController;
using registry::ImportWindow;
using Stage = ImportController::Stage;

namespace {

const QString kOk = QStringLiteral("[OK] ");

// What the four listing labels show: which are prefixed "[OK] " and which
// one is bold, as "ok" / "b" / "-" per label.
std::string labelState(const ImportWindow &w)
{
    std::string s;
    for (const QLabel *l : w.listingLabels) {
        if (!s.empty())
            s += ' ';
        const bool done = l->text().startsWith(kOk);
        const bool bold = l->font().bold();
        s += done && bold ? "ok+b" : done ? "ok" : bold ? "b" : "-";
    }
    return s;
}

// The window on a controller of a session that is not connected; whether the
// session counts as working is the test's to say.
class ImportWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ui::DialogService::install(&dialogs);
        context.hooks().sessionReady = [this] { return ready; };
        window = std::make_unique<ImportWindow>(controller);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        ui::DialogService::install(nullptr);
    }

    void startWith(const QString &frame)
    {
        window->frameEdit->setText(frame);
        QTest::mouseClick(window->startButton, Qt::LeftButton);
    }

    QColor promptBackground() const { return window->promptPanel->palette().color(QPalette::Window); }

    ui::ScriptedDialogService dialogs;
    session::OltSession session{timing::kQuietMs};
    session::StepEngine engine{session, nullptr};
    registry::OntList list;
    provisioning::ControllerContext context{session, engine, list};
    ImportController controller{context};
    std::unique_ptr<ImportWindow> window;
    bool ready = false;
};

TEST_F(ImportWindowTest, ListingLabelsFollowTheImport)
{
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("[Import danych z OLT] Pobierz wszystkie informacje o koncowkach na OLT"));
    EXPECT_EQ(labelState(*window), "- - - -");
    EXPECT_EQ(window->listingLabels[2]->text(),
              QStringLiteral("- Zbieram informacje o VLAN (tag/untag transparent/transform)"));

    // One import read to the end, a second one started over it that fails
    // after its first listing, then the import forgotten.
    const struct
    {
        Stage stage;
        const char *labels;
    } steps[] = {
        {Stage::Onts, "b - - -"},
        {Stage::ServicePorts, "ok b - -"},
        {Stage::Igmp, "ok ok ok b"},
        {Stage::Ready, "ok ok ok ok"},
        {Stage::Onts, "b - - -"},
        {Stage::ServicePorts, "ok b - -"},
        {Stage::Failed, "ok - - -"},
        {Stage::Idle, "- - - -"},
    };
    for (const auto &step : steps) {
        Q_EMIT controller.stageChanged(step.stage);
        EXPECT_EQ(labelState(*window), step.labels) << "stage " << int(step.stage);
    }
    EXPECT_EQ(window->listingLabels[0]->text(), QStringLiteral("- Zbieram informacje o koncowkach"));
}

TEST_F(ImportWindowTest, StartForwardsTheFrameAndWantsAWorkingSession)
{
    const struct
    {
        bool ready;
        const char *frame;
        const char *caption;
    } refused[] = {
        {false, "0", "Blad polaczenia!"},
        {true, "0 all", "Blad!"},
    };
    for (const auto &c : refused) {
        ready = c.ready;
        dialogs.clear();
        startWith(QString::fromLatin1(c.frame));
        ASSERT_EQ(dialogs.shown().size(), 1) << c.frame;
        EXPECT_EQ(dialogs.shown().front().caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(controller.stage(), Stage::Idle);
        EXPECT_EQ(labelState(*window), "- - - -");
    }

    ready = true;
    dialogs.clear();
    startWith(QStringLiteral("0"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(controller.stage(), Stage::Onts);
    EXPECT_EQ(labelState(*window), "b - - -");
    EXPECT_EQ(window->countLabel->text(), QStringLiteral("Znaleziono: 0"));
}

TEST_F(ImportWindowTest, ApplyIsOfferedOnlyWhenTheControllerAllowsIt)
{
    EXPECT_FALSE(window->applyButton->isEnabled());
    Q_EMIT controller.applyEnabled(true);
    ASSERT_TRUE(window->applyButton->isEnabled());
    // The press reaches the controller, which wants a working session first.
    QTest::mouseClick(window->applyButton, Qt::LeftButton);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().front().caption, QStringLiteral("Blad polaczenia!"));
    Q_EMIT controller.applyEnabled(false);
    EXPECT_FALSE(window->applyButton->isEnabled());
}

TEST_F(ImportWindowTest, AFailedImportShowsWhyInRedUntilTheNextStart)
{
    ready = true;
    startWith(QStringLiteral("0"));
    ASSERT_EQ(controller.stage(), Stage::Onts);
    Q_EMIT session.connection().disconnected();
    ASSERT_EQ(controller.stage(), Stage::Failed);
    EXPECT_EQ(window->problemsView->toPlainText(), controller.problems().join(u'\n'));
    EXPECT_TRUE(window->problemsView->toPlainText().contains(QStringLiteral("Rozlaczono")));
    EXPECT_TRUE(window->problemsView->isReadOnly());
    EXPECT_EQ(window->problemsView->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(labelState(*window), "- - - -");

    startWith(QStringLiteral("0"));
    EXPECT_TRUE(window->problemsView->toPlainText().isEmpty());
}

TEST_F(ImportWindowTest, TheSynchronisationOfferBlinksUntilTheWindowCloses)
{
    EXPECT_FALSE(window->promptPanel->isVisible());
    window->hide();

    Q_EMIT controller.promptRequested(3, 5, QStringLiteral("olt: 5 lst: 3 ctrl: 42"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->promptPanel->isVisible());
    EXPECT_EQ(window->listCountLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(window->oltCountLabel->text(), QStringLiteral("5"));
    EXPECT_EQ(window->controlLabel->text(), QStringLiteral("olt: 5 lst: 3 ctrl: 42"));
    EXPECT_EQ(window->startButton->text(), QStringLiteral("Synchronize / Synchronizuj z OLT!"));

    const QColor light(255, 196, 196);
    const QColor dark(255, 157, 157);
    EXPECT_EQ(window->blinkTimer->interval(), 800);
    EXPECT_EQ(promptBackground(), light);
    QSignalSpy ticks(window->blinkTimer, &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(10000));
    EXPECT_EQ(promptBackground(), dark);
    ASSERT_TRUE(ticks.wait(10000));
    EXPECT_EQ(promptBackground(), light);

    window->hidePromptBox->setChecked(true);
    EXPECT_TRUE(controller.promptHidden());

    // Pressing the synchronisation starts an import; closing forgets it.
    ready = true;
    QTest::mouseClick(window->startButton, Qt::LeftButton);
    ASSERT_TRUE(controller.reading());
    window->close();
    EXPECT_EQ(controller.stage(), Stage::Idle);
    EXPECT_EQ(engine.pending(), session::StepEngine::kNoStep);
    EXPECT_FALSE(window->promptPanel->isVisible());
    EXPECT_FALSE(window->blinkTimer->isActive());
    EXPECT_EQ(window->startButton->text(), QStringLiteral("Pobierz wszystkie koncowki z OLT!"));

    // The controller closes the window when it is no longer needed.
    window->show();
    Q_EMIT controller.closeRequested();
    EXPECT_FALSE(window->isVisible());
}

// The window on the main session's context, importing the demo OLT's frame.
class ImportWindowOltsim : public test::ProvisioningRig
{
};

TEST_F(ImportWindowOltsim, TheFrameReadShowsInTheTable)
{
    ASSERT_NO_FATAL_FAILURE(connectAndList());
    ImportController import(wiring->context());
    ImportWindow w(import);
    w.show();
    QTest::mouseClick(w.startButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !import.reading(); }, 30000));
    ASSERT_EQ(import.stage(), Stage::Ready) << import.problems().join(u'\n').toStdString();

    const auto &rows = import.rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(w.countLabel->text(), QStringLiteral("Znaleziono: %1").arg(rows.size()));
    EXPECT_EQ(labelState(w), "ok ok ok ok");
    EXPECT_TRUE(w.applyButton->isEnabled());
    EXPECT_TRUE(w.problemsView->toPlainText().isEmpty());

    const QAbstractItemModel *model = w.rowsView->model();
    ASSERT_EQ(model->rowCount(), int(rows.size()));
    QStringList headers;
    for (int c = 0; c < model->columnCount(); ++c)
        headers << model->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers, (QStringList{QString(), "E/Gpon", "buda", "karta", "port", "IDont", "Nazwa", "MAC S/N",
                                    "SrvisPort/vlan/u-tag/igmp/Gemport", "Active?", "Online?"}));
    const core::ImportRow &last = rows.back();
    const int r = model->rowCount() - 1;
    const QStringList shown{model->index(r, 1).data().toString(), model->index(r, 4).data().toString(),
                            model->index(r, 6).data().toString(), model->index(r, 7).data().toString(),
                            model->index(r, 8).data().toString(), model->index(r, 10).data().toString()};
    EXPECT_EQ(shown, (QStringList{last.ponType, last.port, last.name, last.serialOrMac, last.servicePorts, last.online}));

    // Closing the window forgets what was read.
    w.close();
    EXPECT_EQ(import.stage(), Stage::Idle);
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(w.countLabel->text(), QStringLiteral("Znaleziono: 0"));
}

} // namespace

namespace {

// When the counters' comparison offers a synchronisation, and when the offer
// closes again.
TEST_F(ImportWindowTest, TheSynchronisationIsOfferedOnlyWhenTheCountsReallyDisagree)
{
    QSignalSpy offered(&controller, &ImportController::promptRequested);
    QSignalSpy closing(&controller, &ImportController::closeRequested);

    controller.compareCounts(12, 0);
    EXPECT_EQ(offered.count(), 0) << "no state listing yet: the OLT's count is unknown";
    controller.compareCounts(12, 12);
    EXPECT_EQ(offered.count(), 0);

    controller.compareCounts(12, 15);
    ASSERT_EQ(offered.count(), 1);
    EXPECT_EQ(offered.first().at(0).toInt(), 12);
    EXPECT_EQ(offered.first().at(1).toInt(), 15);
    EXPECT_TRUE(offered.first().at(2).toString().startsWith(QStringLiteral("olt: 15 lst: 12 ctrl: ")));
    EXPECT_TRUE(window->promptPanel->isVisible());

    // The counts agree again with nothing imported: the offer goes.
    controller.compareCounts(15, 15);
    EXPECT_EQ(closing.count(), 1);

    window->hidePromptBox->setChecked(true);
    controller.compareCounts(12, 15);
    EXPECT_EQ(offered.count(), 1) << "\"Dont show egain\" keeps it away";
}

} // namespace
