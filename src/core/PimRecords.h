#pragma once

#include "Appointment.h"
#include "DateTime.h"
#include "Person.h"
#include "RecordCollection.h"
#include "Task.h"
#include "User.h"

#include <string>

// The record data of the one open document: address book, appointment book, task list and the
// owner's address. The operations, undo and observers around it are PimDocument's.
class PimRecords {
public:
    PimRecords() = default;
    PimRecords(const PimRecords&) = default;
    PimRecords(PimRecords&&) noexcept = default;
    PimRecords& operator=(const PimRecords&) = default;
    PimRecords& operator=(PimRecords&&) noexcept = default;
    virtual ~PimRecords() = default;

    RecordCollection<Person> Persons;
    RecordCollection<Appointment> Appointments;
    RecordCollection<Task> Tasks;
    ::User User;
    // Who this document is to a synchronisation: a random UUID given when it is first
    // synchronised, so that a document replaced, restored or made anew under the same name is
    // never taken for the one the server last saw. Empty until then.
    std::string Identity;

    // Marks the task done today; a task already done gets today's date again.
    bool CompleteTask(int id);
    // Clears the alarm flag; the alarm time stays as it was.
    bool TurnOffReminder(int id);
    // Empties the collections (a collection with records restarts its IDs at 0) and the user.
    void ClearRecords();
};
