#include "AppointmentTimes.h"

#include "core/CalendarDate.h"

#include <algorithm>

namespace {

constexpr int kFirstStart = 5 * 60;      // 05:00
constexpr int kLastStart = 22 * 60 + 45; // 22:45
constexpr int kFirstEnd = 5 * 60 + 15;   // 05:15
constexpr int kLastEnd = 23 * 60;        // 23:00

int minuteOfDay(const DateTime& time) {
    return time.Hour() * 60 + time.Minute();
}

// A quarter hour later; a minute past 45 becomes the next hour's 0.
void quarterUp(int& hour, int& minute) {
    minute += 15;
    if (minute > 45) {
        minute = 0;
        ++hour;
    }
}

// A quarter hour earlier; a minute below 0 becomes the previous hour's 45.
void quarterDown(int& hour, int& minute) {
    minute -= 15;
    if (minute < 0) {
        minute = 45;
        --hour;
    }
}

const DateTimeSpan kQuarterHour(0, 0, 15, 0);

} // namespace

AppointmentTimes::AppointmentTimes(const DateTime& day, const DateTime& start, const DateTime& end)
    : m_day(day), m_start(start), m_end(end) {
    if (start.IsValid() && end.IsValid())
        m_endDays = std::max(0, CalendarDate::Of(end) - CalendarDate::Of(start));
}

AppointmentTimes AppointmentTimes::ForNewAppointment(const DateTime& day, const DateTime& now) {
    const DateTime date = day.Date();
    const int quarter = now.Minute() - now.Minute() % 15;
    const int hour = (now + DateTimeSpan(0, 0, quarter, 0)).Hour();
    const DateTime start(date.Year(), date.Month(), date.Day(), hour, quarter, 0);
    return AppointmentTimes(date, start, start + kQuarterHour);
}

DateTime AppointmentTimes::OnDay(const DateTime& time, int year, int month, int day) {
    return DateTime(year, month, day, time.Hour(), time.Minute(), 0);
}

DateTime AppointmentTimes::At(int hour, int minute) const {
    // An appointment read without a valid day still steps on the day of its start.
    const DateTime& day = m_day.IsValid() ? m_day : m_start;
    return DateTime(day.Year(), day.Month(), day.Day(), hour, minute, 0);
}

DateTime AppointmentTimes::EndAt(int hour, int minute) const {
    return At(hour, minute) + DateTimeSpan(m_endDays, 0, 0, 0);
}

void AppointmentTimes::SetBegin(int hour, int minute) {
    m_start = At(hour, minute);
    m_startMoved = true;
    if (m_start >= m_end)
        m_end = m_start + kQuarterHour;
    m_endDays = std::max(0, CalendarDate::Of(m_end) - CalendarDate::Of(m_start));
}

void AppointmentTimes::SetEnd(int hour, int minute) {
    m_end = EndAt(hour, minute);
    if (m_end <= m_start && m_endDays == 0) {
        m_endDays = 1;
        m_end = EndAt(hour, minute);
    }
    if (m_end <= m_start)
        m_end = m_start + kQuarterHour;
    m_endDays = std::max(0, CalendarDate::Of(m_end) - CalendarDate::Of(m_start));
}

void AppointmentTimes::SetEndDays(int days) {
    m_endDays = std::max(0, days);
    m_end = EndAt(m_end.Hour(), m_end.Minute());
    if (m_end <= m_start)
        m_end = m_start + kQuarterHour;
}

void AppointmentTimes::StepBegin(int steps) {
    for (; steps > 0; --steps)
        BeginUp();
    for (; steps < 0; ++steps)
        BeginDown();
}

void AppointmentTimes::StepEnd(int steps) {
    for (; steps > 0; --steps)
        EndUp();
    for (; steps < 0; ++steps)
        EndDown();
}

void AppointmentTimes::BeginUp() {
    int hour = m_start.Hour();
    int minute = m_start.Minute();
    if (minuteOfDay(m_start) >= kLastStart) {
        hour = kFirstStart / 60;
        minute = 0;
    } else {
        quarterUp(hour, minute);
    }
    m_start = At(hour, minute);
    m_startMoved = true;
    if (m_start >= m_end)
        m_end = m_start + kQuarterHour;
}

void AppointmentTimes::BeginDown() {
    int hour = m_start.Hour();
    int minute = m_start.Minute();
    if (minuteOfDay(m_start) <= kFirstStart) {
        hour = kLastStart / 60;
        minute = kLastStart % 60;
    } else {
        quarterDown(hour, minute);
    }
    m_start = At(hour, minute);
    m_startMoved = true;
    if (m_start >= m_end)
        m_end = m_start + kQuarterHour;
}

void AppointmentTimes::EndUp() {
    int hour = m_end.Hour();
    int minute = m_end.Minute();
    if (minuteOfDay(m_end) >= kLastEnd) {
        hour = kFirstEnd / 60;
        minute = kFirstEnd % 60;
    } else {
        quarterUp(hour, minute);
    }
    m_end = EndAt(hour, minute);
    if (m_end <= m_start) {
        m_start = m_end - kQuarterHour;
        m_startMoved = true;
    }
}

void AppointmentTimes::EndDown() {
    int hour = m_end.Hour();
    int minute = m_end.Minute();
    if (minuteOfDay(m_end) <= kFirstEnd) {
        hour = kLastEnd / 60;
        minute = 0;
    } else {
        quarterDown(hour, minute);
    }
    m_end = EndAt(hour, minute);
    if (m_end <= m_start) {
        m_start = m_end - kQuarterHour;
        m_startMoved = true;
    }
}

void AppointmentTimes::MoveToDay(int year, int month, int day) {
    m_day = DateTime(year, month, day, 0, 0, 0);
    m_start = OnDay(m_start, year, month, day);
    m_end = OnDay(m_end, year, month, day) + DateTimeSpan(m_endDays, 0, 0, 0);
}
