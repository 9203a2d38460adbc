#include "LocalZone.h"

#include "core/DateTime.h"

#include <ctime>

namespace localzone {

DateTime FromUtc(std::int64_t seconds) {
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!localtime_r(&t, &parts))
        return DateTime();
    return DateTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
}

std::optional<std::int64_t> ToUtc::operator()(const DateTime& local) {
    if (!local.IsValid())
        return std::nullopt;
    const std::int64_t fast = m_fast(local);
    if (fast >= 0)
        return fast;
    // Before 1970 the runtime's mktime still knows the zone's rules.
    const CalendarRecord r = local.ToCalendarRecord();
    std::tm parts{};
    parts.tm_year = r.year - 1900;
    parts.tm_mon = r.month - 1;
    parts.tm_mday = r.day;
    parts.tm_hour = r.hour;
    parts.tm_min = r.minute;
    parts.tm_sec = r.second;
    parts.tm_isdst = -1;
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1) && r.year != 1969)
        return std::nullopt;
    return static_cast<std::int64_t>(seconds);
}

} // namespace localzone
