#include "core/add_ont_batch.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tervix::core {
inline void PrintTo(const PacedLine &l, std::ostream *os)
{
    *os << '(' << (l.typesLine ? '"' + l.line.toStdString() + '"' : std::string("wait")) << ", " << l.waitAfterMs
        << (l.clearFirst ? ", clear" : "") << ')';
}
} // namespace tervix::core

namespace {

using namespace tervix::core;

// The form of the typical request: rows 1 and 2 enabled, row 1 native, row 2
// with IGMP, CATV off, active.
AddOntValues typicalForm(int ponTypeIndex)
{
    AddOntValues f;
    f.ponTypeIndex = ponTypeIndex;
    f.frame = QStringLiteral("0");
    f.slot = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.id = QStringLiteral("6");
    f.mac = ponTypeIndex == 1 ? QStringLiteral("00E0-FC12-3456") : QStringLiteral("4857544311E70E9A");
    f.name = QStringLiteral("Jan Kowalski m 4");
    f.lineProfile = QStringLiteral("10");
    f.srvProfile = QStringLiteral("11");
    const char *vlans[] = {"1010", "942", "945", "373"};
    for (int i = 0; i < 4; ++i) {
        ServicePortRow &w = f.rows[size_t(i)];
        w.enabled = i < 2;
        w.serviceport = QString::number(20 + i);
        w.vlan = QString::fromLatin1(vlans[i]);
        w.userVlan = w.vlan;
        w.gemport = QStringLiteral("100");
    }
    f.rows[0].native_ = true;
    f.rows[1].igmp = true;
    return f;
}

PacedLine L(const char *line, int wait = 200)
{
    return PacedLine::send(QString::fromLatin1(line), wait, false);
}

TEST(AddBatch, GponTypicalRequest)
{
    CommandBatch expected{
        PacedLine::send(QStringLiteral("config"), 200, true),
        L("interface gpon 0/1"),
        L("ont add 3 6 sn-auth 4857544311E70E9A omci ont-lineprofile-id 10 ont-srvprofile-id 11 desc \"Jan Kowalski m 4\""),
        L("ont port native-vlan 3 6 eth 1 vlan 1010"),
        L("ont port attribute 3 6 catv 1 operational-state off"),
        L("quit"),
        L("service-port 20 vlan 1010 gpon 0/1/3 ont 6 gemport 100 multi-service user-vlan 1010 tag-transform transparent"),
        L("service-port 21 vlan 942 gpon 0/1/3 ont 6 gemport 100 multi-service user-vlan 942 tag-transform translate"),
        L("btv"),
        L("igmp user add service-port 21 no-auth"),
        L("multicast-vlan 942"),
        L("igmp multicast-vlan member service-port 21", 0),
        PacedLine::wait(200),
        L("quit", 0),
    };
    EXPECT_EQ(gponAddBatch(typicalForm(2)), expected);
}

TEST(AddBatch, EponTypicalRequest)
{
    CommandBatch expected{
        PacedLine::send(QStringLiteral("config"), 200, true),
        L("interface epon 0/1"),
        L("ont add 3 6 mac-auth 00E0-FC12-3456 oam ont-lineprofile-id 10 ont-srvprofile-id 11 desc \"Jan Kowalski m 4\""),
        L("ont port native-vlan 3 6 eth 1 vlan 1010"),
        L("ont port attribute 3 6 catv 1 operational-state off"),
        L("quit"),
        L("service-port 20 vlan 1010 epon 0/1/3 ont 6 multi-service user-vlan 1010 tag-transform transparent"),
        L("service-port 21 vlan 942 epon 0/1/3 ont 6 multi-service user-vlan 942 tag-transform translate"),
        L("btv"),
        L("igmp user add service-port 21 no-auth"),
        L("multicast-vlan 942"),
        L("igmp multicast-vlan member service-port 21"),
        L("quit", 0),
    };
    EXPECT_EQ(eponAddBatch(typicalForm(1)), expected);
}

TEST(AddBatch, DisabledOntIsDeactivatedBeforeLeavingTheInterface)
{
    for (int ponType : {1, 2}) {
        AddOntValues f = typicalForm(ponType);
        f.active = false;
        f.catv = true;
        f.catvPort = 2;
        const QStringList lines = linesOf(ponType == 1 ? eponAddBatch(f) : gponAddBatch(f));
        const qsizetype catv = lines.indexOf(QStringLiteral("ont port attribute 3 6 catv 2 operational-state on"));
        ASSERT_GE(catv, 0) << ponType;
        EXPECT_EQ(lines.mid(catv + 1, 2), (QStringList{QStringLiteral("ont deactivate 3 6"), QStringLiteral("quit")}))
            << ponType;
    }
}

TEST(AddBatch, DisabledRowsSendNothingAndAreStoredWithDashes)
{
    AddOntValues f = typicalForm(2);
    f.rows[1].enabled = false;   // row 2 keeps its IGMP box, but is off
    f.rows[2].native_ = true;
    const QStringList lines = linesOf(gponAddBatch(f));
    for (const QString &l : lines) {
        EXPECT_FALSE(l.contains(QStringLiteral("942")) || l.contains(QStringLiteral("945")) || l == u"btv") << l.toStdString();
    }
    EXPECT_EQ(servicePortsField(f), QStringLiteral("-1;20;1010;-1;0;100;1010;^"
                                                      "0;-;-;0;-1;100;-;^"
                                                      "0;-;-;-1;0;100;-;^"
                                                      "0;-;-;0;0;100;-;^"));
}

TEST(AddBatch, NewListRowCarriesTheStoredTexts)
{
    AddOntValues f = typicalForm(2);
    f.subscriberId = QStringLiteral("K-17");
    f.catv = true;
    f.catvPort = 3;
    f.active = false;
    const OntRecord r = addedOntRow(f);
    const QStringList advanced{QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
                               QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("Jan Kowalski m 4"),
                               QStringLiteral("4857544311E70E9A"), QStringLiteral("10"), QStringLiteral("11"),
                               servicePortsField(f), QStringLiteral("-"), QStringLiteral("-1;3;^"), QStringLiteral("K-17"),
                               QStringLiteral("1")};
    for (int c = 0; c < Column::Count; ++c)
        EXPECT_EQ(cellText(r, Column::Id(c)), advanced[c]) << "column " << c;
    EXPECT_EQ(cellText(r, BasicColumn::Signal), QStringLiteral("G.PON\nChecking signal..\nONT: ? OLT: ?"));
    EXPECT_EQ(cellText(r, BasicColumn::Port), QStringLiteral("OLT: 0\nSlot: 1/3\nID: 6"));
    EXPECT_EQ(cellText(r, BasicColumn::Name), QStringLiteral("Jan Kowalski m 4\nSN: 4857544311E70E9A\nOpis"));
    EXPECT_EQ(cellText(r, BasicColumn::RowIndex), QString());
    EXPECT_EQ(cellText(r, BasicColumn::Active), QStringLiteral("1"));
    EXPECT_EQ(r.basicImage, RowImage::Added);
}

OntRecord row(const char *f, const char *s, const char *p, const char *id, const char *mac)
{
    OntRecord r;
    r.frame = QString::fromLatin1(f);
    r.slot = QString::fromLatin1(s);
    r.port = QString::fromLatin1(p);
    r.ontId = QString::fromLatin1(id);
    r.serialOrMac = QString::fromLatin1(mac);
    r.name = QStringLiteral("Stary");
    return r;
}

TEST(AddDuplicates, PlaceOrMacSnAlreadyListed)
{
    const std::vector<OntRecord> rows{row("0", "1", "2", "5", "4857544300000001"),
                                       row("0", "1", "3", "6", "4857544300000002"),
                                       row("0", "2", "0", "1", "4857544311e70e9a")};
    const struct
    {
        const char *place[4];
        const char *mac;
        int skip;
        std::optional<Duplicate::Kind> kind;
        int row;
    } cases[] = {
        {{"0", "1", "3", "6"}, "4857544311E70E9A", -1, Duplicate::Kind::Place, 1},  // same place, other SN
        {{"0", "1", "3", "7"}, "4857544300000001", -1, Duplicate::Kind::SerialOrMac, 0},   // same SN on another port
        {{"0", "1", "3", "7"}, "4857544311E70E9A", -1, std::nullopt, -1},             // case differs: not the same
        {{"0", "1", "3", "6"}, "4857544300000002", 1, std::nullopt, -1},              // the edited row itself
        {{"0", "1", "3", "6"}, "4857544300000001", 1, Duplicate::Kind::SerialOrMac, 0},
    };
    for (const auto &c : cases) {
        AddOntValues f;
        f.frame = QString::fromLatin1(c.place[0]);
        f.slot = QString::fromLatin1(c.place[1]);
        f.port = QString::fromLatin1(c.place[2]);
        f.id = QString::fromLatin1(c.place[3]);
        f.mac = QString::fromLatin1(c.mac);
        const auto d = findDuplicate(rows, c.skip, f);
        ASSERT_EQ(d.has_value(), c.kind.has_value()) << c.mac;
        if (d) {
            EXPECT_EQ(d->kind, *c.kind) << c.mac;
            EXPECT_EQ(d->row, c.row) << c.mac;
        }
    }
}

struct CheckCase
{
    const char *name;
    void (*change)(AddOntValues &);
    bool addMode;
    std::optional<FieldRef> failing;
    bool withMessage;
};

void PrintTo(const CheckCase &c, std::ostream *os)
{
    *os << c.name;
}

class AddChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(AddChecks, FirstFailingFieldInOrder)
{
    const CheckCase &c = GetParam();
    AddOntValues f = typicalForm(2);
    c.change(f);
    const FormCheck w = checkAddForm(f, c.addMode);
    ASSERT_EQ(w.error.has_value(), c.failing.has_value());
    if (!w.error)
        return;
    EXPECT_EQ(w.error->field, *c.failing);
    EXPECT_EQ(w.checked.last(), *c.failing);
    EXPECT_EQ(!w.error->message.isEmpty(), c.withMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddChecks,
    ::testing::Values(
        CheckCase{"valid", [](AddOntValues &) {}, true, std::nullopt, false},
        // The historic checks paint the field and say nothing.
        CheckCase{"serviceport_auto", [](AddOntValues &f) { f.rows[0].serviceport = QStringLiteral("Auto"); }, true,
                  FieldRef{Field::ServicePort, 0}, false},
        CheckCase{"serviceport1_checked_even_when_row_off",
                  [](AddOntValues &f) {
                      f.rows[0].enabled = false;
                      f.rows[0].serviceport.clear();
                  },
                  true, FieldRef{Field::ServicePort, 0}, false},
        CheckCase{"slot_x", [](AddOntValues &f) { f.slot = QStringLiteral("X"); }, true, FieldRef{Field::Slot}, false},
        CheckCase{"short_mac", [](AddOntValues &f) { f.mac = QStringLiteral("48575"); }, true, FieldRef{Field::SerialOrMac}, false},
        CheckCase{"id_auto_add", [](AddOntValues &f) { f.id = QStringLiteral("Auto"); }, true, FieldRef{Field::OntId}, false},
        // Nothing is sent without a type.
        CheckCase{"no_type", [](AddOntValues &f) { f.ponTypeIndex = 0; }, true, FieldRef{Field::PonType}, true},
        // A field that starts with its number but adds words to the command.
        CheckCase{"port_with_words", [](AddOntValues &f) { f.port = QStringLiteral("0 sn-auth X"); }, true,
                  FieldRef{Field::Port}, true},
        CheckCase{"id_trailing_space", [](AddOntValues &f) { f.id = QStringLiteral("6 "); }, true, FieldRef{Field::OntId}, true},
        CheckCase{"id_auto_edit", [](AddOntValues &f) { f.id = QStringLiteral("Auto"); }, false, FieldRef{Field::OntId}, true},
        CheckCase{"mac_with_space", [](AddOntValues &f) { f.mac = QStringLiteral("4857544311E70E9A desc x"); }, true,
                  FieldRef{Field::SerialOrMac}, true},
        CheckCase{"name_quote", [](AddOntValues &f) { f.name = QStringLiteral("a\" \r\nquit"); }, true,
                  FieldRef{Field::Name}, true},
        CheckCase{"name_line_feed", [](AddOntValues &f) { f.name = QStringLiteral("a\nundo service-port all"); }, true,
                  FieldRef{Field::Name}, true},
        CheckCase{"name_tab", [](AddOntValues &f) { f.name = QStringLiteral("a\tb"); }, true, FieldRef{Field::Name}, true},
        CheckCase{"name_field_separator", [](AddOntValues &f) { f.name = QStringLiteral("a^!b"); }, true,
                  FieldRef{Field::Name}, true},
        CheckCase{"name_record_separator", [](AddOntValues &f) { f.name = QStringLiteral("x*^y"); }, true,
                  FieldRef{Field::Name}, true},
        CheckCase{"name_empty", [](AddOntValues &f) { f.name = QStringLiteral("  "); }, true, FieldRef{Field::Name}, true},
        CheckCase{"lineprofile_words", [](AddOntValues &f) { f.lineProfile = QStringLiteral("1 x"); }, true,
                  FieldRef{Field::LineProfile}, true},
        CheckCase{"vlan_of_row_2", [](AddOntValues &f) { f.rows[1].vlan = QStringLiteral("942;"); }, true,
                  FieldRef{Field::Vlan, 1}, true},
        CheckCase{"user_vlan_of_row_1", [](AddOntValues &f) { f.rows[0].userVlan.clear(); }, true,
                  FieldRef{Field::UserVlan, 0}, true},
        // A row that is off is neither sent nor stored, apart from its GEM port.
        CheckCase{"off_row_vlan_ignored", [](AddOntValues &f) { f.rows[3].vlan = QStringLiteral("x y"); }, true,
                  std::nullopt, false},
        CheckCase{"off_row_gemport", [](AddOntValues &f) { f.rows[3].gemport = QStringLiteral("1;^"); }, true,
                  FieldRef{Field::Gemport, 3}, true},
        CheckCase{"customer_id_separator", [](AddOntValues &f) { f.subscriberId = QStringLiteral("12^!"); }, true,
                  FieldRef{Field::SubscriberId}, true}),
    [](const ::testing::TestParamInfo<CheckCase> &i) { return std::string(i.param.name); });

TEST(AddChecks, HistoricChecksComeFirstAndResetInOrder)
{
    AddOntValues f = typicalForm(0);
    f.port = QStringLiteral("0 x");
    const FormCheck w = checkAddForm(f, true);
    // The type is the first new check, so the bad port is not reached yet.
    EXPECT_EQ(w.checked, (QList<FieldRef>{{Field::ServicePort, 0}, {Field::Frame}, {Field::Slot}, {Field::Port},
                                                {Field::SerialOrMac}, {Field::OntId}, {Field::PonType}}));
}

} // namespace
