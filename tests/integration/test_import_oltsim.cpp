// The import against oltsim: the list becomes what the OLT holds (ONTs,
// names, service ports, IGMP users), keeps what only the list knows, and a
// listing cut by a drop or a long pause leaves the list and its file as they
// were, with the reason told.
#include "demo_console.h"
#include "listed_ont.h"

#include "core/service_port_field.h"
#include "registry/import_controller.h"
#include "registry/import_window.h"
#include "registry/ont_list.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

using namespace tervix;
using registry::ImportController;

namespace {

class ImportOnOltsim : public test::DemoConsole
{
protected:
    // Reads frame 0 and waits for the import to end (ready or failed).
    bool readFrame(ImportController &importer)
    {
        if (!importer.start(QStringLiteral("0")))
            return false;
        return QTest::qWaitFor([&] { return !importer.reading(); }, 60000);
    }

    QString key(const QString &f, const QString &s, const QString &p, const QString &id) const
    {
        return f + u'/' + s + u'/' + p + u'/' + id;
    }

    // Applies and waits for the end; true when the list was replaced.
    bool applyAndWait(ImportController &importer)
    {
        QSignalSpy applied(&importer, &ImportController::applied);
        if (!importer.apply())
            return false;
        if (!QTest::qWaitFor([&] { return applied.count() > 0; }, 30000))
            return false;
        return applied.first().at(0).toBool();
    }

    QByteArray fileBytes(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ImportOnOltsim, TheListBecomesWhatTheOltHoldsAndKeepsWhatOnlyTheListKnows)
{
    app::MainWindow &w = start();
    ASSERT_TRUE(connectAndListWaiting(w));
    EXPECT_TRUE(w.importWindow().isVisible()) << "an OLT without a local list opens the import";
    ImportController &importer = w.importer();
    ASSERT_TRUE(readFrame(importer));
    ASSERT_EQ(importer.stage(), ImportController::Stage::Ready) << importer.problems().join(u'\n').toStdString();

    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    ASSERT_TRUE(applyAndWait(importer));
    registry::OntList &list = w.ontList();
    ASSERT_EQ(list.size(), int(sim.model().onts.size()));

    QHash<QString, int> rowOf;
    for (int i = 0; i < list.size(); ++i) {
        const core::OntRecord &r = list.record(i);
        rowOf.insert(key(r.frame, r.slot, r.port, r.ontId), i);
    }
    QSet<int> igmpIndexes;
    for (const auto &u : sim.model().igmpUsers)
        igmpIndexes.insert(u.servicePort);
    for (const auto &o : sim.model().onts) {
        const QString k = key(QString::number(o.frame), QString::number(o.slot), QString::number(o.port),
                              QString::number(o.id));
        SCOPED_TRACE(k.toStdString());
        ASSERT_TRUE(rowOf.contains(k));
        const core::OntRecord &r = list.record(rowOf.value(k));
        EXPECT_EQ(r.serialOrMac, o.sn);
        EXPECT_EQ(r.name.trimmed(), o.description);
        EXPECT_EQ(r.ponType, o.epon ? QStringLiteral("E.PON") : QStringLiteral("G.PON"));
        EXPECT_EQ(r.active, o.active ? QStringLiteral("0") : QStringLiteral("1"));
        EXPECT_EQ(r.image, o.online() ? core::RowImage::Online : core::RowImage::Offline);
        const core::ServicePortField field = core::decodeServicePortField(r.servicePorts);
        int slot = 0;
        for (const auto &sp : sim.model().servicePorts) {
            if (sp.frame != o.frame || sp.slot != o.slot || sp.port != o.port || sp.ont != o.id)
                continue;
            ASSERT_LT(slot, core::ServicePortField::kSlots);
            const core::ServicePortSlot &g = field.slots[size_t(slot++)];
            EXPECT_EQ(g.index, QString::number(sp.index));
            EXPECT_EQ(g.vlanId, QString::number(sp.vlan));
            EXPECT_EQ(g.igmp, igmpIndexes.contains(sp.index) ? QStringLiteral("-1") : QStringLiteral("0"));
        }
    }
    const QString file = list.filePath();
    ASSERT_TRUE(QFile::exists(file));

    // What only the list knows survives the next import; the old file is kept beside the new one.
    core::OntRecord edited = list.record(0);
    edited.lineProfile = QStringLiteral("7");
    edited.subscriberId = QStringLiteral("K-1001");
    list.setRecord(0, edited);
    ASSERT_TRUE(list.save());
    const QByteArray before = fileBytes(file);
    ASSERT_TRUE(readFrame(importer));
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    ASSERT_TRUE(applyAndWait(importer));
    const int row = rowOf.value(key(edited.frame, edited.slot, edited.port, edited.ontId));
    EXPECT_EQ(list.record(row).lineProfile, QStringLiteral("7"));
    EXPECT_EQ(list.record(row).subscriberId, QStringLiteral("K-1001"));
    const QStringList backups = QFileInfo(file).dir().entryList({QFileInfo(file).fileName() + QStringLiteral(".*.bak")});
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(fileBytes(QFileInfo(file).dir().filePath(backups.first())), before);
}

struct CutListing
{
    const char *name;
    std::function<void(oltsim::Simulator &)> fault;
    const char *reason; // a word of the reason the operator is told
};

class CutListings : public ImportOnOltsim, public ::testing::WithParamInterface<CutListing>
{};

TEST_P(CutListings, LeaveTheListAndItsFileUnchanged)
{
    app::MainWindow &w = start();
    ASSERT_TRUE(connectAndListWaiting(w));
    registry::OntList &list = w.ontList();
    std::vector<core::OntRecord> rows;
    for (const auto &o : sim.model().onts)
        if (o.slot == 1)
            rows.push_back(test::listedOnt(o));
    list.replaceAll(rows);
    ASSERT_TRUE(list.save());
    const QByteArray before = fileBytes(list.filePath());

    GetParam().fault(sim);
    ImportController &importer = w.importer();
    QSignalSpy failed(&importer, &ImportController::failed);
    ASSERT_TRUE(readFrame(importer));
    EXPECT_EQ(importer.stage(), ImportController::Stage::Failed);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_TRUE(failed.first().at(0).toString().contains(QString::fromLatin1(GetParam().reason)))
        << failed.first().at(0).toString().toStdString();

    dialogs.clear();
    dialogs.scriptAnswer(ui::DialogService::Answer::Yes);
    EXPECT_FALSE(applyAndWait(importer));
    // A drop also ends the working session: the box then asks to connect first.
    ASSERT_FALSE(dialogs.shown().isEmpty());
    const QString told = dialogs.shown().last().text;
    EXPECT_TRUE(told.contains(QStringLiteral("the list was not changed"))
                || told == QStringLiteral("Aby wykonac operacje najpierw sie polacz!"))
        << told.toStdString();
    EXPECT_EQ(list.size(), int(rows.size()));
    EXPECT_EQ(fileBytes(list.filePath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    , CutListings,
    ::testing::Values(
        CutListing{"DropInTheOntListing",
                   [](oltsim::Simulator &s) { s.setDropInListing(20, QStringLiteral("display ont info")); },
                   "dropped"},
        CutListing{"DropInTheServicePorts",
                   [](oltsim::Simulator &s) { s.setDropInListing(8, QStringLiteral("display service-port")); },
                   "dropped"},
        // The OLT stops in the middle of the ONT listing for longer than the
        // session waits for quiet: what came so far is not a whole listing.
        CutListing{"LongPauseInTheOntListing",
                   [](oltsim::Simulator &s) { s.setPauseAfter(QStringLiteral("485754435A3C1EEF"), 1500); },
                   "incomplete"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
