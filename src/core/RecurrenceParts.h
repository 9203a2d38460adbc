#pragma once

#include <libical/ical.h>

// The BY... lists of a libical rule end at the first unused slot.
namespace recurrenceparts {

inline bool Present(const short* values) {
    return values[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

inline int CountOf(const short* values, int size) {
    int n = 0;
    while (n < size && values[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

} // namespace recurrenceparts
