#include "AgendaList.h"

#include "AgendaModel.h"

#include <QHeaderView>

AgendaList::AgendaList(QWidget* parent) : DayListView(parent) {
    setHeaderHidden(true);
    setContextMenuPolicy(Qt::NoContextMenu);
}

QModelIndex AgendaList::entryFrom(int row, int step) const {
    const int rows = model() ? model()->rowCount() : 0;
    for (; row >= 0 && row < rows; row += step) {
        const QModelIndex index = model()->index(row, 0);
        if (!index.data(AgendaModel::HeadingRole).toBool())
            return index;
    }
    return {};
}

QModelIndex AgendaList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex moved = DayListView::moveCursor(action, modifiers);
    if (!moved.isValid() || !moved.data(AgendaModel::HeadingRole).toBool())
        return moved;
    const bool up = action == MoveUp || action == MovePrevious || action == MovePageUp || action == MoveHome;
    if (const QModelIndex entry = entryFrom(moved.row(), up ? -1 : 1); entry.isValid())
        return entry;
    // Up from the first entry stays there; a jump to the top lands on the first entry below it.
    if (action == MoveUp || action == MoveDown)
        return currentIndex().isValid() ? currentIndex() : entryFrom(0, 1);
    return entryFrom(moved.row(), up ? 1 : -1);
}
