// The console against an OLT that misbehaves: a login that never answers, a
// line that drops in the middle of the work, listings with stray bytes.
#include "demo_console.h"

#include "provisioning/add_ont_form.h"
#include "provisioning/provisioning_wiring.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QAction>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

using namespace tervix;

namespace {

using ConsoleFaults = test::DemoConsole;

TEST_F(ConsoleFaults, LoginThatNeverAnswersEndsInTheConfigurationBox)
{
    sim.setLoginNeverAnswers(true);
    app::MainWindow &w = start();
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialogs.shown().isEmpty(); }, 20000));
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("OLT Problem Config"));
    EXPECT_TRUE(dialogs.shown().first().text.startsWith(QStringLiteral("Problem z konf OLT!")));
    EXPECT_EQ(w.outputMemo->toPlainText(), QStringLiteral("[100%] Wait.. / Czekaj.."));
    EXPECT_TRUE(w.connectButton->isEnabled());
    EXPECT_FALSE(w.login().sessionReady());
    EXPECT_TRUE(w.login().oltKey().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.sessionCount() == 0; }, 20000)); // the silent line was closed
    EXPECT_EQ(sim.receivedTexts(2), QStringList()); // no working session was opened
}

TEST_F(ConsoleFaults, DroppedWorkingSessionIsReportedAndEnterInThePasswordReconnects)
{
    // The identification session types five commands and leaves by itself;
    // the working session is cut after its preparation and first listing.
    sim.setDropAfterCommands(6);
    app::MainWindow &w = start();
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedTexts(2).size() >= 8; }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.outputMemo->toPlainText().trimmed().endsWith(QStringLiteral("Rozlaczono / Disconnect")); },
                                10000))
        << w.outputMemo->toPlainText().toStdString();
    EXPECT_EQ(w.login().state(), app::OltLoginController::State::Lost);
    EXPECT_FALSE(w.session().connection().isConnected());
    EXPECT_FALSE(w.connectButton->isEnabled()); // the list was loaded: only Enter in the password connects again
    EXPECT_TRUE(dialogs.shown().isEmpty());

    sim.setDropAfterCommands(-1);
    QTest::keyClick(w.passwordField, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return w.login().sessionReady() && w.unauthorisedTab().model().rowCount() == kWaitingOnts; }, 30000))
        << w.outputMemo->toPlainText().toStdString();
    EXPECT_EQ(w.login().oltKey(), QStringLiteral("2102113130p0b7000123"));
}

TEST_F(ConsoleFaults, LineDroppedWhileAnAddIsTypedLeavesTheOntUnlisted)
{
    app::MainWindow &w = start();
    ASSERT_TRUE(connectAndListWaiting(w));
    provisioning::UnauthorisedTab &tab = w.unauthorisedTab();
    provisioning::AddOntForm &form = w.addForm();
    int row = -1;
    ASSERT_TRUE(takeToTheForm(w, u"48575443DE135E2D", &row));

    // The OLT hangs up after the third line of the batch ("ont add").
    const QStringList typed = sim.receivedTexts(2);
    const qsizetype commands = typed.size() - typed.count(QString()) - 2; // less the user name and password
    sim.setDropAfterCommands(int(commands) + 3);
    form.servicePortEnabled[0]->setChecked(true);
    QTest::mouseClick(form.addButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.provisioning().adding().batchInProgress(); }, 10000));

    for (const QString &line : sim.receivedTexts(2).mid(typed.size()))
        EXPECT_FALSE(line.startsWith(QStringLiteral("service-port"))) << "the batch went out whole";
    EXPECT_FALSE(w.session().connection().isConnected());
    EXPECT_TRUE(w.outputMemo->toPlainText().contains(QStringLiteral("przerwane")));
    EXPECT_EQ(w.ontList().size(), 0);
    EXPECT_NE(tab.model().rows()[row].icon, provisioning::UnauthorisedModel::kIconAdded);
    EXPECT_TRUE(form.addButton->isEnabled()); // the operator may try again once reconnected
}

bool clean(const QString &s)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Za-z /:\\-]*$"));
    return plain.match(s).hasMatch();
}

TEST_F(ConsoleFaults, StrayBytesInListingsNeverReachACommand)
{
    sim.setGarbageEveryLines(3);
    app::MainWindow &w = start();
    ASSERT_TRUE(connectAndListWaiting(w));
    provisioning::UnauthorisedTab &tab = w.unauthorisedTab();
    provisioning::AddOntForm &form = w.addForm();
    const auto idle = [&] {
        return QTest::qWaitFor(
            [&] { return w.engine().pending() == session::StepEngine::kNoStep && w.session().pacer().isIdle(); },
            10000);
    };

    // Every waiting ONT is taken to the form and added as it was read, stray
    // bytes and all; what the listings garbled must be refused, not typed.
    int garbledPlaces = 0;
    for (int row = 0; row < kWaitingOnts; ++row) {
        const core::UnauthorisedOnt ont = tab.model().rows()[row].ont;
        garbledPlaces += clean(ont.port) ? 0 : 1;
        dialogs.clear();
        tab.unauthorisedView->selectionModel()->select(tab.model().index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tab.addAsNewAction->trigger();
        ASSERT_TRUE(idle());
        QTest::qWait(100);
        form.servicePortEnabled[0]->setChecked(true);
        QTest::mouseClick(form.addButton, Qt::LeftButton);
        ASSERT_TRUE(idle());
        QTest::qWait(100);
        if (!clean(ont.port)) {
            ASSERT_FALSE(dialogs.shown().isEmpty()) << ont.port.toStdString();
            EXPECT_TRUE(dialogs.shown().last().text.startsWith(QStringLiteral("Pole \"Port\"")));
        }
    }
    ASSERT_GT(garbledPlaces, 0) << "the fault did not touch a place; the test shows nothing";

    // Nothing the OLT received carries a stray byte, and some ONTs still got in.
    for (const QString &line : sim.receivedTexts())
        EXPECT_TRUE(clean(QString(line).remove(u'"').remove(u'.').remove(u'_').remove(u'|'))) << line.toStdString();
    int added = 0;
    for (const auto &r : tab.model().rows())
        added += r.icon == provisioning::UnauthorisedModel::kIconAdded ? 1 : 0;
    EXPECT_GT(added, 0);
    EXPECT_EQ(w.ontList().size(), added);
}

} // namespace
