#include "provisioning/add_ont_controller.h"

#include "core/timing.h"
#include "provisioning/add_form_view.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"
#include "session/trace_tags.h"

namespace tervix::provisioning {

namespace TraceTag = session::TraceTag;

namespace {

QString placeText(const core::AddOntValues &f)
{
    return f.ponTypeText() + u' ' + f.frame + u'/' + f.slot + u'/' + f.port + QStringLiteral(" ID ") + f.id;
}

// The OLT's answer as the box shows it: its lines trimmed, without the caret
// that points into an echo the box does not show.
QString answerForBox(const core::LineAnswer &a)
{
    QStringList out;
    for (const QString &l : a.answer.split(u'\n')) {
        const QString t = l.trimmed();
        if (!t.isEmpty() && t != u"^")
            out.append(t);
    }
    return out.isEmpty() ? a.reason : out.join(u'\n');
}

} // namespace

AddOntController::AddOntController(ControllerContext &context, AddFormView &form, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_form(form)
{
    m_reenable.setInterval(timing::scaled(timing::kReenableAddMs));
    connect(&m_reenable, &QTimer::timeout, this, &AddOntController::reenableAddButton);
    session::OltSession &session = context.session();
    connect(&session.pacer(), &session::CommandPacer::idle, this, &AddOntController::onPacerIdle);
    context.engine().registerBranch(session::MainStep::kAddAnswers, [this](int) {
        judgeAnswers();
        return session::StepEngine::Outcome::Done;
    });
    // Another request took the slot of the answers' step: they are judged from
    // what had come by then, on the next turn of the event loop.
    connect(&context.engine(), &session::StepEngine::stepReplaced, this, [this](int code, const QString &text) {
        if (code == session::MainStep::kAddAnswers && m_awaitingAnswers)
            QMetaObject::invokeMethod(this, [this, text] { judgeAnswers(text); }, Qt::QueuedConnection);
    });
    // A drop cancels the engine's pending step: the answers that came are all there will be.
    connect(&session.connection(), &session::OltConnection::disconnected, this, [this] {
        if (m_awaitingAnswers)
            judgeAnswers();
    });
}

void AddOntController::addOrSave()
{
    m_context.trace(TraceTag::kAddOnt);
    // A request of the sibling program holds for this press only, whichever
    // way it ends; it outlives it only while the OLT is asked for the id, and
    // any other press ends that wait.
    const bool sibling = m_siblingRequest;
    m_siblingRequest = false;
    m_siblingAwaitsId = false;
    if (!m_context.isReady()) {
        m_context.error(QStringLiteral("Blad polaczenia!"),
                        QStringLiteral("Aby wykonac operacje najpierw sie polacz / You Must Connect to OLT!"));
        return;
    }
    // One batch at a time: the button may have been enabled again (a type
    // chosen) while the last one is still being typed or judged.
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
        if (!b.message.isEmpty()) {
            m_context.error(QString(core::kInvalidInputCaption), b.message);
        } else if (b.field.field == core::Field::ServicePort) {
            Q_EMIT servicePortsNeeded();
        } else if (b.field.field == core::Field::OntId) {
            m_siblingAwaitsId = sibling;
            Q_EMIT ontIdNeeded();
        }
        return;
    }

    m_form.setAddEnabled(false);
    // In edit mode the press saves an authorised ONT: the edit controller's.
    if (q >= 0) {
        Q_EMIT editSaveRequested(f, sibling);
        return;
    }

    registry::OntList &list = m_context.list();
    m_context.keepAlive();
    if (const auto d = core::findDuplicate(list.rows(), q, f)) {
        if (!sibling)
            m_context.error(core::duplicateCaption(d->kind),
                            core::duplicateText(d->kind, list.rows()[size_t(d->row)], f));
        Q_EMIT duplicateRefused();
        return;
    }

    m_batchInProgress = true;
    session::OltSession &session = m_context.session();
    const core::CommandBatch batch = f.epon() ? core::eponAddBatch(f) : core::gponAddBatch(f);
    m_sent = f;
    m_typed = core::linesOf(batch);
    const quint64 droppedBefore = session.droppedLines();
    session.send(batch);
    session.pacer().enqueueAction([this, droppedBefore] {
        if (m_context.session().droppedLines() != droppedBefore) {
            abandonAdd(); // the line dropped while the batch was typed
            return;
        }
        // The OLT may still be answering the last lines: they are judged once it is quiet.
        m_awaitingAnswers = true;
        m_context.engine().arm(session::MainStep::kAddAnswers);
    });
}

void AddOntController::judgeAnswers()
{
    judgeAnswers(m_context.session().buffer());
}

void AddOntController::judgeAnswers(const QString &output)
{
    if (!m_awaitingAnswers)
        return;
    m_awaitingAnswers = false;
    m_batchInProgress = false;
    const core::AddOntValues f = m_sent;
    const core::BatchAnswers answers = core::checkBatchAnswers(m_typed, output);

    // Up to its "ont add" (mac-auth or sn-auth) the batch decides whether the
    // OLT holds the ONT at all.
    int addLine = int(m_typed.size()) - 1;
    for (int i = 0; i < m_typed.size(); ++i) {
        if (m_typed[i].startsWith(u"ont add ")) {
            addLine = i;
            break;
        }
    }
    for (int i = 0; i <= addLine; ++i) {
        if (answers.lines[i].outcome == core::LineOutcome::Refused) {
            refuseAdd(f, answers.lines[i]);
            return;
        }
    }
    if (!answers.withOutcome(core::LineOutcome::Unanswered).isEmpty()) {
        leaveUnconfirmed(f, answers);
        return;
    }

    QStringList refused;
    for (const int i : answers.withOutcome(core::LineOutcome::Refused))
        refused.append(answers.lines[i].typed + QStringLiteral("\n  -> ") + answers.lines[i].reason);
    const QString note = refused.join(u'\n');
    listOnt(f, note);
    if (!refused.isEmpty())
        m_context.error(QStringLiteral("ONT dodany niekompletnie / ONT added incomplete"),
                        QStringLiteral("ONT ") + placeText(f)
                            + QStringLiteral(" jest na liscie, ale OLT odrzucil czesc polecen:\n"
                                             "The ONT is listed, but the OLT refused some of its lines:\n\n")
                            + note);
}

void AddOntController::listOnt(const core::AddOntValues &f, const QString &incompleteNote)
{
    registry::OntList &list = m_context.list();
    const int row = list.add(core::addedOntRow(f));
    if (!incompleteNote.isEmpty())
        list.markIncomplete(row, incompleteNote);
    Q_EMIT ontListed(f.mac);
    m_context.refreshCaption();
    // An add the OLT took whole needs no word in the memo: its answers are there.
    if (!incompleteNote.isEmpty())
        m_context.session().appendLine(QStringLiteral("[+] Dodaj ") + placeText(f)
                                       + QStringLiteral(": ONT dodany do listy, ale OLT odrzucil czesc polecen / the ONT "
                                                        "is listed, but the OLT refused some of its lines"));
    list.save();
    clearAddForm();
    m_context.trace(TraceTag::kAddOntListed);
    m_context.trace(TraceTag::end(TraceTag::kAddOnt));
}

void AddOntController::refuseAdd(const core::AddOntValues &f, const core::LineAnswer &refused)
{
    // Nothing is listed, so trying again after the cause is fixed is no duplicate.
    m_context.session().appendLine(QStringLiteral("[+] Dodaj ") + placeText(f)
                                   + QStringLiteral(": OLT odmowil, ONT nie dodany do listy / the OLT refused, the ONT was not "
                                                    "listed: ")
                                   + refused.reason);
    m_context.error(QStringLiteral("OLT odmowil dodania ONT / The OLT refused the ONT"),
                    QStringLiteral("ONT ") + placeText(f)
                        + QStringLiteral(" nie zostal dodany do listy. / The ONT was not listed.\n\n"
                                         "Polecenie / Line:\n")
                        + refused.typed + QStringLiteral("\n\nOdpowiedz OLT / The OLT's answer:\n") + answerForBox(refused));
    endWithoutListing();
}

void AddOntController::leaveUnconfirmed(const core::AddOntValues &f, const core::BatchAnswers &answers)
{
    QStringList lines;
    for (const core::LineAnswer &a : answers.lines) {
        if (a.outcome == core::LineOutcome::Unanswered)
            lines.append(QStringLiteral("(brak odpowiedzi / no answer) ") + a.typed);
        else if (a.outcome == core::LineOutcome::Refused)
            lines.append(a.typed + QStringLiteral("\n  -> ") + a.reason);
    }
    m_context.session().appendLine(QStringLiteral("[+] Dodaj ") + placeText(f)
                                   + QStringLiteral(": OLT nie potwierdzil polecen, ONT nie dodany do listy / the OLT did not "
                                                    "confirm the lines, the ONT was not listed"));
    m_context.error(QStringLiteral("Brak odpowiedzi OLT / No answer from the OLT"),
                    QStringLiteral("ONT ") + placeText(f)
                        + QStringLiteral(" nie zostal dodany do listy: OLT nie potwierdzil polecen ponizej. Sprawdz ONT "
                                         "na OLT przed ponowna proba.\n"
                                         "The ONT was not listed: the OLT did not confirm the lines below. Check the "
                                         "ONT on the OLT before trying again.\n\n")
                        + lines.join(u'\n'));
    endWithoutListing();
}

void AddOntController::endWithoutListing()
{
    // The form keeps the operator's values for another try.
    m_form.setAddEnabled(m_form.values().ponTypeIndex != 0);
    m_context.trace(TraceTag::end(TraceTag::kAddOnt));
}

void AddOntController::onPacerIdle()
{
    // The pacer fell idle before it reached the end of the batch: the queue
    // was dropped (the connection is being replaced).
    if (m_batchInProgress && !m_awaitingAnswers)
        abandonAdd();
}

void AddOntController::abandonAdd()
{
    // Nothing is listed for an ONT whose batch did not go out whole.
    m_batchInProgress = false;
    m_awaitingAnswers = false;
    m_context.session().appendLine(
        QStringLiteral("[+] Dodaj: przerwane, ONT nie dodany do listy / interrupted, the ONT was not listed"));
    m_form.setAddEnabled(m_form.values().ponTypeIndex != 0);
}

void AddOntController::onOntIdProposed()
{
    if (!m_siblingAwaitsId)
        return;
    m_siblingAwaitsId = false;
    m_siblingRequest = true;
    addOrSave();
}

void AddOntController::cancelEdit()
{
    clearAddForm();
}

void AddOntController::clearAddForm()
{
    m_context.trace(TraceTag::kClearAddForm);
    // The form's next ONT is nobody's request yet.
    m_siblingRequest = false;
    m_siblingAwaitsId = false;
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
