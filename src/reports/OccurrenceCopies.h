#pragma once

#include "core/Appointment.h"
#include "core/CalendarDate.h"
#include "core/Occurrence.h"
#include "core/PimRecords.h"

#include <QString>

#include <vector>

// The reports print copies of records; an appointment of a series is printed as the copy of one
// occurrence: the series' description and reminder at that occurrence's times, repeating no more.
namespace OccurrenceCopies {

// The record standing for one occurrence of `record`: a single appointment or a changed occurrence
// as it is, an occurrence its series' rule gives as a copy at its own times.
Appointment Of(const Appointment& record, const Occurrence& occurrence);

// One copy for each occurrence that covers a day from `first` to `last`, in the order the days list
// them (by the first day in the range each covers).
std::vector<Appointment> Between(const PimRecords& records, CalendarDate first, CalendarDate last);

// " (day 2 of 3)" for a copy lasting several days, on one of them; empty for a single day.
QString DayMark(const Occurrence& occurrence, CalendarDate day);

} // namespace OccurrenceCopies
