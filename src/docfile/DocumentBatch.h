#pragma once

#include "core/PimRecords.h"

#include <QString>

class PimDocument;

// Groups the operations made while it lives into one change: the observers are told once, when
// it ends, and it can be taken back as a whole (an import that cannot finish, say).
class DocumentBatch {
public:
    DocumentBatch(PimDocument& document, QString name);
    ~DocumentBatch();
    DocumentBatch(const DocumentBatch&) = delete;
    DocumentBatch& operator=(const DocumentBatch&) = delete;

    // Takes back every record added in the batch and ends it; the modified flag is as it was
    // before the batch began.
    void Cancel();
    const QString& Name() const { return m_name; }

private:
    void End();

    PimDocument& m_document;
    QString m_name;
    bool m_ended = false;
    bool m_wasModified;
    RecordCollection<Person>::Mark m_persons;
    RecordCollection<Task>::Mark m_tasks;
    RecordCollection<Appointment>::Mark m_appointments;
};
