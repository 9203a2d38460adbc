#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// A time of day on a date as the clocks of some zone show it.
struct WallClock {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const WallClock&) const = default;
};

// Named time zones (IANA names such as "America/New_York") from the system's zone database. The
// computer's own zone is the C runtime's (TZ), as DateTime reads it; these serve the zones in which
// an appointment's times are meant. Safe to call from any thread.
bool IsKnownTimeZone(const std::string& zone);

// The moment (seconds since 1970 UTC) a wall-clock time of the zone stands for. A time the clocks
// repeat is its first moment; a time they skip is read with the offset before the change, as the
// computer's own zone reads it. Nothing for an unknown zone or impossible parts.
std::optional<std::int64_t> ZoneToUtc(const std::string& zone, const WallClock& wall);
// What the zone's clocks show at a moment; nothing for an unknown zone.
std::optional<WallClock> ZoneFromUtc(const std::string& zone, std::int64_t utc);

} // namespace platform
