#include "ReminderList.h"

#include <QHeaderView>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int kShortestRows = 3;
constexpr int kLongestRows = 10;
constexpr int kNarrowest = 420;
} // namespace

ReminderList::ReminderList(const QStringList& headers, QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("Reminders"));
    setHeaderLabels(headers);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setStretchLastSection(true);
}

QTreeWidgetItem* ReminderList::AddRow(const QStringList& texts) {
    auto* item = new QTreeWidgetItem(this, texts);
    item->setToolTip(columnCount() - 1, texts.last());
    return item;
}

void ReminderList::FitRows() {
    const int last = columnCount() - 1;
    int width = 0;
    for (int column = 0; column < last; ++column) {
        resizeColumnToContents(column);
        width += columnWidth(column);
    }
    const QFontMetrics metrics(font());
    int description = metrics.horizontalAdvance(headerItem()->text(last));
    for (int row = 0; row < topLevelItemCount(); ++row)
        description = std::max(description, metrics.horizontalAdvance(topLevelItem(row)->text(last)));
    const QScreen* shown = screen();
    const int widest = shown ? shown->availableGeometry().width() * 4 / 5 : 1000;
    const int frame = 2 * frameWidth() + 24;
    const int rows = std::clamp(topLevelItemCount(), kShortestRows, kLongestRows);
    const int rowPixels = topLevelItemCount() > 0 ? rowHeight(indexFromItem(topLevelItem(0))) : 0;
    m_preferred = QSize(std::clamp(width + description + frame, kNarrowest, widest),
                        header()->sizeHint().height() + rows * std::max(rowPixels, metrics.height() + 4) + frame);
    updateGeometry();
}
