#include "BenchBirthdays.h"

#include "BenchGroup.h"
#include "BenchTiming.h"

#include "core/Birthdays.h"
#include "core/PimRecords.h"

#include <cstdio>

namespace {

// Every person has a birthday (one in ten without its year, some on 29 February), one in three an
// anniversary; names sort in a spread order.
PimRecords phoneBook(int persons) {
    PimRecords records;
    for (int i = 0; i < persons; ++i) {
        Person person;
        person.FName = "First" + std::to_string(i);
        person.LName = "Last" + std::to_string((i * 7919) % persons);
        person.RName = DisplayName(person);
        const int month = 1 + i % 12, day = 1 + (i / 12) % 28;
        person.Birthday = (i % 10 == 0 ? std::string("--") : std::to_string(1940 + i % 70) + "-") +
                          (month < 10 ? "0" : "") + std::to_string(month) + "-" + (day < 10 ? "0" : "") +
                          std::to_string(day);
        if (i % 97 == 0)
            person.Birthday = "2000-02-29";
        if (i % 3 == 0)
            person.Anniversary = std::to_string(1970 + i % 50) + "-06-" + (day < 10 ? "0" : "") + std::to_string(day);
        records.Persons.Add(person);
    }
    return records;
}

} // namespace

void runBirthdaysBench() {
    const PimRecords records = phoneBook(10000);
    const CalendarDate from = CalendarDate::FromParts(2027, 2, 15);
    std::size_t found = 0;
    const Timing days30 = bestOf(20, [&] { found = BirthdaysBetween(records, from, from + 29).size(); });
    std::printf("  birthdays in 30 days %zu\n", found);
    const Timing page = bestOf(20, [&] { found = BirthdaysBetween(records, from, from + 41).size(); });
    const Timing year = bestOf(5, [&] { found = BirthdaysBetween(records, from, from + 364).size(); });
    std::printf("  birthdays in a year %zu\n", found);
    const CalendarDate day = CalendarDate::FromParts(2027, 3, 15);
    const Timing oneDay = bestOf(20, [&] { found = BirthdaysBetween(records, day, day).size(); });
    printFigure("birthdays_30_days_ms", days30.wallMs);
    printFigure("birthdays_30_days_cpu_ms", days30.cpuMs);
    printFigure("birthdays_calendar_page_ms", page.wallMs);
    printFigure("birthdays_one_day_ms", oneDay.wallMs);
    printFigure("birthdays_year_ms", year.wallMs);
}
