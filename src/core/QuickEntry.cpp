#include "QuickEntry.h"

#include "AppointmentRules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace quickentry {
namespace {

constexpr int kDefaultLength = 60;
constexpr int kMinutesPerDay = 1440;
constexpr std::string_view kEnDash = "\xE2\x80\x93";

struct Token {
    std::string text;   // as typed
    std::string word;   // lower case, without the punctuation that may follow a word
    bool glued = false; // written against the token before it ("9:15" "-" "10")
    bool used = false;  // read as part of a date, time, repeat or reminder
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A whole number of one to four digits.
std::optional<int> number(std::string_view text) {
    if (text.empty() || text.size() > 4 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

bool isIsoDate(std::string_view text) {
    return text.size() >= 8 && text.size() <= 10 && isDigit(text[0]) && text[4] == '-' &&
           CalendarDate::Parse(text).has_value();
}

// Splits a word at the dashes that join numbers or times ("9:15-10", "3-7", "1pm-2pm"), so that
// each side is read on its own; "Jean-Luc" and ISO dates stay whole.
void addWord(std::string_view piece, std::vector<Token>& tokens) {
    bool glued = false;
    const auto push = [&tokens, &glued](std::string_view text) {
        if (text.empty())
            return;
        Token token;
        token.text = std::string(text);
        token.glued = glued;
        std::string word = lower(text);
        while (!word.empty() && std::string_view(",;!?)").find(word.back()) != std::string_view::npos)
            word.pop_back();
        if (!word.empty() && word.front() == '(')
            word.erase(0, 1);
        token.word = word;
        tokens.push_back(std::move(token));
        glued = true;
    };
    if (isIsoDate(piece)) {
        push(piece);
        return;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const std::size_t dash = piece[i] == '-' ? 1 : piece.substr(i, kEnDash.size()) == kEnDash ? kEnDash.size() : 0;
        if (dash == 0)
            continue;
        const bool digitBefore = i > 0 && isDigit(piece[i - 1]);
        const bool digitAfter = i + dash < piece.size() && isDigit(piece[i + dash]);
        if (!digitBefore && !digitAfter)
            continue;
        push(piece.substr(start, i - start));
        push(piece.substr(i, dash));
        tokens.back().word = "-";
        start = i + dash;
        i += dash - 1;
    }
    push(piece.substr(start));
}

std::vector<Token> tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        const std::size_t first = tokens.size();
        addWord(line.substr(start, i - start), tokens);
        if (first < tokens.size())
            tokens[first].glued = false;
    }
    return tokens;
}

// A name with a full stop after it ("Jun.", "Fri.") is the name.
std::string_view name(std::string_view word) {
    if (!word.empty() && word.back() == '.')
        word.remove_suffix(1);
    return word;
}

// 1 = January ... 12 = December; 0 for any other word.
int monthNamed(std::string_view word) {
    static constexpr std::array<std::string_view, 12> kNames = {"january",   "february", "march",    "april",
                                                                "may",       "june",     "july",     "august",
                                                                "september", "october",  "november", "december"};
    word = name(word);
    for (std::size_t m = 0; m < kNames.size(); ++m) {
        if (word == kNames[m] || (word.size() == 3 && kNames[m].substr(0, 3) == word) || (m == 8 && word == "sept"))
            return static_cast<int>(m) + 1;
    }
    return 0;
}

constexpr std::array<std::string_view, 7> kWeekdays = {"sunday",   "monday", "tuesday", "wednesday",
                                                       "thursday", "friday", "saturday"};
constexpr std::array<std::string_view, 7> kRuleDays = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// 1 = Sunday ... 7 = Saturday (as CalendarDate counts them); 0 for any other word. Short names
// ("Fri", "Thurs") only where `shortNames`: alone they are too often a word of the description.
int weekdayNamed(std::string_view word, bool shortNames) {
    word = name(word);
    for (std::size_t d = 0; d < kWeekdays.size(); ++d) {
        if (word == kWeekdays[d])
            return static_cast<int>(d) + 1;
        if (shortNames && word.size() >= 3 && word.size() < kWeekdays[d].size() &&
            kWeekdays[d].substr(0, word.size()) == word)
            return static_cast<int>(d) + 1;
    }
    return 0;
}

// "mondays" is every Monday.
int weekdaysNamed(std::string_view word, bool shortNames) {
    word = name(word);
    if (word.size() > 3 && word.back() == 's') {
        if (const int day = weekdayNamed(word.substr(0, word.size() - 1), shortNames))
            return day;
    }
    return weekdayNamed(word, shortNames);
}

// A day of the month: "3", "03", "3rd", "3." (as in "3. June").
std::optional<int> dayOfMonth(std::string_view word) {
    if (!word.empty() && word.back() == '.')
        word.remove_suffix(1);
    if (word.size() > 2) {
        const std::string_view suffix = word.substr(word.size() - 2);
        if (suffix == "st" || suffix == "nd" || suffix == "rd" || suffix == "th")
            word.remove_suffix(2);
    }
    const std::optional<int> day = word.size() <= 2 ? number(word) : std::nullopt;
    return day && *day >= 1 && *day <= 31 ? day : std::nullopt;
}

std::optional<int> yearNumber(std::string_view word) {
    const std::optional<int> year = word.size() == 4 ? number(word) : std::nullopt;
    return year && *year >= 1900 && *year <= 2200 ? year : std::nullopt;
}

// A day and month, with the year when one was written (0 otherwise).
struct DayParts {
    int day = 0;
    int month = 0;
    int year = 0;
};

bool exists(const DayParts& parts) {
    // A leap year, so that 29 February is a day when no year is written.
    return CalendarDate::FromParts(parts.year ? parts.year : 2000, parts.month, parts.day).IsValid();
}

// The day meant: the written year's, or the next such day from `from` on.
CalendarDate resolve(const DayParts& parts, CalendarDate from) {
    if (parts.year)
        return CalendarDate::FromParts(parts.year, parts.month, parts.day);
    for (int year = from.Year(); year <= from.Year() + 8; ++year) {
        const CalendarDate day = CalendarDate::FromParts(year, parts.month, parts.day);
        if (day.IsValid() && day >= from)
            return day;
    }
    return {};
}

CalendarDate addMonths(CalendarDate day, int months) {
    const int index = day.Year() * 12 + day.Month() - 1 + months;
    const int year = index / 12;
    const int month = index % 12 + 1;
    for (int d = day.Day(); d >= 28; --d) {
        if (const CalendarDate moved = CalendarDate::FromParts(year, month, d); moved.IsValid())
            return moved;
    }
    return CalendarDate::FromParts(year, month, day.Day());
}

// Numbers joined by '.' or '/': "14.3.", "14.3.2027", "3/14", "3/14/27".
std::optional<DayParts> numericDate(std::string_view word, DateOrder order) {
    const bool dotted = word.find('.') != std::string_view::npos;
    const char separator = dotted ? '.' : '/';
    if (word.find(separator) == std::string_view::npos)
        return std::nullopt;
    if (dotted && word.back() == '.')
        word.remove_suffix(1);
    std::vector<int> parts;
    std::size_t start = 0;
    while (start <= word.size()) {
        const std::size_t end = std::min(word.find(separator, start), word.size());
        const std::optional<int> value = number(word.substr(start, end - start));
        if (!value)
            return std::nullopt;
        parts.push_back(*value);
        start = end + 1;
    }
    if (parts.size() < 2 || parts.size() > 3 || parts[0] > 31 || parts[1] > 31)
        return std::nullopt;
    DayParts date;
    const bool dayFirst = dotted || parts[0] > 12 || (parts[1] <= 12 && order == DateOrder::DayFirst);
    date.day = dayFirst ? parts[0] : parts[1];
    date.month = dayFirst ? parts[1] : parts[0];
    if (parts.size() == 3)
        date.year = parts[2] < 100 ? 2000 + parts[2] : parts[2];
    if (date.month < 1 || date.month > 12 || date.day < 1 || (date.year && (date.year < 1900 || date.year > 2200)) ||
        !exists(date))
        return std::nullopt;
    return date;
}

// A count for a length or a lead: "15", "1.5", "a", "an", "one", "half" (of the unit after it).
std::optional<double> amount(std::string_view word) {
    if (word == "a" || word == "an" || word == "one")
        return 1.0;
    if (word == "half")
        return 0.5;
    const std::size_t point = word.find('.');
    if (point == std::string_view::npos) {
        const std::optional<int> whole = number(word);
        return whole ? std::optional<double>(*whole) : std::nullopt;
    }
    const std::optional<int> whole = number(word.substr(0, point));
    const std::optional<int> tenths = word.size() == point + 2 ? number(word.substr(point + 1)) : std::nullopt;
    return whole && tenths ? std::optional<double>(*whole + *tenths / 10.0) : std::nullopt;
}

// Minutes in one of the unit: "min", "hours", "h", "days", "week"; 0 for any other word.
int unitMinutes(std::string_view word) {
    word = name(word);
    static constexpr std::array<std::pair<std::string_view, int>, 16> kUnits = {{
        {"m", 1},
        {"min", 1},
        {"mins", 1},
        {"minute", 1},
        {"minutes", 1},
        {"h", 60},
        {"hr", 60},
        {"hrs", 60},
        {"hour", 60},
        {"hours", 60},
        {"d", kMinutesPerDay},
        {"day", kMinutesPerDay},
        {"days", kMinutesPerDay},
        {"w", 7 * kMinutesPerDay},
        {"week", 7 * kMinutesPerDay},
        {"weeks", 7 * kMinutesPerDay},
    }};
    for (const auto& [unit, minutes] : kUnits) {
        if (word == unit)
            return minutes;
    }
    return 0;
}

struct TimeMatch {
    std::size_t length = 0;
    int minute = 0;
    bool bare = false; // a number alone ("10"): a time only where the words around it say so
    int meridiem = 0;  // 0 none, 1 am, 2 pm
};

struct Span {
    std::size_t length = 0;
    CalendarDate first;
    CalendarDate last;
};

class LineReader {
public:
    LineReader(std::string_view line, CalendarDate today, DateOrder order)
        : m_tokens(tokenize(line)), m_today(today), m_order(order) {}

    Reading Read();

private:
    const std::string& word(std::size_t i) const {
        static const std::string kNone;
        return i < m_tokens.size() && !m_tokens[i].used ? m_tokens[i].word : kNone;
    }
    void use(std::size_t from, std::size_t count, bool used = true) {
        for (std::size_t i = from; i < from + count && i < m_tokens.size(); ++i)
            m_tokens[i].used = used;
    }

    std::size_t Length(std::size_t i, int& minutes) const;
    std::size_t Reminder(std::size_t i);
    std::size_t Repeat(std::size_t i);
    std::size_t Duration(std::size_t i);
    std::size_t Until(std::size_t i);
    std::optional<CalendarDate> Relative(std::size_t i, std::size_t& length) const;
    std::optional<DayParts> Written(std::size_t i, std::size_t& length) const;
    Span SingleDay(std::size_t i, CalendarDate from) const;
    std::size_t Days(std::size_t i);
    TimeMatch TimeAt(std::size_t i) const;
    std::size_t Times(std::size_t i);
    std::string Description() const;

    std::vector<Token> m_tokens;
    CalendarDate m_today;
    DateOrder m_order;
    Reading m_reading;
    bool m_daysRead = false;
    bool m_timesRead = false;
    int m_length = -1;
    std::size_t m_lengthAt = 0;
    std::size_t m_lengthWords = 0;
    std::string m_frequency;
    std::vector<int> m_ruleDays;
    int m_interval = 1;
    CalendarDate m_until;
};

// "15 min", "15min", "1.5 hours", "an hour", "half an hour", "2 days": the words and the minutes.
std::size_t LineReader::Length(std::size_t i, int& minutes) const {
    const std::string& first = word(i);
    std::size_t split = 0;
    while (split < first.size() && (isDigit(first[split]) || first[split] == '.'))
        ++split;
    if (split > 0 && split < first.size()) {
        const std::optional<double> count = amount(std::string_view(first).substr(0, split));
        const int unit = unitMinutes(std::string_view(first).substr(split));
        if (count && unit) {
            minutes = static_cast<int>(*count * unit + 0.5);
            return 1;
        }
    }
    std::size_t at = i;
    std::optional<double> count = amount(word(at));
    if (!count)
        return 0;
    ++at;
    if (*count == 0.5 && (word(at) == "a" || word(at) == "an"))
        ++at;
    const int unit = unitMinutes(word(at));
    if (!unit)
        return 0;
    minutes = static_cast<int>(*count * unit + 0.5);
    return at + 1 - i;
}

// "remind 10 min", "remind me 1 hour before", "reminder 2 days", "remind me" (at the start).
std::size_t LineReader::Reminder(std::size_t i) {
    const std::string& first = word(i);
    if (first != "remind" && first != "reminder" && first != "alarm")
        return 0;
    std::size_t at = i + 1;
    const bool me = word(at) == "me";
    if (me)
        ++at;
    int lead = 0;
    const std::size_t length = Length(at, lead);
    if (length == 0 && !me)
        return 0;
    at += length;
    if (word(at) == "before" || word(at) == "earlier" || word(at) == "ahead" || word(at) == "beforehand")
        ++at;
    if (!appointmentrules::IsAlarmLead(lead))
        return 0;
    m_reading.alarmMinutes = lead;
    return at - i;
}

// "every day", "every other week", "every 2 months", "every weekday", "every Mon and Thu",
// "mondays"; with "until DATE" after it.
std::size_t LineReader::Repeat(std::size_t i) {
    std::size_t at = i;
    if (const std::string_view plural = name(word(i)); plural.size() > 6 && plural.back() == 's') {
        if (const int day = weekdayNamed(plural.substr(0, plural.size() - 1), false)) {
            m_frequency = "WEEKLY";
            m_ruleDays = {day};
            return 1 + Until(i + 1);
        }
    }
    if (word(at) != "every" && word(at) != "each")
        return 0;
    ++at;
    int interval = 1;
    if (word(at) == "other") {
        interval = 2;
        ++at;
    } else if (const std::optional<int> count = number(word(at)); count && *count >= 1 && *count <= 999) {
        interval = *count;
        ++at;
    }
    const std::string_view unit = name(word(at));
    std::vector<int> days;
    std::string frequency;
    if (unit == "day" || unit == "days") {
        frequency = "DAILY";
    } else if (unit == "weekday" || unit == "weekdays" || unit == "workday" || unit == "workdays") {
        frequency = "WEEKLY";
        days = {2, 3, 4, 5, 6};
    } else if (unit == "weekend" || unit == "weekends") {
        frequency = "WEEKLY";
        days = {7, 1};
    } else if (unit == "week" || unit == "weeks") {
        frequency = "WEEKLY";
    } else if (unit == "month" || unit == "months") {
        frequency = "MONTHLY";
    } else if (unit == "year" || unit == "years") {
        frequency = "YEARLY";
    } else {
        std::size_t next = at;
        while (const int day = weekdaysNamed(word(next), true)) {
            days.push_back(day);
            at = next;
            next = at + 1;
            if (word(next) == "and" || word(next) == "&" || word(next) == ",")
                ++next;
        }
        if (days.empty())
            return 0;
        frequency = "WEEKLY";
    }
    ++at;
    m_frequency = frequency;
    m_ruleDays = days;
    m_interval = interval;
    return at - i + Until(at);
}

std::size_t LineReader::Until(std::size_t i) {
    if (word(i) != "until" && word(i) != "till")
        return 0;
    const Span day = SingleDay(i + 1, m_today);
    if (!day.length)
        return 0;
    m_until = day.first;
    return 1 + day.length;
}

// "for 15 min", "for an hour", "for 3 days".
std::size_t LineReader::Duration(std::size_t i) {
    if (word(i) != "for")
        return 0;
    int minutes = 0;
    const std::size_t length = Length(i + 1, minutes);
    if (!length || minutes <= 0)
        return 0;
    m_length = minutes;
    m_lengthAt = i;
    m_lengthWords = length + 1;
    return length + 1;
}

// today, tomorrow, "the day after tomorrow", weekday names, "next Friday", "next week", "next
// month", "in 3 days", "in 2 weeks".
std::optional<CalendarDate> LineReader::Relative(std::size_t i, std::size_t& length) const {
    const std::string_view first = name(word(i));
    length = 1;
    if (first == "today")
        return m_today;
    if (first == "tomorrow")
        return m_today + 1;
    const std::size_t the = first == "the" ? 1 : 0;
    if (name(word(i + the)) == "day" && word(i + the + 1) == "after" && name(word(i + the + 2)) == "tomorrow") {
        length = the + 3;
        return m_today + 2;
    }
    // Short names ("Fri") only where the word before says a day follows.
    const std::string& before = i > 0 ? m_tokens[i - 1].word : std::string();
    const bool dayFollows = before == "on" || before == "from" || before == "until" || before == "-" || before == "to";
    if (const int day = weekdayNamed(first, dayFollows))
        return m_today + (day - m_today.DayOfWeek() + 7) % 7;
    if (first == "next" || first == "this") {
        length = 2;
        const std::string_view second = name(word(i + 1));
        if (first == "next" && second == "week")
            return m_today + 7;
        if (first == "next" && second == "month")
            return addMonths(m_today, 1);
        if (const int day = weekdayNamed(second, true)) {
            const int ahead = (day - m_today.DayOfWeek() + 7) % 7;
            return m_today + (first == "next" && ahead == 0 ? 7 : ahead);
        }
        return std::nullopt;
    }
    if (first == "in") {
        const std::optional<double> count = amount(word(i + 1));
        const int unit = unitMinutes(word(i + 2));
        if (count && *count >= 1 && *count == static_cast<int>(*count) && unit >= kMinutesPerDay) {
            length = 3;
            return m_today + static_cast<int>(*count) * (unit / kMinutesPerDay);
        }
    }
    return std::nullopt;
}

// A day written with its month: "14.3.", "3/14/2027", "3 June", "3rd of June 2027", "June 3rd".
std::optional<DayParts> LineReader::Written(std::size_t i, std::size_t& length) const {
    const std::string& first = word(i);
    if (std::optional<DayParts> numeric = numericDate(first, m_order)) {
        length = 1;
        return numeric;
    }
    DayParts parts;
    std::size_t at = i;
    if (const std::optional<int> day = dayOfMonth(first)) {
        at += word(at + 1) == "of" ? 2 : 1;
        parts.day = *day;
        parts.month = monthNamed(word(at));
    } else if (const int month = monthNamed(first)) {
        const std::optional<int> dayAfter = dayOfMonth(word(at + 1));
        if (!dayAfter)
            return std::nullopt;
        parts.month = month;
        parts.day = *dayAfter;
        ++at;
    }
    if (!parts.month || !exists(parts))
        return std::nullopt;
    ++at;
    if (const std::optional<int> year = yearNumber(word(at)); year && word(at + 1).substr(0, 1) != ":") {
        parts.year = *year;
        if (!exists(parts))
            return std::nullopt;
        ++at;
    }
    length = at - i;
    return parts;
}

Span LineReader::SingleDay(std::size_t i, CalendarDate from) const {
    Span span;
    if (isIsoDate(word(i))) {
        span.first = *CalendarDate::Parse(word(i));
        span.length = 1;
    } else if (const std::optional<CalendarDate> relative = Relative(i, span.length)) {
        span.first = *relative;
    } else if (const std::optional<DayParts> parts = Written(i, span.length)) {
        span.first = resolve(*parts, from);
    } else {
        span.length = 0;
    }
    if (!span.first.IsValid())
        span.length = 0;
    return span;
}

bool isRangeWord(std::string_view word) {
    return word == "-" || word == "to" || word == "until" || word == "till" || word == "through" || word == "thru";
}

// A day, or the first and last of several whole days: "3-7 June", "June 3-7", "14.3.-16.3.",
// "from Monday to Wednesday", with "on" or "from" in front.
std::size_t LineReader::Days(std::size_t i) {
    const std::size_t lead = word(i) == "on" || word(i) == "from" ? 1 : 0;
    std::size_t at = i + lead;
    Span span;
    const std::optional<int> firstDay = dayOfMonth(word(at));
    // "3-7 June 2027" and "June 3-7, 2027": two days of one month.
    if (firstDay && isRangeWord(word(at + 1)) && dayOfMonth(word(at + 2)) && !numericDate(word(at), m_order)) {
        std::size_t length = 0;
        const std::optional<DayParts> last = Written(at + 2, length);
        if (last) {
            DayParts first = *last;
            first.day = *firstDay;
            if (exists(first) && first.day < last->day) {
                span.first = resolve(first, m_today);
                span.last = resolve(*last, span.first);
                span.length = 2 + length;
            }
        }
    } else if (const int month = monthNamed(word(at));
               month && dayOfMonth(word(at + 1)) && isRangeWord(word(at + 2)) && dayOfMonth(word(at + 3))) {
        DayParts first{*dayOfMonth(word(at + 1)), month, 0};
        DayParts last{*dayOfMonth(word(at + 3)), month, 0};
        span.length = 4;
        if (const std::optional<int> year = yearNumber(word(at + 4))) {
            first.year = last.year = *year;
            ++span.length;
        }
        if (exists(first) && exists(last) && first.day < last.day) {
            span.first = resolve(first, m_today);
            span.last = resolve(last, span.first);
        } else {
            span.length = 0;
        }
    }
    if (!span.length || !span.first.IsValid() || !span.last.IsValid()) {
        span = SingleDay(at, m_today);
        if (!span.length)
            return 0;
        if (isRangeWord(word(at + span.length))) {
            const Span last = SingleDay(at + span.length + 1, span.first);
            if (last.length && last.first > span.first) {
                span.last = last.first;
                span.length += 1 + last.length;
            }
        }
    }
    m_reading.firstDay = span.first;
    m_reading.lastDay = span.last;
    return lead + span.length;
}

// "9:15", "13:00", "1pm", "1:30 p.m.", "noon", or a number alone ("10"), which is a time only in
// "at 10", "from 9 to 10" or after another time ("9:15-10").
TimeMatch LineReader::TimeAt(std::size_t i) const {
    TimeMatch match;
    std::string_view text = word(i);
    if (text == "noon" || text == "midday") {
        match.length = 1;
        match.minute = 720;
        return match;
    }
    if (text == "midnight") {
        match.length = 1;
        return match;
    }
    const auto meridiemOf = [](std::string_view suffix) {
        if (suffix == "am" || suffix == "a.m." || suffix == "a")
            return 1;
        if (suffix == "pm" || suffix == "p.m." || suffix == "p")
            return 2;
        return 0;
    };
    std::size_t digits = 0;
    while (digits < text.size() && (isDigit(text[digits]) || text[digits] == ':'))
        ++digits;
    if (digits == 0)
        return match;
    const std::string_view suffix = text.substr(digits);
    match.length = 1;
    match.meridiem = meridiemOf(suffix);
    if (!suffix.empty() && !match.meridiem)
        return {};
    if (suffix.empty()) {
        const std::string& next = word(i + 1);
        if (next != "a" && next != "p" && (match.meridiem = meridiemOf(next)) != 0)
            match.length = 2;
    }
    const std::string_view clock = text.substr(0, digits);
    const std::size_t colon = clock.find(':');
    const std::optional<int> hour = number(clock.substr(0, colon));
    std::optional<int> minute = 0;
    if (colon != std::string_view::npos)
        minute = clock.size() == colon + 3 ? number(clock.substr(colon + 1)) : std::nullopt;
    if (!hour || !minute || clock.substr(0, colon).size() > 2 || *minute > 59)
        return {};
    match.bare = colon == std::string_view::npos && !match.meridiem;
    if (match.meridiem) {
        if (*hour < 1 || *hour > 12)
            return {};
        match.minute = (*hour % 12 + (match.meridiem == 2 ? 12 : 0)) * 60 + *minute;
    } else {
        if (*hour > 24 || (*hour == 24 && *minute))
            return {};
        match.minute = *hour * 60 + *minute;
    }
    return match;
}

// A start, or a start and an end: "1pm", "at 10", "9:15-10", "from 9 to 10:30", "3-4pm".
std::size_t LineReader::Times(std::size_t i) {
    const std::string& first = word(i);
    const bool lead = first == "at" || first == "@" || first == "from" || first == "between";
    std::size_t at = i + (lead ? 1 : 0);
    const TimeMatch start = TimeAt(at);
    if (!start.length)
        return 0;
    at += start.length;
    const bool joined = isRangeWord(word(at)) || (first == "between" && word(at) == "and");
    const TimeMatch end = joined ? TimeAt(at + 1) : TimeMatch{};
    if (!(start.bare ? lead || (end.length && !end.bare) : true))
        return 0;
    int startMinute = start.minute;
    int endMinute = -1;
    if (end.length && (!end.bare || !start.bare || lead)) {
        at += 1 + end.length;
        endMinute = end.minute;
        if (end.meridiem && !start.meridiem && start.minute < 720 && start.minute >= 60) {
            // "3-4pm" is in the afternoon, "11-1pm" starts in the morning.
            if (end.meridiem == 2 && start.minute + 720 <= endMinute)
                startMinute += 720;
        } else if (!end.meridiem && endMinute <= startMinute && endMinute < 720 && endMinute + 720 > startMinute) {
            // "10-2" ends in the afternoon.
            endMinute += 720;
        }
        if (end.minute == 0 && endMinute <= startMinute)
            endMinute = kMinutesPerDay;
        if (endMinute <= startMinute)
            endMinute += kMinutesPerDay;
    }
    m_reading.startMinute = startMinute;
    m_reading.endMinute = endMinute;
    return at - i;
}

std::string LineReader::Description() const {
    std::string text;
    bool previousKept = false;
    for (const Token& token : m_tokens) {
        if (token.used) {
            previousKept = false;
            continue;
        }
        if (!text.empty() && !(token.glued && previousKept))
            text += ' ';
        text += token.text;
        previousKept = true;
    }
    const auto filler = [](char c) { return c == ' ' || c == ',' || c == ';' || c == '-'; };
    while (!text.empty() && filler(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && filler(text[start]))
        ++start;
    return text.substr(start);
}

Reading LineReader::Read() {
    for (std::size_t i = 0; i < m_tokens.size(); ++i) {
        if (m_tokens[i].used)
            continue;
        std::size_t length = 0;
        if (m_reading.alarmMinutes < 0)
            length = Reminder(i);
        if (!length && m_frequency.empty())
            length = Repeat(i);
        if (!length && m_length < 0)
            length = Duration(i);
        if (!length && !m_daysRead && (length = Days(i)) != 0)
            m_daysRead = true;
        if (!length && !m_timesRead && (length = Times(i)) != 0)
            m_timesRead = true;
        use(i, length);
        if (length)
            i += length - 1;
    }

    Reading& r = m_reading;
    if (!m_daysRead && (m_timesRead || !m_frequency.empty()))
        r.firstDay = m_today;
    if (!m_ruleDays.empty() && r.firstDay.IsValid()) {
        // A series starts on the first of its weekdays from the day named on.
        while (std::find(m_ruleDays.begin(), m_ruleDays.end(), r.firstDay.DayOfWeek()) == m_ruleDays.end())
            r.firstDay = r.firstDay + 1;
    }
    if (m_length > 0) {
        if (r.startMinute >= 0 && r.endMinute < 0) {
            r.endMinute = r.startMinute + m_length;
        } else if (r.startMinute < 0 && m_length % kMinutesPerDay == 0 && r.firstDay.IsValid() &&
                   !r.lastDay.IsValid()) {
            if (m_length > kMinutesPerDay)
                r.lastDay = r.firstDay + (m_length / kMinutesPerDay - 1);
        } else {
            // A length with no start to measure it from is left to the description.
            use(m_lengthAt, m_lengthWords, false);
        }
    }
    if (r.startMinute >= 0) {
        if (r.endMinute < 0)
            r.endMinute = r.startMinute + kDefaultLength;
        if (r.lastDay.IsValid()) {
            // Times with several days: from the first day's start to the last day's end.
            r.endMinute += (r.lastDay - r.firstDay) * kMinutesPerDay;
            r.lastDay = {};
        }
    }
    if (!m_frequency.empty()) {
        r.rrule = "FREQ=" + m_frequency;
        if (m_interval > 1)
            r.rrule += ";INTERVAL=" + std::to_string(m_interval);
        if (!m_ruleDays.empty()) {
            std::vector<int> days = m_ruleDays;
            // Monday first, as the week is written.
            std::sort(days.begin(), days.end(), [](int a, int b) { return (a + 5) % 7 < (b + 5) % 7; });
            days.erase(std::unique(days.begin(), days.end()), days.end());
            r.rrule += ";BYDAY=";
            for (std::size_t d = 0; d < days.size(); ++d)
                r.rrule += (d ? "," : "") + std::string(kRuleDays[static_cast<std::size_t>(days[d] - 1)]);
        }
        if (m_until.IsValid())
            r.rrule += ";UNTIL=" + m_until.Compact() + (r.AllDay() ? "" : "T235959");
    }
    r.description = Description();
    return r;
}

} // namespace

Reading Read(std::string_view line, CalendarDate today, DateOrder order) {
    return LineReader(line, today, order).Read();
}

Appointment ToAppointment(const Reading& reading) {
    Appointment appointment;
    appointment.Description = reading.description;
    const CalendarDate first = reading.firstDay;
    const auto at = [first](int minutes) {
        const CalendarDate day = first + minutes / kMinutesPerDay;
        const int minute = minutes % kMinutesPerDay;
        return DateTime(day.Year(), day.Month(), day.Day(), minute / 60, minute % 60, 0);
    };
    appointment.DueDate = first.Midnight();
    if (reading.AllDay()) {
        appointment.AllDay = 1;
        appointment.StartTime = appointment.EndTime = appointment.DueDate;
        if (reading.lastDay.IsValid() && reading.lastDay > first)
            appointment.EndDate = reading.lastDay;
    } else {
        appointment.StartTime = at(reading.startMinute);
        appointment.EndTime = at(reading.endMinute);
    }
    appointment.RRule = reading.rrule;
    appointment.Alarm = reading.alarmMinutes >= 0 ? 1 : 0;
    appointment.AlarmTime = reading.alarmMinutes > 0
                                ? appointmentrules::MinutesBefore(appointment.StartTime, reading.alarmMinutes)
                                : appointment.StartTime;
    return appointment;
}

} // namespace quickentry
