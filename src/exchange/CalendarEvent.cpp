#include "CalendarEvent.h"

#include "CalendarItems.h"
#include "LocalZone.h"
#include "TextEncoding.h"

#include "core/AppointmentOccurrences.h"
#include "core/AppointmentRules.h"
#include "core/RepeatRule.h"
#include "platform/TimeZones.h"

#include <QByteArray>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace calendarevent {

namespace {

const char* tzidOf(icalproperty* property) {
    icalparameter* tzid = property ? icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER) : nullptr;
    return tzid ? icalparameter_get_tzid(tzid) : nullptr;
}

// The zone a TZID names: the calendar's VTIMEZONE, else the system's zone database, by its own
// name or, for the Windows names some programs write ("Eastern Standard Time"), by the one it stands for.
const icaltimezone* zoneNamed(const char* name, icalcomponent* calendar) {
    if (calendar)
        if (icaltimezone* zone = icalcomponent_get_timezone(calendar, name))
            return zone;
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone_from_tzid(name))
        return zone;
    if (icaltimezone* zone = icaltimezone_get_builtin_timezone(name))
        return zone;
    const QByteArray iana = QTimeZone::windowsIdToDefaultIanaId(QByteArray(name));
    return iana.isEmpty() ? nullptr : icaltimezone_get_builtin_timezone(iana.constData());
}

bool knownEverywhere(const std::string& name) {
    return !name.empty() && icaltimezone_get_builtin_timezone(name.c_str()) && platform::IsKnownTimeZone(name);
}

// The IANA name a TZID stands for: itself, the zone a Windows name means, the location its
// VTIMEZONE gives, or the tail of a prefixed name ("/example.org/2005/Europe/Berlin"); empty when
// none is known both to libical and to the system.
std::string ianaName(const char* tzid, icalcomponent* calendar) {
    if (!tzid)
        return {};
    std::vector<std::string> candidates{tzid, QTimeZone::windowsIdToDefaultIanaId(QByteArray(tzid)).toStdString()};
    if (icaltimezone* zone = calendar ? icalcomponent_get_timezone(calendar, tzid) : nullptr)
        if (icalcomponent* definition = icaltimezone_get_component(zone))
            for (icalproperty* p = icalcomponent_get_first_property(definition, ICAL_X_PROPERTY); p;
                 p = icalcomponent_get_next_property(definition, ICAL_X_PROPERTY))
                if (std::string(icalproperty_get_x_name(p)) == "X-LIC-LOCATION" && icalproperty_get_x(p))
                    candidates.emplace_back(icalproperty_get_x(p));
    const std::string name(tzid);
    for (std::size_t slash = name.find('/', 1); slash != std::string::npos; slash = name.find('/', slash + 1))
        candidates.push_back(name.substr(slash + 1));
    for (const std::string& candidate : candidates)
        if (knownEverywhere(candidate))
            return candidate;
    return {};
}

icaltimetype withZone(icaltimetype time, icalproperty* property, icalcomponent* calendar) {
    if (!time.zone && !time.is_date && property)
        if (const char* name = tzidOf(property))
            time.zone = zoneNamed(name, calendar);
    return time;
}

void addTzids(icalcomponent* component, std::set<std::string>& names) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_ANY_PROPERTY))
        if (const char* name = tzidOf(p))
            names.insert(name);
    for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT))
        addTzids(c, names);
}

CalendarDate dateOf(const icaltimetype& time) {
    return CalendarDate::FromParts(time.year, time.month, time.day);
}

// The local time to the minute: seconds are not kept.
DateTime toMinute(const DateTime& time) {
    if (!time.IsValid() || time.Second() == 0)
        return time;
    return DateTime(time.Year(), time.Month(), time.Day(), time.Hour(), time.Minute(), 0);
}

// The date a time falls on by the clocks of a series' zone (the computer's when empty): the date
// that names an occurrence of the series there. A date or a floating time is its own date.
CalendarDate wallDate(const icaltimetype& time, const std::string& zone) {
    if (time.is_date || !time.zone)
        return dateOf(time);
    const std::int64_t moment = icaltime_as_timet_with_zone(time, time.zone);
    if (!zone.empty())
        if (const std::optional<platform::WallClock> wall = platform::ZoneFromUtc(zone, moment))
            return CalendarDate::FromParts(wall->year, wall->month, wall->day);
    return CalendarDate::Of(localzone::FromUtc(moment));
}

std::string summaryOf(icalcomponent* event) {
    const char* summary = icalcomponent_get_summary(event);
    return exchangetext::ToUtf8(summary ? summary : "");
}

// The minutes from the first VALARM to the start, 0 to four weeks; -1 without an alarm.
int alarmLead(icalcomponent* event, icalcomponent* calendar, const DateTime& start, const DateTime& end,
              std::vector<std::string>* notes) {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    icalproperty* trigger = alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!trigger)
        return -1;
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    long long seconds = 0;
    if (!icaltime_is_null_time(value.time)) {
        const DateTime moment = LocalTime(withZone(value.time, trigger, calendar));
        seconds = moment.IsValid() ? start.ToSeconds() - moment.ToSeconds() : 0;
    } else {
        icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
        seconds = -static_cast<long long>(icaldurationtype_as_int(value.duration)) -
                  (fromEnd ? end.ToSeconds() - start.ToSeconds() : 0);
    }
    const long long minutes = std::max(0LL, seconds / 60);
    if (!appointmentrules::IsAlarmLead(minutes) && notes)
        notes->push_back("\"" + summaryOf(event) + "\": reminder more than four weeks ahead, set four weeks ahead");
    return appointmentrules::ClampAlarmLead(minutes);
}

std::vector<icaltimetype> listedTimes(icalcomponent* event, icalcomponent* calendar, icalproperty_kind kind,
                                      std::vector<icaltimetype>* ends = nullptr) {
    std::vector<icaltimetype> times;
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind)) {
        icaltimetype time;
        icaltimetype end = icaltime_null_time();
        if (kind == ICAL_RDATE_PROPERTY) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            time = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
            end = rdate.period.end;
        } else {
            time = icalproperty_get_exdate(p);
        }
        if (icaltime_is_null_time(time))
            continue;
        times.push_back(withZone(time, p, calendar));
        if (ends)
            ends->push_back(icaltime_is_null_time(end) ? end : withZone(end, p, calendar));
    }
    return times;
}

// The zone a series repeats in: the IANA name of DTSTART's zone, "UTC" for a start in UTC; empty
// (the computer's zone) for a floating start or a zone known by no name here.
std::string seriesZone(icalcomponent* event, icalcomponent* calendar, const icaltimetype& start, bool repeats) {
    if (start.is_date)
        return {};
    if (const char* tzid = tzidOf(icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY)))
        return ianaName(tzid, calendar);
    if (repeats && icaltime_is_utc(start) && platform::IsKnownTimeZone("UTC"))
        return "UTC";
    return {};
}

// The rule as text, the first of several; usable or not, it is kept.
std::string ruleOf(icalcomponent* event, std::vector<std::string>* notes) {
    icalproperty* rrule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rrule)
        return {};
    char* raw = icalproperty_get_value_as_string_r(rrule);
    std::string rule = raw ? raw : "";
    std::free(raw);
    if (notes && icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY))
        notes->push_back("\"" + summaryOf(event) + "\": repeats by more than one rule, only the first kept");
    if (notes && !rule.empty() && !RepeatRule::IsUsable(rule))
        notes->push_back("\"" + summaryOf(event) + "\": repeat rule " + rule +
                         " kept, but only its first occurrence is shown");
    return rule;
}

void setAllDay(Appointment& a, CalendarDate first, CalendarDate last) {
    a.AllDay = 1;
    a.DueDate = a.StartTime = a.EndTime = first.Midnight();
    a.EndDate = last.IsValid() && last > first ? last : CalendarDate();
}

// The appointment an RDATE adds: the series' first occurrence moved to another start.
Appointment addedOccurrence(const Appointment& series, const icaltimetype& start, const icaltimetype& end) {
    Appointment added = series;
    added.RRule.clear();
    added.ExDates.clear();
    added.RDates.clear();
    if (series.AllDay) {
        const CalendarDate first = CalendarDate::OfStoredDate(series.DueDate);
        const int span = series.EndDate.IsValid() ? series.EndDate - first : 0;
        const CalendarDate day = dateOf(start);
        setAllDay(added, day, span > 0 ? day + span : CalendarDate());
        added.AlarmTime = added.StartTime - (series.StartTime - series.AlarmTime);
        return added;
    }
    added.StartTime = toMinute(LocalTime(start));
    const DateTime periodEnd = icaltime_is_null_time(end) ? DateTime() : toMinute(LocalTime(end));
    added.EndTime = periodEnd.IsValid() && periodEnd >= added.StartTime
                        ? periodEnd
                        : added.StartTime + (series.EndTime - series.StartTime);
    added.AlarmTime = added.StartTime - (series.StartTime - series.AlarmTime);
    added.DueDate = added.StartTime.Date();
    return added;
}

// The dates RDATE adds to the series: those at the series' time of day (whole days for an all-day
// series) as its added dates; a date at another time of day or a period, which the series cannot
// hold, as an appointment of its own.
void addDates(EventRecords& records, icalcomponent* event, icalcomponent* calendar) {
    Appointment& series = *records.main;
    const icaltimetype start = ZonedTime(event, ICAL_DTSTART_PROPERTY, icalcomponent_get_dtstart(event));
    std::vector<icaltimetype> ends;
    const std::vector<icaltimetype> added = listedTimes(event, calendar, ICAL_RDATE_PROPERTY, &ends);
    int apart = 0;
    for (std::size_t i = 0; i < added.size(); ++i) {
        const bool same = added[i].is_date || start.is_date ? icaltime_compare_date_only(added[i], start) == 0
                                                            : icaltime_compare(added[i], start) == 0;
        if (same || !LocalTime(added[i]).IsValid())
            continue;
        const CalendarDate day = wallDate(added[i], series.TimeZone);
        bool fits = icaltime_is_null_time(ends[i]) && day.IsValid();
        if (fits && !series.AllDay && !added[i].is_date) {
            Appointment probe = series;
            probe.RRule.clear();
            probe.ExDates.clear();
            probe.RDates = {day};
            const std::optional<Occurrence> there = AppointmentOccurrences(probe).OnOriginalDate(day);
            fits = there && there->start == toMinute(LocalTime(added[i]));
        }
        if (fits) {
            series.RDates.push_back(day);
            continue;
        }
        records.extra.push_back(addedOccurrence(series, added[i], ends[i]));
        ++apart;
    }
    std::sort(series.RDates.begin(), series.RDates.end());
    series.RDates.erase(std::unique(series.RDates.begin(), series.RDates.end()), series.RDates.end());
    if (apart > 0)
        records.notes.push_back("\"" + series.Description + "\": " + std::to_string(apart) +
                                (apart == 1 ? " date" : " dates") +
                                " added to the series (RDATE) at another time kept as appointments of their own");
}

} // namespace

DateTime LocalTime(icaltimetype time) {
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
        return DateTime();
    if (time.is_date)
        return DateTime(time.year, time.month, time.day, 0, 0, 0);
    if (!time.zone)
        return DateTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
    const icaltimezone* zone = time.zone;
    time_t moment = icaltime_as_timet_with_zone(time, zone);
    // A time the clocks skip in spring is read with the offset before the change, so 02:30 becomes
    // 03:30: where the moment shows an earlier wall clock, it moves on by the difference.
    const icaltimetype shown = icaltime_from_timet_with_zone(moment, 0, zone);
    icaltimetype wall = time;
    wall.zone = nullptr;
    const time_t skipped = icaltime_as_timet(wall) - icaltime_as_timet(shown);
    if (skipped > 0 && skipped < 86400)
        moment += skipped;
    return localzone::FromUtc(static_cast<std::int64_t>(moment));
}

icaltimetype ZonedTime(icalcomponent* component, icalproperty_kind kind, icaltimetype time) {
    icalcomponent* calendar = icalcomponent_get_parent(component);
    return withZone(time, icalcomponent_get_first_property(component, kind), calendar);
}

CalendarDate SeriesDate(icaltimetype time, icalproperty* property, icalcomponent* calendar, const std::string& zone) {
    return wallDate(withZone(time, property, calendar), zone);
}

void AddUnknownZones(icalcomponent* component, icalcomponent* calendar, std::set<std::string>& names) {
    std::set<std::string> named; // each name looked up once, however many times it is used
    addTzids(component, named);
    for (const std::string& name : named)
        if (!zoneNamed(name.c_str(), calendar))
            names.insert(name);
}

std::vector<EventGroup> GroupEvents(icalcomponent* calendar) {
    std::vector<EventGroup> groups;
    std::map<std::string, std::size_t> byUid;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const char* uid = icalcomponent_get_uid(e);
        const bool isChanged = icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        EventGroup alone;
        if (isChanged)
            alone.changed.push_back(e);
        else
            alone.main = e;
        if (!uid || !*uid) {
            groups.push_back(std::move(alone));
            continue;
        }
        const auto [found, added] = byUid.try_emplace(uid, groups.size());
        if (added) {
            groups.push_back(std::move(alone));
            continue;
        }
        EventGroup& group = groups[found->second];
        if (isChanged)
            group.changed.push_back(e);
        else if (!group.main)
            group.main = e;
        else
            groups.push_back(std::move(alone)); // a second event of the same UID stands on its own
    }
    return groups;
}

std::optional<Appointment> ReadEvent(icalcomponent* event, icalcomponent* calendar, std::string& reason,
                                     std::vector<std::string>* notes) {
    const icaltimetype start = ZonedTime(event, ICAL_DTSTART_PROPERTY, icalcomponent_get_dtstart(event));
    const DateTime localStart = LocalTime(start);
    if (!localStart.IsValid()) {
        reason = "has no valid start";
        return std::nullopt;
    }
    Appointment a;
    a.Description = summaryOf(event);
    a.RRule = ruleOf(event, notes);
    a.Done = calendaritems::IsDone(event) ? 1 : 0;
    icalproperty* dtend = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
    icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
    DateTime end;
    if (start.is_date) {
        const CalendarDate first = dateOf(start);
        CalendarDate last = first;
        if (dtend) {
            const icaltimetype until = icalproperty_get_dtend(dtend);
            if (!icaltime_is_null_time(until))
                last = dateOf(until) - (until.is_date ? 1 : 0); // an end date is the day after the last
        } else if (duration) {
            const icaldurationtype length = icalproperty_get_duration(duration);
            last = first + (std::max(1, static_cast<int>(length.weeks * 7 + length.days)) - 1);
        }
        setAllDay(a, first, last);
        end = (a.EndDate.IsValid() ? a.EndDate + 1 : first + 1).Midnight();
    } else {
        a.StartTime = toMinute(localStart);
        if (dtend) {
            end = LocalTime(ZonedTime(event, ICAL_DTEND_PROPERTY, icalproperty_get_dtend(dtend)));
        } else if (duration) {
            // Hours and minutes are exact time, the same across a change of the clocks; days are not.
            const icaldurationtype length = icalproperty_get_duration(duration);
            end = length.days == 0 && length.weeks == 0
                      ? localzone::FromUtc(localStart.ToSeconds() + icaldurationtype_as_int(length))
                      : LocalTime(icaltime_add(start, length));
        }
        end = toMinute(end);
        a.EndTime = end.IsValid() && end > a.StartTime ? end : a.StartTime;
        end = a.EndTime;
        a.DueDate = a.StartTime.Date();
        const bool repeats =
            !a.RRule.empty() || icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY) != nullptr;
        a.TimeZone = seriesZone(event, calendar, start, repeats);
    }
    if (!a.StartTime.IsValid()) {
        reason = "has no valid start";
        return std::nullopt;
    }
    const int lead = alarmLead(event, calendar, a.StartTime, end, notes);
    a.Alarm = lead >= 0 ? 1 : 0;
    a.AlarmTime = appointmentrules::MinutesBefore(a.StartTime, std::max(lead, 0));
    if (a.Repeats() || icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY)) {
        for (const icaltimetype& excluded : listedTimes(event, calendar, ICAL_EXDATE_PROPERTY))
            if (const CalendarDate day = wallDate(excluded, a.TimeZone); day.IsValid())
                a.ExDates.push_back(day);
    }
    return a;
}

EventRecords Read(const EventGroup& group, icalcomponent* calendar) {
    EventRecords records;
    if (!group.main) {
        // Changed occurrences of a series the calendar does not hold: each stands on its own.
        for (icalcomponent* c : group.changed) {
            std::string reason;
            if (std::optional<Appointment> single = ReadEvent(c, calendar, reason, &records.notes)) {
                single->RRule.clear();
                single->ExDates.clear();
                records.extra.push_back(std::move(*single));
            }
        }
        return records;
    }
    records.main = ReadEvent(group.main, calendar, records.reason, &records.notes);
    if (!records.main)
        return records;
    Appointment& series = *records.main;
    addDates(records, group.main, calendar);
    for (icalcomponent* c : group.changed) {
        const icaltimetype instance = ZonedTime(c, ICAL_RECURRENCEID_PROPERTY, icalcomponent_get_recurrenceid(c));
        const CalendarDate original = wallDate(instance, series.TimeZone);
        if (icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED) {
            series.ExDates.push_back(original);
            continue;
        }
        std::string reason;
        std::optional<Appointment> changed = ReadEvent(c, calendar, reason, &records.notes);
        if (!changed) {
            records.notes.push_back("\"" + summaryOf(c) + "\": a changed occurrence that " + reason + ", left out");
            continue;
        }
        changed->RRule.clear();
        changed->ExDates.clear();
        if (series.Repeats() && original.IsValid()) {
            changed->OriginalDate = original;
            records.changed.push_back(std::move(*changed));
        } else {
            records.extra.push_back(std::move(*changed));
        }
    }
    std::sort(series.ExDates.begin(), series.ExDates.end());
    series.ExDates.erase(std::unique(series.ExDates.begin(), series.ExDates.end()), series.ExDates.end());

    if (!series.Repeats())
        series.ExDates.clear();
    return records;
}

} // namespace calendarevent
