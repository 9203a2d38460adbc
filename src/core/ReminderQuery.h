#pragma once

#include "DateTime.h"
#include "Occurrence.h"

#include <vector>

struct Appointment;
class PimRecords;
class ReminderState;

struct DueAlarm {
    int id = 0;
    CalendarDate original; // an occurrence of a series: its original date; invalid otherwise
    DateTime moment;       // when it rang: the alarm moment, or the end of its snooze
    DateTime start;        // the occurrence's start and end
    DateTime end;

    OccurrenceKey Key() const { return {id, original}; }
    bool operator==(const DueAlarm&) const = default;
};

// Every alarm of the document that rings at `now`, whatever its date: its moment (moved by a
// snooze) has come. A single appointment's alarm rings until it is turned off. Each occurrence of a
// series rings its own alarm, from its alarm moment until the occurrence is over (a series goes on:
// what passed while nobody was there is not called back). Earliest moment first, then by ID.
std::vector<DueAlarm> DueAlarms(const PimRecords& records, ReminderState& state, const DateTime& now);

// An appointment (or occurrence) whose start and end have both passed: an alarm of it that is due
// on opening the document rang while nobody was there, and is listed as missed instead of ringing.
bool IsOver(const Appointment& appointment, const DateTime& now);
bool IsOver(const DueAlarm& alarm, const DateTime& now);
