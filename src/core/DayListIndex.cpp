#include "core/DayListIndex.h"

#include "core/PimRecords.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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
    m_appointmentsBuilt = false;
    m_appointmentsById.clear();
}

const Appointment* DayListIndex::appointment(const PimRecords& records, int id, bool manyDays) {
    const RecordCollection<Appointment>& appointments = records.Appointments;
    const Shape shape{appointments.Count(), appointments.LastID()};
    if (m_appointmentsBuilt && !(shape == m_appointmentShape)) {
        m_appointmentsBuilt = false;
        m_appointmentsById.clear();
    }
    if (manyDays && !m_appointmentsBuilt) {
        m_appointmentsBuilt = true;
        m_appointmentShape = shape;
        m_appointmentsById.clear();
        const auto count = static_cast<std::size_t>(appointments.Count());
        if (appointments.LastID() >= 0 && static_cast<std::size_t>(appointments.LastID()) <= 2 * count + 1024) {
            m_appointmentsById.assign(static_cast<std::size_t>(appointments.LastID()) + 1, nullptr);
            for (const auto& [key, record] : appointments)
                if (key >= 0 && static_cast<std::size_t>(key) < m_appointmentsById.size())
                    m_appointmentsById[static_cast<std::size_t>(key)] = &record;
        }
    }
    if (m_appointmentsBuilt && id >= 0 && static_cast<std::size_t>(id) < m_appointmentsById.size())
        return m_appointmentsById[static_cast<std::size_t>(id)];
    return appointments.Find(id);
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

bool DayListIndex::listedOn(const TaskEntry& entry, CalendarDate day, CalendarDate today) {
    return (entry.due == day && day >= today) || (day == today && entry.due <= today && entry.priority < Task::Done) ||
           (entry.priority == Task::Done && entry.done == day && day <= today);
}

namespace {

ListRow taskRow(const Task& task, int id, int priority, ShortDateCache& dates) {
    const int image = priority >= Task::High && priority <= Task::Done ? priority : -1;
    return ListRow{id, image, {task.Description, dates.Format(task.DueDate)}, 0};
}

} // namespace

std::vector<ListRow> DayListIndex::Tasks(const PimRecords& records, const DateTime& day, const DateTime& today) {
    indexTasks(records);
    const CalendarDate d = CalendarDate::Of(day);
    const CalendarDate t = CalendarDate::Of(today);
    ShortDateCache dates;
    std::vector<ListRow> rows;
    for (const TaskEntry& entry : m_tasks)
        if (listedOn(entry, d, t))
            rows.push_back(taskRow(*entry.task, entry.id, entry.priority, dates));
    return rows;
}

std::vector<DayListIndex::DayRow> DayListIndex::TasksBetween(const PimRecords& records, CalendarDate from,
                                                             CalendarDate to, const DateTime& today) {
    indexTasks(records);
    const CalendarDate t = CalendarDate::Of(today);
    ShortDateCache dates;
    std::vector<DayRow> rows;
    for (const TaskEntry& entry : m_tasks) {
        // The rule lists a task only on its due date, today, or the day it was done.
        const CalendarDate candidates[] = {entry.due, t, entry.done};
        for (std::size_t i = 0; i < std::size(candidates); ++i) {
            const CalendarDate day = candidates[i];
            const bool seen = std::find(candidates, candidates + i, day) != candidates + i;
            if (!seen && day.IsValid() && day >= from && day <= to && listedOn(entry, day, t))
                rows.push_back(DayRow{day, taskRow(*entry.task, entry.id, entry.priority, dates)});
        }
    }
    // By day; within a day in the order of the IDs, as each day's list has them.
    std::stable_sort(rows.begin(), rows.end(), [](const DayRow& a, const DayRow& b) { return a.day < b.day; });
    return rows;
}

std::vector<ListRow> DayListIndex::Appointments(const PimRecords& records, const DateTime& day) {
    const CalendarDate d = CalendarDate::Of(day);
    std::vector<ListRow> rows;
    for (DayRow& listed : AppointmentsBetween(records, d, d))
        rows.push_back(std::move(listed.row));
    return rows;
}

std::vector<DayListIndex::DayRow> DayListIndex::AppointmentsBetween(const PimRecords& records, CalendarDate from,
                                                                    CalendarDate to) {
    TimeCache times;
    std::vector<DayRow> rows;
    for (const DayOccurrence& listed : m_occurrences.Between(records, from, to)) {
        const Occurrence& o = listed.occurrence;
        const Appointment* appointment = this->appointment(records, o.id, to != from);
        if (!appointment)
            continue;
        std::string time = o.allDay ? std::string("All day") : times.Format(o.start) + "-" + times.Format(o.end);
        std::string description = appointment->Description;
        if (listed.dayCount > 1)
            description += " (day " + std::to_string(listed.dayNumber) + " of " + std::to_string(listed.dayCount) + ")";
        const int image = (o.alarmed ? 1 : 0) + (o.InSeries() ? 2 : 0);
        rows.push_back(DayRow{listed.day, ListRow{o.id, image, {std::move(time), std::move(description)}, o.seriesId}});
    }
    return rows;
}
