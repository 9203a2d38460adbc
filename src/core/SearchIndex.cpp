#include "SearchIndex.h"

#include "PimRecords.h"
#include "SearchFold.h"

#include <algorithm>

namespace {

// Between the fields of one record, so that no word is found across two of them.
constexpr char kFieldEnd = '\x1f';

std::vector<std::string> wordsOf(const std::string& folded) {
    std::vector<std::string> words;
    std::string word;
    for (char c : folded) {
        if (static_cast<unsigned char>(c) <= 0x20) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

void appendField(std::string& text, std::string_view field) {
    if (field.empty())
        return;
    SearchFold::AppendFolded(field, text);
    text.push_back(kFieldEnd);
}

// A phone number is also found by its digits alone: "5551234" finds "555-1234".
void appendPhone(std::string& text, std::string_view phone) {
    appendField(text, phone);
    std::string digits;
    for (char c : phone)
        if (c >= '0' && c <= '9')
            digits.push_back(c);
    if (!digits.empty() && digits.size() != phone.size()) {
        text += digits;
        text.push_back(kFieldEnd);
    }
}

void appendPersonText(std::string& text, const Person& person) {
    appendField(text, person.RName.empty() ? DisplayName(person) : person.RName);
    for (const std::string* field : {&person.FName, &person.LName, &person.Company, &person.EMail, &person.City})
        appendField(text, *field);
    for (const std::string* phone : {&person.HmPhone, &person.WkPhone, &person.CelPhone, &person.Fax, &person.Pager})
        appendPhone(text, *phone);
}

} // namespace

void SearchIndex::Forget() {
    m_built = false;
    m_hasPrevious = false;
    m_text.clear();
    m_text.shrink_to_fit();
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_previousMatches.clear();
}

void SearchIndex::Prepare(const PimRecords& records) {
    if (!m_built)
        build(records);
}

void SearchIndex::build(const PimRecords& records) {
    m_text.clear();
    m_entries.clear();
    m_entries.reserve(records.Persons.Count() + records.Tasks.Count() + records.Appointments.Count());

    const auto add = [this](RecordKind kind, int id, const auto& appendText) {
        const auto offset = static_cast<std::uint32_t>(m_text.size());
        appendText();
        m_entries.push_back(Entry{offset, static_cast<std::uint32_t>(m_text.size() - offset), id, kind});
    };

    // Persons by their folded display name, the first field of their text.
    // Named members, not a structured binding: clang before 16 cannot capture a binding in a lambda.
    for (const auto& entry : records.Persons)
        add(RecordKind::Person, entry.first, [&] { appendPersonText(m_text, entry.second); });
    const auto nameOf = [this](const Entry& entry) {
        const std::string_view text(m_text.data() + entry.offset, entry.length);
        return text.substr(0, text.find(kFieldEnd));
    };
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [&](const Entry& a, const Entry& b) { return nameOf(a) < nameOf(b); });

    // Tasks by due date, appointments by date and start; both by ID within the same time.
    struct Timed {
        double when;
        double start;
        int id;
        const std::string* description;
    };
    std::vector<Timed> timed;
    const auto addTimed = [&](RecordKind kind) {
        std::stable_sort(timed.begin(), timed.end(), [](const Timed& a, const Timed& b) {
            return a.when != b.when ? a.when < b.when : a.start < b.start;
        });
        for (const Timed& item : timed)
            add(kind, item.id, [&] { appendField(m_text, *item.description); });
        timed.clear();
    };
    timed.reserve(records.Tasks.Count());
    for (const auto& [id, task] : records.Tasks)
        timed.push_back({DateTime::Continuous(task.DueDate.Value()), 0, id, &task.Description});
    addTimed(RecordKind::Task);
    timed.reserve(records.Appointments.Count());
    for (const auto& [id, appointment] : records.Appointments)
        timed.push_back({DateTime::Continuous(appointment.DueDate.Value()),
                         DateTime::Continuous(appointment.StartTime.Value()), id, &appointment.Description});
    addTimed(RecordKind::Appointment);

    m_built = true;
    m_hasPrevious = false;
}

bool SearchIndex::matches(const Entry& entry, const std::vector<std::string>& words) const {
    const std::string_view text(m_text.data() + entry.offset, entry.length);
    for (const std::string& word : words)
        if (text.find(word) == std::string_view::npos)
            return false;
    return true;
}

SearchResults SearchIndex::Find(const PimRecords& records, std::string_view query, std::size_t limit) {
    Prepare(records);
    const std::string folded = SearchFold::Fold(query);
    const std::vector<std::string> words = wordsOf(folded);
    if (words.empty()) {
        m_hasPrevious = false;
        return {};
    }

    // More letters after the previous query can only narrow what it found.
    const bool narrowing = m_hasPrevious && folded.starts_with(m_previousQuery);
    std::vector<std::uint32_t> matched;
    if (narrowing) {
        for (std::uint32_t index : m_previousMatches)
            if (matches(m_entries[index], words))
                matched.push_back(index);
    } else {
        for (std::size_t index = 0; index < m_entries.size(); ++index)
            if (matches(m_entries[index], words))
                matched.push_back(static_cast<std::uint32_t>(index));
    }

    SearchResults results;
    results.total = matched.size();
    const std::size_t shown = std::min(limit, matched.size());
    results.hits.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i)
        results.hits.push_back({m_entries[matched[i]].kind, m_entries[matched[i]].id});

    m_hasPrevious = true;
    m_previousQuery = folded;
    m_previousMatches = std::move(matched);
    return results;
}
