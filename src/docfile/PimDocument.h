#pragma once

#include "core/Occurrence.h"
#include "core/PimRecords.h"
#include "docfile/DocumentObserver.h"
#include "docfile/UndoHistory.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

class DocumentBatch;

// The one open document: its records with their operations and undo history, and the views that
// observe it. Records are read through the const accessors and changed only through the operations
// below, so that every change marks the document modified, tells the observers and can be taken
// back. The file the records are stored in is DocumentStorage's; the user's commands around it
// (New, Open, Save with their dialogs) are the shell's.
class PimDocument {
public:
    PimDocument();
    ~PimDocument();
    PimDocument(const PimDocument&) = delete;
    PimDocument& operator=(const PimDocument&) = delete;

    const PimRecords& Records() const { return m_records; }
    const RecordCollection<Person>& Persons() const { return m_records.Persons; }
    const RecordCollection<Task>& Tasks() const { return m_records.Tasks; }
    const RecordCollection<Appointment>& Appointments() const { return m_records.Appointments; }
    const ::User& User() const { return m_records.User; }

    // The operations. Each marks the document modified and tells the observers once (at the end
    // of a batch when one is open). Add answers the new record's ID, nothing when no ID is left;
    // Change replaces the stored record that has the same ID.
    std::optional<int> Add(Person person);
    std::optional<int> Add(Task task);
    std::optional<int> Add(Appointment appointment);
    // An import's way to add a person: a blank one stored under its new ID, filled in place before
    // `batch` ends (which spares moving each of a hundred thousand records twice). Null when no ID
    // is left.
    Person* AddBlankPerson(const DocumentBatch& batch);
    bool Change(const Person& person);
    bool Change(const Task& task);
    bool Change(const Appointment& appointment);
    bool RemovePerson(int id);
    bool RemoveTask(int id);
    // A series goes with its changed occurrences, in the same undo step.
    bool RemoveAppointment(int id);
    // Marks the task done today; a task already done gets today's date again.
    bool CompleteTask(int id);
    // Clears the alarm flag; the alarm time stays as it was.
    bool TurnOffReminder(int id);
    // The same for one occurrence: of a series, it becomes a changed occurrence without an alarm
    // (or the changed occurrence already standing in for it loses its alarm); the series rings on.
    bool TurnOffReminder(const OccurrenceKey& occurrence);
    // Removes every done task due before today (File > Compact, and so named as a step); answers
    // how many.
    std::size_t RemoveOldTasks(const DateTime& today);
    void ChangeUser(const ::User& user);
    // Gives the document its identity for synchronisation (see PimRecords::Identity). Marks the
    // document modified, for the identity must reach the file; no undo step.
    void SetIdentity(const std::string& identity);

    // Edit > Undo and Redo: each takes one step and tells the observers once; answers the record
    // the step touched first, nothing when there was no step (or a batch is open).
    const UndoHistory& History() const { return m_history; }
    std::optional<UndoTarget> Undo();
    std::optional<UndoTarget> Redo();

    bool IsModified() const { return m_modified; }
    // For the file commands: not modified makes the records as they stand the saved state that
    // undo can come back to; modified means no step leads back to the file's state.
    void SetModified(bool modified);

    // Empties the records, clears the modified flag and tells the observers.
    void ClearContents();
    // Records read from a file take the place of the document's as a whole: no step leads back,
    // the document is not modified, and the observers are told.
    void Replace(PimRecords records);

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);
    const std::vector<DocumentObserver*>& Observers() const { return m_observers; }
    void NotifyChanged();
    void NotifyClosing();
    // The records are about to be written to a file.
    void NotifySaving() const;

private:
    friend class DocumentBatch;
    // The step of the operation under way: the open batch's, or a new one of the given name.
    UndoStep& Step(const QString& name);
    // After an operation changed the records: modified, the step kept and the observers told,
    // unless a batch is open (the batch does that once when it ends).
    void Changed();
    // After the records were replaced as a whole: no history, not modified, the observers told.
    void Replaced();
    template <class Record> bool ChangeIn(RecordCollection<Record>& records, const Record& record, const QString& name);
    template <class Record> bool RemoveFrom(RecordCollection<Record>& records, int id, const QString& name);

    PimRecords m_records;
    UndoHistory m_history;
    std::optional<UndoStep> m_step;
    int m_batchDepth = 0;
    bool m_batchChanged = false;
    bool m_synchronizing = false; // a Synchronize batch is open: its end clears the history
    bool m_modified = false;
    std::vector<DocumentObserver*> m_observers;
};
