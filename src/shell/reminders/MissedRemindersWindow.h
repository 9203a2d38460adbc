#pragma once

#include "ReminderText.h"

#include <QDialog>
#include <QList>

class ReminderList;

// "Missed reminders": the alarms that came due while the program was not running, with the time,
// date and description of each. "Turn off all" and "Turn off selected" clear their alarms; "Close"
// leaves them set.
class MissedRemindersWindow : public QDialog {
    Q_OBJECT
public:
    explicit MissedRemindersWindow(const QList<ReminderRow>& rows, QWidget* over = nullptr);

    QList<OccurrenceKey> Listed() const;

signals:
    void turnedOff(const QList<OccurrenceKey>& keys);

private:
    void turnOff(bool onlySelected);

    ReminderList* m_list;
    QList<OccurrenceKey> m_keys; // by the row's item data
};
