#include "PersonCard.h"

#include "TextEncoding.h"
#include "VCard.h"
#include "VCardWriter.h"

#include "core/Birthdays.h"
#include "core/Person.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace personcard {

namespace {

// Properties a card carries about itself rather than the person: nothing is lost without them.
constexpr std::string_view kCardOnly[] = {"PRODID", "REV",        "UID",         "KIND",          "X-ABLABEL",
                                          "NAME",   "X-ABSHOWAS", "X-ABUID",     "X-ABADR",       "CLIENTPIDMAP",
                                          "SOURCE", "MAILER",     "SORT-STRING", "X-TAVORO-PAGES"};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The best value offered for one field: the lowest preference, the first among equals. Values
// that lose are counted as having no field.
struct Slot {
    std::string value;
    int preference = 0;
    bool taken = false;
    int source = -1; // the property it came from
};

void offer(Slot& slot, std::string value, int preference, PropertyTally* unmapped, const char* name, int source = -1) {
    if (slot.taken && slot.preference <= preference) {
        if (unmapped)
            ++(*unmapped)[name];
        return;
    }
    if (slot.taken && unmapped)
        ++(*unmapped)[name];
    slot = {std::move(value), preference, true, source};
}

// A TEL value as text: a 4.0 "tel:" URI loses its scheme and gives its ";ext=" to the extension.
std::string telephoneText(const VCardProperty& property) {
    std::string number = property.Text();
    if (!startsWithNoCase(number, "tel:"))
        return number;
    number.erase(0, 4);
    const size_t params = number.find(';');
    if (params == std::string::npos)
        return number;
    std::string_view rest = std::string_view(number).substr(params);
    std::string extension;
    const size_t ext = rest.find(";ext=");
    if (ext != std::string_view::npos)
        extension = std::string(rest.substr(ext + 5, rest.find(';', ext + 5) - (ext + 5)));
    number.erase(params);
    return extension.empty() ? number : number + " ext. " + extension;
}

struct Untyped {
    std::string number;
    int preference;
    int source;
};

struct Phones {
    Slot home, work, cell, fax, pager;
    std::vector<Untyped> untyped;
};

void sortTelephone(const VCardProperty& property, int source, Phones& phones, PropertyTally* unmapped) {
    std::string number = telephoneText(property);
    const int preference = property.Preference();
    if (property.HasType("fax"))
        offer(phones.fax, std::move(number), preference, unmapped, "TEL", source);
    else if (property.HasType("pager"))
        offer(phones.pager, std::move(number), preference, unmapped, "TEL", source);
    else if (property.HasType("cell") || property.HasType("mobile") || property.HasType("iphone"))
        offer(phones.cell, std::move(number), preference, unmapped, "TEL", source);
    else if (property.HasType("work"))
        offer(phones.work, std::move(number), preference, unmapped, "TEL", source);
    else if (property.HasType("home"))
        offer(phones.home, std::move(number), preference, unmapped, "TEL", source);
    else
        phones.untyped.push_back({std::move(number), preference, source});
}

// Numbers without a home or work type fill the home number, then the work number.
void placeUntyped(Phones& phones, PropertyTally* unmapped) {
    for (Untyped& untyped : phones.untyped) {
        Slot& slot = !phones.home.taken ? phones.home : !phones.work.taken ? phones.work : phones.home;
        offer(slot, std::move(untyped.number), untyped.preference, unmapped, "TEL", untyped.source);
    }
}

// The address lines: the street's own lines, then the extended address and the post office box.
void readAddress(const VCardProperty& property, Person& person, PropertyTally* unmapped) {
    std::vector<std::string> parts = property.Components();
    parts.resize(std::max<size_t>(parts.size(), 7));
    std::vector<std::string> lines;
    std::string_view street = parts[2];
    while (true) {
        const size_t cut = street.find('\n');
        lines.emplace_back(street.substr(0, cut));
        if (cut == std::string_view::npos)
            break;
        street.remove_prefix(cut + 1);
    }
    for (int i : {1, 0}) {
        if (!parts[i].empty())
            lines.push_back(parts[i]);
    }
    person.Addr1 = lines[0];
    for (size_t i = 1; i < lines.size(); ++i)
        person.Addr2 += (i > 1 ? ", " : "") + lines[i];
    person.City = parts[3];
    person.State = parts[4];
    person.Zip = parts[5];
    if (!parts[6].empty() && unmapped)
        ++(*unmapped)["ADR (country)"];
}

const VCardProperty* chooseAddress(const std::vector<const VCardProperty*>& addresses) {
    for (const char* type : {"home", "work"}) {
        for (const VCardProperty* address : addresses) {
            if (address->HasType(type))
                return address;
        }
    }
    return addresses.empty() ? nullptr : addresses.front();
}

// "Last, First", or "First Middle Last": a formatted name alone, split.
void splitFormattedName(std::string_view name, Person& person) {
    name = trimmed(name);
    if (const size_t comma = name.find(','); comma != std::string_view::npos) {
        person.LName = std::string(trimmed(name.substr(0, comma)));
        person.FName = std::string(trimmed(name.substr(comma + 1)));
    } else if (const size_t space = name.find_last_of(' '); space != std::string_view::npos) {
        person.FName = std::string(trimmed(name.substr(0, space)));
        person.LName = std::string(trimmed(name.substr(space + 1)));
    } else {
        person.FName = std::string(name);
    }
}

void readPages(const VCardProperty& property, Person& person) {
    const std::string value = property.Text();
    person.WhitePages = value.find("white") != std::string::npos;
    person.YellowPages = value.find("yellow") != std::string::npos;
}

// A date from BDAY or ANNIVERSARY, as the document keeps it; a text value leaves the field empty
// and is counted, so that the report says what was not taken over. True when the date was taken.
bool readDate(const VCardProperty& property, std::string& field, PropertyTally* unmapped, const char* name) {
    const std::vector<std::string> kinds = property.Param("VALUE");
    const bool text = std::any_of(kinds.begin(), kinds.end(), [](const std::string& kind) {
        return kind.size() == 4 && startsWithNoCase(kind, "text");
    });
    const std::optional<BirthDate> date = text ? std::nullopt : BirthDate::Parse(property.Text());
    if (date && field.empty()) {
        field = date->Text();
        return true;
    }
    if (unmapped)
        ++(*unmapped)[date ? name : std::string(name) + " (not a date)"];
    return false;
}

bool isAnniversary(const std::string& name) {
    return name == "ANNIVERSARY" || name == "X-ANNIVERSARY" || name == "X-EVOLUTION-ANNIVERSARY";
}

// The document's "YYYY-MM-DD" or "--MM-DD" in the form of the card's version: 4.0 writes the basic
// form ("19900315", "--0315"). Nothing for a field that holds no date.
std::string cardDate(const std::string& field, bool v4) {
    const std::optional<BirthDate> date = BirthDate::Parse(field);
    if (!date)
        return {};
    std::string text = date->Text();
    if (v4)
        text.erase(std::remove(text.begin() + 2, text.end(), '-'), text.end());
    return text;
}

// A URI value is not escaped; a line break cannot stand in it.
std::string singleLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string utf8(const std::string& field) {
    return exchangetext::ToUtf8(field);
}

// The organisation and its units as one company name.
std::string joinedUnits(const std::vector<std::string>& units) {
    std::string company;
    for (const std::string& unit : units) {
        if (!unit.empty())
            company += (company.empty() ? "" : ", ") + unit;
    }
    return company;
}

// The ORG value: the one the card came with while the company still reads the same, else the company.
std::string organization(const Person& person, const std::string& company) {
    if (!person.CardOrg.empty()) {
        VCardProperty kept;
        kept.value = person.CardOrg;
        if (joinedUnits(kept.Components()) == company)
            return person.CardOrg;
    }
    return VCardWriter::Compound({company});
}

} // namespace

void SplitExtension(std::string_view number, std::string& phone, std::string& extension) {
    size_t digits = number.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(number[digits - 1])))
        --digits;
    size_t marker = digits;
    while (marker > 0 && (isBlank(number[marker - 1]) || number[marker - 1] == '.'))
        --marker;
    const std::string_view head = number.substr(0, marker);
    for (std::string_view word : {"extension", "ext", "x", "#"}) {
        if (digits == number.size() || head.size() < word.size() ||
            !startsWithNoCase(head.substr(head.size() - word.size()), word))
            continue;
        const size_t start = head.size() - word.size();
        if (start > 0 && std::isalpha(static_cast<unsigned char>(head[start - 1])))
            continue;
        std::string_view rest = head.substr(0, start);
        while (!rest.empty() && (isBlank(rest.back()) || rest.back() == ',' || rest.back() == ';'))
            rest.remove_suffix(1);
        phone = std::string(rest);
        extension = std::string(number.substr(digits));
        return;
    }
    phone = std::string(number);
    extension.clear();
}

bool Read(const VCard& card, Person& person, PropertyTally* unmapped, PersonSources* sources) {
    std::string formattedName;
    bool named = false;
    Phones phones;
    Slot email, url;
    std::vector<const VCardProperty*> addresses;
    bool pages = false;
    PersonSources found;
    for (std::size_t index = 0; index < card.properties.size(); ++index) {
        const VCardProperty& property = card.properties[index];
        const int source = static_cast<int>(index);
        const std::string& name = property.name;
        if (name == "N") {
            found.name = source;
            std::vector<std::string> parts = property.Components();
            parts.resize(std::max<size_t>(parts.size(), 5));
            person.LName = parts[0];
            person.FName = parts[2].empty() ? parts[1] : parts[1] + " " + parts[2];
            named = !person.LName.empty() || !person.FName.empty();
            if (unmapped && !parts[3].empty())
                ++(*unmapped)["N (prefix)"];
            if (unmapped && !parts[4].empty())
                ++(*unmapped)["N (suffix)"];
        } else if (name == "FN") {
            formattedName = property.Text();
            found.formattedName = source;
        } else if (name == "ORG") {
            found.organization = source;
            person.Company = joinedUnits(property.Components());
        } else if (name == "TITLE") {
            person.Position = property.Text();
            found.title = source;
        } else if (name == "ADR") {
            addresses.push_back(&property);
        } else if (name == "TEL") {
            sortTelephone(property, source, phones, unmapped);
        } else if (name == "EMAIL") {
            offer(email, property.Text(), property.Preference(), unmapped, "EMAIL", source);
        } else if (name == "URL") {
            offer(url, property.Text(), 100, unmapped, "URL", source);
        } else if (name == "NOTE") {
            person.Notes += (person.Notes.empty() ? "" : "\n") + property.Text();
            found.notes.push_back(source);
        } else if (name == "BDAY") {
            // The property the date came from, else the first: a date typed here replaces it.
            if (readDate(property, person.Birthday, unmapped, "BDAY") || found.birthday < 0)
                found.birthday = source;
        } else if (isAnniversary(name)) {
            if (readDate(property, person.Anniversary, unmapped, "ANNIVERSARY") || found.anniversary < 0)
                found.anniversary = source;
        } else if (name == "X-TAVORO-PAGES") {
            readPages(property, person);
            pages = true;
            found.pages = source;
        } else if (unmapped && std::find(std::begin(kCardOnly), std::end(kCardOnly), name) == std::end(kCardOnly)) {
            ++(*unmapped)[name];
        }
    }
    if (!named && !formattedName.empty() && formattedName != person.Company)
        splitFormattedName(formattedName, person);
    if (const VCardProperty* address = chooseAddress(addresses)) {
        found.address = static_cast<int>(address - card.properties.data());
        readAddress(*address, person, unmapped);
        if (unmapped && addresses.size() > 1)
            (*unmapped)["ADR"] += static_cast<int>(addresses.size() - 1);
    }
    placeUntyped(phones, unmapped);
    person.HmPhone = phones.home.value;
    SplitExtension(phones.work.value, person.WkPhone, person.WkExt);
    person.CelPhone = phones.cell.value;
    person.Fax = phones.fax.value;
    person.Pager = phones.pager.value;
    person.EMail = email.value;
    person.WebPage = url.value;
    if (!pages || (!person.WhitePages && !person.YellowPages))
        person.WhitePages = 1;
    if (!pages)
        person.YellowPages = 0;
    person.RName = DisplayName(person);
    found.home = phones.home.source;
    found.work = phones.work.source;
    found.cell = phones.cell.source;
    found.fax = phones.fax.source;
    found.pager = phones.pager.source;
    found.email = email.source;
    found.url = url.source;
    if (sources)
        *sources = std::move(found);
    return !person.FName.empty() || !person.LName.empty() || !person.Company.empty();
}

std::string KeptOrganization(const VCard& card) {
    std::string kept;
    for (const VCardProperty& property : card.properties) {
        if (property.name != "ORG")
            continue;
        const std::vector<std::string> units = property.Components();
        kept = units.size() > 1 ? VCardWriter::Compound(units) : std::string();
    }
    return kept;
}

void Write(VCardWriter& writer, const Person& person, const std::string& uid, VCardVersion version) {
    const bool v4 = version == VCardVersion::V40;
    const std::string first = utf8(person.FName);
    const std::string last = utf8(person.LName);
    const std::string company = utf8(person.Company);
    std::string formatted = first.empty() || last.empty() ? first + last : first + " " + last;
    if (formatted.empty())
        formatted = company;
    writer.Line("BEGIN", "VCARD");
    writer.Line("VERSION", v4 ? "4.0" : "3.0");
    writer.Line("PRODID", "-//Quenset//Tavoro! 1.5//EN");
    writer.Line("UID", uid);
    writer.Line("FN", VCardWriter::Escape(formatted));
    writer.Line("N", VCardWriter::Compound({last, first, "", "", ""}));
    if (!company.empty())
        writer.Line("ORG", organization(person, company));
    if (!person.Position.empty())
        writer.Line("TITLE", VCardWriter::Escape(utf8(person.Position)));
    if (!(person.Addr1 + person.Addr2 + person.City + person.State + person.Zip).empty()) {
        const std::string street =
            person.Addr2.empty() ? utf8(person.Addr1) : utf8(person.Addr1) + "\n" + utf8(person.Addr2);
        // A business-only entry's address is its work address.
        const bool work = person.YellowPages && !person.WhitePages;
        writer.Line(
            work ? "ADR;TYPE=work" : "ADR;TYPE=home",
            VCardWriter::Compound({"", "", street, utf8(person.City), utf8(person.State), utf8(person.Zip), ""}));
    }
    const std::string tel = v4 ? "TEL;VALUE=text;TYPE=" : "TEL;TYPE=";
    const std::string workNumber = person.WkExt.empty() ? utf8(person.WkPhone)
                                                        : (person.WkPhone.empty() ? "" : utf8(person.WkPhone) + " ") +
                                                              "ext. " + utf8(person.WkExt);
    const std::pair<const char*, std::string> numbers[] = {
        {"home,voice", utf8(person.HmPhone)},  {"work,voice", workNumber},
        {"cell,voice", utf8(person.CelPhone)}, {"fax", utf8(person.Fax)},
        {"pager", utf8(person.Pager)},
    };
    for (const auto& [types, number] : numbers) {
        if (!number.empty())
            writer.Line(tel + types, VCardWriter::Escape(number));
    }
    if (!person.EMail.empty())
        writer.Line(v4 ? "EMAIL" : "EMAIL;TYPE=internet", VCardWriter::Escape(utf8(person.EMail)));
    if (!person.WebPage.empty())
        writer.Line("URL", singleLine(utf8(person.WebPage)));
    if (!person.Notes.empty())
        writer.Line("NOTE", VCardWriter::Escape(utf8(person.Notes)));
    if (const std::string birthday = cardDate(person.Birthday, v4); !birthday.empty())
        writer.Line("BDAY", birthday);
    // 3.0 has no anniversary of its own; the address books that keep one read this name.
    if (const std::string anniversary = cardDate(person.Anniversary, v4); !anniversary.empty())
        writer.Line(v4 ? "ANNIVERSARY" : "X-ANNIVERSARY", anniversary);
    if (person.YellowPages)
        // The comma escaped: a server that reads the value as a list would keep only "white".
        writer.Line("X-TAVORO-PAGES", person.WhitePages ? "white\\,yellow" : "yellow");
    writer.Line("END", "VCARD");
}

std::string ToText(const Person& person, const std::string& uid, VCardVersion version) {
    VCardWriter writer;
    Write(writer, person, uid, version);
    return writer.Text();
}

} // namespace personcard
