#pragma once

#include "Birthdays.h"
#include "Occurrence.h"

#include <vector>

// Where each entry of a span of days goes on a week's page: the entries of whole days (all-day,
// those lasting a day or more, birthdays) in a band above the time grid, one lane each, spanning
// their days; the timed ones as boxes on their days' columns, cut at midnight, those that overlap
// side by side. Days are counted from the first day shown (0) on.
namespace WeekLayout {

constexpr int kDayMinutes = 24 * 60;
// A box is never shorter than a quarter of an hour, so that a moment's appointment can be seen.
constexpr int kShortest = 15;

struct BandEntry {
    int firstDay = 0; // within the days shown
    int lastDay = 0;
    int lane = 0;
    bool fromBefore = false; // began before the first day shown
    bool goesOn = false;     // ends after the last
    int birthday = -1;       // index into Plan::birthdays; -1: the occurrence
    Occurrence occurrence;
};

struct Box {
    int day = 0;
    int startMinute = 0; // from that day's midnight
    int endMinute = 0;   // at most kDayMinutes
    int column = 0;
    int columns = 1;
    bool fromBefore = false; // began on an earlier day
    bool goesOn = false;     // runs past this day's midnight
    Occurrence occurrence;
};

struct Plan {
    CalendarDate first;
    int days = 7;
    std::vector<BandEntry> band; // by first day, then as listed
    int lanes = 0;
    std::vector<Box> boxes; // by day, then as listed
    std::vector<BirthdayOccurrence> birthdays;
    int firstHour = 5; // the hours the grid shows, from firstHour:00 to lastHour:00
    int lastHour = 23;
};

// A start-to-end stretch of one day, in minutes, and the column it was given among those it
// overlaps.
struct Stretch {
    int start = 0;
    int end = 0;
};
struct Placement {
    int column = 0;
    int columns = 1;
};
// Stretches that overlap (directly or through others) share their number of columns; each takes
// the leftmost column free at its start. Listed by start; answers in the same order.
std::vector<Placement> Columns(const std::vector<Stretch>& stretches);

// Days spans, listed by first day: each takes the topmost lane free over all its days.
struct DaySpan {
    int first = 0;
    int last = 0;
};
std::vector<int> Lanes(const std::vector<DaySpan>& spans, int* laneCount = nullptr);

// The page of `days` days from `first`, from the occurrences listed on them (as the occurrence
// index lists them) and the birthdays falling on them. The grid shows 05:00 to 23:00, widened to
// whole hours that take in every box.
Plan Lay(const std::vector<DayOccurrence>& listed, std::vector<BirthdayOccurrence> birthdays, CalendarDate first,
         int days = 7);

} // namespace WeekLayout
