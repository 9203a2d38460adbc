#pragma once

#include "core/PimRecords.h"
#include "reports/ReportSelection.h"

#include <vector>

// What the weekly and monthly plans print: every task and appointment of the document whose due
// date lies in the chosen range, in the document's collection order.
struct PlanRecords {
    std::vector<Task> tasks;
    std::vector<Appointment> appointments;
};

namespace PlanGathering {

// The Sunday (00:00) of the week that holds the date.
DateTime WeekStart(const DateTime& date);

// Records due from the week's Sunday 00:00 up to, not including, the next Sunday 00:00.
PlanRecords Week(const PimRecords& records, const DateTime& selected);
// Records due in the month and year of the selected date.
PlanRecords Month(const PimRecords& records, const DateTime& selected);

// "&Weekly Plan" and "&Monthly Plan": sets the kind and the date and refills only the tasks and
// appointments. Other kinds leave the selection alone.
void Choose(ReportSelection& selection, ReportKind kind, const PimRecords& records, const DateTime& selected);

} // namespace PlanGathering
