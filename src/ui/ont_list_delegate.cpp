#include "ui/ont_list_delegate.h"

#include "core/ont_list_row.h"
#include "core/ont_list_texts.h"
#include "ui/colors.h"
#include "ui/ont_list_model.h"

#include <QApplication>
#include <QPainter>

namespace tervix::ui {

QStyleOptionViewItem Lv1bDelegate::optionFor(const QStyleOptionViewItem &base, const QModelIndex &index) const
{
    QStyleOptionViewItem opt(base);
    initStyleOption(&opt, index);
    const QAbstractItemModel *m = index.model();
    const int row = index.row();
    const QString active = m->index(row, core::kolb::Active).data().toString();
    const QString gepon = m->index(row, core::kolb::Gepon).data().toString();
    const int image = index.data(OntListModel::ObrazRole).toInt();
    const core::Lv1bKolory k = core::lv1b_kolory_komorki(active, gepon, image);

    const QColor text = kolorRgb(k.tekst);
    opt.palette.setColor(QPalette::Text, text);
    opt.palette.setColor(QPalette::WindowText, text);
    if (k.tlo)
        opt.backgroundBrush = kolorRgb(*k.tlo);
    return opt;
}

void Lv1bDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QStyleOptionViewItem opt = optionFor(option, index);
    const QWidget *w = opt.widget;
    QStyle *style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
}

} // namespace tervix::ui
