#include "provisioning/provisioning_controller.h"

#include "core/form_input_rules.h"
#include "core/free_ids_parser.h"
#include "core/profiles_parser.h"
#include "core/timing.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/profile_picker.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tervix::provisioning {

using session::StepEngine;
using ui::DialogService;

namespace {
constexpr int kUaktywnijMs = 4500;
constexpr int kMinutaMs = 60'000;
} // namespace

ProvisioningController::ProvisioningController(session::OltSession &session, session::StepEngine &engine,
                                               registry::OntList &list, UnauthorisedTab &tab, AddOntForm &form,
                                               session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_session(session)
    , m_engine(engine)
    , m_list(list)
    , m_tab(tab)
    , m_form(form)
    , m_trace(trace)
    , m_profile1(new ProfilePicker(&form))
    , m_profile2(new ProfilePicker(&form))
{
    m_profile1->setObjectName(QStringLiteral("gb_profile1"));
    m_profile2->setObjectName(QStringLiteral("gb_profile2"));

    m_timNieautoryzowane.setInterval(timing::scaled(timing::kUnauthorisedCheckMs));
    connect(&m_timNieautoryzowane, &QTimer::timeout, this, &ProvisioningController::tim_nieautoryzowaneTimer);
    m_timUaktywnij.setInterval(timing::scaled(kUaktywnijMs));
    connect(&m_timUaktywnij, &QTimer::timeout, this, &ProvisioningController::tim_uaktywnij_bt_dodaj_egponTimer);

    connect(tab.bt_1, &QPushButton::clicked, this, &ProvisioningController::bt_1Click);
    connect(tab.Dodaj1, &QAction::triggered, this, &ProvisioningController::Dodaj1Click);
    connect(tab.ylkokopjujdoedycji1, &QAction::triggered, this, &ProvisioningController::ylkokopjujdoedycji1Click);

    connect(form.bt_auto_id, &QPushButton::clicked, this, &ProvisioningController::bt_auto_idClick);
    connect(form.bt_4, &QPushButton::clicked, this, &ProvisioningController::bt_4Click);
    connect(form.bt_auto_serviceport, &QPushButton::clicked, this, &ProvisioningController::bt_auto_serviceportClick);
    connect(form.bt_profil1, &QPushButton::clicked, this, &ProvisioningController::bt_profil1Click);
    connect(form.bt_profil2, &QPushButton::clicked, this, &ProvisioningController::bt_profil2Click);
    connect(form.bt_dodaj_egpon, &QPushButton::clicked, this, &ProvisioningController::bt_dodaj_egponClick);
    connect(form.bt_anuluj, &QPushButton::clicked, this, &ProvisioningController::bt_anulujClick);

    connect(m_profile1, &ProfilePicker::wybrano, this, [this](const QString &id) { m_form.a_lineprofile->setText(id); });
    connect(m_profile2, &ProfilePicker::wybrano, this, [this](const QString &id) { m_form.a_srvprofile->setText(id); });
    connect(m_profile1, &ProfilePicker::nowyProfilRequested, this, &ProvisioningController::konfiguracjaOltRequested);
    connect(m_profile2, &ProfilePicker::nowyProfilRequested, this, &ProvisioningController::konfiguracjaOltRequested);

    connect(&session.pacer(), &session::CommandPacer::idle, this, &ProvisioningController::naBezczynnyPacer);

    registerSteps();
}

ProvisioningController::~ProvisioningController() = default;

ProfilePicker &ProvisioningController::gb_profile1() const
{
    return *m_profile1;
}

ProfilePicker &ProvisioningController::gb_profile2() const
{
    return *m_profile2;
}

void ProvisioningController::registerSteps()
{
    m_engine.registerBranch(kKrokPierwszeNieautoryzowane, [this](int) {
        m_session.clearBuffer();
        bt_1Click();
        if (m_hooks.setSessionReady)
            m_hooks.setSessionReady(false);
        return StepEngine::Outcome::Done;
    });
    // With more ONTs waiting than fit on one page (about thirty at "scroll
    // 512") the OLT stops at its page prompt: the table is collected across
    // pages, or the rest would be lost and the next command typed into the
    // prompt. An answer that fits on one page reads as before.
    m_engine.registerPagedBranch(kKrokNieautoryzowane, [this](const QString &listing) {
        czytaj_nielegalne(listing);
        if (m_hooks.setSessionReady)
            m_hooks.setSessionReady(true);
    });
    m_engine.registerBranch(kKrokServicePort, [this](int) {
        czytaj_serviceport(m_session.buffer());
        bt_4Click();
        return StepEngine::Outcome::Done;
    });
    m_engine.registerBranch(kKrokOntId, [this](int) {
        czytaj_ontid(m_session.buffer());
        return StepEngine::Outcome::Done;
    });
    m_engine.registerPagedBranch(kKrokLineProfile, [this](const QString &listing) {
        czytaj_profile(listing, QStringLiteral("epon"), QStringLiteral("lineprofile"));
        m_form.bt_profil1->setEnabled(true);
    });
    m_engine.registerPagedBranch(kKrokSrvProfile, [this](const QString &listing) {
        czytaj_profile(listing, QStringLiteral("epon"), QStringLiteral("srvprofile"));
        m_form.bt_profil2->setEnabled(true);
    });
}

// ---- helpers -------------------------------------------------------------------

bool ProvisioningController::gotowa() const
{
    return m_hooks.sessionReady && m_hooks.sessionReady();
}

void ProvisioningController::podtrzymaj()
{
    if (m_hooks.podtrzymaj)
        m_hooks.podtrzymaj();
}

void ProvisioningController::trace(const QString &tag) const
{
    if (m_trace)
        m_trace->add(tag);
}

void ProvisioningController::bladPolaczenia() const
{
    blad(QStringLiteral("Blad polaczenia!"), QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
}

void ProvisioningController::blad(const QString &caption, const QString &text) const
{
    DialogService::instance().error(m_dialogParent, caption, text);
}

bool ProvisioningController::sprawdzCyfre(QWidget *field, const QString &text, bool resetuj)
{
    if (resetuj)
        AddOntForm::resetujKolor(field);
    if (core::zaczyna_sie_cyfra(text))
        return true;
    AddOntForm::maluj(field, AddOntForm::kKolorBledu);
    return false;
}

// Frame, slot and port go onto the command line of the id request too.
bool ProvisioningController::sprawdzLiczbyMiejsca()
{
    const std::pair<QLineEdit *, const char *> fields[] = {
        {m_form.a_buda, "Rama / Frame"}, {m_form.a_karta, "Slot"}, {m_form.a_port, "Port"}};
    for (const auto &[field, name] : fields) {
        if (core::tylko_liczba(field->text()))
            continue;
        AddOntForm::maluj(field, AddOntForm::kKolorBledu);
        const QString n = QString::fromLatin1(name);
        blad(QString(core::kPodpisBledneDane),
             QStringLiteral("Pole \"") + n + QStringLiteral("\" moze zawierac tylko liczbe (bez spacji i innych znakow).\n")
                 + QStringLiteral("The field \"") + n
                 + QStringLiteral("\" may hold only a number (no spaces, no other characters)."));
        return false;
    }
    return true;
}

// ---- unauthorised ONTs ---------------------------------------------------------------

void ProvisioningController::bt_1Click()
{
    trace(QStringLiteral("a5"));
    if (!gotowa())
        return;
    m_tab.stopMigania();
    podtrzymaj();
    m_session.clearBuffer();
    m_session.wyslij_polecenie(QString(core::kPolecenieAutofind), true);
    m_engine.arm(kKrokNieautoryzowane);
    trace(QStringLiteral("a5-end"));
}

void ProvisioningController::czytaj_nielegalne(const QString &czn_s)
{
    trace(QStringLiteral("a11"));
    UnauthorisedModel &model = m_tab.model();
    model.zastap(core::czytaj_nielegalne(czn_s));
    if (model.maNowe())
        m_tab.startMigania();
    if (m_hooks.wyslijZnalezione)
        m_hooks.wyslijZnalezione();
    m_tab.ustawLicznik(model.rowCount());
    trace(QStringLiteral("a11-end"));
}

void ProvisioningController::odznacz_nielegalne(const QString &odz_mac)
{
    trace(QStringLiteral("a12"));
    const auto &rows = m_tab.model().wiersze();
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].ont.macSn == odz_mac) {
            m_tab.model().ustawIkone(i, UnauthorisedModel::kIkonaDodany);
            break;
        }
    }
    trace(QStringLiteral("a12-end"));
}

bool ProvisioningController::a1_sprawdz_czy_istnieje_nieautoryzowany(const QString &wew_sn_port) const
{
    for (const UnauthorisedModel::Wiersz &w : m_tab.model().wiersze()) {
        if (w.ikona == UnauthorisedModel::kIkonaZnaleziony && core::klucz_nieautoryzowanego(w.ont) == wew_sn_port)
            return true;
    }
    return false;
}

void ProvisioningController::a1_dodaj_z_nieautoryzowane(const QString &wew_mac, const QString &wew_port,
                                                        const QString &wew_typ, const QString &wew_nazwa,
                                                        int wew_profil)
{
    trace(QStringLiteral("a23"));
    czysc_dodawanie_ont();
    podtrzymaj();
    m_tab.stopMigania();
    m_form.a1e_dodaj_czy_aktywny->setCurrentIndex(0);
    // A name from the sibling program goes into a quoted description on the
    // OLT and into the data file: it arrives made fit for both.
    if (!wew_nazwa.isEmpty())
        m_form.a_nazwa->setText(core::neutralizuj_tekst(wew_nazwa));
    // The type first: a profile template chosen after it overrides the type's
    // default profiles.
    wpiszOnt(wew_mac, wew_port, wew_typ);
    if (wew_profil >= 0 && m_hooks.ustawProfilUslugowy)
        m_hooks.ustawProfilUslugowy(wew_profil);
    m_session.wyslij_polecenie(QString(core::kPolecenieNextFreeIndex), true);
    m_engine.arm(kKrokServicePort);
    m_form.a_nazwa->setFocus();
    trace(QStringLiteral("a23-end"));
}

void ProvisioningController::wpiszOnt(const QString &mac, const QString &port, const QString &typ)
{
    if (typ.contains(QStringLiteral("G.")))
        m_form.ustawTyp(2);
    else if (typ.contains(QStringLiteral("E.")))
        m_form.ustawTyp(1);
    m_form.a_mac->setText(mac);
    const core::MiejsceOnt m = core::rozdziel_port(port);
    m_form.a_buda->setText(m.buda);
    m_form.a_karta->setText(m.karta);
    m_form.a_port->setText(m.port);
}

std::optional<core::NieautoryzowanyOnt> ProvisioningController::wybranyNieautoryzowany() const
{
    const int row = m_tab.zaznaczonyWiersz();
    if (row < 0)
        return std::nullopt;
    if (!gotowa()) {
        bladPolaczenia();
        return std::nullopt;
    }
    return m_tab.model().wiersze().at(row).ont;
}

void ProvisioningController::Dodaj1Click()
{
    if (const auto o = wybranyNieautoryzowany())
        a1_dodaj_z_nieautoryzowane(o->macSn, o->port, o->typ, QString(), -1);
}

void ProvisioningController::ylkokopjujdoedycji1Click()
{
    const auto o = wybranyNieautoryzowany();
    if (!o)
        return;
    podtrzymaj();
    m_tab.stopMigania();
    wpiszOnt(o->macSn, o->port, o->typ);
    m_form.a_nazwa->setFocus();
}

void ProvisioningController::tim_nieautoryzowaneTimer()
{
    if (m_tab.automatycznie_nieautoryzowane->isChecked() && gotowa())
        bt_1Click();
}

void ProvisioningController::naPodtrzymanie()
{
    m_timNieautoryzowane.stop();
    const bool auto_ = m_tab.automatycznie_nieautoryzowane->isChecked();
    if (auto_)
        m_timNieautoryzowane.setInterval(timing::scaled(m_tab.sp_nieautoryzowane_min->value() * kMinutaMs));
    if (auto_)
        m_timNieautoryzowane.start();
}

void ProvisioningController::naSesjeGotowa()
{
    m_form.bt_profil1->setEnabled(true);
    m_form.bt_profil2->setEnabled(true);
    m_tab.bt_1->setEnabled(true);
}

// ---- free ids, service ports, profiles ----------------------------------------------

void ProvisioningController::bt_auto_idClick()
{
    if (!gotowa()) {
        bladPolaczenia();
        return;
    }
    if (!sprawdzCyfre(m_form.a_buda, m_form.a_buda->text(), true)
        || !sprawdzCyfre(m_form.a_karta, m_form.a_karta->text(), true)
        || !sprawdzCyfre(m_form.a_port, m_form.a_port->text(), true) || !sprawdzLiczbyMiejsca())
        return;
    zapytajOIdNaPorcie();
}

void ProvisioningController::zapytajOIdNaPorcie()
{
    // A listing already being read keeps its step; this one is not queued.
    if (m_engine.pending() != StepEngine::kNoStep)
        return;
    m_session.wyslij_polecenie(
        core::polecenie_ont_info_portu(m_form.a_buda->text(), m_form.a_karta->text(), m_form.a_port->text()), true);
    m_engine.arm(kKrokOntId);
}

void ProvisioningController::bt_4Click()
{
    if (m_form.tagDodaj >= 0)
        return;
    if (!sprawdzCyfre(m_form.a_buda, m_form.a_buda->text(), false)
        || !sprawdzCyfre(m_form.a_karta, m_form.a_karta->text(), true)
        || !sprawdzCyfre(m_form.a_port, m_form.a_port->text(), true) || !sprawdzLiczbyMiejsca())
        return;
    if (!gotowa()) {
        bladPolaczenia();
        return;
    }
    zapytajOIdNaPorcie();
}

void ProvisioningController::czytaj_ontid(const QString &czont_s)
{
    const std::optional<int> id = core::czytaj_ontid(czont_s, m_form.a_karta->text(), m_form.a_port->text());
    if (!id) {
        m_form.a_id->setText(QStringLiteral("?"));
        return;
    }
    AddOntForm::maluj(m_form.a_id, AddOntForm::kKolorPropozycji);
    m_form.a_id->setText(QString::number(*id));
    if (m_hooks.propozycjaId)
        m_hooks.propozycjaId(m_form.a_id->text(), m_form.a_mac->text());
    if (m_hooks.zlecenieSiostry && m_hooks.zlecenieSiostry()) {
        m_zlecenieSiostry = true;
        bt_dodaj_egponClick();
    }
}

void ProvisioningController::bt_auto_serviceportClick()
{
    if (!gotowa()) {
        bladPolaczenia();
        return;
    }
    if (m_engine.pending() != StepEngine::kNoStep)
        return;
    m_session.wyslij_polecenie(QString(core::kPolecenieNextFreeIndex), true);
    m_engine.arm(kKrokServicePort);
}

void ProvisioningController::czytaj_serviceport(const QString &czp_s)
{
    const auto sp = core::czytaj_serviceport(czp_s, a1_najwiekszy_serviceport());
    if (!sp) {
        m_form.a_serviceport[0]->setText(QStringLiteral("?"));
        m_form.a_serviceport[1]->setText(QStringLiteral("?"));
        return;
    }
    for (int i = 0; i < 4; ++i) {
        AddOntForm::maluj(m_form.a_serviceport[i], AddOntForm::kKolorPropozycji);
        m_form.a_serviceport[i]->setText(QString::number((*sp)[size_t(i)]));
    }
}

int ProvisioningController::a1_najwiekszy_serviceport() const
{
    QStringList fields;
    fields.reserve(m_list.rozmiar());
    for (const core::OntListRow &r : m_list.wiersze())
        fields.append(r.lv1[core::kol::Vlan]);
    return core::a1_najwiekszy_serviceport(fields);
}

void ProvisioningController::bt_profil1Click()
{
    if (!gotowa()) {
        bladPolaczenia();
        return;
    }
    if (m_form.a_typ->currentIndex() == 0 || m_engine.pending() == kKrokSrvProfile)
        return;
    m_form.bt_profil1->setEnabled(false);
    m_session.wyslij_polecenie(core::polecenie_profili(core::RodzajProfilu::Liniowy, m_form.a_typ->currentIndex() == 1),
                               true);
    m_engine.arm(kKrokLineProfile);
}

void ProvisioningController::bt_profil2Click()
{
    if (!gotowa()) {
        bladPolaczenia();
        return;
    }
    if (m_engine.pending() == kKrokLineProfile || m_form.a_typ->currentIndex() == 0)
        return;
    m_form.bt_profil2->setEnabled(false);
    m_session.wyslij_polecenie(core::polecenie_profili(core::RodzajProfilu::Uslugowy, m_form.a_typ->currentIndex() == 1),
                               true);
    m_engine.arm(kKrokSrvProfile);
}

void ProvisioningController::czytaj_profile(const QString &czpr_s, const QString &, const QString &czpr_id)
{
    const bool liniowe = czpr_id == u"lineprofile";
    if (!liniowe && czpr_id != u"srvprofile")
        return;
    ProfilePicker &picker = liniowe ? *m_profile1 : *m_profile2;
    picker.wypelnij(core::czytaj_profile(czpr_s));
    const QString typ = m_form.a_typ->currentText();
    const QString n = QString::number(picker.liczbaWierszy());
    if (liniowe)
        pokazProfile(picker, m_form.a_mac, m_form.bt_profil1, typ + QStringLiteral(" LineProfile: ") + n);
    else
        pokazProfile(picker, m_form.a_srvprofile, m_form.bt_profil2, typ + u' ' + QStringLiteral("SrvProfile: ") + n);
}

void ProvisioningController::pokazProfile(ProfilePicker &picker, QWidget *xAnchor, QWidget *button,
                                          const QString &caption)
{
    // The box floats over the whole window, just below its ".." button.
    QWidget *host = m_form.window();
    if (picker.parentWidget() != host)
        picker.setParent(host);
    const QPoint x = xAnchor->mapTo(host, QPoint(0, 0));
    const QPoint below = button->mapTo(host, QPoint(0, button->height()));
    picker.pokaz(caption, QPoint(x.x(), below.y()));
}

// ---- add ------------------------------------------------------------------------------

void ProvisioningController::bt_dodaj_egponClick()
{
    trace(QStringLiteral("a2"));
    if (!gotowa()) {
        blad(QStringLiteral("Blad polaczenia!"), QStringLiteral("Aby wykonac operacje najpierw sie polacz / You Must Connect to OLT!"));
        return;
    }
    // One batch at a time: the button may have been enabled again (a type
    // chosen) while the last one is still being typed.
    if (m_partiaWToku)
        return;

    const core::FormularzOnt f = m_form.wartosci();
    const int q = m_form.tagDodaj;
    const core::SprawdzenieFormularza spr = core::sprawdz_formularz(f, q == -1);
    for (const core::PoleWiersza &p : spr.sprawdzone)
        AddOntForm::resetujKolor(m_form.pole(p));
    if (spr.blad) {
        const core::BladFormularza &b = *spr.blad;
        AddOntForm::maluj(m_form.pole(b.pole), AddOntForm::kKolorBledu);
        if (!b.komunikat.isEmpty())
            blad(QString(core::kPodpisBledneDane), b.komunikat);
        else if (b.pole.pole == core::Pole::Serviceport)
            bt_auto_serviceportClick();
        else if (b.pole.pole == core::Pole::Id)
            bt_auto_idClick();
        return;
    }

    m_form.bt_dodaj_egpon->setEnabled(false);
    if (q >= 0) {
        if (m_hooks.zmienOnt)
            m_hooks.zmienOnt(f, q);
        return;
    }

    podtrzymaj();
    if (const auto d = core::szukaj_duplikatu(m_list.wiersze(), q, f)) {
        if (!m_zlecenieSiostry)
            blad(core::podpis_duplikatu(d->rodzaj), core::tekst_duplikatu(d->rodzaj, m_list.wiersze()[size_t(d->wiersz)], f));
        if (m_hooks.odmowaDuplikatu)
            m_hooks.odmowaDuplikatu();
        m_zlecenieSiostry = false;
        return;
    }
    m_zlecenieSiostry = false;

    m_partiaWToku = true;
    const quint64 utraconePrzed = m_session.droppedLines();
    m_session.send(f.epon() ? core::partia_dodaj_epon(f) : core::partia_dodaj_gpon(f));
    m_session.pacer().enqueueAction([this, f, utraconePrzed] {
        if (m_session.droppedLines() != utraconePrzed)
            przerwijDodawanie(); // the line dropped while the batch was typed
        else
            zakonczDodawanie(f);
    });
}

void ProvisioningController::zakonczDodawanie(const core::FormularzOnt &f)
{
    m_partiaWToku = false;
    if (m_hooks.policzDodany)
        m_hooks.policzDodany(f.karta, f.port);
    const int row = m_list.dodaj(core::wiersz_dodanego_ont(f));
    odznacz_nielegalne(f.mac);
    if (m_hooks.odswiezNaglowek)
        m_hooks.odswiezNaglowek();
    // The OLT's answers are not judged: what it printed while the batch was
    // typed stays in the memo for the operator to read.
    m_session.appendLine(QStringLiteral("[+] Dodaj ") + f.typTekst() + u' ' + f.buda + u'/' + f.karta + u'/' + f.port
                         + QStringLiteral(" ID ") + f.id + QStringLiteral(": polecenia wyslane, odpowiedz OLT powyzej / ")
                         + QStringLiteral("commands typed, the OLT's answers are above"));
    m_list.zapisz1();
    czysc_dodawanie_ont();
    trace(QStringLiteral("a2b"));
    if (m_hooks.przeliczWidokOlt)
        m_hooks.przeliczWidokOlt();
    trace(QStringLiteral("a2-end"));
    Q_EMIT ontDodany(row);
}

void ProvisioningController::naBezczynnyPacer()
{
    // The pacer fell idle before it reached the end of the batch: the queue
    // was dropped (the connection is being replaced).
    if (m_partiaWToku)
        przerwijDodawanie();
}

void ProvisioningController::przerwijDodawanie()
{
    // Nothing is listed for an ONT whose batch did not go out whole.
    m_partiaWToku = false;
    m_session.appendLine(QStringLiteral("[+] Dodaj: przerwane, ONT nie dodany do listy / interrupted, the ONT was not listed"));
    m_form.bt_dodaj_egpon->setEnabled(m_form.a_typ->currentIndex() != 0);
}

void ProvisioningController::bt_anulujClick()
{
    m_form.tagDodaj = -1;
    czysc_dodawanie_ont();
}

void ProvisioningController::czysc_dodawanie_ont()
{
    if (m_hooks.wylaczKonfiguracjeOnt)
        m_hooks.wylaczKonfiguracjeOnt();
    m_form.a1e_dodaj_czy_aktywny->setCurrentIndex(0);
    m_form.a1_kl_urz_id->clear();
    trace(QStringLiteral("a3"));
    if (m_hooks.czyscSzablon)
        m_hooks.czyscSzablon();
    m_form.czy_catv->setChecked(false);
    m_form.catv_port->setValue(1);
    m_form.tagEdycji = 0;
    m_form.tagDodaj = -1;
    m_form.tagNative = {0, 0, 0, 0};
    m_form.a_id->setText(QStringLiteral("Auto"));
    AddOntForm::resetujKolor(m_form.a_id);
    for (int i = 0; i < 4; ++i) {
        m_form.a_serviceport[i]->setText(i == 0 ? QStringLiteral("Auto") : QStringLiteral("Auto+1"));
        AddOntForm::resetujKolor(m_form.a_serviceport[i]);
        m_form.czy_vlan[i]->setChecked(false);
        m_form.czy_native[i]->setChecked(false);
        m_form.czy_igmp[i]->setChecked(false);
    }
    m_form.a_mac->clear();
    if (gotowa()) {
        m_timUaktywnij.setInterval(timing::scaled(kUaktywnijMs));
        m_timUaktywnij.start();
    }
    trace(QStringLiteral("a3-end"));
}

void ProvisioningController::tim_uaktywnij_bt_dodaj_egponTimer()
{
    trace(QStringLiteral("a7"));
    m_form.bt_dodaj_egpon->setEnabled(true);
    m_timUaktywnij.stop();
    trace(QStringLiteral("a7-end"));
}

} // namespace tervix::provisioning
