#include "AlarmMinutes.h"

#include <algorithm>
#include <cmath>

AlarmMinutes::AlarmMinutes(int minutes) : m_minutes(minutes) {}

AlarmMinutes AlarmMinutes::FromAlarm(bool alarmOn, const DateTime& start, const DateTime& alarm) {
    if (!alarmOn)
        return AlarmMinutes(0);
    const DateTimeSpan lead = start - alarm;
    if (!lead.IsValid())
        return AlarmMinutes(0);
    // Rounded rather than cut: the day fractions of two times a whole number of minutes apart
    // differ by a little less or more than that number. A lead outside the arrows' range (from an
    // older file or an import) is shown as it is, not as the nearest end of the range.
    const double minutes = std::round(lead.Days() * 24.0 * 60.0);
    constexpr double limit = 1e6;
    return AlarmMinutes(static_cast<int>(std::clamp(minutes, -limit, limit)));
}

void AlarmMinutes::StepBy(int steps) {
    // From outside the range an arrow comes back to its nearer end, or wraps as from that end.
    for (; steps > 0; --steps)
        m_minutes = m_minutes < 0 ? 0 : (m_minutes + Step > Maximum ? 0 : m_minutes + Step);
    for (; steps < 0; ++steps)
        m_minutes = m_minutes > Maximum ? Maximum : (m_minutes - Step < 0 ? Maximum : m_minutes - Step);
    m_touched = true;
}

DateTime AlarmMinutes::AlarmFor(const DateTime& start) const {
    return start - DateTimeSpan(0, 0, m_minutes, 0);
}
