#pragma once

#include "docfile/UndoStep.h"

#include <QString>

class PimDocument;

// Groups the operations made while it lives into one change: the observers are told once, when
// it ends, and it can be taken back as a whole (an import that cannot finish, say).
//
// What the change means for Edit > Undo depends on its kind:
//   UserStep     one undo step under the batch's name ("Import").
//   Upkeep       the program's own bookkeeping (snoozed reminders written into their records as
//                the document is saved): no step, and the modified flag stays as it was.
//   Synchronize  records brought from a server: the undo history is cleared when it ends, for
//                taking back a download locally would delete on the server at the next
//                synchronisation. The document is modified.
// A batch opened inside another belongs to the outer one; an inner Synchronize still clears the
// history when the outer batch ends.
class DocumentBatch {
public:
    enum class Kind { UserStep, Upkeep, Synchronize };

    DocumentBatch(PimDocument& document, QString name, Kind kind = Kind::UserStep);
    ~DocumentBatch();
    DocumentBatch(const DocumentBatch&) = delete;
    DocumentBatch& operator=(const DocumentBatch&) = delete;

    // Takes back everything done in the batch (added records go, IDs issued in it are free again)
    // and ends it; the modified flag is as it was before the batch began.
    void Cancel();
    const QString& Name() const { return m_name; }

private:
    void End();

    PimDocument& m_document;
    QString m_name;
    Kind m_kind;
    bool m_ended = false;
    bool m_wasModified;
    UndoStep::Mark m_step;
    RecordCollection<Person>::Mark m_persons;
    RecordCollection<Task>::Mark m_tasks;
    RecordCollection<Appointment>::Mark m_appointments;
};
