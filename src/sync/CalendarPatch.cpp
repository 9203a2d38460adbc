#include "ContentLines.h"
#include "RecordPatch.h"
#include "RecordText.h"

#include "core/AppointmentRules.h"
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

// The server's object, read twice: by libical for the values, and as lines for the patch. A
// series' object holds several components of the kind (the series and its changed occurrences);
// the patch works on one at a time, the one selected.
struct Object {
    struct Part {
        icalcomponent* item = nullptr;
        ContentLines::Range range;
    };
    Calendar calendar;
    ContentLines lines;
    ContentLines::Range outer; // the VCALENDAR's lines
    std::vector<Part> parts;   // in the order the text has them
    icalcomponent* item = nullptr;
    ContentLines::Range range; // the selected item's lines

    Object(std::string_view serverText, icalcomponent_kind kind, const char* name)
        : calendar(icalparser_parse_string(std::string(serverText).c_str())), lines(serverText) {
        if (!calendar || icalcomponent_isa(calendar.get()) != ICAL_VCALENDAR_COMPONENT)
            return;
        const std::optional<ContentLines::Range> found = lines.Component("VCALENDAR");
        if (!found || found->end >= lines.Size())
            return;
        outer = *found;
        const std::vector<ContentLines::Range> inner = lines.Components(outer, name);
        std::vector<icalcomponent*> items;
        for (icalcomponent* c = icalcomponent_get_first_component(calendar.get(), kind); c;
             c = icalcomponent_get_next_component(calendar.get(), kind))
            items.push_back(c);
        // libical keeps the components in the order of the text; any doubt leaves nothing to patch.
        if (inner.empty() || inner.size() != items.size() || inner.back().end >= lines.Size())
            return;
        for (std::size_t i = 0; i < items.size(); ++i)
            parts.push_back({items[i], inner[i]});
        Select(parts.front());
    }
    bool Usable() const { return item != nullptr; }
    void Select(const Part& part) {
        item = part.item;
        range = part.range;
    }
    // The component that is not a changed occurrence.
    const Part* Main() const {
        for (const Part& part : parts)
            if (!icalcomponent_get_first_property(part.item, ICAL_RECURRENCEID_PROPERTY))
                return &part;
        return nullptr;
    }

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

// The alarm's lead in whole minutes, within the one range every reader and writer keeps; -1 without
// an alarm.
int lead(const Appointment& appointment) {
    return appointment.Alarm ? appointmentrules::AlarmLeadMinutes(appointment) : -1;
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

// The time that names one occurrence of the series on `day`: in the form the series' start now has
// (its zone, UTC or floating; a date for whole days).
Property instanceOf(Object& object, icalcomponent* series, const Appointment& now, CalendarDate day,
                    icalproperty* (*make)(icaltimetype)) {
    if (now.AllDay)
        return dateProperty(make, day);
    icalproperty* dtstart = icalcomponent_get_first_property(series, ICAL_DTSTART_PROPERTY);
    if (!dtstart)
        return nullptr;
    const Property start = withTime(dtstart, ICAL_DTSTART_PROPERTY, object.calendar.get(), now.StartTime);
    icaltimetype at = icalvalue_get_datetime(icalproperty_get_value(start.get()));
    at.year = day.Year();
    at.month = day.Month();
    at.day = day.Day();
    Property instance(make(at));
    if (icalparameter* tzid = icalproperty_get_first_parameter(start.get(), ICAL_TZID_PARAMETER))
        icalproperty_add_parameter(instance.get(), icalparameter_new_clone(tzid));
    return instance;
}

void patchRule(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (!all && before.RRule == now.RRule)
        return;
    Property rule(now.RRule.empty() ? nullptr : icalproperty_new_from_string(("RRULE:" + now.RRule).c_str()));
    if (rule)
        object.Set("RRULE", rule.get());
    else
        object.Remove("RRULE");
}

icalproperty* newRdate(icaltimetype time) {
    icaldatetimeperiodtype added{};
    added.time = time;
    added.period = icalperiodtype_null_period();
    return icalproperty_new_rdate(added);
}

// Excluded or added dates, written again in the form DTSTART has when they or the start changed; a
// date a cancelled changed occurrence already leaves out needs no EXDATE.
void patchDates(Object& object, const char* name, icalproperty* (*make)(icaltimetype),
                const std::vector<CalendarDate>& before, const Appointment& now, const std::vector<CalendarDate>& is,
                bool all, const std::vector<CalendarDate>& cancelled = {}) {
    if (!all && before == is)
        return;
    object.Remove(name);
    if (!now.Repeats())
        return;
    for (const CalendarDate& day : is) {
        if (std::find(cancelled.begin(), cancelled.end(), day) != cancelled.end())
            continue;
        if (const Property date = instanceOf(object, object.item, now, day, make))
            object.lines.InsertBefore(object.range.end, text(date.get()));
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

// What one VEVENT says of its appointment: the summary, the times, the alarm, done or not.
void patchFields(Object& object, const Appointment& before, const Appointment& now, bool all) {
    if (all || before.Description != now.Description)
        object.Set("SUMMARY", summary(now.Description).get());
    patchTimes(object, before, now, all);
    patchAlarm(object, before, now, all);
    patchDone(object, before, now, all);
}

template <class List> const Appointment* onOriginalDate(const List& changed, CalendarDate original) {
    const auto found =
        std::find_if(changed.begin(), changed.end(), [&](const Appointment& a) { return a.OriginalDate == original; });
    return found == changed.end() ? nullptr : &*found;
}

bool contains(const std::vector<CalendarDate>& days, CalendarDate day) {
    return std::find(days.begin(), days.end(), day) != days.end();
}

std::string rawLines(const ContentLines& lines, const ContentLines::Range& range) {
    std::string raw;
    for (std::size_t i = range.begin; i <= range.end && i < lines.Size(); ++i)
        raw += lines.At(i).raw;
    return raw;
}

// A changed occurrence the server does not have yet: a copy of the series' component (its place,
// its guests, whatever else the server keeps) without the rule, naming the occurrence and patched
// to what it holds here.
std::string newOccurrence(Object& object, icalcomponent* series, const Appointment& now,
                          const Appointment& occurrence) {
    icalcomponent* copy = icalcomponent_new_clone(series);
    for (icalproperty_kind kind :
         {ICAL_RRULE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXRULE_PROPERTY}) {
        while (icalproperty* p = icalcomponent_get_first_property(copy, kind)) {
            icalcomponent_remove_property(copy, p);
            icalproperty_free(p);
        }
    }
    icalcomponent_add_property(
        copy, instanceOf(object, series, now, occurrence.OriginalDate, icalproperty_new_recurrenceid).release());
    // Around it the server's calendar without its events, so that its zones are found.
    Calendar seed(icalcomponent_new_clone(object.calendar.get()));
    std::vector<icalcomponent*> events;
    for (icalcomponent* c = icalcomponent_get_first_component(seed.get(), ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(seed.get(), ICAL_VEVENT_COMPONENT))
        events.push_back(c);
    for (icalcomponent* c : events) {
        icalcomponent_remove_component(seed.get(), c);
        icalcomponent_free(c);
    }
    icalcomponent_add_component(seed.get(), copy);
    Object fresh(text(seed.get()), ICAL_VEVENT_COMPONENT, "VEVENT");
    if (!fresh.Usable())
        return {};
    patchFields(fresh, occurrence, occurrence, true);
    const ContentLines patched(fresh.lines.Text());
    const std::optional<ContentLines::Range> outer = patched.Component("VCALENDAR");
    const std::vector<ContentLines::Range> inner =
        outer ? patched.Components(*outer, "VEVENT") : std::vector<ContentLines::Range>();
    return inner.empty() ? std::string() : rawLines(patched, inner.front());
}

// A series patched inside its one object: the series' component and each changed occurrence's are
// matched by the occurrence they stand for and patched property by property; those gone here are
// removed, those new here added, and what the server keeps besides stays.
std::string patchEvent(std::string_view serverText, const recordtext::ServerObject& server, const Appointment& now,
                       const std::vector<Appointment>& changedNow, bool all) {
    Object object(serverText, ICAL_VEVENT_COMPONENT, "VEVENT");
    const Object::Part* main = object.Usable() ? object.Main() : nullptr;
    if (!main)
        return std::string(serverText);
    const Object::Part series = *main;
    const Appointment& before = server.appointment;
    object.Select(series);
    patchFields(object, before, now, all);
    patchRule(object, before, now, all);
    // A series moved to another time of day names its occurrences by other times.
    const bool moved = all || before.StartTime != now.StartTime || before.AllDay != now.AllDay;
    std::vector<CalendarDate> cancelled, placed;
    for (const Object::Part& part : object.parts) {
        icalproperty* id = icalcomponent_get_first_property(part.item, ICAL_RECURRENCEID_PROPERTY);
        if (!id)
            continue;
        const CalendarDate original =
            calendarevent::SeriesDate(icalproperty_get_recurrenceid(id), id, object.calendar.get(), before.TimeZone);
        const Appointment* was = onOriginalDate(server.changed, original);
        const Appointment* is = onOriginalDate(changedNow, original);
        if (icalcomponent_get_status(part.item) == ICAL_STATUS_CANCELLED) {
            if (contains(now.ExDates, original))
                cancelled.push_back(original);
            else
                object.lines.Remove(part.range);
            continue;
        }
        if (!is || contains(placed, original)) {
            // Only what was read goes: a component this program could not read is not its to drop.
            if (was || contains(placed, original))
                object.lines.Remove(part.range);
            continue;
        }
        object.Select(part);
        patchFields(object, was ? *was : *is, *is, all || !was);
        if (moved)
            object.Set("RECURRENCE-ID",
                       instanceOf(object, series.item, now, original, icalproperty_new_recurrenceid).get());
        placed.push_back(original);
    }
    object.Select(series);
    patchDates(object, "EXDATE", icalproperty_new_exdate, before.ExDates, now, now.ExDates, moved, cancelled);
    patchDates(object, "RDATE", newRdate, before.RDates, now, now.RDates, moved);
    for (const Appointment& occurrence : changedNow)
        if (!contains(placed, occurrence.OriginalDate))
            object.lines.InsertBefore(object.outer.end, newOccurrence(object, series.item, now, occurrence));
    return object.lines.Text();
}

// What the patch writes is checked whole: a change it cannot write (all day or not, the zone) has
// the record written whole.
bool sameEvent(const Appointment& a, const Appointment& b) {
    return a.Description == b.Description && a.StartTime == b.StartTime && a.EndTime == b.EndTime &&
           a.DueDate == b.DueDate && lead(a) == lead(b) && a.AllDay == b.AllDay && a.EndDate == b.EndDate &&
           a.TimeZone == b.TimeZone && a.RRule == b.RRule && a.ExDates == b.ExDates && a.RDates == b.RDates &&
           (a.Done != 0) == (b.Done != 0);
}

bool sameSeries(const recordtext::ServerObject& back, const Appointment& now, const std::vector<Appointment>& changed) {
    if (back.kind != RecordKind::Appointment || !sameEvent(back.appointment, now) ||
        back.changed.size() != changed.size())
        return false;
    for (std::size_t i = 0; i < changed.size(); ++i)
        if (back.changed[i].OriginalDate != changed[i].OriginalDate || !sameEvent(back.changed[i], changed[i]))
            return false;
    return true;
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
    return Patch(serverText, now, {});
}

std::optional<std::string> Patch(std::string_view serverText, const Appointment& series,
                                 const std::vector<Appointment>& changed) {
    const recordtext::ServerObject server =
        recordtext::ReadCalendar(QByteArray::fromStdString(std::string(serverText)));
    std::vector<Appointment> changedNow;
    const std::optional<Appointment> now = recordtext::RoundTrip(series, changed, changedNow);
    if (server.kind != RecordKind::Appointment || !now)
        return std::nullopt;
    for (bool all : {false, true}) {
        std::string patched = patchEvent(serverText, server, *now, changedNow, all);
        if (sameSeries(recordtext::ReadCalendar(QByteArray::fromStdString(patched)), *now, changedNow))
            return patched;
    }
    return std::nullopt;
}

std::optional<std::string> Patch(std::string_view serverText, const Task& now) {
    return patchChecked(serverText, now, patchTodo, sameTask);
}

} // namespace recordpatch
