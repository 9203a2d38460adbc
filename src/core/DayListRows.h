#pragma once

#include "core/DateTime.h"

#include <string>
#include <vector>

class PimRecords;

// One row of a day-view list: the record it shows, its image and its two columns of text (UTF-8
// or the record's own bytes; both read back through the text codec).
struct ListRow {
    int id = -1;
    int image = -1; // index into the list's image strip; -1 for none
    std::string columns[2];
    int seriesId = 0; // the series an appointment row belongs to; 0 for any other row
};

// The rows of the day view's three lists, already in the order the lists show them: the one rule for
// which records belong to a day, shared by the day view and the printed daily reports. (The day view
// keeps a DayListIndex, which gives the same rows faster; these build one for the call.)
namespace DayListRows {

// Persons of the white pages (whitePages true) or the yellow pages: Name and Company, by name
// ignoring letter case; the yellow pages then by company, byte by byte.
std::vector<ListRow> PhoneBook(const PimRecords& records, bool whitePages);

// Tasks listed on day D (00:00), today being T: those due on D when D is not in the past, the
// unfinished ones due up to today when D is today, and those completed on D when D is not in the
// future. Columns: description and due date (short format); image: the priority.
std::vector<ListRow> Tasks(const PimRecords& records, const DateTime& day, const DateTime& today);

// The occurrences listed on the day: all-day ones first ("All day"), then timed ones by start
// ("start-end"); then the description, with "(day N of M)" for one that lasts several days. Image:
// the alarm (0 none, 1 set), plus 2 for an occurrence of a series.
std::vector<ListRow> Appointments(const PimRecords& records, const DateTime& day);

// Case-folded form of a name, for ordering the phone book.
std::string NameKey(const std::string& name);

} // namespace DayListRows
