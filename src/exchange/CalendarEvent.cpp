#include "CalendarEvent.h"

#include "CalendarItems.h"
#include "LocalZone.h"
#include "TextEncoding.h"

#include "core/AppointmentRules.h"

#include <QByteArray>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace calendarevent {

namespace {

// Stops a rule that never ends, or repeats every second, from running away.
constexpr int kMostIterations = 50000;

int minuteOfDay(const DateTime& time) {
    return time.Hour() * 60 + time.Minute();
}

// Minutes between two local times as a clock on the wall shows them.
int wallMinutes(const DateTime& from, const DateTime& to) {
    const double days = std::round((to.Date() - from.Date()).Days());
    return static_cast<int>(days) * 1440 + minuteOfDay(to) - minuteOfDay(from);
}

const char* tzidOf(icalproperty* property) {
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
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

const icaltimezone* zoneOf(icalproperty* property, icalcomponent* calendar) {
    const char* name = tzidOf(property);
    return name ? zoneNamed(name, calendar) : nullptr;
}

icaltimetype withZone(icaltimetype time, icalproperty* property, icalcomponent* calendar) {
    if (!time.zone && !time.is_date && property)
        time.zone = zoneOf(property, calendar);
    return time;
}

bool sameInstance(const icaltimetype& occurrence, const icaltimetype& listed) {
    if (listed.is_date || occurrence.is_date)
        return icaltime_compare_date_only(occurrence, listed) == 0;
    return icaltime_compare(occurrence, listed) == 0;
}

// The alarm of the first VALARM, as minutes before the start; -1 without one.
int alarmLead(icalcomponent* event, icalcomponent* calendar, const DateTime& start, int minutes) {
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    icalproperty* trigger = alarm ? icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY) : nullptr;
    if (!trigger)
        return -1;
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    int lead = 0;
    if (!icaltime_is_null_time(value.time)) {
        const DateTime moment = LocalTime(withZone(value.time, trigger, calendar));
        lead = moment.IsValid() ? wallMinutes(moment, start) : 0;
    } else {
        icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
        lead = -icaldurationtype_as_int(value.duration) / 60 - (fromEnd ? minutes : 0);
    }
    return std::clamp(appointmentrules::RoundAlarmMinutes(std::max(lead, 0)), 0, 60);
}

std::vector<icaltimetype> listedTimes(icalcomponent* event, icalcomponent* calendar, icalproperty_kind kind) {
    std::vector<icaltimetype> times;
    for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
         p = icalcomponent_get_next_property(event, kind)) {
        icaltimetype time;
        if (kind == ICAL_RDATE_PROPERTY) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            time = icaltime_is_null_time(rdate.time) ? rdate.period.start : rdate.time;
        } else {
            time = icalproperty_get_exdate(p);
        }
        if (!icaltime_is_null_time(time))
            times.push_back(withZone(time, p, calendar));
    }
    return times;
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

// A rule without a COUNT can start at the window, which spares going through the years before.
void skipToWindow(icalrecur_iterator* it, const icalrecurrencetype& rule, const icaltimetype& start,
                  const DateTime& from) {
    const DateTime before = from - DateTimeSpan(1.0); // the window is local; the rule's zone may be a day off
    if (rule.count != 0 || !before.IsValid() || before <= LocalTime(start))
        return;
    icaltimetype at = start;
    at.year = before.Year();
    at.month = before.Month();
    at.day = before.Day();
    icalrecur_iterator_set_start(it, at);
}

// DTSTART, then every instance its rules add, in the order they come.
std::vector<icaltimetype> instanceStarts(icalcomponent* event, icalcomponent* calendar, const icaltimetype& start,
                                         const DateTime& from, const DateTime& to) {
    std::vector<icaltimetype> starts{start};
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rule = icalproperty_get_rrule(p);
        if (rule.freq == ICAL_NO_RECURRENCE)
            continue;
        icalrecur_iterator* it = icalrecur_iterator_new(rule, start);
        if (!it)
            continue;
        skipToWindow(it, rule, start, from);
        int iterations = 0;
        for (icaltimetype next = icalrecur_iterator_next(it);
             !icaltime_is_null_time(next) && ++iterations < kMostIterations; next = icalrecur_iterator_next(it)) {
            next.zone = start.zone;
            next.is_date = start.is_date;
            const DateTime local = LocalTime(next);
            if (!local.IsValid() || local.Date() > to)
                break;
            if (icaltime_compare(next, start) != 0)
                starts.push_back(next);
        }
        icalrecur_iterator_free(it);
    }
    for (const icaltimetype& added : listedTimes(event, calendar, ICAL_RDATE_PROPERTY))
        starts.push_back(added);
    return starts;
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

void AddUnknownZones(icalcomponent* component, icalcomponent* calendar, std::set<std::string>& names) {
    std::set<std::string> named; // each name looked up once, however many times it is used
    addTzids(component, named);
    for (const std::string& name : named)
        if (!zoneNamed(name.c_str(), calendar))
            names.insert(name);
}

std::vector<Occurrence> Occurrences(icalcomponent* event, icalcomponent* calendar, const DateTime& from,
                                    const DateTime& to, const std::vector<icaltimetype>& replaced, bool windowAll) {
    std::vector<Occurrence> occurrences;
    const icaltimetype start = ZonedTime(event, ICAL_DTSTART_PROPERTY, icalcomponent_get_dtstart(event));
    const DateTime localStart = LocalTime(start);
    if (!localStart.IsValid())
        return occurrences;
    Occurrence shape;
    const char* summary = icalcomponent_get_summary(event);
    shape.summary = exchangetext::ToUtf8(summary ? summary : "");
    shape.allDay = start.is_date;
    shape.done = calendaritems::IsDone(event);
    icaltimetype end = icalcomponent_get_dtend(event);
    if (icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY))
        end = ZonedTime(event, ICAL_DTEND_PROPERTY, end);
    else if (!end.zone && !end.is_date)
        end.zone = start.zone; // DTSTART and a DURATION
    const DateTime localEnd = LocalTime(end);
    shape.minutes = localEnd.IsValid() ? std::max(0, wallMinutes(localStart, localEnd)) : (shape.allDay ? 1440 : 0);
    if (icalproperty* duration = icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY);
        duration && !shape.allDay && !icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY)) {
        // Hours and minutes are exact time, the same across a change of the clocks; days are not.
        const icaldurationtype length = icalproperty_get_duration(duration);
        if (length.days == 0 && length.weeks == 0)
            shape.minutes = std::max(0, icaldurationtype_as_int(length) / 60);
    }
    shape.alarmLead = alarmLead(event, calendar, localStart, shape.minutes);

    const bool recurring = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY) ||
                           icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
    const std::vector<icaltimetype> excluded = listedTimes(event, calendar, ICAL_EXDATE_PROPERTY);
    for (const icaltimetype& instance : instanceStarts(event, calendar, start, from, to)) {
        const auto isListed = [&instance](const icaltimetype& listed) { return sameInstance(instance, listed); };
        if (std::any_of(excluded.begin(), excluded.end(), isListed) ||
            std::any_of(replaced.begin(), replaced.end(), isListed))
            continue;
        Occurrence occurrence = shape;
        occurrence.start = LocalTime(instance);
        const bool inWindow =
            occurrence.start.IsValid() && occurrence.start.Date() >= from && occurrence.start.Date() <= to;
        if (occurrence.start.IsValid() && (inWindow || (!recurring && !windowAll)))
            occurrences.push_back(std::move(occurrence));
    }
    return occurrences;
}

std::optional<Appointment> ToAppointment(const Occurrence& occurrence, std::string& reason) {
    using namespace appointmentrules;
    const int startMinute = minuteOfDay(occurrence.start);
    const int endMinute = startMinute + occurrence.minutes;
    if (endMinute > 1440) {
        reason = "lasts past its day";
        return std::nullopt;
    }
    const int snappedStart = SnapStart(startMinute);
    const int snappedEnd = std::max(SnapEnd(endMinute), snappedStart);
    Appointment appointment;
    appointment.Description = occurrence.summary;
    const DateTime day = occurrence.start.Date();
    appointment.StartTime = AtMinute(day, snappedStart);
    appointment.EndTime = AtMinute(day, snappedEnd);
    // A start in the last minutes of the day moves to the next midnight, and the appointment with it.
    appointment.DueDate = appointment.StartTime.Date();
    appointment.Alarm = occurrence.alarmLead >= 0 ? 1 : 0;
    appointment.AlarmTime = MinutesBefore(appointment.StartTime, std::max(occurrence.alarmLead, 0));
    appointment.Done = occurrence.done ? 1 : 0;
    if (!appointment.StartTime.IsValid() || !appointment.EndTime.IsValid()) {
        reason = "has no valid time";
        return std::nullopt;
    }
    return appointment;
}

} // namespace calendarevent
