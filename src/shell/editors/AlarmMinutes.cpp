#include "AlarmMinutes.h"

#include <algorithm>
#include <cmath>

AlarmMinutes::AlarmMinutes(int minutes) : m_minutes(std::clamp(minutes, 0, Maximum)) {}

AlarmMinutes AlarmMinutes::FromAlarm(bool alarmOn, const DateTime& start, const DateTime& alarm) {
    if (!alarmOn)
        return AlarmMinutes(0);
    const DateTimeSpan lead = start - alarm;
    if (!lead.IsValid())
        return AlarmMinutes(0);
    // Rounded rather than cut: the day fractions of two times a whole number of minutes apart
    // differ by a little less or more than that number.
    const double minutes = std::round(lead.Days() * 24.0 * 60.0);
    return AlarmMinutes(static_cast<int>(std::clamp(minutes, 0.0, static_cast<double>(Maximum))));
}

void AlarmMinutes::StepBy(int steps) {
    for (; steps > 0; --steps)
        m_minutes = m_minutes + Step > Maximum ? 0 : m_minutes + Step;
    for (; steps < 0; ++steps)
        m_minutes = m_minutes - Step < 0 ? Maximum : m_minutes - Step;
    m_touched = true;
}

DateTime AlarmMinutes::AlarmFor(const DateTime& start) const {
    return start - DateTimeSpan(0, 0, m_minutes, 0);
}
