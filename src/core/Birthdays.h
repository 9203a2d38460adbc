#pragma once

#include "CalendarDate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class PimRecords;

// A person's birthday or anniversary as the document keeps it: a day of a month, and the year
// where it is known.
struct BirthDate {
    int year = 0; // 0: not known
    int month = 0;
    int day = 0;
    bool operator==(const BirthDate&) const = default;

    // "YYYY-MM-DD" or "--MM-DD", and the forms a vCard writes them in: "YYYYMMDD", "--MMDD", and a
    // date-time whose time is dropped ("1990-03-15T00:00:00Z"). Nothing for anything else or for a
    // day no year has (a 29 February stands only in a leap year or without one).
    static std::optional<BirthDate> Parse(std::string_view text);
    // "YYYY-MM-DD", or "--MM-DD" without the year: what the document stores.
    std::string Text() const;
};

// A person's birthday or wedding anniversary on its day of one year. It is worked out from the
// person's record each time it is asked for; no record stands for it.
struct BirthdayOccurrence {
    CalendarDate day; // the day it falls on in that year
    int personId = 0;
    bool anniversary = false;
    int years = -1; // the age reached (or years married) that day; -1 where the year is unknown
    bool operator==(const BirthdayOccurrence&) const = default;
};

// The birthdays and anniversaries of the phone book that fall on the days from `from` to `to`
// (both included), by day, then birthdays before anniversaries, then by the person's name.
std::vector<BirthdayOccurrence> BirthdaysBetween(const PimRecords& records, CalendarDate from, CalendarDate to);

// What the views, reports and tools show for one: "Birthday: Ann Lee (36)", "Anniversary: Ann Lee
// (10)"; without the number where the year is unknown.
std::string BirthdayText(const PimRecords& records, const BirthdayOccurrence& birthday);
