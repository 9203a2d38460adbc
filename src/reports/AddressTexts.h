#pragma once

#include "core/Person.h"
#include "core/User.h"

#include <string>
#include <string_view>
#include <vector>

// The texts the address book and the envelopes print, derived from the records' bytes. Blanks are
// space, tab, line feed, vertical tab, form feed and carriage return; every other byte is text, so
// multi-byte characters are never split.
namespace address {

std::string Trim(std::string_view text);
std::string TrimTrailing(std::string_view text);

// FName without surrounding blanks and LName; LName alone when FName is blank.
std::string NameLine(const Person& person);

// Address-book order: persons without a name first (among themselves by company), then by
// "LName, FName", byte by byte.
bool SortsBefore(const Person& a, const Person& b);
void SortForAddressBook(std::vector<Person>& persons);

// "City, State Zip" as the address book prints it; the comma stays when State is empty.
std::string AddressBookCityLine(const Person& person);
// "City, State Zip" as an envelope addresses it; the comma is left out when State is empty.
std::string EnvelopeCityLine(const Person& person);

// The two columns of an address-book entry: name, company, position, address lines and city
// line on the left (Addr2 only when present); the seven labelled numbers and addresses on the right.
std::vector<std::string> AddressBookLeftColumn(const Person& person);
std::vector<std::string> AddressBookRightColumn(const Person& person);

// The owner's block at the top left of an envelope and the person's block in its middle. The
// company lines appear only for the business pages.
std::vector<std::string> SenderLines(const User& user, bool yellowPages);
std::vector<std::string> RecipientLines(const Person& person, bool yellowPages);

} // namespace address
