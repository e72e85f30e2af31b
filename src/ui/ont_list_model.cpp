#include "ui/ont_list_model.h"

#include "registry/ont_list.h"
#include "ui/ont_list_images.h"

#include <QIcon>

namespace tervix::ui {

OntListModel::OntListModel(const registry::OntList &list, View view, QObject *parent)
    : QAbstractTableModel(parent)
    , m_list(list)
    , m_rows(list.rows())
    , m_view(view)
    , m_columns(view == View::Advanced ? int(core::Column::Count) : int(core::BasicColumn::Count))
{
    using registry::OntList;
    connect(&list, &OntList::rowsAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows({}, first, last); });
    connect(&list, &OntList::rowsInserted, this, [this] { endInsertRows(); });
    connect(&list, &OntList::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first, last); });
    connect(&list, &OntList::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(&list, &OntList::aboutToBeReset, this, [this] { beginResetModel(); });
    connect(&list, &OntList::reset, this, [this] { endResetModel(); });
    connect(&list, &OntList::rowsChanged, this, [this](int first, int last) {
        Q_EMIT dataChanged(index(first, 0), index(last, m_columns - 1));
    });
    if (view == View::Advanced) {
        connect(&list, &OntList::advancedRowChanged, this,
                [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, m_columns - 1)); });
        connect(&list, &OntList::advancedCellChanged, this, [this](int row, int column) {
            const QModelIndex i = index(row, column);
            Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
        });
    } else {
        // The colours of every cell of a basic row depend on its signal and
        // "Active?" texts, and its three-line cells mix several fields, so the
        // whole row is redrawn.
        connect(&list, &OntList::basicRowChanged, this,
                [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, m_columns - 1)); });
    }
}

QStringList OntListModel::headers(View view)
{
    if (view == View::Advanced)
        return {QStringLiteral("Stan"),        QStringLiteral("E/G PON"),
                QStringLiteral("buda"),        QStringLiteral("karta"),
                QStringLiteral("port"),        QStringLiteral("ontID"),
                QStringLiteral("Nazwa"),       QStringLiteral("MAC/SN"),
                QStringLiteral("LineProfile"), QStringLiteral("SrvProfile"),
                QStringLiteral("ServicePort/VLAN/U-TAG/IGMP"),
                QStringLiteral("rx ont/olt"),  QStringLiteral("atrr"),
                QStringLiteral("idUrzKL"),     QStringLiteral("Active?")};
    return {QStringLiteral("ikona"), QStringLiteral("id_lv1"), QStringLiteral("gepon"),
            QStringLiteral("port"),  QStringLiteral("Nazwa"),  QStringLiteral("vlan"),
            QStringLiteral("info"),  QStringLiteral("id_lv1"), QStringLiteral("Active?")};
}

QColor OntListModel::incompleteBackground()
{
    return QColor(255, 205, 150);
}

QString OntListModel::incompleteLine()
{
    return QStringLiteral("NIEKOMPLETNY / INCOMPLETE");
}

int OntListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OntListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QString OntListModel::cellText(int row, int col) const
{
    const core::OntRecord &r = m_rows[size_t(row)];
    return m_view == View::Advanced ? core::cellText(r, core::Column::Id(col))
                                    : core::cellText(r, core::BasicColumn::Id(col));
}

int OntListModel::image(int row) const
{
    const core::OntRecord &r = m_rows[size_t(row)];
    return m_view == View::Advanced ? r.image : r.basicImage;
}

QVariant OntListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()) || index.column() >= m_columns)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (m_view == View::Basic && index.column() == core::BasicColumn::Name
            && !m_list.incompleteNote(index.row()).isEmpty()) {
            const core::OntRecord &r = m_rows[size_t(index.row())];
            return core::nameCell(r.name, r.serialOrMac, incompleteLine());
        }
        return cellText(index.row(), index.column());
    case Qt::BackgroundRole:
        if (m_view == View::Advanced && !m_list.incompleteNote(index.row()).isEmpty())
            return incompleteBackground();
        return {};
    case Qt::ToolTipRole: {
        const QString note = m_list.incompleteNote(index.row());
        if (note.isEmpty())
            return {};
        return incompleteLine() + u'\n' + note;
    }
    case Qt::DecorationRole:
        if (index.column() == 0) {
            const int img = image(index.row());
            if (img >= 0)
                return rowImageIcon(img);
        }
        return {};
    case ImageRole:
        return image(index.row());
    default:
        return {};
    }
}

QVariant OntListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers(m_view).value(section);
}

} // namespace tervix::ui
