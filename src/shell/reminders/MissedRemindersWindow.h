#pragma once

#include "ReminderText.h"

#include <QDialog>
#include <QList>

class ReminderList;

class QLabel;

// "Missed reminders": the alarms that came due while the document was not open, newest first, with
// the time, date and description of each; above them a sentence saying which these are, below them
// a line counting the older ones left out. "Turn off all" and "Turn off selected" clear their
// alarms; "Close" leaves them set.
class MissedRemindersWindow : public QDialog {
    Q_OBJECT
public:
    MissedRemindersWindow(const QList<ReminderRow>& rows, const QString& explanation, int older,
                          QWidget* over = nullptr);

    QLabel* Explanation() const { return m_explanation; }
    // Empty when none was left out.
    QString OlderLine() const;

    QList<OccurrenceKey> Listed() const;

signals:
    void turnedOff(const QList<OccurrenceKey>& keys);

private:
    void turnOff(bool onlySelected);

    ReminderList* m_list;
    QLabel* m_explanation;
    QLabel* m_older;
    QList<OccurrenceKey> m_keys; // by the row's item data
};
