#pragma once

#include "core/CalendarDate.h"

#include <string>
#include <vector>

class DayListIndex;
class PimRecords;

// One row of the agenda: a day's heading, or an entry listed under it.
struct AgendaRow {
    enum class Kind { Heading, Appointment, Task, Birthday };
    Kind kind = Kind::Heading;
    int id = -1;         // the appointment, task or person it shows; -1 for a heading
    int seriesId = 0;    // the series an appointment's occurrence belongs to
    CalendarDate day;    // the day whose lists show it (today for an overdue task)
    std::string heading; // the heading it stands under; a heading's own text
    std::string time;    // "09:00-10:00", "All day", "Task", "Due 5/13/2024"
    std::string text;    // what it is: "Dentist (day 2 of 3)", a task, "Birthday: Ann Lee (36)"
    int image = -1;      // an appointment's image as the day list has it; a task's priority

    bool IsEntry() const { return kind != Kind::Heading; }
    bool operator==(const AgendaRow&) const = default;
};

// What comes next: the days from today on, as one list grouped by day. Overdue unfinished tasks come
// first under "Overdue"; then each day that lists anything under "Today", "Tomorrow" or its long
// date: the birthdays, the occurrences as the day list shows them, and the unfinished tasks due that
// day. The occurrences and the tasks come from the day lists' own rules in `index`.
namespace AgendaRows {

std::vector<AgendaRow> Build(const PimRecords& records, DayListIndex& index, CalendarDate today, int days,
                             bool birthdays);

// "Today", "Tomorrow", or the day's long date.
std::string Heading(CalendarDate day, CalendarDate today);
// The row as a screen reader says it: "Tomorrow, 09:00-10:00, Dentist".
std::string Spoken(const AgendaRow& row);
// What an empty agenda says: "Nothing in the next 30 days".
std::string NothingText(int days);

} // namespace AgendaRows
