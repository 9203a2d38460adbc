#pragma once

#include <QWidget>

class DayView;

// View > Week: the seven days of the week that holds the day view's date, side by side on a time
// grid, with the all-day and multi-day entries in a band above it.
class WeekView : public QWidget {
    Q_OBJECT
public:
    explicit WeekView(DayView& dayView, QWidget* parent = nullptr);

signals:
    // A key or a double-click asks for a record command, run as the menu item would run it.
    void commandRequested(int id);

private:
    DayView& m_dayView;
};
