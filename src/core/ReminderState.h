#pragma once

#include <vector>

#include "DateTime.h"

#include <map>
#include <optional>

struct Appointment;
class PimRecords;

// What this session did with the document's alarms beside the document itself: alarms snoozed to
// a later moment, and missed alarms the user has already been shown. Each entry remembers the alarm
// moment it was made for, so an alarm that is edited afterwards rings by its new moment.
class ReminderState {
public:
    // When the appointment's alarm rings: its alarm moment, or the end of its snooze; nothing when
    // the alarm is off or was shown as missed.
    std::optional<DateTime> RingsAt(const Appointment& appointment) const;

    void Snooze(const Appointment& appointment, const DateTime& now, const DateTimeSpan& length);
    // Shown as missed: it stays set in the document but rings no more until the document is opened again.
    void Quiet(const Appointment& appointment);
    // A snooze never lasts longer than its length from now, even after the clock was set back.
    void FollowClock(const DateTime& now);
    // The records of every snooze still pending at `now`, their alarm moment moved to the snooze's
    // end, as a save must store them; the snoozes are then the records' own and leave this state.
    std::vector<Appointment> TakePending(const PimRecords& records, const DateTime& now);

    void Clear() { m_entries.clear(); }
    bool Empty() const { return m_entries.empty(); }

private:
    struct Entry {
        DateTime alarm; // the alarm moment the entry was made for
        DateTime until; // a snooze's end
        DateTimeSpan length;
        bool quiet = false;
    };
    const Entry* EntryFor(const Appointment& appointment) const;

    std::map<int, Entry> m_entries;
};
