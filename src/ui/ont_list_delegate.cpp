#include "ui/ont_list_delegate.h"

#include "core/ont_record.h"
#include "core/ont_list_texts.h"
#include "ui/colors.h"
#include "ui/ont_list_model.h"

#include <QApplication>
#include <QPainter>

namespace tervix::ui {

QStyleOptionViewItem BasicViewDelegate::optionFor(const QStyleOptionViewItem &base, const QModelIndex &index) const
{
    QStyleOptionViewItem opt(base);
    initStyleOption(&opt, index);
    const QAbstractItemModel *m = index.model();
    const int row = index.row();
    const QString active = m->index(row, core::BasicColumn::Active).data().toString();
    const QString gepon = m->index(row, core::BasicColumn::Signal).data().toString();
    const int image = index.data(OntListModel::ImageRole).toInt();
    const core::BasicCellColours k = core::basicCellColours(active, gepon, image);

    const QColor text = colorFromRgb(k.text);
    opt.palette.setColor(QPalette::Text, text);
    opt.palette.setColor(QPalette::WindowText, text);
    if (k.background)
        opt.backgroundBrush = colorFromRgb(*k.background);
    return opt;
}

void BasicViewDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QStyleOptionViewItem opt = optionFor(option, index);
    const QWidget *w = opt.widget;
    QStyle *style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
}

} // namespace tervix::ui
