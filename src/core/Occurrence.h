#pragma once

#include "CalendarDate.h"
#include "DateTime.h"

// One occurrence of an appointment: a single appointment's one, or one of a series. Times are in the
// computer's zone.
struct Occurrence {
    int id = 0;            // the record it shows: the series' own for an occurrence its rule gives
    int seriesId = 0;      // the series it belongs to (a changed occurrence's too); 0 for a single appointment
    CalendarDate original; // its date in the series, which names it there; invalid for a single appointment
    bool allDay = false;
    DateTime start;        // an all-day occurrence: the midnight of its first day...
    DateTime end;          // ...and the midnight after its last
    CalendarDate firstDay; // the days it covers
    CalendarDate lastDay;
    bool alarmed = false; // a reminder is set...
    DateTime alarm;       // ...and rings then

    bool InSeries() const { return seriesId != 0; }
    bool operator==(const Occurrence&) const = default;
};

// An occurrence as one day lists it: a multi-day one is listed on each of its days, "day N of M".
struct DayOccurrence {
    CalendarDate day;
    int dayNumber = 1;
    int dayCount = 1;
    Occurrence occurrence;

    bool Continues() const { return dayNumber > 1; }
    bool operator==(const DayOccurrence&) const = default;
};

// What names one occurrence: the record, and for an occurrence of a series its original date.
struct OccurrenceKey {
    int id = 0;
    CalendarDate original;
    bool operator==(const OccurrenceKey&) const = default;
    auto operator<=>(const OccurrenceKey&) const = default;
};

inline OccurrenceKey KeyOf(const Occurrence& occurrence) {
    return {occurrence.id, occurrence.id == occurrence.seriesId ? occurrence.original : CalendarDate()};
}
