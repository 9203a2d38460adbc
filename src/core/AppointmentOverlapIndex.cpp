#include "AppointmentOverlapIndex.h"

#include "Appointment.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
// Whole seconds on the continuous scale: records hold whole seconds, and comparing them so keeps
// a start that equals an end from being missed by a rounding difference in the stored days.
std::int64_t seconds(const DateTime& moment) {
    return std::llround(DateTime::Continuous(moment.Value()) * 86400.0);
}
} // namespace

AppointmentOverlapIndex::AppointmentOverlapIndex(const RecordCollection<Appointment>& appointments) {
    for (const auto& [id, appointment] : appointments)
        Add(appointment.StartTime, appointment.EndTime);
}

bool AppointmentOverlapIndex::Collides(const DateTime& start, const DateTime& end) const {
    return (start.IsValid() && Covers(seconds(start))) || (end.IsValid() && Covers(seconds(end)));
}

void AppointmentOverlapIndex::Add(const DateTime& start, const DateTime& end) {
    // An appointment without a valid time, or one that ends before it starts, covers no moment.
    if (!start.IsValid() || !end.IsValid())
        return;
    std::int64_t from = seconds(start);
    std::int64_t to = seconds(end);
    if (to < from)
        return;
    auto it = m_spans.upper_bound(from);
    if (it != m_spans.begin()) {
        const auto before = std::prev(it);
        if (before->second >= from) {
            from = before->first;
            to = std::max(to, before->second);
            it = m_spans.erase(before);
        }
    }
    while (it != m_spans.end() && it->first <= to) {
        to = std::max(to, it->second);
        it = m_spans.erase(it);
    }
    m_spans.emplace(from, to);
}

bool AppointmentOverlapIndex::Covers(std::int64_t second) const {
    auto it = m_spans.upper_bound(second);
    if (it == m_spans.begin())
        return false;
    return second <= std::prev(it)->second;
}
