#include "core/AgendaRows.h"

#include "core/Birthdays.h"
#include "core/DayListIndex.h"
#include "core/PimRecords.h"

#include <algorithm>

namespace AgendaRows {

namespace {

AgendaRow headingRow(std::string text, CalendarDate day) {
    AgendaRow row;
    row.day = day;
    row.heading = std::move(text);
    return row;
}

AgendaRow entryRow(AgendaRow::Kind kind, ListRow& listed, CalendarDate day) {
    AgendaRow row;
    row.kind = kind;
    row.id = listed.id;
    row.seriesId = listed.seriesId;
    row.day = day;
    row.time = std::move(listed.columns[0]);
    row.text = std::move(listed.columns[1]);
    row.image = listed.image;
    return row;
}

// The heading goes before the day's entries, once, and only where there are any.
void appendGroup(std::vector<AgendaRow>& rows, std::vector<AgendaRow>& group, const std::string& heading,
                 CalendarDate day) {
    if (group.empty())
        return;
    rows.push_back(headingRow(heading, day));
    for (AgendaRow& row : group) {
        row.heading = heading;
        rows.push_back(std::move(row));
    }
    group.clear();
}

} // namespace

std::vector<AgendaRow> Build(const PimRecords& records, DayListIndex& index, CalendarDate today, int days,
                             bool birthdays) {
    const CalendarDate last = today + (std::max(days, 1) - 1);
    std::vector<DayListIndex::DayRow> tasks = index.TasksBetween(records, today, last, today.Midnight());
    std::vector<DayListIndex::DayRow> occurrences = index.AppointmentsBetween(records, today, last);
    const std::vector<BirthdayOccurrence> anniversaries =
        birthdays ? BirthdaysBetween(records, today, last) : std::vector<BirthdayOccurrence>();

    // A task the day lists show is an entry here while unfinished; the ones today lists from
    // earlier days are overdue.
    std::vector<AgendaRow> rows;
    rows.reserve(tasks.size() + occurrences.size() + anniversaries.size() + static_cast<std::size_t>(last - today) + 2);
    std::vector<AgendaRow> overdue;
    std::vector<AgendaRow> dueTasks;
    for (DayListIndex::DayRow& listed : tasks) {
        const Task* task = records.Tasks.Find(listed.row.id);
        if (!task || task->IsDone())
            continue;
        const bool late = listed.day == today && CalendarDate::OfStoredDate(task->DueDate) < today;
        AgendaRow row = entryRow(AgendaRow::Kind::Task, listed.row, listed.day);
        // A task row's columns are its description and its due date.
        std::string due = std::move(row.text);
        row.text = std::move(row.time);
        row.time = late && !due.empty() ? "Due " + due : std::string("Task");
        (late ? overdue : dueTasks).push_back(std::move(row));
    }
    appendGroup(rows, overdue, "Overdue", today);

    auto task = dueTasks.begin();
    auto occurrence = occurrences.begin();
    auto birthday = anniversaries.begin();
    std::vector<AgendaRow> group;
    for (CalendarDate day = today; day.IsValid() && day <= last; day = day + 1) {
        for (; birthday != anniversaries.end() && birthday->day <= day; ++birthday) {
            if (birthday->day < day)
                continue;
            AgendaRow row;
            row.kind = AgendaRow::Kind::Birthday;
            row.id = birthday->personId;
            row.day = day;
            row.time = "All day";
            row.text = BirthdayText(records, *birthday);
            group.push_back(std::move(row));
        }
        for (; occurrence != occurrences.end() && occurrence->day <= day; ++occurrence)
            if (occurrence->day == day)
                group.push_back(entryRow(AgendaRow::Kind::Appointment, occurrence->row, day));
        for (; task != dueTasks.end() && task->day <= day; ++task)
            if (task->day == day)
                group.push_back(std::move(*task));
        appendGroup(rows, group, Heading(day, today), day);
    }
    return rows;
}

std::string Heading(CalendarDate day, CalendarDate today) {
    if (day == today)
        return "Today";
    if (day == today + 1)
        return "Tomorrow";
    return day.Midnight().FormatDate(DateTime::DateFormat::Long);
}

std::string Spoken(const AgendaRow& row) {
    if (!row.IsEntry())
        return row.heading;
    std::string spoken = row.heading;
    for (const std::string* part : {&row.time, &row.text})
        if (!part->empty())
            spoken += (spoken.empty() ? "" : ", ") + *part;
    return spoken;
}

std::string NothingText(int days) {
    return days <= 1 ? std::string("Nothing today") : "Nothing in the next " + std::to_string(days) + " days";
}

} // namespace AgendaRows
