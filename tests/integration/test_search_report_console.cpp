// The search box and the slot report inside the console.
#include "demo_console.h"
#include "listed_ont.h"

#include "core/ont_search.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "registry/search_box.h"
#include "ui/url_opener.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

using namespace tervix;

namespace {

class SearchAndReport : public test::DemoConsole
{
protected:
    void TearDown() override
    {
        ui::UrlOpener::install(nullptr);
        test::DemoConsole::TearDown();
    }
};

TEST_F(SearchAndReport, TheChosenResultIsSelectedWhereverTheListMovedIt)
{
    app::MainWindow &w = start();
    w.ontListPanel().searchButton->click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_FALSE(w.searchBox().isVisible());

    ASSERT_TRUE(connectAndListWaiting(w));
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts)
        rows.push_back(test::listedOnt(o));
    w.ontList().replaceAll(rows);
    w.ontListPanel().searchButton->click();
    registry::SearchBox &box = w.searchBox();
    ASSERT_TRUE(box.isVisible());

    const core::OntRecord wanted = rows[5];
    box.textField->setText(wanted.serialOrMac.toLower());
    box.modeChooser->setCurrentIndex(int(core::SearchMode::SerialOrMac));
    box.wholeTextBox->setChecked(true);
    box.searchButton->click();
    ASSERT_EQ(box.results->rowCount(), 1);
    EXPECT_EQ(box.title(), QStringLiteral("Znaleziono: 1 "));

    // The list is reloaded in another order before the result is chosen.
    std::reverse(rows.begin(), rows.end());
    w.ontList().replaceAll(rows);
    box.choose(0);
    const int row = w.ontListPanel().selectedBasicRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(w.ontList().record(row).serialOrMac, wanted.serialOrMac);
    EXPECT_EQ(w.ontListPanel().viewPages->currentWidget(), w.ontListPanel().basicView);

    // Gone from the list: choosing it selects nothing else.
    rows.erase(std::find(rows.begin(), rows.end(), wanted));
    w.ontList().replaceAll(rows);
    w.ontListPanel().selectBasicRow(0);
    box.choose(0);
    EXPECT_EQ(w.ontListPanel().selectedBasicRow(), 0);
}

TEST_F(SearchAndReport, TheReportIsWrittenEscapedAndOpenedOrTheOperatorIsTold)
{
    ui::RecordingUrlOpener opener;
    ui::UrlOpener::install(&opener);
    app::MainWindow &w = start();
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts)
        if (o.slot == 1)
            rows.push_back(test::listedOnt(o));
    rows[0].name = QStringLiteral("<b>Żółć & \"syn\"</b>");
    w.ontList().replaceAll(rows);

    w.ontListPanel().advancedMenu->actions().at(registry::OntListPanel::SlotReport)->trigger();
    ASSERT_EQ(opener.opened().size(), 1);
    QFile f(opener.opened().first().toLocalFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString html = QString::fromUtf8(bytes);
    // For a look in a real browser.
    if (const QString dir = qEnvironmentVariable("TERVIX_SCREENSHOT_DIR"); !dir.isEmpty()) {
        QFile copy(dir + QStringLiteral("/tervix_ont.html"));
        if (copy.open(QIODevice::WriteOnly))
            copy.write(bytes);
    }
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt;Żółć &amp; &quot;syn&quot;&lt;/b&gt;")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>Żółć")));
    EXPECT_TRUE(html.contains(QStringLiteral("OLT_Slot_Port: 0/1/0")));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    opener.setAnswer(false);
    EXPECT_FALSE(w.writeSlotReport());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("could not be opened")));
}

} // namespace
