#include "LocalZone.h"

#include "core/DateTime.h"

namespace localzone {

DateTime FromUtc(std::int64_t seconds) {
    return DateTime::FromSeconds(seconds);
}

std::optional<std::int64_t> ToUtc::operator()(const DateTime& local) {
    if (!local.IsValid())
        return std::nullopt;
    // Signed seconds cover the years before 1970 too; -1 is what no date converts to.
    const std::int64_t seconds = m_fast(local);
    if (seconds == -1)
        return std::nullopt;
    return seconds;
}

} // namespace localzone
