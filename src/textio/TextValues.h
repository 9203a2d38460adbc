#pragma once

#include "core/DateTime.h"

#include <initializer_list>
#include <string>
#include <string_view>

// How the delimited text files write and read the values that are not plain text.
namespace textvalues {

// Without the white space at both ends (space, tab, CR, LF, VT, FF).
std::string_view Trimmed(std::string_view text);
// True when the field, in lower case and trimmed, is one of `yes`.
bool IsYes(std::string_view field, std::initializer_list<std::string_view> yes);
// The decimal integer at the start of the field after white space, with its sign; 0 when there is
// none. Values beyond the int range stop at its ends.
int LeadingInteger(std::string_view field);

// A date alone in the user's locale, within the range DateTime holds: that day at 00:00.
bool ReadDate(std::string_view field, DateTime& day);
// How a date field read: a day, text that is no date, or a date DateTime cannot hold.
enum class DateReading { Day, Unreadable, OutOfRange };
DateReading ClassifyDate(std::string_view field, DateTime& day);
// A word for a priority, as other programs write them ("High", "Normal", "Low"), or else the
// leading integer; -1 for neither.
int ReadPriority(std::string_view field);

// A time alone in the user's locale: its hour and minute; seconds do not count.
bool ReadTime(std::string_view field, int& hour, int& minute);

// The short date with a four-digit year and the time without seconds in the user's locale; empty
// for a value DateTime cannot split.
std::string WriteDate(const DateTime& value);
std::string WriteTime(const DateTime& value);

} // namespace textvalues
