#include "core/ont_data_file.h"
#include "core/timing.h"
#include "registry/ont_data_store.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"
#include "ui/ont_list_delegate.h"
#include "ui/ont_list_model.h"
#include "qt_printers.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace tervix;
namespace Column = core::Column;
namespace BasicColumn = core::BasicColumn;
using registry::OntList;
using registry::OntListPanel;

namespace {

const QString kKey = QStringLiteral("021kbs10k8000123");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A data file as an older console left it: CRLF, a record with an empty
// "Active?", a short record, text after the last record, Polish names.
const QByteArray kPrepared =
    "^!"
    "+^!G.PON^!0^!1^!2^!3^!Kowalski Jan^!48575443A1B2C3D4^!10^!11^!-1;12;1010;0;-1;100;1010;^^!-1;4;^^!K-77^!0^!*^"
    "-^!E.PON^!0^!2^!0^!5^!Nowak^!00e0-fc12-3456^!-^!-^!-1;20;300;?;0;100;^^!0;1;^^!^!^!*^"
    "+^!G.PON^!0^!1^!2^!4^!Szko\xc5\x82\x61 \xc5\x81\xc3\xb3\x64\xc5\xba^!4857544300000001^!10^!11^!^!0;1;^^!^!1^!*^"
    "+^!G.PON^!0^!1^!3^!*^"
    "\r\n";

class OntListPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        timing::setScale(0.01);
        ui::DialogService::install(&dialogs);
        ASSERT_TRUE(dir.isValid());
        appDir = dir.path() + QLatin1Char('/');
        panel.resize(1200, 600);
    }
    void TearDown() override
    {
        ui::DialogService::install(nullptr);
        timing::setScale(0);
    }
    QString dataFile() const { return appDir + QStringLiteral("data-") + kKey + QStringLiteral(".ph"); }
    static QString cell(QTableView *v, int row, int col)
    {
        return v->model()->index(row, col).data().toString();
    }
    void renameRow(int row, const QString &name)
    {
        core::OntRecord r = list.record(row);
        r.name = name;
        list.setRecord(row, r);
    }

    ui::ScriptedDialogService dialogs;
    QTemporaryDir dir;
    QString appDir;
    session::TraceLog trace;
    OntList list{&trace};
    OntListPanel panel{list, &trace};
};

TEST_F(OntListPanelTest, LoadShowsTheRowsInFileOrderInBothViewsAndRewritesTheFile)
{
    writeFile(dataFile(), kPrepared);
    QSignalSpy resets1(panel.advancedView->model(), &QAbstractItemModel::modelReset);
    QSignalSpy resetsB(panel.basicView->model(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(panel.advancedView->model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);

    EXPECT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Loaded);
    panel.show();

    EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 4 "));
    EXPECT_EQ(panel.viewPages->currentWidget(), panel.basicView);
    EXPECT_EQ(panel.viewPages->tabText(0), QStringLiteral("Zaawansowany"));
    EXPECT_EQ(panel.viewPages->tabText(1), QStringLiteral("Podstawowy"));
    EXPECT_TRUE(importNeeded.isEmpty());
    // One reset of each view per load, no row-by-row insertion.
    EXPECT_EQ(resets1.size(), 2); // the emptying at the start and the load
    EXPECT_EQ(resetsB.size(), 2);
    EXPECT_TRUE(inserted.isEmpty());

    ASSERT_EQ(panel.advancedView->model()->rowCount(), 4);
    ASSERT_EQ(panel.basicView->model()->rowCount(), 4);
    const QStringList row0{QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
                           QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("Kowalski Jan"),
                           QStringLiteral("48575443A1B2C3D4"), QStringLiteral("10"), QStringLiteral("11"),
                           QStringLiteral("-1;12;1010;0;-1;100;1010;^"), QStringLiteral("-"),
                           QStringLiteral("-1;4;^"), QStringLiteral("K-77"), QStringLiteral("0")};
    for (int c = 0; c < Column::Count; ++c)
        EXPECT_EQ(cell(panel.advancedView, 0, c), row0[c]) << "advanced column " << c;
    EXPECT_EQ(cell(panel.advancedView, 1, Column::Name), QStringLiteral("Nowak"));
    EXPECT_EQ(cell(panel.advancedView, 1, Column::Active), QStringLiteral("0")); // empty in the file
    EXPECT_EQ(cell(panel.advancedView, 2, Column::Name), QStringLiteral("Szkoła Łódź"));
    EXPECT_EQ(cell(panel.advancedView, 3, Column::OntId), QString()); // the short record
    EXPECT_EQ(cell(panel.advancedView, 3, Column::Active), QStringLiteral("0"));
    EXPECT_EQ(cell(panel.advancedView, 3, Column::Levels), QStringLiteral("-"));
    EXPECT_TRUE(panel.advancedView->model()->index(0, 0).data(Qt::DecorationRole).isNull());

    const QStringList b1{QString(),
                         QStringLiteral("1"),
                         QStringLiteral("E.PON\nChecking signal..\nONT: ? OLT: ?"),
                         QStringLiteral("OLT: 0\nSlot: 2/0\nID: 5"),
                         QStringLiteral("Nowak\nSN: 00e0-fc12-3456\n"),
                         QStringLiteral("-1;20;300;?;0;100;^"),
                         QString(),
                         QString(),
                         QStringLiteral("0")};
    for (int c = 0; c < BasicColumn::Count; ++c)
        EXPECT_EQ(cell(panel.basicView, 1, c), b1[c]) << "basic column " << c;
    EXPECT_EQ(cell(panel.basicView, 0, BasicColumn::Name), QStringLiteral("Kowalski Jan\nSN: 48575443A1B2C3D4\nK-77"));
    EXPECT_EQ(cell(panel.basicView, 2, BasicColumn::Active), QStringLiteral("1"));
    EXPECT_FALSE(panel.basicView->horizontalHeader()->isVisible());
    EXPECT_FALSE(panel.advancedView->horizontalHeader()->isHidden());
    EXPECT_EQ(panel.advancedView->model()->headerData(10, Qt::Horizontal).toString(),
              QStringLiteral("ServicePort/VLAN/U-TAG/IGMP"));

    // Rewritten at once in the current form: UTF-8, "Active?" filled in,
    // every record with all its fields.
    const QByteArray expected =
        "^!"
        "+^!G.PON^!0^!1^!2^!3^!Kowalski Jan^!48575443A1B2C3D4^!10^!11^!-1;12;1010;0;-1;100;1010;^^!-1;4;^^!K-77^!0^!*^"
        "-^!E.PON^!0^!2^!0^!5^!Nowak^!00e0-fc12-3456^!-^!-^!-1;20;300;?;0;100;^^!0;1;^^!^!0^!*^"
        "+^!G.PON^!0^!1^!2^!4^!Szko\xc5\x82\x61 \xc5\x81\xc3\xb3\x64\xc5\xba^!4857544300000001^!10^!11^!^!0;1;^^!^!1^!*^"
        "+^!G.PON^!0^!1^!3^!^!^!^!^!^!^!^!^!0^!*^"
        "\r\n";
    EXPECT_EQ(QString::fromUtf8(readFile(dataFile())), QString::fromUtf8(expected));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    // A reload of what was written gives the same list and the same file.
    const auto before = list.rows();
    EXPECT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Loaded);
    EXPECT_EQ(list.rows(), before);
    EXPECT_EQ(QString::fromUtf8(readFile(dataFile())), QString::fromUtf8(expected));
}

TEST_F(OntListPanelTest, ListsThatMustBeImportedAskForTheImport)
{
    struct Case
    {
        const char *name;
        std::optional<QByteArray> file;
        OntList::LoadResult result;
        std::optional<QByteArray> fileAfter; // nullopt: no file
    };
    const Case cases[] = {
        {"no file", std::nullopt, OntList::LoadResult::NoFile, std::nullopt},
        {"only the opening", QByteArray("^!"), OntList::LoadResult::NoRecords, QByteArray("^!")},
        {"a record end but no record", QByteArray("^!*^"), OntList::LoadResult::EmptyList, QByteArray("^!\r\n")},
        {"random bytes", QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage", 18), OntList::LoadResult::NoRecords,
         QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage", 18)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dataFile(), kPrepared);
        panel.load(appDir, kKey);
        ASSERT_EQ(list.size(), 4);
        QFile::remove(dataFile());
        if (c.file)
            writeFile(dataFile(), *c.file);
        QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);
        EXPECT_EQ(panel.load(appDir, kKey), c.result);
        EXPECT_EQ(importNeeded.size(), 1);
        EXPECT_EQ(list.size(), 0);
        EXPECT_EQ(panel.basicView->model()->rowCount(), 0);
        EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 0 "));
        EXPECT_EQ(QFile::exists(dataFile()), c.fileAfter.has_value());
        if (c.fileAfter) {
            EXPECT_EQ(readFile(dataFile()), *c.fileAfter);
        }
    }
}

TEST_F(OntListPanelTest, HostileOltKeysNeverReachOutsideTheDataFolder)
{
    QTemporaryDir outer;
    const QString inner = outer.path() + QStringLiteral("/app/");
    ASSERT_TRUE(QDir().mkpath(inner));
    for (const QString &key : {QStringLiteral("../x"), QStringLiteral("a/../../x"), QStringLiteral("..\\x"),
                               QStringLiteral("c:x"), QStringLiteral("x\ny")}) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(registry::dataFilePath(inner, key), QString());
        dialogs.clear();
        EXPECT_EQ(list.load(inner, key), OntList::LoadResult::NoFile);
        list.add({});
        EXPECT_FALSE(list.save());
        EXPECT_EQ(dialogs.shown().size(), 1); // told, once
    }
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"app"});
    EXPECT_TRUE(QDir(inner).isEmpty());
    EXPECT_EQ(registry::dataFilePath(inner, QStringLiteral("..")), inner + QStringLiteral("data-...ph"));
}

TEST_F(OntListPanelTest, AFailedSaveIsReportedOnceAndTheListAndOldFileAreKept)
{
    QDir base(dir.path());
    ASSERT_TRUE(base.mkdir(QStringLiteral("olt")));
    const QString folder = dir.path() + QStringLiteral("/olt/");
    writeFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph"), kPrepared);
    ASSERT_EQ(list.load(folder, kKey), OntList::LoadResult::Loaded);
    const QByteArray saved = readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph"));
    QSignalSpy failed(&list, &OntList::saveFailed);

    // The folder goes away under the console (a network share, say).
    ASSERT_TRUE(base.rename(QStringLiteral("olt"), QStringLiteral("gone")));
    renameRow(0, QStringLiteral("Kowalska Anna"));
    EXPECT_FALSE(list.save());
    EXPECT_FALSE(list.save());
    EXPECT_EQ(failed.size(), 2);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Error);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad zapisu!"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("data-") + kKey + QStringLiteral(".ph")));
    EXPECT_EQ(list.size(), 4);
    EXPECT_EQ(list.record(0).name, QStringLiteral("Kowalska Anna"));

    // Back again: the old file is whole, and the next save writes the change.
    ASSERT_TRUE(base.rename(QStringLiteral("gone"), QStringLiteral("olt")));
    EXPECT_EQ(readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph")), saved);
    EXPECT_TRUE(list.save());
    EXPECT_TRUE(readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph")).contains("Kowalska Anna"));
    // A later failure is told again.
    ASSERT_TRUE(base.rename(QStringLiteral("olt"), QStringLiteral("gone")));
    EXPECT_FALSE(list.save());
    EXPECT_EQ(dialogs.shown().size(), 2);
}

TEST_F(OntListPanelTest, AnUnreadableFileIsReportedAndNeverWrittenOverUntilItIsRead)
{
    writeFile(dataFile(), kPrepared);
    ASSERT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Loaded);
    // Something stands where the file should open (a folder of its name here;
    // a lock or a failing network share in the field).
    ASSERT_TRUE(QFile::remove(dataFile()));
    ASSERT_TRUE(QDir(appDir).mkdir(QFileInfo(dataFile()).fileName()));
    QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);
    QSignalSpy failed(&list, &OntList::saveFailed);

    EXPECT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Unreadable);
    EXPECT_TRUE(importNeeded.isEmpty());
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 0 "));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Error);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad odczytu!"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(dataFile()));

    // An ONT added now must not replace the operator's list with this one row,
    // neither while the obstacle stands nor once the file opens again.
    core::OntRecord r;
    r.name = QStringLiteral("Nowy");
    core::initBasicTexts(r, QString(), QStringLiteral("Opis"));
    list.add(r);
    EXPECT_FALSE(list.save());
    EXPECT_TRUE(QFileInfo(dataFile()).isDir());
    EXPECT_TRUE(QDir(dataFile()).isEmpty());
    ASSERT_TRUE(QDir(appDir).rmdir(QFileInfo(dataFile()).fileName()));
    writeFile(dataFile(), kPrepared);
    EXPECT_FALSE(list.save());
    EXPECT_EQ(readFile(dataFile()), kPrepared);
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(QDir(appDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QFileInfo(dataFile()).fileName()});
    ASSERT_EQ(failed.size(), 2);
    EXPECT_TRUE(failed.at(0).at(1).toString().contains(QStringLiteral("could not be read at login")));
    // The read box, then the save-failure box once.
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(1).caption, QStringLiteral("Blad zapisu!"));
    EXPECT_TRUE(dialogs.shown().at(1).text.contains(QStringLiteral("could not be read at login")));

    // The next login reads the file, and saving works again.
    EXPECT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Loaded);
    EXPECT_EQ(list.size(), 4);
    renameRow(0, QStringLiteral("Kowalska Anna"));
    EXPECT_TRUE(list.save());
    EXPECT_TRUE(readFile(dataFile()).contains("Kowalska Anna"));
    EXPECT_EQ(dialogs.shown().size(), 2);
}

TEST_F(OntListPanelTest, HostileTextFromTheFormOrTheOltCannotSplitARecord)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    core::OntRecord r;
    r.origin = QStringLiteral("+");
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = QStringLiteral("1");
    r.port = QStringLiteral("2");
    r.ontId = QStringLiteral("9");
    r.name = QStringLiteral("x^!*^y");
    r.serialOrMac = QStringLiteral("*^");
    r.lineProfile = QStringLiteral("10");
    r.serviceProfile = QStringLiteral("11");
    r.servicePorts = QString();
    r.levels = QStringLiteral("-");
    r.catv = QStringLiteral("0;1;^");
    r.subscriberId = QStringLiteral("*");
    r.active = QStringLiteral("0");
    core::initBasicTexts(r, QString(), QStringLiteral("Opis"));
    const int at = list.add(r);
    core::OntRecord changed = list.record(1);
    changed.subscriberId = QStringLiteral("^!!^");
    changed.lineProfile = QStringLiteral("^oops");
    list.setRecord(1, changed);
    ASSERT_TRUE(list.save());

    const core::DataFileContent d = core::parseDataFile(core::decodeDataFile(readFile(dataFile())));
    ASSERT_EQ(d.records.size(), 5u);
    EXPECT_EQ(d.records[4][6], QStringLiteral("x^ !*^y"));
    EXPECT_EQ(d.records[4][7], QStringLiteral("* ^"));
    EXPECT_EQ(d.records[4][12], QStringLiteral("* "));
    EXPECT_EQ(d.records[1][12], QStringLiteral("^ !!^"));
    EXPECT_EQ(d.records[1][8], QStringLiteral("^oops"));
    // What the views show is what the file holds.
    EXPECT_EQ(list.record(at).name, QStringLiteral("x^ !*^y"));
    EXPECT_EQ(panel.load(appDir, kKey), OntList::LoadResult::Loaded);
    EXPECT_EQ(list.size(), 5);
    EXPECT_EQ(list.record(4).active, QStringLiteral("0"));
}

TEST_F(OntListPanelTest, AddRemoveAndClearKeepBothViewsInStep)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    list.remove(1);
    list.remove(99);
    core::OntRecord r;
    r.name = QStringLiteral("Nowy");
    core::initBasicTexts(r, QString(), QStringLiteral("Opis"));
    list.add(r);
    ASSERT_EQ(panel.advancedView->model()->rowCount(), 4);
    ASSERT_EQ(panel.basicView->model()->rowCount(), 4);
    const QStringList names{QStringLiteral("Kowalski Jan"), QStringLiteral("Szkoła Łódź"), QString(),
                            QStringLiteral("Nowy")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cell(panel.advancedView, i, Column::Name), names[i]);
        EXPECT_EQ(cell(panel.basicView, i, BasicColumn::Name).section(u'\n', 0, 0), names[i]);
    }
    list.clear();
    EXPECT_EQ(panel.advancedView->model()->rowCount(), 0);
    EXPECT_EQ(panel.basicView->model()->rowCount(), 0);
}

// A change to one row redraws that row in each view that shows the changed
// field, and what the views then show follows the record.
TEST_F(OntListPanelTest, ARowChangeRedrawsThatRowInTheViewsShowingIt)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    const int kNone = -1;
    const int kLastAdvanced = Column::Count - 1;
    const struct
    {
        const char *name;
        std::function<void()> change;
        int row;
        int advancedFirst, advancedLast; // the advanced columns redrawn, kNone for none
        bool basicRedrawn;               // always the whole basic row
        QTableView *view;
        int column;
        QString shown;
    } cases[] = {
        {"record", [&] { renameRow(2, QStringLiteral("Anna")); }, 2, 0, kLastAdvanced, true, panel.basicView,
         BasicColumn::Name, QStringLiteral("Anna\nSN: 4857544300000001\n")},
        {"levels", [&] { list.setLevels(1, QStringLiteral("-21*-24*")); }, 1, Column::Levels, Column::Levels, false,
         panel.advancedView, Column::Levels, QStringLiteral("-21*-24*")},
        {"active", [&] { list.setActive(0, QStringLiteral("1")); }, 0, Column::Active, Column::Active, true,
         panel.basicView, BasicColumn::Active, QStringLiteral("1")},
        {"signal", [&] { list.setSignal(3, QStringLiteral("G.PON\nCritical\nONT: -30 OLT: -31"), QStringLiteral("critical")); },
         3, kNone, kNone, true, panel.basicView, BasicColumn::SignalClass, QStringLiteral("critical")},
        {"image", [&] { list.setImage(1, core::RowImage::Online); }, 1, 0, kLastAdvanced, false, panel.advancedView,
         Column::Name, QStringLiteral("Nowak")},
        {"basic image", [&] { list.setBasicImage(1, core::RowImage::Offline); }, 1, kNone, kNone, true,
         panel.basicView, BasicColumn::Signal, QStringLiteral("E.PON\nChecking signal..\nONT: ? OLT: ?")},
    };
    for (const auto &c : cases) {
        QSignalSpy advanced(panel.advancedView->model(), &QAbstractItemModel::dataChanged);
        QSignalSpy basic(panel.basicView->model(), &QAbstractItemModel::dataChanged);
        c.change();
        if (c.advancedFirst == kNone) {
            EXPECT_TRUE(advanced.isEmpty()) << c.name;
        } else {
            ASSERT_EQ(advanced.size(), 1) << c.name;
            const auto from = advanced.first().at(0).value<QModelIndex>();
            const auto to = advanced.first().at(1).value<QModelIndex>();
            EXPECT_EQ(std::make_pair(from.row(), from.column()), std::make_pair(c.row, c.advancedFirst)) << c.name;
            EXPECT_EQ(std::make_pair(to.row(), to.column()), std::make_pair(c.row, c.advancedLast)) << c.name;
        }
        if (!c.basicRedrawn) {
            EXPECT_TRUE(basic.isEmpty()) << c.name;
        } else {
            ASSERT_EQ(basic.size(), 1) << c.name;
            const auto from = basic.first().at(0).value<QModelIndex>();
            const auto to = basic.first().at(1).value<QModelIndex>();
            EXPECT_EQ(std::make_pair(from.row(), from.column()), std::make_pair(c.row, 0)) << c.name;
            EXPECT_EQ(std::make_pair(to.row(), to.column()), std::make_pair(c.row, int(BasicColumn::Count) - 1))
                << c.name;
        }
        EXPECT_EQ(cell(c.view, c.row, c.column), c.shown) << c.name;
    }
    EXPECT_EQ(cell(panel.advancedView, 2, Column::Name), QStringLiteral("Anna"));
    EXPECT_EQ(cell(panel.advancedView, 0, Column::Active), QStringLiteral("1"));
    EXPECT_EQ(panel.advancedView->model()->index(1, 0).data(ui::OntListModel::ImageRole).toInt(), core::RowImage::Online);
    EXPECT_EQ(panel.basicView->model()->index(1, 0).data(ui::OntListModel::ImageRole).toInt(), core::RowImage::Offline);

    // Rows out of range change nothing.
    QSignalSpy anyChange(panel.advancedView->model(), &QAbstractItemModel::dataChanged);
    const auto before = list.rows();
    list.setRecord(4, core::OntRecord{});
    list.setActive(-1, QStringLiteral("1"));
    list.setSignal(4, QString(), QString());
    EXPECT_EQ(list.rows(), before);
    EXPECT_TRUE(anyChange.isEmpty());
    EXPECT_EQ(list.record(4), core::OntRecord{});
}

TEST_F(OntListPanelTest, WidthFileSetsOnlyTheColumnsBeforeABadEntry)
{
    const QList<int> start = [&] {
        QList<int> w;
        for (int c = 0; c < Column::Count; ++c)
            w << panel.advancedView->columnWidth(c);
        return w;
    }();
    writeFile(appDir + QStringLiteral("d-size.ph"), "30;47;x;24;\r\n");
    panel.loadColumnWidths(appDir);
    EXPECT_EQ(panel.advancedView->columnWidth(0), 30);
    EXPECT_EQ(panel.advancedView->columnWidth(1), 47);
    for (int c = 2; c < Column::Count; ++c)
        EXPECT_EQ(panel.advancedView->columnWidth(c), start[c]) << "column " << c;

    // Written widths come back; the last column is not written.
    panel.advancedView->setColumnWidth(6, 222);
    ASSERT_TRUE(panel.saveColumnWidths(appDir));
    const QString text = QString::fromUtf8(readFile(appDir + QStringLiteral("d-size.ph")));
    EXPECT_EQ(text.count(u';'), Column::Count - 1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("30;47;")));
    OntList other;
    OntListPanel again(other);
    again.loadColumnWidths(appDir);
    EXPECT_EQ(again.advancedView->columnWidth(6), 222);
    EXPECT_EQ(again.advancedView->columnWidth(0), 30);
}

TEST_F(OntListPanelTest, CountersStartAndResetTexts)
{
    EXPECT_EQ(panel.allCounter->text(), QStringLiteral("All: 0"));
    EXPECT_EQ(panel.disabledCounter->text(), QStringLiteral("Disabled ONT: 0"));
    EXPECT_EQ(panel.criticalCounter->text(), QStringLiteral("Critical Signal: 0!"));
    EXPECT_EQ(panel.badCounter->text(), QStringLiteral("Bad Signal: 0"));
    EXPECT_EQ(panel.onlineCounter->text(), QStringLiteral("Online: 0"));
    EXPECT_EQ(panel.offlineCounter->text(), QStringLiteral("Offline: 0"));
    EXPECT_EQ(panel.disabledCounter->palette().color(QPalette::Window), QColor(92, 92, 92));
    EXPECT_EQ(panel.disabledCounter->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    EXPECT_EQ(panel.criticalCounter->palette().color(QPalette::Window), QColor(255, 210, 189));
    EXPECT_EQ(panel.badCounter->palette().color(QPalette::Window), QColor(215, 176, 176));
    EXPECT_EQ(panel.onlineCounter->palette().color(QPalette::Window), QColor(223, 255, 223));
    EXPECT_EQ(panel.offlineCounter->palette().color(QPalette::Window), QColor(214, 214, 214));
    EXPECT_TRUE(panel.criticalListButton->isHidden());
    EXPECT_EQ(panel.searchButton->text(), QStringLiteral("Uruchom wyszukiwarke"));

    panel.allCounter->setText(QStringLiteral("All: 12"));
    panel.criticalCounter->setText(QStringLiteral("Critical Signal: 3!"));
    OntListPanel::setBackground(panel.criticalCounter, QColor(255, 188, 155));
    panel.badCounter->setText(QStringLiteral("Bad Signal: 2"));
    panel.onlineCounter->setText(QStringLiteral("Online: 9"));
    panel.resetCounters();
    EXPECT_EQ(panel.allCounter->text(), QStringLiteral("All: 0"));
    EXPECT_EQ(panel.criticalCounter->text(), QStringLiteral("Critical Signal: 0!"));
    EXPECT_EQ(panel.criticalCounter->palette().color(QPalette::Window), QColor(255, 210, 189));
    EXPECT_EQ(panel.badCounter->text(), QStringLiteral("Bad Signal: 0!"));
    EXPECT_EQ(panel.onlineCounter->text(), QStringLiteral("Online: 9"));
}

TEST_F(OntListPanelTest, BasicMenuForwardsToTheAdvancedMenuForTheSameRow)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    panel.show();
    QList<std::pair<int, int>> ran; // (position, selected advanced row)
    for (int p = 0; p < OntListPanel::kMenuItems; ++p) {
        const auto pos = OntListPanel::MenuItem(p);
        panel.setMenuItem(pos, QStringLiteral("item %1").arg(p),
                               [&, p] { ran.append({p, panel.selectedAdvancedRow()}); });
    }
    ASSERT_EQ(panel.advancedMenu->actions().size(), 6);
    ASSERT_EQ(panel.basicMenu->actions().size(), 6);
    EXPECT_EQ(panel.basicMenu->actions().at(2)->text(), QStringLiteral("item 2"));

    // Nothing selected in the basic view: the forwarded items do nothing,
    // the slot report runs anyway.
    for (QAction *a : panel.basicMenu->actions())
        a->trigger();
    EXPECT_EQ(ran, (QList<std::pair<int, int>>{{4, -1}}));

    ran.clear();
    panel.selectBasicRow(2);
    panel.basicMenu->actions().at(OntListPanel::Delete)->trigger();
    panel.basicMenu->actions().at(OntListPanel::OntConfiguration)->trigger();
    EXPECT_EQ(ran, (QList<std::pair<int, int>>{{1, 2}, {5, 2}}));
    EXPECT_EQ(panel.selectedAdvancedRow(), 2);

    // An item installed again replaces the earlier one in both menus.
    panel.setMenuItem(OntListPanel::Edit, QStringLiteral("Edytuj"), [&] { ran.append({100, 0}); });
    EXPECT_EQ(panel.advancedMenu->actions().size(), 6);
    EXPECT_EQ(panel.basicMenu->actions().first()->text(), QStringLiteral("Edytuj"));
}

TEST_F(OntListPanelTest, BasicViewDrawsDisabledRowsGreyOnBlack)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    list.setSignal(0, QStringLiteral("G.PON\nNormal\noff"), QString());
    list.setSignal(1, QStringLiteral("E.PON\nCritical\nONT: -30 OLT: -31"), QString());
    list.setBasicImage(1, core::RowImage::Online);
    list.setSignal(2, QStringLiteral("G.PON\nCritical\nONT: -30 OLT: -31"), QString());
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage img = panel.basicView->viewport()->grab().toImage();
    auto colourAt = [&](int row, int col) {
        const QRect r = panel.basicView->visualRect(panel.basicView->model()->index(row, col));
        return img.pixelColor(r.right() - 3, r.bottom() - 3);
    };
    EXPECT_EQ(colourAt(0, BasicColumn::ServicePorts), QColor(214, 214, 214));
    EXPECT_EQ(colourAt(1, BasicColumn::Port), QColor(255, 151, 151));
    EXPECT_EQ(colourAt(2, BasicColumn::Name), QColor(0, 0, 0)); // disabled, whatever its signal
    EXPECT_EQ(colourAt(3, BasicColumn::Port), QColor(255, 255, 217));
}

TEST_F(OntListPanelTest, DeferredSaveWritesAfterTheLastRestart)
{
    writeFile(dataFile(), kPrepared);
    panel.load(appDir, kKey);
    const QByteArray before = readFile(dataFile());
    list.setActive(0, QStringLiteral("1"));
    const int interval = timing::scaled(timing::kDeferredSaveMs);
    QElapsedTimer clock;
    clock.start();
    list.restartDeferredSave();
    EXPECT_TRUE(list.deferredSaveTimer().isActive());
    // Half way, another change restarts the running timer. No events are
    // processed while sleeping, so the first timer cannot fire before it.
    QThread::msleep(unsigned(interval / 2));
    list.restartDeferredSave();
    const qint64 restartedAt = clock.elapsed();
    // The timer starts over: a whole interval is left, not what remained of the first.
    EXPECT_GT(list.deferredSaveTimer().remainingTime(), interval - interval / 4);

    // Only lower bounds on the time of the write, as a busy machine may delay
    // it at will. Written no earlier than an interval after the restart (a
    // coarse timer may fire up to 5 % early), hence not at the first deadline,
    // which lies half an interval before that.
    ASSERT_TRUE(QTest::qWaitFor([&] { return readFile(dataFile()) != before; }, 10 * interval + 20000));
    EXPECT_GE(clock.elapsed(), restartedAt + interval - interval / 10);
    EXPECT_FALSE(list.deferredSaveTimer().isActive());
    const core::DataFileContent d = core::parseDataFile(core::decodeDataFile(readFile(dataFile())));
    EXPECT_EQ(d.records.at(0).back(), QStringLiteral("1"));
    // A save of its own stops the pending one.
    list.restartDeferredSave();
    list.save();
    EXPECT_FALSE(list.deferredSaveTimer().isActive());
}

} // namespace
