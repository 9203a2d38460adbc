#pragma once

#include "core/DateTime.h"

// The day, start and end of an appointment being edited, with the rules of the "Begin:" and "End:"
// arrows: quarter-hour steps between 05:00 and 23:00 that wrap around, and a start that always stays
// before the end. Typed times are kept to the minute; the end may fall on a later day than the start.
class AppointmentTimes {
public:
    AppointmentTimes(const DateTime& day, const DateTime& start, const DateTime& end);

    // The times a new appointment on the given day starts with: the quarter hour q of now's minute,
    // in the hour of now + q minutes, lasting 15 minutes.
    static AppointmentTimes ForNewAppointment(const DateTime& day, const DateTime& now);

    const DateTime& Day() const { return m_day; }
    const DateTime& Start() const { return m_start; }
    const DateTime& End() const { return m_end; }
    // True once an arrow moved the start (directly or by pushing it ahead of the end).
    bool StartMoved() const { return m_startMoved; }

    // One arrow click each; steps > 0 is up, steps < 0 down, repeated as often as given.
    void StepBegin(int steps);
    void StepEnd(int steps);

    // Typed times. A begin at or after the end pushes the end a quarter hour past it; an end typed
    // before the begin on the same day means the next day.
    void SetBegin(int hour, int minute);
    void SetEnd(int hour, int minute);
    // How many days after the start's the end falls (0: the same day); below 0 counts as 0. An end
    // that would come first is pushed a quarter hour past the start.
    int EndDays() const { return m_endDays; }
    void SetEndDays(int days);

    // Puts the day and both times on the given day (the end as many days later as before), keeping
    // their hour and minute.
    void MoveToDay(int year, int month, int day);

    // A time rebuilt on another day with its own hour and minute, second 0.
    static DateTime OnDay(const DateTime& time, int year, int month, int day);

private:
    void BeginUp();
    void BeginDown();
    void EndUp();
    void EndDown();
    DateTime At(int hour, int minute) const;
    DateTime EndAt(int hour, int minute) const;

    DateTime m_day;
    DateTime m_start;
    DateTime m_end;
    bool m_startMoved = false;
    int m_endDays = 0;
};
