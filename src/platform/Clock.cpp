#include "Clock.h"

#include <ctime>

namespace platform {

namespace {
std::optional<LocalTime>& fixedTime() {
    static std::optional<LocalTime> fixed;
    return fixed;
}
} // namespace

LocalTime Clock::localNow() {
    if (fixedTime())
        return *fixedTime();
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

void Clock::setFixed(std::optional<LocalTime> fixed) {
    fixedTime() = fixed;
}

} // namespace platform
