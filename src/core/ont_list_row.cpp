#include "core/ont_list_row.h"

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

BasicCells basicCellsFor(const AdvancedCells &advanced, const QString &rowIndex, const QString &thirdLine)
{
    BasicCells b;
    b[BasicColumn::RowIndex] = rowIndex;
    b[BasicColumn::Signal] = signalCellBeforeScan(advanced[Column::PonType]);
    b[BasicColumn::Port] = placeCell(advanced[Column::Frame], advanced[Column::Slot], advanced[Column::Port], advanced[Column::OntId]);
    b[BasicColumn::Name] = nameCell(advanced[Column::Name], advanced[Column::SerialOrMac], thirdLine);
    b[BasicColumn::ServicePorts] = advanced[Column::ServicePorts];
    b[BasicColumn::Active] = advanced[Column::Active];
    return b;
}

} // namespace tervix::core
