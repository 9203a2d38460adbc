#pragma once

#include <algorithm>
#include <cstddef>
#include <map>

// One of the document's collections: records keyed by ID, visited in ascending ID order. IDs are
// issued as LastID + 1 and never reused while the document is open.
template <class Record> class RecordCollection {
public:
    using Map = std::map<int, Record>;
    using const_iterator = typename Map::const_iterator;

    virtual ~RecordCollection() = default;

    int LastID() const { return m_lastId; }
    void SetLastID(int lastId) { m_lastId = lastId; }

    // Issues the next ID, stores it in the record and inserts the record; returns the ID.
    int Add(Record record) {
        record.ID = NextID();
        m_records.emplace_hint(m_records.end(), m_lastId, std::move(record));
        return m_lastId;
    }

    // Adds a new default record under the next ID, to be filled in where it stays (an import
    // builds many records; this spares moving each one in).
    Record& AddNew() {
        const int id = NextID();
        Record& record = m_records.emplace_hint(m_records.end(), id, Record{})->second;
        record.ID = id;
        return record;
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
    // goes at the end of the map.
    int NextID() {
        if (!m_records.empty())
            m_lastId = std::max(m_lastId, m_records.rbegin()->first);
        return ++m_lastId;
    }

    Map m_records;
    int m_lastId = 0;
};
