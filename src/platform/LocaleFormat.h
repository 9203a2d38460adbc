#pragma once

#include <string>
#include <string_view>

namespace platform {

// Dates and times as the user's locale writes them, from the default QLocale (tests fix it).
// All results are UTF-8.
enum class DateStyle {
    Short,         // the locale's short date, as the lists show it
    Long,          // the locale's long date
    ShortFullYear, // the short date with a four-digit year: for files, whose dates must read back
};
enum class TimeStyle {
    NoSeconds, // the locale's time without seconds, as the lists show it
    HmmT,      // the fixed picture "h':'mm t": hour without leading zero, minutes, one-letter A/P
};

std::string formatDate(int year, int month, int day, DateStyle style);
std::string formatTime(int hour, int minute, int second, TimeStyle style);

struct ParsedDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
struct ParsedTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Lenient readers for a date alone and a time alone, reading what a person or a spreadsheet writes:
// - dates: numbers in the locale's order of day, month and year, separated by '/', '-' or '.'
//   (a two-digit year falls into 1930-2029; without a year the current year is meant); a year of
//   three or four digits in front (ISO 8601 "2003-05-10"); the locale's short and long formats,
//   with or without the weekday and with full or abbreviated month names;
// - times: 24-hour and AM/PM times ("14:30", "2:30 PM", "2:30pm", "2 PM", "9:05 A"), with or
//   without seconds, ':' or '.' between the numbers, and the locale's own formats.
// A date followed by a time is accepted by both: parseDate keeps the date, parseTime the time.
// Each always reads back what the formatters above write.
bool parseDate(std::string_view text, ParsedDate& out);
bool parseTime(std::string_view text, ParsedTime& out);

// Whether the locale's short date puts the day before the month ("14/03/2027"), as it reads "3/4".
bool dayBeforeMonth();

} // namespace platform
