#pragma once

#include "core/ont_record.h"
#include "olt_model.h"

namespace tervix::test {

// The console's list row of an ONT the simulated OLT holds, as an import
// would write it.
inline core::OntRecord listedOnt(const oltsim::Ont &o)
{
    core::OntRecord r;
    r.origin = QStringLiteral("-");
    r.ponType = o.epon ? QStringLiteral("E.PON") : QStringLiteral("G.PON");
    r.frame = QString::number(o.frame);
    r.slot = QString::number(o.slot);
    r.port = QString::number(o.port);
    r.ontId = QString::number(o.id);
    r.name = o.description;
    r.serialOrMac = o.sn;
    r.active = QStringLiteral("0");
    core::initBasicTexts(r, QString(), QString());
    return r;
}

} // namespace tervix::test
