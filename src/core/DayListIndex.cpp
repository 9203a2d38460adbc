#include "core/DayListIndex.h"

#include "core/PimRecords.h"

#include <algorithm>
#include <cstring>

namespace {

template <class Record> bool sameShape(const RecordCollection<Record>& records, std::size_t count, int lastId) {
    return records.Count() == count && records.LastID() == lastId;
}

// Sorting 100,000 names spends its time in string comparisons; most are decided by the first
// eight bytes, compared here as one number.
struct SortKey {
    std::uint64_t prefix = 0;
    std::string text;

    explicit SortKey(std::string key) : text(std::move(key)) {
        unsigned char bytes[8] = {};
        std::memcpy(bytes, text.data(), std::min<std::size_t>(8, text.size()));
        for (unsigned char b : bytes)
            prefix = (prefix << 8) | b;
    }
    bool operator<(const SortKey& other) const {
        if (prefix != other.prefix)
            return prefix < other.prefix;
        return text < other.text;
    }
};

// Formats each distinct time of day once per fill: a day of many series repeats a few times often.
class TimeCache {
public:
    const std::string& Format(const DateTime& time) {
        const CalendarRecord r = time.ToCalendarRecord();
        const int key = time.IsValid() ? r.hour * 3600 + r.minute * 60 + r.second : -1;
        auto [it, inserted] = m_texts.try_emplace(key);
        if (inserted)
            it->second = time.FormatTime(DateTime::TimeFormat::NoSeconds);
        return it->second;
    }

private:
    std::unordered_map<int, std::string> m_texts;
};

// Formats each distinct date once per fill: today's list can hold tens of thousands of open tasks
// that share a few hundred due dates.
class ShortDateCache {
public:
    const std::string& Format(const DateTime& date) {
        auto [it, inserted] = m_texts.try_emplace(date.Value());
        if (inserted)
            it->second = date.FormatDate(DateTime::DateFormat::Short);
        return it->second;
    }

private:
    std::unordered_map<double, std::string> m_texts;
};

} // namespace

void DayListIndex::Forget() {
    m_personsBuilt = false;
    m_tasksBuilt = false;
    m_byName.clear();
    m_byCompany.clear();
    m_tasks.clear();
    m_occurrences.Forget();
}

void DayListIndex::indexPersons(const PimRecords& records) {
    if (m_personsBuilt && sameShape(records.Persons, m_personShape.count, m_personShape.lastId))
        return;
    struct Keyed {
        SortKey key;
        PersonEntry entry;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(records.Persons.Count());
    for (const auto& [id, person] : records.Persons)
        keyed.push_back({SortKey(DayListRows::NameKey(ListedName(person))),
                         PersonEntry{&person, id, person.WhitePages != 0, person.YellowPages != 0}});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    m_byName.clear();
    m_byName.reserve(keyed.size());
    for (const Keyed& k : keyed)
        m_byName.push_back(k.entry);

    // Yellow pages: by company byte by byte; equal companies keep the name order.
    keyed.clear();
    for (const PersonEntry& entry : m_byName)
        keyed.push_back({SortKey(entry.person->Company), entry});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    m_byCompany.clear();
    m_byCompany.reserve(keyed.size());
    for (const Keyed& k : keyed)
        m_byCompany.push_back(k.entry);

    m_personShape = {records.Persons.Count(), records.Persons.LastID()};
    m_personsBuilt = true;
}

void DayListIndex::indexTasks(const PimRecords& records) {
    if (m_tasksBuilt && sameShape(records.Tasks, m_taskShape.count, m_taskShape.lastId))
        return;
    m_tasks.clear();
    m_tasks.reserve(records.Tasks.Count());
    for (const auto& [id, task] : records.Tasks)
        m_tasks.push_back(TaskEntry{CalendarDate::OfStoredDate(task.DueDate), CalendarDate::OfStoredDate(task.DoneDate),
                                    task.Priority, id, &task});
    m_taskShape = {records.Tasks.Count(), records.Tasks.LastID()};
    m_tasksBuilt = true;
}

std::vector<ListRow> DayListIndex::PhoneBook(const PimRecords& records, bool whitePages) {
    indexPersons(records);
    const std::vector<PersonEntry>& order = whitePages ? m_byName : m_byCompany;
    std::vector<ListRow> rows;
    rows.reserve(order.size());
    for (const PersonEntry& entry : order)
        if (whitePages ? entry.white : entry.yellow)
            rows.push_back(ListRow{entry.id, -1, {ListedName(*entry.person), entry.person->Company}, 0});
    return rows;
}

std::vector<ListRow> DayListIndex::Tasks(const PimRecords& records, const DateTime& day, const DateTime& today) {
    indexTasks(records);
    const CalendarDate d = CalendarDate::Of(day);
    const CalendarDate t = CalendarDate::Of(today);
    const bool dayIsToday = d == t;
    const bool dayNotPast = d >= t;
    const bool dayNotFuture = d <= t;
    ShortDateCache dates;
    std::vector<ListRow> rows;
    for (const TaskEntry& entry : m_tasks) {
        const bool listed = (entry.due == d && dayNotPast) ||
                            (dayIsToday && entry.due <= t && entry.priority < Task::Done) ||
                            (entry.priority == Task::Done && entry.done == d && dayNotFuture);
        if (!listed)
            continue;
        const int image = entry.priority >= Task::High && entry.priority <= Task::Done ? entry.priority : -1;
        rows.push_back(ListRow{entry.id, image, {entry.task->Description, dates.Format(entry.task->DueDate)}, 0});
    }
    return rows;
}

std::vector<ListRow> DayListIndex::Appointments(const PimRecords& records, const DateTime& day) {
    TimeCache times;
    std::vector<ListRow> rows;
    for (const DayOccurrence& listed : m_occurrences.On(records, CalendarDate::Of(day))) {
        const Occurrence& o = listed.occurrence;
        const Appointment* appointment = records.Appointments.Find(o.id);
        if (!appointment)
            continue;
        std::string time = o.allDay ? std::string("All day") : times.Format(o.start) + "-" + times.Format(o.end);
        std::string description = appointment->Description;
        if (listed.dayCount > 1)
            description += " (day " + std::to_string(listed.dayNumber) + " of " + std::to_string(listed.dayCount) + ")";
        const int image = (o.alarmed ? 1 : 0) + (o.InSeries() ? 2 : 0);
        rows.push_back(ListRow{o.id, image, {std::move(time), std::move(description)}, o.seriesId});
    }
    return rows;
}
