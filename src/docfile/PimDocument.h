#pragma once

#include "core/Occurrence.h"
#include "core/PimRecords.h"
#include "docfile/DocumentObserver.h"
#include "docfile/UndoHistory.h"
#include "platform/AtomicFile.h"
#include "platform/PromptService.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class DocumentLock;

// The one open document: its records, plus the file name, the modified flag, the views that
// observe it and the date selected in the calendar. Records are read through the const accessors
// and changed only through the operations below, so that every change marks the document
// modified, tells the observers and can be taken back.
class PimDocument {
public:
    // How an operation that may ask for a file name ended.
    enum class FileResult { Succeeded, Cancelled, Failed };

    PimDocument();
    ~PimDocument();

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
    bool Change(const Person& person);
    bool Change(const Task& task);
    bool Change(const Appointment& appointment);
    bool RemovePerson(int id);
    bool RemoveTask(int id);
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

    // Edit > Undo and Redo: each takes one step and tells the observers once; answers the record
    // the step touched first, nothing when there was no step (or a batch is open).
    const UndoHistory& History() const { return m_history; }
    std::optional<UndoTarget> Undo();
    std::optional<UndoTarget> Redo();

    bool IsModified() const { return m_modified; }
    // For the file commands: not modified makes the records as they stand the saved state that
    // undo can come back to; modified means no step leads back to the file's state.
    void SetModified(bool modified);

    // Empty for a document that was never saved or opened.
    const QString& FileName() const { return m_fileName; }
    // The name shown and stored for the document: "Untitled" when it has none.
    QString TitleName() const;
    // True when there is no file name, or the name is "Untitled" in any letter case.
    bool HasNoFileName() const;
    // Takes the file as the document's own: the lock on the former file is let go and the new one
    // locked. A file that another program holds is open read-only.
    void SetFileName(const QString& name);
    // Save never writes over a read-only document's file; it asks for another name.
    bool IsReadOnly() const { return m_readOnly; }
    // When another program holds the file, names it and asks whether to open the file read-only;
    // false means not at all.
    static bool ConfirmOpen(const QString& path, platform::PromptService& prompt);

    void AddObserver(DocumentObserver* observer);
    void RemoveObserver(DocumentObserver* observer);
    const std::vector<DocumentObserver*>& Observers() const { return m_observers; }
    void NotifyChanged();
    void NotifyClosing();

    // The whole document in the current file layout, replacing the file at path only once every
    // byte is written. The target stays untouched on any failure; error tells why it failed. The bytes
    // it held before are kept as an automatic backup; a backup that cannot be made does not stop the
    // save, but is handed to the backup problem handler once the save has succeeded.
    bool Save(const QString& path, platform::FileError* error = nullptr) const;
    using BackupProblemHandler = std::function<void(const QString& path, const QString& problem)>;
    // Without a handler the problem goes to the warning log (stderr).
    void SetBackupProblemHandler(BackupProblemHandler handler) { m_backupProblem = std::move(handler); }
    // Fills the (cleared) document from file text, which ends at its first NUL byte or after length
    // bytes; a UTF-8 byte-order mark at its start is passed over. A syntax error is shown as
    // "Parsing error at line %d", well-formed text that is not a document of ours as "The file is
    // not a Tavoro! document."; both answer false.
    bool Load(const char* text, std::size_t length, platform::PromptService& prompt);
    // The same, handing the text over to the parsed tree instead of copying it.
    bool Load(std::string&& text, platform::PromptService& prompt);

    // Empties the records, clears the modified flag and tells the observers.
    void ClearContents();
    // Clears the contents and forgets the file name.
    bool New();
    // Reads the file into the document. An unreadable file leaves the document as it was (error
    // tells why); one that does not parse, is not a document or does not fit in memory leaves it
    // empty, unmodified and untitled.
    bool ReadFromFile(const QString& path, platform::PromptService& prompt, platform::FileError* error = nullptr);
    // Writes the document to path; on success it is no longer modified.
    bool WriteToFile(const QString& path);

    // Save: asks for a name (Save As) when there is none, writes only when modified.
    FileResult SaveDocument(platform::PromptService& prompt);
    FileResult SaveDocumentAs(platform::PromptService& prompt);
    FileResult OpenWithDialog(platform::PromptService& prompt);

    // The open and save dialogs' filters, default extension and options; initialName is proposed.
    static platform::FileDialogRequest FileDialog(const QString& title, const QString& initialName);

    // The date selected in the calendar; today at 00:00 when the program starts.
    DateTime CurrentDate;

private:
    friend class DocumentBatch;
    // The step of the operation under way: the open batch's, or a new one of the given name.
    UndoStep& Step(const QString& name);
    // After an operation changed the records: modified, the step kept and the observers told,
    // unless a batch is open (the batch does that once when it ends).
    void Changed();
    template <class Record> bool ChangeIn(RecordCollection<Record>& records, const Record& record, const QString& name);
    template <class Record> bool RemoveFrom(RecordCollection<Record>& records, int id, const QString& name);

    PimRecords m_records;
    UndoHistory m_history;
    std::optional<UndoStep> m_step;
    int m_batchDepth = 0;
    bool m_batchChanged = false;
    bool m_synchronizing = false; // a Synchronize batch is open: its end clears the history
    bool m_modified = false;
    bool m_readOnly = false;
    QString m_fileName;
    std::unique_ptr<DocumentLock> m_lock;
    std::vector<DocumentObserver*> m_observers;
    BackupProblemHandler m_backupProblem;
};
