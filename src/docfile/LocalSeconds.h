#pragma once

#include <cstdint>

class DateTime;

// The same count as DateTime::ToSeconds (seconds since 1970 of a local date-time, -1 when invalid
// or before 1970), computed from the zone's UTC offset instead of mktime. glibc's mktime looks at
// the zone file on disk on every call when TZ is unset, which made writing a large document
// hundreds of times slower than the rest of the writer. Near a daylight-saving change, where a
// local time may be missing or occur twice, it defers to ToSeconds so that the answer is the same.
std::int64_t LocalSeconds(const DateTime& value);
