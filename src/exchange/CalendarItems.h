#pragma once

#include "CalendarEventWriter.h"
#include "LocalZone.h"

#include "core/Appointment.h"
#include "core/Task.h"

#include <libical/ical.h>

#include <string>
#include <vector>

// Appointments and tasks as single iCalendar components and back; the whole-file import and
// export and a calendar server share these. Components returned are the caller's to free.
namespace calendaritems {

// Marks a done appointment's VEVENT. RFC 5545 gives an event no STATUS for it (COMPLETED is a
// to-do's), so the mark is a property of our own, which other programs keep and pass over.
constexpr const char* kDoneProperty = "X-TAVORO-DONE";

// A VEVENT as calendarevent::EventWriter writes it (X-TAVORO-DONE:TRUE when done), with a display
// alarm with a relative trigger when the alarm is set; `series` is the series of a changed occurrence.
icalcomponent* NewEvent(const Appointment& appointment, const std::string& uid, calendarevent::EventWriter& writer,
                        const Appointment* series = nullptr);
// A VTODO with DUE as a date, PRIORITY (the one the task came with while ours still stands for it),
// and STATUS:COMPLETED with COMPLETED for a done task.
icalcomponent* NewTodo(const Task& task, const std::string& uid, localzone::ToUtc& utc, const icaltimetype& stamp);

// A VTODO as a task (times with a TZID are read in the zone of the component's calendar): SUMMARY; DUE, else DTSTART,
// else `today`; PRIORITY 1-4 High, 5 and none Medium, 6-9 Low; STATUS:COMPLETED or COMPLETED make it done on the day it
// was completed (else today). What was read otherwise than the
// to-do says (a day given for none) is added to `changes` in words, one entry each.
Task ReadTodo(icalcomponent* todo, const DateTime& today, std::vector<std::string>* changes = nullptr);

// The PRIORITY of a to-do where `task`, read from it, holds it more coarsely (or, done, not at all), to be kept
// beside as Task::IcalPriority by an import from a file; 0 otherwise. A calendar server's copy keeps its own.
int KeptPriority(icalcomponent* todo, const Task& task);

// Whether a VEVENT marks a done appointment: our X-TAVORO-DONE, or STATUS:COMPLETED.
bool IsDone(icalcomponent* event);

// One VCALENDAR around one record, as a calendar server keeps each: an appointment with the changed
// occurrences of its series and the VTIMEZONEs of the zones they name.
std::string EventCalendarText(const Appointment& appointment, const std::string& uid,
                              const std::vector<Appointment>& changed = {});
std::string TodoCalendarText(const Task& task, const std::string& uid);

// An empty VCALENDAR with this program's PRODID.
icalcomponent* NewCalendar();
// The text of a component, CR LF line ends, folded.
std::string Text(icalcomponent* component);
// Now, in UTC.
icaltimetype NowUtc();

} // namespace calendaritems
