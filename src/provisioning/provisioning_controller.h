#pragma once

#include "core/add_ont_batch.h"
#include "core/autofind_parser.h"
#include "session/step_codes.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

namespace tervix::session {
class OltSession;
class StepEngine;
class TraceLog;
} // namespace tervix::session

namespace tervix::registry {
class OntList;
}

namespace tervix::provisioning {

class AddOntForm;
class ProfilePicker;
class UnauthorisedTab;

// Authorising a new ONT: the unauthorised list (steps 2 and 3), the free
// service ports, the next ONT id and the profile pickers (steps 4 to 7), and
// "[+] Dodaj" in add mode with its GPON and EPON batches.
//
// Wiring the main window does (see also Hooks), for example in Tanc1:
//
//   auto *form = new provisioning::AddOntForm;            addFormArea()->addWidget(form);
//   auto *tab = new provisioning::UnauthorisedTab;        unauthorisedPages()->addTab(tab, "Nieautoryzowane");
//   quick-buttons layout of "Szybki log"->addWidget(form->bt_4); form->bt_4->show();
//   optionsArea()->insertWidget(0, form->czy_luki_serviceport); form->czy_luki_serviceport->show();
//   auto *p = new provisioning::ProvisioningController(session(), engine(), ontList(), *tab, *form, &trace(), this);
//   p->setDialogParent(this);
//   p->hooks().sessionReady = [this] { return login().sessionReady(); };
//   p->hooks().setSessionReady = [this](bool r) { login().setSessionReady(r); };
//   p->hooks().podtrzymaj = [this] { login().podtrzymaj_polaczenie(); };
//   p->hooks().odswiezNaglowek = [this] { ontListPanel().odswiezNaglowek(); };
//   connect(&login(), &OltLoginController::keepAliveRestarted, p, &ProvisioningController::naPodtrzymanie);
//   connect(&login(), &OltLoginController::workingSessionReady, p, &ProvisioningController::naSesjeGotowa);
//
// The steps 2 to 7 are registered on the engine by the constructor; step 2 is
// the one the login controller arms after the working login. The remaining
// hooks and konfiguracjaOltRequested belong to subsystems that come later and
// may stay unset.
//
// A batch is handed to the session's pacer whole; the window stays live while
// it is typed. The new list row, the save and the clearing of the form follow
// once the pacer has typed the last line, and only when every line went out
// (a line dropped mid-batch leaves the ONT unlisted). A press while a batch is
// being typed does nothing.
class ProvisioningController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kKrokPierwszeNieautoryzowane = session::step::kFirstUnauthorisedListing;
    static constexpr int kKrokNieautoryzowane = 3;
    static constexpr int kKrokServicePort = 4;
    static constexpr int kKrokOntId = 5;
    static constexpr int kKrokLineProfile = 6;
    static constexpr int kKrokSrvProfile = 7;

    // Calls into the session and into subsystems that come later. An unset
    // hook is skipped (sessionReady unset reads as false).
    struct Hooks
    {
        std::function<bool()> sessionReady;                 // session_ready
        std::function<void(bool)> setSessionReady;
        std::function<void()> podtrzymaj;                   // podtrzymaj_polaczenie
        std::function<void()> odswiezNaglowek;              // gb_dodane's caption after a new row

        // Sibling program link.
        std::function<void()> wyslijZnalezione;             // a1_wyslij_znalezione ("d1"), after every parse
        // "d3&^" host "&^" id "&^" mac "&^", when the link is up (the link decides).
        std::function<void(const QString &id, const QString &mac)> propozycjaId;
        std::function<void()> odmowaDuplikatu;              // "d3n2&^" host "&^"
        // The sibling program asked for this add (its socket's Tag 20): true
        // once, the hook resets the request.
        std::function<bool()> zlecenieSiostry;

        // Service-profile templates.
        std::function<void(int)> ustawProfilUslugowy;       // a1_ustaw_profil_uslugowy
        std::function<void()> czyscSzablon;                 // cb_profile_uslugowe: no text, first entry

        // ONT configuration window: bt_konf disabled when the form is cleared.
        std::function<void()> wylaczKonfiguracjeOnt;

        // OLT board view: one more ONT on slot/port (opv1_ont_all), then the recount.
        std::function<void(const QString &karta, const QString &port)> policzDodany;
        std::function<void()> przeliczWidokOlt;             // a1_olt_view_analizuj

        // Edit mode (bt_dodaj_egpon.Tag >= 0): the change of an authorised ONT.
        std::function<void(const core::FormularzOnt &form, int row)> zmienOnt;
    };

    ProvisioningController(session::OltSession &session, session::StepEngine &engine, registry::OntList &list,
                           UnauthorisedTab &tab, AddOntForm &form, session::TraceLog *trace = nullptr,
                           QObject *parent = nullptr);
    ~ProvisioningController() override;

    Hooks &hooks() { return m_hooks; }
    void setDialogParent(QWidget *w) { m_dialogParent = w; }

    UnauthorisedTab &tab() const { return m_tab; }
    AddOntForm &form() const { return m_form; }
    ProfilePicker &gb_profile1() const;
    ProfilePicker &gb_profile2() const;

    // ---- Unauthorised ONTs --------------------------------------------------
    void bt_1Click();
    void czytaj_nielegalne(const QString &czn_s);
    void odznacz_nielegalne(const QString &odz_mac);
    bool a1_sprawdz_czy_istnieje_nieautoryzowany(const QString &wew_sn_port) const;
    void a1_dodaj_z_nieautoryzowane(const QString &wew_mac, const QString &wew_port, const QString &wew_typ,
                                    const QString &wew_nazwa, int wew_profil);
    void Dodaj1Click();
    void ylkokopjujdoedycji1Click();
    void tim_nieautoryzowaneTimer();
    QTimer &tim_nieautoryzowane() { return m_timNieautoryzowane; }
    // podtrzymaj_polaczenie ran: the periodic refresh counts from now.
    void naPodtrzymanie();
    // Step 1 made the working session ready: the refresh and profile buttons work.
    void naSesjeGotowa();

    // ---- Free ids, service ports, profiles -----------------------------------
    void bt_auto_idClick();
    void bt_4Click();
    void bt_auto_serviceportClick();
    void bt_profil1Click();
    void bt_profil2Click();
    void czytaj_ontid(const QString &czont_s);
    void czytaj_serviceport(const QString &czp_s);
    void czytaj_profile(const QString &czpr_s, const QString &czpr_typ, const QString &czpr_id);
    int a1_najwiekszy_serviceport() const;

    // ---- Add ------------------------------------------------------------------
    void bt_dodaj_egponClick();
    void bt_anulujClick();
    void czysc_dodawanie_ont();
    void tim_uaktywnij_bt_dodaj_egponTimer();
    QTimer &tim_uaktywnij_bt_dodaj_egpon() { return m_timUaktywnij; }
    // The sibling-request flag: duplicate refusals show no box while it is set.
    void setZlecenieSiostry(bool on) { m_zlecenieSiostry = on; }
    bool zlecenieSiostry() const { return m_zlecenieSiostry; }
    // An add batch is being typed.
    bool partiaWToku() const { return m_partiaWToku; }

Q_SIGNALS:
    // "[+] dodaj nowy" in a profile picker: open the OLT configuration window.
    void konfiguracjaOltRequested();
    // The add batch was typed and the list row added (its index).
    void ontDodany(int row);

private:
    void registerSteps();
    bool gotowa() const;
    void podtrzymaj();
    void trace(const QString &tag) const;
    void bladPolaczenia() const;
    void blad(const QString &caption, const QString &text) const;
    bool sprawdzCyfre(QWidget *field, const QString &text, bool resetuj);
    bool sprawdzLiczbyMiejsca();
    void zakonczDodawanie(const core::FormularzOnt &f);
    // The selected unauthorised ONT, when there is one and a session to use it in.
    std::optional<core::NieautoryzowanyOnt> wybranyNieautoryzowany() const;
    // Type, MAC/SN and place of an ONT into the form.
    void wpiszOnt(const QString &mac, const QString &port, const QString &typ);
    // Lists the ONTs of the form's port, for the id proposal (step 5).
    void zapytajOIdNaPorcie();
    void przerwijDodawanie();
    void naBezczynnyPacer();
    void pokazProfile(ProfilePicker &picker, QWidget *xAnchor, QWidget *button, const QString &caption);

    session::OltSession &m_session;
    session::StepEngine &m_engine;
    registry::OntList &m_list;
    UnauthorisedTab &m_tab;
    AddOntForm &m_form;
    session::TraceLog *m_trace;
    QPointer<QWidget> m_dialogParent;
    Hooks m_hooks;

    QPointer<ProfilePicker> m_profile1;
    QPointer<ProfilePicker> m_profile2;
    QTimer m_timNieautoryzowane;
    QTimer m_timUaktywnij;
    bool m_zlecenieSiostry = false;
    bool m_partiaWToku = false;
};

} // namespace tervix::provisioning
