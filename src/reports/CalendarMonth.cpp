#include "reports/CalendarMonth.h"

CalendarMonth CalendarMonth::Of(const DateTime& date) {
    const CalendarRecord parts = date.ToCalendarRecord();
    return {parts.year, parts.month};
}

CalendarMonth CalendarMonth::Plus(int months) const {
    // Count months from year 0 so that negative steps divide the same way as positive ones.
    const long long index = static_cast<long long>(year) * 12 + (month - 1) + months;
    long long y = index / 12;
    long long m = index % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    return {static_cast<int>(y), static_cast<int>(m) + 1};
}

DateTime CalendarMonth::FirstDay() const {
    return DateTime(year, month, 1, 0, 0, 0);
}

int CalendarMonth::DayCount() const {
    const DateTime first = FirstDay();
    const DateTime next = Plus(1).FirstDay();
    if (!first.IsValid() || !next.IsValid())
        return 0;
    return static_cast<int>((next - first).Days() + 0.5);
}

int CalendarMonth::FirstWeekday() const {
    const DateTime first = FirstDay();
    return first.IsValid() ? first.DayOfWeek() - 1 : 0;
}
