#include "AgendaDelegate.h"

#include "AgendaModel.h"

#include <QApplication>
#include <QPainter>

namespace {
constexpr int kMargin = 4;
constexpr int kImage = 16;
} // namespace

void AgendaDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QString text = opt.text;
    const QIcon icon = opt.icon;
    // The style draws the background, the selection and the focus frame; the texts are set here.
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    QRect area = opt.rect.adjusted(kMargin, 0, -kMargin, 0);
    if (index.data(AgendaModel::HeadingRole).toBool()) {
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                          opt.fontMetrics.elidedText(text, Qt::ElideRight, area.width()));
        painter->setPen(opt.palette.color(group, QPalette::Mid));
        painter->drawLine(area.bottomLeft(), area.bottomRight());
        painter->restore();
        return;
    }
    area.setLeft(area.left() + kImage); // entries stand indented under their heading
    const QRect imageRect(area.left(), area.top() + (area.height() - kImage) / 2, kImage, kImage);
    icon.paint(painter, imageRect);
    area.setLeft(imageRect.right() + 1 + kMargin);
    const int timeWidth = opt.fontMetrics.horizontalAdvance(QStringLiteral("00:00 AM-00:00 AM")) + 2 * kMargin;
    const QString time = index.data(AgendaModel::TimeRole).toString();
    painter->drawText(QRect(area.left(), area.top(), timeWidth, area.height()), Qt::AlignLeft | Qt::AlignVCenter,
                      opt.fontMetrics.elidedText(time, Qt::ElideRight, timeWidth - kMargin));
    area.setLeft(area.left() + timeWidth);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                      opt.fontMetrics.elidedText(text, Qt::ElideRight, std::max(0, area.width())));
    painter->restore();
}

QSize AgendaDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return QSize(size.width(), std::max(size.height(), option.fontMetrics.height() + 6));
}
