#include "core/add_ont_batch.h"

#include "core/form_input_rules.h"
#include "core/vlan_field.h"

namespace tervix::core {

namespace {

QString flaga(bool b)
{
    return b ? QStringLiteral("-1") : QStringLiteral("0");
}

PacedLine linia(QString l, int wait = kWaitPoPoleceniu)
{
    return PacedLine::send(std::move(l), wait, false);
}

QString ontAdd(const FormularzOnt &f, bool epon)
{
    return QStringLiteral("ont add ") + f.port + u' ' + f.id + u' '
        + (epon ? QStringLiteral("mac-auth ") : QStringLiteral("sn-auth ")) + f.mac
        + (epon ? QStringLiteral(" oam") : QStringLiteral(" omci"))
        + QStringLiteral(" ont-lineprofile-id ") + f.lineProfile + u' '
        + QStringLiteral("ont-srvprofile-id ") + f.srvProfile
        + QStringLiteral(" desc \"") + f.nazwa + u'"';
}

QString servicePort(const FormularzOnt &f, const WierszUslugi &w, bool epon)
{
    QString l = QStringLiteral("service-port ") + w.serviceport + QStringLiteral(" vlan ") + w.vlan
        + (epon ? QStringLiteral(" epon ") : QStringLiteral(" gpon ")) + f.buda + u'/' + f.karta + u'/' + f.port
        + QStringLiteral(" ont ") + f.id;
    if (!epon)
        l += QStringLiteral(" gemport ") + w.gemport;
    l += QStringLiteral(" multi-service user-vlan ") + w.userVlan;
    l += w.native_ ? QStringLiteral(" tag-transform transparent") : QStringLiteral(" tag-transform translate");
    return l;
}

// Both batches share everything up to the service ports.
CommandBatch poczatekPartii(const FormularzOnt &f, bool epon)
{
    CommandBatch b;
    b.append(PacedLine::send(QStringLiteral("config"), kWaitPoPoleceniu, true));
    b.append(linia((epon ? QStringLiteral("interface epon ") : QStringLiteral("interface gpon ")) + f.buda + u'/'
                   + f.karta));
    b.append(linia(ontAdd(f, epon)));
    for (const WierszUslugi &w : f.wiersze) {
        if (w.wlacz && w.native_)
            b.append(linia(QStringLiteral("ont port native-vlan ") + f.port + u' ' + f.id
                           + QStringLiteral(" eth 1 vlan ") + w.vlan));
    }
    b.append(linia(QStringLiteral("ont port attribute ") + f.port + u' ' + f.id + QStringLiteral(" catv ")
                   + QString::number(f.catvPort)
                   + (f.catv ? QStringLiteral(" operational-state on") : QStringLiteral(" operational-state off"))));
    if (!f.aktywny)
        b.append(linia(QStringLiteral("ont deactivate ") + f.port + u' ' + f.id, 0));
    b.append(linia(QStringLiteral("quit")));
    for (const WierszUslugi &w : f.wiersze) {
        if (w.wlacz)
            b.append(linia(servicePort(f, w, epon)));
    }
    return b;
}

QString etykieta(PoleWiersza p)
{
    const QString n = QString::number(p.wiersz + 1);
    switch (p.pole) {
    case Pole::Serviceport: return QStringLiteral("ServicePort ") + n;
    case Pole::Vlan: return QStringLiteral("VLAN ") + n;
    case Pole::Gemport: return QStringLiteral("GEM port ") + n;
    case Pole::UserVlan: return QStringLiteral("User VLAN ") + n;
    case Pole::Buda: return QStringLiteral("Rama / Frame");
    case Pole::Karta: return QStringLiteral("Slot");
    case Pole::Port: return QStringLiteral("Port");
    case Pole::Id: return QStringLiteral("ID ONT");
    case Pole::LineProfile: return QStringLiteral("LineProfile");
    case Pole::SrvProfile: return QStringLiteral("SrvProfile");
    case Pole::Mac: return QStringLiteral("MAC-S/N-auth");
    case Pole::Nazwa: return QStringLiteral("WlasnaNazwa");
    case Pole::IdKlienta: return QStringLiteral("ID klienta / customer id");
    case Pole::Typ: return QStringLiteral("E/G PON");
    }
    return QString();
}

QString tylkoLiczbaKomunikat(PoleWiersza p)
{
    const QString e = etykieta(p);
    return QStringLiteral("Pole \"") + e + QStringLiteral("\" moze zawierac tylko liczbe (bez spacji i innych znakow).\n")
        + QStringLiteral("The field \"") + e + QStringLiteral("\" may hold only a number (no spaces, no other characters).");
}

} // namespace

QString FormularzOnt::typTekst() const
{
    switch (typIndex) {
    case 1: return QStringLiteral("E.PON");
    case 2: return QStringLiteral("G.PON");
    default: return QStringLiteral("-- Wykryj E/G PON --");
    }
}

QString pole_vlan_formularza(const FormularzOnt &f)
{
    QString out;
    for (const WierszUslugi &w : f.wiersze) {
        const bool wyl = !w.wlacz;
        out += flaga(w.wlacz) + u';' + zamien_dane(wyl, QStringLiteral("-"), w.serviceport) + u';'
            + zamien_dane(wyl, QStringLiteral("-"), w.vlan) + u';' + flaga(w.native_) + u';' + flaga(w.igmp) + u';'
            + w.gemport + u';' + zamien_dane(wyl, QStringLiteral("-"), w.userVlan) + QStringLiteral(";^");
    }
    return out;
}

QString atrybut_formularza(const FormularzOnt &f)
{
    return flaga(f.catv) + u';' + QString::number(f.catvPort) + QStringLiteral(";^");
}

QString stan_aktywnosci(const FormularzOnt &f)
{
    return f.aktywny ? QStringLiteral("0") : QStringLiteral("1");
}

namespace {
// An IGMP row's user and multicast membership, typed in the "btv" mode; the
// two types differ only in the wait after the last line.
void dodajIgmp(CommandBatch &b, const WierszUslugi &w, int waitPoCzlonku)
{
    b.append(linia(QStringLiteral("btv")));
    b.append(linia(QStringLiteral("igmp user add service-port ") + w.serviceport + QStringLiteral(" no-auth")));
    b.append(linia(QStringLiteral("multicast-vlan ") + w.vlan));
    b.append(linia(QStringLiteral("igmp multicast-vlan member service-port ") + w.serviceport, waitPoCzlonku));
}
} // namespace

CommandBatch partia_dodaj_gpon(const FormularzOnt &f)
{
    CommandBatch b = poczatekPartii(f, false);
    for (const WierszUslugi &w : f.wiersze) {
        if (w.wlacz && w.igmp)
            dodajIgmp(b, w, 0);
    }
    b.append(PacedLine::wait(kWaitPoPoleceniu));
    b.append(linia(QStringLiteral("quit"), 0));
    return b;
}

CommandBatch partia_dodaj_epon(const FormularzOnt &f)
{
    CommandBatch b = poczatekPartii(f, true);
    for (const WierszUslugi &w : f.wiersze) {
        if (!(w.wlacz && w.igmp))
            continue;
        dodajIgmp(b, w, kWaitPoPoleceniu);
        b.append(linia(QStringLiteral("quit"), 0));
    }
    return b;
}

OntListRow wiersz_dodanego_ont(const FormularzOnt &f)
{
    OntListRow r;
    r.lv1[kol::Stan] = QStringLiteral("+");
    r.lv1[kol::Typ] = f.typTekst();
    r.lv1[kol::Buda] = f.buda;
    r.lv1[kol::Karta] = f.karta;
    r.lv1[kol::Port] = f.port;
    r.lv1[kol::OntId] = f.id;
    r.lv1[kol::Nazwa] = f.nazwa;
    r.lv1[kol::MacSn] = f.mac;
    r.lv1[kol::LineProfile] = f.lineProfile;
    r.lv1[kol::SrvProfile] = f.srvProfile;
    r.lv1[kol::Vlan] = pole_vlan_formularza(f);
    r.lv1[kol::Rx] = QStringLiteral("-");
    r.lv1[kol::Atrr] = atrybut_formularza(f);
    r.lv1[kol::IdUrzKL] = f.idKlienta;
    r.lv1[kol::Active] = stan_aktywnosci(f);
    r.image = obraz::Brak;
    r.lv1b = wierszBasic(r.lv1, QString(), QStringLiteral("Opis"));
    r.imageB = obraz::Dodany;
    return r;
}

std::optional<Duplikat> szukaj_duplikatu(const std::vector<OntListRow> &rows, int pominWiersz,
                                         const FormularzOnt &f)
{
    const QString pos = f.buda + u'.' + f.karta + u'.' + f.port + u'.' + f.id + u'.';
    for (int i = 0; i < int(rows.size()); ++i) {
        if (i == pominWiersz)
            continue;
        const Lv1Cells &c = rows[size_t(i)].lv1;
        const QString rpos = c[kol::Buda] + u'.' + c[kol::Karta] + u'.' + c[kol::Port] + u'.' + c[kol::OntId] + u'.';
        if (rpos == pos)
            return Duplikat{Duplikat::Rodzaj::Miejsce, i};
        if (c[kol::MacSn] == f.mac)
            return Duplikat{Duplikat::Rodzaj::MacSn, i};
    }
    return std::nullopt;
}

QString podpis_duplikatu(Duplikat::Rodzaj r)
{
    return r == Duplikat::Rodzaj::Miejsce ? QStringLiteral("ONT exists! Koncowka powtarza sie!")
                                          : QStringLiteral("ONT exists MAC-SN! Koncowka powtarza sie!");
}

QString tekst_duplikatu(Duplikat::Rodzaj r, const OntListRow &row, const FormularzOnt &f)
{
    const QString &nazwa = row.lv1[kol::Nazwa];
    const QString &mac = row.lv1[kol::MacSn];
    if (r == Duplikat::Rodzaj::Miejsce)
        return QStringLiteral("ONT Exists! Nie mozesz zmienic tej koncowce id. Poniewaz zaproponowany loid -> ") + f.id
            + QStringLiteral(" <- znajduje sie juz na liscie jako") + u'\n' + nazwa + u'\n' + QStringLiteral("mac-sn: ")
            + mac;
    return QStringLiteral("ONT Exists MAC-SN! ONT znajaduje sie juz na liscie: mac-sn -> ") + mac
        + QStringLiteral(" znajduje sie juz na liscie ") + QStringLiteral("loid: ") + f.id + u'\n' + nazwa + u'\n'
        + QStringLiteral("Aby dodac usun ten sn/mac z listy. IF you want add ont, you must delete sn/mac from list!");
}

SprawdzenieFormularza sprawdz_formularz(const FormularzOnt &f, bool trybDodawania)
{
    SprawdzenieFormularza w;
    auto sprawdz = [&](PoleWiersza p, bool ok, QString komunikat = QString()) {
        w.sprawdzone.append(p);
        if (!ok)
            w.blad = BladFormularza{p, std::move(komunikat)};
        return ok;
    };
    auto liczba = [&](PoleWiersza p, const QString &v) { return sprawdz(p, tylko_liczba(v), tylkoLiczbaKomunikat(p)); };

    // The checks the form has always made: they only paint the field.
    if (!sprawdz({Pole::Serviceport, 0}, zaczyna_sie_cyfra(f.wiersze[0].serviceport))
        || !sprawdz({Pole::Buda}, zaczyna_sie_cyfra(f.buda)) || !sprawdz({Pole::Karta}, zaczyna_sie_cyfra(f.karta))
        || !sprawdz({Pole::Port}, zaczyna_sie_cyfra(f.port)) || !sprawdz({Pole::Mac}, f.mac.size() >= 6))
        return w;
    if (trybDodawania && !sprawdz({Pole::Id}, zaczyna_sie_cyfra(f.id)))
        return w;

    if (!sprawdz({Pole::Typ}, f.typIndex == 1 || f.typIndex == 2,
                 QStringLiteral("Wybierz typ ONT: E.PON lub G.PON. Nic nie zostalo wyslane.\n"
                                "Choose the ONT type: E.PON or G.PON. Nothing was sent.")))
        return w;
    if (!liczba({Pole::Buda}, f.buda) || !liczba({Pole::Karta}, f.karta) || !liczba({Pole::Port}, f.port)
        || !liczba({Pole::Id}, f.id))
        return w;
    if (!sprawdz({Pole::Mac}, poprawny_mac_sn(f.mac),
                 QStringLiteral("MAC/SN moze zawierac tylko litery, cyfry oraz - : .\n"
                                "MAC/SN may hold only letters, digits and - : .")))
        return w;
    const QString bladNazwy = blad_nazwy(f.nazwa);
    if (!sprawdz({Pole::Nazwa}, bladNazwy.isEmpty(),
                 QStringLiteral("Nazwa nie moze byc pusta ani zawierac cudzyslowu (\"), znakow sterujacych, ^! ani *^: ")
                     + bladNazwy + u'\n'
                     + QStringLiteral("The name must not be empty nor hold a double quote, control characters, ^! or *^.")))
        return w;
    if (!liczba({Pole::LineProfile}, f.lineProfile) || !liczba({Pole::SrvProfile}, f.srvProfile))
        return w;
    for (int i = 0; i < int(f.wiersze.size()); ++i) {
        const WierszUslugi &r = f.wiersze[size_t(i)];
        if (r.wlacz) {
            if (!liczba({Pole::Serviceport, i}, r.serviceport) || !liczba({Pole::Vlan, i}, r.vlan)
                || !liczba({Pole::Gemport, i}, r.gemport) || !liczba({Pole::UserVlan, i}, r.userVlan))
                return w;
        } else if (!r.gemport.isEmpty()) {
            // A disabled row is not sent, but its GEM port is stored.
            if (!liczba({Pole::Gemport, i}, r.gemport))
                return w;
        }
    }
    const QString bladId = blad_tekstu(f.idKlienta);
    sprawdz({Pole::IdKlienta}, bladId.isEmpty(),
            QStringLiteral("ID klienta nie moze zawierac cudzyslowu, znakow sterujacych, ^! ani *^: ") + bladId + u'\n'
                + QStringLiteral("The customer id must not hold a double quote, control characters, ^! or *^."));
    return w;
}

} // namespace tervix::core
