#pragma once

#include "core/add_ont_batch.h"
#include "core/batch_answers.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tervix::provisioning {

class AddFormView;
class ControllerContext;

// "[+] Dodaj" in add mode: the form's checks, the refusal of a place or
// MAC/SN the list holds already, the GPON or EPON batch, and once the OLT
// has answered it the new list row, the save and the clearing of the form.
//
// A batch is handed to the session's pacer whole; the window stays live while
// it is typed. Once the last line is typed and the OLT has fallen quiet, its
// answers are judged (core::checkBatchAnswers on the receive buffer):
// - the ONT is listed and saved only when the OLT accepted its "ont add"
//   (and the lines that lead to it) and answered every line;
// - a refused "ont add" lists and saves nothing, and the operator gets the
//   OLT's reason; a line without an answer (dropped, or the output cut) lists
//   nothing either, and the operator is told which lines were not confirmed;
// - a later line refused (a service port, a native VLAN) is reported, and the
//   ONT, which the OLT does hold, is listed with the list's incomplete mark.
// A press while a batch is being typed or judged does nothing.
class AddOntController : public QObject
{
    Q_OBJECT
public:
    AddOntController(ControllerContext &context, AddFormView &form, QObject *parent = nullptr);

    void addOrSave();
    void cancelEdit();
    void clearAddForm();
    void reenableAddButton();
    QTimer &reenableTimer() { return m_reenable; }
    // The sibling-request flag: the duplicate refusal of the next add shows
    // no box. It holds for that one add: every way the add ends clears it, and
    // so does clearing the form.
    void setSiblingRequest(bool on) { m_siblingRequest = on; }
    bool siblingRequest() const { return m_siblingRequest || m_siblingAwaitsId; }
    // An add the sibling program asked for goes ahead as soon as its id is known.
    void onOntIdProposed();
    // An add batch is being typed, or its answers are awaited.
    bool batchInProgress() const { return m_batchInProgress; }

Q_SIGNALS:
    // An add was refused because the list holds its place or MAC/SN already.
    void duplicateRefused();
    // The form left the service ports or the id to the OLT.
    void servicePortsNeeded();
    void ontIdNeeded();
    // The OLT authorised the ONT and its row is in the list (marked
    // incomplete when the OLT refused some of the rest of the batch).
    void ontListed(const QString &serialOrMac);
    // "[+] Dodaj" in edit mode passed the form's checks: the edited ONT is to
    // be saved with these values.
    void editSaveRequested(const core::AddOntValues &values, bool siblingRequest);

private:
    void judgeAnswers();
    // Judges the batch by the OLT's answers in output.
    void judgeAnswers(const QString &output);
    void listOnt(const core::AddOntValues &f, const QString &incompleteNote);
    void refuseAdd(const core::AddOntValues &f, const core::LineAnswer &refused);
    void leaveUnconfirmed(const core::AddOntValues &f, const core::BatchAnswers &answers);
    void endWithoutListing();
    void abandonAdd();
    void onPacerIdle();

    ControllerContext &m_context;
    AddFormView &m_form;
    QTimer m_reenable;
    bool m_siblingRequest = false;
    // A sibling request waits for the OLT to propose the ONT's id.
    bool m_siblingAwaitsId = false;
    bool m_batchInProgress = false;
    // The batch has been typed whole; its answers are judged at the next step.
    bool m_awaitingAnswers = false;
    core::AddOntValues m_sent;
    QStringList m_typed;
};

} // namespace tervix::provisioning
