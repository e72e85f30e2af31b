#pragma once

#include "core/scan_list.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace tervix::signal {

class ScanController;
struct CriticalRow;

// The scanning window's list: one row per ONT a pass reads, read straight
// from the controller's scan rows (no copy, no item per row), so a list of
// tens of thousands of ONTs costs one reset when it is rebuilt and one
// redrawn row per reading.
class ScanListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column : int {
        State,      // image only: 0 not read yet, 2 read, 3 off
        PonType,
        Frame,
        Slot,
        Port,
        OntId,
        Name,
        Levels,
        LastDay,
        OltKey,     // hidden
        SourceRow,  // hidden: the row's index in the main list
        ColumnCount
    };
    // The row's image index, on every cell of the row.
    static constexpr int ImageRole = Qt::UserRole + 1;

    // Follows the controller: a rebuilt list resets the model, a reading
    // redraws its row.
    explicit ScanListModel(const ScanController &controller, QObject *parent = nullptr);
    // Over rows kept by someone else; the owner calls rebuild and rowChanged.
    explicit ScanListModel(const QList<core::ScanRow> &rows, QObject *parent = nullptr);

    static QStringList headers();
    static bool isHiddenColumn(int column) { return column == OltKey || column == SourceRow; }

    void rebuild();
    void rowChanged(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const QList<core::ScanRow> &m_rows;
};

// The pass's critical-signal list as the scanning window shows it.
class CriticalRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column : int { Place, Name, Levels, Note, ColumnCount };

    explicit CriticalRowsModel(const ScanController &controller, QObject *parent = nullptr);

    static QStringList headers();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const QList<CriticalRow> &m_rows;
};

} // namespace tervix::signal
