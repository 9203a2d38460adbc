#pragma once

#include <QWidget>

class DayView;

// View > Agenda: what comes next, the occurrences and due tasks of the coming days as one list
// grouped by day.
class AgendaView : public QWidget {
    Q_OBJECT
public:
    explicit AgendaView(DayView& dayView, QWidget* parent = nullptr);

signals:
    // A key or a double-click asks for a record command, run as the menu item would run it.
    void commandRequested(int id);

private:
    DayView& m_dayView;
};
