#include "AppointmentOccurrences.h"

#include "platform/TimeZones.h"

#include <algorithm>
#include <cmath>

namespace {

// Zones differ from each other by at most 26 hours: a wall-clock date of the series' zone lies
// within two days of the computer's date of the same moment.
constexpr int kZoneMargin = 2;

// The last day an occurrence covers: the day of its end, unless it ends at that day's midnight.
CalendarDate lastDayOf(const DateTime& start, const DateTime& end) {
    const CalendarDate first = CalendarDate::Of(start);
    if (!(end > start))
        return first;
    CalendarDate last = CalendarDate::Of(end);
    if (last.IsValid() && end == last.Midnight())
        last = last - 1;
    return last.IsValid() && last > first ? last : first;
}

CalendarRecord wallOf(const CalendarDate& date) {
    return CalendarRecord{date.Year(), date.Month(), date.Day(), 0, 0, 0, 0, 0};
}

} // namespace

Occurrence AppointmentOccurrences::Single(const Appointment& appointment) {
    Occurrence o;
    o.id = appointment.ID;
    o.seriesId = appointment.SeriesID;
    if (appointment.SeriesID != 0)
        o.original = appointment.OriginalDate;
    if (appointment.AllDay) {
        const CalendarDate first = CalendarDate::OfStoredDate(appointment.DueDate);
        const CalendarDate last =
            appointment.EndDate.IsValid() && appointment.EndDate > first ? appointment.EndDate : first;
        o.allDay = true;
        o.firstDay = first;
        o.lastDay = first.IsValid() ? last : first;
        o.start = first.Midnight();
        o.end = (o.lastDay + 1).Midnight();
    } else {
        o.start = appointment.StartTime;
        o.end = appointment.EndTime.IsValid() && appointment.EndTime > appointment.StartTime ? appointment.EndTime
                                                                                             : appointment.StartTime;
        if (o.start.IsValid()) {
            o.firstDay = CalendarDate::Of(o.start);
            o.lastDay = lastDayOf(o.start, o.end);
        } else {
            // Without a start it is still listed on its day, as it always was.
            o.firstDay = o.lastDay = CalendarDate::OfStoredDate(appointment.DueDate);
        }
    }
    o.alarmed = appointment.Alarm != 0;
    if (o.alarmed)
        o.alarm = appointment.AlarmTime;
    return o;
}

AppointmentOccurrences::AppointmentOccurrences(const Appointment& appointment) : m_record(appointment) {
    m_record.Description.clear();
    m_first = Single(appointment);
    m_lastDay = m_first.lastDay;
    if (!appointment.Repeats() || !m_first.firstDay.IsValid())
        return;
    const bool zoned =
        !appointment.AllDay && !appointment.TimeZone.empty() && platform::IsKnownTimeZone(appointment.TimeZone);
    CalendarRecord wallStart;
    if (appointment.AllDay) {
        wallStart = wallOf(m_first.firstDay);
    } else if (zoned) {
        const std::optional<platform::WallClock> wall =
            platform::ZoneFromUtc(appointment.TimeZone, appointment.StartTime.ToSeconds());
        if (!wall)
            return;
        wallStart = CalendarRecord{wall->year, wall->month, wall->day, wall->hour, wall->minute, wall->second, 0, 0};
    } else {
        wallStart = appointment.StartTime.ToCalendarRecord();
    }
    std::vector<CalendarDate> added = appointment.RDates;
    std::erase_if(added, [](CalendarDate day) { return !day.IsValid(); });
    if (appointment.RRule.empty() && added.empty())
        return;
    if (!appointment.RRule.empty()) {
        RepeatRule rule(appointment.RRule, wallStart, appointment.AllDay != 0,
                        zoned ? appointment.TimeZone : std::string());
        // A rule that cannot be used leaves a single appointment, added dates or not.
        if (!rule.IsUsable())
            return;
        m_rule.emplace(std::move(rule));
    }
    m_repeats = true;
    m_wallStart = wallStart;
    if (zoned)
        m_zone = appointment.TimeZone;
    m_first.seriesId = appointment.ID;
    m_first.original = CalendarDate::FromParts(wallStart.year, wallStart.month, wallStart.day);
    m_durationDays = (m_first.end - m_first.start).Days();
    m_durationSeconds = m_first.end.ToSeconds() - m_first.start.ToSeconds();
    m_spanDays = (m_first.lastDay - m_first.firstDay) + 1;
    if (appointment.Alarm)
        m_leadDays = (appointment.StartTime - appointment.AlarmTime).Days();
    m_exDates = appointment.ExDates;
    std::sort(m_exDates.begin(), m_exDates.end());
    m_rDates = std::move(added);
    std::sort(m_rDates.begin(), m_rDates.end());
    m_rDates.erase(std::unique(m_rDates.begin(), m_rDates.end()), m_rDates.end());
    CalendarDate last = m_rule ? m_rule->LastDate() : m_first.original;
    if (last.IsValid() && !m_rDates.empty() && m_rDates.back() > last)
        last = m_rDates.back();
    m_lastDay = last.IsValid() ? last + (m_spanDays + kZoneMargin) : CalendarDate();
}

bool AppointmentOccurrences::SameOccurrences(const Appointment& a) const {
    const Appointment& r = m_record;
    return a.ID == r.ID && a.DueDate == r.DueDate && a.StartTime == r.StartTime && a.EndTime == r.EndTime &&
           a.Alarm == r.Alarm && a.AlarmTime == r.AlarmTime && a.AllDay == r.AllDay && a.EndDate == r.EndDate &&
           a.RRule == r.RRule && a.ExDates == r.ExDates && a.RDates == r.RDates && a.SeriesID == r.SeriesID &&
           a.OriginalDate == r.OriginalDate && a.TimeZone == r.TimeZone;
}

bool AppointmentOccurrences::excluded(CalendarDate original) const {
    return std::binary_search(m_exDates.begin(), m_exDates.end(), original);
}

std::vector<CalendarRecord> AppointmentOccurrences::wallsBetween(CalendarDate from, CalendarDate to) const {
    std::vector<CalendarRecord> walls;
    if (m_rule)
        walls = m_rule->Between(from, to);
    else if (m_first.original >= from && m_first.original <= to)
        walls.push_back(m_wallStart);
    const auto begin = std::lower_bound(m_rDates.begin(), m_rDates.end(), from);
    const auto end = std::upper_bound(begin, m_rDates.end(), to);
    if (begin == end)
        return walls;
    const auto dateOf = [](const CalendarRecord& wall) {
        return CalendarDate::FromParts(wall.year, wall.month, wall.day);
    };
    const std::size_t fromRule = walls.size();
    for (auto day = begin; day != end; ++day) {
        const bool given = std::any_of(walls.begin(), walls.begin() + fromRule,
                                       [&](const CalendarRecord& wall) { return dateOf(wall) == *day; });
        if (given || *day < m_first.original)
            continue;
        CalendarRecord wall = m_wallStart;
        wall.year = day->Year();
        wall.month = day->Month();
        wall.day = day->Day();
        walls.push_back(wall);
    }
    std::sort(walls.begin(), walls.end(),
              [&](const CalendarRecord& a, const CalendarRecord& b) { return dateOf(a) < dateOf(b); });
    return walls;
}

Occurrence AppointmentOccurrences::occurrenceAt(const CalendarRecord& wall, CalendarDate original) const {
    if (original == m_first.original)
        return m_first;
    Occurrence o = m_first;
    o.original = original;
    if (o.allDay) {
        o.firstDay = original;
        o.lastDay = original + (m_spanDays - 1);
        o.start = o.firstDay.Midnight();
        o.end = (o.lastDay + 1).Midnight();
    } else {
        if (!m_zone.empty()) {
            const std::optional<std::int64_t> utc =
                platform::ZoneToUtc(m_zone, {wall.year, wall.month, wall.day, wall.hour, wall.minute, wall.second});
            o.start = utc ? DateTime::FromSeconds(*utc) : DateTime();
            o.end = utc ? DateTime::FromSeconds(*utc + m_durationSeconds) : DateTime();
        } else {
            o.start = DateTime(wall);
            o.end = o.start + DateTimeSpan(m_durationDays);
        }
        o.firstDay = CalendarDate::Of(o.start);
        o.lastDay = lastDayOf(o.start, o.end);
    }
    if (o.alarmed)
        o.alarm = o.start - DateTimeSpan(m_leadDays);
    return o;
}

std::vector<Occurrence> AppointmentOccurrences::Covering(CalendarDate from, CalendarDate to) const {
    std::vector<Occurrence> found;
    if (!from.IsValid() || !to.IsValid())
        return found;
    if (!m_repeats) {
        if (m_first.firstDay.IsValid() && m_first.firstDay <= to && m_first.lastDay >= from)
            found.push_back(m_first);
        return found;
    }
    // In the computer's zone an occurrence's first day is its wall-clock date; in another zone that
    // date may lie up to two days either side.
    const int margin = m_zone.empty() ? 0 : kZoneMargin;
    const CalendarDate wallFrom = from - (m_spanDays - 1 + margin);
    const CalendarDate wallTo = to + margin;
    for (const CalendarRecord& wall :
         wallsBetween(wallFrom.IsValid() ? wallFrom : from, wallTo.IsValid() ? wallTo : to)) {
        const CalendarDate original = CalendarDate::FromParts(wall.year, wall.month, wall.day);
        if (excluded(original))
            continue;
        Occurrence o = occurrenceAt(wall, original);
        if (o.firstDay.IsValid() && o.firstDay <= to && o.lastDay >= from)
            found.push_back(std::move(o));
    }
    return found;
}

std::optional<Occurrence> AppointmentOccurrences::OnOriginalDate(CalendarDate original) const {
    if (!m_repeats || !original.IsValid() || excluded(original))
        return std::nullopt;
    const std::vector<CalendarRecord> walls = wallsBetween(original, original);
    if (walls.empty())
        return std::nullopt;
    return occurrenceAt(walls.front(), original);
}

Appointment ChangedOccurrence(const Appointment& series, const Occurrence& occurrence) {
    Appointment changed = series;
    changed.ID = 0;
    changed.RRule.clear();
    changed.ExDates.clear();
    changed.RDates.clear();
    changed.SeriesID = series.ID;
    changed.OriginalDate = occurrence.original;
    changed.DueDate = occurrence.firstDay.Midnight();
    changed.StartTime = occurrence.start;
    changed.EndTime = occurrence.end;
    changed.EndDate =
        occurrence.allDay && occurrence.lastDay > occurrence.firstDay ? occurrence.lastDay : CalendarDate();
    if (occurrence.alarmed)
        changed.AlarmTime = occurrence.alarm;
    return changed;
}
