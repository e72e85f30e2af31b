#pragma once

#include "core/ont_record.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

#include <vector>

namespace tervix::registry {
class OntList;
}

namespace tervix::ui {

// One of the two presentations of the authorised-ONT list: the advanced view
// (one column per core::Column) or the basic view (one per core::BasicColumn).
// Both read the records of the one OntList and work every cell out of the
// record; they follow the list's change signals, so the views always show the
// same rows in the same order.
class OntListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum class View { Advanced, Basic };
    // The row's image index (-1 for none), on every cell of the row.
    static constexpr int ImageRole = Qt::UserRole + 1;

    OntListModel(const registry::OntList &list, View view, QObject *parent = nullptr);

    static QStringList headers(View view);
    // An incomplete row (OntList::markIncomplete): its background in the
    // advanced view, the third line of its name in the basic view, and its
    // tool tip in both.
    static QColor incompleteBackground();
    static QString incompleteLine();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString cellText(int row, int col) const;
    int image(int row) const;

    const registry::OntList &m_list;
    const std::vector<core::OntRecord> &m_rows;
    View m_view;
    int m_columns;
};

} // namespace tervix::ui
