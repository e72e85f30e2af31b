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
FormularzOnt typowyFormularz(int typIndex)
{
    FormularzOnt f;
    f.typIndex = typIndex;
    f.buda = QStringLiteral("0");
    f.karta = QStringLiteral("1");
    f.port = QStringLiteral("3");
    f.id = QStringLiteral("6");
    f.mac = typIndex == 1 ? QStringLiteral("00E0-FC12-3456") : QStringLiteral("4857544311E70E9A");
    f.nazwa = QStringLiteral("Jan Kowalski m 4");
    f.lineProfile = QStringLiteral("10");
    f.srvProfile = QStringLiteral("11");
    const char *vlans[] = {"1010", "942", "945", "373"};
    for (int i = 0; i < 4; ++i) {
        WierszUslugi &w = f.wiersze[size_t(i)];
        w.wlacz = i < 2;
        w.serviceport = QString::number(20 + i);
        w.vlan = QString::fromLatin1(vlans[i]);
        w.userVlan = w.vlan;
        w.gemport = QStringLiteral("100");
    }
    f.wiersze[0].native_ = true;
    f.wiersze[1].igmp = true;
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
    EXPECT_EQ(partia_dodaj_gpon(typowyFormularz(2)), expected);
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
    EXPECT_EQ(partia_dodaj_epon(typowyFormularz(1)), expected);
}

TEST(AddBatch, DisabledOntIsDeactivatedBeforeLeavingTheInterface)
{
    for (int typ : {1, 2}) {
        FormularzOnt f = typowyFormularz(typ);
        f.aktywny = false;
        f.catv = true;
        f.catvPort = 2;
        const QStringList lines = linesOf(typ == 1 ? partia_dodaj_epon(f) : partia_dodaj_gpon(f));
        const qsizetype catv = lines.indexOf(QStringLiteral("ont port attribute 3 6 catv 2 operational-state on"));
        ASSERT_GE(catv, 0) << typ;
        EXPECT_EQ(lines.mid(catv + 1, 2), (QStringList{QStringLiteral("ont deactivate 3 6"), QStringLiteral("quit")}))
            << typ;
    }
}

TEST(AddBatch, DisabledRowsSendNothingAndAreStoredWithDashes)
{
    FormularzOnt f = typowyFormularz(2);
    f.wiersze[1].wlacz = false;   // row 2 keeps its IGMP box, but is off
    f.wiersze[2].native_ = true;
    const QStringList lines = linesOf(partia_dodaj_gpon(f));
    for (const QString &l : lines) {
        EXPECT_FALSE(l.contains(QStringLiteral("942")) || l.contains(QStringLiteral("945")) || l == u"btv") << l.toStdString();
    }
    EXPECT_EQ(pole_vlan_formularza(f), QStringLiteral("-1;20;1010;-1;0;100;1010;^"
                                                      "0;-;-;0;-1;100;-;^"
                                                      "0;-;-;-1;0;100;-;^"
                                                      "0;-;-;0;0;100;-;^"));
}

TEST(AddBatch, NewListRowCarriesTheStoredTexts)
{
    FormularzOnt f = typowyFormularz(2);
    f.idKlienta = QStringLiteral("K-17");
    f.catv = true;
    f.catvPort = 3;
    f.aktywny = false;
    const OntListRow r = wiersz_dodanego_ont(f);
    const Lv1Cells lv1{QStringLiteral("+"), QStringLiteral("G.PON"), QStringLiteral("0"), QStringLiteral("1"),
                       QStringLiteral("3"), QStringLiteral("6"), QStringLiteral("Jan Kowalski m 4"),
                       QStringLiteral("4857544311E70E9A"), QStringLiteral("10"), QStringLiteral("11"),
                       pole_vlan_formularza(f), QStringLiteral("-"), QStringLiteral("-1;3;^"), QStringLiteral("K-17"),
                       QStringLiteral("1")};
    EXPECT_EQ(r.lv1, lv1);
    EXPECT_EQ(r.lv1b[kolb::Gepon], QStringLiteral("G.PON\nChecking signal..\nONT: ? OLT: ?"));
    EXPECT_EQ(r.lv1b[kolb::Port], QStringLiteral("OLT: 0\nSlot: 1/3\nID: 6"));
    EXPECT_EQ(r.lv1b[kolb::Nazwa], QStringLiteral("Jan Kowalski m 4\nSN: 4857544311E70E9A\nOpis"));
    EXPECT_EQ(r.lv1b[kolb::IdLv1], QString());
    EXPECT_EQ(r.lv1b[kolb::Active], QStringLiteral("1"));
    EXPECT_EQ(r.imageB, obraz::Dodany);
}

OntListRow wiersz(const char *f, const char *s, const char *p, const char *id, const char *mac)
{
    OntListRow r;
    r.lv1[kol::Buda] = QString::fromLatin1(f);
    r.lv1[kol::Karta] = QString::fromLatin1(s);
    r.lv1[kol::Port] = QString::fromLatin1(p);
    r.lv1[kol::OntId] = QString::fromLatin1(id);
    r.lv1[kol::MacSn] = QString::fromLatin1(mac);
    r.lv1[kol::Nazwa] = QStringLiteral("Stary");
    return r;
}

TEST(AddDuplicates, PlaceOrMacSnAlreadyListed)
{
    const std::vector<OntListRow> rows{wiersz("0", "1", "2", "5", "4857544300000001"),
                                       wiersz("0", "1", "3", "6", "4857544300000002"),
                                       wiersz("0", "2", "0", "1", "4857544311e70e9a")};
    const struct
    {
        const char *place[4];
        const char *mac;
        int skip;
        std::optional<Duplikat::Rodzaj> kind;
        int row;
    } cases[] = {
        {{"0", "1", "3", "6"}, "4857544311E70E9A", -1, Duplikat::Rodzaj::Miejsce, 1},  // same place, other SN
        {{"0", "1", "3", "7"}, "4857544300000001", -1, Duplikat::Rodzaj::MacSn, 0},   // same SN on another port
        {{"0", "1", "3", "7"}, "4857544311E70E9A", -1, std::nullopt, -1},             // case differs: not the same
        {{"0", "1", "3", "6"}, "4857544300000002", 1, std::nullopt, -1},              // the edited row itself
        {{"0", "1", "3", "6"}, "4857544300000001", 1, Duplikat::Rodzaj::MacSn, 0},
    };
    for (const auto &c : cases) {
        FormularzOnt f;
        f.buda = QString::fromLatin1(c.place[0]);
        f.karta = QString::fromLatin1(c.place[1]);
        f.port = QString::fromLatin1(c.place[2]);
        f.id = QString::fromLatin1(c.place[3]);
        f.mac = QString::fromLatin1(c.mac);
        const auto d = szukaj_duplikatu(rows, c.skip, f);
        ASSERT_EQ(d.has_value(), c.kind.has_value()) << c.mac;
        if (d) {
            EXPECT_EQ(d->rodzaj, *c.kind) << c.mac;
            EXPECT_EQ(d->wiersz, c.row) << c.mac;
        }
    }
}

struct CheckCase
{
    const char *name;
    void (*change)(FormularzOnt &);
    bool addMode;
    std::optional<PoleWiersza> failing;
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
    FormularzOnt f = typowyFormularz(2);
    c.change(f);
    const SprawdzenieFormularza w = sprawdz_formularz(f, c.addMode);
    ASSERT_EQ(w.blad.has_value(), c.failing.has_value());
    if (!w.blad)
        return;
    EXPECT_EQ(w.blad->pole, *c.failing);
    EXPECT_EQ(w.sprawdzone.last(), *c.failing);
    EXPECT_EQ(!w.blad->komunikat.isEmpty(), c.withMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddChecks,
    ::testing::Values(
        CheckCase{"valid", [](FormularzOnt &) {}, true, std::nullopt, false},
        // The historic checks paint the field and say nothing.
        CheckCase{"serviceport_auto", [](FormularzOnt &f) { f.wiersze[0].serviceport = QStringLiteral("Auto"); }, true,
                  PoleWiersza{Pole::Serviceport, 0}, false},
        CheckCase{"serviceport1_checked_even_when_row_off",
                  [](FormularzOnt &f) {
                      f.wiersze[0].wlacz = false;
                      f.wiersze[0].serviceport.clear();
                  },
                  true, PoleWiersza{Pole::Serviceport, 0}, false},
        CheckCase{"slot_x", [](FormularzOnt &f) { f.karta = QStringLiteral("X"); }, true, PoleWiersza{Pole::Karta}, false},
        CheckCase{"short_mac", [](FormularzOnt &f) { f.mac = QStringLiteral("48575"); }, true, PoleWiersza{Pole::Mac}, false},
        CheckCase{"id_auto_add", [](FormularzOnt &f) { f.id = QStringLiteral("Auto"); }, true, PoleWiersza{Pole::Id}, false},
        // Nothing is sent without a type.
        CheckCase{"no_type", [](FormularzOnt &f) { f.typIndex = 0; }, true, PoleWiersza{Pole::Typ}, true},
        // A field that starts with its number but adds words to the command.
        CheckCase{"port_with_words", [](FormularzOnt &f) { f.port = QStringLiteral("0 sn-auth X"); }, true,
                  PoleWiersza{Pole::Port}, true},
        CheckCase{"id_trailing_space", [](FormularzOnt &f) { f.id = QStringLiteral("6 "); }, true, PoleWiersza{Pole::Id}, true},
        CheckCase{"id_auto_edit", [](FormularzOnt &f) { f.id = QStringLiteral("Auto"); }, false, PoleWiersza{Pole::Id}, true},
        CheckCase{"mac_with_space", [](FormularzOnt &f) { f.mac = QStringLiteral("4857544311E70E9A desc x"); }, true,
                  PoleWiersza{Pole::Mac}, true},
        CheckCase{"name_quote", [](FormularzOnt &f) { f.nazwa = QStringLiteral("a\" \r\nquit"); }, true,
                  PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"name_line_feed", [](FormularzOnt &f) { f.nazwa = QStringLiteral("a\nundo service-port all"); }, true,
                  PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"name_tab", [](FormularzOnt &f) { f.nazwa = QStringLiteral("a\tb"); }, true, PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"name_field_separator", [](FormularzOnt &f) { f.nazwa = QStringLiteral("a^!b"); }, true,
                  PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"name_record_separator", [](FormularzOnt &f) { f.nazwa = QStringLiteral("x*^y"); }, true,
                  PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"name_empty", [](FormularzOnt &f) { f.nazwa = QStringLiteral("  "); }, true, PoleWiersza{Pole::Nazwa}, true},
        CheckCase{"lineprofile_words", [](FormularzOnt &f) { f.lineProfile = QStringLiteral("1 x"); }, true,
                  PoleWiersza{Pole::LineProfile}, true},
        CheckCase{"vlan_of_row_2", [](FormularzOnt &f) { f.wiersze[1].vlan = QStringLiteral("942;"); }, true,
                  PoleWiersza{Pole::Vlan, 1}, true},
        CheckCase{"user_vlan_of_row_1", [](FormularzOnt &f) { f.wiersze[0].userVlan.clear(); }, true,
                  PoleWiersza{Pole::UserVlan, 0}, true},
        // A row that is off is neither sent nor stored, apart from its GEM port.
        CheckCase{"off_row_vlan_ignored", [](FormularzOnt &f) { f.wiersze[3].vlan = QStringLiteral("x y"); }, true,
                  std::nullopt, false},
        CheckCase{"off_row_gemport", [](FormularzOnt &f) { f.wiersze[3].gemport = QStringLiteral("1;^"); }, true,
                  PoleWiersza{Pole::Gemport, 3}, true},
        CheckCase{"customer_id_separator", [](FormularzOnt &f) { f.idKlienta = QStringLiteral("12^!"); }, true,
                  PoleWiersza{Pole::IdKlienta}, true}),
    [](const ::testing::TestParamInfo<CheckCase> &i) { return std::string(i.param.name); });

TEST(AddChecks, HistoricChecksComeFirstAndResetInOrder)
{
    FormularzOnt f = typowyFormularz(0);
    f.port = QStringLiteral("0 x");
    const SprawdzenieFormularza w = sprawdz_formularz(f, true);
    // The type is the first new check, so the bad port is not reached yet.
    EXPECT_EQ(w.sprawdzone, (QList<PoleWiersza>{{Pole::Serviceport, 0}, {Pole::Buda}, {Pole::Karta}, {Pole::Port},
                                                {Pole::Mac}, {Pole::Id}, {Pole::Typ}}));
}

} // namespace
