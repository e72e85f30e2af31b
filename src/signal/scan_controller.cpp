#include "signal/scan_controller.h"

#include "core/timing.h"
#include "registry/ont_list.h"
#include "session/trace_log.h"
#include "session/trace_tags.h"

namespace tervix::signal {

ScanController::ScanController(registry::OntList &list, QString appDir, session::TraceLog *trace, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_trace(trace)
    , m_session(timing::kExtraConnectionQuietMs)
    , m_engine(m_session, trace, session::TraceTag::kScanStep)
    , m_history(appDir)
    , m_appDir(std::move(appDir))
{
}

ScanController::~ScanController() = default;

void ScanController::startPass() {}
void ScanController::scanFrom(int) {}
void ScanController::stopRequest() {}
void ScanController::setFastStatus(bool on) { m_fastStatus = on; }
void ScanController::setMode(ScanMode mode) { m_mode = mode; }
void ScanController::setOntThreshold(int dbm) { m_thresholds.ontRx = core::clampThreshold(dbm); }
void ScanController::setOltThreshold(int dbm) { m_thresholds.oltRx = core::clampThreshold(dbm); }
void ScanController::afterWorkingLogin() {}

} // namespace tervix::signal
