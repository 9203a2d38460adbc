#include "RepeatRule.h"

#include "platform/TimeZones.h"

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace {

// Bounds the work one question may cost: a rule that counts or runs through more occurrences than
// this is cut off there (a hostile file must not stop the program).
constexpr int kMaxSteps = 100000;
// Ranges up to this many days are sieved date by date before the rule is expanded.
constexpr int kSievedDays = 62;

struct IteratorFree {
    void operator()(icalrecur_iterator* iterator) const { icalrecur_iterator_free(iterator); }
};
using Iterator = std::unique_ptr<icalrecur_iterator, IteratorFree>;

bool parse(std::string_view text, icalrecurrencetype& rule) {
    const std::string terminated(text);
    icalerror_clear_errno();
    rule = icalrecurrencetype_from_string(terminated.c_str());
    bool usable =
        icalerrno == ICAL_NO_ERROR && rule.freq >= ICAL_DAILY_RECURRENCE && rule.freq <= ICAL_YEARLY_RECURRENCE;
    // Calendars other than the Gregorian are not ours to repeat by.
    if (rule.rscale) {
        icalmemory_free_buffer(rule.rscale);
        rule.rscale = nullptr;
        usable = false;
    }
    icalerror_clear_errno();
    return usable;
}

icaltimetype toIcal(const CalendarRecord& parts, bool date) {
    icaltimetype time = icaltime_null_time();
    time.year = parts.year;
    time.month = parts.month;
    time.day = parts.day;
    if (date) {
        time.is_date = 1;
    } else {
        time.hour = parts.hour;
        time.minute = parts.minute;
        time.second = parts.second;
    }
    return time;
}

CalendarRecord toRecord(const icaltimetype& time) {
    CalendarRecord parts;
    parts.year = time.year;
    parts.month = time.month;
    parts.day = time.day;
    if (!time.is_date) {
        parts.hour = time.hour;
        parts.minute = time.minute;
        parts.second = time.second;
    }
    return parts;
}

CalendarDate dateOf(const icaltimetype& time) {
    return CalendarDate::FromParts(time.year, time.month, time.day);
}

// The wall-clock reading of a UTC moment in the series' zone (the computer's when empty).
std::optional<CalendarRecord> wallOfUtc(std::int64_t utc, const std::string& zone) {
    if (!zone.empty()) {
        if (const std::optional<platform::WallClock> wall = platform::ZoneFromUtc(zone, utc))
            return CalendarRecord{wall->year, wall->month, wall->day, wall->hour, wall->minute, wall->second};
    }
    const DateTime local = DateTime::FromSeconds(utc);
    if (!local.IsValid())
        return std::nullopt;
    return local.ToCalendarRecord();
}

// libical compares UNTIL with the occurrences field by field: it must be in the occurrences' own
// form. A UTC moment becomes the series' wall-clock time; a date ends with that day.
void alignUntil(icalrecurrencetype& rule, bool allDay, const std::string& zone) {
    icaltimetype& until = rule.until;
    if (icaltime_is_null_time(until))
        return;
    if (allDay) {
        until.is_date = 1;
        until.hour = until.minute = until.second = 0;
    } else if (until.is_date) {
        until.is_date = 0;
        until.hour = 23;
        until.minute = 59;
        until.second = 59;
    } else if (icaltime_is_utc(until)) {
        const auto utc = static_cast<std::int64_t>(icaltime_as_timet(until));
        if (const std::optional<CalendarRecord> wall = wallOfUtc(utc, zone)) {
            const icaltimetype aligned = toIcal(*wall, false);
            until.year = aligned.year;
            until.month = aligned.month;
            until.day = aligned.day;
            until.hour = aligned.hour;
            until.minute = aligned.minute;
            until.second = aligned.second;
        }
    }
    until.zone = nullptr;
}

} // namespace

bool RepeatRule::IsUsable(std::string_view rule) {
    icalrecurrencetype parsed;
    return parse(rule, parsed);
}

RepeatRule::RepeatRule(std::string rule, const CalendarRecord& start, bool allDay, std::string untilZone)
    : m_rule(std::move(rule)), m_start(start), m_allDay(allDay), m_untilZone(std::move(untilZone)) {
    icalrecurrencetype parsed;
    m_usable = parse(m_rule, parsed) && CalendarDate::FromParts(start.year, start.month, start.day).IsValid();
    m_last = lastDate();
    if (m_usable) {
        alignUntil(parsed, m_allDay, m_untilZone);
        m_hasUntil = !icaltime_is_null_time(parsed.until);
        m_sieve = RepeatSieve(parsed, m_start);
    }
}

std::vector<CalendarRecord> RepeatRule::Between(CalendarDate from, CalendarDate to) const {
    const CalendarDate first = CalendarDate::FromParts(m_start.year, m_start.month, m_start.day);
    if (!m_usable || !first.IsValid() || !from.IsValid() || !to.IsValid() || to < from || to - from >= kSievedDays)
        return expand(from, to);
    // A short range: the dates the sieve lets through, from the start to the last date.
    std::vector<CalendarDate> passing;
    const CalendarDate last = m_last.IsValid() ? std::min(to, m_last) : to;
    CalendarDate date = std::max(from, first);
    CalendarRecord parts = date.Midnight().ToCalendarRecord();
    for (; date.IsValid() && date <= last; date = date + 1, RepeatSieve::StepDay(parts))
        if (m_sieve.Passes(date, parts))
            passing.push_back(date);
    if (passing.empty())
        return {};
    // Where the sieve is exact the dates are the occurrences, except on the day UNTIL ends the rule,
    // which depends on the time of day.
    if (!m_sieve.Exact() || (m_hasUntil && passing.back() == m_last))
        return expand(passing.front(), passing.back());
    std::vector<CalendarRecord> found;
    found.reserve(passing.size());
    for (const CalendarDate day : passing) {
        CalendarRecord wall = m_start;
        if (day != first) {
            const CalendarRecord dayParts = day.Midnight().ToCalendarRecord();
            wall.year = dayParts.year;
            wall.month = dayParts.month;
            wall.day = dayParts.day;
        }
        wall.dayOfWeek = 0;
        wall.milliseconds = 0;
        found.push_back(wall);
    }
    return found;
}

std::vector<CalendarRecord> RepeatRule::expand(CalendarDate from, CalendarDate to) const {
    std::vector<CalendarRecord> found;
    const CalendarDate first = CalendarDate::FromParts(m_start.year, m_start.month, m_start.day);
    if (!first.IsValid() || !from.IsValid() || !to.IsValid() || to < from)
        return found;
    const icaltimetype start = toIcal(m_start, m_allDay);
    if (first >= from && first <= to)
        found.push_back(toRecord(start));
    icalrecurrencetype rule;
    if (!m_usable || !parse(m_rule, rule) || first > to)
        return found;
    alignUntil(rule, m_allDay, m_untilZone);
    const Iterator iterator(icalrecur_iterator_new(rule, start));
    if (!iterator)
        return found;
    // COUNT is counted from the start, so such a rule is followed from there; any other starts late.
    const bool counted = rule.count > 0;
    int remaining = counted ? rule.count - 1 : 0;
    if (!counted && from > first) {
        const CalendarRecord day{from.Year(), from.Month(), from.Day(), 0, 0, 0, 0, 0};
        icalrecur_iterator_set_start(iterator.get(), toIcal(day, m_allDay));
    }
    CalendarDate last = first;
    for (int step = 0; step < kMaxSteps; ++step) {
        const icaltimetype next = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(next))
            break;
        if (icaltime_compare(next, start) == 0)
            continue;
        if (counted && remaining-- <= 0)
            break;
        const CalendarDate date = dateOf(next);
        if (!date.IsValid() || date > to)
            break;
        if (date == last)
            continue;
        last = date;
        if (date >= from)
            found.push_back(toRecord(next));
    }
    return found;
}

CalendarDate RepeatRule::lastDate() const {
    icalrecurrencetype rule;
    const CalendarDate first = CalendarDate::FromParts(m_start.year, m_start.month, m_start.day);
    if (!m_usable || !parse(m_rule, rule))
        return first;
    alignUntil(rule, m_allDay, m_untilZone);
    if (!icaltime_is_null_time(rule.until)) {
        const CalendarDate until = dateOf(rule.until);
        return until.IsValid() && until < first ? first : until;
    }
    if (rule.count <= 0)
        return {};
    const icaltimetype start = toIcal(m_start, m_allDay);
    const Iterator iterator(icalrecur_iterator_new(rule, start));
    CalendarDate last = first;
    int remaining = rule.count - 1;
    for (int step = 0; iterator && remaining > 0; ++step) {
        if (step == kMaxSteps)
            return {};
        const icaltimetype next = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(next))
            break;
        if (icaltime_compare(next, start) == 0)
            continue;
        --remaining;
        last = dateOf(next);
    }
    return last;
}
