#pragma once

#include "core/PimRecords.h"
#include "reports/ReportSelection.h"

#include <vector>

// What the weekly and monthly plans print: the tasks of the document due on a day of the chosen
// range, in the document's collection order, and a copy of every occurrence that covers one of its
// days (see OccurrenceCopies). A due date is a calendar date: the day the file means, wherever the
// computer is.
struct PlanRecords {
    std::vector<Task> tasks;
    std::vector<Appointment> appointments;
};

namespace PlanGathering {

// The Sunday (00:00) of the week that holds the date.
DateTime WeekStart(const DateTime& date);

// The records of the days from `first` to `last`.
PlanRecords Days(const PimRecords& records, CalendarDate first, CalendarDate last);
// The records of the week's days, Sunday to Saturday.
PlanRecords Week(const PimRecords& records, const DateTime& selected);
// The records of the days of the month and year of the selected date.
PlanRecords Month(const PimRecords& records, const DateTime& selected);

// "&Weekly Plan" and "&Monthly Plan": sets the kind and the date and refills only the tasks and
// appointments. Other kinds leave the selection alone.
void Choose(ReportSelection& selection, ReportKind kind, const PimRecords& records, const DateTime& selected);

} // namespace PlanGathering
