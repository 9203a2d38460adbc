#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text of an iCalendar file made fit for libical, which takes time growing with the square of a
// line's length and stops reading at a NUL.
namespace calendarlines {

// The longest content line (its folds joined) that is read; a longer one is left out. Far more than
// any property kept from the file needs, and read in a millisecond.
constexpr std::size_t kLongestLine = 64 * 1024;

struct Prepared {
    std::string text;                 // the file without its NUL bytes and over-long lines
    std::vector<std::size_t> leftOut; // the numbers (from 1) of the lines left out, where each begins
};

Prepared Prepare(std::string_view bytes);

} // namespace calendarlines
