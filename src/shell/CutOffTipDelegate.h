#pragma once

#include <QStyledItemDelegate>

// Shows a cell's text as a tooltip only when the cell is too narrow to show all of it.
class CutOffTipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
