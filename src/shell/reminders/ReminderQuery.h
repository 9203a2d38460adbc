#pragma once

#include "core/DateTime.h"

#include <vector>

class PimRecords;

// One row of the day view's appointment list, in listed order: the record it carries and whether
// its Time column has text.
struct ListedAppointment {
    int id = 0;
    bool hasTime = true;
};

// Which appointments ring now: the listed appointments, in their order, whose alarm is set and whose
// alarm moment has come. A row without time text, a row repeating the ID of the row before it and
// an ID no longer in the document are passed over.
std::vector<int> DueReminders(const std::vector<ListedAppointment>& rows, const PimRecords& records,
                              const DateTime& now);
