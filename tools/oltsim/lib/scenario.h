#pragma once

#include "olt_core.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace oltsim {

// Seeds an OLT from a scenario (JSON, format in tools/oltsim/README.md).
// Returns an empty string on success, else what is wrong (nothing thrown).
// Relative folders in the scenario are taken from baseDir.
QString loadScenario(const QByteArray &json, const QString &baseDir, OltModel &model, Settings &settings, Faults &faults);

// A large site for benchmarks and load tests: `onts` authorised ONTs spread
// over as many 16-port GPON boards as needed (64 ONTs a port, 8 EPON ONTs on
// an EPON board), with service ports, a few autofind ONTs and profiles.
QJsonObject generateScenario(int onts, quint32 seed = 7);

} // namespace oltsim
