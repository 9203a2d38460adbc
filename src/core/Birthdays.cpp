#include "Birthdays.h"

#include "PimRecords.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdio>
#include <deque>

namespace {

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    if (from + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && (year == 0 || isLeapYear(year)) ? 29 : kDays[month - 1];
}

// The name in the natural order, "Ann Lee"; the company for an entry that names no one.
std::string naturalName(const Person& person) {
    if (!person.FName.empty() && !person.LName.empty())
        return platform::joinText({person.FName, " ", person.LName});
    if (!person.FName.empty() || !person.LName.empty())
        return person.FName + person.LName;
    return person.Company.empty() ? ListedName(person) : person.Company;
}

struct Found {
    BirthdayOccurrence occurrence;
    const std::string* name; // the name the phone book sorts by
};

// A day as one number that orders as the days do, made without the calendar's arithmetic: a
// phone book is run through on every query, and only the days found become CalendarDates.
constexpr int dayKey(int year, int month, int day) {
    return (year * 16 + month) * 32 + day;
}

struct Range {
    int fromYear, toYear;
    int fromKey, toKey;
};

// Adds the days of the range on which the date comes round.
void addOccurrences(const Person& person, const std::string* name, const BirthDate& date, bool anniversary,
                    const Range& range, std::vector<Found>& found) {
    for (int year = std::max(range.fromYear, date.year); year <= range.toYear; ++year) {
        // A 29 February is kept on the 28th in the years without one.
        const int day = date.month == 2 && date.day == 29 && !isLeapYear(year) ? 28 : date.day;
        const int key = dayKey(year, date.month, day);
        if (key < range.fromKey || key > range.toKey)
            continue;
        const CalendarDate on = CalendarDate::FromParts(year, date.month, day);
        found.push_back({{on, person.ID, anniversary, date.year ? year - date.year : -1}, name});
    }
}

} // namespace

std::optional<BirthDate> BirthDate::Parse(std::string_view text) {
    // A date-time's time and zone say nothing about the day it is kept on.
    if (const std::size_t time = text.find('T'); time != std::string_view::npos)
        text = text.substr(0, time);
    BirthDate date;
    bool read = false;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        read = digits(text, 0, 4, date.year) && digits(text, 5, 2, date.month) && digits(text, 8, 2, date.day);
    else if (text.size() == 8 && text.substr(0, 2) != "--")
        read = digits(text, 0, 4, date.year) && digits(text, 4, 2, date.month) && digits(text, 6, 2, date.day);
    else if (text.size() == 7 && text.substr(0, 2) == "--" && text[4] == '-')
        read = digits(text, 2, 2, date.month) && digits(text, 5, 2, date.day);
    else if (text.size() == 6 && text.substr(0, 2) == "--")
        read = digits(text, 2, 2, date.month) && digits(text, 4, 2, date.day);
    if (!read || date.month < 1 || date.month > 12 || date.day < 1 || date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    // The years the calendar reckons with.
    if (date.year != 0 && (date.year < 100 || date.year > 9999))
        return std::nullopt;
    return date;
}

std::string BirthDate::Text() const {
    char text[16];
    if (year)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    else
        std::snprintf(text, sizeof text, "--%02d-%02d", month, day);
    return text;
}

std::vector<BirthdayOccurrence> BirthdaysBetween(const PimRecords& records, CalendarDate from, CalendarDate to) {
    std::vector<Found> found;
    if (!from.IsValid() || !to.IsValid() || to < from)
        return {};
    const Range range{from.Year(), to.Year(), dayKey(from.Year(), from.Month(), from.Day()),
                      dayKey(to.Year(), to.Month(), to.Day())};
    std::deque<std::string> builtNames; // the names of persons without a stored one, made once
    for (const auto& [id, person] : records.Persons) {
        if (person.Birthday.empty() && person.Anniversary.empty())
            continue;
        const std::string* name = &person.RName;
        if (person.RName.empty())
            name = &builtNames.emplace_back(ListedName(person));
        if (const std::optional<BirthDate> date = BirthDate::Parse(person.Birthday))
            addOccurrences(person, name, *date, false, range, found);
        if (const std::optional<BirthDate> date = BirthDate::Parse(person.Anniversary))
            addOccurrences(person, name, *date, true, range, found);
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.occurrence.day != b.occurrence.day)
            return a.occurrence.day < b.occurrence.day;
        if (a.occurrence.anniversary != b.occurrence.anniversary)
            return !a.occurrence.anniversary;
        const int names = a.name->compare(*b.name);
        return names != 0 ? names < 0 : a.occurrence.personId < b.occurrence.personId;
    });
    std::vector<BirthdayOccurrence> occurrences;
    occurrences.reserve(found.size());
    for (const Found& one : found)
        occurrences.push_back(one.occurrence);
    return occurrences;
}

std::string BirthdayText(const PimRecords& records, const BirthdayOccurrence& birthday) {
    const Person* person = records.Persons.Find(birthday.personId);
    std::string text = (birthday.anniversary ? "Anniversary: " : "Birthday: ") + (person ? naturalName(*person) : "");
    if (birthday.years >= 0)
        text += " (" + std::to_string(birthday.years) + ")";
    return text;
}
