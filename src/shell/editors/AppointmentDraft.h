#pragma once

#include "AlarmMinutes.h"
#include "AppointmentTimes.h"
#include "core/Appointment.h"

// The appointment dialog's copy of an appointment's day, times and alarm, and the rules by which it
// becomes the stored appointment again. The description is the dialog's own business.
class AppointmentDraft {
public:
    explicit AppointmentDraft(const Appointment& original);

    // A new appointment on the calendar's day, starting at the quarter hour that now gives, with the
    // alarm off.
    static AppointmentDraft ForNew(const DateTime& day, const DateTime& now);

    const Appointment& Original() const { return m_original; }
    AppointmentTimes& Times() { return m_times; }
    const AppointmentTimes& Times() const { return m_times; }
    AlarmMinutes& Minutes() { return m_minutes; }
    const AlarmMinutes& Minutes() const { return m_minutes; }

    bool AlarmOn() const { return m_alarmOn; }
    void SetAlarmOn(bool on) { m_alarmOn = on; }

    // The date picker's change: day, times and the kept alarm moment move to that day.
    void MoveToDay(int year, int month, int day);

    // The appointment as "&Ok" stores it. The alarm moment is computed again from the start and
    // the minutes only when one of them changed or the alarm was just switched on; otherwise it
    // keeps its stored value, so an edit of anything else never moves an alarm.
    Appointment Result() const;

private:
    Appointment m_original;
    AppointmentTimes m_times;
    AlarmMinutes m_minutes;
    bool m_alarmOn;
    DateTime m_keptAlarm;
};
