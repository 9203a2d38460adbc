#include "CalendarItems.h"

#include "CalendarEvent.h"
#include "TextEncoding.h"

#include <cstdlib>
#include <ctime>

#include <strings.h>

namespace calendaritems {

namespace {

icaltimetype utcTime(std::int64_t seconds) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(seconds), 0, icaltimezone_get_utc_timezone());
}

void addUtc(icalcomponent* component, icalproperty* (*make)(icaltimetype), const DateTime& local,
            localzone::ToUtc& utc) {
    if (const std::optional<std::int64_t> seconds = utc(local))
        icalcomponent_add_property(component, make(utcTime(*seconds)));
}

void addHeader(icalcomponent* component, const std::string& uid, const icaltimetype& stamp,
               const std::string& summary) {
    icalcomponent_add_property(component, icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(component, icalproperty_new_dtstamp(stamp));
    icalcomponent_add_property(component, icalproperty_new_summary(exchangetext::ToUtf8(summary).c_str()));
}

int icalPriority(int priority) {
    switch (priority) {
    case Task::High:
        return 1;
    case Task::Medium:
        return 5;
    case Task::Low:
        return 9;
    default:
        return 0; // done: the priority it had is not kept
    }
}

int taskPriority(int icalPriority) {
    if (icalPriority >= 1 && icalPriority <= 4)
        return Task::High;
    if (icalPriority >= 6 && icalPriority <= 9)
        return Task::Low;
    return Task::Medium;
}

// The PRIORITY of a task: the one it came with while the priority still stands for it (a done task
// has none of ours), else ours.
int todoPriority(const Task& task) {
    const int kept = task.IcalPriority;
    if (kept >= 1 && kept <= 9 && (task.IsDone() || taskPriority(kept) == task.Priority))
        return kept;
    return icalPriority(task.Priority);
}

bool isDoneMark(icalproperty* property) {
    const char* name = icalproperty_get_x_name(property);
    const char* value = icalproperty_get_x(property);
    return name && value && strcasecmp(name, kDoneProperty) == 0 && strcasecmp(value, "TRUE") == 0;
}

std::string calendarText(icalcomponent* item) {
    icalcomponent* calendar = NewCalendar();
    icalcomponent_add_component(calendar, item);
    std::string text = Text(calendar);
    icalcomponent_free(calendar);
    return text;
}

} // namespace

int KeptPriority(icalcomponent* todo, const Task& task) {
    icalproperty* priority = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY);
    const int given = priority ? icalproperty_get_priority(priority) : 0;
    return given >= 1 && given <= 9 && given != icalPriority(task.Priority) ? given : 0;
}

bool IsDone(icalcomponent* event) {
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_X_PROPERTY))
        if (isDoneMark(p))
            return true;
    // Not RFC 5545 for an event, but some programs mark a finished one so.
    return icalcomponent_get_status(event) == ICAL_STATUS_COMPLETED;
}

icalcomponent* NewCalendar() {
    icalcomponent* calendar = icalcomponent_new(ICAL_VCALENDAR_COMPONENT);
    icalcomponent_add_property(calendar, icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar, icalproperty_new_prodid("-//Quenset//Tavoro! 1.5//EN"));
    icalcomponent_add_property(calendar, icalproperty_new_calscale("GREGORIAN"));
    return calendar;
}

std::string Text(icalcomponent* component) {
    char* text = icalcomponent_as_ical_string_r(component);
    std::string out = text ? text : "";
    std::free(text);
    return out;
}

icaltimetype NowUtc() {
    return utcTime(static_cast<std::int64_t>(std::time(nullptr)));
}

icalcomponent* NewEvent(const Appointment& appointment, const std::string& uid, calendarevent::EventWriter& writer,
                        const Appointment* series) {
    return writer.Event(appointment, uid, series);
}

icalcomponent* NewTodo(const Task& task, const std::string& uid, localzone::ToUtc& utc, const icaltimetype& stamp) {
    icalcomponent* todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
    addHeader(todo, uid, stamp, task.Description);
    if (task.DueDate.IsValid()) {
        icaltimetype due = icaltime_null_date();
        due.year = task.DueDate.Year();
        due.month = task.DueDate.Month();
        due.day = task.DueDate.Day();
        icalcomponent_add_property(todo, icalproperty_new_due(due));
    }
    icalcomponent_add_property(todo, icalproperty_new_priority(todoPriority(task)));
    if (task.IsDone()) {
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        addUtc(todo, icalproperty_new_completed, task.DoneDate, utc);
    }
    return todo;
}

Task ReadTodo(icalcomponent* todo, const DateTime& today, std::vector<std::string>* changes) {
    Task task;
    const char* summary = icalcomponent_get_summary(todo);
    task.Description = exchangetext::ToUtf8(summary ? summary : "");
    using calendarevent::ZonedTime;
    DateTime due = calendarevent::LocalTime(ZonedTime(todo, ICAL_DUE_PROPERTY, icalcomponent_get_due(todo)));
    if (!due.IsValid())
        due = calendarevent::LocalTime(ZonedTime(todo, ICAL_DTSTART_PROPERTY, icalcomponent_get_dtstart(todo)));
    task.DueDate = due.IsValid() ? due.Date() : today;
    if (!due.IsValid() && changes)
        changes->push_back("no due date, due today (" + today.Format("%Y-%m-%d") + ")");
    icalproperty* priority = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY);
    task.Priority = taskPriority(priority ? icalproperty_get_priority(priority) : 0);
    icalproperty* completed = icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY);
    icalproperty* status = icalcomponent_get_first_property(todo, ICAL_STATUS_PROPERTY);
    if (completed || (status && icalproperty_get_status(status) == ICAL_STATUS_COMPLETED)) {
        task.Priority = Task::Done;
        const DateTime done = completed ? calendarevent::LocalTime(icalproperty_get_completed(completed)) : DateTime();
        task.DoneDate = done.IsValid() ? done.Date() : today;
        if (!done.IsValid() && changes)
            changes->push_back("completed on no day given, done today (" + today.Format("%Y-%m-%d") + ")");
    }
    return task;
}

std::string EventCalendarText(const Appointment& appointment, const std::string& uid,
                              const std::vector<Appointment>& changed) {
    localzone::ToUtc utc;
    calendarevent::EventWriter writer(utc, NowUtc());
    std::vector<icalcomponent*> events{NewEvent(appointment, uid, writer)};
    for (const Appointment& occurrence : changed)
        events.push_back(NewEvent(occurrence, uid, writer, &appointment));
    icalcomponent* calendar = NewCalendar();
    writer.AddZones(calendar);
    for (icalcomponent* event : events)
        icalcomponent_add_component(calendar, event);
    std::string text = Text(calendar);
    icalcomponent_free(calendar);
    return text;
}

std::string TodoCalendarText(const Task& task, const std::string& uid) {
    localzone::ToUtc utc;
    return calendarText(NewTodo(task, uid, utc, NowUtc()));
}

} // namespace calendaritems
