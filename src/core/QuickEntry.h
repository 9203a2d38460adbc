#pragma once

#include "Appointment.h"
#include "CalendarDate.h"

#include <string>
#include <string_view>

// An appointment typed in one line of English ("Lunch with Ann tomorrow 1pm", "Standup every
// weekday 9:30 for 15 min", "Trip to Rome 3-7 June"): what the line says about the day or days, the
// times, the repeat and the reminder, and the rest of the words as the description.
namespace quickentry {

// How a date of two numbers that could both be a day or a month ("3/4") is read: in the order the
// user's locale writes dates. Dotted dates ("14.3.") are always day first.
enum class DateOrder { DayFirst, MonthFirst };

struct Reading {
    // The words not read as a date, a time, a repeat or a reminder, in their order.
    std::string description;
    // The (first) day; invalid when the line names no day, no time and no repeat.
    CalendarDate firstDay;
    // The last day of an appointment over several whole days; invalid for one day.
    CalendarDate lastDay;
    // Minutes from the first day's midnight; -1 for whole days. The end may pass 1440 (a later day).
    int startMinute = -1;
    int endMinute = -1;
    // The repeat rule in RFC 5545 form; empty for a single appointment.
    std::string rrule;
    // The reminder's lead in minutes (0 to 4 weeks); -1 for none.
    int alarmMinutes = -1;
    // Whether the line named a day, a time or a repeat: without one there is nothing to create.
    bool Understood() const { return firstDay.IsValid(); }
    bool AllDay() const { return startMinute < 0; }
};

// Reads one line. Days without a year are the next such day from `today` on; weekday names are
// the next such day (today included, "next Friday" not); a time without a day is today's; a start
// without an end or a length lasts an hour.
Reading Read(std::string_view line, CalendarDate today, DateOrder order);

// The appointment the reading describes, in the computer's zone; its ID is left to the document.
Appointment ToAppointment(const Reading& reading);

} // namespace quickentry
