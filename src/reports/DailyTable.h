#pragma once

#include "core/Appointment.h"
#include "core/CalendarDate.h"
#include "core/Task.h"
#include "reports/BirthdayNotes.h"

#include <QStringList>

#include <vector>

// One table of a daily report: its column heads and, for each row, the text of each column. One
// column (the description) is flexible: it takes the room the others leave and is shortened with
// an ellipsis. A table is filled from one of two row sources, the day's appointments or its tasks.
struct DailyTable {
    QStringList heads;
    int flexible = 0;
    std::vector<QStringList> rows;

    // START, END and APPOINTMENT: the times and the description of each appointment. An all-day one
    // shows "All day" and no end; one lasting several days is marked "(day 2 of 3)" for `day`.
    // The day's birthdays come first, as all-day rows.
    static DailyTable OfAppointments(const std::vector<Appointment>& appointments, CalendarDate day = {},
                                     const std::vector<BirthdayNote>& birthdays = {});
    // TASK, PRIORITY and DUE DATE: the description, the priority word and the due date of each task.
    static DailyTable OfTasks(const std::vector<Task>& tasks);

    // Each fixed column's texts once each (a thousand rows share a few dozen times), gathered when
    // first asked for; the flexible column's list stays empty.
    const std::vector<QStringList>& DistinctTexts() const;

private:
    mutable std::vector<QStringList> m_distinct;
};
