#include "Person.h"

std::string DisplayName(const Person& person) {
    if (person.LName.empty())
        return person.FName;
    if (person.FName.empty())
        return person.LName;
    return person.LName + ", " + person.FName;
}
