#include "SearchIndex.h"

#include "AppointmentOccurrences.h"
#include "PimRecords.h"
#include "SearchFold.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>
#include <unordered_set>

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

// Before the dates of a record, whose words a query word finds only by their beginning: "24" is
// not found in every date of 2024. (Typing on only narrows what was found, as in the other fields.)
constexpr char kDatesStart = '\x1e';

void appendToken(std::string& text, std::string_view token) {
    text += token;
    text.push_back(kFieldEnd);
}

// The dates of a task or appointment as the search finds them: the short form and YYYY-MM-DD
// whole, and of the long form the names and the year. Each day's words are folded once per build,
// since many records share a day.
class DateWords {
public:
    void Start(std::string& text) {
        text.push_back(kDatesStart);
        text.push_back(kFieldEnd);
    }
    void Append(std::string& text, CalendarDate day) {
        if (!day.IsValid())
            return;
        const auto emplaced = m_texts.try_emplace(day.DayNumber());
        const auto it = emplaced.first;
        if (emplaced.second) {
            const DateTime midnight = day.Midnight();
            appendToken(it->second, SearchFold::Fold(midnight.FormatDate(DateTime::DateFormat::Short)));
            appendToken(it->second, day.Iso());
            const std::string long_ = SearchFold::Fold(midnight.FormatDate(DateTime::DateFormat::Long));
            std::string word;
            const auto flush = [&] {
                const bool named = std::any_of(word.begin(), word.end(), [](char c) {
                    return static_cast<unsigned char>(c) >= 0x80 || std::isalpha(static_cast<unsigned char>(c));
                });
                if (named || (word.size() == 4 && std::all_of(word.begin(), word.end(), ::isdigit)))
                    appendToken(it->second, word);
                word.clear();
            };
            for (char c : long_) {
                if (static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c)))
                    word.push_back(c);
                else
                    flush();
            }
            flush();
        }
        text += it->second;
    }
    // A series is found by every year it runs in, up to a few years ahead of today.
    static void AppendYears(std::string& text, CalendarDate first, CalendarDate last, CalendarDate today) {
        constexpr int kYearsAhead = 5;
        if (!first.IsValid())
            return;
        const int lastYear = last.IsValid() ? last.Year() : std::max(first.Year(), today.Year()) + kYearsAhead;
        for (int year = first.Year() + 1; year <= std::min(lastYear, first.Year() + 100); ++year)
            appendToken(text, std::to_string(year));
    }

private:
    std::unordered_map<int, std::string> m_texts;
};

// Where a task or appointment stands among the results: those of today and later first, soonest
// first; then the past ones, newest first; then those on no day.
struct Dated {
    long long order;
    double start; // within a day, the earlier start first
    RecordKind kind;
    int id;
    int seriesId;
    const std::string* description;
    CalendarDate first; // its dates, as the search finds them
    CalendarDate last;
    bool series;
};

long long orderOf(CalendarDate day, CalendarDate today) {
    constexpr long long kPast = 1LL << 40;
    constexpr long long kNoDay = 1LL << 41;
    if (!day.IsValid())
        return kNoDay;
    if (day >= today)
        return day - today;
    return kPast + (today - day);
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

void SearchIndex::Prepare(const PimRecords& records, CalendarDate today) {
    if (!m_built || m_builtFor != today)
        build(records, today);
}

void SearchIndex::build(const PimRecords& records, CalendarDate today) {
    m_text.clear();
    m_entries.clear();
    m_entries.reserve(records.Persons.Count() + records.Tasks.Count() + records.Appointments.Count());

    const auto add = [this](RecordKind kind, int id, int seriesId, const auto& appendText) {
        const auto offset = static_cast<std::uint32_t>(m_text.size());
        appendText();
        m_entries.push_back(Entry{offset, static_cast<std::uint32_t>(m_text.size() - offset), id, kind, seriesId});
    };

    // Persons by their folded display name, the first field of their text.
    // Named members, not a structured binding: clang before 16 cannot capture a binding in a lambda.
    for (const auto& entry : records.Persons)
        add(RecordKind::Person, entry.first, 0, [&] { appendPersonText(m_text, entry.second); });
    const auto nameOf = [this](const Entry& entry) {
        const std::string_view text(m_text.data() + entry.offset, entry.length);
        return text.substr(0, text.find(kFieldEnd));
    };
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [&](const Entry& a, const Entry& b) { return nameOf(a) < nameOf(b); });

    // Tasks and appointments together, by the day the day view lists them nearest today: an open
    // task due in the past is listed today, a series that runs on stands at today too.
    std::vector<Dated> dated;
    dated.reserve(records.Tasks.Count() + records.Appointments.Count());
    for (const auto& [id, task] : records.Tasks) {
        const CalendarDate due = CalendarDate::OfStoredDate(task.DueDate);
        const CalendarDate listed = !task.IsDone() && (!due.IsValid() || due < today) ? today : due;
        dated.push_back({orderOf(listed, today), 0, RecordKind::Task, id, 0, &task.Description, due, due, false});
    }
    for (const auto& [id, appointment] : records.Appointments) {
        CalendarDate first, last;
        bool series = false;
        if (appointment.Repeats()) {
            const AppointmentOccurrences occurrences(appointment);
            first = occurrences.FirstDay();
            last = occurrences.LastDay();
            series = occurrences.Repeats();
        } else {
            const Occurrence single = AppointmentOccurrences::Single(appointment);
            first = single.firstDay;
            last = single.lastDay;
        }
        // Under way today: today; over: its last day; to come: its first.
        CalendarDate listed = first;
        if (first.IsValid() && first < today)
            listed = !last.IsValid() || last >= today ? today : last;
        dated.push_back({orderOf(listed, today), DateTime::Continuous(appointment.StartTime.Value()),
                         RecordKind::Appointment, id, appointment.SeriesID, &appointment.Description, first, last,
                         series});
    }
    std::stable_sort(dated.begin(), dated.end(), [](const Dated& a, const Dated& b) {
        if (a.order != b.order)
            return a.order < b.order;
        if (a.kind != b.kind)
            return a.kind == RecordKind::Task;
        return a.start < b.start;
    });
    DateWords dates;
    for (const Dated& item : dated)
        add(item.kind, item.id, item.seriesId, [&] {
            appendField(m_text, *item.description);
            dates.Start(m_text);
            dates.Append(m_text, item.first);
            if (item.series)
                DateWords::AppendYears(m_text, item.first, item.last, today);
            else if (item.last.IsValid() && item.last != item.first)
                dates.Append(m_text, item.last);
        });

    m_built = true;
    m_builtFor = today;
    m_hasPrevious = false;
}

bool SearchIndex::matches(const Entry& entry, const std::vector<QueryWord>& words) const {
    const std::string_view text(m_text.data() + entry.offset, entry.length);
    const std::size_t datesStart = text.find(kDatesStart);
    const std::string_view fields = text.substr(0, datesStart);
    const std::string_view dates = datesStart == std::string_view::npos ? std::string_view() : text.substr(datesStart);
    for (const QueryWord& word : words) {
        if (fields.find(word.text) != std::string_view::npos)
            continue;
        if (dates.empty() || dates.find(word.start) == std::string_view::npos)
            return false;
    }
    return true;
}

SearchResults SearchIndex::Find(const PimRecords& records, std::string_view query, std::size_t limit,
                                CalendarDate today) {
    Prepare(records, today);
    const std::string folded = SearchFold::Fold(query);
    std::vector<QueryWord> words;
    for (std::string& word : wordsOf(folded)) {
        std::string start = kFieldEnd + word;
        words.push_back({std::move(word), std::move(start)});
    }
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

    const std::vector<std::uint32_t> listed = withoutChangedOccurrences(matched);
    SearchResults results;
    results.total = listed.size();
    const std::size_t shown = std::min(limit, listed.size());
    results.hits.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i)
        results.hits.push_back({m_entries[listed[i]].kind, m_entries[listed[i]].id});

    m_hasPrevious = true;
    m_previousQuery = folded;
    m_previousMatches = std::move(matched);
    return results;
}

std::vector<std::uint32_t> SearchIndex::withoutChangedOccurrences(const std::vector<std::uint32_t>& matched) const {
    std::unordered_set<int> appointments;
    bool anyChanged = false;
    for (std::uint32_t index : matched) {
        const Entry& entry = m_entries[index];
        if (entry.kind == RecordKind::Appointment) {
            appointments.insert(entry.id);
            anyChanged = anyChanged || entry.seriesId != 0;
        }
    }
    if (!anyChanged)
        return matched;
    std::vector<std::uint32_t> kept;
    kept.reserve(matched.size());
    for (std::uint32_t index : matched)
        if (m_entries[index].seriesId == 0 || !appointments.contains(m_entries[index].seriesId))
            kept.push_back(index);
    return kept;
}
