#pragma once

#include <QStyledItemDelegate>

namespace tervix::ui {

// Draws the cells of the basic view in the view's own font (the panel gives
// basic 9 points): black text, a disabled row grey on black, otherwise the
// background of the row's signal class.
class BasicViewDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    // The option a cell is drawn with: the view's font, the row's colours.
    QStyleOptionViewItem optionFor(const QStyleOptionViewItem &base, const QModelIndex &index) const;
};

} // namespace tervix::ui
