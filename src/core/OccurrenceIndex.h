#pragma once

#include "AppointmentOccurrences.h"
#include "Occurrence.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

class PimRecords;

// The one question every view, report, reminder and tool asks of the appointment book: which
// occurrences fall on which days. Series are expanded (their excluded dates left out, their changed
// occurrences standing in for the ones they replace), and an entry lasting several days is listed on
// each of them, "day N of M". A day lists its all-day entries first, then the timed ones by start
// (one continuing from the day before first of all), then by ID.
//
// Expanding a rule is costly, so the index keeps what it worked out, a calendar month at a time, and
// keeps a series' months across changes to the document as long as the series itself is unchanged.
// It points into the document's appointments: Forget() it whenever the document reports a change.
class OccurrenceIndex {
public:
    void Forget() { m_synced = false; }

    // The occurrences listed on the days from `from` to `to` (both included), day by day.
    std::vector<DayOccurrence> Between(const PimRecords& records, CalendarDate from, CalendarDate to);
    std::vector<DayOccurrence> On(const PimRecords& records, CalendarDate day) { return Between(records, day, day); }
    // The occurrence of a series on one of its original dates: the changed occurrence standing in for
    // it, or the one its rule gives; nothing where the rule gives none or the date is excluded.
    std::optional<Occurrence> Of(const PimRecords& records, int seriesId, CalendarDate original);
    bool Occurs(const PimRecords& records, int seriesId, CalendarDate original) {
        return Of(records, seriesId, original).has_value();
    }

    // Idle work: expands the months around a day ahead of their first use (the day's own month, then
    // outward), until the deadline. Answers whether any of them is still left to do.
    bool Prepare(const PimRecords& records, CalendarDate around, int monthsEachSide,
                 std::chrono::steady_clock::time_point deadline);

private:
    using Deadline = std::optional<std::chrono::steady_clock::time_point>;
    struct Month {
        CalendarDate first;
        CalendarDate last;
        std::vector<int> pending; // series not yet expanded for this month
        std::vector<Occurrence> entries;
        // Once complete: for each day of the month, the entries that cover it.
        bool tableBuilt = false;
        std::vector<std::uint32_t> dayStart;
        std::vector<std::uint32_t> dayEntries;
    };

    // Where a series can occur, kept together so that a month or a day finds its series without
    // visiting the others.
    struct SeriesSpan {
        CalendarDate first;
        CalendarDate last; // invalid: runs on
        int id = 0;
        const AppointmentOccurrences* series = nullptr;
        bool Covers(CalendarDate from, CalendarDate to) const {
            return first <= to && (!last.IsValid() || last >= from);
        }
    };

    void sync(const PimRecords& records);
    Month& month(int key);
    // One day of a month not worked out yet, straight from the series that can occur on it.
    void listUnprepared(std::vector<DayOccurrence>& out, CalendarDate day) const;
    bool fill(Month& month, const Deadline& deadline);
    void buildTable(Month& month);
    bool replaced(const Occurrence& occurrence) const;

    bool m_synced = false;
    std::size_t m_count = 0;
    int m_lastId = -1;
    std::unordered_map<int, AppointmentOccurrences> m_series;
    std::vector<SeriesSpan> m_spans;   // one for each of m_series
    std::vector<Occurrence> m_singles; // by first day; those lasting long in m_long
    std::vector<Occurrence> m_long;
    std::unordered_map<std::uint64_t, int> m_changed; // (series, original date) -> the changed occurrence's ID
    std::map<int, Month> m_months;
};

namespace Occurrences {

// The same questions without an index kept between them, for those who ask once.
std::vector<DayOccurrence> Between(const PimRecords& records, CalendarDate from, CalendarDate to);

} // namespace Occurrences
