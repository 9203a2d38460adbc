#pragma once

#include "core/CalendarDate.h"

#include <string>
#include <vector>

class PimRecords;
struct ReportSelection;

// A birthday or anniversary as a report writes it on its day: "Birthday: Ann Lee (36)". A report
// keeps copies of its records; these are its copies of the phone book's birthdays.
struct BirthdayNote {
    CalendarDate day;
    std::string text;
    bool operator==(const BirthdayNote&) const = default;
};

namespace BirthdayNotes {

std::vector<BirthdayNote> Between(const PimRecords& records, CalendarDate first, CalendarDate last);
// The notes of the days the chosen calendar report shows (a daily report's day, a plan's week or
// month), into the selection; other reports get none.
void Choose(ReportSelection& selection, const PimRecords& records);

} // namespace BirthdayNotes
