#include "provisioning/edit_ont_controller.h"

#include "core/ont_info.h"
#include "core/timing.h"
#include "provisioning/add_form_view.h"
#include "provisioning/add_ont_controller.h"
#include "provisioning/controller_context.h"
#include "registry/ont_list.h"
#include "session/main_steps.h"
#include "session/olt_session.h"
#include "session/step_engine.h"

#include <QMetaObject>

namespace tervix::provisioning {

using core::PacedLine;
namespace MainStep = session::MainStep;

namespace {

const QString kEditModeCaption = QStringLiteral("Tryb edycji wlaczony");

core::CommandBatch addBatchOf(const core::AddOntValues &f)
{
    return f.epon() ? core::eponAddBatch(f) : core::gponAddBatch(f);
}

QString rowPlace(const core::OntRecord &r)
{
    return r.ponType + QStringLiteral(" [") + r.frame + u'/' + r.slot + u'/' + r.port + QStringLiteral("] ID: ")
        + r.ontId;
}

bool sameOnt(const core::OntRecord &a, const core::OntRecord &b)
{
    return a.frame == b.frame && a.slot == b.slot && a.port == b.port && a.ontId == b.ontId
        && a.serialOrMac == b.serialOrMac && a.ponType == b.ponType;
}

} // namespace

EditOntController::EditOntController(ControllerContext &context, AddFormView &form, AddOntController &adding,
                                     QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_form(form)
    , m_adding(adding)
{
    session::StepEngine &engine = context.engine();
    engine.registerBranch(MainStep::kOntChangeAnswers, [this](int) {
        if (m_awaiting)
            judge(m_batch);
        return session::StepEngine::Outcome::Done;
    });
    engine.registerPagedBranch(MainStep::kEditOntInfo, [this](const QString &listing) { onEditInfo(listing); });
    engine.registerPagedBranch(MainStep::kEditNativeFlags, [this](const QString &listing) { onNativeFlags(listing); });

    session::OltSession &session = context.session();
    // Another request took the slot of a step of ours: the answers are judged
    // from what had come by then, and a load goes on with what it has.
    connect(&engine, &session::StepEngine::stepReplaced, this, [this](int code, const QString &text) {
        if (code == MainStep::kOntChangeAnswers && m_awaiting)
            judgeLater(m_batch, text);
        if (m_loading && (code == MainStep::kEditOntInfo || code == MainStep::kEditNativeFlags))
            QMetaObject::invokeMethod(this, [this] {
                if (m_loading)
                    finishLoad();
            }, Qt::QueuedConnection);
    });
    // A drop ends the batch: the answers that came are all there will be.
    connect(&session.connection(), &session::OltConnection::disconnected, this, [this] {
        if (m_phase != Phase::Idle)
            judgeLater(m_batch);
        if (m_loading)
            finishLoad();
    });
    // The pacer fell idle before it reached the end of the batch: its queue was dropped.
    connect(&session.pacer(), &session::CommandPacer::idle, this, [this] {
        if (m_phase != Phase::Idle && !m_awaiting)
            judgeLater(m_batch);
    });
    connect(&adding, &AddOntController::editSaveRequested, this, &EditOntController::saveEdited);
}

// ---------------------------------------------------------------- batches

void EditOntController::runBatch(const core::CommandBatch &batch, Phase phase)
{
    m_phase = phase;
    m_awaiting = false;
    const quint64 id = ++m_batch;
    m_typed = core::linesOf(batch);
    session::OltSession &session = m_context.session();
    const quint64 droppedBefore = session.droppedLines();
    session.send(batch);
    session.pacer().enqueueAction([this, id, droppedBefore] {
        if (id != m_batch)
            return;
        if (m_context.session().droppedLines() != droppedBefore) {
            judgeLater(id); // lines went nowhere: no step runs on a dead line
            return;
        }
        // The OLT may still be answering the last lines: they are judged once it is quiet.
        m_awaiting = true;
        m_context.engine().arm(MainStep::kOntChangeAnswers);
    });
}

void EditOntController::judgeLater(quint64 batch)
{
    QMetaObject::invokeMethod(this, [this, batch] { judge(batch); }, Qt::QueuedConnection);
}

void EditOntController::judgeLater(quint64 batch, const QString &output)
{
    QMetaObject::invokeMethod(this, [this, batch, output] { judge(batch, output); }, Qt::QueuedConnection);
}

void EditOntController::judge(quint64 batch)
{
    judge(batch, m_context.session().buffer());
}

void EditOntController::judge(quint64 batch, const QString &output)
{
    if (batch != m_batch || m_phase == Phase::Idle)
        return;
    const Phase phase = std::exchange(m_phase, Phase::Idle);
    m_awaiting = false;
    const core::BatchAnswers answers = core::checkBatchAnswers(m_typed, output);
    switch (phase) {
    case Phase::Idle: break;
    case Phase::Deleting: endDelete(answers); break;
    case Phase::Rebooting: endReboot(answers); break;
    case Phase::Changing: endChange(answers); break;
    case Phase::DeletingForRecreate: afterDeleteForRecreate(answers); break;
    case Phase::AddingNew: afterAddNew(answers); break;
    case Phase::RemovingNew: afterRemoveNew(answers); break;
    case Phase::Restoring: afterRestore(answers); break;
    }
}

bool EditOntController::refuseWhileBusy()
{
    if (!busy() && !m_adding.batchInProgress())
        return false;
    m_context.error(QStringLiteral("Operacja w toku / Operation in progress"),
                    QStringLiteral("Poczekaj, az OLT odpowie na poprzednie polecenia.\n"
                                   "Wait until the OLT has answered the previous lines."));
    return true;
}

int EditOntController::rowOf(const core::OntRecord &record, int hint) const
{
    const registry::OntList &list = m_context.list();
    if (list.isValidRow(hint) && sameOnt(list.record(hint), record))
        return hint;
    for (int i = 0; i < list.size(); ++i) {
        if (sameOnt(list.record(i), record))
            return i;
    }
    return -1;
}

QString EditOntController::placeText(const core::AddOntValues &f) const
{
    return f.ponTypeText() + u' ' + f.frame + u'/' + f.slot + u'/' + f.port + QStringLiteral(" ID ") + f.id;
}

// ---------------------------------------------------------------- delete

void EditOntController::deleteRow(int row)
{
    registry::OntList &list = m_context.list();
    if (!list.isValidRow(row))
        return;
    if (m_form.editedRowIndex() >= 0) {
        m_context.error(kEditModeCaption, QStringLiteral("Nie mozna usuwac w trybie edycji.\n"
                                                         "Najpierw zakocz edycje ont, lub kliknij anuluj!"));
        return;
    }
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (refuseWhileBusy())
        return;
    const core::OntRecord record = list.record(row);
    if (core::isFreeRow(record)) {
        // Nothing of it is on the OLT any more.
        list.remove(row);
        list.save();
        m_context.refreshCaption();
        return;
    }
    if (!m_context.askYes(QStringLiteral("Usunac?"), QStringLiteral("Czy usunac: \n") + rowPlace(record) + u'\n'
                                                         + record.name + QStringLiteral("\nMAC: ") + record.serialOrMac))
        return;
    m_context.keepAlive();
    m_deleteRow = row;
    m_deleteRecord = record;
    runBatch(core::deleteOntBatch(record), Phase::Deleting);
}

void EditOntController::endDelete(const core::BatchAnswers &answers)
{
    registry::OntList &list = m_context.list();
    const core::OntActionResult result = core::judgeDelete(answers);
    const int row = rowOf(m_deleteRecord, m_deleteRow);
    if (result.confirmed) {
        if (row >= 0) {
            list.setRecord(row, core::freedOntRow(list.record(row)));
            list.save();
        }
    } else {
        m_context.session().appendLine(QStringLiteral("Usun ") + rowPlace(m_deleteRecord)
                                       + QStringLiteral(": OLT nie potwierdzil usuniecia, ONT zostaje na liscie / the "
                                                        "OLT did not confirm the delete, the ONT stays listed"));
        m_context.error(QStringLiteral("OLT nie usunal ONT / The OLT did not delete the ONT"),
                        QStringLiteral("ONT ") + rowPlace(m_deleteRecord)
                            + QStringLiteral(" zostaje na liscie. / The ONT stays in the list.\n\n"
                                             "Odpowiedz OLT / The OLT's answer:\n")
                            + result.problem);
    }
    Q_EMIT operationFinished();
}

// ---------------------------------------------------------------- reboot

bool EditOntController::reboot(const RebootTarget &t)
{
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return false;
    }
    if (busy() || m_adding.batchInProgress())
        return false;
    m_context.keepAlive();
    runBatch(core::rebootOntBatch(t.ponType, t.frame, t.slot, t.port, t.id), Phase::Rebooting);
    return true;
}

void EditOntController::endReboot(const core::BatchAnswers &answers)
{
    const core::OntActionResult result = core::judgeReboot(answers);
    if (!result.confirmed)
        m_context.error(QStringLiteral("Reboot nieudany / Reboot failed"),
                        QStringLiteral("OLT nie zrestartowal ONT. / The OLT did not reboot the ONT.\n\n"
                                       "Odpowiedz OLT / The OLT's answer:\n")
                            + result.problem);
    Q_EMIT rebootFinished(result.confirmed);
}

// ---------------------------------------------------------------- loading for editing

void EditOntController::editRow(int row)
{
    registry::OntList &list = m_context.list();
    if (!list.isValidRow(row))
        return;
    if (!m_context.isReady()) {
        m_context.notConnectedError();
        return;
    }
    if (refuseWhileBusy())
        return;
    const core::OntRecord record = list.record(row);
    if (core::isFreeRow(record)) {
        m_context.error(QStringLiteral("Wolny wiersz / Free row"),
                        QStringLiteral("Ten wiersz jest wolny (--WOLNY--): nie ma w nim ONT do edycji. Usun go albo "
                                       "dodaj nowy ONT.\n"
                                       "This row is free: it holds no ONT to edit. Delete it or add a new ONT."));
        return;
    }
    m_context.keepAlive();
    m_adding.clearAddForm();
    // The button comes back when the ONT is loaded, not on the clearing's timer:
    // a save before the OLT has told the profiles would compare with "-".
    m_adding.reenableTimer().stop();
    m_form.setAddEnabled(false);

    const core::EditLoad load = core::editLoadOf(record, m_form.values());
    m_form.loadForEdit(row, load.values);
    m_editRow = row;
    m_editRecord = record;
    m_loaded = load.values;
    m_nativeUnknown = load.nativeUnknown;
    if (load.profilesUnknown) {
        m_loading = true;
        const QString type = load.values.epon() ? QStringLiteral("epon") : QStringLiteral("gpon");
        m_context.session().send(
            {PacedLine::send(QStringLiteral("config"), timing::kOntLineWaitMs, true),
             PacedLine::send(QStringLiteral("interface ") + type + u' ' + record.frame + u'/' + record.slot,
                             timing::kEditInterfaceWaitMs, true),
             PacedLine::send(QStringLiteral("display ont info ") + record.port + u' ' + record.ontId, 0, true)});
        m_context.engine().arm(MainStep::kEditOntInfo);
    } else if (load.anyNativeUnknown()) {
        m_loading = true;
        askNativeFlags();
    } else {
        finishLoad();
    }
}

void EditOntController::onEditInfo(const QString &listing)
{
    if (!m_loading)
        return;
    const core::OntInfo info = core::parseOntInfo(listing);
    m_context.session().send({PacedLine::send(QStringLiteral("quit"), timing::kOntLineWaitMs, true)});
    if (!info.lineProfile.isEmpty()) {
        m_loaded.lineProfile = info.lineProfile;
        m_form.setFieldText({core::Field::LineProfile}, info.lineProfile);
    }
    if (!info.serviceProfile.isEmpty()) {
        m_loaded.srvProfile = info.serviceProfile;
        m_form.setFieldText({core::Field::SrvProfile}, info.serviceProfile);
    }
    bool any = false;
    for (size_t i = 0; i < m_nativeUnknown.size(); ++i)
        any = any || m_nativeUnknown[i];
    if (any)
        askNativeFlags();
    else
        finishLoad();
}

void EditOntController::askNativeFlags()
{
    core::CommandBatch b;
    for (size_t i = 0; i < m_nativeUnknown.size(); ++i) {
        if (m_nativeUnknown[i])
            b.append(PacedLine::send(QStringLiteral("display service-port ") + m_loaded.rows[i].serviceport,
                                     timing::kOntLineWaitMs, b.isEmpty()));
    }
    m_context.session().send(b);
    m_context.engine().arm(MainStep::kEditNativeFlags);
}

void EditOntController::onNativeFlags(const QString &listing)
{
    if (!m_loading)
        return;
    const QHash<QString, bool> flags = core::nativeFlagsFromServicePorts(listing);
    for (size_t i = 0; i < m_nativeUnknown.size(); ++i) {
        const auto it = flags.find(m_loaded.rows[i].serviceport);
        if (!m_nativeUnknown[i] || it == flags.end())
            continue;
        m_loaded.rows[i].native_ = *it;
        m_form.setNativeVlan(int(i), *it);
    }
    finishLoad();
}

void EditOntController::finishLoad()
{
    m_loading = false;
    // Cancelled while the OLT was being asked: the form is no longer this ONT's.
    if (m_form.editedRowIndex() != m_editRow)
        return;
    m_form.setAddEnabled(true);
}

// ---------------------------------------------------------------- saving an edited ONT

void EditOntController::saveEdited(const core::AddOntValues &f, bool siblingRequest)
{
    registry::OntList &list = m_context.list();
    if (m_loading || busy())
        return;
    const int row = rowOf(m_editRecord, m_form.editedRowIndex());
    if (row < 0) {
        m_context.error(kEditModeCaption,
                        QStringLiteral("Edytowanego ONT nie ma juz na liscie; nic nie zostalo wyslane.\n"
                                       "The edited ONT is no longer in the list; nothing was sent."));
        endEdit();
        return;
    }
    m_editRow = row;
    const core::OntRecord record = list.record(row);
    const core::OntChange change = core::decideOntChange(record, m_loaded, f);
    switch (change.kind) {
    case core::OntChange::Kind::Nothing:
        endEdit();
        return;
    case core::OntChange::Kind::LocalOnly:
        list.setRecord(row, core::changedOntRow(record, f));
        list.save();
        endEdit();
        return;
    case core::OntChange::Kind::Refused:
        m_context.error(QStringLiteral("Zmiana odrzucona / Change refused"), change.refusal);
        m_form.setAddEnabled(true);
        return;
    case core::OntChange::Kind::InPlace:
    case core::OntChange::Kind::Recreate:
        break;
    }

    m_context.keepAlive();
    if (const auto d = core::findDuplicate(list.rows(), row, f)) {
        if (!siblingRequest)
            m_context.error(core::duplicateCaption(d->kind),
                            core::duplicateText(d->kind, list.rows()[size_t(d->row)], f));
        return;
    }
    m_pressed = f;
    m_flags = change.flags;
    m_form.setLocked(true);
    if (change.kind == core::OntChange::Kind::InPlace)
        runBatch(core::ontChangeBatch(f, change.flags), Phase::Changing);
    else
        runBatch(core::deleteOntBatch(record), Phase::DeletingForRecreate);
}

void EditOntController::endChange(const core::BatchAnswers &answers)
{
    registry::OntList &list = m_context.list();
    const core::OntChangeFlags confirmed = core::confirmedChanges(m_pressed, m_flags, answers);
    core::OntChangeFlags notConfirmed;
    notConfirmed.name = m_flags.name && !confirmed.name;
    notConfirmed.catv = m_flags.catv && !confirmed.catv;
    notConfirmed.serial = m_flags.serial && !confirmed.serial;
    notConfirmed.lineProfile = m_flags.lineProfile && !confirmed.lineProfile;
    notConfirmed.srvProfile = m_flags.srvProfile && !confirmed.srvProfile;
    notConfirmed.active = m_flags.active && !confirmed.active;

    const int row = rowOf(m_editRecord, m_editRow);
    if (row >= 0) {
        list.setRecord(row, core::changedOntRow(list.record(row), m_pressed, notConfirmed));
        list.save();
    }
    if (!notConfirmed.any()) {
        endEdit();
        return;
    }
    // What the OLT took is now the ONT's: a second press sends only the rest.
    if (row >= 0)
        m_editRecord = list.record(row);
    if (confirmed.name) m_loaded.name = m_pressed.name;
    if (confirmed.catv) { m_loaded.catv = m_pressed.catv; m_loaded.catvPort = m_pressed.catvPort; }
    if (confirmed.serial) m_loaded.mac = m_pressed.mac;
    if (confirmed.lineProfile) m_loaded.lineProfile = m_pressed.lineProfile;
    if (confirmed.srvProfile) m_loaded.srvProfile = m_pressed.srvProfile;
    if (confirmed.active) m_loaded.active = m_pressed.active;
    m_context.error(QStringLiteral("OLT nie przyjal zmian / The OLT did not take the change"),
                    QStringLiteral("ONT ") + placeText(m_pressed)
                        + QStringLiteral(": na liscie zapisano tylko zmiany przyjete przez OLT.\n"
                                         "Only the changes the OLT took were written to the list.\n\n")
                        + core::batchProblems(answers));
    keepEditing();
}

void EditOntController::afterDeleteForRecreate(const core::BatchAnswers &answers)
{
    const core::OntActionResult result = core::judgeDelete(answers);
    if (!result.confirmed) {
        m_context.error(QStringLiteral("OLT nie usunal ONT / The OLT did not delete the ONT"),
                        QStringLiteral("Zmiana ONT ") + placeText(m_loaded)
                            + QStringLiteral(" nie zostala wykonana; ONT i wiersz listy sa bez zmian.\n"
                                             "The change was not made; the ONT and its list row are unchanged.\n\n"
                                             "Odpowiedz OLT / The OLT's answer:\n")
                            + result.problem);
        keepEditing();
        return;
    }
    // The ONT is gone from the OLT; the row keeps the old values until the add is confirmed.
    m_newOntOnOlt = false;
    runBatch(addBatchOf(m_pressed), Phase::AddingNew);
}

void EditOntController::afterAddNew(const core::BatchAnswers &answers)
{
    registry::OntList &list = m_context.list();
    const core::AddResult result = core::judgeAdd(answers);
    const int row = rowOf(m_editRecord, m_editRow);
    if (result.complete) {
        if (row >= 0) {
            list.markIncomplete(row, QString());
            list.setRecord(row, core::changedOntRow(list.record(row), m_pressed));
            list.save();
        }
        endEdit();
        return;
    }

    m_newOntOnOlt = result.ontAdded;
    m_failure = result.problem;
    const QString note = QStringLiteral("Zmiana nieudana: ONT usuniety z OLT i nie dodany ponownie w calosci / The "
                                        "change failed: the ONT was deleted from the OLT and not added again whole\n")
        + result.problem;
    if (row >= 0)
        list.markIncomplete(row, note);
    m_context.session().appendLine(QStringLiteral("[+] Dodaj ") + placeText(m_pressed) + QStringLiteral(": ")
                                   + note.section(u'\n', 0, 0));
    const QString text = QStringLiteral("ONT ") + placeText(m_loaded)
        + QStringLiteral(" zostal usuniety z OLT, a OLT nie przyjal go ponownie z nowymi ustawieniami. Wiersz listy "
                         "zachowuje stare ustawienia i jest oznaczony.\n"
                         "The ONT was deleted from the OLT and the OLT did not take it back with the new settings. "
                         "The list row keeps the old settings and is marked.\n\n"
                         "Odpowiedz OLT / The OLT's answer:\n")
        + result.problem;
    if (!m_context.isReady()) {
        m_context.error(QStringLiteral("Zmiana ONT nieudana / The change failed"),
                        text + QStringLiteral("\n\nBrak polaczenia z OLT: odtworz ONT po ponownym polaczeniu.\n"
                                              "No connection to the OLT: re-create the ONT once connected again."));
        endEdit();
        return;
    }
    if (!m_context.askYes(QStringLiteral("Zmiana ONT nieudana / The change failed"),
                          text + QStringLiteral("\n\nOdtworzyc ONT ze starymi ustawieniami?\n"
                                                "Re-create the ONT with its old settings?"))) {
        endEdit();
        return;
    }
    if (m_newOntOnOlt) {
        // The half-added ONT holds the place or the identity the old one needs.
        core::OntRecord added = core::addedOntRow(m_pressed);
        runBatch(core::deleteOntBatch(added), Phase::RemovingNew);
    } else {
        runBatch(addBatchOf(m_loaded), Phase::Restoring);
    }
}

void EditOntController::afterRemoveNew(const core::BatchAnswers &answers)
{
    const core::OntActionResult result = core::judgeDelete(answers);
    if (!result.confirmed) {
        m_context.error(QStringLiteral("Odtworzenie ONT nieudane / Re-creating the ONT failed"),
                        QStringLiteral("OLT nie usunal czesciowo dodanego ONT ") + placeText(m_pressed)
                            + QStringLiteral("; ONT nie zostal odtworzony.\n"
                                             "The OLT did not delete the partly added ONT; the ONT was not re-created.\n\n")
                            + result.problem);
        endEdit();
        return;
    }
    runBatch(addBatchOf(m_loaded), Phase::Restoring);
}

void EditOntController::afterRestore(const core::BatchAnswers &answers)
{
    registry::OntList &list = m_context.list();
    const core::AddResult result = core::judgeAdd(answers);
    const int row = rowOf(m_editRecord, m_editRow);
    if (result.complete) {
        if (row >= 0)
            list.markIncomplete(row, QString());
        m_context.information(QStringLiteral("ONT odtworzony / ONT re-created"),
                              QStringLiteral("ONT ") + placeText(m_loaded)
                                  + QStringLiteral(" zostal odtworzony ze starymi ustawieniami.\n"
                                                   "The ONT was re-created with its old settings."));
    } else {
        if (row >= 0)
            list.markIncomplete(row, QStringLiteral("Odtworzenie nieudane / Re-creating failed\n") + result.problem);
        m_context.error(QStringLiteral("Odtworzenie ONT nieudane / Re-creating the ONT failed"),
                        QStringLiteral("OLT nie przyjal ONT ") + placeText(m_loaded)
                            + QStringLiteral(" ze starymi ustawieniami.\nThe OLT did not take the ONT with its old "
                                             "settings.\n\n")
                            + result.problem);
    }
    endEdit();
}

void EditOntController::endEdit()
{
    m_form.setLocked(false);
    m_adding.clearAddForm();
    Q_EMIT operationFinished();
}

void EditOntController::keepEditing()
{
    // The form keeps the operator's values for another try.
    m_form.setLocked(false);
    m_form.setAddEnabled(true);
    Q_EMIT operationFinished();
}

} // namespace tervix::provisioning
