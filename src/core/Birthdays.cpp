#include "Birthdays.h"

#include "PimRecords.h"

std::vector<BirthdayOccurrence> BirthdaysBetween(const PimRecords&, CalendarDate, CalendarDate) {
    return {};
}

std::string BirthdayText(const PimRecords& records, const BirthdayOccurrence& birthday) {
    const Person* person = records.Persons.Find(birthday.personId);
    std::string name = person ? ListedName(*person) : std::string();
    std::string text = (birthday.anniversary ? "Anniversary: " : "Birthday: ") + name;
    if (birthday.years >= 0)
        text += " (" + std::to_string(birthday.years) + ")";
    return text;
}
