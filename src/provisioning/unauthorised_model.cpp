#include "provisioning/unauthorised_model.h"

#include <QPainter>
#include <QPixmap>

namespace tervix::provisioning {

void UnauthorisedModel::replaceAll(const QList<core::UnauthorisedOnt> &onts)
{
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(onts.size());
    for (const core::UnauthorisedOnt &o : onts)
        m_rows.append(Row{o, kIconFound});
    endResetModel();
}

void UnauthorisedModel::setIcon(int row, int icon)
{
    if (row < 0 || row >= m_rows.size())
        return;
    m_rows[row].icon = icon;
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

QIcon UnauthorisedModel::icon(int index)
{
    static const QIcon icons[2] = {
        [] {
            // Waiting: an amber dot with an exclamation bar.
            QPixmap pm(16, 16);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(150, 90, 0), 1.5));
            p.setBrush(QColor(255, 190, 40));
            p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
            p.setPen(QPen(QColor(90, 50, 0), 2));
            p.drawLine(QPointF(8, 5), QPointF(8, 9));
            p.drawPoint(QPointF(8, 11.5));
            return QIcon(pm);
        }(),
        [] {
            // Added: a green tick.
            QPixmap pm(16, 16);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(QColor(20, 130, 20), 2.5));
            p.drawLine(QPointF(3, 8.5), QPointF(6.5, 12));
            p.drawLine(QPointF(6.5, 12), QPointF(13, 4));
            return QIcon(pm);
        }(),
    };
    return index == 0 || index == 1 ? icons[index] : QIcon();
}

int UnauthorisedModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int UnauthorisedModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 6;
}

QVariant UnauthorisedModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &w = m_rows[index.row()];
    if (role == IconRole)
        return w.icon;
    if (role == Qt::DecorationRole && index.column() == 0)
        return icon(w.icon);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 1: return w.ont.ponType;
    case 2: return w.ont.port;
    case 3: return w.ont.serialOrMac;
    case 4: return w.ont.model;
    case 5: return w.ont.vr;
    default: return QString();
    }
}

QVariant UnauthorisedModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const names[] = {"st", "EPGP?", "Port", "MAC & S/N", "Model", "VR"};
    return section >= 0 && section < 6 ? QString::fromLatin1(names[section]) : QVariant();
}

} // namespace tervix::provisioning
