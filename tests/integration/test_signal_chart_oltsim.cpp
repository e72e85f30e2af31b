// "Wykres / Chart Signal" from the list's pop-up menu and from the diagnosis
// panel: the chart reads the connected OLT's folder in the console's data
// folder, and an ONT without history opens nothing.
#include "demo_console.h"

#include "core/ont_record.h"
#include "registry/ont_info_panel.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "signal/signal_chart_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace tervix;

namespace {

class SignalChartOnOltsim : public test::DemoConsole
{
protected:
    int listOnt(const QString &id, const QString &name)
    {
        core::OntRecord r;
        r.ponType = QStringLiteral("G.PON");
        r.frame = QStringLiteral("0");
        r.slot = QStringLiteral("1");
        r.port = QStringLiteral("2");
        r.ontId = id;
        r.name = name;
        return w->ontList().add(r);
    }

    void writeHistory(const QString &id) const
    {
        const QString folder = QDir(w->login().appDir()).filePath(w->login().oltKey());
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile f(folder + QStringLiteral("/data-0.1.2.") + id + QStringLiteral(".ph"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("**6.3.24**\r\n#5.3.24#-20*-22*##\r\n#6.3.24#-21*-23*##\r\n#7.3.24#-45*-45*##\r\n");
    }

    void chartFromMenu(int row)
    {
        w->ontListPanel().selectAdvancedRow(row);
        w->ontListPanel().advancedMenu->actions().at(registry::OntListPanel::Chart)->trigger();
    }

    app::MainWindow *w = nullptr;
};

TEST_F(SignalChartOnOltsim, MenuItemNeedsASessionThenShowsTheOntsHistory)
{
    w = &start();
    int withHistory = listOnt(QStringLiteral("5"), QStringLiteral("Jan"));
    EXPECT_EQ(w->ontListPanel().advancedMenu->actions().at(registry::OntListPanel::Chart)->text(),
              QStringLiteral("Wykres / Chart Signal"));

    chartFromMenu(withHistory);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
    EXPECT_EQ(w->signalChartWindow(), nullptr);

    ASSERT_TRUE(connectAndListWaiting(*w));
    ASSERT_FALSE(w->login().oltKey().isEmpty());
    writeHistory(QStringLiteral("5"));
    dialogs.clear();
    // The login reads the OLT's own list in place of what was there.
    withHistory = listOnt(QStringLiteral("5"), QStringLiteral("Jan"));
    const int without = listOnt(QStringLiteral("6"), QStringLiteral("Ewa"));

    chartFromMenu(without);
    EXPECT_TRUE(w->signalChartWindow() == nullptr || !w->signalChartWindow()->isVisible());

    chartFromMenu(withHistory);
    ASSERT_NE(w->signalChartWindow(), nullptr);
    EXPECT_TRUE(w->signalChartWindow()->isVisible());
    EXPECT_EQ(w->signalChartWindow()->titleLabel->text(), QStringLiteral("Loid: 0.1.2.5 - [Jan]"));
    EXPECT_EQ(w->signalChartWindow()->chartImage().width(), 41 * 3 + 49);
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(SignalChartOnOltsim, DiagnosisPanelButtonOpensTheChartOfTheOntShown)
{
    w = &start();
    ASSERT_TRUE(connectAndListWaiting(*w));
    writeHistory(QStringLiteral("5"));
    registry::OntInfoPanel &panel = w->ontInfoPanel();
    ASSERT_TRUE(panel.chartButton->isEnabled());
    panel.frameLabel->setText(QStringLiteral("0"));
    panel.slotLabel->setText(QStringLiteral("1"));
    panel.portLabel->setText(QStringLiteral("2"));
    panel.idLabel->setText(QStringLiteral("5"));
    panel.nameLabel->setText(QStringLiteral("[ Jan ]"));
    panel.chartButton->click();
    ASSERT_NE(w->signalChartWindow(), nullptr);
    EXPECT_TRUE(w->signalChartWindow()->isVisible());
    EXPECT_EQ(w->signalChartWindow()->titleLabel->text(), QStringLiteral("Loid: 0.1.2.5 - [ Jan ]"));
}

} // namespace
