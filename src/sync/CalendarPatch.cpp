#include "ContentLines.h"
#include "RecordPatch.h"
#include "RecordText.h"

#include "exchange/CalendarEvent.h"
#include "exchange/CalendarItems.h"
#include "exchange/LocalZone.h"

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace recordpatch {

namespace {

struct CalendarFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Calendar = std::unique_ptr<icalcomponent, CalendarFree>;

struct PropertyFree {
    void operator()(icalproperty* property) const { icalproperty_free(property); }
};
using Property = std::unique_ptr<icalproperty, PropertyFree>;

std::string text(icalproperty* property) {
    char* raw = icalproperty_as_ical_string_r(property);
    std::string out = raw ? raw : "";
    std::free(raw);
    return out;
}

std::string text(icalcomponent* component) {
    char* raw = icalcomponent_as_ical_string_r(component);
    std::string out = raw ? raw : "";
    std::free(raw);
    return out;
}

// The server's object, read twice: by libical for the values, and as lines for the patch.
struct Object {
    Calendar calendar;
    icalcomponent* item = nullptr;
    ContentLines lines;
    ContentLines::Range range; // the item's lines

    Object(std::string_view serverText, icalcomponent_kind kind, const char* name)
        : calendar(icalparser_parse_string(std::string(serverText).c_str())), lines(serverText) {
        if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
            return;
        item = icalcomponent_get_first_component(calendar.get(), kind);
        const std::optional<ContentLines::Range> outer = lines.Component("VCALENDAR");
        const std::vector<ContentLines::Range> inner =
            outer ? lines.Components(*outer, name) : std::vector<ContentLines::Range>();
        if (inner.empty() || inner.front().end >= lines.Size())
            item = nullptr;
        else
            range = inner.front();
    }
    bool Usable() const { return item != nullptr; }

    icalproperty* First(icalproperty_kind kind) const { return icalcomponent_get_first_property(item, kind); }

    // Puts the property's new text in place of the line of that name, or adds it.
    void Set(std::string_view name, icalproperty* property) {
        const std::string line = text(property);
        if (const std::optional<std::size_t> at = lines.Property(range, name))
            lines.Replace(*at, line);
        else
            lines.InsertBefore(range.end, line);
    }
    void Remove(std::string_view name) {
        for (std::size_t at : lines.Properties(range, name))
            lines.Remove(at);
    }
};

// A local date-time in the form the property had: in its zone when it names one, in UTC when it
// was UTC, as a wall-clock time when it was floating (or named a zone nobody knows, which the
// reader took as local too). A date stays a date.
icaltimetype timeLike(icalproperty* original, icalcomponent* calendar, const DateTime& local) {
    icaltimetype was = icaltime_null_time();
    if (original)
        was = icalvalue_get_datetime(icalproperty_get_value(original));
    if (was.is_date) {
        icaltimetype date = icaltime_null_date();
        date.year = local.Year();
        date.month = local.Month();
        date.day = local.Day();
        return date;
    }
    localzone::ToUtc toUtc;
    const std::optional<std::int64_t> seconds = toUtc(local);
    icalparameter* tzid = original ? icalproperty_get_first_parameter(original, ICAL_TZID_PARAMETER) : nullptr;
    const char* zoneName = tzid ? icalparameter_get_tzid(tzid) : nullptr;
    const icaltimezone* zone = nullptr;
    if (zoneName) {
        zone = icalcomponent_get_timezone(calendar, zoneName);
        if (!zone)
            zone = icaltimezone_get_builtin_timezone(zoneName);
    }
    const bool utc = original && !zoneName && icaltime_is_utc(was);
    if (seconds && (zone || utc)) {
        icaltimetype time = icaltime_from_timet_with_zone(static_cast<time_t>(*seconds), 0,
                                                          zone ? zone : icaltimezone_get_utc_timezone());
        if (zone)
            time.zone = nullptr; // the TZID parameter names it
        return time;
    }
    icaltimetype time = icaltime_null_time();
    time.year = local.Year();
    time.month = local.Month();
    time.day = local.Day();
    time.hour = local.Hour();
    time.minute = local.Minute();
    time.second = local.Second();
    return time;
}

// A copy of the property (parameters and all) with another time, or a new one of the kind.
Property withTime(icalproperty* original, icalproperty_kind kind, icalcomponent* calendar, const DateTime& local) {
    Property property(original ? icalproperty_new_clone(original) : icalproperty_new(kind));
    const icaltimetype time = timeLike(original, calendar, local);
    icalproperty_set_value(property.get(), time.is_date ? icalvalue_new_date(time) : icalvalue_new_datetime(time));
    return property;
}

Property summary(const std::string& description) {
    return Property(icalproperty_new_summary(description.c_str()));
}

icaltriggertype leadTrigger(int minutes) {
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-60 * minutes);
    return trigger;
}

// Whole minutes from the alarm to the start, up to four weeks; -1 without an alarm.
int lead(const Appointment& appointment) {
    if (!appointment.Alarm)
        return -1;
    const double seconds = std::round((appointment.StartTime - appointment.AlarmTime).Days() * 86400.0);
    return static_cast<int>(std::clamp(std::trunc(seconds / 60.0), 0.0, 4.0 * 7 * 1440));
}

Property dateProperty(icalproperty* (*make)(icaltimetype), CalendarDate day) {
    icaltimetype date = icaltime_null_date();
    date.year = day.Year();
    date.month = day.Month();
    date.day = day.Day();
    return Property(make(date));
}

// Whole days: DTSTART and DTEND as dates, the end the day after the last.
void patchDays(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (!all && before.AllDay && before.DueDate == now.DueDate && before.EndDate == now.EndDate)
        return;
    const CalendarDate first = CalendarDate::OfStoredDate(now.DueDate);
    const CalendarDate last = now.EndDate.IsValid() && now.EndDate > first ? now.EndDate : first;
    object.Set("DTSTART", dateProperty(icalproperty_new_dtstart, first).get());
    object.Remove("DURATION");
    object.Set("DTEND", dateProperty(icalproperty_new_dtend, last + 1).get());
}

DateTime localOf(icalproperty* property, icalcomponent* calendar) {
    if (!property)
        return DateTime();
    icaltimetype time = icalvalue_get_datetime(icalproperty_get_value(property));
    if (!time.is_date && !time.zone) {
        if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER)) {
            time.zone = icalcomponent_get_timezone(calendar, icalparameter_get_tzid(tzid));
            if (!time.zone)
                time.zone = icaltimezone_get_builtin_timezone(icalparameter_get_tzid(tzid));
        }
    }
    return calendarevent::LocalTime(time);
}

void patchTimes(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (now.AllDay) {
        patchDays(object, before, now, all);
        return;
    }
    icalcomponent* calendar = object.calendar.get();
    const bool start = all || before.StartTime != now.StartTime;
    const bool end = all || before.EndTime != now.EndTime;
    if (!start && !end)
        return;
    icalproperty* dtstart = object.First(ICAL_DTSTART_PROPERTY);
    icalproperty* dtend = object.First(ICAL_DTEND_PROPERTY);
    icalproperty* duration = object.First(ICAL_DURATION_PROPERTY);
    if (start)
        object.Set("DTSTART", withTime(dtstart, ICAL_DTSTART_PROPERTY, calendar, now.StartTime).get());
    if (duration && !dtend) {
        // The length follows from the start that now stands and the end the appointment has.
        const DateTime exactStart = start ? now.StartTime : localOf(dtstart, calendar);
        const int oldLength = icaldurationtype_as_int(icalproperty_get_duration(duration));
        const DateTime exactEnd = end ? now.EndTime : localOf(dtstart, calendar) + DateTimeSpan(oldLength / 86400.0);
        const int seconds = static_cast<int>(std::lround((exactEnd - exactStart).Days() * 86400.0));
        Property length(icalproperty_new_clone(duration));
        icalproperty_set_duration(length.get(), icaldurationtype_from_int(std::max(0, seconds)));
        object.Set("DURATION", length.get());
        return;
    }
    if (end || !dtend)
        object.Set("DTEND", withTime(dtend ? dtend : dtstart, ICAL_DTEND_PROPERTY, calendar, now.EndTime).get());
}

void patchAlarm(Object& object, const Appointment& before, const Appointment& now, bool all) {
    const int was = lead(before), is = lead(now);
    if (!all && was == is)
        return;
    const std::vector<ContentLines::Range> alarms = object.lines.Components(object.range, "VALARM");
    if (is < 0) {
        // Turned off here: no alarm of the event may ring any more.
        for (const ContentLines::Range& alarm : alarms)
            object.lines.Remove(alarm);
        return;
    }
    Property trigger(icalproperty_new_trigger(leadTrigger(is)));
    if (!alarms.empty()) {
        if (const std::optional<std::size_t> at = object.lines.Property(alarms.front(), "TRIGGER"))
            object.lines.Replace(*at, text(trigger.get()));
        else
            object.lines.InsertBefore(alarms.front().end, text(trigger.get()));
        return;
    }
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(
        alarm, icalproperty_new_description(now.Description.empty() ? "Reminder" : now.Description.c_str()));
    icalcomponent_add_property(alarm, trigger.release());
    object.lines.InsertBefore(object.range.end, text(alarm));
    icalcomponent_free(alarm);
}

// The rule, and the excluded dates at the time of day DTSTART has, in its zone (or as dates).
void patchRepeat(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (all || before.RRule != now.RRule) {
        Property rule(now.RRule.empty() ? nullptr : icalproperty_new_from_string(("RRULE:" + now.RRule).c_str()));
        if (rule)
            object.Set("RRULE", rule.get());
        else
            object.Remove("RRULE");
    }
    if (!all && before.ExDates == now.ExDates)
        return;
    object.Remove("EXDATE");
    icalproperty* dtstart = object.First(ICAL_DTSTART_PROPERTY);
    if (!dtstart || now.RRule.empty())
        return;
    const icaltimetype start = icalvalue_get_datetime(icalproperty_get_value(dtstart));
    icalparameter* tzid = icalproperty_get_first_parameter(dtstart, ICAL_TZID_PARAMETER);
    for (const CalendarDate& day : now.ExDates) {
        icaltimetype at = start;
        at.year = day.Year();
        at.month = day.Month();
        at.day = day.Day();
        Property excluded(icalproperty_new_exdate(at));
        if (tzid)
            icalproperty_add_parameter(excluded.get(), icalparameter_new_clone(tzid));
        object.lines.InsertBefore(object.range.end, text(excluded.get()));
    }
}

// Done as this program marks it; a STATUS:COMPLETED another program set would still read as done.
void patchDone(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (!all && (before.Done != 0) == (now.Done != 0))
        return;
    object.Remove(calendaritems::kDoneProperty);
    if (now.Done) {
        Property mark(icalproperty_new_x("TRUE"));
        icalproperty_set_x_name(mark.get(), calendaritems::kDoneProperty);
        object.Set(calendaritems::kDoneProperty, mark.get());
    } else if (icalcomponent_get_status(object.item) == ICAL_STATUS_COMPLETED) {
        object.Remove("STATUS");
    }
}

std::string patchEvent(std::string_view serverText, const Appointment& before, const Appointment& now, bool all) {
    Object object(serverText, ICAL_VEVENT_COMPONENT, "VEVENT");
    if (!object.Usable())
        return std::string(serverText);
    if (all || before.Description != now.Description)
        object.Set("SUMMARY", summary(now.Description).get());
    patchTimes(object, before, now, all);
    patchRepeat(object, before, now, all);
    patchAlarm(object, before, now, all);
    patchDone(object, before, now, all);
    return object.lines.Text();
}

// What the patch writes is checked whole: a change it cannot write (the rule, the excluded dates,
// all day or not, the zone) has the record written whole.
bool sameEvent(const Appointment& a, const Appointment& b) {
    return a.Description == b.Description && a.StartTime == b.StartTime && a.EndTime == b.EndTime &&
           a.DueDate == b.DueDate && lead(a) == lead(b) && a.AllDay == b.AllDay && a.EndDate == b.EndDate &&
           a.TimeZone == b.TimeZone && a.RRule == b.RRule && a.ExDates == b.ExDates && (a.Done != 0) == (b.Done != 0);
}

int icalPriority(int priority) {
    switch (priority) {
    case Task::High:
        return 1;
    case Task::Low:
        return 9;
    default:
        return 5;
    }
}

// The new date at the time of day the property had, in its form.
Property dateLike(icalproperty* original, icalproperty_kind kind, icalcomponent* calendar, const DateTime& day) {
    const DateTime was = localOf(original, calendar);
    const DateTime at =
        was.IsValid() ? DateTime(day.Year(), day.Month(), day.Day(), was.Hour(), was.Minute(), was.Second()) : day;
    if (original)
        return withTime(original, kind, calendar, at);
    Property property(icalproperty_new(kind));
    icaltimetype date = icaltime_null_date();
    date.year = day.Year();
    date.month = day.Month();
    date.day = day.Day();
    icalproperty_set_value(property.get(), icalvalue_new_date(date));
    return property;
}

void patchCompletion(Object& object, const Task& before, const Task& now, bool all) {
    icalcomponent* calendar = object.calendar.get();
    if (now.IsDone()) {
        if (all || !before.IsDone()) {
            object.Set("STATUS", Property(icalproperty_new_status(ICAL_STATUS_COMPLETED)).get());
            if (object.First(ICAL_PERCENTCOMPLETE_PROPERTY))
                object.Set("PERCENT-COMPLETE", Property(icalproperty_new_percentcomplete(100)).get());
        }
        if (all || !before.IsDone() || before.DoneDate != now.DoneDate) {
            icalproperty* completed = object.First(ICAL_COMPLETED_PROPERTY);
            Property stamp = dateLike(completed, ICAL_COMPLETED_PROPERTY, calendar, now.DoneDate);
            if (!completed) {
                // COMPLETED is always a UTC date-time.
                localzone::ToUtc toUtc;
                if (const std::optional<std::int64_t> seconds = toUtc(now.DoneDate))
                    stamp.reset(icalproperty_new_completed(icaltime_from_timet_with_zone(
                        static_cast<time_t>(*seconds), 0, icaltimezone_get_utc_timezone())));
            }
            object.Set("COMPLETED", stamp.get());
        }
        return;
    }
    if (all || before.IsDone()) {
        object.Remove("COMPLETED");
        if (object.First(ICAL_STATUS_PROPERTY))
            object.Set("STATUS", Property(icalproperty_new_status(ICAL_STATUS_NEEDSACTION)).get());
        if (object.First(ICAL_PERCENTCOMPLETE_PROPERTY))
            object.Set("PERCENT-COMPLETE", Property(icalproperty_new_percentcomplete(0)).get());
    }
    // A priority of the same class stays as the server had it (3 is as high as 1).
    if (all || before.IsDone() || before.Priority != now.Priority) {
        icalproperty* priority = object.First(ICAL_PRIORITY_PROPERTY);
        const int is = icalPriority(now.Priority);
        const int was = priority ? icalproperty_get_priority(priority) : 0;
        const bool sameClass = (was >= 1 && was <= 4)   ? now.Priority == Task::High
                               : (was >= 6 && was <= 9) ? now.Priority == Task::Low
                                                        : now.Priority == Task::Medium;
        if (!sameClass || all)
            object.Set("PRIORITY", Property(icalproperty_new_priority(is)).get());
    }
}

std::string patchTodo(std::string_view serverText, const Task& before, const Task& now, bool all) {
    Object object(serverText, ICAL_VTODO_COMPONENT, "VTODO");
    if (!object.Usable())
        return std::string(serverText);
    if (all || before.Description != now.Description)
        object.Set("SUMMARY", summary(now.Description).get());
    if (all || before.DueDate != now.DueDate)
        object.Set(
            "DUE",
            dateLike(object.First(ICAL_DUE_PROPERTY), ICAL_DUE_PROPERTY, object.calendar.get(), now.DueDate).get());
    patchCompletion(object, before, now, all);
    return object.lines.Text();
}

bool sameTask(const Task& a, const Task& b) {
    return a.Description == b.Description && a.Priority == b.Priority && a.DueDate == b.DueDate &&
           (!a.IsDone() || a.DoneDate == b.DoneDate);
}

// Patches what changed; when the result does not read back as the record (a start moved past
// the end the server had), every field this program holds is written, the rest still kept.
template <class Record, class PatchFn, class SameFn>
std::optional<std::string> patchChecked(std::string_view serverText, const Record& changed, PatchFn patch,
                                        SameFn same) {
    const recordtext::ServerObject server =
        recordtext::ReadCalendar(QByteArray::fromStdString(std::string(serverText)));
    const std::optional<Record> now = recordtext::RoundTrip(changed);
    if (server.kind != RecordTraits<Record>::Kind || !now)
        return std::nullopt;
    if (!server.changed.empty())
        return std::nullopt; // changed occurrences are components of their own: the series goes up whole
    const Record& before = server.Get<Record>();
    for (bool all : {false, true}) {
        std::string patched = patch(serverText, before, *now, all);
        const recordtext::ServerObject back = recordtext::ReadCalendar(QByteArray::fromStdString(patched));
        if (back.kind == RecordTraits<Record>::Kind && same(back.Get<Record>(), *now))
            return patched;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> Patch(std::string_view serverText, const Appointment& now) {
    return patchChecked(serverText, now, patchEvent, sameEvent);
}

std::optional<std::string> Patch(std::string_view serverText, const Task& now) {
    return patchChecked(serverText, now, patchTodo, sameTask);
}

} // namespace recordpatch
