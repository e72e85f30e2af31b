#include "console_fixture.h"

#include "core/ont_record.h"
#include "registry/ont_list.h"
#include "registry/ont_list_panel.h"
#include "simulator.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace tervix;

namespace {

// The simulated OLT whose bar code names the data file below.
const QByteArray kOlt = R"({"barCode": "TINY01", "users": [{"name": "admin", "password": "secret1"}]})";

class OntListLogin : public test::ConsoleFixture
{
protected:
    QString dataFile() const { return dataDir.filePath(QStringLiteral("data-tiny01.ph")); }
    static QString cell(QTableView *v, int row, int col) { return v->model()->index(row, col).data().toString(); }
    void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readFile(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(OntListLogin, TheListOfTheOltLoadsAfterLoginAndIsRewrittenInTheCurrentForm)
{
    // Two ONTs as an older console stored them: no "Active?" on the first.
    writeFile(dataFile(),
              "^!"
              "+^!G.PON^!0^!1^!0^!7^!Piekarnia \xc5\xbb\xc3\xb3\xc5\x82w^!485754430A0B0C0D^!10^!20^!"
              "-1;31;1010;0;-1;100;1010;^^!0;1;^^!KL-9^!^!*^"
              "-^!E.PON^!0^!2^!3^!0^!Szko\xc5\x82\x61^!0018-82f0-1a2b^!-^!-^!-1;32;300;?;0;100;^^!0;1;^^!^!1^!*^");
    writeFile(dataDir.filePath(QStringLiteral("d-size.ph")), "30;47;x;24;");

    oltsim::Simulator olt;
    ASSERT_TRUE(olt.loadJson(kOlt)) << olt.error().toStdString();
    ASSERT_TRUE(olt.listen());
    app::MainWindow &w = startConsole(QStringLiteral("127.0.0.1:%1").arg(olt.serverPort()), QStringLiteral("admin"), QStringLiteral("secret1"));
    w.show();
    registry::OntListPanel &panel = w.ontListPanel();
    const int width2 = panel.advancedView->columnWidth(2);
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.ontList().size() == 2; }, 20000));

    EXPECT_EQ(panel.title(), QStringLiteral("Autoryzowane koncowki: 2 "));
    EXPECT_EQ(panel.viewPages->currentWidget(), panel.basicView);
    EXPECT_EQ(cell(panel.advancedView, 0, core::Column::Name), QStringLiteral("Piekarnia Żółw"));
    EXPECT_EQ(cell(panel.advancedView, 0, core::Column::Active), QStringLiteral("0"));
    EXPECT_EQ(cell(panel.advancedView, 0, core::Column::Levels), QStringLiteral("-"));
    EXPECT_EQ(cell(panel.advancedView, 1, core::Column::PonType), QStringLiteral("E.PON"));
    EXPECT_EQ(cell(panel.advancedView, 1, core::Column::Origin), QStringLiteral("-"));
    EXPECT_EQ(cell(panel.basicView, 0, core::BasicColumn::Signal), QStringLiteral("G.PON\nChecking signal..\nONT: ? OLT: ?"));
    EXPECT_EQ(cell(panel.basicView, 0, core::BasicColumn::Port), QStringLiteral("OLT: 0\nSlot: 1/0\nID: 7"));
    EXPECT_EQ(cell(panel.basicView, 0, core::BasicColumn::Name), QStringLiteral("Piekarnia Żółw\nSN: 485754430A0B0C0D\nKL-9"));
    EXPECT_EQ(cell(panel.basicView, 1, core::BasicColumn::RowIndex), QStringLiteral("1"));
    EXPECT_EQ(cell(panel.basicView, 1, core::BasicColumn::Name), QStringLiteral("Szkoła\nSN: 0018-82f0-1a2b\n"));
    EXPECT_EQ(cell(panel.basicView, 1, core::BasicColumn::Active), QStringLiteral("1"));

    EXPECT_EQ(QString::fromUtf8(readFile(dataFile())),
              QStringLiteral("^!"
                             "+^!G.PON^!0^!1^!0^!7^!Piekarnia Żółw^!485754430A0B0C0D^!10^!20^!"
                             "-1;31;1010;0;-1;100;1010;^^!0;1;^^!KL-9^!0^!*^"
                             "-^!E.PON^!0^!2^!3^!0^!Szkoła^!0018-82f0-1a2b^!-^!-^!-1;32;300;?;0;100;^^!0;1;^^!^!1^!*^"
                             "\r\n"));

    // The width file was applied when the window was first shown.
    EXPECT_EQ(panel.advancedView->columnWidth(0), 30);
    EXPECT_EQ(panel.advancedView->columnWidth(1), 47);
    EXPECT_EQ(panel.advancedView->columnWidth(2), width2);
    EXPECT_EQ(panel.allCounter->text(), QStringLiteral("All: 0"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(OntListLogin, AnOltWithoutAListAsksForTheImport)
{
    oltsim::Simulator olt;
    ASSERT_TRUE(olt.loadJson(kOlt)) << olt.error().toStdString();
    ASSERT_TRUE(olt.listen());
    app::MainWindow &w = startConsole(QStringLiteral("127.0.0.1:%1").arg(olt.serverPort()), QStringLiteral("admin"), QStringLiteral("secret1"));
    QSignalSpy importNeeded(&w.ontListPanel(), &registry::OntListPanel::importNeeded);
    w.connectToOlt();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.login().sessionReady(); }, 15000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !importNeeded.isEmpty(); }, 20000));
    EXPECT_EQ(w.ontList().size(), 0);
    EXPECT_EQ(w.ontListPanel().title(), QStringLiteral("Autoryzowane koncowki: 0 "));
    EXPECT_FALSE(QFile::exists(dataFile()));
}

} // namespace
