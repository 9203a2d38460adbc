#pragma once

#include "core/DayListRows.h"
#include "core/OccurrenceIndex.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class PimRecords;
struct Appointment;
struct Person;
struct Task;

// The document's records arranged for the day view's lists: persons already in both phone-book
// orders, the tasks' days side by side, the appointments' occurrences by day. Choosing a date or a
// filter then costs a pass over compact arrays instead of a walk through the record maps and a sort.
//
// The index points into the document's collections. Forget() it whenever the document reports a
// change; each part is rebuilt when next asked for.
class DayListIndex {
public:
    void Forget();

    std::vector<ListRow> PhoneBook(const PimRecords& records, bool whitePages);
    std::vector<ListRow> Tasks(const PimRecords& records, const DateTime& day, const DateTime& today);
    std::vector<ListRow> Appointments(const PimRecords& records, const DateTime& day);

    // A row of the lists above with the day that lists it.
    struct DayRow {
        CalendarDate day;
        ListRow row;
    };
    // The rows Tasks() and Appointments() give for each of the days from `from` to `to` (both
    // included), day by day, each list worked out in one pass over the days.
    std::vector<DayRow> TasksBetween(const PimRecords& records, CalendarDate from, CalendarDate to,
                                     const DateTime& today);
    std::vector<DayRow> AppointmentsBetween(const PimRecords& records, CalendarDate from, CalendarDate to);
    // The occurrences behind the appointment rows, for the views that ask more of them.
    OccurrenceIndex& Occurrences() { return m_occurrences; }

private:
    // What the index was built from; a change in any of these rebuilds it even without Forget().
    struct Shape {
        std::size_t count = 0;
        int lastId = -1;
        bool operator==(const Shape&) const = default;
    };
    struct PersonEntry {
        const Person* person;
        int id;
        bool white;
        bool yellow;
    };
    struct TaskEntry {
        CalendarDate due; // the calendar days the stored dates mean
        CalendarDate done;
        int priority;
        int id;
        const Task* task;
    };

    void indexPersons(const PimRecords& records);
    void indexTasks(const PimRecords& records);
    // The appointment of an occurrence. The rows of many days look up thousands of them: a table by
    // ID, made once, costs less than as many walks through the record map.
    const Appointment* appointment(const PimRecords& records, int id, bool manyDays);
    // The task list's rule: whether a task is listed on day `day`, today being `today`.
    static bool listedOn(const TaskEntry& entry, CalendarDate day, CalendarDate today);

    bool m_personsBuilt = false;
    Shape m_personShape;
    std::vector<PersonEntry> m_byName;
    std::vector<PersonEntry> m_byCompany;

    bool m_tasksBuilt = false;
    Shape m_taskShape;
    std::vector<TaskEntry> m_tasks;

    OccurrenceIndex m_occurrences;
    bool m_appointmentsBuilt = false;
    Shape m_appointmentShape;
    std::vector<const Appointment*> m_appointmentsById; // empty where the IDs are too sparse for it
};
