#pragma once

#include <optional>

namespace platform {

// A local calendar time to the second, as the desktop's clock reads it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const LocalTime&) const = default;
};

// The one source of "now" for the whole program. Tests fix it so that "today" does not move.
class Clock {
public:
    static LocalTime localNow();
    // A fixed time replaces the system clock until cleared with std::nullopt.
    static void setFixed(std::optional<LocalTime> fixed);
};

} // namespace platform
