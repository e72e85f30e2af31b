#pragma once

#include "core/add_ont_batch.h"
#include "core/profiles_parser.h"

#include <QList>
#include <QObject>

namespace tervix::provisioning {

class AddFormView;
class ControllerContext;

// What the OLT proposes for the form: the next free ONT id of the form's
// port, the four free service ports, and its line and service profiles to
// pick from. The place is checked before it goes onto a command line.
class ProposalController : public QObject
{
    Q_OBJECT
public:
    ProposalController(ControllerContext &context, AddFormView &form, QObject *parent = nullptr);

    // The operator's "A*": a missing session is told, the place checked.
    void askForOntId();
    // The id after the service ports, when the form is in add mode.
    void askForOntIdQuick();
    void askForServicePorts();
    void showLineProfiles();
    void showServiceProfiles();
    void proposeOntId(const QString &listing);
    void proposeServicePorts(const QString &answer);
    void parseProfiles(const QString &listing, core::ProfileKind kind);
    int highestServicePort() const;

Q_SIGNALS:
    // The id went into the form.
    void ontIdProposed();
    // The OLT's profiles of one kind, with the caption of the box that lists them.
    void profilesListed(tervix::core::ProfileKind kind, const QList<tervix::core::OltProfile> &profiles,
                        const QString &caption);

private:
    void registerSteps();
    bool checkDigit(core::Field field, const QString &text, bool resetColour);
    // Frame, slot and port go onto the command line of the id request too.
    bool checkPlaceNumbers();
    bool checkPlace(bool resetFrameColour);
    // Lists the ONTs of the form's port, for the id proposal.
    void askForPortOnts();

    ControllerContext &m_context;
    AddFormView &m_form;
};

} // namespace tervix::provisioning
