#pragma once

#include "ReminderText.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class ReminderList;
class SoundPlayer;

// "Appointment Reminder": every alarm that rings, listed in one window with its description, date,
// start and end. "&OK" lets the selected alarms go (turning them off when "&Turn off reminder" is
// ticked) and "&Snooze" brings them back after the chosen time; these are the only ways to close
// it. While open it plays its sound (when audible) and comes to the front again once a minute.
class ReminderWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int RepeatMs = 60000;
    // The snooze choices, in minutes.
    static constexpr int SnoozeMinutes[] = {5, 10, 15, 30, 60};

    // `over` is the window to centre on while it can be seen.
    ReminderWindow(const QString& soundFile, bool audible, SoundPlayer& sound, QWidget* over = nullptr);

    // Adds alarms that rang; an alarm already listed is not added twice.
    void Add(const QList<ReminderRow>& rows);
    bool Lists(const OccurrenceKey& key) const;
    QList<OccurrenceKey> Listed() const;
    // Takes an alarm off the list (it left the document); an empty window closes.
    void Drop(const OccurrenceKey& key);

    // The minute tick: to the front, and the sound started again.
    void Repeat();
    // Brings the window to the front (a click on its desktop notice).
    void Raise();

    void accept() override;
    // Escape and the window manager's close request do not close a reminder.
    void reject() override {}

signals:
    // "&OK" with "&Turn off reminder" ticked.
    void turnedOff(const QList<OccurrenceKey>& keys);
    // "&OK" without it: the alarms stay set and ring again at the next check.
    void dismissed(const QList<OccurrenceKey>& keys);
    void snoozed(const QList<OccurrenceKey>& keys, int minutes);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void snooze();
    // The selected rows, or every row when none is selected; they leave the list.
    QList<OccurrenceKey> takeChosen();
    void showCount();
    void closeWhenEmpty();
    void placeOverWindow();

    QString m_soundFile;
    bool m_audible;
    SoundPlayer& m_sound;
    QPointer<QWidget> m_over;
    QList<ReminderRow> m_rows;
    QLabel* m_message;
    ReminderList* m_list;
    QCheckBox* m_turnOffBox;
    QComboBox* m_snoozeChoice;
    QTimer m_repeat;
    bool m_closing = false;
};
