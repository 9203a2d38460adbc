#include "Birthdays.h"

#include "PimRecords.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdio>

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
    const Person* person;
};

// Adds the days from `from` to `to` on which the date comes round.
void addOccurrences(const Person& person, const BirthDate& date, bool anniversary, CalendarDate from, CalendarDate to,
                    std::vector<Found>& found) {
    for (int year = std::max(from.Year(), date.year); year <= to.Year(); ++year) {
        // A 29 February is kept on the 28th in the years without one.
        const int day = date.month == 2 && date.day == 29 && !isLeapYear(year) ? 28 : date.day;
        const CalendarDate on = CalendarDate::FromParts(year, date.month, day);
        if (!on.IsValid() || on < from || on > to)
            continue;
        found.push_back({{on, person.ID, anniversary, date.year ? year - date.year : -1}, &person});
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
    // A year the calendar cannot reckon with is taken as unknown rather than as a wrong age.
    if (date.year != 0 && !CalendarDate::FromParts(date.year, date.month, date.day).IsValid())
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
    for (const auto& [id, person] : records.Persons) {
        if (person.Birthday.empty() && person.Anniversary.empty())
            continue;
        if (const std::optional<BirthDate> date = BirthDate::Parse(person.Birthday))
            addOccurrences(person, *date, false, from, to, found);
        if (const std::optional<BirthDate> date = BirthDate::Parse(person.Anniversary))
            addOccurrences(person, *date, true, from, to, found);
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.occurrence.day != b.occurrence.day)
            return a.occurrence.day < b.occurrence.day;
        if (a.occurrence.anniversary != b.occurrence.anniversary)
            return !a.occurrence.anniversary;
        const int names = ListedName(*a.person).compare(ListedName(*b.person));
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
