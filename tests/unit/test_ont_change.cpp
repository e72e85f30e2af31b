// Changing, deleting and rebooting an authorised ONT: what the console decides
// from the form and the row, and the lines it types for it.
#include "core/ont_change.h"

#include "core/service_port_field.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace tervix::core;

const QString kEmptyGroups = QStringLiteral("0;-;-;0;0;100;-;^0;-;-;0;0;100;-;^");

// A row the add form wrote: GPON on 0/1/2 id 5, service ports 12 and 13.
OntRecord addedRow()
{
    OntRecord r;
    r.origin = QStringLiteral("+");
    r.ponType = QStringLiteral("G.PON");
    r.frame = QStringLiteral("0");
    r.slot = QStringLiteral("1");
    r.port = QStringLiteral("2");
    r.ontId = QStringLiteral("5");
    r.name = QStringLiteral("Jan Kowalski");
    r.serialOrMac = QStringLiteral("485754430B086EA9");
    r.lineProfile = QStringLiteral("1");
    r.serviceProfile = QStringLiteral("1");
    r.servicePorts = QStringLiteral("-1;12;1010;-1;0;100;1010;^-1;13;942;0;-1;100;942;^") + kEmptyGroups;
    r.levels = QStringLiteral("-");
    r.catv = QStringLiteral("0;1;^");
    r.active = QStringLiteral("0");
    return r;
}

// A row the import wrote: profiles unknown, six-value groups, native unknown.
OntRecord importedRow()
{
    OntRecord r = addedRow();
    r.origin = QStringLiteral("-");
    r.lineProfile = r.serviceProfile = QStringLiteral("-");
    r.servicePorts = QStringLiteral("-1;20;300;?;0;100;^");
    return r;
}

// The form as a fresh form holds it before an ONT is loaded.
AddOntValues blankForm()
{
    AddOntValues f;
    for (ServicePortRow &w : f.rows)
        w.gemport = QStringLiteral("100");
    return f;
}

// The values a load leaves in the form, with what the OLT told filled in.
AddOntValues loadedValues(const OntRecord &row)
{
    EditLoad load = editLoadOf(row, blankForm());
    if (load.profilesUnknown)
        load.values.lineProfile = load.values.srvProfile = QStringLiteral("1");
    for (size_t i = 0; i < load.nativeUnknown.size(); ++i) {
        if (load.nativeUnknown[i])
            load.values.rows[i].native_ = true;
    }
    return load.values;
}

struct ChangeCase
{
    const char *what;
    std::function<OntRecord()> row;
    std::function<void(AddOntValues &)> edit;
    OntChange::Kind kind;
    OntChangeFlags flags;
};

OntChangeFlags flagsOf(std::initializer_list<bool OntChangeFlags::*> set)
{
    OntChangeFlags f;
    for (bool OntChangeFlags::*m : set)
        f.*m = true;
    return f;
}

TEST(OntChangeDecision, TableOfEdits)
{
    using K = OntChange::Kind;
    const ChangeCase cases[] = {
        {"nothing", addedRow, [](AddOntValues &) {}, K::Nothing, {}},
        {"subscriber id", addedRow, [](AddOntValues &f) { f.subscriberId = QStringLiteral("A-77"); }, K::LocalOnly, {}},
        {"name", addedRow, [](AddOntValues &f) { f.name = QStringLiteral("Anna Nowak"); }, K::InPlace,
         flagsOf({&OntChangeFlags::name})},
        {"name and line profile", addedRow,
         [](AddOntValues &f) {
             f.name = QStringLiteral("Anna Nowak");
             f.lineProfile = QStringLiteral("2");
         },
         K::InPlace, flagsOf({&OntChangeFlags::name, &OntChangeFlags::lineProfile})},
        {"SN", addedRow, [](AddOntValues &f) { f.mac = QStringLiteral("4857544300000001"); }, K::InPlace,
         flagsOf({&OntChangeFlags::serial})},
        {"disabled", addedRow, [](AddOntValues &f) { f.active = false; }, K::InPlace, flagsOf({&OntChangeFlags::active})},
        {"CATV on", addedRow, [](AddOntValues &f) { f.catv = true; }, K::InPlace, flagsOf({&OntChangeFlags::catv})},
        {"service profile", addedRow, [](AddOntValues &f) { f.srvProfile = QStringLiteral("3"); }, K::InPlace,
         flagsOf({&OntChangeFlags::srvProfile})},
        {"VLAN of a service port", addedRow, [](AddOntValues &f) { f.rows[1].vlan = QStringLiteral("945"); },
         K::Recreate, {}},
        {"native flag of a service port", addedRow, [](AddOntValues &f) { f.rows[0].native_ = false; }, K::Recreate, {}},
        {"a third service port", addedRow,
         [](AddOntValues &f) {
             f.rows[2].enabled = true;
             f.rows[2].serviceport = QStringLiteral("14");
             f.rows[2].vlan = f.rows[2].userVlan = QStringLiteral("945");
         },
         K::Recreate, {}},
        {"id", addedRow, [](AddOntValues &f) { f.id = QStringLiteral("6"); }, K::Recreate, {}},
        {"port", addedRow, [](AddOntValues &f) { f.port = QStringLiteral("3"); }, K::Recreate, {}},
        {"type", addedRow, [](AddOntValues &f) { f.ponTypeIndex = 1; }, K::Recreate, {}},
        {"text of a disabled service port", addedRow, [](AddOntValues &f) { f.rows[3].vlan = QStringLiteral("999"); },
         K::Nothing, {}},
        // An imported ONT saved as loaded only has its row brought to the form's texts.
        {"imported, nothing", importedRow, [](AddOntValues &) {}, K::LocalOnly, {}},
        {"imported, renamed", importedRow, [](AddOntValues &f) { f.name = QStringLiteral("Jan Nowak Kowalski"); },
         K::InPlace, flagsOf({&OntChangeFlags::name})},
        {"imported, VLAN changed", importedRow, [](AddOntValues &f) { f.rows[0].vlan = QStringLiteral("301"); },
         K::Recreate, {}},
    };
    for (const ChangeCase &c : cases) {
        SCOPED_TRACE(c.what);
        const OntRecord row = c.row();
        const AddOntValues loaded = loadedValues(row);
        AddOntValues form = loaded;
        c.edit(form);
        const OntChange change = decideOntChange(row, loaded, form);
        EXPECT_EQ(change.kind, c.kind);
        EXPECT_EQ(change.flags, c.flags);
    }
}

TEST(OntChangeDecision, MoreThanFourServicePortsAreNeverDroppedFromTheOlt)
{
    OntRecord row = importedRow();
    row.servicePorts = QStringLiteral("-1;20;300;0;0;100;^-1;21;301;0;0;100;^-1;22;302;0;0;100;^-1;23;303;0;0;100;^"
                                      "-1;24;304;0;0;100;^");
    const AddOntValues loaded = loadedValues(row);

    AddOntValues moved = loaded;
    moved.id = QStringLiteral("9");
    const OntChange refused = decideOntChange(row, loaded, moved);
    EXPECT_EQ(refused.kind, OntChange::Kind::Refused);
    EXPECT_FALSE(refused.refusal.isEmpty());

    // A rename goes ahead and the row keeps all five groups.
    AddOntValues renamed = loaded;
    renamed.name = QStringLiteral("Nowa Nazwa");
    EXPECT_EQ(decideOntChange(row, loaded, renamed).kind, OntChange::Kind::InPlace);
    EXPECT_EQ(changedOntRow(row, renamed).servicePorts, row.servicePorts);
}

TEST(OntChangeDecision, EponGemPortsAreNoChange)
{
    OntRecord row = addedRow();
    row.ponType = QStringLiteral("E.PON");
    row.serialOrMac = QStringLiteral("00e0-fc12-3456");
    row.servicePorts = QStringLiteral("-1;12;1010;0;0;-;1010;^") + kEmptyGroups + QStringLiteral("0;-;-;0;0;100;-;^");
    const AddOntValues loaded = loadedValues(row);
    AddOntValues form = loaded;
    form.rows[0].gemport = QStringLiteral("200"); // EPON service ports have no GEM port
    EXPECT_NE(decideOntChange(row, loaded, form).kind, OntChange::Kind::Recreate);
}

TEST(OntChangeRows, ImportedRowIsNormalisedLocally)
{
    const OntRecord row = importedRow();
    const AddOntValues loaded = loadedValues(row);
    const OntRecord out = changedOntRow(row, loaded);
    EXPECT_EQ(out.lineProfile, QStringLiteral("1"));
    EXPECT_FALSE(out.servicePorts.contains(u'?'));
    const ServicePortField field = decodeServicePortField(out.servicePorts);
    EXPECT_EQ(field.slots[0].index, QStringLiteral("20"));
    EXPECT_EQ(field.slots[0].nativeVlan, QStringLiteral("-1"));
    EXPECT_EQ(field.slots[0].userVlan, QStringLiteral("300"));
}

TEST(OntChangeRows, UnconfirmedChangesKeepTheirOldValues)
{
    const OntRecord row = addedRow();
    AddOntValues form = loadedValues(row);
    form.name = QStringLiteral("Anna Nowak");
    form.lineProfile = QStringLiteral("77");
    const OntRecord out = changedOntRow(row, form, flagsOf({&OntChangeFlags::lineProfile}));
    EXPECT_EQ(out.name, QStringLiteral("Anna Nowak"));
    EXPECT_EQ(out.lineProfile, QStringLiteral("1"));
}

TEST(OntChangeRows, FreedRowKeepsItsServicePorts)
{
    const OntRecord row = addedRow();
    const OntRecord freed = freedOntRow(row);
    EXPECT_TRUE(isFreeRow(freed));
    EXPECT_FALSE(isFreeRow(row));
    EXPECT_EQ(freed.name, QStringLiteral("--WOLNY--"));
    EXPECT_EQ(freed.serialOrMac, QStringLiteral("--WOLNY--"));
    EXPECT_EQ(freed.frame, QStringLiteral("-"));
    EXPECT_EQ(freed.lineProfile, QStringLiteral("-"));
    EXPECT_EQ(freed.servicePorts, row.servicePorts);
    EXPECT_EQ(freed.image, RowImage::Freed);
}

TEST(OntChangeLoad, ImportedGroupAsksTheOlt)
{
    const EditLoad load = editLoadOf(importedRow(), blankForm());
    EXPECT_TRUE(load.profilesUnknown);
    EXPECT_TRUE(load.nativeUnknown[0]);
    EXPECT_FALSE(load.nativeUnknown[1]);
    EXPECT_TRUE(load.values.rows[0].enabled);
    EXPECT_EQ(load.values.rows[0].serviceport, QStringLiteral("20"));
    EXPECT_EQ(load.values.rows[0].userVlan, QStringLiteral("300"));
    EXPECT_EQ(load.values.ponTypeIndex, 2);
}

TEST(OntChangeLoad, NativeFlagsFromServicePortAnswers)
{
    const QString answers = QStringLiteral(
        "display service-port 20\r\n"
        "  Index               : 20\r\n"
        "  VLAN ID             : 300\r\n"
        "  Tag transform       : transparent\r\n"
        "  Note: F--Frame, S--Slot, P--Port,\r\n"
        "OLT(config)#display service-port 21\r\n"
        "  Index               : 21\r\n"
        "  Tag transform       : translate\r\n"
        "  Note: F--Frame, S--Slot, P--Port,\r\n"
        "OLT(config)#display service-port 22\r\n"
        "  Index               : 22\r\n"
        "  Tag transform       : transparent\r\n");
    const QHash<QString, bool> flags = nativeFlagsFromServicePorts(answers);
    EXPECT_EQ(flags.value(QStringLiteral("20")), true);
    EXPECT_EQ(flags.value(QStringLiteral("21"), true), false);
    // An answer cut before its note still tells.
    EXPECT_EQ(flags.value(QStringLiteral("22")), true);
}

TEST(OntChangeBatches, InPlaceLinesQuoteTheNameAndFollowTheirOrder)
{
    AddOntValues f = loadedValues(addedRow());
    f.name = QStringLiteral("Anna Maria Nowak");
    f.mac = QStringLiteral("4857544300000001");
    f.lineProfile = QStringLiteral("2");
    const OntChangeFlags flags = flagsOf({&OntChangeFlags::name, &OntChangeFlags::serial, &OntChangeFlags::lineProfile});
    EXPECT_EQ(linesOf(ontChangeBatch(f, flags)),
              (QStringList{QStringLiteral("config"), QStringLiteral("interface gpon 0/1"),
                           QStringLiteral("ont modify 2 5 desc \"Anna Maria Nowak\""),
                           QStringLiteral("ont modify 2 5 sn 4857544300000001"), QStringLiteral("1"),
                           QStringLiteral("ont modify 2 5 ont-lineprofile-id 2"), QStringLiteral("quit")}));
}

TEST(OntChangeBatches, DeleteAndReboot)
{
    EXPECT_EQ(linesOf(deleteOntBatch(addedRow())),
              (QStringList{QStringLiteral("config"), QStringLiteral("undo service-port port 0/1/2 ont 5"),
                           QStringLiteral("y"), QStringLiteral("interface gpon 0/1"), QStringLiteral("ont delete 2 5"),
                           QStringLiteral("quit")}));
    EXPECT_TRUE(deleteOntBatch(freedOntRow(addedRow())).isEmpty());
    EXPECT_EQ(linesOf(rebootOntBatch(QStringLiteral("epon"), QStringLiteral("0"), QStringLiteral("3"),
                                     QStringLiteral("1"), QStringLiteral("4"))),
              (QStringList{QStringLiteral("config"), QStringLiteral("interface epon 0/3"), QStringLiteral("ont reset 1 4"),
                           QStringLiteral("y"), QStringLiteral("quit")}));
}

} // namespace
