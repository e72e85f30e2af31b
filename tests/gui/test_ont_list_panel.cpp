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

using namespace tervix;
namespace kol = core::kol;
namespace kolb = core::kolb;
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
    QSignalSpy resets1(list.lv1(), &QAbstractItemModel::modelReset);
    QSignalSpy resetsB(list.lv1b(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(list.lv1(), &QAbstractItemModel::rowsInserted);
    QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);

    EXPECT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::Wczytano);
    panel.show();

    EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 4 "));
    EXPECT_EQ(panel.a1_pg_dodane->currentWidget(), panel.lv1b);
    EXPECT_EQ(panel.a1_pg_dodane->tabText(0), QStringLiteral("Zaawansowany"));
    EXPECT_EQ(panel.a1_pg_dodane->tabText(1), QStringLiteral("Podstawowy"));
    EXPECT_TRUE(importNeeded.isEmpty());
    // One reset of each view per load, no row-by-row insertion.
    EXPECT_EQ(resets1.size(), 2); // the emptying at the start and the load
    EXPECT_EQ(resetsB.size(), 2);
    EXPECT_TRUE(inserted.isEmpty());

    ASSERT_EQ(panel.lv1->model()->rowCount(), 4);
    ASSERT_EQ(panel.lv1b->model()->rowCount(), 4);
    const QStringList row0{QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
                           QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("Kowalski Jan"),
                           QStringLiteral("48575443A1B2C3D4"), QStringLiteral("10"), QStringLiteral("11"),
                           QStringLiteral("-1;12;1010;0;-1;100;1010;^"), QStringLiteral("-"),
                           QStringLiteral("-1;4;^"), QStringLiteral("K-77"), QStringLiteral("0")};
    for (int c = 0; c < kol::Count; ++c)
        EXPECT_EQ(cell(panel.lv1, 0, c), row0[c]) << "lv1 column " << c;
    EXPECT_EQ(cell(panel.lv1, 1, kol::Nazwa), QStringLiteral("Nowak"));
    EXPECT_EQ(cell(panel.lv1, 1, kol::Active), QStringLiteral("0")); // empty in the file
    EXPECT_EQ(cell(panel.lv1, 2, kol::Nazwa), QStringLiteral("Szkoła Łódź"));
    EXPECT_EQ(cell(panel.lv1, 3, kol::OntId), QString()); // the short record
    EXPECT_EQ(cell(panel.lv1, 3, kol::Active), QStringLiteral("0"));
    EXPECT_EQ(cell(panel.lv1, 3, kol::Rx), QStringLiteral("-"));
    EXPECT_TRUE(panel.lv1->model()->index(0, 0).data(Qt::DecorationRole).isNull());

    const QStringList b1{QString(),
                         QStringLiteral("1"),
                         QStringLiteral("E.PON\nChecking signal..\nONT: ? OLT: ?"),
                         QStringLiteral("OLT: 0\nSlot: 2/0\nID: 5"),
                         QStringLiteral("Nowak\nSN: 00e0-fc12-3456\n"),
                         QStringLiteral("-1;20;300;?;0;100;^"),
                         QString(),
                         QString(),
                         QStringLiteral("0")};
    for (int c = 0; c < kolb::Count; ++c)
        EXPECT_EQ(cell(panel.lv1b, 1, c), b1[c]) << "lv1b column " << c;
    EXPECT_EQ(cell(panel.lv1b, 0, kolb::Nazwa), QStringLiteral("Kowalski Jan\nSN: 48575443A1B2C3D4\nK-77"));
    EXPECT_EQ(cell(panel.lv1b, 2, kolb::Active), QStringLiteral("1"));
    EXPECT_FALSE(panel.lv1b->horizontalHeader()->isVisible());
    EXPECT_FALSE(panel.lv1->horizontalHeader()->isHidden());
    EXPECT_EQ(panel.lv1->model()->headerData(10, Qt::Horizontal).toString(),
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
    const auto before = list.wiersze();
    EXPECT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::Wczytano);
    EXPECT_EQ(list.wiersze(), before);
    EXPECT_EQ(QString::fromUtf8(readFile(dataFile())), QString::fromUtf8(expected));
}

TEST_F(OntListPanelTest, ListsThatMustBeImportedAskForTheImport)
{
    struct Case
    {
        const char *name;
        std::optional<QByteArray> file;
        OntList::Odczyt result;
        std::optional<QByteArray> fileAfter; // nullopt: no file
    };
    const Case cases[] = {
        {"no file", std::nullopt, OntList::Odczyt::BrakPliku, std::nullopt},
        {"only the opening", QByteArray("^!"), OntList::Odczyt::BrakRekordow, QByteArray("^!")},
        {"a record end but no record", QByteArray("^!*^"), OntList::Odczyt::PustaLista, QByteArray("^!\r\n")},
        {"random bytes", QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage", 18), OntList::Odczyt::BrakRekordow,
         QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage", 18)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dataFile(), kPrepared);
        panel.odczytaj1(appDir, kKey);
        ASSERT_EQ(list.rozmiar(), 4);
        QFile::remove(dataFile());
        if (c.file)
            writeFile(dataFile(), *c.file);
        QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);
        EXPECT_EQ(panel.odczytaj1(appDir, kKey), c.result);
        EXPECT_EQ(importNeeded.size(), 1);
        EXPECT_EQ(list.rozmiar(), 0);
        EXPECT_EQ(panel.lv1b->model()->rowCount(), 0);
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
        EXPECT_EQ(registry::plikDanych(inner, key), QString());
        dialogs.clear();
        EXPECT_EQ(list.odczytaj1(inner, key), OntList::Odczyt::BrakPliku);
        list.dodaj({});
        EXPECT_FALSE(list.zapisz1());
        EXPECT_EQ(dialogs.shown().size(), 1); // told, once
    }
    EXPECT_EQ(QDir(outer.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"app"});
    EXPECT_TRUE(QDir(inner).isEmpty());
    EXPECT_EQ(registry::plikDanych(inner, QStringLiteral("..")), inner + QStringLiteral("data-...ph"));
}

TEST_F(OntListPanelTest, AFailedSaveIsReportedOnceAndTheListAndOldFileAreKept)
{
    QDir base(dir.path());
    ASSERT_TRUE(base.mkdir(QStringLiteral("olt")));
    const QString folder = dir.path() + QStringLiteral("/olt/");
    writeFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph"), kPrepared);
    ASSERT_EQ(list.odczytaj1(folder, kKey), OntList::Odczyt::Wczytano);
    const QByteArray saved = readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph"));
    QSignalSpy failed(&list, &OntList::saveFailed);

    // The folder goes away under the console (a network share, say).
    ASSERT_TRUE(base.rename(QStringLiteral("olt"), QStringLiteral("gone")));
    list.ustawKomorke(0, kol::Nazwa, QStringLiteral("Kowalska Anna"));
    EXPECT_FALSE(list.zapisz1());
    EXPECT_FALSE(list.zapisz1());
    EXPECT_EQ(failed.size(), 2);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Error);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad zapisu!"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("data-") + kKey + QStringLiteral(".ph")));
    EXPECT_EQ(list.rozmiar(), 4);
    EXPECT_EQ(list.komorka(0, kol::Nazwa), QStringLiteral("Kowalska Anna"));

    // Back again: the old file is whole, and the next save writes the change.
    ASSERT_TRUE(base.rename(QStringLiteral("gone"), QStringLiteral("olt")));
    EXPECT_EQ(readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph")), saved);
    EXPECT_TRUE(list.zapisz1());
    EXPECT_TRUE(readFile(folder + QStringLiteral("data-") + kKey + QStringLiteral(".ph")).contains("Kowalska Anna"));
    // A later failure is told again.
    ASSERT_TRUE(base.rename(QStringLiteral("olt"), QStringLiteral("gone")));
    EXPECT_FALSE(list.zapisz1());
    EXPECT_EQ(dialogs.shown().size(), 2);
}

TEST_F(OntListPanelTest, AnUnreadableFileIsReportedAndNeverWrittenOverUntilItIsRead)
{
    writeFile(dataFile(), kPrepared);
    ASSERT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::Wczytano);
    // Something stands where the file should open (a folder of its name here;
    // a lock or a failing network share in the field).
    ASSERT_TRUE(QFile::remove(dataFile()));
    ASSERT_TRUE(QDir(appDir).mkdir(QFileInfo(dataFile()).fileName()));
    QSignalSpy importNeeded(&panel, &OntListPanel::importNeeded);
    QSignalSpy failed(&list, &OntList::saveFailed);

    EXPECT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::BladOdczytu);
    EXPECT_TRUE(importNeeded.isEmpty());
    EXPECT_EQ(list.rozmiar(), 0);
    EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 0 "));
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, ui::DialogService::Icon::Error);
    EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Blad odczytu!"));
    EXPECT_TRUE(dialogs.shown().first().text.contains(dataFile()));

    // An ONT added now must not replace the operator's list with this one row,
    // neither while the obstacle stands nor once the file opens again.
    core::OntListRow r;
    r.lv1[kol::Nazwa] = QStringLiteral("Nowy");
    r.lv1b = core::wierszBasic(r.lv1, QString(), QStringLiteral("Opis"));
    list.dodaj(r);
    EXPECT_FALSE(list.zapisz1());
    EXPECT_TRUE(QFileInfo(dataFile()).isDir());
    EXPECT_TRUE(QDir(dataFile()).isEmpty());
    ASSERT_TRUE(QDir(appDir).rmdir(QFileInfo(dataFile()).fileName()));
    writeFile(dataFile(), kPrepared);
    EXPECT_FALSE(list.zapisz1());
    EXPECT_EQ(readFile(dataFile()), kPrepared);
    EXPECT_EQ(list.rozmiar(), 1);
    EXPECT_EQ(QDir(appDir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QFileInfo(dataFile()).fileName()});
    ASSERT_EQ(failed.size(), 2);
    EXPECT_TRUE(failed.at(0).at(1).toString().contains(QStringLiteral("could not be read at login")));
    // The read box, then the save-failure box once.
    ASSERT_EQ(dialogs.shown().size(), 2);
    EXPECT_EQ(dialogs.shown().at(1).caption, QStringLiteral("Blad zapisu!"));
    EXPECT_TRUE(dialogs.shown().at(1).text.contains(QStringLiteral("could not be read at login")));

    // The next login reads the file, and saving works again.
    EXPECT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::Wczytano);
    EXPECT_EQ(list.rozmiar(), 4);
    list.ustawKomorke(0, kol::Nazwa, QStringLiteral("Kowalska Anna"));
    EXPECT_TRUE(list.zapisz1());
    EXPECT_TRUE(readFile(dataFile()).contains("Kowalska Anna"));
    EXPECT_EQ(dialogs.shown().size(), 2);
}

TEST_F(OntListPanelTest, HostileTextFromTheFormOrTheOltCannotSplitARecord)
{
    writeFile(dataFile(), kPrepared);
    panel.odczytaj1(appDir, kKey);
    core::OntListRow r;
    r.lv1 = {QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
             QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("x^!*^y"), QStringLiteral("*^"),
             QStringLiteral("10"), QStringLiteral("11"), QString(), QStringLiteral("-"), QStringLiteral("0;1;^"),
             QStringLiteral("*"), QStringLiteral("0")};
    r.lv1b = core::wierszBasic(r.lv1, QString(), QStringLiteral("Opis"));
    const int at = list.dodaj(r);
    list.ustawKomorke(1, kol::IdUrzKL, QStringLiteral("^!!^"));
    list.ustawKomorke(1, kol::LineProfile, QStringLiteral("^oops"));
    ASSERT_TRUE(list.zapisz1());

    const core::OdczytDanych d = core::odczytaj1_nowe(core::ont_data_tekst(readFile(dataFile())));
    ASSERT_EQ(d.rekordy.size(), 5u);
    EXPECT_EQ(d.rekordy[4][6], QStringLiteral("x^ !*^y"));
    EXPECT_EQ(d.rekordy[4][7], QStringLiteral("* ^"));
    EXPECT_EQ(d.rekordy[4][12], QStringLiteral("* "));
    EXPECT_EQ(d.rekordy[1][12], QStringLiteral("^ !!^"));
    EXPECT_EQ(d.rekordy[1][8], QStringLiteral("^oops"));
    // What the views show is what the file holds.
    EXPECT_EQ(list.komorka(at, kol::Nazwa), QStringLiteral("x^ !*^y"));
    EXPECT_EQ(panel.odczytaj1(appDir, kKey), OntList::Odczyt::Wczytano);
    EXPECT_EQ(list.rozmiar(), 5);
    EXPECT_EQ(list.komorka(4, kol::Active), QStringLiteral("0"));
}

TEST_F(OntListPanelTest, AddRemoveAndClearKeepBothViewsInStep)
{
    writeFile(dataFile(), kPrepared);
    panel.odczytaj1(appDir, kKey);
    list.usun(1);
    list.usun(99);
    core::OntListRow r;
    r.lv1[kol::Nazwa] = QStringLiteral("Nowy");
    r.lv1b = core::wierszBasic(r.lv1, QString(), QStringLiteral("Opis"));
    list.dodaj(r);
    ASSERT_EQ(panel.lv1->model()->rowCount(), 4);
    ASSERT_EQ(panel.lv1b->model()->rowCount(), 4);
    const QStringList names{QStringLiteral("Kowalski Jan"), QStringLiteral("Szkoła Łódź"), QString(),
                            QStringLiteral("Nowy")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cell(panel.lv1, i, kol::Nazwa), names[i]);
        EXPECT_EQ(cell(panel.lv1b, i, kolb::Nazwa).section(u'\n', 0, 0), names[i]);
    }
    list.wyczysc();
    EXPECT_EQ(panel.lv1->model()->rowCount(), 0);
    EXPECT_EQ(panel.lv1b->model()->rowCount(), 0);
}

TEST_F(OntListPanelTest, WidthFileSetsOnlyTheColumnsBeforeABadEntry)
{
    const QList<int> start = [&] {
        QList<int> w;
        for (int c = 0; c < kol::Count; ++c)
            w << panel.lv1->columnWidth(c);
        return w;
    }();
    writeFile(appDir + QStringLiteral("d-size.ph"), "30;47;x;24;\r\n");
    panel.odczytaj_wielkosc_lv1(appDir);
    EXPECT_EQ(panel.lv1->columnWidth(0), 30);
    EXPECT_EQ(panel.lv1->columnWidth(1), 47);
    for (int c = 2; c < kol::Count; ++c)
        EXPECT_EQ(panel.lv1->columnWidth(c), start[c]) << "column " << c;

    // Written widths come back; the last column is not written.
    panel.lv1->setColumnWidth(6, 222);
    ASSERT_TRUE(panel.zapisz_wielkosc_lv1(appDir));
    const QString text = QString::fromUtf8(readFile(appDir + QStringLiteral("d-size.ph")));
    EXPECT_EQ(text.count(u';'), kol::Count - 1);
    EXPECT_TRUE(text.startsWith(QStringLiteral("30;47;")));
    OntList other;
    OntListPanel again(other);
    again.odczytaj_wielkosc_lv1(appDir);
    EXPECT_EQ(again.lv1->columnWidth(6), 222);
    EXPECT_EQ(again.lv1->columnWidth(0), 30);
}

TEST_F(OntListPanelTest, CountersStartAndResetTexts)
{
    EXPECT_EQ(panel.a1_p_st1->text(), QStringLiteral("All: 0"));
    EXPECT_EQ(panel.a1_p_st6->text(), QStringLiteral("Disabled ONT: 0"));
    EXPECT_EQ(panel.a1_p_st2->text(), QStringLiteral("Critical Signal: 0!"));
    EXPECT_EQ(panel.a1_p_st5->text(), QStringLiteral("Bad Signal: 0"));
    EXPECT_EQ(panel.a1_p_st3->text(), QStringLiteral("Online: 0"));
    EXPECT_EQ(panel.a1_p_st4->text(), QStringLiteral("Offline: 0"));
    EXPECT_EQ(panel.a1_p_st6->palette().color(QPalette::Window), QColor(92, 92, 92));
    EXPECT_EQ(panel.a1_p_st6->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    EXPECT_EQ(panel.a1_p_st2->palette().color(QPalette::Window), QColor(255, 210, 189));
    EXPECT_EQ(panel.a1_p_st5->palette().color(QPalette::Window), QColor(215, 176, 176));
    EXPECT_EQ(panel.a1_p_st3->palette().color(QPalette::Window), QColor(223, 255, 223));
    EXPECT_EQ(panel.a1_p_st4->palette().color(QPalette::Window), QColor(214, 214, 214));
    EXPECT_TRUE(panel.a1_bt3->isHidden());
    EXPECT_EQ(panel.Button1->text(), QStringLiteral("Uruchom wyszukiwarke"));

    panel.a1_p_st1->setText(QStringLiteral("All: 12"));
    panel.a1_p_st2->setText(QStringLiteral("Critical Signal: 3!"));
    OntListPanel::ustawTlo(panel.a1_p_st2, QColor(255, 188, 155));
    panel.a1_p_st5->setText(QStringLiteral("Bad Signal: 2"));
    panel.a1_p_st3->setText(QStringLiteral("Online: 9"));
    panel.resetujLiczniki();
    EXPECT_EQ(panel.a1_p_st1->text(), QStringLiteral("All: 0"));
    EXPECT_EQ(panel.a1_p_st2->text(), QStringLiteral("Critical Signal: 0!"));
    EXPECT_EQ(panel.a1_p_st2->palette().color(QPalette::Window), QColor(255, 210, 189));
    EXPECT_EQ(panel.a1_p_st5->text(), QStringLiteral("Bad Signal: 0!"));
    EXPECT_EQ(panel.a1_p_st3->text(), QStringLiteral("Online: 9"));
}

TEST_F(OntListPanelTest, BasicMenuForwardsToTheAdvancedMenuForTheSameRow)
{
    writeFile(dataFile(), kPrepared);
    panel.odczytaj1(appDir, kKey);
    panel.show();
    QList<std::pair<int, int>> ran; // (position, selected lv1 row)
    for (int p = 0; p < OntListPanel::kPop2Pozycje; ++p) {
        const auto pos = OntListPanel::Pop2Pozycja(p);
        panel.ustawPozycjePop2(pos, QStringLiteral("item %1").arg(p),
                               [&, p] { ran.append({p, panel.wybranyWierszLv1()}); });
    }
    ASSERT_EQ(panel.pop2->actions().size(), 6);
    ASSERT_EQ(panel.pop2b->actions().size(), 6);
    EXPECT_EQ(panel.pop2b->actions().at(2)->text(), QStringLiteral("item 2"));

    // Nothing selected in the basic view: the forwarded items do nothing,
    // the slot report runs anyway.
    for (QAction *a : panel.pop2b->actions())
        a->trigger();
    EXPECT_EQ(ran, (QList<std::pair<int, int>>{{4, -1}}));

    ran.clear();
    panel.zaznaczWierszLv1b(2);
    panel.pop2b->actions().at(OntListPanel::Usun)->trigger();
    panel.pop2b->actions().at(OntListPanel::Konfiguracja)->trigger();
    EXPECT_EQ(ran, (QList<std::pair<int, int>>{{1, 2}, {5, 2}}));
    EXPECT_EQ(panel.wybranyWierszLv1(), 2);

    // An item installed again replaces the earlier one in both menus.
    panel.ustawPozycjePop2(OntListPanel::Edytuj, QStringLiteral("Edytuj"), [&] { ran.append({100, 0}); });
    EXPECT_EQ(panel.pop2->actions().size(), 6);
    EXPECT_EQ(panel.pop2b->actions().first()->text(), QStringLiteral("Edytuj"));
}

TEST_F(OntListPanelTest, BasicViewDrawsDisabledRowsGreyOnBlack)
{
    writeFile(dataFile(), kPrepared);
    panel.odczytaj1(appDir, kKey);
    list.ustawKomorkeB(0, kolb::Gepon, QStringLiteral("G.PON\nNormal\noff"));
    list.ustawKomorkeB(1, kolb::Gepon, QStringLiteral("E.PON\nCritical\nONT: -30 OLT: -31"));
    list.ustawObrazB(1, core::obraz::Online);
    list.ustawKomorkeB(2, kolb::Gepon, QStringLiteral("G.PON\nCritical\nONT: -30 OLT: -31"));
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage img = panel.lv1b->viewport()->grab().toImage();
    auto colourAt = [&](int row, int col) {
        const QRect r = panel.lv1b->visualRect(panel.lv1b->model()->index(row, col));
        return img.pixelColor(r.right() - 3, r.bottom() - 3);
    };
    EXPECT_EQ(colourAt(0, kolb::Vlan), QColor(214, 214, 214));
    EXPECT_EQ(colourAt(1, kolb::Port), QColor(255, 151, 151));
    EXPECT_EQ(colourAt(2, kolb::Nazwa), QColor(0, 0, 0)); // disabled, whatever its signal
    EXPECT_EQ(colourAt(3, kolb::Port), QColor(255, 255, 217));
}

TEST_F(OntListPanelTest, DeferredSaveWritesAfterTheLastRestart)
{
    writeFile(dataFile(), kPrepared);
    panel.odczytaj1(appDir, kKey);
    const QByteArray before = readFile(dataFile());
    list.ustawKomorke(0, kol::Active, QStringLiteral("1"));
    list.ustawKomorkeB(0, kolb::Active, QStringLiteral("1"));
    const int interval = timing::scaled(timing::kDeferredSaveMs);
    QElapsedTimer clock;
    clock.start();
    list.a1_tim_zapisz_restart();
    EXPECT_TRUE(list.a1_tim_zapisz().isActive());
    // Half way, another change restarts the running timer. No events are
    // processed while sleeping, so the first timer cannot fire before it.
    QThread::msleep(unsigned(interval / 2));
    list.a1_tim_zapisz_restart();
    const qint64 restartedAt = clock.elapsed();

    // Past the first deadline, well before the second: nothing written yet.
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() >= interval + interval / 4; }, 20000));
    EXPECT_EQ(readFile(dataFile()), before);
    EXPECT_TRUE(list.a1_tim_zapisz().isActive());

    ASSERT_TRUE(QTest::qWaitFor([&] { return readFile(dataFile()) != before; }, 20000));
    // A coarse timer may fire up to 5 % early.
    EXPECT_GE(clock.elapsed(), restartedAt + interval - interval / 10);
    EXPECT_FALSE(list.a1_tim_zapisz().isActive());
    const core::OdczytDanych d = core::odczytaj1_nowe(core::ont_data_tekst(readFile(dataFile())));
    EXPECT_EQ(d.rekordy.at(0).back(), QStringLiteral("1"));
    // A save of its own stops the pending one.
    list.a1_tim_zapisz_restart();
    list.zapisz1();
    EXPECT_FALSE(list.a1_tim_zapisz().isActive());
}

} // namespace
