#include "provisioning/add_ont_controller.h"

#include "core/timing.h"
#include "provisioning/add_form_view.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/olt_session.h"
#include "session/trace_tags.h"

namespace tervix::provisioning {

namespace TraceTag = session::TraceTag;

AddOntController::AddOntController(ControllerContext &context, AddFormView &form, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_form(form)
{
    m_reenable.setInterval(timing::scaled(timing::kReenableAddMs));
    connect(&m_reenable, &QTimer::timeout, this, &AddOntController::reenableAddButton);
    connect(&context.session().pacer(), &session::CommandPacer::idle, this, &AddOntController::onPacerIdle);
}

void AddOntController::addOrSave()
{
    m_context.trace(TraceTag::kAddOnt);
    if (!m_context.isReady()) {
        m_context.error(QStringLiteral("Blad polaczenia!"),
                        QStringLiteral("Aby wykonac operacje najpierw sie polacz / You Must Connect to OLT!"));
        return;
    }
    // One batch at a time: the button may have been enabled again (a type
    // chosen) while the last one is still being typed.
    if (m_batchInProgress)
        return;

    const core::AddOntValues f = m_form.values();
    const int q = m_form.editedRowIndex();
    const core::FormCheck check = core::checkAddForm(f, q == -1);
    for (const core::FieldRef &p : check.checked)
        m_form.resetFieldColour(p);
    if (check.error) {
        const core::FormError &b = *check.error;
        m_form.paintField(b.field, AddFormView::kErrorColour);
        if (!b.message.isEmpty())
            m_context.error(QString(core::kInvalidInputCaption), b.message);
        else if (b.field.field == core::Field::ServicePort)
            Q_EMIT servicePortsNeeded();
        else if (b.field.field == core::Field::OntId)
            Q_EMIT ontIdNeeded();
        return;
    }

    m_form.setAddEnabled(false);
    // In edit mode the press saves an authorised ONT, which is not done
    // here: nothing is sent.
    if (q >= 0)
        return;

    registry::OntList &list = m_context.list();
    m_context.keepAlive();
    if (const auto d = core::findDuplicate(list.rows(), q, f)) {
        if (!m_siblingRequest)
            m_context.error(core::duplicateCaption(d->kind),
                            core::duplicateText(d->kind, list.rows()[size_t(d->row)], f));
        m_siblingRequest = false;
        Q_EMIT duplicateRefused();
        return;
    }
    m_siblingRequest = false;

    m_batchInProgress = true;
    session::OltSession &session = m_context.session();
    const quint64 droppedBefore = session.droppedLines();
    session.send(f.epon() ? core::eponAddBatch(f) : core::gponAddBatch(f));
    session.pacer().enqueueAction([this, f, droppedBefore] {
        if (m_context.session().droppedLines() != droppedBefore)
            abandonAdd(); // the line dropped while the batch was typed
        else
            finishAdd(f);
    });
}

void AddOntController::finishAdd(const core::AddOntValues &f)
{
    m_batchInProgress = false;
    m_context.list().add(core::addedOntRow(f));
    Q_EMIT ontListed(f.mac);
    m_context.refreshCaption();
    // The OLT's answers are not judged: what it printed while the batch was
    // typed stays in the memo for the operator to read.
    m_context.session().appendLine(QStringLiteral("[+] Dodaj ") + f.ponTypeText() + u' ' + f.frame + u'/' + f.slot
                                   + u'/' + f.port + QStringLiteral(" ID ") + f.id
                                   + QStringLiteral(": polecenia wyslane, odpowiedz OLT powyzej / ")
                                   + QStringLiteral("commands typed, the OLT's answers are above"));
    m_context.list().save();
    clearAddForm();
    m_context.trace(TraceTag::kAddOntListed);
    m_context.trace(TraceTag::end(TraceTag::kAddOnt));
}

void AddOntController::onPacerIdle()
{
    // The pacer fell idle before it reached the end of the batch: the queue
    // was dropped (the connection is being replaced).
    if (m_batchInProgress)
        abandonAdd();
}

void AddOntController::abandonAdd()
{
    // Nothing is listed for an ONT whose batch did not go out whole.
    m_batchInProgress = false;
    m_context.session().appendLine(
        QStringLiteral("[+] Dodaj: przerwane, ONT nie dodany do listy / interrupted, the ONT was not listed"));
    m_form.setAddEnabled(m_form.values().ponTypeIndex != 0);
}

void AddOntController::onOntIdProposed()
{
    if (m_siblingRequest)
        addOrSave();
}

void AddOntController::cancelEdit()
{
    clearAddForm();
}

void AddOntController::clearAddForm()
{
    m_context.trace(TraceTag::kClearAddForm);
    m_form.clearForNextOnt();
    if (m_context.isReady()) {
        m_reenable.setInterval(timing::scaled(timing::kReenableAddMs));
        m_reenable.start();
    }
    m_context.trace(TraceTag::end(TraceTag::kClearAddForm));
}

void AddOntController::reenableAddButton()
{
    m_context.trace(TraceTag::kReenableAdd);
    m_form.setAddEnabled(true);
    m_reenable.stop();
    m_context.trace(TraceTag::end(TraceTag::kReenableAdd));
}

} // namespace tervix::provisioning
