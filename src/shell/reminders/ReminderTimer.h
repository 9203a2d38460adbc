#pragma once

#include "ReminderQuery.h"

#include <QObject>
#include <QTimer>

#include <functional>

class AlarmSettings;
class PimDocument;
class QWidget;
class ReminderWindow;
class SoundPlayer;

// The day view's reminder timer: once a minute it opens a reminder window for every listed
// appointment whose alarm moment has come, one window per appointment, and turns an alarm off when
// its window is closed with "&Turn off reminder" ticked.
class ReminderTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int PeriodMs = 60000;
    using RowSource = std::function<std::vector<ListedAppointment>()>;

    // rows gives the appointment list as it now stands; windows open over parent.
    ReminderTimer(PimDocument& document, const AlarmSettings& settings, SoundPlayer& sound, RowSource rows,
                  QWidget* parent);

    void Start() { m_timer.start(); }
    bool IsActive() const { return m_timer.isActive(); }

    // The reminder check, as each tick runs it.
    void Check();

    // The reminder window open with this caption, if any.
    static ReminderWindow* FindOpen(const QString& caption);

signals:
    // A reminder was turned off; the document is already marked modified and its observers told.
    void reminderTurnedOff(int id);

private:
    void Closed(ReminderWindow* window, int id);

    PimDocument& m_document;
    const AlarmSettings& m_settings;
    SoundPlayer& m_sound;
    RowSource m_rows;
    QWidget* m_parent;
    QTimer m_timer;
};
