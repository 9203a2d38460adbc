#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

// What the program says, wherever it meets it, when a collection has issued its last ID and Add
// answers nothing.
inline constexpr std::string_view kNoIdLeft = "No more records can be added: every ID is taken.";

// One of the document's collections: records keyed by ID, visited in ascending ID order. IDs are
// issued as LastID + 1 and never reused while the document is open, nor ever given to a second
// record.
template <class Record> class RecordCollection {
public:
    using Map = std::map<int, Record>;
    using const_iterator = typename Map::const_iterator;

    RecordCollection() = default;
    RecordCollection(const RecordCollection&) = default;
    RecordCollection(RecordCollection&&) noexcept = default;
    RecordCollection& operator=(const RecordCollection&) = default;
    RecordCollection& operator=(RecordCollection&&) noexcept = default;
    virtual ~RecordCollection() = default;

    int LastID() const { return m_lastId; }
    void SetLastID(int lastId) { m_lastId = lastId; }

    // Issues the next ID, stores it in the record and inserts the record; returns the ID, or nothing
    // when no ID is left (the collection is then unchanged). A record handed over is moved straight
    // into its place: an import adds records by the hundred thousand.
    std::optional<int> Add(Record&& record) {
        const std::optional<int> id = NextID();
        if (!id)
            return std::nullopt;
        Issue(*id, std::move(record)).second.ID = *id;
        return id;
    }
    std::optional<int> Add(const Record& record) { return Add(Record(record)); }
    // A blank record made in its place under the next ID, for the caller to fill there; null when
    // no ID is left.
    Record* AddBlank() {
        const std::optional<int> id = NextID();
        if (!id)
            return nullptr;
        m_lastId = std::max(m_lastId, *id);
        Record& record = m_records
                             .emplace_hint(m_records.end(), std::piecewise_construct, std::forward_as_tuple(*id),
                                           std::forward_as_tuple())
                             ->second;
        record.ID = *id;
        return &record;
    }

    bool CanAdd() const { return NextID().has_value(); }

    // Where the collection stands, so that work that adds many records and cannot finish can take
    // them back: every record added since has an ID above the highest stored then.
    struct Mark {
        int lastId;
        int highest;
        bool empty;
    };
    Mark Position() const { return {m_lastId, m_records.empty() ? 0 : m_records.rbegin()->first, m_records.empty()}; }
    void RollBack(const Mark& mark) {
        m_records.erase(mark.empty ? m_records.begin() : m_records.upper_bound(mark.highest), m_records.end());
        m_lastId = mark.lastId;
    }

    // Inserts under the record's own ID without touching LastID; a repeated ID keeps the first.
    // Files hold their records in ID order, so the end is tried first.
    bool InsertLoaded(const Record& record) {
        const std::size_t before = m_records.size();
        m_records.emplace_hint(m_records.end(), record.ID, record);
        return m_records.size() != before;
    }

    Record* Find(int id) {
        auto it = m_records.find(id);
        return it == m_records.end() ? nullptr : &it->second;
    }
    const Record* Find(int id) const {
        auto it = m_records.find(id);
        return it == m_records.end() ? nullptr : &it->second;
    }

    bool Remove(int id) { return m_records.erase(id) > 0; }

    // A record taken out whole and put back later without a copy (undo keeps what it takes back
    // this way). Take answers an empty node for an unknown ID; Put keeps a stored record of the
    // same ID and answers false.
    using Node = typename Map::node_type;
    Node Take(int id) { return m_records.extract(id); }
    bool Put(Node&& node) { return m_records.insert(std::move(node)).inserted; }
    static Node Detached(const Record& record) {
        Map single;
        single.emplace(record.ID, record);
        return single.extract(single.begin());
    }

    // An empty collection keeps its LastID; one with records starts again from 0.
    void Clear() {
        if (m_records.empty())
            return;
        m_records.clear();
        m_lastId = 0;
    }

    std::size_t Count() const { return m_records.size(); }
    bool Empty() const { return m_records.empty(); }
    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }
    const Map& Items() const { return m_records; }

private:
    // LastID + 1, but above every stored ID: a file whose LastID is missing or too low (written
    // by hand, say) must not have its records replaced by new ones. So the new record always
    // goes at the end of the map. Once LastID has reached the top of the range, the lowest free ID
    // above the highest stored one; nothing when that is the top as well.
    std::optional<int> NextID() const {
        constexpr int top = std::numeric_limits<int>::max();
        const int highest = m_records.empty() ? 0 : m_records.rbegin()->first;
        const int last = std::max(m_lastId, highest);
        if (last < top)
            return last + 1;
        if (highest < top)
            return highest + 1;
        return std::nullopt;
    }

    typename Map::value_type& Issue(int id, Record&& record) {
        m_lastId = std::max(m_lastId, id);
        return *m_records.emplace_hint(m_records.end(), id, std::move(record));
    }

    Map m_records;
    int m_lastId = 0;
};
