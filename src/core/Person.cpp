#include "Person.h"

#include "platform/TextCodec.h"

std::string DisplayName(const Person& person) {
    if (person.LName.empty())
        return person.FName;
    if (person.FName.empty())
        return person.LName;
    return platform::joinText({person.LName, ", ", person.FName});
}

std::string ListedName(const Person& person) {
    return person.RName.empty() ? DisplayName(person) : person.RName;
}
