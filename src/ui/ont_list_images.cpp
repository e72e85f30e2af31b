#include "ui/ont_list_images.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace tervix::ui {

namespace {
QIcon draw(const QColor &fill, const QColor &edge)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(edge, 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pm);
}
} // namespace

QIcon rowImageIcon(int index)
{
    static QHash<int, QIcon> cache;
    auto it = cache.constFind(index);
    if (it != cache.constEnd())
        return *it;
    QIcon icon;
    switch (index) {
    case 0:
        icon = draw(QColor(120, 170, 255), QColor(40, 80, 160));
        break;
    case 2:
        icon = draw(QColor(60, 200, 60), QColor(20, 110, 20));
        break;
    case 3:
        icon = draw(QColor(200, 60, 60), QColor(110, 20, 20));
        break;
    case 6:
        icon = draw(QColor(245, 245, 245), QColor(150, 150, 150));
        break;
    default:
        break;
    }
    cache.insert(index, icon);
    return icon;
}

} // namespace tervix::ui
