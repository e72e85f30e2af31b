#include "provisioning/proposal_controller.h"

#include "core/form_input_rules.h"
#include "core/free_ids_parser.h"
#include "provisioning/add_form_view.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

namespace tervix::provisioning {

namespace MainStep = session::MainStep;
using session::StepEngine;

ProposalController::ProposalController(ControllerContext &context, AddFormView &form, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_form(form)
{
    registerSteps();
}

void ProposalController::registerSteps()
{
    StepEngine &engine = m_context.engine();
    engine.registerBranch(MainStep::kFreeServicePort, [this](int) {
        proposeServicePorts(m_context.session().buffer());
        askForOntIdQuick();
        return StepEngine::Outcome::Done;
    });
    engine.registerBranch(MainStep::kPortOntListing, [this](int) {
        proposeOntId(m_context.session().buffer());
        return StepEngine::Outcome::Done;
    });
    engine.registerPagedBranch(MainStep::kLineProfiles, [this](const QString &listing) {
        parseProfiles(listing, core::ProfileKind::Line);
        m_form.setProfilesButtonEnabled(core::ProfileKind::Line, true);
    });
    engine.registerPagedBranch(MainStep::kServiceProfiles, [this](const QString &listing) {
        parseProfiles(listing, core::ProfileKind::Service);
        m_form.setProfilesButtonEnabled(core::ProfileKind::Service, true);
    });
}

bool ProposalController::checkDigit(core::Field field, const QString &text, bool resetColour)
{
    if (resetColour)
        m_form.resetFieldColour({field});
    if (core::startsWithDigit(text))
        return true;
    m_form.paintField({field}, AddFormView::kErrorColour);
    return false;
}

bool ProposalController::checkPlaceNumbers()
{
    const core::AddOntValues f = m_form.values();
    const std::tuple<core::Field, QString, const char *> fields[] = {
        {core::Field::Frame, f.frame, "Rama / Frame"}, {core::Field::Slot, f.slot, "Slot"}, {core::Field::Port, f.port, "Port"}};
    for (const auto &[field, text, name] : fields) {
        if (core::isPlainNumber(text))
            continue;
        m_form.paintField({field}, AddFormView::kErrorColour);
        const QString n = QString::fromLatin1(name);
        m_context.error(QString(core::kInvalidInputCaption),
                        QStringLiteral("Pole \"") + n
                            + QStringLiteral("\" moze zawierac tylko liczbe (bez spacji i innych znakow).\n")
                            + QStringLiteral("The field \"") + n
                            + QStringLiteral("\" may hold only a number (no spaces, no other characters)."));
        return false;
    }
    return true;
}

// The frame's colour is left alone by the quick request, which runs while
// the form may still show the operator's last check.
bool ProposalController::checkPlace(bool resetFrameColour)
{
    const core::AddOntValues f = m_form.values();
    return checkDigit(core::Field::Frame, f.frame, resetFrameColour) && checkDigit(core::Field::Slot, f.slot, true)
        && checkDigit(core::Field::Port, f.port, true) && checkPlaceNumbers();
}

void ProposalController::askForOntId()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (!checkPlace(true))
        return;
    askForPortOnts();
}

void ProposalController::askForPortOnts()
{
    // A listing already being read keeps its step; this one is not queued.
    if (m_context.engine().pending() != StepEngine::kNoStep)
        return;
    const core::AddOntValues f = m_form.values();
    m_context.session().sendLine(core::portOntInfoCommand(f.frame, f.slot, f.port), true);
    m_context.engine().arm(MainStep::kPortOntListing);
}

void ProposalController::askForOntIdQuick()
{
    if (m_form.editedRowIndex() >= 0)
        return;
    if (!checkPlace(false))
        return;
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    askForPortOnts();
}

void ProposalController::proposeOntId(const QString &listing)
{
    const core::AddOntValues f = m_form.values();
    const std::optional<int> id = core::proposeOntId(listing, f.slot, f.port);
    if (!id) {
        m_form.setFieldText({core::Field::OntId}, QStringLiteral("?"));
        return;
    }
    m_form.paintField({core::Field::OntId}, AddFormView::kProposalColour);
    m_form.setFieldText({core::Field::OntId}, QString::number(*id));
    Q_EMIT ontIdProposed();
}

void ProposalController::askForServicePorts()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (m_context.engine().pending() != StepEngine::kNoStep)
        return;
    m_context.session().sendLine(QString(core::kNextFreeIndexCommand), true);
    m_context.engine().arm(MainStep::kFreeServicePort);
}

void ProposalController::proposeServicePorts(const QString &answer)
{
    const auto sp = core::proposeServicePorts(answer, highestServicePort());
    if (!sp) {
        m_form.setFieldText({core::Field::ServicePort, 0}, QStringLiteral("?"));
        m_form.setFieldText({core::Field::ServicePort, 1}, QStringLiteral("?"));
        return;
    }
    for (int i = 0; i < 4; ++i) {
        m_form.paintField({core::Field::ServicePort, i}, AddFormView::kProposalColour);
        m_form.setFieldText({core::Field::ServicePort, i}, QString::number((*sp)[size_t(i)]));
    }
}

int ProposalController::highestServicePort() const
{
    const registry::OntList &list = m_context.list();
    QStringList fields;
    fields.reserve(list.size());
    for (const core::OntRecord &r : list.rows())
        fields.append(r.servicePorts);
    return core::highestServicePort(fields);
}

void ProposalController::showLineProfiles()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    const int ponType = m_form.values().ponTypeIndex;
    if (ponType == 0 || m_context.engine().pending() == MainStep::kServiceProfiles)
        return;
    m_form.setProfilesButtonEnabled(core::ProfileKind::Line, false);
    m_context.session().sendLine(core::profilesCommand(core::ProfileKind::Line, ponType == 1), true);
    m_context.engine().arm(MainStep::kLineProfiles);
}

void ProposalController::showServiceProfiles()
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    const int ponType = m_form.values().ponTypeIndex;
    if (m_context.engine().pending() == MainStep::kLineProfiles || ponType == 0)
        return;
    m_form.setProfilesButtonEnabled(core::ProfileKind::Service, false);
    m_context.session().sendLine(core::profilesCommand(core::ProfileKind::Service, ponType == 1), true);
    m_context.engine().arm(MainStep::kServiceProfiles);
}

void ProposalController::parseProfiles(const QString &listing, core::ProfileKind kind)
{
    const QList<core::OltProfile> profiles = core::parseProfiles(listing);
    const QString n = QString::number(profiles.size());
    const QString caption = kind == core::ProfileKind::Line
        ? m_form.ponTypeText() + QStringLiteral(" LineProfile: ") + n
        : m_form.ponTypeText() + u' ' + QStringLiteral("SrvProfile: ") + n;
    Q_EMIT profilesListed(kind, profiles, caption);
}

} // namespace tervix::provisioning
