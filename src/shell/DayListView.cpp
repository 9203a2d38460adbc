#include "DayListView.h"

#include "CutOffTipDelegate.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

DayListView::DayListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideRight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setIconSize(QSize(16, 16));
    setItemDelegate(new CutOffTipDelegate(this));
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(false);
}

int DayListView::SelectedRow() const {
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void DayListView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
        emit editRequested();
        return;
    }
    if (modifiers == Qt::NoModifier && key == Qt::Key_Delete) {
        emit deleteRequested();
        return;
    }
    if ((modifiers == Qt::NoModifier && key == Qt::Key_Menu) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_F10)) {
        const int row = SelectedRow();
        const QRect rect = row >= 0 ? visualRect(model()->index(row, 0)) : QRect();
        // Beside the selected row, or at the top corner of an empty selection.
        emit contextMenuRequested(row, rect.isValid() ? QPoint(rect.left() + 8, rect.center().y()) : QPoint(8, 8));
        return;
    }
    // The first arrow into a list where nothing is selected selects the row that has the focus
    // frame, rather than the one after it.
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Down || key == Qt::Key_Up) && SelectedRow() < 0 &&
        currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(currentIndex(),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return;
    }
    QTreeView::keyPressEvent(event);
}
