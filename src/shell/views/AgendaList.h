#pragma once

#include "shell/DayListView.h"

// The agenda's list: the day list's keys (Enter opens, Del deletes), with the arrows and Page keys
// passing over the day headings to the entries.
class AgendaList : public DayListView {
    Q_OBJECT
public:
    explicit AgendaList(QWidget* parent = nullptr);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // The first entry from `row` on, a step of `step` at a time; invalid when there is none.
    QModelIndex entryFrom(int row, int step) const;
};
