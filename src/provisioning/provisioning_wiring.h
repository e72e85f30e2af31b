#pragma once

#include "core/profiles_parser.h"
#include "provisioning/add_ont_controller.h"
#include "provisioning/controller_context.h"
#include "provisioning/edit_ont_controller.h"
#include "provisioning/proposal_controller.h"
#include "provisioning/unauthorised_controller.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace tervix::app {
class OltLoginController;
}

namespace tervix::provisioning {

class AddOntForm;
class ProfilePicker;
class UnauthorisedTab;

// The one place where authorising ONTs is put together: it creates the
// controllers and the two profile pickers, forwards the operator's actions on
// the tab, the form and the pickers to the controllers, shows what the
// controllers report, and links the controllers to each other. The main
// window and the tests build it the same way; connectLogin adds the login's
// hooks and moments where there is a login.
class ProvisioningWiring : public QObject
{
    Q_OBJECT
public:
    using Hooks = ControllerContext::Hooks;

    ProvisioningWiring(session::OltSession &session, session::StepEngine &engine, registry::OntList &list,
                       UnauthorisedTab &tab, AddOntForm &form, session::TraceLog *trace = nullptr,
                       QObject *parent = nullptr);
    ~ProvisioningWiring() override;

    Hooks &hooks() { return m_context.hooks(); }
    // The context the provisioning controllers share; other controllers of
    // the main session (ONT information) share it too.
    ControllerContext &context() { return m_context; }
    void setDialogParent(QWidget *w) { m_context.setDialogParent(w); }
    // The login's readiness and keep-alive become the hooks; its keep-alive
    // restarts the periodic refresh and its working session enables the
    // buttons that need one.
    void connectLogin(app::OltLoginController &login);

    UnauthorisedController &unauthorised() { return m_unauthorised; }
    ProposalController &proposals() { return m_proposals; }
    AddOntController &adding() { return m_adding; }
    EditOntController &editing() { return m_editing; }

    UnauthorisedTab &tab() const { return m_tab; }
    AddOntForm &form() const { return m_form; }
    ProfilePicker &lineProfilePicker() const;
    ProfilePicker &serviceProfilePicker() const;

    // The working session is ready: the refresh and profile buttons work.
    void onWorkingSessionReady();

Q_SIGNALS:
    // "[+] dodaj nowy" in a profile picker: open the OLT configuration window.
    void oltConfigurationRequested();

private:
    void connectTab();
    void connectForm();
    void connectControllers();
    void showProfiles(core::ProfileKind kind, const QList<core::OltProfile> &profiles, const QString &caption);

    ControllerContext m_context;
    UnauthorisedTab &m_tab;
    AddOntForm &m_form;
    UnauthorisedController m_unauthorised;
    ProposalController m_proposals;
    AddOntController m_adding;
    EditOntController m_editing;
    QPointer<ProfilePicker> m_lineProfiles;
    QPointer<ProfilePicker> m_serviceProfiles;
};

} // namespace tervix::provisioning
