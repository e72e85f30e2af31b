#pragma once

#include "core/add_ont_batch.h"
#include "core/profiles_parser.h"

#include <QString>

namespace tervix::provisioning {

// The add/edit form as the controllers see it: they read its values and
// show their proposals, checks and clearing through it. AddOntForm
// implements it; a controller never touches the form's widgets.
class AddFormView
{
public:
    static constexpr int kErrorColour = 9934847;     // light red: a check failed
    static constexpr int kProposalColour = 11927477; // light green: a proposed value

    virtual ~AddFormView() = default;

    // The form's values as the checks, batches and list row take them.
    virtual core::AddOntValues values() const = 0;
    // The type as the type box shows it (the profile box's caption uses it).
    virtual QString ponTypeText() const = 0;
    // -1 in add mode, the edited row's index in edit mode.
    virtual int editedRowIndex() const = 0;

    // Selects a type and runs the type change, as choosing it does.
    virtual void setPonType(int index) = 0;
    virtual void setFieldText(core::FieldRef field, const QString &text) = 0;
    // Field colours (BGR); a reset field shows the window's colour again.
    virtual void paintField(core::FieldRef field, int bgr) = 0;
    virtual void resetFieldColour(core::FieldRef field) = 0;
    // 0: the ONT is added active.
    virtual void setActiveState(int index) = 0;
    virtual void focusName() = 0;
    // Back to add mode for the next ONT: id, service ports, MAC/SN, CATV,
    // subscriber id and the row flags go back to their defaults; the place,
    // name, type and profiles stay.
    virtual void clearForNextOnt() = 0;
    virtual void setAddEnabled(bool enabled) = 0;
    virtual void setProfilesButtonEnabled(core::ProfileKind kind, bool enabled) = 0;

    // Editing an authorised ONT. A form that only adds ignores these.
    // Shows values and enters edit mode for row (editedRowIndex gives it back).
    virtual void loadForEdit(int row, const core::AddOntValues &values) { Q_UNUSED(row) Q_UNUSED(values) }
    // A service-port row's native flag, as the OLT reported it.
    virtual void setNativeVlan(int row, bool on) { Q_UNUSED(row) Q_UNUSED(on) }
    // While a change is on its way to the OLT the operator can change nothing
    // in the form, cancel included: the change works from the values pressed.
    virtual void setLocked(bool locked) { Q_UNUSED(locked) }
    // The "Wlacz", "Native" and "IGMP?" boxes of service-port row `row` (0-3).
    // A view without those boxes has nothing to set.
    virtual void setServicePortFlags(int /*row*/, bool /*enabled*/, bool /*nativeVlan*/, bool /*igmp*/) {}
};

} // namespace tervix::provisioning
