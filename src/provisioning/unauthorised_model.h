#pragma once

#include "core/autofind_parser.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

namespace tervix::provisioning {

// The unauthorised list: the ONTs the OLT found but nobody authorised yet. Columns "st" (the
// row's icon, no text), "EPGP?", "Port", "MAC & S/N", "Model", "VR".
// Icon 0: found and not yet added; 1: added in this session.
class UnauthorisedModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kIconFound = 0;
    static constexpr int kIconAdded = 1;
    // The row's icon index on every cell of the row.
    static constexpr int IconRole = Qt::UserRole + 1;

    struct Row
    {
        core::UnauthorisedOnt ont;
        int icon = kIconFound;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row at once (a refresh); all rows get icon 0.
    void replaceAll(const QList<core::UnauthorisedOnt> &onts);
    const QList<Row> &rows() const { return m_rows; }
    void setIcon(int row, int icon);

    static QIcon icon(int index);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Row> m_rows;
};

} // namespace tervix::provisioning
