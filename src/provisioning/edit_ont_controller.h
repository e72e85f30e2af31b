#pragma once

#include "core/add_ont_batch.h"
#include "core/batch_answers.h"
#include "core/command_batch.h"
#include "core/ont_change.h"
#include "core/ont_record.h"

#include <QObject>
#include <QStringList>

#include <array>

namespace tervix::provisioning {

class AddFormView;
class AddOntController;
class ControllerContext;

// An authorised ONT after its add: delete it ("Usun"), reboot it (the
// diagnosis panel), load it into the form ("Edytuj") and save what the
// operator changed there ("[+] Dodaj" in edit mode).
//
// Every batch that changes the OLT is judged by the OLT's answers
// (core::checkBatchAnswers) once it has been typed and the OLT is quiet, or at
// once when the line drops: the list changes only by what the OLT confirmed.
// - A delete frees the row only when the OLT confirmed "ont delete".
// - A change made in place rewrites only the values whose lines were accepted.
// - A change of place, id, type or service ports deletes the ONT and adds it
//   again with the values of the press. The row keeps the old values until
//   the OLT has accepted the whole add; otherwise the row is marked, the
//   operator gets the OLT's answer and is offered to re-create the ONT with
//   its old values.
// While a change runs the form is locked: the second step works from the
// values the operator pressed, not from whatever the form shows by then.
class EditOntController : public QObject
{
    Q_OBJECT
public:
    EditOntController(ControllerContext &context, AddFormView &form, AddOntController &adding,
                      QObject *parent = nullptr);

    // "Usun" on a list row.
    void deleteRow(int row);
    // "Edytuj" on a list row.
    void editRow(int row);
    // "[+] Dodaj" in edit mode, after the form's checks.
    void saveEdited(const core::AddOntValues &values, bool siblingRequest);

    struct RebootTarget
    {
        QString ponType; // "gpon" or "epon"
        QString frame, slot, port, id;
    };
    // "Reboot koncowki": false when nothing was sent (no session, or another
    // batch of this controller still runs); rebootFinished follows otherwise.
    bool reboot(const RebootTarget &target);

    // A batch of this controller is being typed or judged.
    bool busy() const { return m_phase != Phase::Idle; }
    // The OLT is being asked about the ONT being loaded for editing.
    bool loading() const { return m_loading; }

Q_SIGNALS:
    void rebootFinished(bool confirmed);
    // A delete, a change or a re-creation ended, whichever way.
    void operationFinished();

private:
    enum class Phase {
        Idle,
        Deleting,
        Rebooting,
        Changing,             // in place
        DeletingForRecreate,  // the old place goes first
        AddingNew,            // then the new values
        RemovingNew,          // re-creating: a half-added new ONT goes
        Restoring,            // re-creating: the old values come back
    };

    void runBatch(const core::CommandBatch &batch, Phase phase);
    void judgeLater(quint64 batch);
    void judgeLater(quint64 batch, const QString &output);
    void judge(quint64 batch);
    // Judges a batch by the OLT's answers in output.
    void judge(quint64 batch, const QString &output);
    void endDelete(const core::BatchAnswers &answers);
    void endReboot(const core::BatchAnswers &answers);
    void endChange(const core::BatchAnswers &answers);
    void afterDeleteForRecreate(const core::BatchAnswers &answers);
    void afterAddNew(const core::BatchAnswers &answers);
    void afterRemoveNew(const core::BatchAnswers &answers);
    void afterRestore(const core::BatchAnswers &answers);
    void endEdit();
    void keepEditing();
    bool refuseWhileBusy();
    // The row of the record now: rows may have moved since it was read.
    int rowOf(const core::OntRecord &record, int hint) const;
    QString placeText(const core::AddOntValues &f) const;

    void onEditInfo(const QString &listing);
    void onNativeFlags(const QString &listing);
    void askNativeFlags();
    void finishLoad();

    ControllerContext &m_context;
    AddFormView &m_form;
    AddOntController &m_adding;

    Phase m_phase = Phase::Idle;
    quint64 m_batch = 0;
    bool m_awaiting = false;
    QStringList m_typed;

    // The row being deleted.
    int m_deleteRow = -1;
    core::OntRecord m_deleteRecord;

    // The ONT loaded for editing: its row as read, and the values it had
    // (with what the OLT told about it), against which a save is compared.
    bool m_loading = false;
    int m_editRow = -1;
    core::OntRecord m_editRecord;
    core::AddOntValues m_loaded;
    std::array<bool, 4> m_nativeUnknown{};

    // The change on its way: the values pressed and what they change.
    core::AddOntValues m_pressed;
    core::OntChangeFlags m_flags;
    bool m_newOntOnOlt = false;
    QString m_failure;
};

} // namespace tervix::provisioning
