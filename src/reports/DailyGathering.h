#pragma once

#include "core/PimRecords.h"
#include "reports/ReportSelection.h"

#include <string>
#include <vector>

// A row of the day view's task or appointment list as the Report menu reads it: the record's ID
// and the text of the row's second column.
struct ListedRow {
    int ID = -1;
    std::string SecondColumn;
};

// What the daily reports print: the records behind the day view's list rows, in the lists' order.
namespace DailyGathering {

// Every task row's task.
std::vector<Task> Tasks(const PimRecords& records, const std::vector<ListedRow>& taskRows);
// The appointment of each row whose second column is not empty, skipping a row with the same ID
// as the row taken just before it. A row of a series stands for its occurrence on the day: the
// copy of that occurrence is taken (see OccurrenceCopies), each of the day's in turn.
std::vector<Appointment> Appointments(const PimRecords& records, const std::vector<ListedRow>& appointmentRows,
                                      CalendarDate day);

// "Daily &Appointments", "Daily &Tasks", "&Daily Tasks and Appointments": sets the kind and
// refills only the vectors it prints from, and keeps the day the lists show (printed under the
// title). Other kinds leave the selection alone.
void Choose(ReportSelection& selection, ReportKind kind, const PimRecords& records, const DateTime& day,
            const std::vector<ListedRow>& taskRows, const std::vector<ListedRow>& appointmentRows);

} // namespace DailyGathering
