#pragma once

#include "core/ont_info.h"
#include "session/step_engine.h"

#include <QObject>
#include <QString>

namespace tervix::provisioning {
class ControllerContext;
}

namespace tervix::registry {

// Everything the OLT knows about one ONT, asked over the main session in one
// run: "display ont info" (state, distance, times, profiles), then its
// service ports, its learned MAC addresses and its optical levels, each
// answer read once the OLT has fallen quiet. One run at a time; the panel
// shows what the signals carry.
//
// A run always ends: with the levels, with an error the panel shows (the
// optical listing never completed, the line dropped, another request took
// the engine's slot), and the refresh button is usable again either way.
class OntInfoController : public QObject
{
    Q_OBJECT
public:
    // The ONT a run is about, as the list row names it.
    struct Target
    {
        QString frame;
        QString slot;
        QString port;
        QString id;
        QString ponType; // "gpon" or "epon"
        QString name;
    };

    explicit OntInfoController(provisioning::ControllerContext &context, QObject *parent = nullptr);

    // "Diagnozuj / Info / Reboot" on a list row: a run for that ONT.
    void start(const Target &target);
    // "Odswiez": a new run for the ONT shown.
    void refresh();
    bool running() const { return m_phase != Phase::Idle; }
    const Target &target() const { return m_target; }

    // The run's place in its four answers, for the progress gauge (0 to 4).
    int progress() const { return m_progress; }

Q_SIGNALS:
    // A run for a new ONT begins: the panel shows it with every value unknown.
    void started(const tervix::registry::OntInfoController::Target &target);
    // A refresh of the ONT shown begins: the values stay until replaced.
    void refreshStarted();
    void infoRead(const tervix::core::OntInfo &info);
    void diagnosisRead(const tervix::core::OntDiagnosis &diagnosis);
    void progressChanged(int progress);
    // The run ended without its levels; the reason is for the panel.
    void failed(const QString &reason);
    void refreshEnabledChanged(bool enabled);

private:
    enum class Phase { Idle, Info, ServicePorts, Macs, Optics };

    void begin();
    session::StepEngine::Outcome stepInfo();
    session::StepEngine::Outcome stepDiagnosis();
    void end();
    void fail(const QString &reason);
    void setProgress(int progress);
    QString interfaceLine() const;
    QString placeText() const; // "frame/slot/port"

    provisioning::ControllerContext &m_context;
    Target m_target;
    Phase m_phase = Phase::Idle;
    int m_progress = 0;
    QString m_joined;      // the answers of the phases so far, with their markers
    int m_opticsLooks = 0;
};

} // namespace tervix::registry
