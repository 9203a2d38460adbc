#pragma once

#include "Appointment.h"
#include "DateTime.h"
#include "Occurrence.h"
#include "OccurrenceIndex.h"

#include <map>
#include <optional>
#include <vector>

class PimRecords;

// What this session did with the document's alarms beside the document itself: alarms snoozed to
// a later moment, and missed alarms the user has already been shown. Each entry is for one
// occurrence (a single appointment's, or one of a series) and remembers the alarm moment it was made
// for, so an alarm that is edited afterwards rings by its new moment. It also keeps the occurrences
// of the document's series that the alarms are looked up in.
class ReminderState {
public:
    // When an occurrence whose alarm moment is `alarm` rings: that moment, or the end of its snooze;
    // nothing when it was shown as missed.
    std::optional<DateTime> RingsAt(const OccurrenceKey& key, const DateTime& alarm) const;
    // A single appointment's: nothing as well when its alarm is off.
    std::optional<DateTime> RingsAt(const Appointment& appointment) const;

    void Snooze(const OccurrenceKey& key, const DateTime& alarm, const DateTime& now, const DateTimeSpan& length);
    // Shown as missed: it stays set in the document but rings no more until the document is opened again.
    void Quiet(const OccurrenceKey& key, const DateTime& alarm);
    void Snooze(const Appointment& appointment, const DateTime& now, const DateTimeSpan& length) {
        Snooze({appointment.ID, {}}, appointment.AlarmTime, now, length);
    }
    void Quiet(const Appointment& appointment) { Quiet({appointment.ID, {}}, appointment.AlarmTime); }
    // A snooze never lasts longer than its length from now, even after the clock was set back.
    void FollowClock(const DateTime& now);
    // The records of every single appointment's snooze still pending at `now`, their alarm moment
    // moved to the snooze's end, as a save must store them; the snoozes are then the records' own and
    // leave this state. A snoozed occurrence of a series stays snoozed for this session only: its
    // alarm moment is the series'.
    std::vector<Appointment> TakePending(const PimRecords& records, const DateTime& now);

    // The occurrences the alarms of series are found by; to be told of every change of the document.
    OccurrenceIndex& Occurrences() { return m_occurrences; }
    void DocumentChanged() { m_occurrences.Forget(); }

    void Clear() {
        m_entries.clear();
        m_occurrences = OccurrenceIndex();
    }
    bool Empty() const { return m_entries.empty(); }

private:
    struct Entry {
        DateTime alarm; // the alarm moment the entry was made for
        DateTime until; // a snooze's end
        DateTimeSpan length;
        bool quiet = false;
    };
    const Entry* EntryFor(const OccurrenceKey& key, const DateTime& alarm) const;

    std::map<OccurrenceKey, Entry> m_entries;
    OccurrenceIndex m_occurrences;
};
