#pragma once

#include "core/add_ont_batch.h"
#include "core/autofind_parser.h"

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

// Authorising a new ONT: the unauthorised list and its periodic refresh, the
// free service ports, the next ONT id and the profile pickers, and "[+] Dodaj"
// in add mode with its GPON and EPON batches. Its steps are registered on the
// main engine by the constructor; the login arms the first listing once the
// working session is ready.
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
    // Calls into the login. An unset hook is skipped (sessionReady unset reads as false).
    struct Hooks
    {
        std::function<bool()> sessionReady;
        std::function<void(bool)> setSessionReady; // false while the first listing runs
        std::function<void()> keepAlive;
        std::function<void()> refreshCaption;     // the list's caption counts a new row
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
                              const QString &name);
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
    // An add was refused because the list holds its place or MAC/SN already.
    void duplicateRefused();

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
