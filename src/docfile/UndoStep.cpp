#include "UndoStep.h"

#include <utility>

namespace {

// The one exchange between the record that stands and the one the step keeps.
template <class Record, class Entry> void flip(RecordCollection<Record>& records, Entry& entry) {
    Record* stored = records.Find(entry.id);
    if (stored && entry.other)
        std::swap(*stored, entry.other.mapped());
    else if (stored)
        entry.other = records.Take(entry.id);
    else if (entry.other)
        records.Put(std::move(entry.other));
}

template <class Record, class Entries>
void flipAll(RecordCollection<Record>& records, Entries& list, std::size_t from, bool backwards) {
    if (backwards) {
        for (std::size_t i = list.size(); i-- > from;)
            flip(records, list[i]);
    } else {
        for (std::size_t i = from; i < list.size(); ++i)
            flip(records, list[i]);
    }
}

} // namespace

std::optional<UndoTarget> UndoStep::Target() const {
    if (!m_persons.empty())
        return UndoTarget{RecordKind::Person, m_persons.front().id, 0, {}};
    if (!m_tasks.empty())
        return UndoTarget{RecordKind::Task, m_tasks.front().id, 0, {}};
    if (!m_appointments.empty()) {
        const Entry<Appointment>& first = m_appointments.front();
        UndoTarget target{RecordKind::Appointment, first.id, 0, {}};
        if (first.other && first.other.mapped().IsChangedOccurrence()) {
            target.seriesId = first.other.mapped().SeriesID;
            target.original = first.other.mapped().OriginalDate;
        }
        return target;
    }
    if (m_user)
        return UndoTarget{std::nullopt, 0, 0, {}};
    return std::nullopt;
}

void UndoStep::Flip(PimRecords& records, bool backwards) {
    // The kinds are independent of each other; only the order within a kind matters (a record
    // added and then changed in one import).
    flipAll(records.Persons, m_persons, 0, backwards);
    flipAll(records.Tasks, m_tasks, 0, backwards);
    flipAll(records.Appointments, m_appointments, 0, backwards);
    if (m_user)
        std::swap(records.User, *m_user);
}

void UndoStep::RollBack(PimRecords& records, const Mark& mark) {
    flipAll(records.Persons, m_persons, mark.persons, true);
    flipAll(records.Tasks, m_tasks, mark.tasks, true);
    flipAll(records.Appointments, m_appointments, mark.appointments, true);
    m_persons.erase(m_persons.begin() + static_cast<std::ptrdiff_t>(mark.persons), m_persons.end());
    m_tasks.erase(m_tasks.begin() + static_cast<std::ptrdiff_t>(mark.tasks), m_tasks.end());
    m_appointments.erase(m_appointments.begin() + static_cast<std::ptrdiff_t>(mark.appointments), m_appointments.end());
    if (m_user && !mark.user) {
        std::swap(records.User, *m_user);
        m_user.reset();
    }
}
