#pragma once

#include <cstdint>
#include <unordered_map>

class DateTime;

// Gives the same count as DateTime::ToSeconds (signed seconds since 1970 of a local date-time, -1
// when invalid), but from the zone's UTC offset remembered per calendar day: ToSeconds asks the
// runtime for offsets several times per date, which a large document has hundreds of thousands
// of. On a day near a daylight-saving change, where a local time may be missing or occur twice,
// it defers to ToSeconds so that the answer is the same. One object serves one save.
class LocalSeconds {
public:
    std::int64_t operator()(const DateTime& value);

private:
    // The day's UTC offset in seconds, or nothing when a change is near.
    struct DayOffset {
        bool steady = false;
        long offset = 0;
    };
    DayOffset OffsetOfDay(std::int64_t day);

    std::unordered_map<std::int64_t, DayOffset> m_days;
};
