#pragma once

#include "DateTime.h"

#include <vector>

struct Appointment;
class PimRecords;
class ReminderState;

struct DueAlarm {
    int id = 0;
    DateTime moment; // when it rang: the alarm moment, or the end of its snooze
    bool operator==(const DueAlarm&) const = default;
};

// Every appointment of the document whose alarm rings at `now`, whatever its date: the alarm is set
// and its moment (moved by a snooze) has come. Earliest moment first, then by ID.
std::vector<DueAlarm> DueAlarms(const PimRecords& records, const ReminderState& state, const DateTime& now);

// An appointment whose start and end have both passed: an alarm of it that is due on opening the
// document rang while nobody was there, and is listed as missed instead of ringing.
bool IsOver(const Appointment& appointment, const DateTime& now);
