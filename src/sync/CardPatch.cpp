#include "ContentLines.h"
#include "RecordPatch.h"
#include "RecordText.h"

#include "core/Birthdays.h"
#include "exchange/PersonCard.h"
#include "exchange/VCardReader.h"
#include "exchange/VCardWriter.h"

#include <algorithm>
#include <cctype>

namespace recordpatch {

using personcard::PersonSources;

namespace {

// The card's properties, each parsed on its own, with the line it stands on.
struct Card {
    VCard card;
    std::vector<std::size_t> lineOf;
};

Card readCard(const ContentLines& lines, const ContentLines::Range& range) {
    Card read;
    for (std::size_t i = range.begin + 1; i < range.end; ++i) {
        const ContentLines::Line& line = lines.At(i);
        if (line.depth != lines.At(range.begin).depth + 1 || line.name == "BEGIN" || line.name == "END" ||
            line.name == "VERSION")
            continue;
        const std::vector<VCard> one = ReadVCards("BEGIN:VCARD\r\n" + line.logical + "\r\nEND:VCARD\r\n");
        if (one.empty() || one.front().properties.size() != 1)
            continue;
        read.card.properties.push_back(one.front().properties.front());
        read.lineOf.push_back(i);
    }
    return read;
}

// "item1.TEL;TYPE=cell": what stands before the value.
std::string headOf(const ContentLines::Line& line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.logical.size(); ++i) {
        if (line.logical[i] == '"')
            quoted = !quoted;
        else if (line.logical[i] == ':' && !quoted)
            return line.logical.substr(0, i);
    }
    return line.logical;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

class CardEditor {
public:
    CardEditor(ContentLines& lines, const Card& card, std::size_t end) : m_lines(lines), m_card(card), m_end(end) {}

    // Sets the value of the property a field came from, keeping its name, group and parameters;
    // an empty value removes it, and a field read from nothing gets a new line.
    void Set(int source, const std::string& value, std::string_view newHead) {
        if (source < 0) {
            if (!value.empty())
                m_lines.InsertBefore(m_end, ContentLine(newHead, value));
            return;
        }
        const std::size_t line = m_card.lineOf[static_cast<std::size_t>(source)];
        if (value.empty())
            m_lines.Remove(line);
        else
            m_lines.Replace(line, ContentLine(headOf(m_lines.At(line)), value));
    }
    void Remove(int source) {
        if (source >= 0)
            m_lines.Remove(m_card.lineOf[static_cast<std::size_t>(source)]);
    }
    const VCardProperty& Property(int source) const { return m_card.card.properties[static_cast<std::size_t>(source)]; }

private:
    ContentLines& m_lines;
    const Card& m_card;
    std::size_t m_end;
};

std::vector<std::string> components(const VCardProperty& property, std::size_t count) {
    std::vector<std::string> parts = property.Components();
    parts.resize(std::max(parts.size(), count));
    return parts;
}

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (const std::string& part : parts)
        if (!part.empty())
            out += (out.empty() ? "" : separator) + part;
    return out;
}

// A telephone number in the form the property had: a 4.0 "tel:" URI stays one.
std::string telephoneValue(const CardEditor& editor, int source, const std::string& number) {
    if (number.empty())
        return {};
    if (source >= 0 && startsWithNoCase(editor.Property(source).value, "tel:"))
        return "tel:" + number;
    return VCardWriter::Escape(number);
}

void patchNames(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    if (before.FName == now.FName && before.LName == now.LName)
        return;
    std::vector<std::string> name =
        at.name >= 0 ? components(editor.Property(at.name), 5) : std::vector<std::string>(5);
    if (before.LName != now.LName)
        name[0] = now.LName;
    if (before.FName != now.FName) {
        name[1] = now.FName;
        name[2].clear();
    }
    name.resize(std::max<std::size_t>(name.size(), 5));
    editor.Set(at.name, VCardWriter::Compound(name), "N");
    std::string formatted = joined({name[3], name[1], name[2], name[0], name[4]}, " ");
    if (formatted.empty())
        formatted = now.Company;
    editor.Set(at.formattedName, VCardWriter::Escape(formatted), "FN");
}

void patchCompany(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    if (before.Company == now.Company)
        return;
    // Units were read joined by ", "; given back as units when the card had them.
    std::vector<std::string> units{now.Company};
    if (at.organization >= 0 && editor.Property(at.organization).Components().size() > 1) {
        units.clear();
        std::string_view rest = now.Company;
        for (std::size_t cut; (cut = rest.find(", ")) != std::string_view::npos; rest.remove_prefix(cut + 2))
            units.emplace_back(rest.substr(0, cut));
        units.emplace_back(rest);
    }
    editor.Set(at.organization, now.Company.empty() ? std::string() : VCardWriter::Compound(units), "ORG");
}

void patchAddress(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    const bool street = before.Addr1 != now.Addr1 || before.Addr2 != now.Addr2;
    if (!street && before.City == now.City && before.State == now.State && before.Zip == now.Zip)
        return;
    if ((now.Addr1 + now.Addr2 + now.City + now.State + now.Zip).empty()) {
        editor.Remove(at.address);
        return;
    }
    std::vector<std::string> parts =
        at.address >= 0 ? components(editor.Property(at.address), 7) : std::vector<std::string>(7);
    if (street || at.address < 0) {
        // The post office box and extended address were read into the second line.
        parts[0].clear();
        parts[1].clear();
        parts[2] = now.Addr2.empty() ? now.Addr1 : now.Addr1 + "\n" + now.Addr2;
    }
    parts[3] = now.City;
    parts[4] = now.State;
    parts[5] = now.Zip;
    const bool work = now.YellowPages && !now.WhitePages;
    editor.Set(at.address, VCardWriter::Compound(parts), work ? "ADR;TYPE=work" : "ADR;TYPE=home");
}

std::string workNumber(const Person& p) {
    if (p.WkExt.empty())
        return p.WkPhone;
    return (p.WkPhone.empty() ? "" : p.WkPhone + " ") + "ext. " + p.WkExt;
}

void patchPhones(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    struct Phone {
        int source;
        std::string was, is;
        const char* head;
    };
    const Phone phones[] = {
        {at.home, before.HmPhone, now.HmPhone, "TEL;TYPE=home,voice"},
        {at.work, workNumber(before), workNumber(now), "TEL;TYPE=work,voice"},
        {at.cell, before.CelPhone, now.CelPhone, "TEL;TYPE=cell,voice"},
        {at.fax, before.Fax, now.Fax, "TEL;TYPE=fax"},
        {at.pager, before.Pager, now.Pager, "TEL;TYPE=pager"},
    };
    for (const Phone& phone : phones)
        if (phone.was != phone.is)
            editor.Set(phone.source, telephoneValue(editor, phone.source, phone.is), phone.head);
}

void patchText(CardEditor& editor, int source, const std::string& was, const std::string& is, const char* head,
               bool uri = false) {
    if (was == is)
        return;
    std::string value = is;
    if (uri)
        std::replace(value.begin(), value.end(), '\n', ' ');
    editor.Set(source, uri ? value : VCardWriter::Escape(value), head);
}

void patchNotes(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    if (before.Notes == now.Notes)
        return;
    // The notes were read as one text: it goes back into the first, and the others go.
    const int first = at.notes.empty() ? -1 : at.notes.front();
    editor.Set(first, VCardWriter::Escape(now.Notes), "NOTE");
    for (std::size_t i = 1; i < at.notes.size(); ++i)
        editor.Remove(at.notes[i]);
}

void patchPages(CardEditor& editor, const PersonSources& at, const Person& before, const Person& now) {
    if (before.WhitePages == now.WhitePages && before.YellowPages == now.YellowPages)
        return;
    // Without the property a card is in the White Pages only.
    const std::string value = !now.YellowPages ? std::string() : now.WhitePages ? "white\\,yellow" : "yellow";
    editor.Set(at.pages, value, "X-TAVORO-PAGES");
}

// A birthday or anniversary the user set, changed or cleared here, in the form the card uses
// (4.0 and a basic date such as "19900315" or "--0315" write the basic form). One the card held as
// text that this program could not read stays as it is until a date is given for it.
void patchDate(CardEditor& editor, int source, const std::string& was, const std::string& is, bool v4,
               const char* head) {
    const std::optional<BirthDate> date = BirthDate::Parse(is);
    // A field that holds no date (a file edited by hand) has nothing to say to the card.
    if (was == is || (!date && !is.empty()))
        return;
    std::string value = date ? date->Text() : std::string();
    const std::string held = source >= 0 ? editor.Property(source).Text() : std::string();
    const bool heldDate = !was.empty();
    const bool basic = heldDate ? held.find('-', 2) == std::string::npos : v4;
    if (basic && !value.empty())
        value.erase(std::remove(value.begin() + 2, value.end(), '-'), value.end());
    if (heldDate || value.empty()) {
        editor.Set(source, value, head);
        return;
    }
    // A text value's line says VALUE=text: the date takes a line of its own.
    editor.Remove(source);
    editor.Set(-1, value, head);
}

} // namespace

std::optional<std::string> Patch(std::string_view serverText, const Person& changed) {
    ContentLines lines(serverText);
    const std::optional<ContentLines::Range> range = lines.Component("VCARD");
    if (!range || range->end >= lines.Size())
        return std::nullopt;
    const Card card = readCard(lines, *range);
    Person before;
    PersonSources at;
    if (!personcard::Read(card.card, before, nullptr, &at))
        return std::nullopt;
    const Person now = recordtext::ForServer(changed);
    CardEditor editor(lines, card, range->end);
    patchNames(editor, at, before, now);
    patchCompany(editor, at, before, now);
    patchText(editor, at.title, before.Position, now.Position, "TITLE");
    patchAddress(editor, at, before, now);
    patchPhones(editor, at, before, now);
    patchText(editor, at.email, before.EMail, now.EMail, "EMAIL;TYPE=internet");
    patchText(editor, at.url, before.WebPage, now.WebPage, "URL", true);
    patchNotes(editor, at, before, now);
    patchPages(editor, at, before, now);
    const std::optional<std::size_t> version = lines.Property(*range, "VERSION");
    const bool v4 = version && lines.At(*version).value.starts_with("4");
    patchDate(editor, at.birthday, before.Birthday, now.Birthday, v4, "BDAY");
    patchDate(editor, at.anniversary, before.Anniversary, now.Anniversary, v4, v4 ? "ANNIVERSARY" : "X-ANNIVERSARY");
    return lines.Text();
}

} // namespace recordpatch
