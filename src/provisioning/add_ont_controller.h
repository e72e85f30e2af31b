#pragma once

#include "core/add_ont_batch.h"

#include <QObject>
#include <QTimer>

namespace tervix::provisioning {

class AddFormView;
class ControllerContext;

// "[+] Dodaj" in add mode: the form's checks, the refusal of a place or
// MAC/SN the list holds already, the GPON or EPON batch, and once it went
// out whole the new list row, the save and the clearing of the form.
//
// A batch is handed to the session's pacer whole; the window stays live while
// it is typed. The new list row, the save and the clearing of the form follow
// once the pacer has typed the last line, and only when every line went out
// (a line dropped mid-batch leaves the ONT unlisted). A press while a batch is
// being typed does nothing.
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
    // The sibling-request flag: duplicate refusals show no box while it is set.
    void setSiblingRequest(bool on) { m_siblingRequest = on; }
    bool siblingRequest() const { return m_siblingRequest; }
    // An add the sibling program asked for goes ahead as soon as its id is known.
    void onOntIdProposed();
    // An add batch is being typed.
    bool batchInProgress() const { return m_batchInProgress; }

Q_SIGNALS:
    // An add was refused because the list holds its place or MAC/SN already.
    void duplicateRefused();
    // The form left the service ports or the id to the OLT.
    void servicePortsNeeded();
    void ontIdNeeded();
    // The ONT's batch went out whole and its row is in the list.
    void ontListed(const QString &serialOrMac);

private:
    void finishAdd(const core::AddOntValues &f);
    void abandonAdd();
    void onPacerIdle();

    ControllerContext &m_context;
    AddFormView &m_form;
    QTimer m_reenable;
    bool m_siblingRequest = false;
    bool m_batchInProgress = false;
};

} // namespace tervix::provisioning
