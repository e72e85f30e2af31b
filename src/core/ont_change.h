#pragma once

#include "core/add_ont_batch.h"
#include "core/batch_answers.h"
#include "core/command_batch.h"
#include "core/ont_record.h"

#include <QHash>
#include <QString>

#include <array>

namespace tervix::core {

// ---- Deleting and rebooting -------------------------------------------------

// A row the list keeps after its ONT was deleted: type "-", name "--WOLNY--".
bool isFreeRow(const OntRecord &row);
// The row as it stays after its ONT was deleted: its place and identity go,
// its service-port field stays (its numbers still count as taken).
OntRecord freedOntRow(OntRecord row);

// "gpon" for a type text holding "G.", else "epon".
QString interfaceType(const QString &ponTypeText);

// Removes the ONT's service ports and the ONT. Empty for a free row.
CommandBatch deleteOntBatch(const OntRecord &row);
// Resets the ONT; ponType is "gpon" or "epon".
CommandBatch rebootOntBatch(const QString &ponType, const QString &frame, const QString &slot, const QString &port,
                            const QString &ontId);

// How the OLT took a batch that removes or resets one ONT, judged by the line
// that does it: the ONT is gone (or reset) only when that line, and for a reset
// the confirmation after it, were accepted.
struct OntActionResult
{
    bool confirmed = false;
    // The OLT's refusal, or the lines it never answered; empty when confirmed.
    QString problem;
};
// Every refused line with the OLT's reason and every line it never answered
// (confirmations aside), one to a line, for the operator.
QString batchProblems(const BatchAnswers &answers);
OntActionResult judgeDelete(const BatchAnswers &answers);
OntActionResult judgeReboot(const BatchAnswers &answers);
// An add batch counts only when every line of it was accepted: the ONT and
// all of its service ports are on the OLT. ontAdded tells whether at least
// the ONT itself is there.
struct AddResult
{
    bool complete = false;
    bool ontAdded = false;
    QString problem;
};
AddResult judgeAdd(const BatchAnswers &answers);

// ---- Loading an ONT into the form -------------------------------------------

struct EditLoad
{
    AddOntValues values;
    // The list does not know the profiles ("-", as the import writes them).
    bool profilesUnknown = false;
    // Rows whose native flag the list does not know ("?").
    std::array<bool, 4> nativeUnknown{};
    bool anyNativeUnknown() const { return nativeUnknown[0] || nativeUnknown[1] || nativeUnknown[2] || nativeUnknown[3]; }
};
// The form's values for editing row, starting from what the form holds
// (texts the row does not carry, such as a GEM port "-", keep the form's).
EditLoad editLoadOf(const OntRecord &row, const AddOntValues &form);

// The native flags of the service ports in answers to "display service-port N":
// index -> tag-transform transparent.
QHash<QString, bool> nativeFlagsFromServicePorts(const QString &answers);

// ---- Saving an edited ONT ---------------------------------------------------

// What the OLT must be told about an edited ONT.
struct OntChangeFlags
{
    bool name = false;
    bool catv = false;
    bool serial = false;
    bool lineProfile = false;
    bool srvProfile = false;
    bool active = false;
    bool any() const { return name || catv || serial || lineProfile || srvProfile || active; }
    friend bool operator==(const OntChangeFlags &, const OntChangeFlags &) = default;
};

struct OntChange
{
    enum class Kind {
        Nothing,   // the form says what the list says: only the form is cleared
        LocalOnly, // only the list changes (subscriber id, or the row's texts brought to the form's form)
        InPlace,   // "ont modify" and friends on the ONT where it is
        Recreate,  // place, id, type or service ports change: delete and add again
        Refused,   // a change the console will not make; refusal says why
    };
    Kind kind = Kind::Nothing;
    OntChangeFlags flags;
    QString refusal;
};

// loaded: the form's values as the load left them (the row with what the OLT
// told about it); form: the values the operator saves. Service ports are
// compared by what they mean (enabled rows' numbers and flags), not by the
// stored text, so a row the import wrote does not read as changed.
OntChange decideOntChange(const OntRecord &row, const AddOntValues &loaded, const AddOntValues &form);

// The in-place lines for the flags. Every line is answered on its own.
CommandBatch ontChangeBatch(const AddOntValues &form, const OntChangeFlags &flags);
// The flags whose lines the OLT accepted.
OntChangeFlags confirmedChanges(const AddOntValues &form, const OntChangeFlags &flags, const BatchAnswers &answers);
// The row rewritten with the form's values, but for the values of keepOld
// (changes the OLT did not confirm), which stay as the row had them.
OntRecord changedOntRow(const OntRecord &row, const AddOntValues &form, const OntChangeFlags &keepOld);
// The row rewritten with every value of the form.
OntRecord changedOntRow(const OntRecord &row, const AddOntValues &form);

// The number of groups of a stored service-port field.
int servicePortGroupCount(const QString &stored);

// "ont modify P ID desc "NAME"": the name quoted as the add quotes it.
QString renameLine(const AddOntValues &f);

} // namespace tervix::core
