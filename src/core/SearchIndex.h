#pragma once

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
// by due date, then appointments by date and time), and how many records matched in all.
struct SearchResults {
    std::vector<SearchHit> hits;
    std::size_t total = 0;
};

// The folded text of every record the search looks at: persons by any name, company, phone
// number, e-mail address and city; tasks and appointments by description. A record matches when
// its text holds every word of the query, ignoring letter case and accents.
//
// The index points into nothing: it keeps its own copy of the folded text. Forget() it whenever
// the document reports a change; it is rebuilt at the next query. While the user types, a query
// that only adds letters to the previous one looks only through the previous matches.
class SearchIndex {
public:
    void Forget();
    bool IsBuilt() const { return m_built; }
    // Builds the index now unless it is built, so that the first letter typed finds it ready.
    void Prepare(const PimRecords& records);

    // At most `limit` hits; the total counts them all. An empty query finds nothing.
    SearchResults Find(const PimRecords& records, std::string_view query, std::size_t limit);

private:
    struct Entry {
        std::uint32_t offset; // into m_text
        std::uint32_t length;
        int id;
        RecordKind kind;
    };

    void build(const PimRecords& records);
    bool matches(const Entry& entry, const std::vector<std::string>& words) const;

    bool m_built = false;
    std::string m_text;
    std::vector<Entry> m_entries;

    // The previous query's folded text and the entries it matched.
    bool m_hasPrevious = false;
    std::string m_previousQuery;
    std::vector<std::uint32_t> m_previousMatches;
};
