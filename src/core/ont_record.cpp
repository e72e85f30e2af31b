#include "core/ont_record.h"

namespace tervix::core {

QString signalCellBeforeScan(const QString &ponType)
{
    return ponType + QStringLiteral("\nChecking signal..\nONT: ? OLT: ?");
}

QString placeCell(const QString &frame, const QString &slot, const QString &port, const QString &ontId)
{
    return QStringLiteral("OLT: ") + frame + QStringLiteral("\nSlot: ") + slot + u'/' + port
        + QStringLiteral("\nID: ") + ontId;
}

QString nameCell(const QString &name, const QString &serialOrMac, const QString &thirdLine)
{
    return name + QStringLiteral("\nSN: ") + serialOrMac + u'\n' + thirdLine;
}

void initBasicTexts(OntRecord &record, const QString &rowIndex, const QString &nameNote)
{
    record.rowIndex = rowIndex;
    record.nameNote = nameNote;
    record.signalCell = signalCellBeforeScan(record.ponType);
}

QString cellText(const OntRecord &r, Column::Id column)
{
    switch (column) {
    case Column::Origin: return r.origin;
    case Column::PonType: return r.ponType;
    case Column::Frame: return r.frame;
    case Column::Slot: return r.slot;
    case Column::Port: return r.port;
    case Column::OntId: return r.ontId;
    case Column::Name: return r.name;
    case Column::SerialOrMac: return r.serialOrMac;
    case Column::LineProfile: return r.lineProfile;
    case Column::ServiceProfile: return r.serviceProfile;
    case Column::ServicePorts: return r.servicePorts;
    case Column::Levels: return r.levels;
    case Column::Catv: return r.catv;
    case Column::SubscriberId: return r.subscriberId;
    case Column::Active: return r.active;
    case Column::Count: break;
    }
    return {};
}

QString cellText(const OntRecord &r, BasicColumn::Id column)
{
    switch (column) {
    case BasicColumn::Icon: return {};
    case BasicColumn::RowIndex: return r.rowIndex;
    case BasicColumn::Signal: return r.signalCell;
    case BasicColumn::Port: return placeCell(r.frame, r.slot, r.port, r.ontId);
    case BasicColumn::Name: return nameCell(r.name, r.serialOrMac, r.nameNote);
    case BasicColumn::ServicePorts: return r.servicePorts;
    case BasicColumn::SignalClass: return r.signalClass;
    case BasicColumn::BasicIndex: return r.basicIndex;
    // The delegate colours the whole basic row from this cell, so it must follow
    // the stored flag rather than keep a copy of its own.
    case BasicColumn::Active: return r.active;
    case BasicColumn::Count: break;
    }
    return {};
}

} // namespace tervix::core
