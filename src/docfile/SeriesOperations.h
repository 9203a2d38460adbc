#pragma once

#include "core/Appointment.h"

#include <optional>

class PimDocument;

// How much of a series an edit or a deletion of one of its occurrences means.
enum class SeriesScope { ThisOccurrence, ThisAndFollowing, AllOccurrences };

// One occurrence of a series, named by the series and the date the rule gives it.
struct SeriesOccurrence {
    int seriesId = 0;
    CalendarDate original;
    bool operator==(const SeriesOccurrence&) const = default;
};

// Edits and deletions of occurrences of a series. Each is one undo step of the document:
//   ThisOccurrence    a changed occurrence stands in for it (an edit), or its date is left out of
//                     the series (a deletion; a changed occurrence standing in for it goes too).
//   ThisAndFollowing  the series ends the day before; an edit starts a new series there with the
//                     changes, which takes over the later changed occurrences and left-out dates.
//   AllOccurrences    the series itself changes; changed occurrences move with its first date and
//                     those the new rule no longer gives become appointments of their own, so that
//                     nothing the user wrote into them is lost. A deletion takes them all.
namespace SeriesOperations {

// The occurrence an appointment record stands for on a day: a changed occurrence's own, or the
// occurrence of a series that covers the day. Nothing for a single appointment.
std::optional<SeriesOccurrence> OccurrenceOn(const PimDocument& document, int id, CalendarDate day);

// The record the editor starts from: the changed occurrence (an unsaved one, ID 0, when none stands
// in yet); the series at this occurrence's times, counting only the occurrences left when it counts;
// or the series as stored.
std::optional<Appointment> RecordToEdit(const PimDocument& document, const SeriesOccurrence& occurrence,
                                        SeriesScope scope);

// Stores the editor's result for the scope it was opened with. False when the series is gone.
bool Change(PimDocument& document, const SeriesOccurrence& occurrence, SeriesScope scope, Appointment edited);
bool Delete(PimDocument& document, const SeriesOccurrence& occurrence, SeriesScope scope);

} // namespace SeriesOperations
