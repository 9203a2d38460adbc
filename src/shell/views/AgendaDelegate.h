#pragma once

#include <QStyledItemDelegate>

// Draws an agenda row: a heading in bold across the row; an entry as its image, its time in a
// column of its own and its text.
class AgendaDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
