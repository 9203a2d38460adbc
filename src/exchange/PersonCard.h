#pragma once

#include "PropertyTally.h"

#include <string>
#include <vector>

struct Person;
struct VCard;
class VCardWriter;

enum class VCardVersion { V30, V40 };

// One person as one vCard and back; the whole-file import and export and a contacts server share
// these.
namespace personcard {

// Which of the card's properties (indices into VCard::properties; -1 for none) each field was
// read from, so that a changed field can be written back into the property it came from.
struct PersonSources {
    int name = -1, formattedName = -1, organization = -1, title = -1, address = -1;
    int home = -1, work = -1, cell = -1, fax = -1, pager = -1, email = -1, url = -1, pages = -1;
    // A BDAY or ANNIVERSARY whose value is no date counts too: a date typed here replaces it.
    int birthday = -1, anniversary = -1;
    std::vector<int> notes;
};

// Fills `person` (a new one) from the card: N and FN to the names, ORG (its units joined), TITLE,
// the first home (else work, else any) ADR, the five kinds of TEL, the preferred or first EMAIL,
// URL, NOTE, and BDAY and ANNIVERSARY (X-ANNIVERSARY in 3.0) where they hold a date; one that holds
// text ("circa 1800") is counted in `unmapped` as "BDAY (not a date)" and stays on the card.
// The person goes into the White Pages unless the card carries our own X-TAVORO-PAGES. What has
// no field is counted in `unmapped`. False when the card names no one and no company.
bool Read(const VCard& card, Person& person, PropertyTally* unmapped, PersonSources* sources = nullptr);

// The ORG value of a card whose organisation has several units, as Read joined them into Company,
// to be kept beside as Person::CardOrg by an import from a file; empty otherwise. A contacts
// server's copy keeps its own.
std::string KeptOrganization(const VCard& card);

// The card of a person, UTF-8, under the given UID (see RecordUid).
void Write(VCardWriter& writer, const Person& person, const std::string& uid, VCardVersion version);
std::string ToText(const Person& person, const std::string& uid, VCardVersion version);

// A work number and the extension it carries ("555-0100 ext. 12", "x12", "#12"), split.
void SplitExtension(std::string_view number, std::string& phone, std::string& extension);

} // namespace personcard
