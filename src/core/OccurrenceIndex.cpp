#include "OccurrenceIndex.h"

#include "PimRecords.h"

#include <algorithm>
#include <unordered_set>

namespace {

// Single appointments lasting longer than this are few and looked at one by one; the others are
// found by their first day.
constexpr int kShortSpan = 31;
// A deadline is looked at after this many series, so that asking the clock costs little.
constexpr std::size_t kSeriesPerClockLook = 16;

std::uint64_t changedKey(int seriesId, CalendarDate original) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(seriesId)) << 32) |
           static_cast<std::uint32_t>(original.DayNumber());
}

int monthKeyOf(CalendarDate date) {
    const CalendarRecord r = date.Midnight().ToCalendarRecord();
    return r.year * 12 + r.month - 1;
}

CalendarDate firstOfMonth(int key) {
    return CalendarDate::FromParts(key / 12, key % 12 + 1, 1);
}

CalendarDate lastOfMonth(int key) {
    const CalendarDate next = firstOfMonth(key + 1);
    return next.IsValid() ? next - 1 : CalendarDate::FromParts(key / 12, 12, 31);
}

bool covers(const AppointmentOccurrences& series, CalendarDate first, CalendarDate last) {
    return series.FirstDay() <= last && (!series.LastDay().IsValid() || series.LastDay() >= first);
}

void listDays(std::vector<DayOccurrence>& out, const Occurrence& o, CalendarDate from, CalendarDate to) {
    const CalendarDate first = std::max(from, o.firstDay);
    const CalendarDate last = std::min(to, o.lastDay);
    const int count = (o.lastDay - o.firstDay) + 1;
    for (CalendarDate day = first; day.IsValid() && day <= last; day = day + 1)
        out.push_back(DayOccurrence{day, (day - o.firstDay) + 1, count, o});
}

// All-day entries first, then by start: one continuing from the day before starts the day.
bool listedBefore(const DayOccurrence& a, const DayOccurrence& b) {
    if (a.day != b.day)
        return a.day < b.day;
    if (a.occurrence.allDay != b.occurrence.allDay)
        return a.occurrence.allDay;
    const DateTime aStart = a.Continues() ? a.day.Midnight() : a.occurrence.start;
    const DateTime bStart = b.Continues() ? b.day.Midnight() : b.occurrence.start;
    if (aStart != bStart)
        return aStart < bStart;
    if (a.occurrence.id != b.occurrence.id)
        return a.occurrence.id < b.occurrence.id;
    return a.occurrence.original < b.occurrence.original;
}

} // namespace

void OccurrenceIndex::sync(const PimRecords& records) {
    const RecordCollection<Appointment>& appointments = records.Appointments;
    if (m_synced && appointments.Count() == m_count && appointments.LastID() == m_lastId)
        return;
    std::unordered_map<int, AppointmentOccurrences> series;
    std::vector<int> changedSeries;
    m_singles.clear();
    m_long.clear();
    m_changed.clear();
    for (const auto& [id, appointment] : appointments) {
        if (appointment.SeriesID != 0)
            m_changed.emplace(changedKey(appointment.SeriesID, appointment.OriginalDate), id);
        if (appointment.Repeats()) {
            const auto kept = m_series.find(id);
            if (kept != m_series.end() && kept->second.SameOccurrences(appointment)) {
                series.emplace(id, std::move(kept->second));
                m_series.erase(kept);
                continue;
            }
            AppointmentOccurrences occurrences(appointment);
            if (occurrences.Repeats()) {
                series.emplace(id, std::move(occurrences));
                changedSeries.push_back(id);
                continue;
            }
        }
        Occurrence single = AppointmentOccurrences::Single(appointment);
        if (!single.firstDay.IsValid())
            continue;
        (single.lastDay - single.firstDay < kShortSpan ? m_singles : m_long).push_back(std::move(single));
    }
    // What is left of the former series was removed, or repeats no more.
    for (const auto& [id, gone] : m_series)
        changedSeries.push_back(id);
    m_series = std::move(series);
    m_spans.clear();
    m_spans.reserve(m_series.size());
    for (const auto& [id, kept] : m_series)
        m_spans.push_back(SeriesSpan{kept.FirstDay(), kept.LastDay(), id, &kept});
    // By first day; sorting the days with their places moves far less than sorting the occurrences.
    std::vector<std::pair<CalendarDate, std::uint32_t>> order;
    order.reserve(m_singles.size());
    for (std::size_t i = 0; i < m_singles.size(); ++i)
        order.emplace_back(m_singles[i].firstDay, static_cast<std::uint32_t>(i));
    std::sort(order.begin(), order.end());
    std::vector<Occurrence> sorted;
    sorted.reserve(m_singles.size());
    for (const auto& [first, place] : order)
        sorted.push_back(std::move(m_singles[place]));
    m_singles = std::move(sorted);
    if (!changedSeries.empty()) {
        const std::unordered_set<int> changed(changedSeries.begin(), changedSeries.end());
        for (auto& [key, month] : m_months) {
            std::erase_if(month.entries, [&](const Occurrence& o) { return changed.count(o.id) > 0; });
            std::erase_if(month.pending, [&](int id) { return changed.count(id) > 0; });
            // Each once: a series changed in place is also among those left of the former ones.
            for (int id : changed) {
                const auto found = m_series.find(id);
                if (found != m_series.end() && covers(found->second, month.first, month.last))
                    month.pending.push_back(id);
            }
            month.tableBuilt = false;
        }
    }
    m_count = appointments.Count();
    m_lastId = appointments.LastID();
    m_synced = true;
}

OccurrenceIndex::Month& OccurrenceIndex::month(int key) {
    const auto found = m_months.find(key);
    if (found != m_months.end())
        return found->second;
    Month& month = m_months[key];
    month.first = firstOfMonth(key);
    month.last = lastOfMonth(key);
    for (const SeriesSpan& span : m_spans)
        if (span.Covers(month.first, month.last))
            month.pending.push_back(span.id);
    return month;
}

void OccurrenceIndex::listUnprepared(std::vector<DayOccurrence>& out, CalendarDate day) const {
    for (const SeriesSpan& span : m_spans)
        if (span.Covers(day, day))
            for (const Occurrence& o : span.series->Covering(day, day))
                if (!replaced(o))
                    listDays(out, o, day, day);
}

bool OccurrenceIndex::fill(Month& month, const Deadline& deadline) {
    std::size_t done = 0;
    while (!month.pending.empty()) {
        const int id = month.pending.back();
        month.pending.pop_back();
        month.tableBuilt = false;
        if (const auto found = m_series.find(id); found != m_series.end()) {
            std::vector<Occurrence> occurrences = found->second.Covering(month.first, month.last);
            month.entries.insert(month.entries.end(), std::make_move_iterator(occurrences.begin()),
                                 std::make_move_iterator(occurrences.end()));
        }
        if (deadline && ++done % kSeriesPerClockLook == 0 && std::chrono::steady_clock::now() >= *deadline)
            return month.pending.empty();
    }
    return true;
}

void OccurrenceIndex::buildTable(Month& month) {
    const auto days = static_cast<std::size_t>((month.last - month.first) + 1);
    month.dayStart.assign(days + 1, 0);
    for (const Occurrence& o : month.entries)
        for (CalendarDate day = std::max(o.firstDay, month.first); day <= std::min(o.lastDay, month.last);
             day = day + 1)
            ++month.dayStart[static_cast<std::size_t>(day - month.first) + 1];
    for (std::size_t d = 0; d < days; ++d)
        month.dayStart[d + 1] += month.dayStart[d];
    month.dayEntries.assign(month.dayStart.back(), 0);
    std::vector<std::uint32_t> next(month.dayStart.begin(), month.dayStart.end() - 1);
    for (std::size_t i = 0; i < month.entries.size(); ++i) {
        const Occurrence& o = month.entries[i];
        for (CalendarDate day = std::max(o.firstDay, month.first); day <= std::min(o.lastDay, month.last);
             day = day + 1)
            month.dayEntries[next[static_cast<std::size_t>(day - month.first)]++] = static_cast<std::uint32_t>(i);
    }
    month.tableBuilt = true;
}

bool OccurrenceIndex::replaced(const Occurrence& occurrence) const {
    return occurrence.id == occurrence.seriesId &&
           m_changed.count(changedKey(occurrence.seriesId, occurrence.original)) > 0;
}

std::vector<DayOccurrence> OccurrenceIndex::Between(const PimRecords& records, CalendarDate from, CalendarDate to) {
    std::vector<DayOccurrence> out;
    if (!from.IsValid() || !to.IsValid() || to < from)
        return out;
    sync(records);
    const CalendarDate earliest = from - kShortSpan;
    auto single = std::lower_bound(m_singles.begin(), m_singles.end(), earliest.IsValid() ? earliest : from,
                                   [](const Occurrence& o, CalendarDate day) { return o.firstDay < day; });
    if (!earliest.IsValid())
        single = m_singles.begin();
    for (; single != m_singles.end() && single->firstDay <= to; ++single)
        if (single->lastDay >= from)
            listDays(out, *single, from, to);
    for (const Occurrence& o : m_long)
        if (o.firstDay <= to && o.lastDay >= from)
            listDays(out, o, from, to);
    if (!m_series.empty()) {
        for (int key = monthKeyOf(from), lastKey = monthKeyOf(to); key <= lastKey; ++key) {
            if (from == to && m_months.find(key) == m_months.end()) {
                // One day of a month never asked for: the month is left to Prepare().
                listUnprepared(out, from);
                continue;
            }
            Month& m = month(key);
            const CalendarDate a = std::max(from, m.first), b = std::min(to, m.last);
            if (a == b && !m.pending.empty()) {
                // One day of a month not worked out yet: the series still pending give just that day,
                // which costs a fraction of their month; the month is left to Prepare().
                for (const Occurrence& o : m.entries)
                    if (o.firstDay <= a && o.lastDay >= a && !replaced(o))
                        listDays(out, o, a, a);
                for (int id : m.pending)
                    if (const auto found = m_series.find(id); found != m_series.end())
                        for (const Occurrence& o : found->second.Covering(a, a))
                            if (!replaced(o))
                                listDays(out, o, a, a);
                continue;
            }
            fill(m, std::nullopt);
            if (a == b) {
                if (!m.tableBuilt)
                    buildTable(m);
                const auto d = static_cast<std::size_t>(a - m.first);
                for (std::uint32_t i = m.dayStart[d]; i < m.dayStart[d + 1]; ++i)
                    if (!replaced(m.entries[m.dayEntries[i]]))
                        listDays(out, m.entries[m.dayEntries[i]], a, a);
                continue;
            }
            for (const Occurrence& o : m.entries)
                if (o.firstDay <= b && o.lastDay >= a && !replaced(o))
                    listDays(out, o, a, b);
        }
    }
    std::sort(out.begin(), out.end(), listedBefore);
    return out;
}

std::optional<Occurrence> OccurrenceIndex::Of(const PimRecords& records, int seriesId, CalendarDate original) {
    sync(records);
    if (const auto changed = m_changed.find(changedKey(seriesId, original)); changed != m_changed.end())
        if (const Appointment* appointment = records.Appointments.Find(changed->second))
            return AppointmentOccurrences::Single(*appointment);
    const auto series = m_series.find(seriesId);
    if (series == m_series.end())
        return std::nullopt;
    return series->second.OnOriginalDate(original);
}

bool OccurrenceIndex::Prepare(const PimRecords& records, CalendarDate around, int monthsEachSide,
                              std::chrono::steady_clock::time_point deadline) {
    if (!around.IsValid())
        return false;
    sync(records);
    const int centre = monthKeyOf(around);
    bool left = false;
    for (int step = 0; step <= 2 * monthsEachSide; ++step) {
        const int key = centre + (step % 2 == 0 ? step / 2 : -(step + 1) / 2);
        if (!firstOfMonth(key).IsValid())
            continue;
        if (left || std::chrono::steady_clock::now() >= deadline) {
            const auto found = m_months.find(key);
            left = left || found == m_months.end() || !found->second.pending.empty();
            continue;
        }
        Month& m = month(key);
        if (!fill(m, deadline))
            left = true;
        else if (!m.tableBuilt)
            buildTable(m);
    }
    return left;
}

namespace Occurrences {

std::vector<DayOccurrence> Between(const PimRecords& records, CalendarDate from, CalendarDate to) {
    return OccurrenceIndex().Between(records, from, to);
}

} // namespace Occurrences
