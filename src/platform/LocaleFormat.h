#pragma once

#include <string>
#include <string_view>

namespace platform {

// Dates and times as the user's locale writes them, from the default QLocale (tests fix it).
// All results are UTF-8.
enum class DateStyle { Short, Long };
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

// Lenient readers for a date alone and a time alone: the locale's short and long formats, ISO 8601
// dates, 24-hour and AM/PM times. They always read back what the formatters above write.
bool parseDate(std::string_view text, ParsedDate& out);
bool parseTime(std::string_view text, ParsedTime& out);

} // namespace platform
