#include "CalendarEventWriter.h"

#include "CalendarItems.h"
#include "TextEncoding.h"

#include "core/AppointmentRules.h"
#include "platform/TimeZones.h"

#include <QTimeZone>

namespace calendarevent {

namespace {

bool writable(const std::string& zone) {
    return !zone.empty() && zone != "UTC" && icaltimezone_get_builtin_timezone(zone.c_str()) &&
           platform::IsKnownTimeZone(zone);
}

icaltimetype utcTime(std::int64_t seconds) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0, icaltimezone_get_utc_timezone());
}

icaltimetype dateValue(CalendarDate day) {
    icaltimetype date = icaltime_null_date();
    date.year = day.Year();
    date.month = day.Month();
    date.day = day.Day();
    return date;
}

icaltimetype wallValue(const platform::WallClock& wall) {
    icaltimetype time = icaltime_null_time();
    time.year = wall.year;
    time.month = wall.month;
    time.day = wall.day;
    time.hour = wall.hour;
    time.minute = wall.minute;
    time.second = wall.second;
    return time;
}

icalproperty* withTzid(icalproperty* property, const std::string& zone) {
    icalproperty_add_parameter(property, icalparameter_new_tzid(zone.c_str()));
    return property;
}

void add(icalcomponent* component, icalproperty* property) {
    if (property)
        icalcomponent_add_property(component, property);
}

icalcomponent* alarmOf(const Appointment& appointment) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    const std::string description = exchangetext::ToUtf8(appointment.Description);
    icalcomponent_add_property(alarm,
                               icalproperty_new_description(description.empty() ? "Reminder" : description.c_str()));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-60 * appointmentrules::AlarmLeadMinutes(appointment));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    return alarm;
}

icalproperty* newRdate(icaltimetype time) {
    icaldatetimeperiodtype added{};
    added.time = time;
    added.period = icalperiodtype_null_period();
    return icalproperty_new_rdate(added);
}

} // namespace

std::string WritingZone(const Appointment& appointment) {
    if (appointment.AllDay)
        return {};
    if (writable(appointment.TimeZone))
        return appointment.TimeZone;
    if (appointment.TimeZone.empty() && appointment.Repeats()) {
        const std::string computer = QTimeZone::systemTimeZoneId().toStdString();
        if (writable(computer))
            return computer;
    }
    return {};
}

icalproperty* EventWriter::timeProperty(icalproperty* (*make)(icaltimetype), const DateTime& local,
                                        const std::string& zone) {
    const std::optional<std::int64_t> seconds = m_utc(local);
    if (!seconds)
        return nullptr;
    if (zone.empty())
        return make(utcTime(*seconds));
    const std::optional<platform::WallClock> wall = platform::ZoneFromUtc(zone, *seconds);
    if (!wall)
        return make(utcTime(*seconds));
    m_zones.insert(zone);
    return withTzid(make(wallValue(*wall)), zone);
}

// The time that names one occurrence of a series: its original date at the series' time of day,
// as the series' DTSTART has it.
icalproperty* EventWriter::instanceProperty(icalproperty* (*make)(icaltimetype), const Appointment& series,
                                            CalendarDate original) {
    if (series.AllDay)
        return make(dateValue(original));
    const std::string zone = WritingZone(series);
    const std::optional<std::int64_t> start = m_utc(series.StartTime);
    if (!start || !original.IsValid())
        return nullptr;
    if (!zone.empty()) {
        std::optional<platform::WallClock> wall = platform::ZoneFromUtc(zone, *start);
        if (wall) {
            wall->year = original.Year();
            wall->month = original.Month();
            wall->day = original.Day();
            m_zones.insert(zone);
            return withTzid(make(wallValue(*wall)), zone);
        }
    }
    if (series.TimeZone == "UTC") {
        icaltimetype time = utcTime(*start);
        time.year = original.Year();
        time.month = original.Month();
        time.day = original.Day();
        return make(time);
    }
    const DateTime at(original.Year(), original.Month(), original.Day(), series.StartTime.Hour(),
                      series.StartTime.Minute(), series.StartTime.Second());
    const std::optional<std::int64_t> seconds = m_utc(at);
    return seconds ? make(utcTime(*seconds)) : nullptr;
}

icalcomponent* EventWriter::Event(const Appointment& appointment, const std::string& uid, const Appointment* series) {
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(m_stamp));
    icalcomponent_add_property(event, icalproperty_new_summary(exchangetext::ToUtf8(appointment.Description).c_str()));
    if (series && appointment.OriginalDate.IsValid())
        add(event, instanceProperty(icalproperty_new_recurrenceid, *series, appointment.OriginalDate));
    if (appointment.AllDay) {
        const CalendarDate first = CalendarDate::OfStoredDate(appointment.DueDate);
        const CalendarDate last =
            appointment.EndDate.IsValid() && appointment.EndDate > first ? appointment.EndDate : first;
        icalcomponent_add_property(event, icalproperty_new_dtstart(dateValue(first)));
        icalcomponent_add_property(event, icalproperty_new_dtend(dateValue(last + 1)));
    } else {
        std::string zone = WritingZone(appointment);
        if (zone.empty() && appointment.TimeZone.empty() && series)
            zone = WritingZone(*series);
        add(event, timeProperty(icalproperty_new_dtstart, appointment.StartTime, zone));
        add(event, timeProperty(icalproperty_new_dtend, appointment.EndTime, zone));
    }
    if (appointment.Done) {
        icalproperty* done = icalproperty_new_x("TRUE");
        icalproperty_set_x_name(done, calendaritems::kDoneProperty);
        icalcomponent_add_property(event, done);
    }
    if (appointment.Repeats()) {
        if (icalproperty* rule = icalproperty_new_from_string(("RRULE:" + appointment.RRule).c_str()))
            icalcomponent_add_property(event, rule);
        for (const CalendarDate& day : appointment.ExDates)
            add(event, instanceProperty(icalproperty_new_exdate, appointment, day));
        for (const CalendarDate& day : appointment.RDates)
            add(event, instanceProperty(newRdate, appointment, day));
    }
    if (appointment.Alarm)
        icalcomponent_add_component(event, alarmOf(appointment));
    return event;
}

void EventWriter::AddZones(icalcomponent* calendar) const {
    for (const std::string& zone : m_zones) {
        icaltimezone* builtin = icaltimezone_get_builtin_timezone(zone.c_str());
        icalcomponent* definition = builtin ? icaltimezone_get_component(builtin) : nullptr;
        if (!definition)
            continue;
        // The zone goes by its IANA name, as the events' TZID parameters name it.
        icalcomponent* copy = icalcomponent_new_clone(definition);
        if (icalproperty* tzid = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY))
            icalproperty_set_tzid(tzid, zone.c_str());
        icalcomponent_add_component(calendar, copy);
    }
}

} // namespace calendarevent
