#include "reports/AddressTexts.h"

#include "platform/TextCodec.h"

#include <algorithm>

namespace address {

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

bool keyOrder(const std::string& keyA, const std::string& companyA, const std::string& keyB,
              const std::string& companyB) {
    if (keyA.empty() != keyB.empty())
        return keyA.empty();
    if (keyA.empty())
        return companyA < companyB;
    return keyA < keyB;
}

} // namespace

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string TrimTrailing(std::string_view text) {
    const auto last = text.find_last_not_of(kBlanks);
    if (last == std::string_view::npos)
        return {};
    return std::string(text.substr(0, last + 1));
}

std::string NameLine(const Person& person) {
    const std::string first = Trim(person.FName);
    if (first.empty())
        return person.LName;
    return platform::joinText({first, " ", person.LName});
}

bool SortsBefore(const Person& a, const Person& b) {
    return keyOrder(DisplayName(a), a.Company, DisplayName(b), b.Company);
}

void SortForAddressBook(std::vector<Person>& persons) {
    // Keys are computed once; persons that compare equal keep the order they were chosen in.
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(persons.size());
    for (std::size_t i = 0; i < persons.size(); ++i)
        keyed.push_back({DisplayName(persons[i]), i});
    std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        return keyOrder(a.key, persons[a.index].Company, b.key, persons[b.index].Company);
    });
    std::vector<Person> sorted;
    sorted.reserve(persons.size());
    for (const Keyed& k : keyed)
        sorted.push_back(std::move(persons[k.index]));
    persons = std::move(sorted);
}

std::string AddressBookCityLine(const Person& person) {
    const std::string city = Trim(person.City);
    const std::string cityState = Trim(city.empty() ? person.State : platform::joinText({city, ", ", person.State}));
    return Trim(platform::joinText({cityState, " ", person.Zip}));
}

std::string EnvelopeCityLine(const Person& person) {
    const std::string city = Trim(person.City);
    const std::string cityState = Trim(person.State.empty() ? city : platform::joinText({city, ", ", person.State}));
    return Trim(platform::joinText({cityState, " ", person.Zip}));
}

std::vector<std::string> AddressBookLeftColumn(const Person& person) {
    std::vector<std::string> lines = {NameLine(person), "Company: " + person.Company, "Position: " + person.Position,
                                      person.Addr1};
    if (!person.Addr2.empty())
        lines.push_back(person.Addr2);
    lines.push_back(AddressBookCityLine(person));
    return lines;
}

std::vector<std::string> AddressBookRightColumn(const Person& person) {
    std::string work = "Work Phone: " + person.WkPhone;
    if (!person.WkExt.empty())
        work = platform::joinText({work, " Ext. ", person.WkExt});
    return {"Home Phone: " + person.HmPhone,
            work,
            "Fax: " + person.Fax,
            "E-Mail: " + person.EMail,
            "Pager: " + person.Pager,
            "CelPhone: " + person.CelPhone,
            "Web Page: " + person.WebPage};
}

std::vector<std::string> SenderLines(const User& user, bool yellowPages) {
    std::vector<std::string> lines = {TrimTrailing(platform::joinText({TrimTrailing(user.FName), " ", user.LName}))};
    if (yellowPages && !user.Company.empty())
        lines.push_back(user.Company);
    lines.push_back(user.Addr1);
    if (!user.Addr2.empty())
        lines.push_back(user.Addr2);
    const std::string cityState = TrimTrailing(platform::joinText({TrimTrailing(user.City), ", ", user.State}));
    lines.push_back(TrimTrailing(platform::joinText({cityState, " ", user.Zip})));
    return lines;
}

std::vector<std::string> RecipientLines(const Person& person, bool yellowPages) {
    std::vector<std::string> lines = {Trim(NameLine(person))};
    if (yellowPages && !person.Company.empty())
        lines.push_back(person.Company);
    lines.push_back(person.Addr1);
    if (!Trim(person.Addr2).empty())
        lines.push_back(person.Addr2);
    lines.push_back(EnvelopeCityLine(person));
    return lines;
}

} // namespace address
