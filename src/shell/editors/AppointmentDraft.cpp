#include "AppointmentDraft.h"

#include "core/RepeatWords.h"
#include "platform/TimeZones.h"

namespace {

// The zone an appointment's times are meant in, when it is one the system knows.
std::string knownZone(const Appointment& appointment) {
    return !appointment.AllDay && platform::IsKnownTimeZone(appointment.TimeZone) ? appointment.TimeZone
                                                                                  : std::string();
}

// The times as shown: in the appointment's zone.
AppointmentTimes wallTimes(const Appointment& a, const std::string& zone) {
    if (zone.empty())
        return AppointmentTimes(a.DueDate, a.StartTime, a.EndTime);
    auto wall = [&](const DateTime& local) -> DateTime {
        if (!local.IsValid())
            return local;
        const std::optional<platform::WallClock> w = platform::ZoneFromUtc(zone, local.ToSeconds());
        return w ? DateTime(w->year, w->month, w->day, w->hour, w->minute, w->second) : local;
    };
    const DateTime start = wall(a.StartTime);
    return AppointmentTimes(start.IsValid() ? start.Date() : a.DueDate, start, wall(a.EndTime));
}

CalendarDate originalFirstDay(const Appointment& a) {
    return CalendarDate::OfStoredDate(a.DueDate);
}

} // namespace

AppointmentDraft::AppointmentDraft(const Appointment& original)
    : m_original(original), m_zone(knownZone(original)), m_times(wallTimes(original, m_zone)),
      m_minutes(AlarmMinutes::FromAlarm(original.Alarm != 0, original.StartTime, original.AlarmTime)),
      m_alarmOn(original.Alarm != 0), m_keptAlarm(original.AlarmTime), m_allDay(original.AllDay != 0),
      m_lastDay(original.AllDay && original.EndDate.IsValid() ? original.EndDate : originalFirstDay(original)),
      m_repeat(RepeatPattern::FromRule(original.RRule, FirstDay(), original.AllDay != 0, m_zone)) {
    if (original.AllDay)
        m_zone = original.TimeZone;
    m_firstDayAsRead = FirstDay();
}

AppointmentDraft AppointmentDraft::ForNew(const DateTime& day, const DateTime& now) {
    return ForStart(AppointmentTimes::ForNewAppointment(day, now).Start());
}

AppointmentDraft AppointmentDraft::ForStart(const DateTime& start) {
    const AppointmentTimes times(start.Date(), start, start + DateTimeSpan(0, 0, 15, 0));
    Appointment appointment;
    appointment.DueDate = times.Day();
    appointment.StartTime = times.Start();
    appointment.EndTime = times.End();
    appointment.AlarmTime = times.Start();
    appointment.Alarm = 0;
    return AppointmentDraft(appointment);
}

void AppointmentDraft::SetRepeat(const RepeatPattern& pattern) {
    m_repeat = pattern;
    m_repeat.fits = true;
    m_repeatChanged = true;
}

void AppointmentDraft::MoveToDay(int year, int month, int day) {
    const int days = LastDay() - FirstDay();
    m_times.MoveToDay(year, month, day);
    m_keptAlarm = AppointmentTimes::OnDay(m_keptAlarm, year, month, day);
    m_lastDay = FirstDay() + days;
}

std::string AppointmentDraft::Rule() const {
    if (!CanRepeat())
        return {};
    const bool sameStart = FirstDay() == m_firstDayAsRead && m_allDay == (m_original.AllDay != 0);
    // A stored rule stays as written while nothing it depends on changed: the file keeps its text,
    // and a rule beyond the section's choices keeps its parts.
    if (!m_repeatChanged && (sameStart || !m_repeat.fits))
        return m_original.RRule;
    return m_repeat.ToRule(FirstDay(), m_allDay, m_zone);
}

std::string AppointmentDraft::RuleInWords() const {
    return RepeatInWords(Rule(), FirstDay(), m_allDay, m_zone);
}

DateTime AppointmentDraft::toLocal(const DateTime& wall) const {
    if (m_zone.empty() || !wall.IsValid())
        return wall;
    const std::optional<std::int64_t> utc =
        platform::ZoneToUtc(m_zone, {wall.Year(), wall.Month(), wall.Day(), wall.Hour(), wall.Minute(), wall.Second()});
    return utc ? DateTime::FromSeconds(*utc) : wall;
}

Appointment AppointmentDraft::Result() const {
    Appointment result = m_original;
    const std::string zone = knownZone(m_original);
    const bool timesAsStored = zone == m_zone && !m_allDay && !m_original.AllDay &&
                               m_times.Start() == wallTimes(m_original, zone).Start() &&
                               m_times.End() == wallTimes(m_original, zone).End();
    result.DueDate = m_times.Day();
    if (m_allDay) {
        result.AllDay = 1;
        result.EndDate = LastDay() > FirstDay() ? LastDay() : CalendarDate();
        result.StartTime = FirstDay().Midnight();
        result.EndTime = (LastDay() + 1).Midnight();
    } else {
        result.AllDay = 0;
        result.EndDate = CalendarDate();
        // Unchanged times are kept as stored, so that a zone's conversion never moves them.
        result.StartTime = timesAsStored ? m_original.StartTime : toLocal(m_times.Start());
        result.EndTime = timesAsStored ? m_original.EndTime : toLocal(m_times.End());
        // The day is the computer's day of the start, which a zone's day may not be.
        if (!m_zone.empty())
            result.DueDate = timesAsStored ? m_original.DueDate : result.StartTime.Date();
    }
    if (m_zone != zone || !m_zone.empty())
        result.TimeZone = m_zone;
    result.RRule = Rule();
    // Added dates belong to the rule they came with: a rule chosen here replaces both.
    if (m_repeatChanged && result.RRule != m_original.RRule)
        result.RDates.clear();
    result.AlarmTime = m_keptAlarm;
    if (m_alarmOn) {
        const bool leadChanged = m_minutes.Touched() || m_times.StartMoved() || m_original.Alarm == 0 ||
                                 m_allDay != (m_original.AllDay != 0) || m_zone != zone;
        if (leadChanged)
            result.AlarmTime = m_minutes.AlarmFor(result.StartTime);
        result.Alarm = 1;
    } else {
        result.Alarm = 0;
    }
    return result;
}
