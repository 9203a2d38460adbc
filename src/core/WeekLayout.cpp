#include "WeekLayout.h"

#include <algorithm>

namespace WeekLayout {

namespace {

int minuteOf(const DateTime& time, CalendarDate day) {
    const CalendarDate on = CalendarDate::Of(time);
    if (on < day)
        return 0;
    if (on > day)
        return kDayMinutes;
    return time.Hour() * 60 + time.Minute();
}

// A timed entry that lasts a whole day or more reads better as a bar across its days than as
// columns filled from top to bottom.
bool inBand(const Occurrence& occurrence) {
    return occurrence.allDay || (occurrence.end - occurrence.start).Days() >= 1.0;
}

Box boxOn(const DayOccurrence& listed, CalendarDate first) {
    const Occurrence& occurrence = listed.occurrence;
    Box box;
    box.day = listed.day - first;
    box.startMinute = std::min(minuteOf(occurrence.start, listed.day), kDayMinutes - kShortest);
    box.endMinute = std::clamp(minuteOf(occurrence.end, listed.day), box.startMinute + kShortest, kDayMinutes);
    box.fromBefore = CalendarDate::Of(occurrence.start) < listed.day;
    box.goesOn = CalendarDate::Of(occurrence.end) > listed.day && occurrence.end > (listed.day + 1).Midnight();
    box.occurrence = occurrence;
    return box;
}

void placeColumns(std::vector<Box>::iterator from, std::vector<Box>::iterator to) {
    std::stable_sort(from, to, [](const Box& a, const Box& b) { return a.startMinute < b.startMinute; });
    std::vector<Stretch> stretches;
    for (auto box = from; box != to; ++box)
        stretches.push_back({box->startMinute, box->endMinute});
    const std::vector<Placement> placements = Columns(stretches);
    for (std::size_t i = 0; i < placements.size(); ++i) {
        from[static_cast<std::ptrdiff_t>(i)].column = placements[i].column;
        from[static_cast<std::ptrdiff_t>(i)].columns = placements[i].columns;
    }
}

} // namespace

std::vector<Placement> Columns(const std::vector<Stretch>& stretches) {
    std::vector<Placement> placements(stretches.size());
    std::vector<int> columnEnds; // of the group under way
    std::size_t groupStart = 0;
    int groupEnd = 0;
    auto closeGroup = [&](std::size_t end) {
        for (std::size_t i = groupStart; i < end; ++i)
            placements[i].columns = static_cast<int>(columnEnds.size());
        columnEnds.clear();
        groupStart = end;
    };
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const Stretch& stretch = stretches[i];
        if (!columnEnds.empty() && stretch.start >= groupEnd)
            closeGroup(i);
        if (columnEnds.empty())
            groupEnd = stretch.end;
        auto free = std::find_if(columnEnds.begin(), columnEnds.end(), [&](int end) { return end <= stretch.start; });
        if (free == columnEnds.end())
            free = columnEnds.insert(columnEnds.end(), stretch.end);
        else
            *free = stretch.end;
        placements[i].column = static_cast<int>(free - columnEnds.begin());
        groupEnd = std::max(groupEnd, stretch.end);
    }
    closeGroup(stretches.size());
    return placements;
}

std::vector<int> Lanes(const std::vector<DaySpan>& spans, int* laneCount) {
    std::vector<int> lanes;
    std::vector<int> laneEnds; // the last day each lane is taken up to
    for (const DaySpan& span : spans) {
        auto free = std::find_if(laneEnds.begin(), laneEnds.end(), [&](int end) { return end < span.first; });
        if (free == laneEnds.end())
            free = laneEnds.insert(laneEnds.end(), span.last);
        else
            *free = span.last;
        lanes.push_back(static_cast<int>(free - laneEnds.begin()));
    }
    if (laneCount)
        *laneCount = static_cast<int>(laneEnds.size());
    return lanes;
}

Plan Lay(const std::vector<DayOccurrence>& listed, std::vector<BirthdayOccurrence> birthdays, CalendarDate first,
         int days) {
    Plan plan;
    plan.first = first;
    plan.days = days;
    const CalendarDate last = first + (days - 1);
    for (const DayOccurrence& entry : listed) {
        if (entry.day < first || entry.day > last)
            continue;
        const Occurrence& occurrence = entry.occurrence;
        if (!inBand(occurrence)) {
            plan.boxes.push_back(boxOn(entry, first));
        } else if (entry.dayNumber == 1 || entry.day == first) {
            BandEntry band;
            band.firstDay = std::max(occurrence.firstDay, first) - first;
            band.lastDay = std::max(band.firstDay, std::min(occurrence.lastDay, last) - first);
            band.fromBefore = occurrence.firstDay < first;
            band.goesOn = occurrence.lastDay > last;
            band.occurrence = occurrence;
            plan.band.push_back(band);
        }
    }
    plan.birthdays = std::move(birthdays);
    for (std::size_t i = 0; i < plan.birthdays.size(); ++i) {
        const CalendarDate day = plan.birthdays[i].day;
        if (day < first || day > last)
            continue;
        BandEntry band;
        band.firstDay = band.lastDay = day - first;
        band.birthday = static_cast<int>(i);
        plan.band.push_back(band);
    }
    // Longer bars first on their day, so that the shorter ones fill the lanes beside them.
    std::stable_sort(plan.band.begin(), plan.band.end(), [](const BandEntry& a, const BandEntry& b) {
        if (a.firstDay != b.firstDay)
            return a.firstDay < b.firstDay;
        return a.lastDay > b.lastDay;
    });
    std::vector<DaySpan> spans;
    for (const BandEntry& band : plan.band)
        spans.push_back({band.firstDay, band.lastDay});
    const std::vector<int> lanes = Lanes(spans, &plan.lanes);
    for (std::size_t i = 0; i < lanes.size(); ++i)
        plan.band[i].lane = lanes[i];

    std::stable_sort(plan.boxes.begin(), plan.boxes.end(), [](const Box& a, const Box& b) { return a.day < b.day; });
    for (auto from = plan.boxes.begin(); from != plan.boxes.end();) {
        const auto to = std::find_if(from, plan.boxes.end(), [&](const Box& box) { return box.day != from->day; });
        placeColumns(from, to);
        from = to;
    }
    for (const Box& box : plan.boxes) {
        plan.firstHour = std::min(plan.firstHour, box.startMinute / 60);
        plan.lastHour = std::max(plan.lastHour, (box.endMinute + 59) / 60);
    }
    return plan;
}

} // namespace WeekLayout
