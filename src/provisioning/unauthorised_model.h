#pragma once

#include "core/autofind_parser.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

namespace tervix::provisioning {

// lv2: the ONTs the OLT found but nobody authorised yet. Columns "st" (the
// row's icon, no text), "EPGP?", "Port", "MAC & S/N", "Model", "VR".
// Icon 0: found and not yet added; 1: added in this session.
class UnauthorisedModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kIkonaZnaleziony = 0;
    static constexpr int kIkonaDodany = 1;
    // The row's icon index on every cell of the row.
    static constexpr int IkonaRole = Qt::UserRole + 1;

    struct Wiersz
    {
        core::NieautoryzowanyOnt ont;
        int ikona = kIkonaZnaleziony;
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces every row at once (a refresh); all rows get icon 0.
    void zastap(const QList<core::NieautoryzowanyOnt> &onts);
    const QList<Wiersz> &wiersze() const { return m_rows; }
    void ustawIkone(int row, int ikona);
    bool maNowe() const;   // some row still has icon 0

    static QIcon ikona(int index);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Wiersz> m_rows;
};

} // namespace tervix::provisioning
