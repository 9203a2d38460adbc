#pragma once

#include "AgendaModel.h"
#include "core/CalendarDate.h"

#include <QWidget>

class AgendaList;
class DayView;
class QLabel;
class QSpinBox;

// View > Agenda: what comes next, the occurrences and due tasks of the coming days as one list
// grouped by day. Enter and Del act on an entry as the day view's lists do, on the day it is shown.
class AgendaView : public QWidget {
    Q_OBJECT
public:
    explicit AgendaView(DayView& dayView, QWidget* parent = nullptr);

    // Works the rows out anew for today and the days setting; the selected entry stays selected
    // where it is still listed, else the entry now in its place is.
    void Refresh();

    AgendaList* List() const { return m_list; }
    const AgendaModel& Model() const { return m_model; }
    QSpinBox* DaysBox() const { return m_days; }
    QLabel* NothingLabel() const { return m_nothing; }

signals:
    // A key or a double-click asks for a record command, run as the menu item would run it.
    void commandRequested(int id);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Refresh() when shown and the document, today, the days or the birthdays setting have changed
    // since the last one.
    void refreshIfStale();
    // Shows the entry's day in the day view with the entry selected there, and asks for the command
    // of its kind (Edit or Delete).
    void act(int row, bool remove);
    void daysChanged(int days);

    DayView& m_dayView;
    AgendaModel m_model;
    AgendaList* m_list = nullptr;
    QSpinBox* m_days = nullptr;
    QLabel* m_nothing = nullptr;
    // What the rows were worked out for.
    int m_builtGeneration = -1;
    CalendarDate m_builtToday;
    int m_builtDays = 0;
    bool m_builtBirthdays = false;
};
