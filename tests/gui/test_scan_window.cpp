#include "core/ont_record.h"
#include "core/signal_class.h"
#include "registry/ont_list.h"
#include "signal/critical_signal_window.h"
#include "signal/scan_controller.h"
#include "signal/scan_list_model.h"
#include "signal/scan_window.h"
#include "ui/colors.h"
#include "ui/dialog_service.h"
#include "ui/ont_list_images.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace tervix;
using signal::ScanController;
using signal::ScanListModel;
using signal::ScanMode;
using signal::ScanWindow;

namespace {

class ScanWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ui::DialogService::install(&dialogs);
        controller = std::make_unique<ScanController>(list, dir.path() + u'/');
        window = std::make_unique<ScanWindow>(*controller);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        controller.reset();
        ui::DialogService::install(nullptr);
    }

    QTemporaryDir dir;
    ui::ScriptedDialogService dialogs;
    registry::OntList list;
    std::unique_ptr<ScanController> controller;
    std::unique_ptr<ScanWindow> window;
};

TEST_F(ScanWindowTest, ThresholdBoxesShowWhatTheClassesUseAndWriteItBack)
{
    EXPECT_EQ(window->ontThresholdBox->value(), -28);
    EXPECT_EQ(window->oltThresholdBox->value(), -29);

    window->ontThresholdBox->setValue(-31);
    window->oltThresholdBox->setValue(-45);
    EXPECT_EQ(controller->thresholds().ontRx, -31);
    EXPECT_EQ(controller->thresholds().oltRx, -45);

    // The box keeps the operator within the range the classes accept.
    window->oltThresholdBox->setValue(-80);
    EXPECT_EQ(window->oltThresholdBox->value(), core::SignalThresholds::kMinimum);
    EXPECT_EQ(controller->thresholds().oltRx, core::SignalThresholds::kMinimum);
}

TEST_F(ScanWindowTest, ModeAndFastScanReachTheController)
{
    EXPECT_EQ(window->modeChooser->currentText(), QStringLiteral("Caly port / Whole port"));
    EXPECT_FALSE(window->fastStatusBox->isChecked());

    const struct
    {
        const char *caption;
        ScanMode mode;
    } choices[] = {
        {"Po jednym ONT / One ONT at a time", ScanMode::PerOnt},
        {"Caly port / Whole port", ScanMode::WholePort},
    };
    for (const auto &c : choices) {
        SCOPED_TRACE(c.caption);
        const int i = window->modeChooser->findText(QString::fromLatin1(c.caption));
        ASSERT_GE(i, 0);
        window->modeChooser->setCurrentIndex(i);
        EXPECT_EQ(controller->mode(), c.mode);
    }

    QTest::mouseClick(window->fastStatusBox, Qt::LeftButton);
    EXPECT_TRUE(controller->fastStatus());
    QTest::mouseClick(window->fastStatusBox, Qt::LeftButton);
    EXPECT_FALSE(controller->fastStatus());
}

TEST_F(ScanWindowTest, ShowsTheReadingProgressAndARefusedLogin)
{
    const QStringList start{"gpon", "0", "4", "1", "1"};
    for (int i = 0; i < int(start.size()); ++i)
        EXPECT_EQ(window->currentEdits[size_t(i)]->text(), start[i]);

    Q_EMIT controller->positionChanged(3, 40);
    EXPECT_EQ(window->progressBar->maximum(), 40);
    EXPECT_EQ(window->progressBar->value(), 3);
    EXPECT_EQ(window->positionBox->value(), 3);

    Q_EMIT controller->loginRefused(QStringLiteral("Username or password invalid."));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown()[0].caption, QStringLiteral("Blad logowania!"));
    EXPECT_EQ(dialogs.shown()[0].text,
              QStringLiteral("Skanowanie zatrzymane: OLT odrzucil logowanie / Scanning stopped: the OLT "
                             "refused the login.\nUsername or password invalid."));
    EXPECT_TRUE(window->statusLabel->text().contains(QStringLiteral("Username or password invalid.")));
    EXPECT_TRUE(window->statusLabel->styleSheet().contains(QStringLiteral("red")));

    Q_EMIT controller->passStatusChanged(QStringLiteral("continue 3"));
    EXPECT_EQ(window->statusLabel->text(), QStringLiteral("continue 3"));
    EXPECT_FALSE(window->statusLabel->styleSheet().contains(QStringLiteral("red")));
}

TEST_F(ScanWindowTest, SixTimesYInTheScanListShowsTheDiagnosticsButton)
{
    window->scanView->setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(window->scanView, Qt::Key_Y);
    EXPECT_TRUE(window->debugButton->isHidden());
    QTest::keyClick(window->scanView, Qt::Key_Y);
    EXPECT_FALSE(window->debugButton->isHidden());
}

TEST(ScanListModel, ColumnsShowTheScanRowWithItsImage)
{
    QList<core::ScanRow> rows;
    ScanListModel model(rows);
    EXPECT_EQ(ScanListModel::headers(),
              (QStringList{"st", "typ", "b", "k", "p", "id", "Nazwa/Name", "rx ont/olt", "Data/Day", "OLT", "Index"}));
    ASSERT_EQ(model.columnCount(), ScanListModel::headers().size());
    for (int c = 0; c < model.columnCount(); ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal).toString(), ScanListModel::headers()[c]);

    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    rows.append({QStringLiteral("gpon"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                 QStringLiteral("7"), QStringLiteral("Kowalski"), QString(), QStringLiteral("-"),
                 QStringLiteral("10.0.0.1"), 41, 0});
    model.rebuild();
    EXPECT_EQ(resets.size(), 1);
    ASSERT_EQ(model.rowCount(), 1);
    const QStringList shown{QString(), "gpon", "0", "1", "2", "7", "Kowalski", QString(), "-", "10.0.0.1", "41"};
    for (int c = 0; c < model.columnCount(); ++c)
        EXPECT_EQ(model.index(0, c).data().toString(), shown[c]) << "column " << c;

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    rows[0].levels = QStringLiteral("-21*-24*");
    rows[0].image = core::RowImage::Online;
    model.rowChanged(0);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 0);
    EXPECT_EQ(model.index(0, ScanListModel::Levels).data().toString(), QStringLiteral("-21*-24*"));
    EXPECT_EQ(model.index(0, ScanListModel::State).data(ScanListModel::ImageRole).toInt(), core::RowImage::Online);
    const QIcon icon = model.index(0, ScanListModel::State).data(Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(icon.pixmap(16).toImage(), ui::rowImageIcon(core::RowImage::Online).pixmap(16).toImage());
}

TEST_F(ScanWindowTest, ScanListHidesOnlyTheKeyColumns)
{
    for (int c = 0; c < ScanListModel::ColumnCount; ++c)
        EXPECT_EQ(window->scanView->isColumnHidden(c), c == ScanListModel::OltKey || c == ScanListModel::SourceRow)
            << "column " << c;
}

core::OntRecord tile(const QString &name, const QString &id, const core::OpticalLevels &levels, int image)
{
    core::OntRecord r;
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = QStringLiteral("1");
    r.port = QStringLiteral("3");
    r.ontId = id;
    r.name = name;
    r.serialOrMac = QStringLiteral("48575443A1B2C3") + id;
    core::initBasicTexts(r, id, QString());
    r.signalCell = core::tileDescriptionAfterReading(r.signalCell, levels, core::SignalThresholds{});
    r.basicImage = image;
    return r;
}

TEST(CriticalSignalWindow, ListsTheOnlineCriticalTilesOnly)
{
    using core::OpticalLevels;
    using core::RowImage::Offline;
    using core::RowImage::Online;
    registry::OntList list;
    list.add(tile(QStringLiteral("normal"), QStringLiteral("1"), OpticalLevels::of(-20, -22), Online));
    list.add(tile(QStringLiteral("weak ont"), QStringLiteral("2"), OpticalLevels::of(-30, -22), Online));
    list.add(tile(QStringLiteral("bad"), QStringLiteral("3"), OpticalLevels::of(-26, -22), Online));
    // Critical when it was read, offline since: no critical signal now.
    list.add(tile(QStringLiteral("gone"), QStringLiteral("4"), OpticalLevels::of(-31, -30), Offline));
    list.add(tile(QStringLiteral("weak olt"), QStringLiteral("5"), OpticalLevels::of(-20, -33), Online));
    list.add(tile(QStringLiteral("off"), QStringLiteral("6"), OpticalLevels::offline(), Offline));

    signal::CriticalSignalWindow w(list);
    w.showCritical();
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(w.rowCount(), 2);
    EXPECT_EQ(w.panel->text(), QStringLiteral("Critical Signal: 2!"));

    const QAbstractItemModel *m = w.listView->model();
    const std::vector<core::OntRecord> &rows = list.rows();
    const int listed[] = {1, 4};
    for (int i = 0; i < 2; ++i) {
        const core::OntRecord &r = rows[size_t(listed[i])];
        SCOPED_TRACE(r.name.toStdString());
        EXPECT_EQ(m->index(i, 1).data().toString(), r.signalCell);
        EXPECT_EQ(m->index(i, 2).data().toString(), core::cellText(r, core::BasicColumn::Port));
        EXPECT_EQ(m->index(i, 3).data().toString(), core::cellText(r, core::BasicColumn::Name));
        EXPECT_EQ(m->index(i, 4).data().toString(), QString());
        EXPECT_EQ(m->index(i, 0).data().toString(), QString());
        EXPECT_FALSE(m->index(i, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        EXPECT_EQ(m->index(i, 2).data(Qt::ForegroundRole).value<QColor>(), ui::colorFromBgr(4210816));
    }
    EXPECT_EQ(m->columnCount(), 5);
    EXPECT_TRUE(w.listView->horizontalHeader()->isHidden());
    EXPECT_EQ(w.listView->font().pointSize(), 9);
    EXPECT_EQ(w.listView->palette().color(QPalette::Base), ui::colorFromBgr(14286847));
    EXPECT_EQ(w.panel->palette().color(QPalette::Window), ui::colorFromBgr(12440319));

    // The window is filled again each time it is shown.
    list.setBasicImage(1, Offline);
    w.showCritical();
    EXPECT_EQ(w.rowCount(), 1);
    EXPECT_EQ(w.panel->text(), QStringLiteral("Critical Signal: 1!"));
}

} // namespace
