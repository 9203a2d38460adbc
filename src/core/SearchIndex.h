#pragma once

#include "CalendarDate.h"
#include "RecordKind.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SearchHit {
    RecordKind kind;
    int id;
    bool operator==(const SearchHit&) const = default;
};

// What a query found: the first hits to show, in the index's order (persons by name, then tasks
// and appointments together, those of today and later first, soonest first, then the past ones,
// newest first), and how many records matched in all.
struct SearchResults {
    std::vector<SearchHit> hits;
    std::size_t total = 0;
};

// The folded text of every record the search looks at: persons by any name, company, phone
// number, e-mail address and city; tasks and appointments by description and date (the short form
// and YYYY-MM-DD, the names of the month and weekday and the year; a series by each year it runs
// in). A record matches when its text holds every word of the query, ignoring letter case and
// accents; a word of a date holds a query word only at its beginning. A series is found once:
// its changed occurrences are left out when the series itself matches.
//
// The index points into nothing: it keeps its own copy of the folded text. Forget() it whenever
// the document reports a change; it is rebuilt at the next query. While the user types, a query
// that only adds letters to the previous one looks only through the previous matches.
class SearchIndex {
public:
    void Forget();
    bool IsBuilt() const { return m_built; }
    // Builds the index now unless it is built, so that the first letter typed finds it ready.
    void Prepare(const PimRecords& records, CalendarDate today);

    // At most `limit` hits; the total counts them all. An empty query finds nothing. `today`
    // divides the upcoming records from the past ones.
    SearchResults Find(const PimRecords& records, std::string_view query, std::size_t limit, CalendarDate today);

private:
    struct Entry {
        std::uint32_t offset; // into m_text
        std::uint32_t length;
        int id;
        RecordKind kind;
        int seriesId; // a changed occurrence's series; 0 otherwise
    };

    // A word of the query, and the form in which it begins a word of a record's dates.
    struct QueryWord {
        std::string text;
        std::string start;
    };

    void build(const PimRecords& records, CalendarDate today);
    // The matches as the results show them: a changed occurrence goes when its series is there.
    std::vector<std::uint32_t> withoutChangedOccurrences(const std::vector<std::uint32_t>& matched) const;
    bool matches(const Entry& entry, const std::vector<QueryWord>& words) const;

    bool m_built = false;
    CalendarDate m_builtFor; // the today the order was made for
    std::string m_text;
    std::vector<Entry> m_entries;

    // The previous query's folded text and the entries it matched.
    bool m_hasPrevious = false;
    std::string m_previousQuery;
    std::vector<std::uint32_t> m_previousMatches;
};
