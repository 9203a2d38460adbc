#include "AlarmMinutes.h"

#include <algorithm>
#include <cmath>

namespace {

int largest(AlarmMinutes::Unit unit) {
    switch (unit) {
    case AlarmMinutes::Unit::Minutes:
        return AlarmMinutes::Maximum;
    case AlarmMinutes::Unit::Hours:
        return 24;
    case AlarmMinutes::Unit::Days:
        return 28;
    case AlarmMinutes::Unit::Weeks:
        return 4;
    }
    return AlarmMinutes::Maximum;
}

} // namespace

AlarmMinutes::AlarmMinutes(int minutes) : m_amount(minutes) {}

int AlarmMinutes::MinutesPer(Unit unit) {
    switch (unit) {
    case Unit::Minutes:
        return 1;
    case Unit::Hours:
        return 60;
    case Unit::Days:
        return 24 * 60;
    case Unit::Weeks:
        return 7 * 24 * 60;
    }
    return 1;
}

AlarmMinutes AlarmMinutes::FromAlarm(bool alarmOn, const DateTime& start, const DateTime& alarm) {
    if (!alarmOn)
        return AlarmMinutes(0);
    const DateTimeSpan lead = start - alarm;
    if (!lead.IsValid())
        return AlarmMinutes(0);
    // Rounded rather than cut: the day fractions of two times a whole number of minutes apart
    // differ by a little less or more than that number. A lead outside the arrows' range (from an
    // older file or an import) is shown as it is, not as the nearest end of the range.
    const double rounded = std::round(lead.Days() * 24.0 * 60.0);
    constexpr double limit = 1e6;
    const int minutes = static_cast<int>(std::clamp(rounded, -limit, limit));
    if (minutes > Maximum && minutes <= MaximumLead)
        for (Unit unit : {Unit::Weeks, Unit::Days, Unit::Hours})
            if (minutes % MinutesPer(unit) == 0)
                return AlarmMinutes(minutes / MinutesPer(unit), unit);
    return AlarmMinutes(minutes);
}

void AlarmMinutes::StepBy(int steps) {
    if (m_unit == Unit::Minutes) {
        // From outside the range an arrow comes back to its nearer end, or wraps as from that end.
        for (; steps > 0; --steps)
            m_amount = m_amount < 0 ? 0 : (m_amount + Step > Maximum ? 0 : m_amount + Step);
        for (; steps < 0; ++steps)
            m_amount = m_amount > Maximum ? Maximum : (m_amount - Step < 0 ? Maximum : m_amount - Step);
    } else {
        const int top = largest(m_unit);
        for (; steps > 0; --steps)
            m_amount = m_amount >= top ? 1 : std::max(m_amount + 1, 1);
        for (; steps < 0; ++steps)
            m_amount = m_amount <= 1 ? top : std::min(m_amount - 1, top);
    }
    m_touched = true;
}

void AlarmMinutes::SetUnit(Unit unit) {
    if (unit == m_unit)
        return;
    m_unit = unit;
    m_amount = std::clamp(m_amount, unit == Unit::Minutes ? 0 : 1, largest(unit));
    m_touched = true;
}

DateTime AlarmMinutes::AlarmFor(const DateTime& start) const {
    return start - DateTimeSpan(0, 0, Value(), 0);
}
