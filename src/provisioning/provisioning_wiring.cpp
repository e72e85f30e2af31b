#include "provisioning/provisioning_wiring.h"

#include "app/olt_login_controller.h"
#include "provisioning/add_ont_form.h"
#include "provisioning/profile_picker.h"
#include "provisioning/unauthorised_model.h"
#include "provisioning/unauthorised_tab.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tervix::provisioning {

ProvisioningWiring::ProvisioningWiring(session::OltSession &session, session::StepEngine &engine,
                                       registry::OntList &list, UnauthorisedTab &tab, AddOntForm &form,
                                       session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_context(session, engine, list, trace)
    , m_tab(tab)
    , m_form(form)
    , m_unauthorised(m_context, form)
    , m_proposals(m_context, form)
    , m_adding(m_context, form)
    , m_editing(m_context, form, m_adding)
    , m_lineProfiles(new ProfilePicker(&form))
    , m_serviceProfiles(new ProfilePicker(&form))
{
    m_lineProfiles->setObjectName(QStringLiteral("lineProfilePicker"));
    m_serviceProfiles->setObjectName(QStringLiteral("serviceProfilePicker"));
    connectTab();
    connectForm();
    connectControllers();
}

ProvisioningWiring::~ProvisioningWiring() = default;

ProfilePicker &ProvisioningWiring::lineProfilePicker() const
{
    return *m_lineProfiles;
}

ProfilePicker &ProvisioningWiring::serviceProfilePicker() const
{
    return *m_serviceProfiles;
}

void ProvisioningWiring::connectTab()
{
    UnauthorisedController *c = &m_unauthorised;
    UnauthorisedTab *tab = &m_tab;
    connect(tab->refreshButton, &QPushButton::clicked, c, &UnauthorisedController::refreshUnauthorised);
    connect(tab->addAsNewAction, &QAction::triggered, c, [c, tab] { c->addAsNew(tab->selectedRow()); });
    connect(tab->copyToFormAction, &QAction::triggered, c, [c, tab] { c->copyToForm(tab->selectedRow()); });
    c->setAutoRefresh(tab->autoRefresh->isChecked());
    c->setAutoRefreshMinutes(tab->autoRefreshMinutes->value());
    connect(tab->autoRefresh, &QCheckBox::toggled, c, &UnauthorisedController::setAutoRefresh);
    connect(tab->autoRefreshMinutes, &QSpinBox::valueChanged, c, &UnauthorisedController::setAutoRefreshMinutes);

    connect(c, &UnauthorisedController::rowsReplaced, tab,
            [tab](const QList<core::UnauthorisedOnt> &onts) { tab->model().replaceAll(onts); });
    connect(c, &UnauthorisedController::rowMarkedAdded, tab,
            [tab](int row) { tab->model().setIcon(row, UnauthorisedModel::kIconAdded); });
    connect(c, &UnauthorisedController::countChanged, tab, &UnauthorisedTab::setCount);
    connect(c, &UnauthorisedController::blinkNeededChanged, tab, [tab](bool needed) {
        if (needed)
            tab->startBlinking();
        else
            tab->stopBlinking();
    });
}

void ProvisioningWiring::connectForm()
{
    AddOntForm *form = &m_form;
    connect(form->proposeIdButton, &QPushButton::clicked, &m_proposals, &ProposalController::askForOntId);
    connect(form->proposeIdQuickButton, &QPushButton::clicked, &m_proposals, &ProposalController::askForOntIdQuick);
    connect(form->proposeServicePortsButton, &QPushButton::clicked, &m_proposals,
            &ProposalController::askForServicePorts);
    connect(form->lineProfilesButton, &QPushButton::clicked, &m_proposals, &ProposalController::showLineProfiles);
    connect(form->serviceProfilesButton, &QPushButton::clicked, &m_proposals,
            &ProposalController::showServiceProfiles);
    connect(form->addButton, &QPushButton::clicked, &m_adding, &AddOntController::addOrSave);
    connect(form->cancelButton, &QPushButton::clicked, &m_adding, &AddOntController::cancelEdit);

    connect(m_lineProfiles, &ProfilePicker::chosen, form, [form](const QString &id) { form->lineProfile->setText(id); });
    connect(m_serviceProfiles, &ProfilePicker::chosen, form,
            [form](const QString &id) { form->serviceProfile->setText(id); });
    connect(m_lineProfiles, &ProfilePicker::newProfileRequested, this, &ProvisioningWiring::oltConfigurationRequested);
    connect(m_serviceProfiles, &ProfilePicker::newProfileRequested, this,
            &ProvisioningWiring::oltConfigurationRequested);
    connect(&m_proposals, &ProposalController::profilesListed, this, &ProvisioningWiring::showProfiles);
}

// The controllers ask each other through signals, connected directly so that
// each request runs at the moment it is made.
void ProvisioningWiring::connectControllers()
{
    connect(&m_unauthorised, &UnauthorisedController::formClearRequested, &m_adding, &AddOntController::clearAddForm);
    connect(&m_adding, &AddOntController::servicePortsNeeded, &m_proposals, &ProposalController::askForServicePorts);
    connect(&m_adding, &AddOntController::ontIdNeeded, &m_proposals, &ProposalController::askForOntId);
    connect(&m_adding, &AddOntController::ontListed, &m_unauthorised, &UnauthorisedController::markAdded);
    connect(&m_proposals, &ProposalController::ontIdProposed, &m_adding, &AddOntController::onOntIdProposed);
}

void ProvisioningWiring::connectLogin(app::OltLoginController &login)
{
    app::OltLoginController *l = &login;
    Hooks &h = hooks();
    h.sessionReady = [l] { return l->sessionReady(); };
    h.setSessionReady = [l](bool ready) { l->setSessionReady(ready); };
    h.keepAlive = [l] { l->keepAlive(); };
    connect(l, &app::OltLoginController::keepAliveRestarted, &m_unauthorised, &UnauthorisedController::onKeepAlive);
    connect(l, &app::OltLoginController::workingSessionReady, this, &ProvisioningWiring::onWorkingSessionReady);
}

void ProvisioningWiring::onWorkingSessionReady()
{
    m_form.lineProfilesButton->setEnabled(true);
    m_form.serviceProfilesButton->setEnabled(true);
    m_tab.refreshButton->setEnabled(true);
}

void ProvisioningWiring::showProfiles(core::ProfileKind kind, const QList<core::OltProfile> &profiles,
                                      const QString &caption)
{
    const bool line = kind == core::ProfileKind::Line;
    ProfilePicker &picker = line ? *m_lineProfiles : *m_serviceProfiles;
    QWidget *xAnchor = line ? static_cast<QWidget *>(m_form.serialOrMac) : m_form.serviceProfile;
    QWidget *button = line ? m_form.lineProfilesButton : m_form.serviceProfilesButton;
    picker.fill(profiles);
    // The box floats over the whole window, just below its ".." button.
    QWidget *host = m_form.window();
    if (picker.parentWidget() != host)
        picker.setParent(host);
    const QPoint x = xAnchor->mapTo(host, QPoint(0, 0));
    const QPoint below = button->mapTo(host, QPoint(0, button->height()));
    picker.showAt(caption, QPoint(x.x(), below.y()));
}

} // namespace tervix::provisioning
