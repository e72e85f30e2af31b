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
// Wiring the main window does (see also Hooks), for example in MainWindow:
//
//   auto *form = new provisioning::AddOntForm;            addFormArea()->addWidget(form);
//   auto *tab = new provisioning::UnauthorisedTab;        unauthorisedPages()->addTab(tab, "Nieautoryzowane");
//   quick-buttons layout of "Szybki log"->addWidget(form->proposeIdQuickButton); form->proposeIdQuickButton->show();
//   optionsArea()->insertWidget(0, form->servicePortGapsOption); form->servicePortGapsOption->show();
//   auto *p = new provisioning::ProvisioningController(session(), engine(), ontList(), *tab, *form, &trace(), this);
//   p->setDialogParent(this);
//   p->hooks().sessionReady = [this] { return login().sessionReady(); };
//   p->hooks().setSessionReady = [this](bool r) { login().setSessionReady(r); };
//   p->hooks().podtrzymaj = [this] { login().keepAlive(); };
//   p->hooks().refreshCaption = [this] { ontListPanel().refreshCaption(); };
//   connect(&login(), &OltLoginController::keepAliveRestarted, p, &ProvisioningController::onKeepAlive);
//   connect(&login(), &OltLoginController::workingSessionReady, p, &ProvisioningController::onWorkingSessionReady);
//
// The steps 2 to 7 are registered on the engine by the constructor; step 2 is
// the one the login controller arms after the working login. The remaining
// hooks and oltConfigurationRequested belong to subsystems that come later and
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
    static constexpr int kStepFirstUnauthorisedListing = session::step::kFirstUnauthorisedListing;
    static constexpr int kStepUnauthorisedListing = 3;
    static constexpr int kStepFreeServicePort = 4;
    static constexpr int kStepPortOntListing = 5;
    static constexpr int kStepLineProfiles = 6;
    static constexpr int kStepServiceProfiles = 7;

    // Calls into the session and into subsystems that come later. An unset
    // hook is skipped (sessionReady unset reads as false).
    struct Hooks
    {
        std::function<bool()> sessionReady;                 // session_ready
        std::function<void(bool)> setSessionReady;
        std::function<void()> keepAlive;                   // keepAlive
        std::function<void()> refreshCaption;              // ontListGroup's caption after a new row

        // Sibling program link.
        std::function<void()> sendFoundOnts;             // a1_wyslij_znalezione ("d1"), after every parse
        // "d3&^" host "&^" id "&^" mac "&^", when the link is up (the link decides).
        std::function<void(const QString &id, const QString &mac)> proposedId;
        std::function<void()> duplicateRefused;              // "d3n2&^" host "&^"
        // The sibling program asked for this add (its socket's Tag 20): true
        // once, the hook resets the request.
        std::function<bool()> siblingRequest;

        // Service-profile templates.
        std::function<void(int)> applyServiceTemplate;       // a1_ustaw_profil_uslugowy
        std::function<void()> clearTemplate;                 // cb_profile_uslugowe: no text, first entry

        // ONT configuration window: bt_konf disabled when the form is cleared.
        std::function<void()> disableOntConfiguration;

        // OLT board view: one more ONT on slot/port (opv1_ont_all), then the recount.
        std::function<void(const QString &slot, const QString &port)> countAddedOnt;
        std::function<void()> recountOltView;             // a1_olt_view_analizuj

        // Edit mode (addButton.Tag >= 0): the change of an authorised ONT.
        std::function<void(const core::AddOntValues &form, int row)> changeOnt;
    };

    ProvisioningController(session::OltSession &session, session::StepEngine &engine, registry::OntList &list,
                           UnauthorisedTab &tab, AddOntForm &form, session::TraceLog *trace = nullptr,
                           QObject *parent = nullptr);
    ~ProvisioningController() override;

    Hooks &hooks() { return m_hooks; }
    void setDialogParent(QWidget *w) { m_dialogParent = w; }

    UnauthorisedTab &tab() const { return m_tab; }
    AddOntForm &form() const { return m_form; }
    ProfilePicker &lineProfilePicker() const;
    ProfilePicker &serviceProfilePicker() const;

    // ---- Unauthorised ONTs --------------------------------------------------
    void refreshUnauthorised();
    void parseAutofind(const QString &listing);
    void markAdded(const QString &serialOrMac);
    bool isWaitingUnauthorised(const QString &serialAndPlace) const;
    void takeFromUnauthorised(const QString &serialOrMac, const QString &place, const QString &ponType,
                                    const QString &name, int templateIndex);
    void addSelectedAsNew();
    void copySelectedToForm();
    void periodicRefresh();
    QTimer &periodicRefreshTimer() { return m_periodicRefresh; }
    // keepAlive ran: the periodic refresh counts from now.
    void onKeepAlive();
    // Step 1 made the working session ready: the refresh and profile buttons work.
    void onWorkingSessionReady();

    // ---- Free ids, service ports, profiles -----------------------------------
    void askForOntId();
    void askForOntIdQuick();
    void askForServicePorts();
    void showLineProfiles();
    void showServiceProfiles();
    void proposeOntId(const QString &listing);
    void proposeServicePorts(const QString &answer);
    void parseProfiles(const QString &listing, const QString &ponType, const QString &table);
    int highestServicePort() const;

    // ---- Add ------------------------------------------------------------------
    void addOrSave();
    void cancelEdit();
    void clearAddForm();
    void reenableAddButton();
    QTimer &reenableTimer() { return m_reenable; }
    // The sibling-request flag: duplicate refusals show no box while it is set.
    void setSiblingRequest(bool on) { m_siblingRequest = on; }
    bool siblingRequest() const { return m_siblingRequest; }
    // An add batch is being typed.
    bool batchInProgress() const { return m_batchInProgress; }

Q_SIGNALS:
    // "[+] dodaj nowy" in a profile picker: open the OLT configuration window.
    void oltConfigurationRequested();
    // The add batch was typed and the list row added (its index).
    void ontAdded(int row);

private:
    void registerSteps();
    bool isReady() const;
    void keepAlive();
    void trace(const QString &tag) const;
    void notConnectedError() const;
    void error(const QString &caption, const QString &text) const;
    bool checkDigit(QWidget *field, const QString &text, bool resetColours);
    bool checkPlaceNumbers();
    void finishAdd(const core::AddOntValues &f);
    // The selected unauthorised ONT, when there is one and a session to use it in.
    std::optional<core::UnauthorisedOnt> selectedUnauthorised() const;
    // Type, MAC/SN and place of an ONT into the form.
    void fillOnt(const QString &mac, const QString &port, const QString &ponType);
    // Lists the ONTs of the form's port, for the id proposal (step 5).
    void askForPortOnts();
    void abandonAdd();
    void onPacerIdle();
    void showProfiles(ProfilePicker &picker, QWidget *xAnchor, QWidget *button, const QString &caption);

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
    QTimer m_periodicRefresh;
    QTimer m_reenable;
    bool m_siblingRequest = false;
    bool m_batchInProgress = false;
};

} // namespace tervix::provisioning
