#include "signal/scan_list_model.h"

#include "signal/scan_controller.h"
#include "ui/ont_list_images.h"

#include <QIcon>

namespace tervix::signal {

ScanListModel::ScanListModel(const ScanController &controller, QObject *parent)
    : ScanListModel(controller.scanRows(), parent)
{
    connect(&controller, &ScanController::scanListRebuilt, this, &ScanListModel::rebuild);
    connect(&controller, &ScanController::scanRowChanged, this, &ScanListModel::rowChanged);
}

ScanListModel::ScanListModel(const QList<core::ScanRow> &rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
{
}

QStringList ScanListModel::headers()
{
    return {QStringLiteral("st"),         QStringLiteral("typ"),        QStringLiteral("b"),
            QStringLiteral("k"),          QStringLiteral("p"),          QStringLiteral("id"),
            QStringLiteral("Nazwa/Name"), QStringLiteral("rx ont/olt"), QStringLiteral("Data/Day"),
            QStringLiteral("OLT"),        QStringLiteral("Index")};
}

void ScanListModel::rebuild()
{
    // The rows have already been replaced by the time the list says so; the
    // views ask nothing between these two calls, so the reset is still whole.
    beginResetModel();
    endResetModel();
}

void ScanListModel::rowChanged(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int ScanListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ScanListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant ScanListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= ColumnCount)
        return {};
    const core::ScanRow &r = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole:
        switch (Column(index.column())) {
        case State: return QString();
        case PonType: return r.ponType;
        case Frame: return r.frame;
        case Slot: return r.slot;
        case Port: return r.port;
        case OntId: return r.ontId;
        case Name: return r.name;
        case Levels: return r.levels;
        case LastDay: return r.lastDay;
        case OltKey: return r.oltKey;
        case SourceRow: return QString::number(r.sourceRow);
        case ColumnCount: break;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == State)
            return ui::rowImageIcon(r.image);
        return {};
    case ImageRole:
        return r.image;
    default:
        return {};
    }
}

QVariant ScanListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers().value(section);
}

CriticalRowsModel::CriticalRowsModel(const ScanController &controller, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(controller.criticalRows())
{
    connect(&controller, &ScanController::criticalRowsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

QStringList CriticalRowsModel::headers()
{
    return {QStringLiteral("F/S/P/ID"), QStringLiteral("Nazwa/Name"), QStringLiteral("rx ont/olt"),
            QStringLiteral("D.")};
}

int CriticalRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CriticalRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(ColumnCount);
}

QVariant CriticalRowsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_rows.size())
        return {};
    const CriticalRow &r = m_rows[index.row()];
    switch (Column(index.column())) {
    case Place: return r.place;
    case Name: return r.name;
    case Levels: return r.levels;
    case Note: return QString();
    case ColumnCount: break;
    }
    return {};
}

QVariant CriticalRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers().value(section);
}

} // namespace tervix::signal
