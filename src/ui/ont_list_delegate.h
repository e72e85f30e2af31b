#pragma once

#include <QStyledItemDelegate>

namespace tervix::ui {

// Draws the cells of the basic view: black text at 9 points, a disabled row
// grey on black, otherwise the background of the row's signal class.
class Lv1bDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The option a cell is drawn with (exposed for tests of the colours).
    QStyleOptionViewItem optionFor(const QStyleOptionViewItem &base, const QModelIndex &index) const;
};

} // namespace tervix::ui
