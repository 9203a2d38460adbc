#pragma once

#include "AlarmMinutes.h"
#include "AppointmentTimes.h"
#include "core/Appointment.h"
#include "core/RepeatPattern.h"

// The appointment dialog's copy of an appointment's days, times, alarm, repeat and zone, and the
// rules by which it becomes the stored appointment again. The description is the dialog's own
// business. The times are shown and edited as the clocks of the appointment's zone read them.
class AppointmentDraft {
public:
    explicit AppointmentDraft(const Appointment& original);

    // A new appointment on the calendar's day, starting at the quarter hour that now gives, with the
    // alarm off.
    static AppointmentDraft ForNew(const DateTime& day, const DateTime& now);
    // The same starting at a time chosen in a view, lasting a quarter hour.
    static AppointmentDraft ForStart(const DateTime& start);

    const Appointment& Original() const { return m_original; }
    AppointmentTimes& Times() { return m_times; }
    const AppointmentTimes& Times() const { return m_times; }
    AlarmMinutes& Minutes() { return m_minutes; }
    const AlarmMinutes& Minutes() const { return m_minutes; }

    bool AlarmOn() const { return m_alarmOn; }
    void SetAlarmOn(bool on) { m_alarmOn = on; }

    // All day: from the first day (the times' day) to the last, both included.
    bool AllDay() const { return m_allDay; }
    void SetAllDay(bool on) { m_allDay = on; }
    CalendarDate FirstDay() const { return CalendarDate::OfStoredDate(m_times.Day()); }
    CalendarDate LastDay() const { return m_lastDay < FirstDay() ? FirstDay() : m_lastDay; }
    void SetLastDay(CalendarDate day) { m_lastDay = day; }

    // The repeat as the "Repeat" section shows it. A stored rule the section cannot show stays as
    // it is until the section is changed.
    const RepeatPattern& Repeat() const { return m_repeat; }
    void SetRepeat(const RepeatPattern& pattern);
    // Whether the repeat may be changed here: not for a changed occurrence, which repeats no more.
    bool CanRepeat() const { return m_original.SeriesID == 0; }
    // The rule the appointment will be stored with, and the same in words.
    std::string Rule() const;
    std::string RuleInWords() const;

    // The IANA zone the times are meant in; empty for the computer's. Changing it keeps the times
    // as shown: they are then meant in the new zone.
    const std::string& Zone() const { return m_zone; }
    void SetZone(const std::string& zone) { m_zone = zone; }

    // The date picker's change: day, times and the kept alarm moment move to that day; an all-day
    // appointment keeps its number of days.
    void MoveToDay(int year, int month, int day);

    // The appointment as "&Ok" stores it. The alarm moment is computed again from the start and
    // the lead only when one of them changed or the alarm was just switched on; otherwise it
    // keeps its stored value, so an edit of anything else never moves an alarm.
    Appointment Result() const;

private:
    // A wall-clock time of the zone as the computer's clock reads it.
    DateTime toLocal(const DateTime& wall) const;

    Appointment m_original;
    std::string m_zone;
    AppointmentTimes m_times;
    AlarmMinutes m_minutes;
    bool m_alarmOn;
    DateTime m_keptAlarm;
    bool m_allDay;
    CalendarDate m_lastDay;
    RepeatPattern m_repeat;
    bool m_repeatChanged = false;
    CalendarDate m_firstDayAsRead; // the first day as the draft began, in the appointment's zone
};
