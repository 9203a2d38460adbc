#pragma once

#include <string>

// An address-book entry. Text is kept as the bytes that were read or typed.
struct Person {
    virtual ~Person() = default;
    Person() = default;
    Person(const Person&) = default;
    Person& operator=(const Person&) = default;
    Person(Person&&) noexcept = default;
    Person& operator=(Person&&) noexcept = default;
    bool operator==(const Person&) const = default;

    int ID = 0;
    std::string FName;
    std::string LName;
    std::string RName; // sort and display name, see DisplayName()
    std::string Company;
    std::string Position;
    std::string Addr1;
    std::string Addr2;
    std::string City;
    std::string State;
    std::string Zip;
    std::string HmPhone;
    std::string WkPhone;
    std::string WkExt;
    std::string Fax;
    std::string Pager;
    std::string CelPhone;
    std::string EMail;
    std::string WebPage;
    std::string Notes;
    int WhitePages = 0;  // private address book
    int YellowPages = 0; // business address book
    // The organisation as a vCard named it with its units ("Acme Labs;Research", escaped as on the
    // card), which Company joins into one; written back while Company still reads the same. Empty
    // when the card named one unit or none.
    std::string CardOrg;
    // The birthday and the wedding anniversary: "YYYY-MM-DD", or "--MM-DD" when the year is not
    // known (see BirthDate); empty when not given.
    std::string Birthday;
    std::string Anniversary;
};

// "LName, FName", or whichever of the two is present.
std::string DisplayName(const Person& person);
// The name the phone book shows and sorts by: the stored RName, or the display name built from the
// last and first names when the stored one is empty (files written by other programs or by hand).
std::string ListedName(const Person& person);
