#include "TextValues.h"

#include "platform/LocaleFormat.h"

#include <climits>

namespace textvalues {

namespace {
bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
} // namespace

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsYes(std::string_view field, std::initializer_list<std::string_view> yes) {
    const std::string_view text = Trimmed(field);
    for (std::string_view word : yes) {
        if (word.size() != text.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < word.size() && same; ++i) {
            const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
            same = c == word[i];
        }
        if (same)
            return true;
    }
    return false;
}

int LeadingInteger(std::string_view field) {
    size_t i = 0;
    while (i < field.size() && isSpace(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '-' || field[i] == '+'))
        negative = field[i++] == '-';
    long long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

bool ReadDate(std::string_view field, DateTime& day) {
    platform::ParsedDate date;
    if (!platform::parseDate(field, date))
        return false;
    const DateTime value(date.year, date.month, date.day, 0, 0, 0);
    if (!value.IsValid())
        return false;
    day = value;
    return true;
}

DateReading ClassifyDate(std::string_view field, DateTime& day) {
    if (ReadDate(field, day))
        return DateReading::Day;
    platform::ParsedDate date;
    return platform::parseDate(field, date) ? DateReading::OutOfRange : DateReading::Unreadable;
}

int ReadPriority(std::string_view field) {
    if (IsYes(field, {"high", "highest", "urgent"}))
        return 0;
    if (IsYes(field, {"normal", "medium"}))
        return 1;
    if (IsYes(field, {"low", "lowest"}))
        return 2;
    const std::string_view text = Trimmed(field);
    const bool number = !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '-' || text[0] == '+');
    return number ? LeadingInteger(text) : -1;
}

bool ReadTime(std::string_view field, int& hour, int& minute) {
    platform::ParsedTime time;
    if (!platform::parseTime(field, time))
        return false;
    hour = time.hour;
    minute = time.minute;
    return true;
}

std::string WriteDate(const DateTime& value) {
    const CalendarRecord r = value.ToCalendarRecord();
    if (!value.IsValid())
        return {};
    return platform::formatDate(r.year, r.month, r.day, platform::DateStyle::ShortFullYear);
}

std::string WriteTime(const DateTime& value) {
    const CalendarRecord r = value.ToCalendarRecord();
    if (!value.IsValid())
        return {};
    return platform::formatTime(r.hour, r.minute, 0, platform::TimeStyle::NoSeconds);
}

} // namespace textvalues
