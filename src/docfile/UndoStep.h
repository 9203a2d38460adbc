#pragma once

#include "core/PimRecords.h"
#include "core/RecordKind.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

// The record a step touched first, for the window to show after taking it back or making it again.
struct UndoTarget {
    std::optional<RecordKind> kind; // none: the User, the one record outside the collections
    int id = 0;
    // When the version the step replaced was a changed occurrence of a series: that series and the
    // occurrence's original date, where the series shows the occurrence once the change is gone.
    int seriesId = 0;
    CalendarDate original;
};

// One change of the user's, as Edit > Undo takes it back: every record it touched with the version
// that does not stand in the document now (none, for a record that is absent there). Taking the
// step back and making it again are the same exchange, so a step holds one copy of each record at
// most, and an added record none at all until the step is taken back.
class UndoStep {
public:
    explicit UndoStep(QString name) : m_name(std::move(name)) {}

    const QString& Name() const { return m_name; }
    bool Empty() const { return m_persons.empty() && m_tasks.empty() && m_appointments.empty() && !m_user; }
    std::optional<UndoTarget> Target() const;

    // Recording, as the operations change the records: added (absent before), about to change
    // (the former version is kept), taken out (the node of the removed record).
    template <class Record> void Added(int id) { entries<Record>().push_back({id, {}}); }
    template <class Record> void Changing(const Record& before) {
        entries<Record>().push_back({before.ID, RecordCollection<Record>::Detached(before)});
    }
    template <class Record> void Removed(typename RecordCollection<Record>::Node node) {
        const int id = node.mapped().ID;
        entries<Record>().push_back({id, std::move(node)});
    }
    void ChangingUser(const ::User& before) {
        if (!m_user)
            m_user = before;
    }

    // Exchanges every record of the step with the one in the records: backwards takes the step
    // back (the last change first), forwards makes it again.
    void Flip(PimRecords& records, bool backwards);

    // How far the step has come, so that a batch that ends early can take back its own part.
    struct Mark {
        std::size_t persons, tasks, appointments;
        bool user;
    };
    Mark Position() const { return {m_persons.size(), m_tasks.size(), m_appointments.size(), m_user.has_value()}; }
    // Takes back and forgets whatever was recorded after the mark.
    void RollBack(PimRecords& records, const Mark& mark);

private:
    template <class Record> struct Entry {
        int id;
        typename RecordCollection<Record>::Node other; // empty: the record is absent in the other state
    };
    template <class Record> std::vector<Entry<Record>>& entries();

    QString m_name;
    std::vector<Entry<Person>> m_persons;
    std::vector<Entry<Task>> m_tasks;
    std::vector<Entry<Appointment>> m_appointments;
    std::optional<::User> m_user;
};

template <> inline std::vector<UndoStep::Entry<Person>>& UndoStep::entries<Person>() {
    return m_persons;
}
template <> inline std::vector<UndoStep::Entry<Task>>& UndoStep::entries<Task>() {
    return m_tasks;
}
template <> inline std::vector<UndoStep::Entry<Appointment>>& UndoStep::entries<Appointment>() {
    return m_appointments;
}
