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
// over as many 16-port GPON boards as needed (64 ONTs a port up to 8192 ONTs,
// 128 above; 5 % of them, at most 512, on an 8-port EPON board), with a
// service port each, a few autofind ONTs and profiles. 1000 ONTs fill 15 GPON
// ports and one EPON port.
QJsonObject generateScenario(int onts, quint32 seed = 7);

// The receive levels the generator gives ONT number n (counted over the whole
// site, GPON ONTs first, in place order), against the console's default
// thresholds (ONT -28 dBm, OLT -29 dBm, bad within 3 dB above):
//   Offline   n % 25 == 7   not online (4 %)
//   Critical  n % 25 == 11  ONT Rx -28.60..-31.00, OLT Rx -27.00..-32.00 (4 %)
//   Bad       n % 10 == 3   one level weak: ONT Rx -25.60..-27.40 (n / 10 even)
//                           or OLT Rx -26.60..-28.40 (n / 10 odd), the other good (10 %)
//   Good      the rest      ONT Rx -15.00..-24.40, OLT Rx -14.00..-25.40
// The bounds stay clear of the thresholds after rounding to whole dBm.
enum class GeneratedSignal { Good, Bad, Critical, Offline };
GeneratedSignal generatedSignal(int n);

} // namespace oltsim
