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
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"
#include "ui/dialog_service.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tervix::provisioning {

namespace MainStep = session::MainStep;
using session::StepEngine;
using ui::DialogService;

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
    m_profile1->setObjectName(QStringLiteral("lineProfilePicker"));
    m_profile2->setObjectName(QStringLiteral("serviceProfilePicker"));

    m_periodicRefresh.setInterval(timing::scaled(timing::kUnauthorisedCheckMs));
    connect(&m_periodicRefresh, &QTimer::timeout, this, &ProvisioningController::periodicRefresh);
    m_reenable.setInterval(timing::scaled(timing::kReenableAddMs));
    connect(&m_reenable, &QTimer::timeout, this, &ProvisioningController::reenableAddButton);

    connect(tab.refreshButton, &QPushButton::clicked, this, &ProvisioningController::refreshUnauthorised);
    connect(tab.addAsNewAction, &QAction::triggered, this, &ProvisioningController::addSelectedAsNew);
    connect(tab.copyToFormAction, &QAction::triggered, this, &ProvisioningController::copySelectedToForm);

    connect(form.proposeIdButton, &QPushButton::clicked, this, &ProvisioningController::askForOntId);
    connect(form.proposeIdQuickButton, &QPushButton::clicked, this, &ProvisioningController::askForOntIdQuick);
    connect(form.proposeServicePortsButton, &QPushButton::clicked, this, &ProvisioningController::askForServicePorts);
    connect(form.lineProfilesButton, &QPushButton::clicked, this, &ProvisioningController::showLineProfiles);
    connect(form.serviceProfilesButton, &QPushButton::clicked, this, &ProvisioningController::showServiceProfiles);
    connect(form.addButton, &QPushButton::clicked, this, &ProvisioningController::addOrSave);
    connect(form.cancelButton, &QPushButton::clicked, this, &ProvisioningController::cancelEdit);

    connect(m_profile1, &ProfilePicker::chosen, this, [this](const QString &id) { m_form.lineProfile->setText(id); });
    connect(m_profile2, &ProfilePicker::chosen, this, [this](const QString &id) { m_form.serviceProfile->setText(id); });
    connect(m_profile1, &ProfilePicker::newProfileRequested, this, &ProvisioningController::oltConfigurationRequested);
    connect(m_profile2, &ProfilePicker::newProfileRequested, this, &ProvisioningController::oltConfigurationRequested);

    connect(&session.pacer(), &session::CommandPacer::idle, this, &ProvisioningController::onPacerIdle);

    registerSteps();
}

ProvisioningController::~ProvisioningController() = default;

ProfilePicker &ProvisioningController::lineProfilePicker() const
{
    return *m_profile1;
}

ProfilePicker &ProvisioningController::serviceProfilePicker() const
{
    return *m_profile2;
}

void ProvisioningController::registerSteps()
{
    m_engine.registerBranch(MainStep::kFirstUnauthorisedListing, [this](int) {
        m_session.clearBuffer();
        refreshUnauthorised();
        if (m_hooks.setSessionReady)
            m_hooks.setSessionReady(false);
        return StepEngine::Outcome::Done;
    });
    // With more ONTs waiting than fit on one page (about thirty at "scroll
    // 512") the OLT stops at its page prompt: the table is collected across
    // pages, or the rest would be lost and the next command typed into the
    // prompt. An answer that fits on one page reads as before.
    m_engine.registerPagedBranch(MainStep::kUnauthorisedListing, [this](const QString &listing) {
        parseAutofind(listing);
        if (m_hooks.setSessionReady)
            m_hooks.setSessionReady(true);
    });
    m_engine.registerBranch(MainStep::kFreeServicePort, [this](int) {
        proposeServicePorts(m_session.buffer());
        askForOntIdQuick();
        return StepEngine::Outcome::Done;
    });
    m_engine.registerBranch(MainStep::kPortOntListing, [this](int) {
        proposeOntId(m_session.buffer());
        return StepEngine::Outcome::Done;
    });
    m_engine.registerPagedBranch(MainStep::kLineProfiles, [this](const QString &listing) {
        parseProfiles(listing, QStringLiteral("epon"), QStringLiteral("lineprofile"));
        m_form.lineProfilesButton->setEnabled(true);
    });
    m_engine.registerPagedBranch(MainStep::kServiceProfiles, [this](const QString &listing) {
        parseProfiles(listing, QStringLiteral("epon"), QStringLiteral("srvprofile"));
        m_form.serviceProfilesButton->setEnabled(true);
    });
}

// ---- helpers -------------------------------------------------------------------

bool ProvisioningController::isReady() const
{
    return m_hooks.sessionReady && m_hooks.sessionReady();
}

void ProvisioningController::keepAlive()
{
    if (m_hooks.keepAlive)
        m_hooks.keepAlive();
}

void ProvisioningController::trace(const QString &tag) const
{
    if (m_trace)
        m_trace->add(tag);
}

void ProvisioningController::notConnectedError() const
{
    error(QStringLiteral("Blad polaczenia!"), QStringLiteral("Aby wykonac operacje najpierw sie polacz!"));
}

void ProvisioningController::error(const QString &caption, const QString &text) const
{
    DialogService::instance().error(m_dialogParent, caption, text);
}

bool ProvisioningController::checkDigit(QWidget *field, const QString &text, bool resetColours)
{
    if (resetColours)
        AddOntForm::resetColour(field);
    if (core::startsWithDigit(text))
        return true;
    AddOntForm::paint(field, AddOntForm::kErrorColour);
    return false;
}

// Frame, slot and port go onto the command line of the id request too.
bool ProvisioningController::checkPlaceNumbers()
{
    const std::pair<QLineEdit *, const char *> fields[] = {
        {m_form.frame, "Rama / Frame"}, {m_form.slot, "Slot"}, {m_form.port, "Port"}};
    for (const auto &[field, name] : fields) {
        if (core::isPlainNumber(field->text()))
            continue;
        AddOntForm::paint(field, AddOntForm::kErrorColour);
        const QString n = QString::fromLatin1(name);
        error(QString(core::kInvalidInputCaption),
             QStringLiteral("Pole \"") + n + QStringLiteral("\" moze zawierac tylko liczbe (bez spacji i innych znakow).\n")
                 + QStringLiteral("The field \"") + n
                 + QStringLiteral("\" may hold only a number (no spaces, no other characters)."));
        return false;
    }
    return true;
}

// ---- unauthorised ONTs ---------------------------------------------------------------

void ProvisioningController::refreshUnauthorised()
{
    trace(session::TraceTag::kRefreshUnauthorised);
    if (!isReady())
        return;
    m_tab.stopBlinking();
    keepAlive();
    m_session.clearBuffer();
    m_session.sendLine(QString(core::kAutofindCommand), true);
    m_engine.arm(MainStep::kUnauthorisedListing);
    trace(session::TraceTag::end(session::TraceTag::kRefreshUnauthorised));
}

void ProvisioningController::parseAutofind(const QString &listing)
{
    trace(session::TraceTag::kParseUnauthorised);
    UnauthorisedModel &model = m_tab.model();
    model.replaceAll(core::parseAutofind(listing));
    if (model.hasNew())
        m_tab.startBlinking();
    m_tab.setCount(model.rowCount());
    trace(session::TraceTag::end(session::TraceTag::kParseUnauthorised));
}

void ProvisioningController::markAdded(const QString &serialOrMac)
{
    trace(session::TraceTag::kMarkAdded);
    const auto &rows = m_tab.model().rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].ont.serialOrMac == serialOrMac) {
            m_tab.model().setIcon(i, UnauthorisedModel::kIconAdded);
            break;
        }
    }
    trace(session::TraceTag::end(session::TraceTag::kMarkAdded));
}

bool ProvisioningController::isWaitingUnauthorised(const QString &serialAndPlace) const
{
    for (const UnauthorisedModel::Row &w : m_tab.model().rows()) {
        if (w.icon == UnauthorisedModel::kIconFound && core::unauthorisedKey(w.ont) == serialAndPlace)
            return true;
    }
    return false;
}

void ProvisioningController::takeFromUnauthorised(const QString &serialOrMac, const QString &place,
                                                  const QString &ponType, const QString &name)
{
    trace(session::TraceTag::kTakeFromUnauthorised);
    clearAddForm();
    keepAlive();
    m_tab.stopBlinking();
    m_form.activeState->setCurrentIndex(0);
    // A name from the sibling program goes into a quoted description on the
    // OLT and into the data file: it arrives made fit for both.
    if (!name.isEmpty())
        m_form.name->setText(core::makeFit(name));
    fillOnt(serialOrMac, place, ponType);
    m_session.sendLine(QString(core::kNextFreeIndexCommand), true);
    m_engine.arm(MainStep::kFreeServicePort);
    m_form.name->setFocus();
    trace(session::TraceTag::end(session::TraceTag::kTakeFromUnauthorised));
}

void ProvisioningController::fillOnt(const QString &mac, const QString &port, const QString &ponType)
{
    if (ponType.contains(QStringLiteral("G.")))
        m_form.setPonType(2);
    else if (ponType.contains(QStringLiteral("E.")))
        m_form.setPonType(1);
    m_form.serialOrMac->setText(mac);
    const core::OntPlace m = core::splitPlace(port);
    m_form.frame->setText(m.frame);
    m_form.slot->setText(m.slot);
    m_form.port->setText(m.port);
}

std::optional<core::UnauthorisedOnt> ProvisioningController::selectedUnauthorised() const
{
    const int row = m_tab.selectedRow();
    if (row < 0)
        return std::nullopt;
    if (!isReady()) {
        notConnectedError();
        return std::nullopt;
    }
    return m_tab.model().rows().at(row).ont;
}

void ProvisioningController::addSelectedAsNew()
{
    if (const auto o = selectedUnauthorised())
        takeFromUnauthorised(o->serialOrMac, o->port, o->ponType, QString());
}

void ProvisioningController::copySelectedToForm()
{
    const auto o = selectedUnauthorised();
    if (!o)
        return;
    keepAlive();
    m_tab.stopBlinking();
    fillOnt(o->serialOrMac, o->port, o->ponType);
    m_form.name->setFocus();
}

void ProvisioningController::periodicRefresh()
{
    if (m_tab.autoRefresh->isChecked() && isReady())
        refreshUnauthorised();
}

void ProvisioningController::onKeepAlive()
{
    m_periodicRefresh.stop();
    const bool auto_ = m_tab.autoRefresh->isChecked();
    if (auto_)
        m_periodicRefresh.setInterval(timing::scaled(m_tab.autoRefreshMinutes->value() * timing::kMinuteMs));
    if (auto_)
        m_periodicRefresh.start();
}

void ProvisioningController::onWorkingSessionReady()
{
    m_form.lineProfilesButton->setEnabled(true);
    m_form.serviceProfilesButton->setEnabled(true);
    m_tab.refreshButton->setEnabled(true);
}

// ---- free ids, service ports, profiles ----------------------------------------------

void ProvisioningController::askForOntId()
{
    if (!isReady()) {
        notConnectedError();
        return;
    }
    if (!checkDigit(m_form.frame, m_form.frame->text(), true)
        || !checkDigit(m_form.slot, m_form.slot->text(), true)
        || !checkDigit(m_form.port, m_form.port->text(), true) || !checkPlaceNumbers())
        return;
    askForPortOnts();
}

void ProvisioningController::askForPortOnts()
{
    // A listing already being read keeps its step; this one is not queued.
    if (m_engine.pending() != StepEngine::kNoStep)
        return;
    m_session.sendLine(
        core::portOntInfoCommand(m_form.frame->text(), m_form.slot->text(), m_form.port->text()), true);
    m_engine.arm(MainStep::kPortOntListing);
}

void ProvisioningController::askForOntIdQuick()
{
    if (m_form.editedRow >= 0)
        return;
    if (!checkDigit(m_form.frame, m_form.frame->text(), false)
        || !checkDigit(m_form.slot, m_form.slot->text(), true)
        || !checkDigit(m_form.port, m_form.port->text(), true) || !checkPlaceNumbers())
        return;
    if (!isReady()) {
        notConnectedError();
        return;
    }
    askForPortOnts();
}

void ProvisioningController::proposeOntId(const QString &listing)
{
    const std::optional<int> id = core::proposeOntId(listing, m_form.slot->text(), m_form.port->text());
    if (!id) {
        m_form.ontId->setText(QStringLiteral("?"));
        return;
    }
    AddOntForm::paint(m_form.ontId, AddOntForm::kProposalColour);
    m_form.ontId->setText(QString::number(*id));
    // An add the sibling program asked for goes ahead as soon as its id is known.
    if (m_siblingRequest)
        addOrSave();
}

void ProvisioningController::askForServicePorts()
{
    if (!isReady()) {
        notConnectedError();
        return;
    }
    if (m_engine.pending() != StepEngine::kNoStep)
        return;
    m_session.sendLine(QString(core::kNextFreeIndexCommand), true);
    m_engine.arm(MainStep::kFreeServicePort);
}

void ProvisioningController::proposeServicePorts(const QString &answer)
{
    const auto sp = core::proposeServicePorts(answer, highestServicePort());
    if (!sp) {
        m_form.servicePort[0]->setText(QStringLiteral("?"));
        m_form.servicePort[1]->setText(QStringLiteral("?"));
        return;
    }
    for (int i = 0; i < 4; ++i) {
        AddOntForm::paint(m_form.servicePort[i], AddOntForm::kProposalColour);
        m_form.servicePort[i]->setText(QString::number((*sp)[size_t(i)]));
    }
}

int ProvisioningController::highestServicePort() const
{
    QStringList fields;
    fields.reserve(m_list.size());
    for (const core::OntRecord &r : m_list.rows())
        fields.append(r.servicePorts);
    return core::highestServicePort(fields);
}

void ProvisioningController::showLineProfiles()
{
    if (!isReady()) {
        notConnectedError();
        return;
    }
    if (m_form.ponType->currentIndex() == 0 || m_engine.pending() == MainStep::kServiceProfiles)
        return;
    m_form.lineProfilesButton->setEnabled(false);
    m_session.sendLine(core::profilesCommand(core::ProfileKind::Line, m_form.ponType->currentIndex() == 1),
                               true);
    m_engine.arm(MainStep::kLineProfiles);
}

void ProvisioningController::showServiceProfiles()
{
    if (!isReady()) {
        notConnectedError();
        return;
    }
    if (m_engine.pending() == MainStep::kLineProfiles || m_form.ponType->currentIndex() == 0)
        return;
    m_form.serviceProfilesButton->setEnabled(false);
    m_session.sendLine(core::profilesCommand(core::ProfileKind::Service, m_form.ponType->currentIndex() == 1),
                               true);
    m_engine.arm(MainStep::kServiceProfiles);
}

void ProvisioningController::parseProfiles(const QString &listing, const QString &, const QString &table)
{
    const bool lineProfiles = table == u"lineprofile";
    if (!lineProfiles && table != u"srvprofile")
        return;
    ProfilePicker &picker = lineProfiles ? *m_profile1 : *m_profile2;
    picker.fill(core::parseProfiles(listing));
    const QString ponType = m_form.ponType->currentText();
    const QString n = QString::number(picker.rowCount());
    if (lineProfiles)
        showProfiles(picker, m_form.serialOrMac, m_form.lineProfilesButton, ponType + QStringLiteral(" LineProfile: ") + n);
    else
        showProfiles(picker, m_form.serviceProfile, m_form.serviceProfilesButton, ponType + u' ' + QStringLiteral("SrvProfile: ") + n);
}

void ProvisioningController::showProfiles(ProfilePicker &picker, QWidget *xAnchor, QWidget *button,
                                          const QString &caption)
{
    // The box floats over the whole window, just below its ".." button.
    QWidget *host = m_form.window();
    if (picker.parentWidget() != host)
        picker.setParent(host);
    const QPoint x = xAnchor->mapTo(host, QPoint(0, 0));
    const QPoint below = button->mapTo(host, QPoint(0, button->height()));
    picker.showAt(caption, QPoint(x.x(), below.y()));
}

// ---- add ------------------------------------------------------------------------------

void ProvisioningController::addOrSave()
{
    trace(session::TraceTag::kAddOnt);
    if (!isReady()) {
        error(QStringLiteral("Blad polaczenia!"), QStringLiteral("Aby wykonac operacje najpierw sie polacz / You Must Connect to OLT!"));
        return;
    }
    // One batch at a time: the button may have been enabled again (a type
    // chosen) while the last one is still being typed.
    if (m_batchInProgress)
        return;

    const core::AddOntValues f = m_form.values();
    const int q = m_form.editedRow;
    const core::FormCheck check = core::checkAddForm(f, q == -1);
    for (const core::FieldRef &p : check.checked)
        AddOntForm::resetColour(m_form.field(p));
    if (check.error) {
        const core::FormError &b = *check.error;
        AddOntForm::paint(m_form.field(b.field), AddOntForm::kErrorColour);
        if (!b.message.isEmpty())
            error(QString(core::kInvalidInputCaption), b.message);
        else if (b.field.field == core::Field::ServicePort)
            askForServicePorts();
        else if (b.field.field == core::Field::OntId)
            askForOntId();
        return;
    }

    m_form.addButton->setEnabled(false);
    // In edit mode the press saves an authorised ONT, which this controller
    // does not do: nothing is sent.
    if (q >= 0)
        return;

    keepAlive();
    if (const auto d = core::findDuplicate(m_list.rows(), q, f)) {
        if (!m_siblingRequest)
            error(core::duplicateCaption(d->kind), core::duplicateText(d->kind, m_list.rows()[size_t(d->row)], f));
        m_siblingRequest = false;
        Q_EMIT duplicateRefused();
        return;
    }
    m_siblingRequest = false;

    m_batchInProgress = true;
    const quint64 droppedBefore = m_session.droppedLines();
    m_session.send(f.epon() ? core::eponAddBatch(f) : core::gponAddBatch(f));
    m_session.pacer().enqueueAction([this, f, droppedBefore] {
        if (m_session.droppedLines() != droppedBefore)
            abandonAdd(); // the line dropped while the batch was typed
        else
            finishAdd(f);
    });
}

void ProvisioningController::finishAdd(const core::AddOntValues &f)
{
    m_batchInProgress = false;
    m_list.add(core::addedOntRow(f));
    markAdded(f.mac);
    if (m_hooks.refreshCaption)
        m_hooks.refreshCaption();
    // The OLT's answers are not judged: what it printed while the batch was
    // typed stays in the memo for the operator to read.
    m_session.appendLine(QStringLiteral("[+] Dodaj ") + f.ponTypeText() + u' ' + f.frame + u'/' + f.slot + u'/' + f.port
                         + QStringLiteral(" ID ") + f.id + QStringLiteral(": polecenia wyslane, odpowiedz OLT powyzej / ")
                         + QStringLiteral("commands typed, the OLT's answers are above"));
    m_list.save();
    clearAddForm();
    trace(session::TraceTag::kAddOntListed);
    trace(session::TraceTag::end(session::TraceTag::kAddOnt));
}

void ProvisioningController::onPacerIdle()
{
    // The pacer fell idle before it reached the end of the batch: the queue
    // was dropped (the connection is being replaced).
    if (m_batchInProgress)
        abandonAdd();
}

void ProvisioningController::abandonAdd()
{
    // Nothing is listed for an ONT whose batch did not go out whole.
    m_batchInProgress = false;
    m_session.appendLine(QStringLiteral("[+] Dodaj: przerwane, ONT nie dodany do listy / interrupted, the ONT was not listed"));
    m_form.addButton->setEnabled(m_form.ponType->currentIndex() != 0);
}

void ProvisioningController::cancelEdit()
{
    m_form.editedRow = -1;
    clearAddForm();
}

void ProvisioningController::clearAddForm()
{
    m_form.activeState->setCurrentIndex(0);
    m_form.subscriberId->clear();
    trace(session::TraceTag::kClearAddForm);
    m_form.catvEnabled->setChecked(false);
    m_form.catvPort->setValue(1);
    m_form.editMode = 0;
    m_form.editedRow = -1;
    m_form.nativeFlags = {0, 0, 0, 0};
    m_form.ontId->setText(QStringLiteral("Auto"));
    AddOntForm::resetColour(m_form.ontId);
    for (int i = 0; i < 4; ++i) {
        m_form.servicePort[i]->setText(i == 0 ? QStringLiteral("Auto") : QStringLiteral("Auto+1"));
        AddOntForm::resetColour(m_form.servicePort[i]);
        m_form.servicePortEnabled[i]->setChecked(false);
        m_form.nativeVlan[i]->setChecked(false);
        m_form.igmp[i]->setChecked(false);
    }
    m_form.serialOrMac->clear();
    if (isReady()) {
        m_reenable.setInterval(timing::scaled(timing::kReenableAddMs));
        m_reenable.start();
    }
    trace(session::TraceTag::end(session::TraceTag::kClearAddForm));
}

void ProvisioningController::reenableAddButton()
{
    trace(session::TraceTag::kReenableAdd);
    m_form.addButton->setEnabled(true);
    m_reenable.stop();
    trace(session::TraceTag::end(session::TraceTag::kReenableAdd));
}

} // namespace tervix::provisioning
